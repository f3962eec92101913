#include "image/core/gif_extensions.h"

#include <memory>
#include <utility>

#include "classlib/core/streams.h"
#include "image/core/gif_color_map.h"
#include "image/core/gif_error.h"
#include "image/core/gif_stream_io.h"
#include "image/core/gif_sub_image.h"

namespace img {
namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

template <class T>
TGIFExtension* Make(TGIFSubImageCore* frame) {
  return cl::New<T>(frame);
}

const TGIFExtensionClass* ResolveToSelf(const TGIFExtensionClass* self, cl::TStream&) {
  return self;
}

// Application blocks: the identifier behind the block size picks the class.
const TGIFExtensionClass* ResolveApplication(const TGIFExtensionClass* self, cl::TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t size = 0;
  if (!ReadByte(stream, size)) return nullptr;
  TGIFApplicationExtension::Identifier identifier{};
  if (size == 10) return stream.Read(identifier.data(), 10) == 10 ? &TGIFUnknownAppExtension::Class : nullptr;
  // Blocks longer than 11 bytes are told apart by their first 11; loading skips the rest of their header.
  if (size >= 11 && stream.Read(identifier.data(), 11) == 11) {
    const TGIFExtensionClass* found = FindApplicationExtension(identifier);
    return found ? found : &TGIFUnknownAppExtension::Class;
  }
  stream.SetPosition(start);
  return self;
}

struct LabelEntry {
  std::uint8_t Label;
  const TGIFExtensionClass* Class;
};
struct ApplicationEntry {
  TGIFApplicationExtension::Identifier Identifier;
  const TGIFExtensionClass* Class;
};

TGIFApplicationExtension::Identifier IdentifierOf(const char (&text)[12]) {
  TGIFApplicationExtension::Identifier identifier{};
  for (std::size_t i = 0; i < identifier.size(); ++i) identifier[i] = static_cast<std::uint8_t>(text[i]);
  return identifier;
}

// Created on first use with the built-in classes; searched from the latest registration back.
std::vector<LabelEntry>& LabelRegistry() {
  static std::vector<LabelEntry> registry{{0x01, &TGIFTextExtension::Class},
                                          {0xF9, &TGIFGraphicControlExtension::Class},
                                          {0xFE, &TGIFCommentExtension::Class},
                                          {0xFF, &TGIFApplicationExtension::Class}};
  return registry;
}

std::vector<ApplicationEntry>& ApplicationRegistry() {
  static std::vector<ApplicationEntry> registry{{IdentifierOf("NETSCAPE2.0"), &TGIFAppExtNSLoop::Class},
                                                {IdentifierOf("ANIMEXTS1.0"), &TGIFAppExtNSLoop::Class}};
  return registry;
}

}  // namespace

const TGIFExtensionClass TGIFGraphicControlExtension::Class{"TGIFGraphicControlExtension", 0xF9,
                                                            Make<TGIFGraphicControlExtension>, ResolveToSelf};
const TGIFExtensionClass TGIFTextExtension::Class{"TGIFTextExtension", 0x01, Make<TGIFTextExtension>, ResolveToSelf};
const TGIFExtensionClass TGIFCommentExtension::Class{"TGIFCommentExtension", 0xFE, Make<TGIFCommentExtension>,
                                                     ResolveToSelf};
const TGIFExtensionClass TGIFApplicationExtension::Class{"TGIFApplicationExtension", 0xFF,
                                                         Make<TGIFApplicationExtension>, ResolveApplication};
const TGIFExtensionClass TGIFUnknownAppExtension::Class{"TGIFUnknownAppExtension", 0xFF, Make<TGIFUnknownAppExtension>,
                                                        ResolveToSelf};
const TGIFExtensionClass TGIFAppExtNSLoop::Class{"TGIFAppExtNSLoop", 0xFF, Make<TGIFAppExtNSLoop>, ResolveToSelf};

void RegisterExtension(std::uint8_t label, const TGIFExtensionClass* extensionClass) {
  LabelRegistry().push_back({label, extensionClass});
}

void RegisterApplicationExtension(const TGIFApplicationExtension::Identifier& identifier,
                                  const TGIFExtensionClass* extensionClass) {
  ApplicationRegistry().push_back({identifier, extensionClass});
}

