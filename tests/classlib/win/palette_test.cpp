// Palettes of controls on a real form: a form that becomes active lets the topmost control with a palette realize
// it in the foreground, and when another window changed the system palette every visible control realizes its
// palette as a background palette; a form without palettes asks for nothing.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/test/box.h"
#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "support/import_hook.h"

namespace {

using namespace cl;

// A graphic control (or, below, a windowed one) that draws with a palette of its own.
template <class Base>
class TWithPalette : public Base {
 public:
  explicit TWithPalette(TComponent* owner) : Base(owner) {
    LOGPALETTE entries{0x300, 1, {{200, 100, 50, 0}}};
    FPalette = CreatePalette(&entries);
  }
  ~TWithPalette() override { DeleteObject(FPalette); }
  HPALETTE GetPalette() override { return FPalette; }

 private:
  HPALETTE FPalette;
};

class TSpotWithPalette : public TWithPalette<test::TSpot> {
  CL_CLASS(TSpotWithPalette, test::TSpot)
 public:
  using TWithPalette::TWithPalette;
};

class TBoxWithPalette : public TWithPalette<test::TBox> {
  CL_CLASS(TBoxWithPalette, test::TBox)
 public:
  using TWithPalette::TWithPalette;
};

// The palettes of the controls below as they are selected, and whether as background palettes.
struct Selection {
  HPALETTE Palette;
  BOOL Background;
  bool operator==(const Selection&) const = default;
};
std::vector<HPALETTE> watched;
std::vector<Selection> selections;
testsupport::ImportHook* selectHook = nullptr;

HPALETTE WINAPI RecordSelectPalette(HDC dc, HPALETTE palette, BOOL background) {
  if (std::find(watched.begin(), watched.end(), palette) != watched.end()) {
    selections.push_back({palette, background});
  }
  return reinterpret_cast<decltype(&SelectPalette)>(selectHook->Original())(dc, palette, background);
}

class PaletteTest : public testing::Test {
 protected:
  void SetUp() override {
    selectHook = &hook;
    form = CreateNew<TForm>(Application);
    form->SetBounds(50, 50, 300, 200);
    box = New<TBoxWithPalette>(form);
    box->SetBounds(0, 0, 200, 100);
    box->SetParent(form);
    back = New<TSpotWithPalette>(form);
    back->SetBounds(10, 10, 20, 20);
    back->SetParent(box);
    front = New<TSpotWithPalette>(form);
    front->SetBounds(40, 10, 20, 20);
    front->SetParent(box);
    hidden = New<TSpotWithPalette>(form);
    hidden->SetVisible(false);
    hidden->SetParent(box);
    form->Show();
    watched = {box->GetPalette(), back->GetPalette(), front->GetPalette(), hidden->GetPalette()};
    selections.clear();
  }
  void TearDown() override {
    Free(form);
    watched.clear();
  }

  testsupport::ImportHook hook{"gdi32.dll", "SelectPalette", reinterpret_cast<void*>(&RecordSelectPalette)};
  TForm* form = nullptr;
  TBoxWithPalette* box = nullptr;
  TSpotWithPalette* back = nullptr;
  TSpotWithPalette* front = nullptr;
  TSpotWithPalette* hidden = nullptr;
};

TEST_F(PaletteTest, AnActivatedFormRealizesTheTopmostPaletteInTheForeground) {
  EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0), TRUE);
  EXPECT_EQ(selections, (std::vector<Selection>{{front->GetPalette(), FALSE}}));
}

TEST_F(PaletteTest, APaletteChangedElsewhereIsRealizedByEveryVisibleControlInTheBackground) {
  SendMessageA(form->Handle(), WM_PALETTECHANGED, reinterpret_cast<WPARAM>(Application->Handle()), 0);
  EXPECT_EQ(selections, (std::vector<Selection>{
                            {front->GetPalette(), TRUE}, {back->GetPalette(), TRUE}, {box->GetPalette(), TRUE}}));
  // The form's own change is not news to it.
  selections.clear();
  SendMessageA(form->Handle(), WM_PALETTECHANGED, reinterpret_cast<WPARAM>(form->Handle()), 0);
  EXPECT_TRUE(selections.empty());
}

TEST_F(PaletteTest, AFormWithoutPalettesTakesNoColours) {
  for (TControl* control : {static_cast<TControl*>(box), static_cast<TControl*>(back), static_cast<TControl*>(front)}) {
    control->SetVisible(false);
  }
  EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0), FALSE);
  EXPECT_TRUE(selections.empty());
}

}  // namespace
