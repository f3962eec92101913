#include "image/core/gif_sub_image.h"

#include <vector>

#include "classlib/core/streams.h"
#include "image/core/gif_error.h"
#include "image/core/gif_image_core.h"
#include "image/core/gif_lzw_decoder.h"
#include "image/core/gif_lzw_encoder.h"
#include "image/core/gif_stream_io.h"

namespace img {
namespace {
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kLocalTableFlag = 0x80;
constexpr std::uint8_t kInterlaceFlag = 0x40;
constexpr std::uint8_t kSortFlag = 0x20;
// What stays of the packed byte when the frame has no local map: interlace and reserved bits.
constexpr std::uint8_t kKeptWithoutLocalMap = 0x58;
}  // namespace

void TGIFLocalColorMap::Warning(int severity, const std::string& message) {
  if (TGIFImageCore* image = FFrame->Image()) image->Warning(this, severity, message);
}

void TGIFLocalColorMap::Changed() {
  FFrame->ColorMapChanged();
}

TGIFSubImageCore::TGIFSubImageCore(TGIFImageCore* image)
    : TGIFItem(image), FColorMap(cl::New<TGIFLocalColorMap>(this)), FExtensions(cl::New<TGIFExtensionList>(image)) {
  FDescriptor[0] = kImageSeparator;
}

TGIFSubImageCore::~TGIFSubImageCore() {
  cl::Free(FExtensions);
  cl::Free(FColorMap);
}

void TGIFSubImageCore::BeforeDestruction() {
  Clear();
  inherited::BeforeDestruction();
}

void TGIFSubImageCore::Clear() {
  FExtensions->Clear();
  FColorMap->Clear();
  FPixels.reset();
  FPixelCount = 0;
  SetDescriptorValue(dvHeight, 0);
  SetDescriptorValue(dvWidth, 0);
  FTransparent = false;
  FGraphicControlExtension = nullptr;
  FreeCaches();
}

TGIFVersion TGIFSubImageCore::GetVersion() const {
  if (FColorMap->Sorted()) return gv89a;
  for (int i = 0; i < FExtensions->Count(); ++i) {
    if (FExtensions->Extensions(i)->GetVersion() == gv89a) return gv89a;
  }
  return gv87a;
}

int TGIFSubImageCore::GetDescriptorValue(int index) const {
  if (index < dvLeft || index > dvHeight) return 0;
  const std::size_t at = static_cast<std::size_t>(2 * index - 1);
  return FDescriptor[at] | (FDescriptor[at + 1] << 8);
}

void TGIFSubImageCore::SetDescriptorValue(int index, int value) {
  if (index < dvLeft || index > dvHeight) return;
  const std::size_t at = static_cast<std::size_t>(2 * index - 1);
  FDescriptor[at] = static_cast<std::uint8_t>(value);
  FDescriptor[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void TGIFSubImageCore::SetInterlaced(bool interlaced) {
  FDescriptor[9] =
      static_cast<std::uint8_t>(interlaced ? FDescriptor[9] | kInterlaceFlag : FDescriptor[9] & ~kInterlaceFlag);
}

void TGIFSubImageCore::AllocatePixels() {
  FPixels.reset();
  FPixelCount = 0;
  const std::uint64_t count = static_cast<std::uint64_t>(Width()) * static_cast<std::uint64_t>(Height());
  if (count == 0) return;
  if (count > kMaxPixels) RaiseGIFError("Invalid GIF data");
  // Zeroed by calloc: the pixels the data does not reach stay colour 0.
  FPixels.reset(static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(count), 1)));
  if (!FPixels) throw cl::EOutOfMemory();
  FPixelCount = static_cast<std::size_t>(count);
}

TGIFColorMap& TGIFSubImageCore::ColorMapInUse() {
  if (FColorMap->Count() > 0) return *FColorMap;
  if (Image() && Image()->GlobalColorMap().Count() > 0) return Image()->GlobalColorMap();
  return *FColorMap;
}

void TGIFSubImageCore::LoadFromStream(cl::TStream& stream) {
  Clear();
  FExtensions->LoadFromStream(stream, this);
  std::uint8_t next = 0;
  if (!ReadByte(stream, next)) return;
  MoveBy(stream, -1);
  // A frame of extensions only: the trailer (or padding) follows.
  if (next == kTrailer || next == 0) return;
  ReadExact(stream, FDescriptor.data(), FDescriptor.size());
  if (Width() == 0 || Height() == 0) {
    SetDescriptorValue(dvHeight, Image() ? Image()->ScreenHeight() : 0);
    SetDescriptorValue(dvWidth, Image() ? Image()->ScreenWidth() : 0);
    Warning(1, "Image exceeds Logical Screen size");
  }
  if (FDescriptor[9] & kLocalTableFlag) FColorMap->LoadFromStream(stream, 2 << (FDescriptor[9] & 0x07));
  Decompress(stream);
}

void TGIFSubImageCore::LoadFromFile(const std::string& fileName) {
  auto* stream = new cl::TFileStream(fileName, cl::fmOpenRead | cl::fmShareDenyWrite);
  try {
    LoadFromStream(*stream);
  } catch (...) {
    cl::Free(stream);
    throw;
  }
  cl::Free(stream);
}

void TGIFSubImageCore::Decompress(cl::TStream& stream) {
  AllocatePixels();
  TStreamDataSource source(stream);
  const GIFWarningSink warning = [this](const std::string& message) { Warning(1, message); };
  DecodeGIFImageData(source, {FPixels.get(), FPixels ? Width() : 0, FPixels ? Height() : 0, IsInterlaced()}, warning);
}

void TGIFSubImageCore::PrepareDescriptor() {
  if (FColorMap->Count() > 0) {
    std::uint8_t packed = kLocalTableFlag;
    if (FColorMap->Sorted()) packed |= kSortFlag;
    packed |= static_cast<std::uint8_t>((FColorMap->BitsPerPixel() - 1) & 0x07);
    FDescriptor[9] = packed;
  } else {
    FDescriptor[9] &= kKeptWithoutLocalMap;
  }
}

void TGIFSubImageCore::SaveToStream(cl::TStream& stream) {
  FExtensions->SaveToStream(stream);
  if (Empty()) return;
  PrepareDescriptor();
  WriteBytes(stream, FDescriptor.data(), FDescriptor.size());
  FColorMap->SaveToStream(stream);
  Compress(stream);
}

void TGIFSubImageCore::Compress(cl::TStream& stream) {
  const int bitsPerPixel = FColorMap->Count() > 0 ? FColorMap->BitsPerPixel() : (Image() ? Image()->BitsPerPixel() : 0);
  // The descriptor may have been resized after the pixels were made; never read past them.
  if (FPixelCount != static_cast<std::size_t>(Width()) * static_cast<std::size_t>(Height())) {
    RaiseGIFError("Invalid GIF data");
  }
  std::vector<std::uint8_t> data;
  EncodeGIFImageData({FPixels.get(), Width(), Height(), IsInterlaced()}, bitsPerPixel, data);
  WriteBytes(stream, data.data(), data.size());
}

}  // namespace img
