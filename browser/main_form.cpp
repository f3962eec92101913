// TTarnby: the form's parts, its settings, and the preview with its zoom, fit, full-screen view, clipboard copy
// and the start of the viewer.
#include "browser/main_form.h"

#include <windows.h>

#include "browser/browse_folder.h"
#include "browser/core/preview_rules.h"
#include "browser/dir_tree.h"
#include "browser/shell_file_list_box.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/core/string_list.h"
#include "classlib/win/application.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/combo_box.h"
#include "classlib/win/dialogs.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/menus.h"
#include "classlib/win/picture.h"
#include "classlib/win/registry.h"
#include "classlib/win/scroll_box.h"
#include "classlib/win/shell_start.h"
#include "controls/about_dlg.h"
#include "controls/ctl_form.h"
#include "controls/ctl_split_ctrl.h"
#include "controls/hi_timer.h"
#include "controls/message_box_dlg.h"
#include "controls/ini_out.h"
#include "controls/ole_drag_drop.h"
#include "controls/one_instance.h"
#include "image/all_scr_frm.h"
#include "image/gif_image.h"
#include "image/hour_glass.h"
#include "image/load_image.h"
#include "toolbars/dock.h"
#include "toolbars/main_menu_ex.h"
#include "toolbars/menu_item.h"
#include "toolbars/popup_menu_ex.h"
#include "toolbars/system_menu_ex.h"

namespace brw {

TTarnby* Tarnby = nullptr;

namespace {

constexpr char kHomePage[] = "https://orlanto.example/tarnby/";
constexpr char kMakerPage[] = "https://orlanto.example/";
constexpr char kMakerLine[] = "Copyright (c) Marbeck Tressel Software";
constexpr char kSettingsKey[] = "SOFTWARE\\Orlanto\\Tarnby\\";
constexpr char kLastDirValue[] = "LastDir";
constexpr char kSplitterMainValue[] = "SplitterMain";
constexpr char kSplitter2Value[] = "Splitter2";
// What a start writes when the settings cannot be read or written: a folder that does not exist, so that the
// next start falls back to the current drive's root.
constexpr char kLastDirFallback[] = " ";
constexpr int kSplitterMainStart = 200;
constexpr int kSplitter2Start = 160;
constexpr int kMaskPanelHeight = 25;
constexpr int kListItemHeight = 18;
constexpr int kImageStartSide = 60;
constexpr uint16_t kImageCompression = 208;
constexpr int kActualSize = 100;

// Shows the file in image: a path with ".GIF" anywhere through the GIF image, which plays an animation (the
// picture keeps a copy), anything else through the control's own reading. True when the control's working picture
// is then the file. A file that cannot be read leaves the picture empty, not showing the file before it.
bool ShowFile(img::TLoadImage* image, const std::string& path) {
  try {
    if (!IsGifPath(path)) {
      image->ChangeFile(path);
      return true;
    }
    img::Owned<img::TGIFImage> gif = img::MakeOwned<img::TGIFImage>();
    gif->LoadFromFile(path);
    image->Picture()->SetGraphic(gif.get());
    return false;
  } catch (...) {
    image->Picture()->Assign(nullptr);
    throw;
  }
}

// Opens the browser's key under HKEY_LOCAL_MACHINE, creating it when missing.
void OpenSettings(cl::TRegistry& registry) {
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!registry.OpenKey(kSettingsKey, true))
    throw cl::ERegistryException(std::string("Failed to open key HKEY_LOCAL_MACHINE\\") + kSettingsKey);
}

// The answer to settings that could not be read or written. When even this write fails there is nothing more
// to do: the form goes on with what it has.
void WriteLastDirFallback() {
  try {
    cl::TRegistry registry;
    OpenSettings(registry);
    registry.WriteString(kLastDirValue, kLastDirFallback);
  } catch (const std::exception&) {
  }
}

// The form's menu items are the owner-drawn menus' own, whose changes reach the menu bar.
tbr::menus::TMenuItem* AddItem(cl::TMenuItem* parent, const std::string& name, const std::string& caption,
                               cl::TShortCut shortCut = 0, const cl::TNotifyEvent& onClick = nullptr) {
  return cl::AddMenuItem<tbr::menus::TMenuItem>(parent, name, caption, shortCut, onClick);
}

}  // namespace

