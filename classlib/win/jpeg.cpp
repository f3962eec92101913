// TJPEGImage.
#include "classlib/win/jpeg.h"

#include <exception>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/picture.h"

namespace cl {
namespace {

// Makes the DIB section the decoder writes into. Begin runs inside the libjpeg trampoline, so it may not throw:
// it keeps any exception for the caller to raise afterwards.
class SectionTarget : public jpeg::TDecodeTarget {
 public:
  uint8_t* Begin(const jpeg::TDecodedInfo& info, ptrdiff_t& rowStep) noexcept override {
    try {
      if (static_cast<uint64_t>(info.Width) * static_cast<uint64_t>(info.Height) > bmp::kMaxPixels)
        throw EInvalidGraphic("JPEG image is too large");
      std::vector<dib::TColorEntry> colors;
      for (int i = 0; i < info.ColorCount; ++i)
        colors.push_back({info.Colors[i][2], info.Colors[i][1], info.Colors[i][0], 0});
      Result.Section.Reset(dib::CreateBlankSection(info.Width, info.Height, info.BitCount, false, colors));
      if (info.BitCount == 8) Result.Palette.Reset(dib::CreatePaletteOf(colors));
      DIBSECTION section{};
      GetObjectA(Result.Section.Get(), sizeof section, &section);
      // DIB rows are stored bottom-up: image row 0 is the last one in memory.
      const ptrdiff_t stride = static_cast<ptrdiff_t>(bmp::TDibImage::RowStride(info.Width, info.BitCount));
      rowStep = -stride;
      return static_cast<uint8_t*>(section.dsBm.bmBits) + stride * (info.Height - 1);
    } catch (...) {
      Failure = std::current_exception();
      return nullptr;
    }
  }

  jpeg::TDecodedSection Result;
  std::exception_ptr Failure;
};

std::vector<uint8_t> ReadRest(TStream& stream) {
  const int64_t remaining = stream.Size() - stream.Position();
  if (remaining > INT32_MAX) throw EInvalidGraphic("JPEG image is too large");
  std::vector<uint8_t> bytes(static_cast<size_t>(remaining > 0 ? remaining : 0));
  if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  return bytes;
}

}  // namespace

namespace jpeg {

void TDecodedSection::MoveTo(TBitmap& bitmap) {
  bitmap.SetHandle(static_cast<HBITMAP>(gdi::Untrack(Section.Release())));
  if (Palette) bitmap.SetPalette(static_cast<HPALETTE>(gdi::Untrack(Palette.Release())));
}

TDecodedSection DecodeToSection(TSource& source, const TDecodeOptions& options) {
  SectionTarget target;
  TStatus status;
  if (!Decode(source, options, target, status)) {
    if (source.Failure) std::rethrow_exception(source.Failure);
    if (target.Failure) std::rethrow_exception(target.Failure);
    throw EInvalidGraphic(status.Message);
  }
  return std::move(target.Result);
}

void EncodeBitmap(TBitmap* bitmap, const TEncodeOptions& options, TDestination& destination) {
  // 24-bit bottom-up rows of the bitmap, whatever its own format.
  const bmp::TDibImage pixels = dib::ReduceFrom32(dib::Read32(bitmap->Handle(), bitmap->Palette()), 24, false, {});
  const ptrdiff_t stride = static_cast<ptrdiff_t>(pixels.Stride());
  TStatus status;
  if (!Encode(pixels.Bits.data() + stride * (pixels.Height - 1), -stride, pixels.Width, pixels.Height, options,
              destination, status)) {
    if (destination.Failure) std::rethrow_exception(destination.Failure);
    throw EInvalidGraphic(status.Message);
  }
}

}  // namespace jpeg

void TJPEGImage::BitmapOwner::operator()(TBitmap* bitmap) const {
  bitmap->Free();
}

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

TJPEGImage::OwnedBitmap TJPEGImage::Decode(const std::vector<uint8_t>& data) const {
  jpeg::TDecodeOptions options;
  options.Grayscale = FGrayscale;
  options.Quantize256 = FPixelFormat == jf8Bit && !FGrayscale;
  jpeg::TMemorySource source(data.data(), data.size());
  OwnedBitmap bitmap(New<TBitmap>());
  jpeg::DecodeToSection(source, options).MoveTo(*bitmap);
  return bitmap;
}

TBitmap* TJPEGImage::Bitmap() const {
  if (!FBitmap && !FData.empty()) FBitmap = Decode(FData);
  return FBitmap.get();
}

void TJPEGImage::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> data = ReadRest(stream);
  OwnedBitmap bitmap = Decode(data);  // raises before anything of this image changes
  FWidth = bitmap->Width();
  FHeight = bitmap->Height();
  FData = std::move(data);
  FBitmap = std::move(bitmap);
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream& stream) {
  if (!FData.empty()) stream.WriteBuffer(FData.data(), static_cast<int32_t>(FData.size()));
}

