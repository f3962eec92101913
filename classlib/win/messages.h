// Window messages as the class library passes them around: the generic TMessage record with typed views, the
// reflected-notification base and the library's internal CM_ notifications (fixed numbers, see the design).
#pragma once

#include <windows.h>

namespace cl {

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  WORD WParamLo() const { return LOWORD(WParam); }
  WORD WParamHi() const { return HIWORD(WParam); }
  WORD LParamLo() const { return LOWORD(LParam); }
  WORD LParamHi() const { return HIWORD(LParam); }
};

// Typed views: read the packed fields of one kind of message.
struct TWMSize {
  explicit TWMSize(const TMessage& m)
      : SizeType(static_cast<UINT>(m.WParam)), Width(m.LParamLo()), Height(m.LParamHi()) {}
  UINT SizeType;
  int Width;
  int Height;
};

struct TWMMouse {
  explicit TWMMouse(const TMessage& m)
      : Keys(static_cast<UINT>(m.WParam)),
        XPos(static_cast<short>(m.LParamLo())),
        YPos(static_cast<short>(m.LParamHi())) {}
  UINT Keys;
  int XPos;
  int YPos;
};

struct TWMKey {
  explicit TWMKey(const TMessage& m) : CharCode(static_cast<WORD>(m.WParam)), KeyData(m.LParam) {}
  WORD CharCode;
  LPARAM KeyData;
};

// WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR* ... reach the child control as CN_BASE + message.
constexpr UINT CN_BASE = 0xBC00;

constexpr UINT CM_ACTIVATE = 0xB000;
constexpr UINT CM_DEACTIVATE = 0xB001;
constexpr UINT CM_ENTER = 0xB002;
constexpr UINT CM_EXIT = 0xB003;
constexpr UINT CM_ENABLEDCHANGED = 0xB004;
constexpr UINT CM_VISIBLECHANGED = 0xB005;
constexpr UINT CM_TEXTCHANGED = 0xB006;
constexpr UINT CM_FONTCHANGED = 0xB007;
constexpr UINT CM_COLORCHANGED = 0xB008;
constexpr UINT CM_PARENTFONTCHANGED = 0xB009;
constexpr UINT CM_PARENTCOLORCHANGED = 0xB00A;
constexpr UINT CM_PARENTSHOWHINTCHANGED = 0xB00B;
constexpr UINT CM_SHOWINGCHANGED = 0xB00C;
constexpr UINT CM_CONTROLLISTCHANGE = 0xB00D;  // wParam: the control, lParam: non-zero when inserting
constexpr UINT CM_MOUSEENTER = 0xB00E;
constexpr UINT CM_MOUSELEAVE = 0xB00F;
constexpr UINT CM_DIALOGKEY = 0xB010;
constexpr UINT CM_DIALOGCHAR = 0xB011;
constexpr UINT CM_WANTSPECIALKEY = 0xB012;
constexpr UINT CM_SYSCOLORCHANGE = 0xB013;
constexpr UINT CM_RELEASE = 0xB014;
constexpr UINT CM_DEFERRED = 0xB015;
constexpr UINT CM_RECREATEWND = 0xB016;

}  // namespace cl
