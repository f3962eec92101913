// TEditForm, an image window: the picture in a TLoadImage inside a scroll box, kept in a working copy in the
// temporary folder (ImageDocument) from which every view of it is read back. The user's file is written only by
// Save and Save As.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/win/forms.h"
#include "viewer/ctl_sys_info.h"
#include "viewer/image_document.h"
#include "viewer/menu_items.h"
#include "viewer/screen_capture.h"

namespace cl {
class TBitmap;
class TMainMenu;
class TPopupMenu;
class TPrinterSetupDialog;
class TSaveDialog;
class TScrollBox;
class TTimer;
}  // namespace cl
namespace img {
class TLoadImage;
}

namespace viewer {

class TEditForm : public cl::TForm {
  CL_CLASS(TEditForm, cl::TForm)
 public:
  explicit TEditForm(cl::TComponent* owner);
  ~TEditForm() override;

  cl::TScrollBox* ScrollBox1 = nullptr;
  img::TLoadImage* Image1 = nullptr;
  cl::TTimer* Timer1 = nullptr;
  // Merged into the frame's menu while this window is active.
  cl::TMainMenu* MainMenu1 = nullptr;
  RecentFileItems RecentItems{};  // N6 .. N10
  cl::TMenuItem* N5 = nullptr;    // separator below the recent files
  cl::TSaveDialog* SavePictureDialog1 = nullptr;
  cl::TPrinterSetupDialog* PrinterSetupDialog1 = nullptr;
  TCtlSysInfo* CtlSysInfo1 = nullptr;  // places the working copy in the system's temporary folder
  // The selection in image coordinates when the window was last deactivated.
  cl::TRect SelRect{};

  ImageDocument& Document() { return FDocument; }

  // Loads a file into this new window; the picture then lives in the working copy. A file that cannot be read
  // or is not there is reported; a missing one leaves the window empty and untitled. Without a working copy the
  // window reports that and raises the silent EAbort; other failures pass to the caller.
  void Open(const std::string& name);
  // Shows a picture that has no file (an acquired image) in this new window: it becomes the working copy, the
  // window stays untitled and counts as changed, so that closing it asks before the picture is lost. Without a
  // working copy the window reports that and raises the silent EAbort.
  void OpenPicture(cl::TBitmap* picture);
  // Save: writes the window's file when it has one and was changed, else runs Save As; true when written.
  bool Save();
  // Save As: the save dialog starts in "LastDir"; a name chosen without an extension gets the one of the chosen
  // file type. The folder of the dialog's name becomes "LastDir" whatever the outcome. True when written.
  bool SaveAs();
  // Save As with a chosen name: asks before appending to an existing TIFF or DCX file, then writes. On success
  // the window stands for the file; a failure is reported and changes nothing. False when nothing was written.
  bool SaveAsName(const std::string& name);
  // Asks, then deletes the window's file and closes the window (the close question follows).
  void Delete1Click(cl::TObject* sender);

  // The editing commands (edit_form_commands.cpp). Each command that changes the picture marks the window changed,
  // writes the working copy and shows it again; none acts while a grey-scale conversion of the window runs.
  cl::TMenuItem* Edit1 = nullptr;
  cl::TMenuItem* Copy1 = nullptr;
  cl::TMenuItem* Paste1 = nullptr;
  cl::TMenuItem* AsNewImage1 = nullptr;
  cl::TMenuItem* IntoSelection1 = nullptr;
  cl::TMenuItem* View1 = nullptr;
  cl::TMenuItem* FullScreenPreview1 = nullptr;
  cl::TMenuItem* ZoomIn1 = nullptr;
  cl::TMenuItem* ZoomOut1 = nullptr;
  cl::TMenuItem* ActualView1 = nullptr;
  cl::TMenuItem* FittoWindow1 = nullptr;
  cl::TMenuItem* Image2 = nullptr;  // the Image menu
  cl::TMenuItem* Flip1 = nullptr;
  cl::TMenuItem* Mirror1 = nullptr;
  cl::TMenuItem* Rotate1 = nullptr;
  cl::TMenuItem* NegativeImage1 = nullptr;
  cl::TMenuItem* Grayscale1 = nullptr;
  cl::TMenuItem* AdjustBrightnessContratsSaturation1 = nullptr;
  cl::TMenuItem* SelectArea1 = nullptr;
  cl::TMenuItem* Crop1 = nullptr;
  cl::TPopupMenu* PopupMenu1 = nullptr;
  cl::TMenuItem* Copy2 = nullptr;
  cl::TMenuItem* Paste2 = nullptr;
  cl::TMenuItem* AsNewImage2 = nullptr;
  cl::TMenuItem* IntoSelection2 = nullptr;

  // A selection band is shown (or was, until the next crop, zoom or activation).
  bool Selecting() const { return FSelecting; }
  // A grey-scale conversion of this window runs.
  bool Busy() const { return FBusy; }

  void Flip1Click(cl::TObject* sender);
  void Mirror1Click(cl::TObject* sender);
  void NegativeImage1Click(cl::TObject* sender);
  // The rotate dialog; the window is marked changed whatever its answer.
  void Rotate1Click(cl::TObject* sender);
  // The brightness and contrast dialog; the window is marked changed whatever its answer.
  void AdjustBrightnessContratsSaturation1Click(cl::TObject* sender);
  // Grey levels from the display's grey palette; with the preference, the program stays usable meanwhile.
  void Grayscale1Click(cl::TObject* sender);
  void SelectArea1Click(cl::TObject* sender);
  void Crop1Click(cl::TObject* sender);
  // The selection (or the whole picture) to the clipboard as a bitmap.
  void Copy1Click(cl::TObject* sender);
  // A new window with the clipboard's bitmap.
  void AsNewImage1Click(cl::TObject* sender);
  // The clipboard's bitmap stretched into the selection.
  void IntoSelection1Click(cl::TObject* sender);
  // Shows the picture at percent of its size.
  void ZoomPercent(int percent);
  void ActualView1Click(cl::TObject* sender);
  // Toggles fitting the picture into the window.
  void FittoWindow1Click(cl::TObject* sender);
  void FullScreenPreview1Click(cl::TObject* sender);