void TJPEGImage::Encode(TBitmap* bitmap) {
  jpeg::TEncodeOptions options;
  options.Quality = FQuality;
  jpeg::TMemoryDestination destination;
  jpeg::EncodeBitmap(bitmap, options, destination);
  FData.assign(destination.Data(), destination.Data() + destination.Size());
  FWidth = bitmap->Width();
  FHeight = bitmap->Height();
  FBitmap.reset();
}

void TJPEGImage::Assign(const TPersistent* source) {
  if (!source) {
    FData.clear();
    FBitmap.reset();
    FWidth = FHeight = 0;
    Changed(this);
  } else if (const auto* image = dynamic_cast<const TJPEGImage*>(source)) {
    if (image == this) return;
    FData = image->FData;
    FWidth = image->FWidth;
    FHeight = image->FHeight;
    FPixelFormat = image->FPixelFormat;
    FGrayscale = image->FGrayscale;
    FQuality = image->FQuality;
    FBitmap.reset();
    Changed(this);
  } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    if (bitmap->Empty()) {
      Assign(nullptr);
      return;
    }
    Encode(const_cast<TBitmap*>(bitmap));
    Changed(this);
  } else {
    inherited::Assign(source);
  }
}

void TJPEGImage::AssignTo(TPersistent* dest) const {
  if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
    // The decoded DIB goes to the bitmap instead of being copied (a later Draw decodes again): loading a large
    // JPEG into a bitmap then costs one decoding and no copy.
    if (FData.empty()) {
      bitmap->Assign(nullptr);
      return;
    }
    OwnedBitmap decoded = FBitmap ? std::move(FBitmap) : Decode(FData);
    bitmap->SetHandle(decoded->ReleaseHandle());
    bitmap->SetPalette(decoded->ReleasePalette());
    return;
  }
  inherited::AssignTo(dest);
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat format) {
  if (format == FPixelFormat) return;
  FPixelFormat = format;
  FBitmap.reset();
  Changed(this);
}

void TJPEGImage::SetGrayscale(bool grayscale) {
  if (grayscale == FGrayscale) return;
  FGrayscale = grayscale;
  FBitmap.reset();
  Changed(this);
}

void TJPEGImage::SetCompressionQuality(int quality) {
  if (quality < 1) quality = 1;
  if (quality > 100) quality = 100;
  FQuality = quality;
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& rect) {
  if (TBitmap* bitmap = Bitmap()) bitmap->Draw(canvas, rect);
}

namespace jpeg {

void RegisterFormats() {
  TPicture::RegisterFileFormat("jpg", "JPEG Image File", GraphicClassOf<TJPEGImage>());
  TPicture::RegisterFileFormat("jpeg", "JPEG Image File", GraphicClassOf<TJPEGImage>());
}

}  // namespace jpeg
}  // namespace cl
