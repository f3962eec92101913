// TShellFileListBox: the listing under a several-pattern mask, its item height for small and large fonts, and
// where it draws the icon and the name.
#include "browser/shell_file_list_box.h"

#include <gtest/gtest.h>

#include "browser/core/file_commands.h"
#include "browser_test_support.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/forms.h"
#include "support/screenshot.h"

namespace brw {
namespace {

int TextHeightOf(HFONT font) {
  HDC screen = GetDC(nullptr);
  TEXTMETRICA metrics{};
  HGDIOBJ previous = font ? SelectObject(screen, font) : nullptr;
  GetTextMetricsA(screen, &metrics);
  if (previous) SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return metrics.tmHeight;
}

class ShellFileListBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    tree.Folders({"sub"});
    for (const char* name : {"b.bmp", "A.gif", "c.jpg", "d.BMP"}) tree.File(name);
    form = cl::CreateNew<cl::TForm>(cl::Application);
    form->SetBounds(40, 40, 260, 240);
    form->SetCaption("Files");
    list = cl::New<TShellFileListBox>(form);
    list->SetParent(form);
    list->SetBounds(4, 4, 240, 200);
    list->SetMask("*.bmp;*.gif");
    list->SetDirectory(tree.Root());
  }
  void TearDown() override { cl::Free(form); }

  brwtest::TempTree tree;
  cl::TForm* form = nullptr;
  TShellFileListBox* list = nullptr;
};

TEST_F(ShellFileListBoxTest, ListsTheMaskedFilesInItemsOf18Pixels) {
  std::vector<std::string> names;
  for (int i = 0; i < list->Items()->Count(); ++i) names.push_back(list->Items()->Strings(i));
  EXPECT_EQ(names, (std::vector<std::string>{"A.gif", "b.bmp", "d.BMP"}));
  EXPECT_TRUE(list->ShowGlyphs());
  list->Font()->SetHeight(-8);
  EXPECT_EQ(list->ItemHeight(), 18);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 18);

  list->SetFileName(tree.Path("b.bmp"));
  EXPECT_EQ(list->FileName(), tree.Path("b.bmp"));
  list->SetFileName(tree.Path("sub"));
  EXPECT_EQ(list->FileName(), "");
  EXPECT_EQ(list->Items()->Count(), 0);
}

TEST_F(ShellFileListBoxTest, ALargeFontGivesItsLineHeight) {
  list->Font()->SetHeight(-30);
  const int expected = FileListItemHeight(TextHeightOf(list->Font()->Handle()), TextHeightOf(nullptr));
  EXPECT_GT(expected, 18);
  EXPECT_EQ(list->ItemHeight(), expected);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), expected);
}

TEST_F(ShellFileListBoxTest, TheIconStandsLeftOfTheName) {
  form->Show();
  list->SetItemIndex(0);
  cl::test::PumpFor(100);
  testsupport::SaveScreenshot("browser_file_list");
  const int rowHeight = list->ItemHeight();
  // Columns of the second (unselected) item holding anything but the white of the list.
  auto inkedColumns = [&] {
    cl::TBitmap* shot = cl::test::PaintTo(list);
    std::vector<bool> inked(shot->Width(), false);
    for (int y = rowHeight; y < 2 * rowHeight; ++y) {
      for (int x = 0; x < shot->Width(); ++x) {
        if ((cl::ColorToRGB(shot->Canvas()->Pixels(x, y)) & 0xFFFFFF) != 0xFFFFFF) inked[x] = true;
      }
    }
    cl::Free(shot);
    return inked;
  };
  auto firstInked = [](const std::vector<bool>& inked, int from, int to) {
    for (int x = from; x < to; ++x)
      if (inked[x]) return x;
    return -1;
  };
  std::vector<bool> withGlyphs = inkedColumns();
  EXPECT_GE(firstInked(withGlyphs, 2, 18), 2);    // the icon
  EXPECT_EQ(firstInked(withGlyphs, 18, 22), -1);  // the gap
  EXPECT_GE(firstInked(withGlyphs, 22, 60), 22);  // the name
  list->SetShowGlyphs(false);
  std::vector<bool> plain = inkedColumns();
  EXPECT_GE(firstInked(plain, 0, 8), 2);  // the name moves to the left edge
  EXPECT_EQ(list->ItemHeight(), 18);
}

}  // namespace
}  // namespace brw
