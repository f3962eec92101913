// A form with an owner-drawn list and a file list, shown, checked on the screen and photographed for review.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "classlib/core/files.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/colors.h"
#include "classlib/win/file_list_box.h"
#include "classlib/win/forms.h"
#include "support/screenshot.h"

namespace {

using namespace cl;

TEST(ListBoxScreenshotTest, OwnerDrawnListAndFileList) {
  const std::string startFolder = GetCurrentDir();
  std::string folder = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\pictures";
  std::replace(folder.begin(), folder.end(), '/', '\\');
  std::filesystem::create_directories(folder);
  for (const char* name : {"sunset.bmp", "Harbour.gif", "cat.jpg", "notes.txt", "Boats.BMP"}) {
    std::ofstream(folder + "\\" + name) << "x";
  }

  TForm* form = CreateNew<TForm>(Application);
  form->SetCaption("List boxes");
  form->SetBounds(60, 60, 460, 300);
  TListBox* colours = New<TListBox>(form);
  colours->SetParent(form);
  colours->SetBounds(10, 10, 200, 240);
  colours->SetStyle(lbOwnerDrawFixed);
  colours->SetItemHeight(24);
  const TColor swatches[] = {clRed, clGreen, clBlue, clYellow, clFuchsia};
  for (const char* name : {"Red", "Green", "Blue", "Yellow", "Fuchsia"}) colours->Items()->Add(name);
  colours->SetOnDrawItem(TDrawItemEvent([&](TObject*, int index, TRect rect, TOwnerDrawState) {
    TCanvas* canvas = colours->Canvas();
    canvas->FillRect(rect);
    const TColor background = canvas->Brush()->Color();
    canvas->Brush()->SetColor(swatches[index]);
    canvas->FillRect(Rect(rect.Left + 2, rect.Top + 2, rect.Left + 30, rect.Bottom - 2));
    canvas->Brush()->SetColor(background);
    canvas->TextOut(rect.Left + 36, rect.Top + 4, colours->Items()->Strings(index));
  }));
  colours->SetItemIndex(2);

  TFileListBox* files = New<TFileListBox>(form);
  files->SetParent(form);
  files->SetBounds(220, 10, 220, 240);
  files->SetMask("*.bmp;*.gif;*.jpg");
  files->SetDirectory(folder);
  files->SetFileName(folder + "\\Harbour.gif");

  form->Show();
  test::PumpFor(300);
  // Each row shows its swatch, the chosen one too (a Wine desktop that has just started takes a moment to reach
  // the screen); the file list shows the pictures only.
  const auto swatchShown = [&](int i) {
    const TPoint swatch = colours->ClientToScreen(Point(16, i * 24 + 12));
    return testsupport::ScreenColor(swatch.X, swatch.Y) == static_cast<unsigned long>(ColorToRGB(swatches[i]));
  };
  test::PumpUntil([&] { return swatchShown(0); }, 3000);
  testsupport::SaveScreenshot("list_boxes");
  for (int i = 0; i < colours->Items()->Count(); ++i) EXPECT_TRUE(swatchShown(i)) << i;
  EXPECT_EQ(files->Items()->Count(), 4);
  Free(form);
  SetCurrentDir(startFolder);
}

}  // namespace
