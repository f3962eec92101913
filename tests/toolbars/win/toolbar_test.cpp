// Toolbars on real forms: the order and layout of their children docked and floating, separators and the lines of
// a wrapped floating toolbar, the children's order after loading, dragging by a separator, and sizing a floating
// toolbar with the mouse.
#include "toolbars/toolbar.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "loop_script.h"
#include "test_bar.h"
#include "toolbars/toolbar_button.h"

namespace tbr {
namespace {

using test::LoopScript;
using test::TDockForm;

class ToolbarTest : public testing::Test {
 protected:
  void SetUp() override {
    cl::Application->CreateForm(form);
    form->ShowWithClientSize();
    SetActiveWindow(form->Handle());
    toolbar = cl::Make<TToolbar>(form, "Toolbar");
    toolbar->SetHideWhenInactive(false);
    toolbar->SetParent(form->TopDock);
  }
  void TearDown() override { cl::Free(form); }

  TToolbarButton* AddButton(int width = 23) {
    auto* button = cl::New<TToolbarButton>(form);
    button->SetWidth(width);
    button->SetParent(toolbar);
    return button;
  }
  TToolbarSep* AddSeparator() {
    auto* separator = cl::New<TToolbarSep>(form);
    separator->SetParent(toolbar);
    return separator;
  }
  // Three buttons, a separator, two buttons, a separator, one button.
  void AddSixButtonsInThreeGroups() {
    for (int i = 0; i < 3; ++i) AddButton();
    separators.push_back(AddSeparator());
    for (int i = 0; i < 2; ++i) AddButton();
    separators.push_back(AddSeparator());
    AddButton();
  }
  void Float(int x, int y) {
    toolbar->SetFloatPos(cl::Point(x, y));
    toolbar->SetDockedTo(nullptr);
  }

