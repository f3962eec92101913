// TTarnby, the browser's main form: the folder tree at the upper left, the mask box and the file list at the lower
// left, and the preview of the chosen file on the right, which zooms, fits the pane, shows full screen, goes to
// the clipboard and opens in the viewer. The file commands copy, move and delete the chosen file, and the list
// follows the tree.
#pragma once

#include <string>

#include "browser/core/file_commands.h"
#include "toolbars/menu_form.h"

namespace cl {
class TComboBox;
class TMainMenu;
class TMenuItem;
class TPanel;
class TScrollBox;
class TTreeNode;
}  // namespace cl

namespace ctl {
class TCtl3PaneSplitCtrl;
class TCtlAboutDlg;
class TCtlCustomSplitter;
class TCtlForm;
class TCtlHiTimer;
class TCtlMessageBoxDlg;
class TCtlOneInstance;
class TIniOut;
class OleDragDrop;
}  // namespace ctl

namespace img {
class TLoadImage;
}

namespace tbr {
class TDock;
namespace menus {
class TMainMenuEx;
}
}  // namespace tbr

namespace brw {

class TBrowseFolder;
class TDirTree;
class TShellFileListBox;

class TTarnby : public tbr::menus::TForm {
  CL_CLASS(TTarnby, tbr::menus::TForm)
 public:
  explicit TTarnby(cl::TComponent* owner);

  // The three panes: the tree at the upper left, the mask box and list at the lower left, the preview on the right.
  ctl::TCtl3PaneSplitCtrl* Ctl3PaneSplitCtrl1 = nullptr;
  TDirTree* DirTree1 = nullptr;
  cl::TScrollBox* ScrollBox1 = nullptr;
  img::TLoadImage* Image1 = nullptr;
  cl::TPanel* Panel1 = nullptr;
  cl::TComboBox* Edit2 = nullptr;
  cl::TPanel* Panel2 = nullptr;
  TShellFileListBox* ShellFileListBox1 = nullptr;
  ctl::TIniOut* IniOut1 = nullptr;
  TBrowseFolder* BrowseFolder1 = nullptr;
  ctl::TCtlHiTimer* CtlHiTimer1 = nullptr;
  // The window's placement, kept per folder the program ends in (the title names it).
  ctl::TCtlForm* CtlForm1 = nullptr;
  // Ends a second copy of the program while this form loads.
  ctl::TCtlOneInstance* CtlOneInstance1 = nullptr;
  // Drags the list's selected files out to other programs.
  ctl::OleDragDrop* OleDragDrop1 = nullptr;
  ctl::TCtlAboutDlg* CtlAboutDlg1 = nullptr;
  // Its buttons are those of the drive error box.
  ctl::TCtlMessageBoxDlg* MessageDialog1 = nullptr;

  cl::TMainMenu* MainMenu1 = nullptr;
  cl::TMenuItem* File1 = nullptr;
  cl::TMenuItem* Copy1 = nullptr;
  cl::TMenuItem* Move1 = nullptr;
  cl::TMenuItem* Delete1 = nullptr;
  cl::TMenuItem* Orlanto1 = nullptr;
  cl::TMenuItem* Copy3 = nullptr;
  cl::TMenuItem* View1 = nullptr;
  cl::TMenuItem* ZoomIn1 = nullptr;
  cl::TMenuItem* ZoomOut1 = nullptr;
  cl::TMenuItem* ActualView111 = nullptr;
  cl::TMenuItem* FittoWindow1 = nullptr;
  // The owner-drawn pop-up menus of the file list and the preview, and the form's system menu.
  tbr::menus::TPopupMenuEx* PopupMenuEx1 = nullptr;
  tbr::menus::TPopupMenuEx* PopupMenuEx2 = nullptr;
  tbr::menus::TSystemMenuEx* SystemMenuEx1 = nullptr;
  // The docks on the four edges; the menu bar stands in the top one in place of the window's menu.
  tbr::TDock* Dock1 = nullptr;
  tbr::TDock* Dock2 = nullptr;
  tbr::TDock* Dock3 = nullptr;
  tbr::TDock* Dock4 = nullptr;
  tbr::menus::TMainMenuEx* MainMenuEx1 = nullptr;

