#include "viewer/frame_form.h"

#include <shellapi.h>

#include <vector>

#include "classlib/win/application.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/colors.h"
#include "classlib/core/finally.h"
#include "classlib/core/paths.h"
#include "classlib/win/command_line.h"
#include "classlib/win/file_dialogs.h"
#include "classlib/win/menus.h"
#include "classlib/win/shell_start.h"
#include "classlib/win/status_bar.h"
#include "classlib/win/timer.h"
#include "controls/about_dlg.h"
#include "controls/ctl_form.h"
#include "toolbars/toolbar.h"
#include "toolbars/toolbar_button.h"
#include "viewer/assoc_dialog.h"
#include "viewer/core/hand_over.h"
#include "viewer/core/image_files.h"
#include "viewer/dropped_files.h"
#include "viewer/edit_form.h"
#include "viewer/enh_twain.h"
#include "viewer/hour_glass.h"
#include "viewer/pref_form.h"
#include "viewer/settings.h"

namespace viewer {

TFrameForm* FrameForm = nullptr;

namespace {

constexpr unsigned kStatePollMs = 1000;
constexpr char kHomePage[] = "https://orlanto.example/";
constexpr char kMakerLine[] = "Copyright (c) Marbeck Tressel Software";
constexpr unsigned kHandOverPollMs = 750;
// The Window and Help menus stay in place whatever an image window merges in.
constexpr uint8_t kWindowGroup = 8;
// An image window's Image menu takes the frame's place.
constexpr uint8_t kImageGroup = 3;

std::vector<std::string> CommandLineParams() {
  std::vector<std::string> params;
  for (int i = 1; i <= cl::ParamCount(); ++i) params.push_back(cl::ParamStr(i));
  return params;
}

}  // namespace

void TFrameForm::CreateMenu() {
  MainMenu1 = cl::Make<cl::TMainMenu>(this, "MainMenu1");
  cl::TMenuItem* root = MainMenu1->Items();
  // File (group 0) gives way to an image window's File menu while one is active.
  cl::TMenuItem* file = AddMenuItem(root, "File1", "&File");
  AddMenuItem(file, "Open1", "&Open...", cl::ShortCut('O', {cl::ssCtrl}), CL_EVENT(OpenChild));
  AddMenuItem(file, "N7", "-");
  AddMenuItem(file, "Tarnby1", "Tarnby...", cl::ShortCut(VK_F9, {}), CL_EVENT(Tarnby1Click));
  AddMenuItem(file, "N8", "-");
  AddMenuItem(file, "AcquireImage1", "Acquire Image...", 0, CL_EVENT(AcquireImage1Click));
  AddMenuItem(file, "SelectSource1", "Select Source...", 0, CL_EVENT(SelectSource1Click));
  AddMenuItem(file, "N14", "-");
  AddMenuItem(file, "Preferences1", "Preferences...", 0, CL_EVENT(Preferences1Click));
  N9 = AddMenuItem(file, "N9", "-");
  RecentItems = AddRecentFileItems(file, 2, CL_EVENT(RecentFileClick));
  AddMenuItem(file, "N1", "-");
  AddMenuItem(file, "Exit1", "E&xit", 0, CL_EVENT(Exit1Click));
  // Edit (group 1) gives way to an image window's Edit menu while one is active.
  Edit1 = AddMenuItem(root, "Edit1", "&Edit", 0, CL_EVENT(Edit1Click));
  Edit1->SetGroupIndex(1);
  Paste1 = AddMenuItem(Edit1, "Paste1", "&Paste", cl::ShortCut('V', {cl::ssCtrl}), CL_EVENT(Paste1Click));
  Toolbar1 = AddMenuItem(Edit1, "Toolbar1", "Toolbar", 0, CL_EVENT(Toolbar1Click));
  Toolbar1->SetChecked(true);
  cl::TMenuItem* image = AddMenuItem(root, "Image1", "Image");
  image->SetGroupIndex(kImageGroup);
  AddMenuItem(image, "CaptureScreen1", "Capture Screen...", 0, CL_EVENT(CaptureScreen1Click));
  Window1 = AddMenuItem(root, "Window1", "&Window");
  Window1->SetGroupIndex(kWindowGroup);
  AddMenuItem(Window1, "Tile1", "&Tile", 0, CL_EVENT(Tile1Click));
  AddMenuItem(Window1, "Cascade1", "&Cascade", 0, CL_EVENT(Cascade1Click));
  AddMenuItem(Window1, "ArrangeIcons1", "&Arrange Icons", 0, CL_EVENT(ArrangeIcons1Click));
  SetWindowMenu(Window1);
  cl::TMenuItem* help = AddMenuItem(root, "Help1", "&Help");
  help->SetGroupIndex(kWindowGroup);
  AddMenuItem(help, "UsingMarbeckImageViewer1", "Using Orlanto...", cl::ShortCut(VK_F1, {}),
              CL_EVENT(UsingMarbeckImageViewer1Click));
  AddMenuItem(help, "OrlantoHomePage1", "Orlanto Home Page...", 0, CL_EVENT(OrlantoHomePage1Click));
  AddMenuItem(help, "About1", "About...", 0, CL_EVENT(About1Click));
  SetMenu(MainMenu1);
}

void TFrameForm::CreateComponents() {
  SetCaption("Orlanto");
  SetFormStyle(cl::fsMDIForm);
  SetPosition(cl::poDefault);
  SetColor(cl::clAppWorkSpace);

  CreateMenu();
  StatusBar1 = cl::Make<cl::TStatusBar>(this, "StatusBar1");
  StatusBar1->SetParent(this);
  for (int width : {300, 100}) StatusBar1->Panels()->Add()->SetWidth(width);
  CreateToolbar();

  Timer1 = cl::Make<cl::TTimer>(this, "Timer1");
  Timer1->SetInterval(kStatePollMs);
  Timer1->SetEnabled(false);
  Timer1->SetOnTimer(CL_EVENT(Timer1Timer));
  Timer2 = cl::Make<cl::TTimer>(this, "Timer2");
  Timer2->SetInterval(kHandOverPollMs);
  Timer2->SetEnabled(false);
  Timer2->SetOnTimer(CL_EVENT(Timer2Timer));

  OpenFileDialog = cl::Make<cl::TOpenDialog>(this, "OpenFileDialog");
  OpenFileDialog->SetDefaultExt("JPG");
  OpenFileDialog->SetOptions({cl::ofHideReadOnly, cl::ofAllowMultiSelect});
  OpenFileDialog->SetFilter(kOpenFilter);

  CtlGlobalHotKeys = MakeCaptureHotKeys(this, CaptureOwner::Frame, CL_EVENT(CtlGlobalHotKey1KeyDown));

  Twain1 = cl::Make<TEnhTwain>(this, "Twain1");
  Twain1->SetProductFamily("Orlanto");
  Twain1->SetProductName("Orlanto");
  Twain1->SetManufacturer("Marbeck Tressel Software");
  Twain1->SetXRes(600);
  Twain1->SetYRes(600);

  LimitMe1 = cl::Make<TLimitMe>(this, "LimitMe1");
  LimitMe1->SetBija("Orlanto");
  LimitMe1->SetTerminate(true);
  LimitMe1->SetBeforeTerminate(CL_EVENT(CtlOneInstance1Custom));

  CtlForm1 = cl::Make<ctl::TCtlForm>(this, "CtlForm1");
  CtlForm1->SetIniKey("FrameForm");
  CtlForm1->SetIniUse(ctl::ioUseGlobal);
  CtlForm1->SetOptions({ctl::foAutoCenter, ctl::foAutoShow, ctl::foTryAdaptRes, ctl::foRestoreOnce});

  CtlAboutDlg1 = cl::Make<ctl::TCtlAboutDlg>(this, "CtlAboutDlg1");
  CtlAboutDlg1->SetAppname("Orlanto");
  CtlAboutDlg1->SetCaptionTitle("Orlanto");
  CtlAboutDlg1->SetDescription("Orlanto: the best way to view images using Windows.");
  CtlAboutDlg1->SetVersion("Version 4.1 (4.10.02)");
  CtlAboutDlg1->SetCopyright(kMakerLine);
  CtlAboutDlg1->SetJump(kHomePage);
  CtlAboutDlg1->SetEffect(ctl::deExplodeExt);

  SetOnCreate(CL_EVENT(FormCreate));
  SetOnShow(CL_EVENT(FormShow));
  SetOnActivate(CL_EVENT(FormActivate));
  SetOnDestroy(CL_EVENT(FormDestroy));
  SetOnClose(CL_EVENT(FormClose));
}

void TFrameForm::FormCreate(cl::TObject*) {
  if (LimitMe1->DoIExist()) {
    // This start only handed its files over: it leaves every setting alone, the frame's placement too.
    CtlForm1->SetEnabled(false);
    return;
  }
  CtlForm1->Restore();
  cl::Application->SetOnHint(CL_EVENT(DispHint));
  cl::TRegistry settings;
  OpenSettings(settings);
  ShowRecentFiles(ReadRecentFiles(settings));
  DragAcceptFiles(Handle(), TRUE);
  ShowToolbarFromSettings(settings);
  Timer1->SetEnabled(true);
  Timer2->SetEnabled(true);
}

void TFrameForm::FormDestroy(cl::TObject*) {
  if (cl::Application->OnHint() == CL_EVENT(DispHint)) cl::Application->SetOnHint(nullptr);
}

void TFrameForm::DispHint(cl::TObject*) {
  SetStatusText(kHintPanel, cl::Application->Hint());
}

void TFrameForm::AfterConstruction() {
  FMaking = true;
  auto made = cl::Finally([this] { FMaking = false; });
  inherited::AfterConstruction();
}

void TFrameForm::FormShow(cl::TObject*) {
  if (FMaking) {
    cl::PostDeferred(this, [this] { FirstShown(); });
    return;
  }
  FirstShown();
}

void TFrameForm::FirstShown() {
  if (AssocDialog) OfferAssociation(*AssocDialog, cl::Application->ExeName());
  const std::string name = CommandLineFileName(CommandLineParams());
  if (!name.empty()) OpenInNewWindow(name);
  CMBtn6->SetEnabled(cl::Clipboard()->HasFormat(CF_BITMAP));
  ButtonBar1->SetVisible(Toolbar1->Checked());
}

void TFrameForm::FormClose(cl::TObject*, cl::TCloseAction&) {
  cl::TRegistry settings;
  OpenSettings(settings);
  WriteBoolSetting(settings, kToolbarValue, Toolbar1->Checked());
}

void TFrameForm::FormActivate(cl::TObject*) {
  cl::TRegistry settings;
  OpenSettings(settings);
  ShowRecentFiles(ReadRecentFiles(settings));
  DockToolbarFromSettings(settings);
}

void TFrameForm::ShowRecentFiles(const RecentFiles& items) {
  ShowRecentFileItems(RecentItems, N9, items);
}

void TFrameForm::OpenChild(cl::TObject*) {
  cl::TRegistry settings;
  OpenSettings(settings);
  OpenFileDialog->SetInitialDir(settings.ReadString(kLastDirValue));
  if (!OpenFileDialog->Execute()) return;
  HourGlass hourGlass;
  SetStatusText(kHintPanel, "Loading...Please Wait");
  const cl::TStrings* files = OpenFileDialog->Files();
  try {
    for (int i = 0; i < files->Count(); ++i) OpenInNewWindow(files->Strings(i));
  } catch (const std::exception&) {
    return;  // the command ends at the file that failed and reports nothing itself
  }
  if (files->Count() > 0) WriteSetting(settings, kLastDirValue, cl::ExtractFilePath(files->Strings(0)));
}

void TFrameForm::RecentFileClick(cl::TObject* sender) {
  OpenInNewWindow(static_cast<cl::TMenuItem*>(sender)->Caption());
}

void TFrameForm::Tarnby1Click(cl::TObject*) {
  cl::StartProgram(BrowserCommandLine(cl::Application->ExeName()), SW_SHOW);
}

void TFrameForm::Preferences1Click(cl::TObject*) {
  if (PrefFrm) PrefFrm->ShowModal();
}

void TFrameForm::Edit1Click(cl::TObject*) {
  Paste1->SetEnabled(cl::Clipboard()->HasFormat(CF_BITMAP));
}

void TFrameForm::Paste1Click(cl::TObject*) {
  PasteAsNewImage(this);
}

void TFrameForm::Exit1Click(cl::TObject*) {
  Close();
}

void TFrameForm::Tile1Click(cl::TObject*) {
  Tile();
}

void TFrameForm::Cascade1Click(cl::TObject*) {
  Cascade();
}

void TFrameForm::ArrangeIcons1Click(cl::TObject*) {
  ArrangeIcons();
}

void TFrameForm::UsingMarbeckImageViewer1Click(cl::TObject*) {
  cl::ShellOpen(Handle(), "open", HelpFileName(cl::Application->ExeName()), nullptr, nullptr, SW_SHOW);
}

void TFrameForm::OrlantoHomePage1Click(cl::TObject*) {
  cl::ShellOpen(Handle(), "open", kHomePage, "", "", SW_SHOW);
}

void TFrameForm::About1Click(cl::TObject*) {
  CtlAboutDlg1->Execute(this);
}

TEditForm* TFrameForm::OpenInNewWindow(const std::string& name) {
  return ShowNewWindow([&name](TEditForm& window) { window.Open(name); });
}

TEditForm* TFrameForm::ShowNewWindow(const std::function<void(TEditForm&)>& fill) {
  TEditForm* window = cl::New<TEditForm>(this);
  try {
    fill(*window);
  } catch (...) {
    window->Show();
    throw;
  }
  window->Show();
  return window;
}

void TFrameForm::SetStatusText(int panel, const std::string& text) {
  StatusBar1->Panels()->Items(panel)->SetText(text);
}

void TFrameForm::Timer1Timer(cl::TObject*) {
  UpdateButtonStates();
  cl::Application->SetTitle(Caption());
}

void TFrameForm::Timer2Timer(cl::TObject*) {
  cl::TRegistry settings;
  OpenSettings(settings);
  if (auto name = TakeHandOver(settings)) OpenInNewWindow(*name);
}

void TFrameForm::CtlOneInstance1Custom(cl::TObject*) {
  const std::string value = HandOverValue(CommandLineParams());
  if (value.empty()) return;
  cl::TRegistry settings;
  OpenSettings(settings);
  WriteSetting(settings, kToOpenValue, value);
}

void TFrameForm::Dispatch(cl::TMessage& message) {
  if (message.Msg == WM_DROPFILES) {
    WMDropFiles(message);
    return;
  }
  TForm::Dispatch(message);
}

void TFrameForm::WMDropFiles(cl::TMessage& message) {
  for (const std::string& name : TakeDroppedImageNames(reinterpret_cast<HDROP>(message.WParam))) OpenInNewWindow(name);
  message.Result = 0;
}

}  // namespace viewer