TTarnby::TTarnby(cl::TComponent* owner)
    : TForm(owner),
      FDriveCheck([](const std::string& folder) { return cl::SetCurrentDir(folder); },
                  [this] {
                    return cl::MessageDlg("Error: Please insert disk into drive.", cl::mtError,
                                          MessageDialog1->Buttons(), 0) == cl::mrAbort
                               ? DriveCheck::Answer::Abort
                               : DriveCheck::Answer::Retry;
                  }) {}

void TTarnby::CreateComponents() {
  SetCaption("Tarnby");
  SetBounds(202, 110, 544, 375);
  CreateMenus();
  CreateMenuBar();

  // The splitter's designed size is the form's client area, so that its first layout keeps the bars where they
  // are set.
  Ctl3PaneSplitCtrl1 = cl::Make<ctl::TCtl3PaneSplitCtrl>(this, "Ctl3PaneSplitCtrl1");
  Ctl3PaneSplitCtrl1->SetParent(this);
  Ctl3PaneSplitCtrl1->SetBoundsRect(ClientRect());
  Ctl3PaneSplitCtrl1->SetAlign(cl::alClient);
  Ctl3PaneSplitCtrl1->SetBorderStyle(ctl::lsRaisedspb);
  Ctl3PaneSplitCtrl1->SetSplitterPlace(ctl::ossOdd);
  Ctl3PaneSplitCtrl1->SplitterMain()->SetPosition(kSplitterMainStart);
  Ctl3PaneSplitCtrl1->Splitter2()->SetPosition(kSplitter2Start);
  Ctl3PaneSplitCtrl1->SetOnSplitChange(CL_EVENT(Ctl3PaneSplitCtrl1SplitChange));
  cl::TWinControl* treePane = Ctl3PaneSplitCtrl1->Panes(0);
  cl::TWinControl* previewPane = Ctl3PaneSplitCtrl1->Panes(1);
  cl::TWinControl* listPane = Ctl3PaneSplitCtrl1->Panes(2);

  DirTree1 = cl::Make<TDirTree>(this, "DirTree1");
  DirTree1->SetParent(treePane);
  DirTree1->SetAlign(cl::alClient);
  DirTree1->SetReadOnStart(true);
  DirTree1->SetDirType({dtNormal, dtAll});
  DirTree1->SetFastLoad(true);
  DirTree1->SetOnChange(CL_EVENT(TreeViewChange));

  ScrollBox1 = cl::Make<cl::TScrollBox>(this, "ScrollBox1");
  ScrollBox1->SetParent(previewPane);
  ScrollBox1->SetAlign(cl::alClient);
  ScrollBox1->SetBorderStyle(cl::bsNone);
  ScrollBox1->SetPopupMenu(PopupMenuEx2);
  Image1 = cl::Make<img::TLoadImage>(this, "Image1");
  Image1->SetParent(ScrollBox1);
  Image1->SetBounds(0, 0, kImageStartSide, kImageStartSide);
  Image1->SetCompression(kImageCompression);
  Image1->SetPopupMenu(PopupMenuEx2);

  Panel1 = cl::Make<cl::TPanel>(this, "Panel1");
  Panel1->SetParent(listPane);
  Panel1->SetAlign(cl::alTop);
  Panel1->SetHeight(kMaskPanelHeight);
  Edit2 = cl::Make<cl::TComboBox>(this, "Edit2");
  Edit2->SetParent(Panel1);
  Edit2->SetBounds(1, 1, Panel1->Width() - 2, kMaskPanelHeight);
  Edit2->SetText(kDefaultMaskList);
  Edit2->SetOnKeyDown(CL_EVENT(Edit2KeyDown));
  Edit2->SetOnClick(CL_EVENT(Edit2Click));
  Panel2 = cl::Make<cl::TPanel>(this, "Panel2");
  Panel2->SetParent(listPane);
  Panel2->SetAlign(cl::alClient);
  ShellFileListBox1 = cl::Make<TShellFileListBox>(this, "ShellFileListBox1");
  ShellFileListBox1->SetParent(Panel2);
  ShellFileListBox1->SetAlign(cl::alClient);
  ShellFileListBox1->SetItemHeight(kListItemHeight);
  ShellFileListBox1->SetMask("*.bmp");
  ShellFileListBox1->SetPopupMenu(PopupMenuEx1);
  ShellFileListBox1->SetOnChange(CL_EVENT(ShellFileListBox1Change));
  ShellFileListBox1->SetOnClick(CL_EVENT(ShellFileListBox1Change));
  ShellFileListBox1->SetOnKeyDown(CL_EVENT(ShellFileListBox1KeyDown));
  ShellFileListBox1->SetOnDblClick(CL_EVENT(ShellFileListBox1DblClick));
  ShellFileListBox1->SetOnMouseMove(CL_EVENT(FileListBoxMouseMove));

  CreateControlLibraryParts();

  SetOnCreate(CL_EVENT(FormCreate));
  SetOnDestroy(CL_EVENT(FormDestroy));
  SetOnResize(CL_EVENT(FormResize));
}