  int Zoom = 100;
  // The file last previewed: what F9 hands to the viewer.
  std::string LastFile;

  // The splitter positions: the left column's width and the tree pane's height.
  int SplitterMain() const;
  void SetSplitterMain(int position);
  int Splitter2() const;
  void SetSplitterPosition2(int position);

  // Previews the list's file unless it is the one already shown.
  void ShellFileListBox1Change(cl::TObject* sender);
  // Shows the preview at percent of the picture's size.
  void ZoomPercent(int percent);
  void ZoomStepClick(cl::TObject* sender);
  void FittoWindow1Click(cl::TObject* sender);
  void FullScreenPreview1Click(cl::TObject* sender);
  void Copy3Click(cl::TObject* sender);
  void View1Click(cl::TObject* sender);
  void File1Click(cl::TObject* sender);
  // F9: the viewer with the file last previewed.
  void Orlanto1Click(cl::TObject* sender);
  void UsingTarnby1Click(cl::TObject* sender);
  void TarnbyHomePage1Click(cl::TObject* sender);
  void About1Click(cl::TObject* sender);
  void Exit1Click(cl::TObject* sender);

  // The file commands: the chosen file copied or moved into a folder picked in the folder dialog, or deleted
  // after a question; the list then goes back to the tree's folder and the same position.
  void Copy1Click(cl::TObject* sender);
  void Move1Click(cl::TObject* sender);
  void Delete1Click(cl::TObject* sender);
  void ShellFileListBox1KeyDown(cl::TObject* sender, WORD& key, cl::TShiftState shift);
  void ShellFileListBox1DblClick(cl::TObject* sender);
  // With the left button held: the selected files dragged out of the list.
  void FileListBoxMouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y);
  // The mask box: Enter applies its text and keeps it in the list; a pick from the list applies it.
  void Edit2KeyDown(cl::TObject* sender, WORD& key, cl::TShiftState shift);
  void Edit2Click(cl::TObject* sender);
  // Folder following: every tick, after a change of the tree's folder, and on Update.
  void CtlHiTimer1Timer(cl::TObject* sender);
  void Update1Click(cl::TObject* sender);
  void TreeViewChange(cl::TObject* sender, cl::TTreeNode* node);

  const DriveCheck& DriveChecker() const { return FDriveCheck; }

 protected:
  void CreateComponents() override;

 private:
  void CreateMenus();
  void CreateMenuBar();
  void CreateControlLibraryParts();
  void FormCreate(cl::TObject* sender);
  void FormDestroy(cl::TObject* sender);
  void FormResize(cl::TObject* sender);
  // A bar moved: the mask box fits its panel again.
  void Ctl3PaneSplitCtrl1SplitChange(cl::TObject* sender, ctl::TCtlCustomSplitter* splitter);
  void FitPreview();
  void SizePreviewToPicture();
  // Copy, and with move the removal of the source once the copy is there.
  void CopyOrMove(bool move);
  // Copies source into folder (a move then removes the source), asking before a file of the same name is replaced.
  void TransferFile(const std::string& source, const std::string& folder, bool move);
  // Tells the user what failed and the system's reason for the error.
  void ReportFileError(const std::string& title, const std::string& what, DWORD error);
  // The list back on the tree's folder at index, and the preview following it.
  void ReturnListTo(int index, bool reread);

  DriveCheck FDriveCheck;
  // Whether the image control's working picture is the previewed file, so that zooming may resample it.
  bool FWorkingIsPreview = false;
};

extern TTarnby* Tarnby;

}  // namespace brw
