// Item bitmaps: found by an item's name or caption, drawn transparent or as a disabled outline (also when smaller
// than a glyph cell), and handed to a native menu entry by TMenuItemBitmaps from bitmaps or resources.
#include "toolbars/menu_item_bitmaps.h"

#include <gtest/gtest.h>

#include "classlib/test/responder.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/gdi.h"
#include "menu_test_kit.h"

namespace tbr::menus {
namespace {

using test::MenuFormTest;

constexpr cl::TColor kLight = 0xC8C8C8;
constexpr cl::TColor kWhite = 0xFFFFFF;

cl::Owned<cl::TBitmap> WhiteBitmap(int size) {
  cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
  bitmap->SetSize(size, size);
  bitmap->Canvas()->Brush()->SetColor(kWhite);
  bitmap->Canvas()->FillRect(cl::Rect(0, 0, size, size));
  return bitmap;
}

HBITMAP EntryBitmap(cl::TMenuItem* item, bool checked) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_CHECKMARKS;
  GetMenuItemInfoA(item->Parent()->Handle(), item->Command(), FALSE, &info);
  return checked ? info.hbmpChecked : info.hbmpUnchecked;
}

TEST(MenuGlyphTest, ItemBitmapsAreFoundByTheLettersOfTheName) {
  cl::gdi::Object<HBITMAP> open(LoadItemBitmap("Open1"));
  ASSERT_TRUE(open);
  BITMAP info{};
  GetObjectA(open.Get(), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 16);
  cl::gdi::Object<HBITMAP> byCaption(LoadItemBitmap("&open..."));
  EXPECT_TRUE(byCaption);
  EXPECT_EQ(LoadItemBitmap("Close1"), nullptr);
}

TEST(MenuGlyphTest, TransparentGlyphsLeaveTheirBackgroundColourOut) {
  cl::gdi::Object<HBITMAP> glyph(LoadItemBitmap("Open1"));
  cl::Owned<cl::TBitmap> target = WhiteBitmap(24);
  cl::TCanvas* canvas = target->Canvas();
  DrawTransparentGlyph(canvas, 2, 2, glyph.Get());
  EXPECT_EQ(canvas->Pixels(2, 2), kWhite);  // teal, the colour at the glyph's bottom-left
  EXPECT_EQ(canvas->Pixels(2 + 5, 2 + 5), cl::clBlack);
  EXPECT_EQ(canvas->Pixels(2 + 12, 2 + 12), kLight);
  EXPECT_EQ(canvas->Pixels(2 + 16, 2 + 16), kWhite);
}

TEST(MenuGlyphTest, DisabledGlyphsOutlineOnlyTheirDarkPixels) {
  // The 16 x 16 glyph has a dark square at 4..7; the 8 x 8 one (resource 12), smaller than a glyph cell, one at
  // 2..3, and its own bottom-left colour is the transparent one.
  struct Case {
    HBITMAP Glyph;
    int Start;
    int Size;
  };
  cl::gdi::Object<HBITMAP> large(LoadItemBitmap("Open1"));
  cl::gdi::Object<HBITMAP> small(
      static_cast<HBITMAP>(cl::gdi::Track(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(12)))));
  for (const Case& c : {Case{large.Get(), 4, 4}, Case{small.Get(), 2, 2}}) {
    ASSERT_NE(c.Glyph, nullptr);
    cl::Owned<cl::TBitmap> target = WhiteBitmap(24);
    cl::TCanvas* canvas = target->Canvas();
    DrawDisabledGlyph(canvas, 2, 2, c.Glyph);
    // The shadow on the dark pixels, the highlight a pixel right and down beneath it.
    EXPECT_EQ(canvas->Pixels(2 + c.Start, 2 + c.Start), cl::ColorToRGB(cl::clBtnShadow)) << c.Size;
    EXPECT_EQ(canvas->Pixels(2 + c.Start + c.Size, 2 + c.Start + c.Size), cl::ColorToRGB(cl::clBtnHighlight));
    EXPECT_EQ(canvas->Pixels(2, 2), kWhite) << c.Size;
  }
  cl::Owned<cl::TBitmap> target = WhiteBitmap(24);
  DrawDisabledGlyph(target->Canvas(), 2, 2, large.Get());
  EXPECT_EQ(target->Canvas()->Pixels(2 + 12, 2 + 12), kWhite);  // light pixels leave no outline
}

class MenuItemBitmapsTest : public MenuFormTest {
 protected:
  void SetUp() override {
    MenuFormTest::SetUp();
    item = form->MainMenu->Items()->Items(0)->Items(0);  // File > Copy
    bitmaps = cl::Make<TMenuItemBitmaps>(form, "MenuItemBitmaps1");
  }
  cl::TMenuItem* item = nullptr;
  TMenuItemBitmaps* bitmaps = nullptr;
};

