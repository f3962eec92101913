// TTwain, the protocol object of an acquisition: it opens the source manager and a source, sets the capabilities,
// enables the source, moves its images over by native transfer and closes everything again, telling the user
// about failures in the source's or the manager's own terms. It lives for one operation. What it needs of the
// system (the manager's entry point, global memory, message boxes, the window that receives images) comes
// through TwainHost, so that the sequence runs anywhere.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "classlib/core/object.h"
#include "viewer/core/twain_capabilities.h"
#include "viewer/core/twain_types.h"

namespace viewer {

class TwainHost {
 public:
  virtual ~TwainHost() = default;
  // The source manager's entry point.
  virtual uint16_t Entry(twain::TW_IDENTITY* origin, twain::TW_IDENTITY* dest, uint32_t dg, uint16_t dat, uint16_t msg,
                         twain::TW_MEMREF data) = 0;
  // Movable zero-filled memory blocks, as the manager and the sources pass containers and images in.
  virtual twain::TW_HANDLE Allocate(size_t size) = 0;
  virtual void* Lock(twain::TW_HANDLE block) = 0;
  virtual void Unlock(twain::TW_HANDLE block) = 0;
  virtual size_t BlockSize(twain::TW_HANDLE block) = 0;
  virtual void Release(twain::TW_HANDLE block) = 0;
  // A box titled "TWAIN Error" with an OK button.
  virtual void ShowErrorBox(const std::string& text) = 0;
  // A plain box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // Hands a DIB block over to the window that receives the images, synchronously; the receiver owns the block.
  virtual void DeliverImage(twain::TW_HANDLE dib) = 0;
};

// The application's identity towards the manager: version 1.1, protocol 1.6, control and image groups; each name
// cut to 33 characters.
twain::TW_IDENTITY ApplicationIdentity(const std::string& manufacturer, const std::string& productFamily,
                                       const std::string& productName);

// The text shown for a condition code the status question answered with (nothing: the question failed), or
// nothing when the source has already told the user (an operation error).
std::optional<std::string> ConditionText(std::optional<uint16_t> condition);

// The transfer of one image is asked for at most this often while the source answers neither done, cancelled
// nor failed.
constexpr int kNativeTransferTries = 3;

using TLayoutEvent = std::function<void(twain::TW_IMAGELAYOUT& layout)>;

class TTwain : public cl::TObject {
  CL_CLASS(TTwain, cl::TObject)
 public:
  // parent: the window the manager and the source's dialogs belong to.
  TTwain(TwainHost& host, const twain::TW_IDENTITY& application, twain::TW_HANDLE parent);

  TwainSettings Settings;
  std::string PreferredSource;  // product name of the source to open; empty or not found: the manager's default
  TLayoutEvent OnLayout;

  bool ManagerOpen() const { return FManagerOpen; }
  bool SourceOpen() const { return FSourceOpen; }
  bool SourceEnabled() const { return FSourceEnabled; }
  // The source answered a transfer with a cancel (its user's own doing).
  bool TransferCancelled() const { return FTransferCancelled; }
  const twain::TW_IDENTITY& Source() const { return FSource; }

  // While manager and source are open: lets the source see a message of the application's queue (msg points to
  // the system's message record). A transfer it announces runs at once; a close it asks for closes everything.
  // True when the message was the source's.
  virtual bool ProcessMessage(void* msg);
  // Opens the manager and the source, sets the capabilities (unless the source's own interface shows and FastUI
  // asks to leave them), enables the source and, without its interface, transfers the images at once.
  virtual void Acquire(bool showUI);
  virtual void CloseSource();
  virtual void CloseManager();
  virtual void SetCapabilities();
  virtual void DisableSource();
  virtual bool EnableSource(bool showUI);
  virtual bool OpenSource();
  virtual bool OpenManager();
  // The manager's source dialog, opened on its default source; true when the user chose one (now Source()).
  virtual bool SelectSource();
  virtual void CloseAll();
  // Transfers every pending image, then closes everything. A cancelled image ends the transfers; a failed one (or
  // one the source keeps answering otherwise) drops the pending ones.
  virtual void TransferImages();
  // Asks for one image by native transfer and hands it to the receiving window when it came; the return code.
  virtual uint16_t NativeTransfer();
  // Asks the open source (else the manager) why the last operation failed, and tells the user.
  virtual void ShowError();

  // The product names of the manager's sources, in its order.
  std::vector<std::string> SourceNames();
  // The source's current value of a capability; nothing when the question failed. Opens and closes what it needs.
  std::optional<int32_t> CapabilityValue(uint16_t cap);

 private:
  uint16_t Call(twain::TW_IDENTITY* dest, uint32_t dg, uint16_t dat, uint16_t msg, twain::TW_MEMREF data);
  uint16_t SourceCall(uint32_t dg, uint16_t dat, uint16_t msg, twain::TW_MEMREF data) {
    return Call(&FSource, dg, dat, msg, data);
  }
  // One capability set in a new one-value container, freed afterwards; the return code.
  uint16_t SetCapability(const CapabilitySet& set);
  void SetImageLayout();
  void ResetPendingTransfers();
  // Calls visit with each source's identity until it returns false.
  void ForEachSource(const std::function<bool(const twain::TW_IDENTITY&)>& visit);

  TwainHost& FHost;
  twain::TW_IDENTITY FApplication;
  twain::TW_IDENTITY FSource{};
  twain::TW_HANDLE FParent;
  bool FManagerOpen = false;
  bool FSourceOpen = false;
  bool FSourceEnabled = false;
  bool FTransferCancelled = false;
};

}  // namespace viewer
