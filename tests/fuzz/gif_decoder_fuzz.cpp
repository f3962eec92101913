// Reads arbitrary bytes as a GIF. Whatever loads is shown the way frames are rendered (transparency mask and the
// 216-colour error diffusion, over whatever indexes the data holds), then written back and read again: the
// frames must keep their pixels. Malformed input may raise the library's exceptions but must never crash or leak.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "image/core/gif_image_core.h"
#include "image/core/gif_render.h"

namespace {

// Frames can be huge while their data is tiny; writing those back would only measure the encoder's speed.
constexpr std::size_t kRoundTripPixels = std::size_t{1} << 22;

std::size_t TotalPixels(img::TGIFImageCore& image) {
  std::size_t total = 0;
  for (int i = 0; i < image.FrameCount(); ++i) total += image.Frame(i)->DataSize();
  return total;
}

std::vector<std::vector<std::uint8_t>> FramePixels(img::TGIFImageCore& image) {
  std::vector<std::vector<std::uint8_t>> frames;
  for (int i = 0; i < image.FrameCount(); ++i) {
    img::TGIFSubImageCore* frame = image.Frame(i);
    if (!frame->Empty()) frames.emplace_back(frame->Data(), frame->Data() + frame->DataSize());
  }
  return frames;
}

// Renders every frame's rows as the Win32 side does, into scratch rows.
void Render(img::TGIFImageCore& image) {
  for (int i = 0; i < image.FrameCount(); ++i) {
    img::TGIFSubImageCore* frame = image.Frame(i);
    if (frame->Empty()) continue;
    const int width = frame->Width();
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width));
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(img::MaskRowBytes(width)));
    const int transparent =
        frame->GraphicControlExtension() ? frame->GraphicControlExtension()->TransparentColorIndex() : -1;
    img::TGIFDither216 dither(width, frame->ColorMapInUse());
    for (int row = 0; row < frame->Height(); ++row) {
      const std::uint8_t* indices = frame->Data() + static_cast<std::size_t>(row) * width;
      img::MarkTransparentPixels(indices, width, transparent, mask.data());
      dither.Row(indices, out.data(), mask.data(), transparent);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  img::TGIFImageCore image;
  cl::TMemoryStream input;
  if (size > 0) input.Write(data, static_cast<std::int32_t>(size));
  input.SetPosition(0);
  try {
    image.LoadFromStream(input);
  } catch (const cl::Exception&) {
    return 0;
  }
  if (image.IsEmpty() || TotalPixels(image) > kRoundTripPixels) return 0;
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
