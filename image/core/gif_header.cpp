#include "image/core/gif_header.h"

#include <cctype>

#include "image/core/gif_error.h"
#include "image/core/gif_image_core.h"
#include "image/core/gif_stream_io.h"

namespace img {
namespace {
constexpr char kSignature[] = "GIF";
// Version v's three characters start at 3 * (v - 1).
constexpr char kVersionTexts[] = "87a89a";
constexpr std::uint8_t kTrailer = 0x3B;
}  // namespace

void TGIFGlobalColorMap::Warning(int severity, const std::string& message) {
  if (TGIFImageCore* image = FHeader->Image()) image->Warning(this, severity, message);
}

bool TGIFGlobalColorMap::Reorder() {
  TGIFImageCore* image = FHeader->Image();
  if (image == nullptr || image->IsEmpty()) return false;
  return SortByUsage(*image->Frame(0), image->FrameCount() == 1);
}

void TGIFGlobalColorMap::Changed() {
  if (TGIFImageCore* image = FHeader->Image()) image->GlobalColorMapChanged();
}

TGIFHeader::TGIFHeader(TGIFImageCore* image) : TGIFItem(image), FColorMap(cl::New<TGIFGlobalColorMap>(this)) {}

TGIFHeader::~TGIFHeader() {
  cl::Free(FColorMap);
}

void TGIFHeader::SetWidth(int width) {
  FDescriptor[0] = static_cast<std::uint8_t>(width);
  FDescriptor[1] = static_cast<std::uint8_t>(width >> 8);
}

void TGIFHeader::SetHeight(int height) {
  FDescriptor[2] = static_cast<std::uint8_t>(height);
  FDescriptor[3] = static_cast<std::uint8_t>(height >> 8);
}

TGIFVersion TGIFHeader::GetVersion() const {
  return FColorMap->Sorted() || AspectRatio() != 0 ? gv89a : gv87a;
}

void TGIFHeader::LoadFromStream(cl::TStream& stream) {
  char signature[6];
  ReadExact(stream, signature, sizeof(signature));
  for (int i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(signature[i])) != kSignature[i]) {
      RaiseGIFError("Invalid GIF signature");
    }
  }
  ReadExact(stream, FDescriptor.data(), FDescriptor.size());
  if (Packed() & 0x80) {
    FColorMap->LoadFromStream(stream, 2 << (Packed() & 0x07));
  } else {
    FColorMap->Clear();
  }
}

void TGIFHeader::Prepare() {
  TGIFImageCore* image = Image();
  const int resolution = image ? image->ColorResolution() : ColorResolution();
  std::uint8_t packed = static_cast<std::uint8_t>((resolution & 0x07) << 4);
  if (FColorMap->Count() > 0) {
    packed |= 0x80;
    if (FColorMap->Sorted()) packed |= 0x08;
    packed |= static_cast<std::uint8_t>((FColorMap->BitsPerPixel() - 1) & 0x07);
  } else {
    const int bits = image ? image->BitsPerPixel() : BitsPerPixel();
    packed |= static_cast<std::uint8_t>((bits - 1) & 0x07);
  }
  FDescriptor[4] = packed;
}

void TGIFHeader::SaveToStream(cl::TStream& stream) {
  const TGIFVersion version = Image() ? Image()->Version() : GetVersion();
  if (version == gvUnknown) RaiseGIFError("Unsupported GIF version");
  Prepare();
  std::uint8_t bytes[6 + kScreenDescriptorSize];
  for (int i = 0; i < 3; ++i) {
    bytes[i] = static_cast<std::uint8_t>(kSignature[i]);
    bytes[3 + i] = static_cast<std::uint8_t>(kVersionTexts[3 * (version - 1) + i]);
  }
  std::copy(FDescriptor.begin(), FDescriptor.end(), bytes + 6);
  WriteBytes(stream, bytes, sizeof(bytes));
  if (Packed() & 0x80) FColorMap->SaveToStream(stream);
}

void TGIFHeader::AssignTo(cl::TPersistent* dest) const {
  if (dest == nullptr || !dest->InheritsFrom(StaticClass())) {
    inherited::AssignTo(dest);
    return;
  }
  auto* header = static_cast<TGIFHeader*>(dest);
  header->FColorMap->Assign(FColorMap);
  header->FDescriptor = FDescriptor;
}

void TGIFTrailer::SaveToStream(cl::TStream& stream) {
  WriteOneByte(stream, kTrailer);
}

void TGIFTrailer::LoadFromStream(cl::TStream& stream) {
  std::uint8_t value = 0;
  if (ReadByte(stream, value) && value != kTrailer) Warning(1, "Invalid Image trailer");
}

}  // namespace img
