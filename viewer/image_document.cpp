#include "viewer/image_document.h"

#include <windows.h>

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/registry.h"
#include "image/gif_image.h"
#include "viewer/core/image_files.h"
#include "viewer/core/window_names.h"
#include "viewer/core/working_copy.h"
#include "viewer/settings.h"

namespace viewer {

namespace {

// The names held by the image windows of this process.
WorkingCopyNames& HeldWorkingCopies() {
  static WorkingCopyNames names([](const std::string& name) { return cl::FileExists(name); });
  return names;
}

// A new file beside target with target's extension, so that the control writes the same format.
std::string SaveFileBeside(const std::string& target) {
  return cl::ExtractFilePath(target) + "~orvane-save-" + cl::ExtractFileName(target);
}

bool WritesAndChecks(ImageControl& image, const std::string& name) {
  image.SetImageError(false);
  image.SetSaveName(name);
  return !image.ImageError() && cl::FileExists(name);
}

}  // namespace

ImageDocument::ImageDocument() {
  PlaceWorkingCopyIn(cl::GetTempDirectory());
}

ImageDocument::~ImageDocument() {
  ReleaseWorkFile();
}

void ImageDocument::PlaceWorkingCopyIn(const std::string& folder) {
  ReleaseWorkFile();
  if (auto name = HeldWorkingCopies().Reserve(folder)) FWorkFile = *name;
}

void ImageDocument::ReleaseWorkFile() {
  if (FWorkFile.empty()) return;
  cl::RemoveFile(FWorkFile);
  HeldWorkingCopies().Release(FWorkFile);
  FWorkFile.clear();
}

OpenResult ImageDocument::Open(ImageControl& image, const std::string& name) {
  if (!cl::FileExists(name)) return OpenResult::Missing;
  if (IsGifPath(name)) return OpenGif(image, name);
  image.ChangeFile(name);
  FFileName = name;
  const bool failed = image.ImageError();
  // A picture that could not be read is not written over the working copy.
  if (!failed) WriteWorkingCopy(image);
  return failed ? OpenResult::LoadFailed : OpenResult::Opened;
}

OpenResult ImageDocument::OpenGif(ImageControl& image, const std::string& name) {
  if (FWorkFile.empty()) throw cl::EFCreateError("Cannot create file ''");
  cl::Owned<img::TGIFImage> gif = cl::MakeOwned<img::TGIFImage>();
  gif->SetDrawOptions(0);  // never animated
  gif->LoadFromFile(name);
  FFileName = name;
  cl::TBitmap* firstFrame = gif->GetBitmap();
  if (!firstFrame) return OpenResult::LoadFailed;  // a GIF without frames
  firstFrame->SaveToFile(FWorkFile);
  image.ChangeFile(FWorkFile);
  return image.ImageError() ? OpenResult::LoadFailed : OpenResult::Opened;
}

const std::string& ImageDocument::RequireWorkFile() const {
  if (FWorkFile.empty()) throw cl::EFCreateError("Cannot create file ''");
  return FWorkFile;
}

void ImageDocument::WriteWorkingCopy(ImageControl& image) {
  if (!WritesAndChecks(image, RequireWorkFile())) throw cl::EFCreateError("Cannot create file '" + FWorkFile + "'");
}

SaveResult ImageDocument::SaveAs(ImageControl& image, const std::string& target) {
  FSaveMessage.clear();
  if (!IsWritableName(target)) return SaveResult::Unwritable;
  const std::string saveFile = SaveFileBeside(target);
  cl::RemoveFile(saveFile);
  const bool appends = NeedsAppendQuestion(target, cl::FileExists(target), image.OverWrite());
  bool saved = false;
  std::string message;
  try {
    saved = (!appends || CopyFileA(target.c_str(), saveFile.c_str(), TRUE)) && WritesAndChecks(image, saveFile) &&
            cl::RenameOverFile(saveFile, target);
    message = image.StatusText();
  } catch (const cl::Exception& error) {
    // A writer that raises (a folder that cannot be written) fails the save like one that reports an error.
    message = error.Message();
  } catch (...) {
    cl::RemoveFile(saveFile);
    throw;
  }
  // The file beside the target is this class's business: the user hears of the file they chose.
  FSaveMessage = cl::StringReplace(message, saveFile, target);
  if (!saved) {
    cl::RemoveFile(saveFile);
    return SaveResult::Failed;
  }
  FFileName = target;
  FModified = false;
  return SaveResult::Saved;
}

RecentFiles ImageDocument::RecordClose(cl::TRegistry& settings, const std::string& caption) {
  FFileName = caption;
  RecentFiles items = ReadRecentFiles(settings);
  if (EntersRecentFiles(caption, FFileName)) {
    UpdateRecentFiles(items, FFileName);
    WriteRecentFiles(settings, items);
  }
  return items;
}

bool ImageDocument::DeleteUserFile() {
  if (FFileName.empty() || IsUntitledCaption(FFileName)) return false;
  return cl::RemoveFile(FFileName);
}

}  // namespace viewer