void TTarnby::CreateMenus() {
  MainMenu1 = cl::Make<cl::TMainMenu>(this, "MainMenu1");
  cl::TMenuItem* root = MainMenu1->Items();
  File1 = AddItem(root, "File1", "&File", 0, CL_EVENT(File1Click));
  Copy1 = AddItem(File1, "Copy1", "&Copy Image File...", cl::ShortCut('O', {cl::ssCtrl}), CL_EVENT(Copy1Click));
  Move1 = AddItem(File1, "Move1", "&Move Image File...", cl::ShortCut('M', {cl::ssCtrl}), CL_EVENT(Move1Click));
  Delete1 = AddItem(File1, "Delete1", "&Delete Image File...", 0, CL_EVENT(Delete1Click));
  AddItem(File1, "N1", "-");
  Orlanto1 = AddItem(File1, "Orlanto1", "Orlanto", cl::ShortCut(VK_F9, {}), CL_EVENT(Orlanto1Click));
  AddItem(File1, "N2", "-");
  AddItem(File1, "Exit1", "&Exit", 0, CL_EVENT(Exit1Click));
  cl::TMenuItem* edit = AddItem(root, "Edit1", "&Edit");
  Copy3 = AddItem(edit, "Copy3", "Copy", cl::ShortCut('C', {cl::ssCtrl}), CL_EVENT(Copy3Click));

  View1 = AddItem(root, "View1", "&View", 0, CL_EVENT(View1Click));
  AddItem(View1, "FullScreenPreview1", "Full Screen Preview...", 0, CL_EVENT(FullScreenPreview1Click));
  AddItem(View1, "N3", "-");
  ZoomIn1 = AddItem(View1, "ZoomIn1", "Zoom &In");
  ZoomOut1 = AddItem(View1, "ZoomOut1", "Zoom &Out");
  PopupMenuEx2 = cl::Make<tbr::menus::TPopupMenuEx>(this, "PopupMenuEx2");
  cl::TMenuItem* popupIn = AddItem(PopupMenuEx2->Items(), "ZoomIn2", "Zoom In");
  cl::TMenuItem* popupOut = AddItem(PopupMenuEx2->Items(), "ZoomOut2", "Zoom Out");
  for (const ZoomStep& step : kZoomSteps) {
    const std::string name = step.Name;
    const bool actual = step.Percent == 100, in = step.Percent > 100;
    cl::TMenuItem* item = AddItem(actual ? View1
                                  : in   ? ZoomIn1
                                         : ZoomOut1,
                                  name, step.Caption, 0, CL_EVENT(ZoomStepClick));
    item->SetTag(step.Percent);
    if (actual) ActualView111 = item;
    // The pop-up's actual view drops the accelerator of the View menu's.
    const std::string popupCaption = actual ? "Actual View (1:1)" : step.Caption;
    cl::TMenuItem* twin = AddItem(actual ? PopupMenuEx2->Items()
                                  : in   ? popupIn
                                         : popupOut,
                                  "Popup" + name, popupCaption, 0, CL_EVENT(ZoomStepClick));
    twin->SetTag(step.Percent);
  }
  AddItem(View1, "N4", "-");
  FittoWindow1 = AddItem(View1, "FittoWindow1", "Fit to Window", 0, CL_EVENT(FittoWindow1Click));

  cl::TMenuItem* help = AddItem(root, "Help1", "&Help");
  AddItem(help, "UsingTarnby1", "Using Tarnby", cl::ShortCut(VK_F1, {}), CL_EVENT(UsingTarnby1Click));
  AddItem(help, "TarnbyHomePage1", "Tarnby Home Page...", 0, CL_EVENT(TarnbyHomePage1Click));
  AddItem(help, "N7", "-");
  AddItem(help, "About1", "&About...", 0, CL_EVENT(About1Click));
  SetMenu(MainMenu1);

  PopupMenuEx1 = cl::Make<tbr::menus::TPopupMenuEx>(this, "PopupMenuEx1");
  cl::TMenuItem* files = PopupMenuEx1->Items();
  AddItem(files, "CopyImageFile1", "Copy Image File...", 0, CL_EVENT(Copy1Click));
  AddItem(files, "MoveImageFile1", "Move Image File...", 0, CL_EVENT(Move1Click));
  AddItem(files, "DeleteImageFile1", "Delete Image File...", 0, CL_EVENT(Delete1Click));
  AddItem(files, "N5", "-");
  AddItem(files, "Update1", "Update", cl::ShortCut(VK_F5, {}), CL_EVENT(Update1Click));
  SystemMenuEx1 = cl::Make<tbr::menus::TSystemMenuEx>(this, "SystemMenuEx1");
}

