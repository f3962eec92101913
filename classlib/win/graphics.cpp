// TGraphic: file and clipboard plumbing shared by every graphic class.
#include "classlib/win/graphics.h"

#include <cstring>
#include <memory>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"

namespace cl {
namespace {

struct StreamOwner {
  void operator()(TStream* stream) const { stream->Free(); }
};
template <class T>
using OwnedStream = std::unique_ptr<T, StreamOwner>;

}  // namespace

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  Changed(this);
}

void TGraphic::SetModified(bool modified) {
  if (modified)
    Changed(this);
  else
    FModified = false;
}

void TGraphic::Changed(TObject* sender) {
  FModified = true;
  if (FOnChange) FOnChange(this);
}

void TGraphic::Progress(TObject* sender, TProgressStage stage, uint8_t percentDone, bool redrawNow, const TRect& rect,
                        const std::string& message) {
  if (FOnProgress) FOnProgress(sender, stage, percentDone, redrawNow, rect, message);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  OwnedStream<TFileStream> file(New<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite));
  LoadFromStream(*file);
}

void TGraphic::SaveToFile(const std::string& fileName) {
  if (Empty()) return;  // an empty graphic writes nothing, not even a file
  // Encode first and write beside the target, so that a failure leaves an existing file as it was.
  OwnedStream<TMemoryStream> encoded(New<TMemoryStream>());
  SaveToStream(*encoded);
  const std::string temporary = fileName + ".~tmp";
  try {
    OwnedStream<TFileStream> file(New<TFileStream>(temporary, fmCreate));
    encoded->SaveToStream(file.get());
  } catch (const EFCreateError&) {
    throw EFCreateError("Cannot create file %s", {fileName});  // the caller knows no temporary file
  } catch (...) {
    DeleteFileA(temporary.c_str());
    throw;
  }
  if (!MoveFileExA(temporary.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temporary.c_str());
    throw EFCreateError("Cannot create file %s", {fileName});
  }
}

void TGraphic::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

bool TGraphic::Equals(TGraphic* other) {
  if (!other || other->ClassType() != ClassType()) return false;
  if (Empty() || other->Empty()) return Empty() == other->Empty();
  OwnedStream<TMemoryStream> mine(New<TMemoryStream>()), theirs(New<TMemoryStream>());
  SaveToStream(*mine);
  other->SaveToStream(*theirs);
  return mine->Size() == theirs->Size() &&
         std::memcmp(mine->Memory(), theirs->Memory(), static_cast<size_t>(mine->Size())) == 0;
}

}  // namespace cl
