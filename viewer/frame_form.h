// TFrameForm, the viewer's main form: the frame that holds the image windows. At creation it checks for a
// running instance and, when there is one, hands this start's files over and ends before anything is shown.
// The running instance polls for such hand-overs, opens the files of its own command line and files dropped on
// it, each in a new image window.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "classlib/win/forms.h"
#include "viewer/limit_me.h"
#include "viewer/menu_items.h"
#include "viewer/screen_capture.h"
#include "viewer/toolbar_glyphs.h"

namespace cl {
class TMainMenu;
class TMenuItem;
class TOpenDialog;
class TRegistry;
class TStatusBar;
class TTimer;
}  // namespace cl

namespace ctl {
class TCtlAboutDlg;
class TCtlForm;
}  // namespace ctl
namespace tbr {
class TDock;
class TToolbar;
class TToolbarButton;
}  // namespace tbr

namespace viewer {

class TEditForm;
class TEnhTwain;

class TFrameForm : public cl::TForm {
  CL_CLASS(TFrameForm, cl::TForm)
 public:
  explicit TFrameForm(cl::TComponent* owner) : TForm(owner) {}

  cl::TStatusBar* StatusBar1 = nullptr;
  cl::TMainMenu* MainMenu1 = nullptr;
  cl::TMenuItem* N9 = nullptr;    // separator above the recent files
  RecentFileItems RecentItems{};  // N2 .. N6
  cl::TMenuItem* Edit1 = nullptr;
  cl::TMenuItem* Paste1 = nullptr;
  cl::TMenuItem* Toolbar1 = nullptr;
  cl::TMenuItem* Window1 = nullptr;
  TLimitMe* LimitMe1 = nullptr;
  // The frame's placement, restored at start and saved when the frame goes.
  ctl::TCtlForm* CtlForm1 = nullptr;
  cl::TTimer* Timer1 = nullptr;
  cl::TTimer* Timer2 = nullptr;
  cl::TOpenDialog* OpenFileDialog = nullptr;
  TEnhTwain* Twain1 = nullptr;
  ctl::TCtlAboutDlg* CtlAboutDlg1 = nullptr;
  // Dock1 .. Dock4: top, left, right, bottom.
  std::array<tbr::TDock*, 4> Docks{};
  tbr::TToolbar* ButtonBar1 = nullptr;
  // The toolbar's buttons, from the left.
  tbr::TToolbarButton* CMBtn1 = nullptr;
  tbr::TToolbarButton* Cmbtn7 = nullptr;
  tbr::TToolbarButton* CMBtn2 = nullptr;
  tbr::TToolbarButton* CMBtn3 = nullptr;
  tbr::TToolbarButton* CMBtn4 = nullptr;
  tbr::TToolbarButton* CMBtn6 = nullptr;
  tbr::TToolbarButton* CMBtn5 = nullptr;
  tbr::TToolbarButton* CMBtn8 = nullptr;
  tbr::TToolbarButton* CMBtn9 = nullptr;
  CaptureHotKeys CtlGlobalHotKeys{};  // F9 .. F12, armed by Capture Screen

  // Status bar panel 0 holds hints and progress texts, panel 1 the picture's size.
  static constexpr int kHintPanel = 0;
  static constexpr int kSizePanel = 1;

  // Creates an image window, opens name in it and shows it; the window stays shown when the open fails.
  TEditForm* OpenInNewWindow(const std::string& name);

  void SetStatusText(int panel, const std::string& text);

  // Shows the recent files in N2 .. N6 (an empty one hidden) and N9 exactly when N2 shows.
  void ShowRecentFiles(const RecentFiles& items);