void TTarnby::CreateMenuBar() {
  auto makeDock = [this](const char* name, tbr::TDockPosition position) {
    tbr::TDock* dock = cl::Make<tbr::TDock>(this, name);
    dock->SetPosition(position);
    dock->SetParent(this);
    return dock;
  };
  Dock1 = makeDock("Dock1", tbr::dpTop);
  Dock2 = makeDock("Dock2", tbr::dpLeft);
  Dock3 = makeDock("Dock3", tbr::dpRight);
  Dock4 = makeDock("Dock4", tbr::dpBottom);
  MainMenuEx1 = cl::Make<tbr::menus::TMainMenuEx>(this, "MainMenuEx1");
  MainMenuEx1->SetCloseButton(false);
  MainMenuEx1->SetDockPos(0);
  // The bar's menus open and close at once.
  MainMenuEx1->Options()->SetOpenAnimation(tbr::menus::anNone);
  MainMenuEx1->Options()->SetCloseAnimation(tbr::menus::anNone);
  MainMenuEx1->SetMainMenu(MainMenu1);
  MainMenuEx1->SetParent(Dock1);
}

namespace {

constexpr char kMaskItem[] = "Edit2;Text;*.bmp;SOFTWARE\\Orlanto\\Tarnby;BrowseExtension;1;0";
constexpr char kMenuBarDockItem[] = "MainMenuEx1;DockedTo;Dock1;SOFTWARE\\Orlanto\\Tarnby;DockedTo;1;0";
constexpr uint16_t kFollowIntervalMs = 500;

}  // namespace

void TTarnby::CreateControlLibraryParts() {
  IniOut1 = cl::Make<ctl::TIniOut>(this, "IniOut1");
  IniOut1->SetRegistryRoot(ctl::CURRENT_USER);
  IniOut1->Items()->Add(kMaskItem);
  IniOut1->Items()->Add(kMenuBarDockItem);
  BrowseFolder1 = cl::Make<TBrowseFolder>(this, "BrowseFolder1");
  CtlForm1 = cl::Make<ctl::TCtlForm>(this, "CtlForm1");
  CtlForm1->SetIniKey("FrameForm");
  CtlForm1->SetIniUse(ctl::ioUseGlobal);
  CtlForm1->SetOptions({ctl::foAutoCenter, ctl::foAutoShow, ctl::foTryAdaptRes, ctl::foRestoreOnce});
  CtlHiTimer1 = cl::Make<ctl::TCtlHiTimer>(this, "CtlHiTimer1");
  CtlHiTimer1->SetInterval(kFollowIntervalMs);
  CtlHiTimer1->SetOnTimer(CL_EVENT(CtlHiTimer1Timer));
  CtlHiTimer1->SetEnabled(true);
  CtlOneInstance1 = cl::Make<ctl::TCtlOneInstance>(this, "CtlOneInstance1");
  OleDragDrop1 = cl::Make<ctl::OleDragDrop>(this, "OleDragDrop1");
  MessageDialog1 = cl::Make<ctl::TCtlMessageBoxDlg>(this, "MessageDialog1");
  MessageDialog1->SetCaptionTitle("System Error");
  MessageDialog1->SetButtons({cl::mbAbort, cl::mbRetry});
  MessageDialog1->SetDlgType(cl::mtError);
  CtlAboutDlg1 = cl::Make<ctl::TCtlAboutDlg>(this, "CtlAboutDlg1");
  CtlAboutDlg1->SetAppname("Tarnby");
  CtlAboutDlg1->SetCaptionTitle("Orlanto");
  CtlAboutDlg1->SetDescription("Orlanto: the best way to view images using Windows.");
  CtlAboutDlg1->SetVersion("Version 4.1 (4.10.02)");
  CtlAboutDlg1->SetCopyright(kMakerLine);
  CtlAboutDlg1->SetJump(kMakerPage);
  CtlAboutDlg1->SetEffect(ctl::deExplodeExt);
}

