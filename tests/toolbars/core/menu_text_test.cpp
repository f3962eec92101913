// The menus' text rules (item text, drawn captions, bitmap and resource names, status-bar hints) and the hint
// window's lines, size and place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolbars/core/menu_hint_layout.h"
#include "toolbars/core/menu_text.h"

namespace tbr::menus {
namespace {

TEST(MenuTextTest, ItemTextSplitsAtTheFirstTab) {
  const MenuItemText text = SplitMenuItemText("Save && E&xit\tCtrl+S\tmore");
  EXPECT_EQ(text.Caption, "Save && E&xit");
  EXPECT_EQ(text.ShortCut, "Ctrl+S\tmore");
  EXPECT_EQ(SplitMenuItemText("Open").ShortCut, "");
}

TEST(MenuTextTest, CaptionsAreMeasuredAsDrawn) {
  struct Case {
    const char* Caption;
    const char* Shown;
    const char* Stripped;
  };
  for (const Case& c : std::vector<Case>{{"&File", "File", "File"},
                                         {"Save && E&xit", "Save & Exit", "Save  Exit"},
                                         {"&&&x", "&x", "x"},
                                         {"end&", "end", "end"},
                                         {"plain", "plain", "plain"}}) {
    EXPECT_EQ(DisplayedCaption(c.Caption), c.Shown) << c.Caption;
    EXPECT_EQ(StripAmpersands(c.Caption), c.Stripped) << c.Caption;
  }
}

TEST(MenuTextTest, NamesAndResourceNames) {
  EXPECT_EQ(ItemBitmapResourceName("File1"), "MEX_FILE");
  EXPECT_EQ(ItemBitmapResourceName("Open_2x"), "MEX_OPENX");
  EXPECT_EQ(ItemBitmapResourceName("&Zoom In..."), "MEX_ZOOMIN");
  struct Case {
    const char* Text;
    ResourceName::TKind Kind;
    int Id;
  };
  for (const Case& c : std::vector<Case>{{"CHECKED", ResourceName::rnName, 0},
                                         {"#12", ResourceName::rnId, 12},
                                         {"#65535", ResourceName::rnId, 65535},
                                         {"#65536", ResourceName::rnInvalid, 0},
                                         {"#0", ResourceName::rnInvalid, 0},
                                         {"#", ResourceName::rnInvalid, 0},
                                         {"#zz", ResourceName::rnInvalid, 0},
                                         {"#1a", ResourceName::rnInvalid, 0}}) {
    const ResourceName name = ParseResourceName(c.Text);
    EXPECT_EQ(name.Kind, c.Kind) << c.Text;
    EXPECT_EQ(name.Id, c.Id) << c.Text;
  }
  EXPECT_EQ(ParseResourceName("CHECKED").Name, "CHECKED");
}

TEST(MenuTextTest, StatusBarHintsShowEscapesAsBlanks) {
  EXPECT_EQ(StatusBarHintText("  Opens a file&#13;from disk "), "Opens a file from disk");
  EXPECT_EQ(StatusBarHintText("two&#13;&#10;lines"), "two  lines");
  EXPECT_EQ(StatusBarHintText("cut at the end&#1"), "cut at the end ");
  EXPECT_EQ(StatusBarHintText(""), "");
}

TEST(MenuHintLayoutTest, LinesBreakAtEscapedAndRealReturns) {
  EXPECT_EQ(SplitHintLines("Open&#13;a file"), (std::vector<std::string>{"Open", "a file"}));
  EXPECT_EQ(SplitHintLines("one\r\ntwo"), (std::vector<std::string>{"one", "\ntwo"}));
  EXPECT_EQ(SplitHintLines("single"), (std::vector<std::string>{"single"}));
}

TEST(MenuHintLayoutTest, SizeAndPlaceKeepTheHintInsideTheWorkArea) {
  EXPECT_EQ(HintWindowSize({cl::Point(40, 13), cl::Point(70, 13)}), cl::Point(76, 5 + 14 + 14));
  const cl::TRect workArea = cl::Rect(0, 0, 800, 600);
  const cl::TPoint size = cl::Point(100, 40);
  struct Case {
    cl::TPoint Cursor;
    cl::TPoint Expected;
  };
  for (const Case& c : std::vector<Case>{{{100, 100}, {100, 125}},
                                         {{750, 100}, {640, 125}},  // left of the cursor at the right edge
                                         {{100, 560}, {100, 510}},  // above it at the bottom
                                         {{0, -25}, {1, 1}}}) {     // never on the left or top edge
    EXPECT_EQ(HintWindowPosition(c.Cursor, size, workArea), c.Expected);
  }
}

}  // namespace
}  // namespace tbr::menus
