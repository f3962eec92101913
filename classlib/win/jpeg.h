// TJPEGImage: the class library's JPEG image. It keeps the compressed bytes it was loaded with (and writes them
// back unchanged) and decodes them once into a DIB; assigning a bitmap encodes it at CompressionQuality.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/core/jpeg_codec.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics.h"

namespace cl {

class TBitmap;

enum TJPEGPixelFormat { jf24Bit, jf8Bit };

// The quality TJPEGImage encodes with unless told otherwise.
constexpr int kDefaultJPEGQuality = 90;

class TJPEGImage : public TGraphic {
  CL_GRAPHIC_CLASS(TJPEGImage, TGraphic)
 public:
  TJPEGImage();
  ~TJPEGImage() override;

  // Another JPEG image: its bytes and settings; a TBitmap: encoded now at CompressionQuality; null: empty.
  void Assign(const TPersistent* source) override;

  TJPEGPixelFormat PixelFormat() const { return FPixelFormat; }
  // jf8Bit decodes through libjpeg's two-pass 256-colour quantiser with Floyd-Steinberg dither.
  void SetPixelFormat(TJPEGPixelFormat format);
  bool Grayscale() const { return FGrayscale; }
  void SetGrayscale(bool grayscale);
  int CompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int quality);

  bool Empty() const override { return FData.empty(); }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // The size comes from the compressed data: these do nothing.
  void SetWidth(int width) override {}
  void SetHeight(int height) override {}

  void Draw(TCanvas* canvas, const TRect& rect) override;
  // Reads and decodes the rest of the stream; EInvalidGraphic with libjpeg's message for a malformed or truncated
  // image, leaving the image as it was.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

  // The decoded pixels (made on first use; null when empty).
  TBitmap* Bitmap() const;

 protected:
  void AssignTo(TPersistent* dest) const override;

 private:
  struct BitmapOwner {
    void operator()(TBitmap* bitmap) const;
  };
  using OwnedBitmap = std::unique_ptr<TBitmap, BitmapOwner>;
  OwnedBitmap Decode(const std::vector<uint8_t>& data) const;
  void Encode(TBitmap* bitmap);

  std::vector<uint8_t> FData;
  mutable OwnedBitmap FBitmap;
  int FWidth = 0;
  int FHeight = 0;
  TJPEGPixelFormat FPixelFormat = jf24Bit;
  bool FGrayscale = false;
  int FQuality = kDefaultJPEGQuality;
};

namespace jpeg {
// Registers TJPEGImage for "jpg" and "jpeg" with the picture-format registry.
void RegisterFormats();

// A decoded image: a DIB section (24 or 32 bits, or 8 with its palette for grey or 256-colour output).
struct TDecodedSection {
  gdi::Object<HBITMAP> Section;
  gdi::Object<HPALETTE> Palette;
  // Hands both handles to bitmap.
  void MoveTo(TBitmap& bitmap);
};
// Decodes one image from source. Raises what the source caught, or EInvalidGraphic with libjpeg's message (also
// "JPEG image is too large" past the class library's pixel budget); nothing is left allocated.
TDecodedSection DecodeToSection(TSource& source, const TDecodeOptions& options);
// Encodes the bitmap's pixels, read as 24 bits whatever the bitmap's own format, into destination; raises like
// DecodeToSection.
void EncodeBitmap(TBitmap* bitmap, const TEncodeOptions& options, TDestination& destination);
}  // namespace jpeg

}  // namespace cl
