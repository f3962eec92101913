// The engine's state and services: the open menu, the menu bars and their highlighted buttons, closing every
// menu, item hints, the bar accelerators and stepping, item bitmaps, glyph drawing, sounds, the work area and the
// caret. The hooks are in menu_hooks.cpp.
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "classlib/core/random.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/guard.h"
#include "classlib/win/hint_window.h"
#include "classlib/win/status_bar.h"
#include "classlib/win/timer.h"
#include "toolbars/core/menu_keyboard.h"
#include "toolbars/core/menu_text.h"
#include "toolbars/custom_popup_menu.h"
#include "toolbars/menu_engine_state.h"
#include "toolbars/menu_hint_window.h"
#include "toolbars/menu_item_bitmaps.h"
#include "toolbars/popup_menu_form.h"

namespace tbr::menus {
namespace {

constexpr int kMinSubmenuDelay = 50;
// Glyphs are drawn from at most this many pixels each way.
constexpr int kGlyphSize = 16;
// Waiting messages handled at once; a window that never validates would otherwise keep the loop going.
constexpr int kMaxPendingMessages = 64;

MenuEngineState* state = nullptr;

void EndMenuUnit() {
  if (!state) return;
  RemoveMenuHooks();
  cl::Free(state->OwnedMenuHint);
  cl::Free(state->PatternBitmap);
  cl::gdi::Delete(state->CheckMarkBitmap);
  cl::gdi::Delete(state->RadioItemBitmap);
  delete state;
  state = nullptr;
}

HBITMAP LoadProgramBitmap(const std::string& resource) {
  HMODULE program = GetModuleHandleA(nullptr);
  if (!FindResourceA(program, resource.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */)) return nullptr;
  return static_cast<HBITMAP>(cl::gdi::Track(LoadBitmapA(program, resource.c_str())));
}

cl::TStatusBar* HintStatusBar(int& index) {
  if (TCustomPopupMenuEx* menu = ActivePopupMenu(); menu && menu->StatusBar()) {
    index = menu->StatusBarIndex();
    return menu->StatusBar();
  }
  if (MenuBar* bar = ActiveMenuBar(); bar && bar->StatusBar()) {
    index = bar->StatusBarIndex();
    return bar->StatusBar();
  }
  return nullptr;
}

// The glyph's pixels (up to 16 x 16, top row first, 0x00RRGGBB) and its size.
struct GlyphPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  uint32_t At(int x, int y) const { return Pixels[y * Width + x]; }
  // The colour that marks transparent pixels: the bottom-left one.
  uint32_t Transparent() const { return At(0, Height - 1); }
};

GlyphPixels ReadGlyph(HBITMAP bitmap) {
  GlyphPixels glyph;
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return glyph;
  glyph.Width = std::min<int>(kGlyphSize, info.bmWidth);
  glyph.Height = std::min<int>(kGlyphSize, info.bmHeight);
  // The whole bitmap's rows are read, top first, and the glyph's corner kept.
  std::vector<uint32_t> all(static_cast<size_t>(info.bmWidth) * glyph.Height);
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = info.bmWidth;
  header.bmiHeader.biHeight = -info.bmHeight;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  // A memory DC: asking the screen's would go to the display server for every glyph.
  cl::gdi::MemoryDC dc;
  if (!GetDIBits(dc.Get(), bitmap, 0, glyph.Height, all.data(), &header, DIB_RGB_COLORS)) {
    glyph.Width = glyph.Height = 0;
    return glyph;
  }
  glyph.Pixels.resize(static_cast<size_t>(glyph.Width) * glyph.Height);
  for (int y = 0; y < glyph.Height; ++y) {
    for (int x = 0; x < glyph.Width; ++x) glyph.Pixels[y * glyph.Width + x] = all[y * info.bmWidth + x] & 0xFFFFFF;
  }
  return glyph;
}

COLORREF AsColorRef(uint32_t pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// Calls draw(column, row, pixel) for each pixel of the glyph that is not of its transparent colour.
template <class Draw>
void ForEachOpaquePixel(const GlyphPixels& glyph, Draw draw) {
  const uint32_t transparent = glyph.Transparent();
  for (int row = 0; row < glyph.Height; ++row) {
    for (int column = 0; column < glyph.Width; ++column) {
      if (glyph.At(column, row) != transparent) draw(column, row, glyph.At(column, row));
    }
  }
}

// The pixels a disabled glyph keeps: dark ones (red below 133, green and blue at most 128 and 132).
bool IsDarkGlyphPixel(uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) < 133 && ((pixel >> 8) & 0xFF) <= 128 && (pixel & 0xFF) <= 132;
}

// Handles the thread's waiting messages of one kind, a bounded number of them; a quit message met is posted
// again.
void DispatchPending(UINT message) {
  MSG msg;
  for (int i = 0; i < kMaxPendingMessages && PeekMessageA(&msg, nullptr, message, message, PM_REMOVE); ++i) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchMessageA(&msg);
  }
}

}  // namespace

