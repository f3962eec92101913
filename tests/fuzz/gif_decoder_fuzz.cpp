// Reads arbitrary bytes as a GIF. Whatever loads is shown the way frames are rendered (transparency mask and the
// 216-colour error diffusion, over whatever indexes the data holds), then written back and read again: the
// frames must keep their pixels. Malformed input may raise the library's exceptions but must never crash or leak.
//
// Each input may load frames of kPixelBudget pixels in all, and the rendering stops after kRenderedPixels: a few
// bytes can declare frames of millions of pixels, and decoding, rendering and encoding those would only measure
// speed while the search stood still. Every rendering decision is met within a few rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "image/core/gif_image_core.h"
#include "image/core/gif_render.h"

namespace {

// 256 x 256 pixels: giflib's smaller sample pictures fit.
constexpr std::size_t kPixelBudget = std::size_t{1} << 16;
constexpr std::size_t kRenderedPixels = std::size_t{1} << 14;

// An image whose loading stops once its frames hold more than kPixelBudget pixels.
class TBudgetedImage : public img::TGIFImageCore {
 public:
  img::TGIFSubImageCore* CreateFrame() override { return FLastFrame = TGIFImageCore::CreateFrame(); }
  void Progress(cl::TObject* sender, img::TGIFProgressStage stage, int, const std::string&) override {
    // Each frame read reports from the frame list, before it joins the list.
    if (stage != img::gpsRunning || sender != &Images() || !FLastFrame) return;
    FPixels += FLastFrame->DataSize();
    if (FPixels > kPixelBudget) throw cl::Exception("over the fuzzing budget");
  }

 private:
  img::TGIFSubImageCore* FLastFrame = nullptr;
  std::size_t FPixels = 0;
};

std::vector<std::vector<std::uint8_t>> FramePixels(img::TGIFImageCore& image) {
  std::vector<std::vector<std::uint8_t>> frames;
  for (int i = 0; i < image.FrameCount(); ++i) {
    img::TGIFSubImageCore* frame = image.Frame(i);
    if (!frame->Empty()) frames.emplace_back(frame->Data(), frame->Data() + frame->DataSize());
  }
  return frames;
}

// Renders the frames' rows as the Win32 side does, into scratch rows, until kRenderedPixels are done (every frame
// gets at least a row).
void Render(img::TGIFImageCore& image) {
  std::size_t rendered = 0;
  for (int i = 0; i < image.FrameCount(); ++i) {
    img::TGIFSubImageCore* frame = image.Frame(i);
    if (frame->Empty()) continue;
    const int width = frame->Width();
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width));
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(img::MaskRowBytes(width)));
    const int transparent =
        frame->GraphicControlExtension() ? frame->GraphicControlExtension()->TransparentColorIndex() : -1;
    img::TGIFDither216 dither(width, frame->ColorMapInUse());
    for (int row = 0; row < frame->Height() && (row == 0 || rendered < kRenderedPixels); ++row) {
      rendered += static_cast<std::size_t>(width);
      const std::uint8_t* indices = frame->Data() + static_cast<std::size_t>(row) * width;
      img::MarkTransparentPixels(indices, width, transparent, mask.data());
      dither.Row(indices, out.data(), mask.data(), transparent);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBudgetedImage image;
  cl::TMemoryStream input;
  if (size > 0) input.Write(data, static_cast<std::int32_t>(size));
  input.SetPosition(0);
  try {
    image.LoadFromStream(input);
  } catch (const cl::Exception&) {
    return 0;
  }
  if (image.IsEmpty()) return 0;
  Render(image);
  cl::TMemoryStream output;
  try {
    image.SaveToStream(output);
  } catch (const cl::Exception&) {
    return 0;  // an image of extensions only has no version to write
  }
  img::TGIFImageCore reloaded;
  output.SetPosition(0);
  reloaded.LoadFromStream(output);
  if (FramePixels(reloaded) != FramePixels(image)) std::abort();
  return 0;
}