int TTarnby::SplitterMain() const {
  return Ctl3PaneSplitCtrl1->SplitterMain()->Position();
}

void TTarnby::SetSplitterMain(int position) {
  Ctl3PaneSplitCtrl1->SplitterMain()->SetPosition(position);
}

int TTarnby::Splitter2() const {
  return Ctl3PaneSplitCtrl1->Splitter2()->Position();
}

void TTarnby::SetSplitterPosition2(int position) {
  Ctl3PaneSplitCtrl1->Splitter2()->SetPosition(position);
}

void TTarnby::FormCreate(cl::TObject*) {
  FDriveCheck.SetLastValid("C:\\");
  IniOut1->Load();
  Edit2->SetWidth(Panel1->Width() - 2);
  Edit2->Items()->Clear();
  for (const std::string& mask : InitialMaskItems(Edit2->Text())) Edit2->Items()->Add(mask);
  Zoom = 100;
  ShellFileListBox1->SetMask(Edit2->Text());
  try {
    cl::TRegistry registry;
    OpenSettings(registry);
    // A missing folder reads as "", which the tree replaces by the current drive's root; a missing position
    // raises, which is answered like any other failure here.
    DirTree1->SetDirectory(registry.ReadString(kLastDirValue));
    SetSplitterMain(registry.ReadInteger(kSplitterMainValue));
    SetSplitterPosition2(registry.ReadInteger(kSplitter2Value));
  } catch (const std::exception&) {
    WriteLastDirFallback();
  }
  Edit2->SetWidth(Panel1->Width() - 7);
}

void TTarnby::FormDestroy(cl::TObject*) {
  IniOut1->Save();
  try {
    cl::TRegistry registry;
    OpenSettings(registry);
    registry.WriteString(kLastDirValue, DirTree1->Directory());
    registry.WriteInteger(kSplitterMainValue, SplitterMain());
    registry.WriteInteger(kSplitter2Value, Splitter2());
  } catch (const std::exception&) {
    WriteLastDirFallback();
  }
}

void TTarnby::Ctl3PaneSplitCtrl1SplitChange(cl::TObject*, ctl::TCtlCustomSplitter*) {
  Edit2->SetWidth(Panel1->Width() - 7);
}

void TTarnby::FormResize(cl::TObject*) {
  if (FittoWindow1->Checked()) FitPreview();
}

void TTarnby::ShellFileListBox1Change(cl::TObject*) {
  const std::string path = ShellFileListBox1->FileName();
  if (path == LastFile) return;
  Image1->Hide();
  {
    img::HourGlass hourGlass;
    try {
      FWorkingIsPreview = false;
      if (cl::FileExists(path)) {
        FWorkingIsPreview = ShowFile(Image1, path);
      } else if (!path.empty()) {
        // The file went away: the list moves to its drive's root. (With nothing chosen there is nothing to show
        // and the list stays where it is.)
        ShellFileListBox1->SetFileName("\\");
      }
      SizePreviewToPicture();
      ZoomPercent(Zoom);
      Image1->SetTop(0);
      Image1->SetLeft(0);
    } catch (const std::exception&) {
      // An unreadable file: the preview stays empty.
    }
  }
  LastFile = ShellFileListBox1->FileName();
  const bool fit = FittoWindow1->Checked();
  Image1->SetStretch(fit);
  if (fit) {
    FitPreview();
  } else {
    SizePreviewToPicture();
  }
  Image1->Show();
}