  // File > Open: opens each file chosen in the open dialog (which starts in "LastDir") in a new window, in the
  // dialog's order, and keeps the first one's folder in "LastDir". A file whose opening raises ends the command
  // there, without writing "LastDir"; the window has reported what went wrong.
  void OpenChild(cl::TObject* sender);
  // Commands the image windows' menus share with the frame's. A browser or help file that cannot be started is
  // reported.
  void Tarnby1Click(cl::TObject* sender);
  void UsingMarbeckImageViewer1Click(cl::TObject* sender);
  void Exit1Click(cl::TObject* sender);
  // Opens a recent-file item's file in a new window.
  void RecentFileClick(cl::TObject* sender);
  // Shows the preferences.
  void Preferences1Click(cl::TObject* sender);
  // A new image window with the clipboard's bitmap.
  void Paste1Click(cl::TObject* sender);
  // Acquires an image from the TWAIN source without its own interface into a new window (none when nothing
  // came); without a source manager the user is told so.
  void AcquireImage1Click(cl::TObject* sender);
  // The source manager's dialog for the source to acquire from.
  void SelectSource1Click(cl::TObject* sender);
  // Captures the screen into a new window, at once or on the preferences' hot key (frame_capture.cpp).
  void CaptureScreen1Click(cl::TObject* sender);
  void CtlGlobalHotKey1KeyDown(cl::TObject* sender, WORD& key, cl::TShiftState shift);

  // Edit > Toolbar: shows or hides the toolbar, with the item's check mark.
  void Toolbar1Click(cl::TObject* sender);

  void Dispatch(cl::TMessage& message) override;
  void AfterConstruction() override;

 protected:
  void CreateComponents() override;

 private:
  void FormCreate(cl::TObject* sender);
  // The first showing: the association check, the command line's file, the Paste button and the toolbar. A
  // restored placement shows the frame while it is being made, before the program's other forms: then these wait
  // for the message loop.
  void FormShow(cl::TObject* sender);
  void FirstShown();
  void FormActivate(cl::TObject* sender);
  void FormDestroy(cl::TObject* sender);
  void FormClose(cl::TObject* sender, cl::TCloseAction& action);
  // The application's hint (of the menu item or control under the mouse) in status panel 0.
  void DispHint(cl::TObject* sender);
  void OrlantoHomePage1Click(cl::TObject* sender);
  void About1Click(cl::TObject* sender);
  void Tile1Click(cl::TObject* sender);
  void Cascade1Click(cl::TObject* sender);
  void ArrangeIcons1Click(cl::TObject* sender);
  // Opening the Edit menu: Paste as the clipboard allows.
  void Edit1Click(cl::TObject* sender);
  void CreateMenu();
  // Creates an image window, fills it and shows it; the window stays shown when filling it raises.
  TEditForm* ShowNewWindow(const std::function<void(TEditForm&)>& fill);
  // Tells the user when there is no source manager to acquire with.
  bool TwainAvailable();
  void CreateToolbar();
  tbr::TToolbarButton* AddToolbarButton(const std::string& name, ToolbarGlyph glyph, const std::string& hint,
                                        bool enabled);
  void AddToolbarSeparator(const std::string& name);
  // "Toolbar" shows or hides the toolbar; missing, it is written and the toolbar shows on the top dock.
  void ShowToolbarFromSettings(cl::TRegistry& settings);
  // "DockTo" 1 .. 4 docks the toolbar on Dock1 .. Dock4; missing, 1 is written and it docks at the top.
  void DockToolbarFromSettings(cl::TRegistry& settings);
  // The dock the toolbar goes to is kept in "DockTo" (0 while it floats).
  void ButtonBar1DockChanging(cl::TObject* sender);
  void ButtonBar1DockChanged(cl::TObject* sender);
  void ButtonBar1Close(cl::TObject* sender);
  // The buttons that act on the active image window are enabled while there is one; Paste while the
  // clipboard holds a bitmap.
  void UpdateButtonStates();
  TEditForm* ActiveEditForm() const;
  void Cmbtn7Click(cl::TObject* sender);
  void CMBtn2Click(cl::TObject* sender);
  void CMBtn4Click(cl::TObject* sender);
  void CMBtn5Click(cl::TObject* sender);
  void CMBtn8Click(cl::TObject* sender);
  // Every second: the application's title follows the frame's caption.
  void Timer1Timer(cl::TObject* sender);
  // Every 750 ms: opens what a second instance handed over.
  void Timer2Timer(cl::TObject* sender);
  // The guard's BeforeTerminate in a second instance: leaves the command line in "ToOpen" and nothing else.
  void CtlOneInstance1Custom(cl::TObject* sender);
  void WMDropFiles(cl::TMessage& message);

  bool FMaking = false;  // between construction and the end of AfterConstruction
};

extern TFrameForm* FrameForm;

}  // namespace viewer
