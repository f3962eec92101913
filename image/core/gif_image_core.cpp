#include "image/core/gif_image_core.h"

#include <algorithm>
#include <functional>

#include "classlib/core/streams.h"
#include "image/core/gif_stream_io.h"

namespace img {
namespace {
constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

// The starting and ending progress stages around body; the ending stage says 0 % when body raised.
void ReportStages(TGIFImageCore& image, const std::string& message, const std::function<void()>& body) {
  image.Progress(nullptr, gpsStarting, 0, message);
  try {
    body();
  } catch (...) {
    image.Progress(nullptr, gpsEnding, 0, message);
    throw;
  }
  image.Progress(nullptr, gpsEnding, 100, message);
}

}  // namespace

void TGIFImageList::LoadFromStream(cl::TStream& stream, TGIFImageCore* image) {
  std::uint8_t introducer = 0;
  while (ReadByte(stream, introducer)) {
    if (introducer == 0) continue;
    MoveBy(stream, -1);
    if (introducer == kTrailer) return;
    if (introducer != kExtensionIntroducer && introducer != kImageSeparator) {
      Warning(1, "Unknown GIF block type");
      // The trailer check then reads the byte in front of this block.
      MoveBy(stream, -1);
      return;
    }
    TGIFSubImageCore* frame = image->CreateFrame();
    try {
      frame->LoadFromStream(stream);
      const std::int64_t size = stream.Size();
      image->Progress(this, gpsRunning, size > 0 ? static_cast<int>(stream.Position() * 100 / size) : 0, "Loading...");
    } catch (...) {
      cl::Free(frame);
      throw;
    }
    Add(frame);
  }
}

TGIFImageCore::TGIFImageCore() : FHeader(cl::New<TGIFHeader>(this)), FImages(cl::New<TGIFImageList>(this)) {}

TGIFImageCore::~TGIFImageCore() {
  cl::Free(FImages);
  cl::Free(FHeader);
}

TGIFSubImageCore* TGIFImageCore::CreateFrame() {
  return cl::New<TGIFSubImageCore>(this);
}

TGIFVersion TGIFImageCore::Version() const {
  TGIFVersion version = gvUnknown;
  for (int i = 0; i < FImages->Count(); ++i) {
    version = std::max(version, FImages->Frames(i)->GetVersion());
    if (version > gv87a) break;
  }
  return version;
}

int TGIFImageCore::BitsPerPixel() const {
  int bits = FHeader->BitsPerPixel();
  for (int i = 0; i < FImages->Count(); ++i) bits = std::max(bits, FImages->Frames(i)->BitsPerPixel());
  return bits;
}

void TGIFImageCore::ClearImage() {
  FImages->Clear();
  GlobalColorMap().Clear();
  FHeader->SetHeight(0);
  FHeader->SetWidth(0);
  FHeader->Prepare();
}

void TGIFImageCore::LoadFromStream(cl::TStream& stream) {
  ReportStages(*this, "Loading...", [&] {
    ClearImage();
    FHeader->LoadFromStream(stream);
    FImages->LoadFromStream(stream, this);
    TGIFTrailer trailer(this);
    trailer.LoadFromStream(stream);
  });
}

void TGIFImageCore::SaveToStream(cl::TStream& stream) {
  ReportStages(*this, "Saving...", [&] {
    FHeader->SaveToStream(stream);
    const int count = FImages->Count();
    for (int i = 0; i < count; ++i) {
      FImages->Frames(i)->SaveToStream(stream);
      Progress(FImages, gpsRunning, (i + 1) * 100 / count, "Saving...");
    }
    TGIFTrailer trailer(this);
    trailer.SaveToStream(stream);
  });
}

void TGIFImageCore::Warning(cl::TObject* sender, int severity, const std::string& message) {
  if (OnWarning) OnWarning(sender, severity, message);
}

}  // namespace img
