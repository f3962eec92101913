// Docks on a real form: where the four docks end up with and without bars, the bars' places in them, the errors
// of a dock, bound lines and the tiled background.
#include "toolbars/dock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/test/counters.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/graphics_test_support.h"
#include "support/import_hook.h"
#include "test_bar.h"

namespace tbr {
namespace {

using test::TDockForm;
using test::TTestBar;

class DockTest : public testing::Test {
 protected:
  void SetUp() override {
    windowsBefore = cl::test::ThreadWindowCount();
    cl::Application->CreateForm(form);
    form->ShowWithClientSize();
  }
  void TearDown() override {
    form->Free();
    EXPECT_EQ(cl::test::ThreadWindowCount(), windowsBefore);
  }
  TTestBar* Bar(TDock* dock, const std::string& name, int row = 0, int pos = -1) {
    TTestBar* bar = cl::Make<TTestBar>(form, name);
    bar->SetDockRow(row);
    bar->SetDockPos(pos);
    bar->SetParent(dock);
    return bar;
  }

  int windowsBefore = 0;
  TDockForm* form = nullptr;
};

TEST_F(DockTest, EmptyDocksTakeNoRoomUnlessFixAlignKeepsOnePixel) {
  for (TDock* dock : {form->TopDock, form->BottomDock, form->LeftDock, form->RightDock}) {
    EXPECT_EQ(dock->Orientation() == doHorizontal ? dock->Height() : dock->Width(), 0) << dock->Name();
  }
  form->TopDock->SetFixAlign(true);
  EXPECT_EQ(form->TopDock->Height(), 1);
  form->TopDock->SetFixAlign(false);
  EXPECT_EQ(form->TopDock->Height(), 0);
}

TEST_F(DockTest, FourDocksWithABarEachShareTheEdgesOfTheForm) {
  TTestBar* top = Bar(form->TopDock, "TopBar");
  Bar(form->BottomDock, "BottomBar");
  TTestBar* left = Bar(form->LeftDock, "LeftBar");
  Bar(form->RightDock, "RightBar");
  // A row is the bar's thickness plus 4 for its frame; the bottom and right docks keep their outer edges.
  EXPECT_EQ(form->TopDock->BoundsRect(), cl::Rect(0, 0, 400, 26));
  EXPECT_EQ(form->BottomDock->BoundsRect(), cl::Rect(0, 274, 400, 300));
  EXPECT_EQ(form->LeftDock->BoundsRect(), cl::Rect(0, 26, 26, 274));
  EXPECT_EQ(form->RightDock->BoundsRect(), cl::Rect(374, 26, 400, 274));
  // The content plus the frame: 2 on each side and the 9-pixel grip at the leading end.
  EXPECT_EQ(top->BoundsRect(), cl::Rect(0, 0, 73, 26));
  EXPECT_EQ(left->BoundsRect(), cl::Rect(0, 0, 26, 73));
  EXPECT_EQ(top->DockedTo(), form->TopDock);
}

TEST_F(DockTest, BarsInOneRowStandSideBySideAndNewRowsStackUp) {
  TTestBar* first = Bar(form->TopDock, "First", 0, 30);
  TTestBar* second = Bar(form->TopDock, "Second", 0, 10);
  TTestBar* third = Bar(form->TopDock, "Third", 1, 0);
  EXPECT_EQ(second->Left(), 10);
  EXPECT_EQ(first->Left(), 83);
  EXPECT_EQ(first->DockPos(), 83);
  EXPECT_EQ(third->Top(), 26);
  EXPECT_EQ(form->TopDock->Height(), 52);
  EXPECT_EQ(form->TopDock->RowCount(), 2);
  third->SetDockRow(0);
  EXPECT_EQ(form->TopDock->Height(), 26);
  EXPECT_EQ(form->TopDock->BarsInRow(0, nullptr), 3);
  third->Hide();
  EXPECT_EQ(form->TopDock->DockList().size(), 2u);
}

TEST_F(DockTest, AFullSizeBarTakesTheWholeLengthOfItsOwnRow) {
  TTestBar* plain = Bar(form->TopDock, "Plain", 0, 0);
  TTestBar* full = Bar(form->TopDock, "Full", 0, 100);
  full->SetFullSize(true);
  EXPECT_EQ(full->DockRow(), 0);
  EXPECT_EQ(plain->DockRow(), 1);
  EXPECT_EQ(full->BoundsRect(), cl::Rect(0, 0, 400, 26));
}

TEST_F(DockTest, InsertingAndRemovingBarsIsReported) {
  std::vector<std::string> reports;
  form->LeftDock->SetOnInsertRemoveBar(TInsertRemoveEvent([&](cl::TObject*, bool inserting, TCustomToolWindow* bar) {
    reports.push_back((inserting ? "+" : "-") + bar->Name());
  }));
  TTestBar* bar = Bar(form->LeftDock, "Bar");
  bar->Free();
  EXPECT_EQ(reports, (std::vector<std::string>{"+Bar", "-Bar"}));
  EXPECT_EQ(form->LeftDock->Width(), 0);
}

TEST_F(DockTest, ADockHoldingControlsKeepsItsPositionAndRefusesOddParents) {
  Bar(form->TopDock, "Bar");
  // Any Position, the one it has too.
  for (TDockPosition position : {dpLeft, dpTop}) {
    try {
      form->TopDock->SetPosition(position);
      ADD_FAILURE() << "no error";
    } catch (const cl::EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), "Cannot change Position of a TDock if it already contains controls");
    }
  }
  EXPECT_EQ(form->TopDock->Position(), dpTop);
  EXPECT_EQ(form->TopDock->Align(), cl::alTop);
  TDock* inner = cl::Make<TDock>(form, "Inner");
  const std::string text = "A TDock control cannot be placed inside a tool window or another TDock";
  try {
    inner->SetParent(form->TopDock);
    FAIL() << "no error";
  } catch (const cl::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), text);
  }
  try {
    inner->SetParent(cl::Make<TTestBar>(form, "Holder"));
    FAIL() << "no error";
  } catch (const cl::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), text);
  }
  EXPECT_EQ(inner->Parent(), nullptr);
  inner->SetPosition(dpRight);
  EXPECT_EQ(inner->Align(), cl::alRight);
}

