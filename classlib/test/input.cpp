// Test input through posted messages and printing into a bitmap.
#include "classlib/test/input.h"

#include <map>

#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/sys.h"
#include "classlib/win/win_control.h"

namespace cl::test {
namespace {

WPARAM MouseKeys(TShiftState shift) {
  WPARAM keys = 0;
  if (shift.Contains(ssShift)) keys |= MK_SHIFT;
  if (shift.Contains(ssCtrl)) keys |= MK_CONTROL;
  if (shift.Contains(ssLeft)) keys |= MK_LBUTTON;
  if (shift.Contains(ssRight)) keys |= MK_RBUTTON;
  if (shift.Contains(ssMiddle)) keys |= MK_MBUTTON;
  return keys;
}

void HandleQueue() {
  Application->ProcessMessages();
}

void PostMouse(TControl* control, UINT msg, int x, int y, WPARAM keys) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  TWinControl* target = windowed ? windowed : control->Parent();
  if (!windowed) {
    x += control->Left();
    y += control->Top();
  }
  PostMessageA(target->Handle(), msg, keys, MAKELPARAM(x, y));
  HandleQueue();
}

UINT ButtonMessage(TMouseButton button, bool down) {
  switch (button) {
    case mbRight:
      return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case mbMiddle:
      return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
      return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  }
}

TShiftStateFlag ButtonFlag(TMouseButton button) {
  return button == mbRight ? ssRight : button == mbMiddle ? ssMiddle : ssLeft;
}

// Keys waiting for their thread timer, by timer id.
std::map<UINT_PTR, std::vector<WORD>>& PendingKeys() {
  static auto* pending = new std::map<UINT_PTR, std::vector<WORD>>;
  return *pending;
}

HWND KeyTarget() {
  HWND focus = GetFocus();
  return focus ? focus : GetActiveWindow();
}

void CALLBACK PostPendingKeys(HWND, UINT, UINT_PTR id, DWORD) noexcept {
  KillTimer(nullptr, id);
  auto it = PendingKeys().find(id);
  if (it == PendingKeys().end()) return;
  for (WORD key : it->second) {
    PostMessageA(KeyTarget(), WM_KEYDOWN, key, 1);
    PostMessageA(KeyTarget(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  }
  PendingKeys().erase(it);
}

}  // namespace

void MouseMove(TControl* control, int x, int y, TShiftState shift) {
  PostMouse(control, WM_MOUSEMOVE, x, y, MouseKeys(shift));
}

void MouseDown(TControl* control, TMouseButton button, int x, int y, TShiftState shift) {
  shift.Include(ButtonFlag(button));
  PostMouse(control, ButtonMessage(button, true), x, y, MouseKeys(shift));
}

void MouseUp(TControl* control, TMouseButton button, int x, int y, TShiftState shift) {
  shift.Exclude(ButtonFlag(button));
  PostMouse(control, ButtonMessage(button, false), x, y, MouseKeys(shift));
}

void Click(TControl* control) {
  const int x = control->ClientWidth() / 2;
  const int y = control->ClientHeight() / 2;
  MouseDown(control, mbLeft, x, y);
  MouseUp(control, mbLeft, x, y);
}

FakeCursor::FakeCursor(TPoint position) : FPosition(std::make_shared<TPoint>(position)) {
  sys::SetCursorPosSource([position = FPosition] { return *position; });
}

FakeCursor::~FakeCursor() {
  sys::SetCursorPosSource(nullptr);
}

void Key(WORD key, TShiftState shift) {
  BYTE saved[256];
  GetKeyboardState(saved);
  BYTE held[256];
  std::copy(saved, saved + 256, held);
  auto hold = [&](TShiftStateFlag flag, int vk) {
    if (shift.Contains(flag)) held[vk] |= 0x80;
  };
  hold(ssShift, VK_SHIFT);
  hold(ssCtrl, VK_CONTROL);
  hold(ssAlt, VK_MENU);
  SetKeyboardState(held);
  const bool alt = shift.Contains(ssAlt);
  // Bit 29 of the key data: Alt is down.
  const LPARAM altBit = alt ? (1 << 29) : 0;
  PostMessageA(KeyTarget(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | altBit);
  PostMessageA(KeyTarget(), alt ? WM_SYSKEYUP : WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u) | altBit);
  HandleQueue();
  SetKeyboardState(saved);
}

void PostKeysLater(std::vector<WORD> keys, unsigned delayMs) {
  const UINT_PTR id = SetTimer(nullptr, 0, delayMs, PostPendingKeys);
  if (id) PendingKeys()[id] = std::move(keys);
}

TBitmap* PaintTo(TControl* control) {
  auto* bitmap = New<TBitmap>();
  try {
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetWidth(control->ClientWidth());
    bitmap->SetHeight(control->ClientHeight());
    HDC dc = bitmap->Canvas()->Handle();
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
      SendMessageA(windowed->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    } else {
      control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    bitmap->Canvas()->Changed();
  } catch (...) {
    bitmap->Free();
    throw;
  }
  return bitmap;
}

}  // namespace cl::test
