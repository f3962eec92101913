// The extension blocks in front of a frame (graphic control, plain text, comment, application), the registries
// that map a label byte or an application identifier to the class that reads the block, and the list that
// holds a frame's extensions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image/core/gif_items.h"

namespace img {

class TGIFSubImageCore;
class TGIFExtension;

// What the registries hold for an extension class: its label, how to make one, and how to pick a more
// specific class from the bytes behind the label.
struct TGIFExtensionClass {
  const char* Name;
  std::uint8_t Label;
  TGIFExtension* (*Create)(TGIFSubImageCore* frame);
  // Given the stream behind the label, the class that should read the block (nullptr: none).
  const TGIFExtensionClass* (*Resolve)(const TGIFExtensionClass* self, cl::TStream& stream);
};

class TGIFExtension : public TGIFItem {
  CL_CLASS(TGIFExtension, TGIFItem)
 public:
  explicit TGIFExtension(TGIFSubImageCore* frame);

  TGIFSubImageCore* Frame() const { return FFrame; }
  // Every extension block belongs to "89a".
  TGIFVersion GetVersion() const override { return gv89a; }
  virtual const TGIFExtensionClass* ExtensionClass() const = 0;

  // Writes the introducer and the label.
  void SaveToStream(cl::TStream& stream) override;
  // Reads the introducer and the label, which must be this class's.
  void LoadFromStream(cl::TStream& stream) override;

 private:
  TGIFSubImageCore* FFrame;
};

class TGIFGraphicControlExtension : public TGIFExtension {
  CL_CLASS(TGIFGraphicControlExtension, TGIFExtension)
 public:
  static const TGIFExtensionClass Class;
  // Becomes the frame's graphic control extension when the frame has none yet.
  explicit TGIFGraphicControlExtension(TGIFSubImageCore* frame);
  void BeforeDestruction() override;
  const TGIFExtensionClass* ExtensionClass() const override { return &Class; }

  void SaveToStream(cl::TStream& stream) override;
  void LoadFromStream(cl::TStream& stream) override;

  bool Transparent() const { return (FPacked & 0x01) != 0; }
  int Disposal() const { return (FPacked >> 2) & 0x07; }
  int Delay() const { return FDelay; }
  std::uint8_t TransparentColorIndex() const { return FTransparentIndex; }
  // An index beyond the frame's colour map warns "Invalid color index" and becomes 0.
  void SetTransparentColorIndex(int index);
  // Stores the index unchecked (colour map reordering).
  void SetTransparentColorIndexRaw(std::uint8_t index) { FTransparentIndex = index; }

 private:
  std::uint8_t FBlockSize = 4;
  std::uint8_t FPacked = 0;
  std::uint16_t FDelay = 0;
  std::uint8_t FTransparentIndex = 0;
  std::uint8_t FTerminator = 0;
};

class TGIFTextExtension : public TGIFExtension {
  CL_CLASS(TGIFTextExtension, TGIFExtension)
 public:
  static const TGIFExtensionClass Class;
  explicit TGIFTextExtension(TGIFSubImageCore* frame) : TGIFExtension(frame) { FHeader[0] = 12; }
  const TGIFExtensionClass* ExtensionClass() const override { return &Class; }

  void SaveToStream(cl::TStream& stream) override;
  void LoadFromStream(cl::TStream& stream) override;

  // Block size (12) and the plain-text header: grid left, top, width, height, cell width and height,
  // foreground and background colour index, as stored.
  const std::array<std::uint8_t, 13>& Header() const { return FHeader; }
  std::vector<std::string>& Text() { return FText; }

 private:
  std::array<std::uint8_t, 13> FHeader{};
  std::vector<std::string> FText;
};

class TGIFCommentExtension : public TGIFExtension {
  CL_CLASS(TGIFCommentExtension, TGIFExtension)
 public:
  static const TGIFExtensionClass Class;
  using TGIFExtension::TGIFExtension;
  const TGIFExtensionClass* ExtensionClass() const override { return &Class; }

  void SaveToStream(cl::TStream& stream) override;
  void LoadFromStream(cl::TStream& stream) override;

  std::vector<std::string>& Text() { return FText; }

 private:
  std::vector<std::string> FText;
};

// Application extension: an 8-byte identifier and 3-byte authentication code, then data that each
// registered class reads in its own way.
class TGIFApplicationExtension : public TGIFExtension {
  CL_CLASS(TGIFApplicationExtension, TGIFExtension)
 public:
  using Identifier = std::array<std::uint8_t, 11>;
  static const TGIFExtensionClass Class;
  using TGIFExtension::TGIFExtension;
  const TGIFExtensionClass* ExtensionClass() const override { return &Class; }

  void SaveToStream(cl::TStream& stream) override;
  void LoadFromStream(cl::TStream& stream) override;

  const Identifier& ApplicationId() const { return FIdentifier; }

 protected:
  virtual void SaveData(cl::TStream& stream) {}
  virtual void LoadData(cl::TStream& stream) {}
  Identifier FIdentifier{};
};

// An application extension nobody registered: its data sub-blocks are kept as read and written back.
class TGIFUnknownAppExtension : public TGIFApplicationExtension {
  CL_CLASS(TGIFUnknownAppExtension, TGIFApplicationExtension)
 public:
  static const TGIFExtensionClass Class;
  using TGIFApplicationExtension::TGIFApplicationExtension;
  const TGIFExtensionClass* ExtensionClass() const override { return &Class; }

  const std::vector<std::vector<std::uint8_t>>& Blocks() const { return FBlocks; }

 protected:
  void SaveData(cl::TStream& stream) override;
  void LoadData(cl::TStream& stream) override;

 private:
  std::vector<std::vector<std::uint8_t>> FBlocks;
};

// The loop count of an animation ("NETSCAPE2.0" or "ANIMEXTS1.0"; 0 repeats without end).
class TGIFAppExtNSLoop : public TGIFApplicationExtension {
  CL_CLASS(TGIFAppExtNSLoop, TGIFApplicationExtension)
 public:
  static const TGIFExtensionClass Class;
  explicit TGIFAppExtNSLoop(TGIFSubImageCore* frame);
  const TGIFExtensionClass* ExtensionClass() const override { return &Class; }

  int Loops() const { return FLoops; }
  void SetLoops(int loops) { FLoops = static_cast<std::uint16_t>(loops); }

 protected:
  void SaveData(cl::TStream& stream) override;
  void LoadData(cl::TStream& stream) override;

 private:
  std::uint16_t FLoops = 0;
};

// Registration; a later registration overrides an earlier one.
void RegisterExtension(std::uint8_t label, const TGIFExtensionClass* extensionClass);
void RegisterApplicationExtension(const TGIFApplicationExtension::Identifier& identifier,
                                  const TGIFExtensionClass* extensionClass);
const TGIFExtensionClass* FindExtensionByLabel(std::uint8_t label);
const TGIFExtensionClass* FindApplicationExtension(const TGIFApplicationExtension::Identifier& identifier);
// The class for the extension block whose label the stream stands at; the stream is left where it was.
const TGIFExtensionClass* FindExtension(cl::TStream& stream);

// The extensions in front of one frame.
class TGIFExtensionList : public TGIFList {
  CL_CLASS(TGIFExtensionList, TGIFList)
 public:
  using TGIFList::TGIFList;
  TGIFExtension* Extensions(int index) const { return static_cast<TGIFExtension*>(Items(index)); }
  // Reads extension blocks up to the next image descriptor or trailer.
  void LoadFromStream(cl::TStream& stream, TGIFSubImageCore* frame);
};

}  // namespace img