MenuEngineState& EngineState() {
  if (!state) {
    state = new MenuEngineState;
    cl::AddExitProc(EndMenuUnit);
  }
  return *state;
}

bool MenuBarButton::IsVertical() {
  return Control()->Width() < Control()->Height();
}

MenuBarButton* AsBarButton(cl::TControl* control) {
  return dynamic_cast<MenuBarButton*>(control);
}

void InitMenuUnit() {
  MenuEngineState& s = EngineState();
  if (s.Started) return;
  s.Started = true;
  cl::Randomize();
  s.OwnedMenuHint = cl::New<THintWindowEx>(nullptr);
  s.CheckMarkBitmap = LoadProgramBitmap("CHECKMARK");
  s.RadioItemBitmap = LoadProgramBitmap("RADIOITEM");
}

TCustomPopupMenuEx* ActivePopupMenu() {
  return state ? state->ActivePopupMenu.get() : nullptr;
}

void SetActivePopupMenu(TCustomPopupMenuEx* menu) {
  EngineState().ActivePopupMenu = menu;
}

bool AnyMenuOpen() {
  TCustomPopupMenuEx* menu = ActivePopupMenu();
  return menu && menu->IsOpen();
}

void RegisterMenuBar(MenuBar* bar) {
  EngineState().MenuBars.push_back(bar);
}

void UnregisterMenuBar(MenuBar* bar) {
  if (state) std::erase(state->MenuBars, bar);
}

MenuBar* ActiveMenuBar() {
  if (!state || state->MenuBars.empty()) return nullptr;
  HWND active = GetActiveWindow();
  MenuBar* found = state->MenuBars.front();
  for (MenuBar* bar : state->MenuBars) {
    cl::TForm* owner = bar->OwnerForm();
    if (owner && owner->HandleAllocated() && owner->Handle() == active) found = bar;
  }
  return found;
}

bool AnyMenuBar() {
  return state && !state->MenuBars.empty();
}

MenuBar* MenuBarShowing(const cl::TMenuItem* item) {
  if (!state || !item || !item->Parent()) return nullptr;
  for (MenuBar* bar : state->MenuBars) {
    std::vector<cl::TMenu*> menus = bar->MergedMenus();
    menus.insert(menus.begin(), bar->MainMenu());
    for (cl::TMenu* menu : menus) {
      if (menu && item->Parent() == menu->Items()) return bar;
    }
  }
  return nullptr;
}

MenuBarButton* HotButton() {
  return state ? AsBarButton(state->HotButton.get()) : nullptr;
}

void SetHotButton(MenuBarButton* button) {
  EngineState().HotButton = button ? button->Control() : nullptr;
}

MenuBarButton* LastButton() {
  return state ? AsBarButton(state->LastButton.get()) : nullptr;
}

void SetLastButton(MenuBarButton* button) {
  EngineState().LastButton = button ? button->Control() : nullptr;
}

int SubmenuDelay() {
  return std::max(EngineState().SubmenuDelay, kMinSubmenuDelay);
}

void SetSubmenuDelay(int ms) {
  EngineState().SubmenuDelay = ms;
}

THintWindowEx* MenuHint() {
  return state ? state->MenuHint.get() : nullptr;
}

void HideMenuHint() {
  if (THintWindowEx* hint = MenuHint()) hint->HideHint();
}