TEST_F(MenuItemBitmapsTest, HandsItsBitmapsToTheItemsEntry) {
  bitmaps->SetMenuItem(item);
  bitmaps->SetCheckedBmpResource("CHECKED_GLYPH");
  bitmaps->SetUncheckedBmpResource("#12");
  EXPECT_EQ(bitmaps->UncheckedBitmap()->Width(), 8);
  EXPECT_EQ(EntryBitmap(item, true), bitmaps->CheckedBitmap()->Handle());
  EXPECT_EQ(EntryBitmap(item, false), bitmaps->UncheckedBitmap()->Handle());
  // Off, the entry has none; on again, it has them back.
  bitmaps->SetEnabled(false);
  EXPECT_EQ(EntryBitmap(item, true), nullptr);
  EXPECT_EQ(EntryBitmap(item, false), nullptr);
  bitmaps->SetEnabled(true);
  EXPECT_NE(EntryBitmap(item, true), nullptr);
  // One bitmap for both: the checked one (not empty) becomes the unchecked one too; setting one sets both.
  bitmaps->SetSingleBitmap(true);
  EXPECT_EQ(bitmaps->UncheckedBitmap()->Width(), 16);
  cl::Owned<cl::TBitmap> small = WhiteBitmap(10);
  bitmaps->SetUncheckedBitmap(small.get());
  EXPECT_EQ(bitmaps->CheckedBitmap()->Width(), 10);
  EXPECT_EQ(bitmaps->UncheckedBmpResource(), "");
  // The item goes: the component forgets it.
  cl::Free(item);
  EXPECT_EQ(bitmaps->MenuItem(), nullptr);
}

TEST_F(MenuItemBitmapsTest, ASubmenuFilledWhenItOpensShowsItsBitmaps) {
  cl::TMenuItem* view = form->MainMenu->Items()->Items(2);
  cl::TMenuItem* zoom = view->Items(1);
  bitmaps->SetMenuItem(zoom->Items(0));  // View > Zoom > 2:1
  bitmaps->SetCheckedBmpResource("CHECKED_GLYPH");
  // The opening submenu's item renames the other entry, which builds the native submenu again.
  zoom->SetOnClick(cl::TNotifyEvent([zoom](cl::TObject*) { zoom->Items(1)->SetCaption("&4:1"); }));
  form->Button(2)->Click();
  TPopupMenuExForm* window = form->Button(2)->DropdownMenuEx()->Window();
  window->SelectItem(window->IndexOfItem(zoom));
  window->OpenSubmenu();
  ASSERT_NE(window->Submenu(), nullptr);
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_CHECKMARKS;
  ASSERT_TRUE(GetMenuItemInfoA(window->Submenu()->MenuHandle(), 0, TRUE, &info));
  EXPECT_EQ(info.hbmpChecked, bitmaps->CheckedBitmap()->Handle());
}

TEST_F(MenuItemBitmapsTest, ANumberSignWithoutANumberIsReportedAndLoadsNothing) {
  cl::test::Responder responder;
  std::vector<cl::test::MessageBoxCall> boxes;
  responder.OnMessageBox = [&](const cl::test::MessageBoxCall& call) {
    boxes.push_back(call);
    return IDOK;
  };
  bitmaps->SetMenuItem(item);
  bitmaps->SetCheckedBmpResource("CHECKED_GLYPH");
  bitmaps->SetCheckedBmpResource("#zz");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "'#zz' is not a valid resource name");
  EXPECT_EQ(boxes[0].Caption, "Error");
  EXPECT_TRUE(boxes[0].Flags & MB_ICONERROR);
  EXPECT_TRUE(bitmaps->CheckedBitmap()->Empty());
  EXPECT_EQ(EntryBitmap(item, true), nullptr);
}

TEST_F(MenuItemBitmapsTest, AnItemWithoutBitmapsShowsTheBitmapOfItsNameOrCaption) {
  auto* menu = cl::Make<TCustomPopupMenuEx>(form, "PopupMenuEx1");
  cl::AddMenuItem(menu->Items(), "Item1", "&Open");  // no "MEX_ITEM": the caption's "MEX_OPEN" shows
  cl::AddMenuItem(menu->Items(), "Item2", "&Close");
  ASSERT_TRUE(test::OpenMenu(menu, menu->Items(), 150, 150));
  cl::TCanvas* buffer = menu->Window()->Buffer()->Canvas();
  // The glyph lies at (5, 2) of its row.
  EXPECT_EQ(buffer->Pixels(5 + 5, 3 + 2 + 5), cl::clBlack);
  EXPECT_EQ(buffer->Pixels(5 + 5, 22 + 2 + 5), cl::ColorToRGB(cl::clMenu));
}

}  // namespace
}  // namespace tbr::menus
