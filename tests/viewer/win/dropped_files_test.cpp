// Files dropped on the frame from the shell: which names open, and the frame opening each in a window.
#include "viewer/dropped_files.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "classlib/test/responder.h"
#include "classlib/win/bitmap.h"
#include "frame_fixture.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/settings.h"

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

TEST(DroppedFiles, TheFrameOpensEachDroppedPictureInAWindowOfItsOwn) {
  ForgetHandedOverFiles();
  const std::string folder = std::getenv("PROJECT_TEST_DIR");
  std::vector<std::string> pictures;
  for (const char* name : {"\\dropped one.bmp", "\\dropped two.bmp"}) {
    pictures.push_back(folder + name);
    cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
    bitmap->SetSize(4, 4);
    bitmap->SaveToFile(pictures.back());
    bitmap->Free();
  }
  cl::test::Responder responder;
  FrameForm = cl::New<TFrameForm>(nullptr);
  const LRESULT result =
      SendMessageA(FrameForm->Handle(), WM_DROPFILES,
                   reinterpret_cast<WPARAM>(MakeDrop({pictures[0], folder + "\\notes.txt", pictures[1]})), 0);
  EXPECT_EQ(result, 0);
  std::vector<std::string> captions;
  for (TEditForm* window : ImageWindows()) captions.push_back(window->Caption());
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, pictures);
  for (TEditForm* window : ImageWindows()) window->Free();
  cl::FreeAndNil(FrameForm);
}

}  // namespace
}  // namespace viewer