void CloseAllMenus(bool animate) {
  MenuEngineState& s = EngineState();
  cl::Weak<TCustomPopupMenuEx> menu = s.ActivePopupMenu;
  bool wasOpen = false;
  // A failing step ends the closing, but never leaves a menu counted as open.
  cl::GuardSilent([&] {
    if (!menu || !menu->IsOpen()) return;
    wasOpen = true;
    cl::Weak<TPopupMenuExForm> top = menu->Window();
    ShowStatusHint("");
    top->SubmenuTimer()->SetEnabled(false);
    cl::Weak<TPopupMenuExForm> form = top->DeepestMenu();
    while (form) {
      cl::Weak<TPopupMenuExForm> parent = form->ParentMenu();
      if (animate) {
        form->AnimateClose();
      } else {
        form->SetHeight(0);
      }
      if (parent && form) form->Release();
      form = parent;
    }
    if (menu && menu->OnMenuClose()) menu->OnMenuClose()(nullptr);
    if (!menu) return;
    MenuBarButton* barButton = menu->BarButton();
    if (barButton) {
      barButton->PaintLeft();
      barButton->SetButtonDown(false);
      barButton->Control()->Update();
    }
    if (top) {
      top->SetClosing(true);
      top->HideMenu();
    }
    SetLastButton(barButton);
  });
  s.ActivePopupMenu = nullptr;
  // However the menu closed, the focused window has its caret again (a bar lit by the keyboard hides it anew).
  if (wasOpen) ShowMenuCaret();
}

void ShowStatusHint(const std::string& hint) {
  int index = 0;
  cl::TStatusBar* statusBar = HintStatusBar(index);
  if (!statusBar) return;
  const std::string text = StatusBarHintText(cl::GetLongHint(hint));
  if (statusBar->SimplePanel()) {
    statusBar->SetSimpleText(text);
  } else if (index >= 0 && index < statusBar->Panels()->Count()) {
    statusBar->Panels()->Items(index)->SetText(text);
  }
}

void ShowItemHint(cl::TMenuItem* item, bool balloon) {
  if (!item || !AnyMenuOpen()) return;
  TCustomPopupMenuEx* menu = ActivePopupMenu();
  if (!menu->StatusBar()) cl::Application->SetHint(item->Hint());
  if (!item->Enabled()) return;
  if (menu->StatusBar()) ShowStatusHint(item->Hint());
  if (balloon && menu->ShowHint()) {
    const std::string text = cl::Trim(cl::GetShortHint(item->Hint()));
    cl::Application->CancelHint();
    HideMenuHint();
    if (THintWindowEx* hint = MenuHint()) hint->ShowMenuHint(text);
  }
}

MenuBarButton* FindBarButton(MenuBar* bar, uint16_t key) {
  if (!bar) return nullptr;
  cl::TWinControl* control = bar->Control();
  if (!control->Visible()) control->Show();
  for (int i = 0; i < control->ControlCount(); ++i) {
    MenuBarButton* button = AsBarButton(control->Controls(i));
    if (!button || !button->Control()->Enabled()) continue;
    const std::string caption = button->Control()->Caption();
    if (caption == "-" || !cl::IsAccel(static_cast<char>(key), caption)) continue;
    if (TCustomPopupMenuEx* menu = button->DropdownMenuEx(); menu && menu->Window()) {
      menu->Window()->PrepareKeyboardOpen();
    }
    return button;
  }
  return nullptr;
}

MenuBarButton* NextBarButton(MenuBarButton* button, int delta, bool open) {
  if (!button) return nullptr;
  cl::TWinControl* bar = button->Control()->Parent();
  if (!bar) return button;
  std::vector<BarSlot> slots;
  int from = 0;
  for (int i = 0; i < bar->ControlCount(); ++i) {
    MenuBarButton* slot = AsBarButton(bar->Controls(i));
    if (slot == button) from = i;
    slots.push_back(BarSlot{slot != nullptr, slot && slot->Control()->Enabled(), slot && slot->DropdownMenuEx()});
  }
  const int index = StepBarButton(slots, from, delta, open);
  if (index < 0) return button;
  MenuBarButton* next = AsBarButton(bar->Controls(index));
  if (open && next != button) {
    if (TCustomPopupMenuEx* menu = next->DropdownMenuEx(); menu && menu->Window()) {
      menu->Window()->PrepareKeyboardOpen();
      // The item's handler may rebuild the bar, and the button goes with it.
      cl::Weak<cl::TControl> alive = next->Control();
      next->Click();
      if (!alive) return nullptr;
    }
  }
  return next;
}

HBITMAP LoadItemBitmap(const std::string& name) {
  return LoadProgramBitmap(ItemBitmapResourceName(name));
}

