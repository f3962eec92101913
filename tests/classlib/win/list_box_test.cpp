// TListBox through its real window: items and selection over a re-created window, owner-drawn items with the
// canvas colours prepared for them (pixels read back), item height, ItemAtPos and clicks on a selection.
#include "classlib/win/list_box.h"

#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/colors.h"
#include "classlib/win/forms.h"
#include "classlib/win/graphics_tools.h"

namespace {

using namespace cl;

// Records the canvas colours DrawItem finds, then lets the list draw as usual.
class TRecordingListBox : public TListBox {
  CL_CLASS(TRecordingListBox, TListBox)
 public:
  explicit TRecordingListBox(TComponent* owner) : TListBox(owner) {}
  TColor BrushColor = clNone;
  TColor FontColor = clNone;

 protected:
  void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override {
    BrushColor = Canvas()->Brush()->Color();
    FontColor = Canvas()->Font()->Color();
    inherited::DrawItem(index, rect, state);
  }
};

class ListBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    form = CreateNew<TForm>(Application);
    form->SetBounds(100, 100, 300, 250);
    list = New<TRecordingListBox>(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 200, 150);
    for (const char* item : {"alpha", "beta", "gamma", "delta"}) list->Items()->Add(item);
    list->SetOnClick(TNotifyEvent([this](TObject*) { ++clicks; }));
  }
  void TearDown() override { Free(form); }

  std::vector<std::string> WindowItems() {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::string text(SendMessageA(list->Handle(), LB_GETTEXTLEN, i, 0) + 1, '\0');
      text.resize(SendMessageA(list->Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())));
      items.push_back(text);
    }
    return items;
  }

  // Has the list draw item index into a 40 x 16 bitmap as the system asks for it, and returns the bitmap's DC.
  struct DrawnItem {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    ~DrawnItem() {
      SelectObject(dc, old);
      DeleteObject(bitmap);
      DeleteDC(dc);
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }
  };
  std::unique_ptr<DrawnItem> Draw(int index, UINT state) {
    HDC screen = GetDC(nullptr);
    auto item = std::make_unique<DrawnItem>();
    item->dc = CreateCompatibleDC(screen);
    item->bitmap = CreateCompatibleBitmap(screen, 40, 16);
    ReleaseDC(nullptr, screen);
    item->old = SelectObject(item->dc, item->bitmap);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_LISTBOX;
    draw.itemID = index;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = list->Handle();
    draw.hDC = item->dc;
    draw.rcItem = {0, 0, 40, 16};
    SendMessageA(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    return item;
  }

  TForm* form = nullptr;
  TRecordingListBox* list = nullptr;
  int clicks = 0;
};

TEST_F(ListBoxTest, ItemsAndSelectionSurviveARecreatedWindow) {
  list->SetItemIndex(2);
  EXPECT_EQ(WindowItems(), (std::vector<std::string>{"alpha", "beta", "gamma", "delta"}));
  EXPECT_EQ(list->ItemIndex(), 2);
  list->Items()->Insert(0, "omega");  // the selected item keeps its selection where it moved
  EXPECT_EQ(list->ItemIndex(), 3);
  list->SetStyle(lbOwnerDrawFixed);  // a new window
  EXPECT_EQ(WindowItems(), (std::vector<std::string>{"omega", "alpha", "beta", "gamma", "delta"}));
  EXPECT_EQ(list->ItemIndex(), 3);

  HWND before = list->Handle();
  TFont* font = New<TFont>();
  font->Assign(list->Font());
  font->SetSize(font->Size() + 4);
  list->SetFont(font);  // a font change makes the window again
  Free(font);
  EXPECT_NE(list->Handle(), before);
  EXPECT_EQ(WindowItems().size(), 5u);
  EXPECT_EQ(list->ItemIndex(), 3);
  EXPECT_EQ(clicks, 0);
}

TEST_F(ListBoxTest, MultipleSelectionSurvivesARecreatedWindow) {
  list->SetItemIndex(1);
  list->SetMultiSelect(true);  // the single selection carries over
  EXPECT_TRUE(list->Selected(1));
  list->SetSelected(3, true);
  list->SetStyle(lbOwnerDrawFixed);
  EXPECT_FALSE(list->Selected(0));
  EXPECT_TRUE(list->Selected(1));
  EXPECT_TRUE(list->Selected(3));
  EXPECT_THROW(list->Selected(4), EListError);
}

TEST_F(ListBoxTest, OwnerDrawnItemsGetSelectionOrListColours) {
  list->SetStyle(lbOwnerDrawFixed);
  list->SetColor(clYellow);
  list->Font()->SetColor(clRed);

  auto plain = Draw(0, 0);
  EXPECT_EQ(list->BrushColor, clYellow);
  EXPECT_EQ(list->FontColor, clRed);
  EXPECT_EQ(plain->Pixel(39, 15), static_cast<COLORREF>(ColorToRGB(clYellow) & 0xFFFFFF));

  auto selected = Draw(1, ODS_SELECTED);
  EXPECT_EQ(list->BrushColor, clHighlight);
  EXPECT_EQ(list->FontColor, clHighlightText);
  EXPECT_EQ(selected->Pixel(39, 15), static_cast<COLORREF>(ColorToRGB(clHighlight) & 0xFFFFFF));

  // The focus rectangle is drawn after the item, over its border.
  auto focused = Draw(1, ODS_SELECTED | ODS_FOCUS);
  int changedOnTopRow = 0;
  for (int x = 0; x < 40; ++x) changedOnTopRow += focused->Pixel(x, 0) != selected->Pixel(x, 0);
  EXPECT_GT(changedOnTopRow, 0);
  EXPECT_EQ(focused->Pixel(20, 8), selected->Pixel(20, 8));
}

TEST_F(ListBoxTest, OwnerDrawnItemHeightReachesTheWindow) {
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(23);
  list->Handle();
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 23);
  list->SetItemHeight(18);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 18);
  EXPECT_EQ(list->ItemHeight(), 18);
  list->RecreateWnd();
  EXPECT_EQ(list->ItemHeight(), 18);
}

TEST_F(ListBoxTest, ItemAtPosFindsOnlyPointsInsideItems) {
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(20);
  list->Handle();
  EXPECT_EQ(list->ItemAtPos(Point(5, 5), true), 0);
  EXPECT_EQ(list->ItemAtPos(Point(5, 45), true), 2);
  EXPECT_EQ(list->ItemAtPos(Point(5, 85), true), -1);  // below the last item
  EXPECT_EQ(list->ItemAtPos(Point(5, 85), false), 4);
  EXPECT_EQ(list->ItemAtPos(Point(-3, 5), true), -1);
}

TEST_F(ListBoxTest, ASelectionByTheUserClicksButSettingItemIndexDoesNot) {
  list->SetItemIndex(1);
  EXPECT_EQ(clicks, 0);
  SendMessageA(list->Handle(), LB_SETCURSEL, 2, 0);
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list->Handle()));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list->ItemIndex(), 2);
  list->SetItemIndex(9);  // outside the items: nothing selected
  EXPECT_EQ(list->ItemIndex(), -1);
}

}  // namespace