// A form whose top dock gets a bar while the form is built.
class TBuiltForm : public TDockForm {
  CL_CLASS(TBuiltForm, TDockForm)
 public:
  explicit TBuiltForm(cl::TComponent* owner) : TDockForm(owner) {}
  TTestBar* Built = nullptr;

 protected:
  void CreateComponents() override {
    inherited::CreateComponents();
    Built = cl::Make<TTestBar>(this, "Built");
    Built->SetParent(TopDock);
  }
};

TEST_F(DockTest, ABarPlacedWhileItsFormIsBuiltIsFittedOnceTheFormHasLoaded) {
  TBuiltForm* built = nullptr;
  cl::Application->CreateForm(built);
  EXPECT_EQ(built->Built->BoundsRect(), cl::Rect(0, 0, 73, 26));
  EXPECT_EQ(built->TopDock->Height(), 26);
  built->Free();
}

TEST_F(DockTest, BoundLinesTakeAPixelFromEachNamedSide) {
  Bar(form->TopDock, "Bar");
  form->TopDock->SetBoundLines({blTop, blBottom, blLeft});
  EXPECT_EQ(form->TopDock->Height(), 28);
  RECT window, client;
  GetWindowRect(form->TopDock->Handle(), &window);
  GetClientRect(form->TopDock->Handle(), &client);
  EXPECT_EQ(client.right, window.right - window.left - 1);
  EXPECT_EQ(client.bottom, 26);
  UpdateWindow(form->Handle());
  RedrawWindow(form->TopDock->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetWindowDC(form->TopDock->Handle());
  EXPECT_EQ(GetPixel(dc, 100, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 0, 10), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 100, 27), GetSysColor(COLOR_BTNHIGHLIGHT));
  ReleaseDC(form->TopDock->Handle(), dc);
}

