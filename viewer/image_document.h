// The file side of an image window: its working copy in the temporary folder, the file it stands for, whether it
// was changed, and how it is opened, saved and closed. The window's image control does the reading and writing;
// this class decides where, and keeps the user's file safe when a write fails.
#pragma once

#include <string>

#include "viewer/core/recent_files.h"

namespace cl {
class TRegistry;
}

namespace viewer {

// What an image window asks of its image control.
class ImageControl {
 public:
  virtual ~ImageControl() = default;
  // Loads a file and shows it.
  virtual void ChangeFile(const std::string& name) = 0;
  // Writes the picture to a file in the format its extension names.
  virtual void SetSaveName(const std::string& name) = 0;
  virtual bool ImageError() const = 0;
  virtual void SetImageError(bool error) = 0;
  virtual bool OverWrite() const = 0;
  // The text of the control's last load or save message.
  virtual std::string StatusText() const = 0;
};

enum class OpenResult { Opened, Missing, LoadFailed };
enum class SaveResult { Saved, Unwritable, Failed };

class ImageDocument {
 public:
  // Takes the first free working-copy name of the temporary folder; none when all are taken.
  ImageDocument();
  // Gives the working-copy name back (deleting its file) and takes the first free one of folder instead.
  void PlaceWorkingCopyIn(const std::string& folder);
  // Deletes the working copy and gives its name back.
  ~ImageDocument();
  ImageDocument(const ImageDocument&) = delete;
  ImageDocument& operator=(const ImageDocument&) = delete;

  const std::string& WorkFile() const { return FWorkFile; }
  // The working copy's name; raises EFCreateError when the window has none.
  const std::string& RequireWorkFile() const;
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& name) { FFileName = name; }
  bool Modified() const { return FModified; }
  void SetModified(bool modified) { FModified = modified; }

  // Loads name into the control and writes it to the working copy. A missing file loads nothing. Raises
  // EFCreateError when the window has no working copy. A name containing ".GIF" is read by the GIF image,
  // not animated: its first frame becomes the working copy, which the control then shows; a GIF that cannot
  // be read raises its error.
  OpenResult Open(ImageControl& image, const std::string& name);
  // Writes the control's picture to the working copy; raises EFCreateError when the window has none.
  void WriteWorkingCopy(ImageControl& image);

  // Writes the picture to target through a new file beside it that replaces target only when complete; an
  // existing TIFF or DCX file is appended to (when the control does not overwrite) in a copy of it. On success
  // the document stands for target and is unmodified; on failure (also when the control raises a class-library
  // exception) nothing of target and of the document changed.
  SaveResult SaveAs(ImageControl& image, const std::string& target);
  // The control's message about the last save, naming the target where it named the file written through.
  const std::string& SaveMessage() const { return FSaveMessage; }

  // Enters the window's name in the recent-file list of settings (unless untitled or "Error") and returns the
  // list as it now stands.
  RecentFiles RecordClose(cl::TRegistry& settings, const std::string& caption);

  // Deletes the user's file; a window without one (untitled) deletes nothing. True when a file was deleted.
  bool DeleteUserFile();

 private:
  OpenResult OpenGif(ImageControl& image, const std::string& name);
  void ReleaseWorkFile();

  std::string FWorkFile;
  std::string FFileName;
  std::string FSaveMessage;
  bool FModified = false;
};

}  // namespace viewer