  TDockForm* form = nullptr;
  TToolbar* toolbar = nullptr;
  std::vector<TToolbarSep*> separators;
};

TEST_F(ToolbarTest, NewChildrenGoLastAndASeparatorBelongsOnAToolbar) {
  TToolbarButton* first = AddButton();
  TToolbarSep* separator = AddSeparator();
  TToolbarButton* second = AddButton();
  EXPECT_EQ(toolbar->ChildOrder(), (std::vector<cl::TControl*>{first, separator, second}));
  first->SetParent(nullptr);
  first->SetParent(toolbar);
  EXPECT_EQ(toolbar->ChildOrder(), (std::vector<cl::TControl*>{separator, second, first}));
  try {
    separator->SetParent(form);
    FAIL() << "no error";
  } catch (const cl::EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "TToolbarSep can only be placed on a TToolbar");
  }
  EXPECT_EQ(separator->Parent(), toolbar);
}

TEST_F(ToolbarTest, DockedButtonsSitInALineCentredInTheRow) {
  // The first button makes the bar thicker than the row it joined: it sits in the thicker row.
  TToolbarButton* first = AddButton();
  EXPECT_EQ(first->Top(), 0);
  first->Free();
  AddSixButtonsInThreeGroups();
  // 6 buttons and 2 separators, docked: no margins; the frame adds the grip and the border.
  EXPECT_EQ(toolbar->ClientWidth(), 6 * 23 + 2 * 6);
  EXPECT_EQ(toolbar->ClientHeight(), 22);
  EXPECT_EQ(separators[0]->BoundsRect(), cl::Bounds(69, 0, 6, 22));
  // A taller bar in the same row makes the row thicker: the buttons move to its middle.
  test::TTestBar* tall = cl::Make<test::TTestBar>(form, "Tall");
  tall->Content = cl::Point(40, 30);
  tall->SetDockPos(300);
  tall->SetParent(form->TopDock);
  EXPECT_EQ(toolbar->ClientHeight(), 30);
  EXPECT_EQ(toolbar->ChildOrder()[0]->Top(), 4);
  EXPECT_EQ(separators[0]->Height(), 30);
}

TEST_F(ToolbarTest, AFloatingToolbarWrapsAtItsWidthAndDrawsALineForTheSeparator) {
  AddSixButtonsInThreeGroups();
  Float(300, 300);
  const FrameMargins margins = toolbar->NonClientMargins();
  EXPECT_EQ(toolbar->Width(), 4 + 6 * 23 + 2 * 6 + 4 + margins.Horizontal());
  EXPECT_EQ(toolbar->Height(), 2 + 22 + 1 + margins.Vertical());
  toolbar->SetFloatRightX(80);
  // Three buttons fit a line, the second group and the last button do not: the groups go on lines of their own,
  // 28 apart.
  EXPECT_EQ(toolbar->ClientWidth(), 4 + 3 * 23 + 4);
  EXPECT_EQ(toolbar->ClientHeight(), 2 + 3 * 22 + 2 * 6 + 1);
  EXPECT_EQ(toolbar->WrapLines(), (std::vector<uint32_t>{30, 58}));
  EXPECT_EQ(separators[0]->Width(), 0);
  cl::Owned<cl::TBitmap> picture(cl::test::PaintTo(toolbar));
  HDC dc = picture->Canvas()->Handle();
  EXPECT_EQ(GetPixel(dc, 40, 26), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 40, 27), GetSysColor(COLOR_BTNHIGHLIGHT));
  separators[0]->SetBlank(true);
  separators[0]->SetSizeHorz(8);  // re-fits the bar, which lays the lines out again
  picture.reset(cl::test::PaintTo(toolbar));
  EXPECT_EQ(GetPixel(picture->Canvas()->Handle(), 40, 26), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(picture->Canvas()->Handle(), 40, 54), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(ToolbarTest, TheWrapWidthIsKeptAndRestoredAsTheValueFloatRightX) {
  AddSixButtonsInThreeGroups();
  Float(300, 300);
  toolbar->SetFloatRightX(80);
  std::map<std::string, int> stored;
  toolbar->SavePositionValues(
      [&](const std::string& bar, const std::string& value, int data) { stored[bar + "/" + value] = data; });
  EXPECT_EQ(stored, (std::map<std::string, int>{{"Toolbar/FloatRightX", 80}}));
  const int wrapped = toolbar->ClientHeight();
  // Read back into a bar on one line: it wraps again; a reader without the value gives it the default, one line.
  toolbar->SetFloatRightX(0);
  auto reader = [&](const std::string& bar, const std::string& value, int defaultValue) {
    const auto found = stored.find(bar + "/" + value);
    return found == stored.end() ? defaultValue : found->second;
  };
  toolbar->LoadPositionValues(reader);
  EXPECT_EQ(toolbar->FloatRightX(), 80);
  EXPECT_EQ(toolbar->ClientHeight(), wrapped);
  stored.clear();
  toolbar->LoadPositionValues(reader);
  EXPECT_EQ(toolbar->FloatRightX(), 0);
}

TEST_F(ToolbarTest, HiddenControlsTakeNoRoomAndDoNotWidenTheWrapWidth) {
  AddButton();
  AddButton();
  TToolbarButton* wide = AddButton(200);
  Float(300, 300);
  const int withWide = toolbar->ClientWidth();
  wide->Hide();
  EXPECT_EQ(toolbar->ClientWidth(), withWide - 200);
  toolbar->SetFloatRightX(30);
  EXPECT_EQ(toolbar->ClientWidth(), 4 + 23 + 4);
  wide->Show();
  EXPECT_EQ(toolbar->ClientWidth(), 4 + 200 + 4);
}

TEST_F(ToolbarTest, SeparatorsDrawAnEtchedLineAcrossTheDock) {
  AddButton();
  TToolbarSep* separator = AddSeparator();
  AddButton();
  cl::Owned<cl::TBitmap> picture(cl::test::PaintTo(toolbar));
  HDC dc = picture->Canvas()->Handle();
  EXPECT_EQ(GetPixel(dc, 23 + 2, 10), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 23 + 3, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
  toolbar->SetParent(form->LeftDock);
  EXPECT_EQ(separator->BoundsRect(), cl::Bounds(0, 22, 23, 6));
  picture.reset(cl::test::PaintTo(toolbar));
  dc = picture->Canvas()->Handle();
  EXPECT_EQ(GetPixel(dc, 10, 22 + 2), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 10, 22 + 3), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(ToolbarTest, PressingASeparatorDragsTheToolbar) {
  AddButton();
  TToolbarSep* separator = AddSeparator();
  AddButton();
  LoopScript script;
  script.Cursor().MoveTo(separator->ClientToScreen(cl::Point(3, 5)));
  script.MoveTo(toolbar, form->LeftDock->ClientToScreen(cl::Point(2, 100))).Post(toolbar, WM_LBUTTONUP);
  script.Start();
  cl::test::MouseDown(separator, cl::mbLeft, 3, 5);
  EXPECT_EQ(toolbar->DockedTo(), form->LeftDock);
}

// A form whose toolbar children are made in code, in the order given by their positions.
class TOrderForm : public TDockForm {
  CL_CLASS(TOrderForm, TDockForm)
 public:
  explicit TOrderForm(cl::TComponent* owner) : TDockForm(owner) {}
  TToolbar* Bar = nullptr;
  std::vector<cl::TControl*> Made;

 protected:
  void CreateComponents() override {
    TDockForm::CreateComponents();
    Bar = cl::Make<TToolbar>(this, "Bar");
    Bar->SetParent(TopDock);
    // Made last-first by position, and two without a position of their own.
    for (int left : {50, 0, 25, 0}) {
      auto* button = cl::New<TToolbarButton>(this);
      button->SetLeft(left);
      button->SetParent(Bar);
      Made.push_back(button);
    }
  }
};

TEST(ToolbarLoadingTest, ChildrenAreSortedByPositionAfterLoadingAndTiesKeepTheirOrder) {
  TOrderForm* form = nullptr;
  cl::Application->CreateForm(form);
  EXPECT_EQ(form->Bar->ChildOrder(),
            (std::vector<cl::TControl*>{form->Made[1], form->Made[3], form->Made[2], form->Made[0]}));
  EXPECT_EQ(form->Made[3]->Left(), 23);
  cl::Free(form);
}

class ToolbarSizingTest : public ToolbarTest {
 protected:
  void SetUp() override {
    ToolbarTest::SetUp();
    AddSixButtonsInThreeGroups();
    Float(200, 200);
  }
  // Presses the right border, runs the script and returns once the sizing ended.
  void SizeFromTheRight(LoopScript& script) {
    RECT r;
    GetWindowRect(toolbar->Handle(), &r);
    const cl::TPoint border = cl::Point(r.right - 1, (r.top + r.bottom) / 2);
    script.Cursor().MoveTo(border);
    script.Start();
    SendMessageA(toolbar->Handle(), WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(border.X, border.Y));
  }
  cl::TPoint RightBorderMovedBy(int dx) {
    RECT r;
    GetWindowRect(toolbar->Handle(), &r);
    return cl::Point(r.right - 1 + dx, (r.top + r.bottom) / 2);
  }
};

TEST_F(ToolbarSizingTest, TheRightBorderSnapsToTheWidthsOfTheLines) {
  const FrameMargins margins = toolbar->NonClientMargins();
  const int left = toolbar->Left();
  const int top = toolbar->Top();
  LoopScript script;
  // Pulled 60 pixels in: the widest size within that is two lines, the first group and the other two.
  script.MoveTo(toolbar, RightBorderMovedBy(-60)).Post(toolbar, WM_LBUTTONUP);
  SizeFromTheRight(script);
  const int twoLines = 4 + 3 * 23 + 6 + 4;
  EXPECT_EQ(toolbar->FloatRightX(), twoLines);
  EXPECT_EQ(toolbar->ClientWidth(), twoLines);
  EXPECT_EQ(toolbar->ClientHeight(), 2 + 2 * 22 + 6 + 1);
  EXPECT_EQ(toolbar->Left(), left);
  EXPECT_EQ(toolbar->Top(), top);
  EXPECT_EQ(toolbar->Width(), toolbar->ClientWidth() + margins.Horizontal());

  // A small pull outwards keeps the size; a long one goes back to one line.
  LoopScript small;
  small.MoveTo(toolbar, RightBorderMovedBy(3)).Post(toolbar, WM_LBUTTONUP);
  SizeFromTheRight(small);
  EXPECT_EQ(toolbar->FloatRightX(), twoLines);
  LoopScript wide;
  wide.MoveTo(toolbar, RightBorderMovedBy(300)).Post(toolbar, WM_LBUTTONUP);
  SizeFromTheRight(wide);
  EXPECT_EQ(toolbar->FloatRightX(), 0);
  EXPECT_EQ(toolbar->ClientWidth(), 4 + 6 * 23 + 2 * 6 + 4);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolbarSizingTest, EscapeKeepsTheSize) {
  const cl::TRect before = toolbar->BoundsRect();
  LoopScript script;
  script.MoveTo(toolbar, RightBorderMovedBy(-60)).Post(toolbar, WM_KEYDOWN, VK_ESCAPE);
  SizeFromTheRight(script);
  EXPECT_EQ(toolbar->BoundsRect(), before);
  EXPECT_EQ(toolbar->FloatRightX(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace tbr
