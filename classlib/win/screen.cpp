// TScreen: form list, active form and cursors.
#include "classlib/win/screen.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"

namespace cl {

TScreen* Screen = nullptr;

int TScreen::PixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

namespace {

int CALLBACK AddFontName(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names) noexcept {
  try {
    reinterpret_cast<std::vector<std::string>*>(names)->emplace_back(font->lfFaceName);
    return 1;
  } catch (...) {
    return 0;
  }
}

}  // namespace

std::vector<std::string> TScreen::Fonts() const {
  std::vector<std::string> names;
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;  // every family, once per character set it has
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExA(dc, &all, AddFontName, reinterpret_cast<LPARAM>(&names), 0);
  ReleaseDC(nullptr, dc);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

TForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) throw EListError(Format("List index out of bounds (%d)", {index}));
  return FForms[index];
}

void TScreen::RemoveForm(TForm* form) {
  std::erase(FForms, form);
  std::erase(FCreated, form);
  if (FActiveForm == form) FActiveForm = nullptr;
}

void TScreen::FormActivated(TForm* form) {
  FActiveForm = form;
  auto it = std::find(FForms.begin(), FForms.end(), form);
  if (it != FForms.end()) std::rotate(FForms.begin(), it, it + 1);
}

void TScreen::FormDeactivated(TForm* form) {
  if (FActiveForm == form) FActiveForm = nullptr;
}

void TScreen::BeforeDestruction() {
  inherited::BeforeDestruction();
  for (auto& [index, cursor] : FCursors) DestroyCursor(cursor);
  FCursors.clear();
}

void TScreen::SetCursor(TCursor cursor) {
  FCursor = cursor;
  if (cursor != crDefault) {
    ::SetCursor(Cursors(cursor));
    return;
  }
  // The window under the mouse, when it is one of this thread's, sets its own cursor again.
  POINT pos;
  GetCursorPos(&pos);
  HWND wnd = WindowFromPoint(pos);
  if (wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
    SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  } else {
    ::SetCursor(Cursors(crArrow));
  }
}

void TScreen::SetCursors(TCursor index, HCURSOR cursor) {
  auto it = FCursors.find(index);
  if (it != FCursors.end()) {
    if (it->second == cursor) return;
    DestroyCursor(it->second);
    FCursors.erase(it);
  }
  if (cursor) FCursors[index] = cursor;
}

int TScreen::ColorDepth() const {
  if (FTestColorDepth) return FTestColorDepth;
  HDC dc = GetDC(nullptr);
  const int depth = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(nullptr, dc);
  return depth;
}

HCURSOR TScreen::Cursors(TCursor index) const {
  auto stored = FCursors.find(index);
  if (stored != FCursors.end()) return stored->second;
  LPCSTR id = IDC_ARROW;
  switch (index) {
    case crNone:
      return nullptr;
    case crCross:
      id = IDC_CROSS;
      break;
    case crIBeam:
      id = IDC_IBEAM;
      break;
    case crSizeNESW:
      id = IDC_SIZENESW;
      break;
    case crSizeNS:
    case crVSplit:
      id = IDC_SIZENS;
      break;
    case crSizeNWSE:
      id = IDC_SIZENWSE;
      break;
    case crSizeWE:
    case crHSplit:
      id = IDC_SIZEWE;
      break;
    case crUpArrow:
      id = IDC_UPARROW;
      break;
    case crHourGlass:
    case crSQLWait:
      id = IDC_WAIT;
      break;
    case crNo:
    case crNoDrop:
      id = IDC_NO;
      break;
    case crAppStart:
      id = IDC_APPSTARTING;
      break;
    case crHelp:
      id = IDC_HELP;
      break;
    case crHandPoint:
      id = IDC_HAND;
      break;
    case crSizeAll:
      id = IDC_SIZEALL;
      break;
    default:
      break;
  }
  return LoadCursorA(nullptr, id);
}

}  // namespace cl