  // Capture, wallpaper and printing (edit_form_capture.cpp).
  CaptureHotKeys CtlGlobalHotKeys{};  // F9, Ctrl+F10, F11, F12
  cl::TMenuItem* SetAsWallpaper1 = nullptr;
  cl::TMenuItem* SetAsWallpaper2 = nullptr;  // in the pop-up menu
  // Captures the screen into a new window, at once or on the preferences' hot key.
  void Screen1Click(cl::TObject* sender);
  void CtlGlobalHotKey1KeyDown(cl::TObject* sender, WORD& key, cl::TShiftState shift);
  // Makes the window's picture the desktop's wallpaper, tiled or centred; a window without a file has none.
  void Tile1Click(cl::TObject* sender);
  void Center1Click(cl::TObject* sender);
  // Prints the picture at three times its size at the page's top left (smaller where that runs off the page) on
  // the printer chosen with Print Setup, without a dialog.
  void Print1Click(cl::TObject* sender);

 protected:
  void CreateComponents() override;

 private:
  class ImageAdapter;

  void CreateMenu();
  // The Edit, View and Image menus and the picture's pop-up menu.
  void CreateEditMenus();
  // The capture and wallpaper items of the Image menu and the pop-up menu.
  void CreateCaptureItems();
  void SetWallpaper(bool tile);
  // The wallpaper items are enabled while the window shows a file.
  void UpdateWallpaperItems();
  void Edit1Click(cl::TObject* sender);
  void Image2Click(cl::TObject* sender);
  void PopupMenu1Popup(cl::TObject* sender);
  void ZoomStepClick(cl::TObject* sender);
  void Preferences1Click(cl::TObject* sender);
  void FormResize(cl::TObject* sender);
  // The items whose state follows the clipboard and the selection, every second.
  void UpdateEditItems();
  // With the preference, a large picture just opened is fitted to the window.
  void AutoFitLargePicture();
  // The working picture to the working copy; EFCreateError when it cannot be written.
  void WriteWorkingCopy();
  // Ends each picture change: marked changed, the working picture written to the working copy and shown again.
  void Postprocess();
  // The shown picture written to the working copy and read back.
  void ReloadFromShownPicture();
  // Fills this new window with the clipboard's bitmap.
  void TakeClipboardBitmap();
  // Greys the shown picture into a new bitmap that takes its place.
  void ConvertShownToGray(bool background);
  friend TEditForm* PasteAsNewImage(cl::TComponent* owner);
  void FormCreate(cl::TObject* sender);
  void FormActivate(cl::TObject* sender);
  void FormShow(cl::TObject* sender);
  // Takes the selection band away (its rectangle stays in SelRect); the working copy is read again on the next
  // activation.
  void FormDeactivate(cl::TObject* sender);
  void FormCloseQuery(cl::TObject* sender, bool& canClose);
  void FormClose(cl::TObject* sender, cl::TCloseAction& action);
  // Every second, while this is the active window: the picture's size in the frame's status bar.
  void Timer1Timer(cl::TObject* sender);
  void Open1Click(cl::TObject* sender);
  void Tarnby1Click(cl::TObject* sender);
  void Save1Click(cl::TObject* sender);
  void SaveAs1Click(cl::TObject* sender);
  void Close1Click(cl::TObject* sender);
  void PrintSetup1Click(cl::TObject* sender);
  void RecentFileClick(cl::TObject* sender);
  void AcquireImage1Click(cl::TObject* sender);
  void SelectSource1Click(cl::TObject* sender);
  void Exit1Click(cl::TObject* sender);
  void Image1MouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y);
  void ScrollToTopLeft();
  // The view shows the picture zoomed or fitted (scaled) or at its own size: Select Area, here and on the frame's
  // toolbar, only at its own size; a selection shown ends when the view is scaled.
  void SetViewScaled(bool scaled);
  // On activation: ViewScaled follows this window's view, and the frame's Select Area button is disabled for a
  // scaled one.
  void ShowViewScaled();
  // Writes the picture to name and puts the image control's message in the status bar; a failure is reported.
  // True when written.
  bool WriteTo(const std::string& name);

  ImageDocument FDocument;
  std::unique_ptr<ImageAdapter> FImage;
  bool FWasDeactivated = false;
  bool FSelecting = false;
  bool FViewScaled = false;
  bool FBusy = false;
  bool FCloseWhenDone = false;  // a close asked for while busy, done when the conversion ends
};

// Paste as new image (the frame's Paste and an image window's "As New Image"): a new window owned by owner with
// the clipboard's bitmap, marked changed; nothing (and no window) when the clipboard holds no bitmap.
TEditForm* PasteAsNewImage(cl::TComponent* owner);

// True while the active image window shows a fitted or zoomed view; the frame's Select Area button follows it.
extern bool ViewScaled;

// Every image window of the program.
std::vector<TEditForm*> ImageWindows();

}  // namespace viewer
