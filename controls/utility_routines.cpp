#include "controls/utility_routines.h"

#include <windows.h>

#include "classlib/win/application.h"
#include "classlib/win/graphics_tools.h"
#include "controls/core/font_text.h"
#include "controls/ctl_application.h"

namespace ctl {
namespace {

TFontText TextOf(const cl::TFont* font) {
  TFontText text;
  text.Name = font->Name();
  text.Size = font->Size();
  text.Color = font->Color();
  const cl::TFontStyles style = font->Style();
  text.Bold = style.Contains(cl::fsBold);
  text.Italic = style.Contains(cl::fsItalic);
  text.Underline = style.Contains(cl::fsUnderline);
  text.StrikeOut = style.Contains(cl::fsStrikeOut);
  return text;
}

struct OwnedWindowSearch {
  HWND Owner;
  HWND Found = nullptr;
};

// The running copy's main form: the visible window its application window owns that has a taskbar button.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) noexcept {
  auto* search = reinterpret_cast<OwnedWindowSearch*>(data);
  if (GetWindow(window, GW_OWNER) != search->Owner || !IsWindowVisible(window)) return TRUE;
  if (!(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW)) return TRUE;
  search->Found = window;
  return FALSE;
}

}  // namespace

std::string FontToString(const cl::TFont* font) {
  return font ? FontTextToString(TextOf(font)) : std::string();
}

void StringToFont(const std::string& text, cl::TFont* font) {
  if (!font) return;
  TFontText fields = TextOf(font);
  if (!ReadFontText(text, fields)) return;
  // Built aside and assigned once, so that the font announces one change.
  cl::Owned<cl::TFont> changed = cl::MakeOwned<cl::TFont>();
  changed->Assign(font);
  changed->SetName(fields.Name);
  changed->SetSize(fields.Size);
  changed->SetColor(fields.Color);
  cl::TFontStyles style;
  if (fields.Bold) style.Include(cl::fsBold);
  if (fields.Italic) style.Include(cl::fsItalic);
  if (fields.Underline) style.Include(cl::fsUnderline);
  if (fields.StrikeOut) style.Include(cl::fsStrikeOut);
  changed->SetStyle(style);
  font->Assign(changed.get());
}

void ActivatePrevInstance() {
  if (!CtlApplication || !CtlApplication->AlreadyRunning() || !cl::Application) return;
  // The title is kept; only the window text goes, so that the search does not find this copy.
  const std::string title = cl::Application->Title();
  SetWindowTextA(cl::Application->Handle(), "");
  if (title.empty()) return;
  HWND previous = FindWindowA("TApplication", title.c_str());
  if (!previous) return;
  // The application window is hidden; the running copy shows itself through its main form.
  OwnedWindowSearch search{previous};
  EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
  HWND target = search.Found ? search.Found : previous;
  if (IsIconic(target)) {
    ShowWindow(target, SW_RESTORE);
  } else {
    BringWindowToTop(target);
  }
  SetForegroundWindow(target);
}

}  // namespace ctl