void TTarnby::SizePreviewToPicture() {
  Image1->SetHeight(Image1->Picture()->Height());
  Image1->SetWidth(Image1->Picture()->Width());
}

void TTarnby::FitPreview() {
  const FitSize fit = FitPreviewSize(Width(), ClientHeight(), SplitterMain());
  Image1->SetHeight(fit.Height);
  Image1->SetWidth(fit.Width);
}

void TTarnby::ZoomPercent(int percent) {
  Image1->SetStretch(true);
  Image1->SetWidth(ZoomedSide(percent, Image1->Picture()->Width()));
  Image1->SetHeight(ZoomedSide(percent, Image1->Picture()->Height()));
  // The working picture follows the zoom only while it is the previewed file; the image control refuses a
  // resample past its pixel budget, so repeated zooms cannot grow it without end. A resample to its own size
  // (100 %) would change nothing the preview shows and costs more than loading the file.
  if (FWorkingIsPreview && percent != kActualSize) Image1->ScaleIt(percent);
}

void TTarnby::ZoomStepClick(cl::TObject* sender) {
  ZoomPercent(static_cast<int>(static_cast<cl::TMenuItem*>(sender)->Tag()));
}

void TTarnby::FittoWindow1Click(cl::TObject*) {
  const bool fit = !FittoWindow1->Checked();
  FittoWindow1->SetChecked(fit);
  Image1->SetStretch(fit);
  if (fit) {
    FitPreview();
  } else {
    SizePreviewToPicture();
  }
}

void TTarnby::FullScreenPreview1Click(cl::TObject*) {
  img::TAllScrFrm* full = img::AllScrFrm;
  if (!full) return;
  full->Image1->Hide();
  {
    img::HourGlass hourGlass;
    try {
      const std::string path = ShellFileListBox1->FileName();
      if (cl::FileExists(path)) {
        ShowFile(full->Image1, path);
      } else if (!path.empty()) {
        ShellFileListBox1->SetFileName("\\");
      }
      full->Image1->SetWidth(Image1->Picture()->Width());
      full->Image1->SetHeight(Image1->Picture()->Height());
      Image1->SetLeft(0);
      Image1->SetTop(0);
    } catch (const std::exception&) {
      // shown as far as it loaded
    }
  }
  full->Image1->Show();
  full->ShowModal();
}

void TTarnby::Copy3Click(cl::TObject*) {
  // With nothing previewed the clipboard keeps what it holds.
  if (LastFile.empty() || Image1->Picture()->Width() == 0) return;
  cl::Clipboard()->Assign(Image1->Picture());
}

void TTarnby::View1Click(cl::TObject*) {
  const bool chosen = !ShellFileListBox1->FileName().empty();
  for (cl::TMenuItem* item : {ZoomIn1, ZoomOut1, ActualView111}) item->SetEnabled(chosen);
}

void TTarnby::File1Click(cl::TObject*) {
  const bool chosen = !ShellFileListBox1->FileName().empty();
  for (cl::TMenuItem* item : {Copy1, Move1, Delete1}) item->SetEnabled(chosen);
}

// A viewer, help file or page that cannot be started is reported.
void TTarnby::Orlanto1Click(cl::TObject*) {
  cl::StartProgram(ViewerCommandLine(cl::Application->ExeName(), LastFile), SW_SHOW);
}

void TTarnby::UsingTarnby1Click(cl::TObject*) {
  cl::ShellOpen(Handle(), "open", HelpFileName(cl::Application->ExeName()), nullptr, nullptr, SW_SHOW);
}

void TTarnby::TarnbyHomePage1Click(cl::TObject*) {
  cl::ShellOpen(Handle(), "open", kHomePage, nullptr, nullptr, SW_SHOW);
}

void TTarnby::About1Click(cl::TObject*) {
  CtlAboutDlg1->Execute(this);
}

void TTarnby::Exit1Click(cl::TObject*) {
  Close();
}

}  // namespace brw