const TGIFExtensionClass* FindExtensionByLabel(std::uint8_t label) {
  const auto& registry = LabelRegistry();
  for (auto entry = registry.rbegin(); entry != registry.rend(); ++entry) {
    if (entry->Label == label) return entry->Class;
  }
  return nullptr;
}

const TGIFExtensionClass* FindApplicationExtension(const TGIFApplicationExtension::Identifier& identifier) {
  const auto& registry = ApplicationRegistry();
  for (auto entry = registry.rbegin(); entry != registry.rend(); ++entry) {
    if (entry->Identifier == identifier) return entry->Class;
  }
  return nullptr;
}

const TGIFExtensionClass* FindExtension(cl::TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t label = 0;
  const TGIFExtensionClass* found = ReadByte(stream, label) ? FindExtensionByLabel(label) : nullptr;
  while (found != nullptr) {
    const TGIFExtensionClass* next = found->Resolve(found, stream);
    if (next == found) break;
    found = next;
  }
  stream.SetPosition(start);
  return found;
}

// --- common frame ------------------------------------------------------------------------------------------

TGIFExtension::TGIFExtension(TGIFSubImageCore* frame) : TGIFItem(frame ? frame->Image() : nullptr), FFrame(frame) {}

void TGIFExtension::SaveToStream(cl::TStream& stream) {
  WriteOneByte(stream, kExtensionIntroducer);
  WriteOneByte(stream, ExtensionClass()->Label);
}

void TGIFExtension::LoadFromStream(cl::TStream& stream) {
  std::uint8_t introducer[2];
  ReadExact(stream, introducer, 2);
  if (introducer[0] != kExtensionIntroducer) RaiseGIFError("Invalid extension introducer");
  if (introducer[1] != ExtensionClass()->Label) {
    RaiseGIFError("Internal error: Extension Instance does not match Extension Label");
  }
}

// --- graphic control ---------------------------------------------------------------------------------------

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImageCore* frame) : TGIFExtension(frame) {
  if (frame && frame->GraphicControlExtension() == nullptr) frame->SetGraphicControlExtension(this);
}

void TGIFGraphicControlExtension::BeforeDestruction() {
  if (TGIFSubImageCore* frame = Frame()) {
    if (Transparent()) frame->SetTransparent(false);
    if (frame->GraphicControlExtension() == this) frame->SetGraphicControlExtension(nullptr);
  }
  inherited::BeforeDestruction();
}

void TGIFGraphicControlExtension::SaveToStream(cl::TStream& stream) {
  inherited::SaveToStream(stream);
  const std::uint8_t bytes[6] = {
      FBlockSize,        FPacked,    static_cast<std::uint8_t>(FDelay & 0xFF), static_cast<std::uint8_t>(FDelay >> 8),
      FTransparentIndex, FTerminator};
  WriteBytes(stream, bytes, sizeof(bytes));
}

void TGIFGraphicControlExtension::LoadFromStream(cl::TStream& stream) {
  inherited::LoadFromStream(stream);
  std::uint8_t bytes[6];
  ReadExact(stream, bytes, sizeof(bytes));
  FBlockSize = bytes[0];
  FPacked = bytes[1];
  FDelay = static_cast<std::uint16_t>(bytes[2] | (bytes[3] << 8));
  FTransparentIndex = bytes[4];
  FTerminator = bytes[5];
  if (Transparent() && Frame()) Frame()->SetTransparent(true);
}

void TGIFGraphicControlExtension::SetTransparentColorIndex(int index) {
  const TGIFColorMap* map = Frame() ? &Frame()->ColorMapInUse() : nullptr;
  if (map && map->Count() > 0 && index >= map->Count()) {
    Warning(1, "Invalid color index");
    index = 0;
  }
  FTransparentIndex = static_cast<std::uint8_t>(index);
}

// --- plain text and comment --------------------------------------------------------------------------------

void TGIFTextExtension::SaveToStream(cl::TStream& stream) {
  inherited::SaveToStream(stream);
  WriteBytes(stream, FHeader.data(), FHeader.size());
  WriteSubBlockStrings(stream, FText);
}

