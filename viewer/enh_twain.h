// TEnhTwain, the component that acquires images from scanners and cameras through the TWAIN source manager
// (TWAIN_32.DLL, loaded when the component is made). Each operation runs a TTwain protocol object; images arrive
// at the component's hidden window, which turns each DIB into the component's picture and fires OnCapture. Without
// the source manager every operation does nothing.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "classlib/core/component.h"
#include "classlib/core/events.h"
#include "classlib/win/application.h"
#include "classlib/win/messages.h"
#include "viewer/core/twain_capabilities.h"
#include "viewer/core/twain_types.h"

namespace cl {
class TBitmap;
class TStringList;
}  // namespace cl

namespace viewer {

class TTwain;

// Replaces the component's own conversion: the handler receives the DIB's global memory block and owns it.
using TRawDataEvent = cl::Event<void(cl::TObject* Sender, HGLOBAL dib)>;
// May change the image layout the source proposes before it is set.
using TTwainLayoutEvent = cl::Event<void(cl::TComponent* Sender, twain::TW_IMAGELAYOUT& layout)>;

class TEnhTwain : public cl::TComponent {
  CL_CLASS(TEnhTwain, cl::TComponent)
 public:
  explicit TEnhTwain(cl::TComponent* owner);
  ~TEnhTwain() override;
  void BeforeDestruction() override;
  // Reads the source list once the owner has made the component.
  void Loaded() override;

  // Whether the source manager was found.
  bool Available() const { return FEntry != nullptr; }
  // Acquires without (false) or with the source's own user interface; with it, the images arrive later, as the
  // user scans. True when an image reached Picture during this call.
  bool Acquire(bool showUI);
  // Whether the user knows why the last Acquire brought no image: a box said so (a TWAIN error, an image that
  // could not be taken), or the source's transfer was cancelled.
  bool NoImageExplained() const { return FNoImageExplained; }
  // The manager's dialog; the chosen source is the one acquired from afterwards. True when one was chosen.
  bool SelectSource();
  // Fills SourceList with the product names of the manager's sources; their number.
  int GetSourceList();

  // The last image acquired.
  cl::TBitmap* Picture() const { return FPicture; }
  cl::TStringList* SourceList() const { return FSourceList; }
  // The window the images are sent to (as WM_USER with the DIB's memory block).
  HWND Handle() const { return FHandle; }

  // The application's identity towards the source manager.
  const std::string& Manufacturer() const { return FManufacturer; }
  void SetManufacturer(const std::string& value) { FManufacturer = value; }
  const std::string& ProductFamily() const { return FProductFamily; }
  void SetProductFamily(const std::string& value) { FProductFamily = value; }
  const std::string& ProductName() const { return FProductName; }
  void SetProductName(const std::string& value) { FProductName = value; }

  // The capability properties read the source's current value (opening the manager and the source for the
  // question): the not-supported value (-1 for the resolutions) when it does not answer, 0 without the source
  // manager. Setters refuse, with a message, the values that cannot be set, and store the others for the next
  // acquisition.
  TBitDepth BitDepth();
  void SetBitDepth(TBitDepth value);
  TBDReduction BDReduction();
  void SetBDReduction(TBDReduction value);
  TEtwBoolean Indicators();
  void SetIndicators(TEtwBoolean value);
  TEtwLightPath LightPath();
  void SetLightPath(TEtwLightPath value);
  TEtwOrientation orientation();
  void Setorientation(TEtwOrientation value);
  TEtwPixelFlavor PixelFlavor();
  void SetPixelFlavor(TEtwPixelFlavor value);
  TEtwPixelType PixelType();
  void SetPixelType(TEtwPixelType value);
  TEtwUnits Units();
  void SetUnits(TEtwUnits value);
  int XRes();
  void SetXRes(int value);
  int YRes();
  void SetYRes(int value);
  // With the source's own interface, leave its settings alone.
  bool FastUI() const { return FSettings.FastUI; }
  void SetFastUI(bool value);

  const cl::TNotifyEvent& OnCapture() const { return FOnCapture; }
  void SetOnCapture(const cl::TNotifyEvent& handler) { FOnCapture = handler; }
  const TRawDataEvent& OnRawData() const { return FOnRawData; }
  void SetOnRawData(const TRawDataEvent& handler) { FOnRawData = handler; }
  const TTwainLayoutEvent& OnLayout() const { return FOnLayout; }
  void SetOnLayout(const TTwainLayoutEvent& handler) { FOnLayout = handler; }

 private:
  class Host;

  // The main form's window, else the hidden one: the owner of the manager's and the sources' dialogs.
  HWND ParentWindow() const;
  // Makes the protocol object unless one exists; true when it was made here.
  bool CreateProtocol();
  void FreeProtocol();
  void ApplicationMessage(MSG& msg, bool& handled);
  void WndProc(cl::TMessage& message);
  // Turns a DIB block into Picture and fires OnCapture; the block is freed in every case.
  void ReceiveImage(HGLOBAL dib);
  // The source's current value of a capability; nothing without an answer.
  std::optional<int32_t> CurrentValue(uint16_t cap);
  template <class E>
  E Current(uint16_t cap, E (*read)(std::optional<int32_t>));
  int CurrentResolution(uint16_t cap);
  // Stores a setting (and hands it to a running operation), or tells why a value is refused.
  template <class T>
  void Store(T TwainSettings::*field, T value, const char* refusal = nullptr);

  HMODULE FLibrary = nullptr;
  twain::DsmEntryProc FEntry = nullptr;
  HWND FHandle = nullptr;
  std::unique_ptr<Host> FHost;
  TTwain* FTwain = nullptr;
  cl::TMessageEvent FPreviousOnMessage;
  cl::TBitmap* FPicture = nullptr;
  cl::TStringList* FSourceList = nullptr;
  std::string FPreferredSource;
  std::string FManufacturer = "Gorvett";
  std::string FProductFamily = "TVarrowKit";
  std::string FProductName = "TEnhTwain";
  TwainSettings FSettings;
  bool FCaptured = false;
  bool FNoImageExplained = false;
  cl::TNotifyEvent FOnCapture;
  TRawDataEvent FOnRawData;
  TTwainLayoutEvent FOnLayout;
};

}  // namespace viewer