TEST_F(DockTest, FramesPaintOnlyInsideTheUpdateRegionWhichStaysItsSenders) {
  TTestBar* bar = Bar(form->TopDock, "Bar");
  form->TopDock->SetBoundLines({blTop, blLeft});
  UpdateWindow(form->Handle());
  const COLORREF marker = RGB(255, 0, 255);
  for (HWND wnd : {form->TopDock->Handle(), bar->Handle()}) {
    RECT window;
    GetWindowRect(wnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    HDC dc = GetWindowDC(wnd);
    const RECT whole{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(marker);
    FillRect(dc, &whole, brush);
    DeleteObject(brush);
    // The update region, in screen coordinates, holds the top row only.
    HRGN region = CreateRectRgn(window.left, window.top, window.right, window.top + 1);
    SendMessageA(wnd, WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
    EXPECT_NE(GetPixel(dc, width / 2, 0), marker);
    EXPECT_EQ(GetPixel(dc, 0, height / 2), marker);  // the frame's left side lies outside it
    ReleaseDC(wnd, dc);
    RECT box;
    EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
    EXPECT_EQ(box.bottom, window.top + 1);
    EXPECT_TRUE(DeleteObject(region));
  }
}

// The palettes selected while a hook is in place, in order.
std::vector<HPALETTE> selectedPalettes;
testsupport::ImportHook* selectPaletteHook = nullptr;

HPALETTE WINAPI RecordSelectPalette(HDC dc, HPALETTE palette, BOOL background) {
  selectedPalettes.push_back(palette);
  return reinterpret_cast<decltype(&SelectPalette)>(selectPaletteHook->Original())(dc, palette, background);
}

TEST_F(DockTest, TheFormRealizesTheBackgroundsPaletteAndTheBarsOnItRepaintTheirFrames) {
  auto background = cl::testing::BlankBitmap(8, 8);
  background->SetPixelFormat(cl::pf8bit);
  ASSERT_NE(background->Palette(), nullptr);
  TTestBar* bar = Bar(form->TopDock, "Bar");
  TTestBar* elsewhere = Bar(form->LeftDock, "Elsewhere");
  form->TopDock->SetBackground(background.get());
  const HPALETTE palette = form->TopDock->GetPalette();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(bar->GetPalette(), palette);
  EXPECT_EQ(elsewhere->GetPalette(), nullptr);
  cl::test::PumpFor(20);
  testsupport::ImportHook hook("gdi32.dll", "SelectPalette", reinterpret_cast<void*>(&RecordSelectPalette));
  selectPaletteHook = &hook;
  selectedPalettes.clear();
  SendMessageA(form->Handle(), WM_PALETTECHANGED, reinterpret_cast<WPARAM>(cl::Application->Handle()), 0);
  EXPECT_NE(std::find(selectedPalettes.begin(), selectedPalettes.end(), palette), selectedPalettes.end());
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, bar->Handle(), WM_TOOLWINDOW_FRAMEREPAINT, WM_TOOLWINDOW_FRAMEREPAINT, PM_NOREMOVE));
  EXPECT_FALSE(
      PeekMessageA(&msg, elsewhere->Handle(), WM_TOOLWINDOW_FRAMEREPAINT, WM_TOOLWINDOW_FRAMEREPAINT, PM_NOREMOVE));
  // Becoming active, the form lets the dock take its colours.
  selectedPalettes.clear();
  EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0), TRUE);
  EXPECT_NE(std::find(selectedPalettes.begin(), selectedPalettes.end(), palette), selectedPalettes.end());
}

TEST_F(DockTest, TheBackgroundIsTiledFromTheParentsOrigin) {
  // A 3 x 2 background of six colours, so that any shift of the pattern shows.
  auto background = cl::testing::BlankBitmap(3, 2);
  auto colorAt = [](int x, int y) { return static_cast<cl::TColor>(RGB(40 * x + 20, 100 * y + 50, 7)); };
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) background->Canvas()->SetPixels(x, y, colorAt(x, y));
  }
  Bar(form->LeftDock, "Bar");
  form->LeftDock->SetBackground(background.get());
  cl::Owned<cl::TBitmap> painted(cl::test::PaintTo(form->LeftDock));
  const int top = form->LeftDock->Top();  // the dock's offset from its parent's client origin
  for (int y : {0, 1, 5, 40}) {
    for (int x : {0, 1, 2, 7, 20}) {
      const COLORREF expected = static_cast<COLORREF>(colorAt(x % 3, (y + top) % 2));
      EXPECT_EQ(cl::testing::PixelAt(*painted, x, y),
                static_cast<uint32_t>(GetRValue(expected) << 16 | GetGValue(expected) << 8 | GetBValue(expected)))
          << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace tbr