void TGIFTextExtension::LoadFromStream(cl::TStream& stream) {
  inherited::LoadFromStream(stream);
  ReadExact(stream, FHeader.data(), FHeader.size());
  ReadSubBlockStrings(stream, FText);
}

void TGIFCommentExtension::SaveToStream(cl::TStream& stream) {
  inherited::SaveToStream(stream);
  WriteSubBlockStrings(stream, FText);
}

void TGIFCommentExtension::LoadFromStream(cl::TStream& stream) {
  inherited::LoadFromStream(stream);
  ReadSubBlockStrings(stream, FText);
}

// --- application -------------------------------------------------------------------------------------------

void TGIFApplicationExtension::SaveToStream(cl::TStream& stream) {
  inherited::SaveToStream(stream);
  WriteOneByte(stream, static_cast<std::uint8_t>(FIdentifier.size()));
  WriteBytes(stream, FIdentifier.data(), FIdentifier.size());
  SaveData(stream);
}

void TGIFApplicationExtension::LoadFromStream(cl::TStream& stream) {
  inherited::LoadFromStream(stream);
  std::uint8_t size = 0;
  ReadExact(stream, &size, 1);
  if (size < 10) RaiseGIFError("Unsupported Application Extension block size");
  if (size == 10) FIdentifier.fill(0);
  ReadExact(stream, FIdentifier.data(), FIdentifier.size());
  MoveBy(stream, static_cast<std::int64_t>(size) - static_cast<std::int64_t>(FIdentifier.size()));
  LoadData(stream);
}

void TGIFUnknownAppExtension::SaveData(cl::TStream& stream) {
  for (const auto& block : FBlocks) {
    WriteOneByte(stream, static_cast<std::uint8_t>(block.size()));
    WriteBytes(stream, block.data(), block.size());
  }
  WriteOneByte(stream, 0);
}

void TGIFUnknownAppExtension::LoadData(cl::TStream& stream) {
  FBlocks.clear();
  std::uint8_t size = 0;
  while (ReadByte(stream, size) && size != 0) {
    std::vector<std::uint8_t> block(size);
    ReadExact(stream, block.data(), block.size());
    FBlocks.push_back(std::move(block));
  }
}

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImageCore* frame) : TGIFApplicationExtension(frame) {
  FIdentifier = IdentifierOf("NETSCAPE2.0");
}

void TGIFAppExtNSLoop::SaveData(cl::TStream& stream) {
  const std::uint8_t bytes[5] = {3, 1, static_cast<std::uint8_t>(FLoops & 0xFF), static_cast<std::uint8_t>(FLoops >> 8),
                                 0};
  WriteBytes(stream, bytes, sizeof(bytes));
}

void TGIFAppExtNSLoop::LoadData(cl::TStream& stream) {
  std::uint8_t header[2];
  ReadExact(stream, header, 2);
  if (header[0] != 3 || header[1] != 1) RaiseGIFError("Invalid GIF data");
  std::uint8_t count[2];
  ReadExact(stream, count, 2);
  FLoops = static_cast<std::uint16_t>(count[0] | (count[1] << 8));
  std::uint8_t terminator = 0;
  ReadExact(stream, &terminator, 1);
  if (terminator != 0) RaiseGIFError("Invalid GIF data");
}

// --- the list in front of a frame --------------------------------------------------------------------------

void TGIFExtensionList::LoadFromStream(cl::TStream& stream, TGIFSubImageCore* frame) {
  std::uint8_t introducer = 0;
  if (!ReadByte(stream, introducer)) return;
  for (;;) {
    if (introducer == kImageSeparator || introducer == kTrailer) {
      MoveBy(stream, -1);
      return;
    }
    if (introducer != kExtensionIntroducer) {
      Warning(1, "Invalid extension introducer");
      MoveBy(stream, -1);
      return;
    }
    const TGIFExtensionClass* extensionClass = FindExtension(stream);
    if (extensionClass == nullptr) RaiseGIFError("Unknown extension type");
    MoveBy(stream, -1);
    TGIFExtension* extension = extensionClass->Create(frame);
    try {
      extension->LoadFromStream(stream);
    } catch (...) {
      cl::Free(extension);
      throw;
    }
    Add(extension);
    if (!ReadByte(stream, introducer)) return;
  }
}

}  // namespace img
