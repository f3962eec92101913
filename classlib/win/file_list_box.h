// TFileListBox: the files of one folder that match a mask, sorted without regard to case, in an owner-drawn list
// box. The list's folder is the process's current folder: setting Directory changes both. FileName reads the
// selected file's full path and accepts a folder, a file or "\" to move the list (see SetFileName).
#pragma once

#include <string>

#include "classlib/core/file_list_rules.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/list_box.h"

namespace cl {

class TFileListBox : public TCustomListBox {
  CL_CLASS(TFileListBox, TCustomListBox)
 public:
  explicit TFileListBox(TComponent* owner);
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // The listed folder as the system names it.
  const std::string& Directory() const { return FDirectory; }
  // Makes folder the current folder (EInOutError when that fails) and lists it.
  void SetDirectory(const std::string& folder);
  // Patterns separated by ';' ("*.bmp;*.gif"); blanks around them do not count.
  const std::string& Mask() const { return FMask; }
  void SetMask(const std::string& mask);
  const TFileType& FileType() const { return FFileType; }
  void SetFileType(const TFileType& fileType);
  // Directory + '\' + the selected item, or "" when nothing is selected.
  std::string FileName() const;
  // "" does nothing; "\" moves to the current drive's root; an existing folder or a text ending in '\' moves
  // there (listing again only when the folder differs); an existing file moves to its folder and selects it; any
  // other text is ignored.
  void SetFileName(const std::string& text);
  // Lists the folder again, keeping the selected file selected while it is still listed. (Hides the control's
  // repaint of the same name, as the file list's users expect.)
  void Update();

  bool ShowGlyphs() const { return FShowGlyphs; }
  virtual void SetShowGlyphs(bool showGlyphs);  // (v)
  void SetItemIndex(int index) override;
  // A selection by the user: OnChange when it is a new one, then OnClick.
  void Click() override;

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& e) { FOnChange = e; }

 protected:
  void CreateWnd() override;
  void Loaded() override;
  void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
  // Fills the glyph bitmaps; they start empty, and an empty glyph is not drawn.
  virtual void ReadBitmaps() {}
  // Fires OnChange.
  virtual void Change();

  TBitmap* ExeGlyph() const { return FExeGlyph; }
  TBitmap* FolderGlyph() const { return FFolderGlyph; }
  TBitmap* UnknownGlyph() const { return FUnknownGlyph; }

 private:
  void ReadFileNames(bool keepSelection);
  // Makes folder current; lists it when it is not the listed one.
  void MoveToFolder(const std::string& folder);
  // Fires Change when the selection is not the one last reported.
  void ReportChange();
  bool Loading() const { return ComponentState().Contains(csLoading); }

  std::string FDirectory;
  std::string FMask = "*.*";
  TFileType FFileType = {ftNormal};
  bool FShowGlyphs = false;
  bool FListed = false;
  std::string FLastReported;  // FileName as OnChange last saw it
  TBitmap* FExeGlyph = nullptr;
  TBitmap* FFolderGlyph = nullptr;
  TBitmap* FUnknownGlyph = nullptr;
  TNotifyEvent FOnChange;
};

}  // namespace cl
