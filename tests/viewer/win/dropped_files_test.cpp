#include "viewer/dropped_files.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

namespace viewer {
namespace {

// A drop handle as the shell makes it: DROPFILES followed by the ANSI names, each NUL-ended, and one more NUL.
HDROP MakeDrop(const std::vector<std::string>& names) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& name : names) size += name.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  char* text = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
  for (const std::string& name : names) {
    std::memcpy(text, name.c_str(), name.size() + 1);
    text += name.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST(DroppedFiles, ImageNamesOpenInTheOrderDroppedAndOthersAreSkipped) {
  HDROP drop = MakeDrop({"C:\\x.bmp.txt", "C:\\y.jpeg", "C:\\b.PNG", "C:\\notes.txt", "C:\\a.tif"});
  EXPECT_EQ(TakeDroppedImageNames(drop), (std::vector<std::string>{"C:\\x.bmp.txt", "C:\\b.PNG", "C:\\a.tif"}));
}

TEST(DroppedFiles, LongNamesOpenWhole) {
  const std::string longName = "C:\\pics\\" + std::string(200, 'p') + "\\photo.png";
  EXPECT_EQ(TakeDroppedImageNames(MakeDrop({longName, "C:\\short.txt"})), std::vector<std::string>{longName});
}

TEST(DroppedFiles, AnEmptyDropOpensNothing) {
  EXPECT_TRUE(TakeDroppedImageNames(MakeDrop({})).empty());
}

}  // namespace
}  // namespace viewer