void ApplyItemBitmaps(cl::TComponent* form) {
  if (!form) return;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    if (auto* bitmaps = dynamic_cast<TMenuItemBitmaps*>(form->Components(i))) bitmaps->ApplyBitmaps();
  }
}

HBITMAP CheckMarkBitmap() {
  return state ? state->CheckMarkBitmap : nullptr;
}

HBITMAP RadioItemBitmap() {
  return state ? state->RadioItemBitmap : nullptr;
}

cl::TBitmap* PatternBitmap() {
  MenuEngineState& s = EngineState();
  if (!s.PatternBitmap) {
    s.PatternBitmap = cl::New<cl::TBitmap>();
    s.PatternBitmap->SetSize(8, 8);
    cl::TCanvas* canvas = s.PatternBitmap->Canvas();
    const cl::TColor highlight = cl::ColorToRGB(cl::clBtnHighlight);
    const cl::TColor face = cl::ColorToRGB(cl::clBtnFace);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) canvas->SetPixels(x, y, (x % 2) == (y % 2) ? highlight : face);
    }
  }
  return s.PatternBitmap;
}

void FreePatternBitmap() {
  if (state) cl::FreeAndNil(state->PatternBitmap);
}

void DrawTransparentGlyph(cl::TCanvas* canvas, int x, int y, HBITMAP bitmap) {
  const GlyphPixels glyph = ReadGlyph(bitmap);
  if (glyph.Pixels.empty()) return;
  canvas->Changing();
  // Pixel by pixel: a transparent blit of a small device bitmap costs Wine a round trip to the display.
  HDC dc = canvas->Handle();
  ForEachOpaquePixel(
      glyph, [&](int column, int row, uint32_t pixel) { SetPixelV(dc, x + column, y + row, AsColorRef(pixel)); });
  canvas->Changed();
}

void DrawDisabledGlyph(cl::TCanvas* canvas, int x, int y, HBITMAP bitmap) {
  const GlyphPixels glyph = ReadGlyph(bitmap);
  if (glyph.Pixels.empty()) return;
  canvas->Changing();
  HDC dc = canvas->Handle();
  // The outline in the highlight colour one pixel right and down, then in the shadow colour on top.
  const COLORREF colors[2] = {static_cast<COLORREF>(cl::ColorToRGB(cl::clBtnHighlight)),
                              static_cast<COLORREF>(cl::ColorToRGB(cl::clBtnShadow))};
  for (int pass = 0; pass < 2; ++pass) {
    const int offset = pass == 0 ? 1 : 0;
    ForEachOpaquePixel(glyph, [&](int column, int row, uint32_t pixel) {
      if (IsDarkGlyphPixel(pixel)) SetPixelV(dc, x + column + offset, y + row + offset, colors[pass]);
    });
  }
  canvas->Changed();
}

void PlayMenuSound(TMenuSound sound) {
  static const char* const kAliases[] = {"MenuPopup", "", "MenuCommand"};
  // The close sound is empty: nothing is heard.
  const char* alias = kAliases[sound];
  if (*alias) sndPlaySoundA(alias, SND_ASYNC | SND_NODEFAULT);
}

cl::TRect MenuWorkArea() {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  APPBARDATA taskbar{};
  taskbar.cbSize = sizeof taskbar;
  RECT rest{};
  // Without an answer, or with a taskbar that would leave nothing, the whole screen is the work area.
  if (SHAppBarMessage(ABM_GETTASKBARPOS, &taskbar) && SubtractRect(&rest, &screen, &taskbar.rc) &&
      !IsRectEmpty(&rest)) {
    return cl::Rect(rest.left, rest.top, rest.right, rest.bottom);
  }
  return cl::Rect(screen.left, screen.top, screen.right, screen.bottom);
}

void HideMenuCaret() {
  MenuEngineState& s = EngineState();
  if (s.CaretHidden) return;
  s.CaretHidden = HideCaret(nullptr) != 0;
}

void ShowMenuCaret() {
  MenuEngineState& s = EngineState();
  if (!s.CaretHidden) return;
  s.CaretHidden = false;
  ShowCaret(nullptr);
}

void DispatchPendingPaints() {
  DispatchPending(WM_PAINT);
}

void DispatchPendingMouseMoves() {
  DispatchPending(WM_MOUSEMOVE);
}

}  // namespace tbr::menus
