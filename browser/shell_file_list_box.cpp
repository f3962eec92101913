#include "browser/shell_file_list_box.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "browser/core/file_commands.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/canvas.h"
#include "classlib/win/graphics_tools.h"
#include "classlib/win/messages.h"

namespace brw {

namespace {

constexpr int kGlyphTextLeft = 22;
constexpr int kPlainTextLeft = 2;
constexpr int kIconLeft = 2;

int TextHeightOf(HDC dc) {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  return metrics.tmHeight;
}

}  // namespace

TShellFileListBox::TShellFileListBox(cl::TComponent* owner) : TFileListBox(owner) {
  SetShowGlyphs(true);
  UpdateItemHeight();
}

void TShellFileListBox::SetShowLongNames(bool value) {
  if (value == FShowLongNames) return;
  FShowLongNames = value;
  Update();
}

void TShellFileListBox::SetShowGlyphs(bool showGlyphs) {
  inherited::SetShowGlyphs(showGlyphs);
  UpdateItemHeight();
}

void TShellFileListBox::UpdateItemHeight() {
  HDC screen = GetDC(nullptr);
  const int screenHeight = TextHeightOf(screen);
  HGDIOBJ previous = SelectObject(screen, Font()->Handle());
  const int fontHeight = TextHeightOf(screen);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  SetItemHeight(FileListItemHeight(fontHeight, screenHeight));
}

void TShellFileListBox::Dispatch(cl::TMessage& message) {
  inherited::Dispatch(message);
  if (message.Msg == cl::CM_FONTCHANGED) UpdateItemHeight();
}

void TShellFileListBox::ReadBitmaps() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  ExeGlyph()->LoadFromResourceName(instance, "FL_EXECUTABLE");
  FolderGlyph()->LoadFromResourceName(instance, "FL_CLOSEDFOLDER");
  UnknownGlyph()->LoadFromResourceName(instance, "FL_UNKNOWNFILE");
}

void TShellFileListBox::DrawItem(int index, const cl::TRect& rect, cl::TOwnerDrawState state) {
  cl::TCanvas* canvas = Canvas();
  const std::string& name = Items()->Strings(index);
  canvas->FillRect(rect);
  const int offset = (rect.Bottom - rect.Top - canvas->TextHeight("Pp")) / 2;
  const int textLeft = ShowGlyphs() ? kGlyphTextLeft : kPlainTextLeft;
  canvas->TextRect(rect, rect.Left + textLeft, rect.Top + offset, name);
  if (!ShowGlyphs()) return;
  // The icon of the file's type from the system's image list, asked by the name alone and once per extension:
  // looking into each file costs the shell many milliseconds per item, and pictures carry no icons of their own.
  const std::string extension = cl::UpperCase(cl::ExtractFileExt(name));
  auto known = FIconIndexes.find(extension);
  if (known == FIconIndexes.end()) {
    SHFILEINFOA info{};
    FSystemIcons = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE | SHGFI_USEFILEATTRIBUTES));
    known = FIconIndexes.emplace(extension, FSystemIcons ? info.iIcon : -1).first;
  }
  if (!FSystemIcons || known->second < 0) return;
  const UINT style = state.Contains(cl::odSelected) ? ILD_SELECTED : ILD_NORMAL;
  ImageList_Draw(FSystemIcons, known->second, canvas->Handle(), rect.Left + kIconLeft, rect.Top + offset - 1, style);
}

}  // namespace brw
