// TEditForm, an image window: the picture in a TLoadImage inside a scroll box, kept in a working copy in the
// temporary folder (ImageDocument) from which every view of it is read back. The user's file is written only by
// Save and Save As.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/win/forms.h"
#include "viewer/image_document.h"
#include "viewer/menu_items.h"

namespace cl {
class TMainMenu;
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
  // The selection in image coordinates when the window was last deactivated.
  cl::TRect SelRect{};

  ImageDocument& Document() { return FDocument; }

  // Loads a file into this new window; the picture then lives in the working copy. A file that cannot be read
  // is reported; a missing one leaves the window empty. Without a working copy the window reports that and
  // raises the silent EAbort; other failures pass to the caller.
  void Open(const std::string& name);
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

 protected:
  void CreateComponents() override;

 private:
  class ImageAdapter;

  void CreateMenu();
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
  void Exit1Click(cl::TObject* sender);
  void Image1MouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y);
  void ScrollToTopLeft();
  // Reports what the image control said about a write that failed.
  void ReportSaveFailure(const std::string& name, SaveResult result);

  ImageDocument FDocument;
  std::unique_ptr<ImageAdapter> FImage;
  bool FWasDeactivated = false;
};

// Every image window of the program.
std::vector<TEditForm*> ImageWindows();

}  // namespace viewer
