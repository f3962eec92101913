// Folder trees and pictures for the browser's tests, made in the system's temporary folder (on drive C:, so that
// the folder tree walks only a few folders to reach them) and removed afterwards.
#pragma once

#include <string>
#include <vector>

#include "classlib/win/colors.h"

namespace brwtest {

class TempTree {
 public:
  // A fresh folder named after the running test; the process's current folder moves into it.
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  // The folder, as the system names it, with a trailing '\'.
  const std::string& Root() const { return FRoot; }
  std::string Path(const std::string& relative) const { return FRoot + relative; }
  // Makes the folders (each relative to the root, parents first).
  void Folders(const std::vector<std::string>& relatives) const;
  // A small file of text.
  void File(const std::string& relative, const std::string& text = "x") const;
  // A 24-bit BMP of one colour.
  void Bitmap(const std::string& relative, int width, int height, cl::TColor color) const;

 private:
  std::string FRoot;
  std::string FStartFolder;
};

// The whole file's bytes ("" when it cannot be read).
std::string ReadBytes(const std::string& path);

}  // namespace brwtest
