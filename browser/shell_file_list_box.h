// TShellFileListBox: the file list with long names, the shell's small icon in front of each name, and an item
// height that follows the font (never below 18 pixels).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>

#include "classlib/win/file_list_box.h"

namespace brw {

class TShellFileListBox : public cl::TFileListBox {
  CL_CLASS(TShellFileListBox, cl::TFileListBox)
 public:
  explicit TShellFileListBox(cl::TComponent* owner);

  // Long names are always listed; a change reads the names again.
  bool ShowLongNames() const { return FShowLongNames; }
  void SetShowLongNames(bool value);
  void SetShowGlyphs(bool showGlyphs) override;

  void Dispatch(cl::TMessage& message) override;

 protected:
  void ReadBitmaps() override;
  // The item's text, and with glyphs the shell's small icon of its file (its selected look when selected).
  void DrawItem(int index, const cl::TRect& rect, cl::TOwnerDrawState state) override;

 private:
  void UpdateItemHeight();

  bool FShowLongNames = true;
  HIMAGELIST FSystemIcons = nullptr;        // the shell's, not owned
  std::map<std::string, int> FIconIndexes;  // index in it by upper-cased extension
};

}  // namespace brw
