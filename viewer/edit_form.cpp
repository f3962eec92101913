#include "viewer/edit_form.h"

#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/dialogs.h"
#include "classlib/win/file_dialogs.h"
#include "classlib/win/menus.h"
#include "classlib/win/print_dialogs.h"
#include "classlib/win/screen.h"
#include "classlib/win/scroll_box.h"
#include "classlib/win/timer.h"
#include "image/load_image.h"
#include "viewer/core/image_files.h"
#include "viewer/core/window_names.h"
#include "viewer/frame_form.h"
#include "viewer/hour_glass.h"
#include "viewer/settings.h"

namespace viewer {

namespace {

constexpr char kTitle[] = "Orlanto";
constexpr int kHintPanel = TFrameForm::kHintPanel;
constexpr int kSizePanel = TFrameForm::kSizePanel;

// Image windows made outside the program (in tests) have no frame to report to.
void FrameStatus(int panel, const std::string& text) {
  if (FrameForm) FrameForm->SetStatusText(panel, text);
}

// The close question is a message box of the program's own title; the others are the library's dialogs.
int AskToSave(const std::string& caption) {
  return cl::Application->MessageBox("Save Changes to '" + caption + "'?", kTitle, MB_YESNOCANCEL | MB_ICONQUESTION);
}

cl::TModalResult Tell(const std::string& text, cl::TMsgDlgType type, cl::TMsgDlgButtons buttons = {cl::mbOK}) {
  return cl::MessageDlg(text, type, buttons, 0);
}

// A window without a working copy says so itself; the caller only stops.
[[noreturn]] void StopWithoutWorkingCopy(const cl::EFCreateError& error) {
  Tell(error.Message(), cl::mtError);
  cl::Abort();
}

}  // namespace

class TEditForm::ImageAdapter : public ImageControl {
 public:
  explicit ImageAdapter(img::TLoadImage* image) : FImage(image) {}
  void ChangeFile(const std::string& name) override { FImage->ChangeFile(name); }
  void SetSaveName(const std::string& name) override { FImage->SetSaveName(name); }
  bool ImageError() const override { return FImage->ImageError(); }
  void SetImageError(bool error) override { FImage->SetImageError(error); }
  bool OverWrite() const override { return FImage->OverWrite(); }
  std::string StatusText() const override { return FImage->StatusText(); }

 private:
  img::TLoadImage* FImage;
};

std::vector<TEditForm*> ImageWindows() {
  std::vector<TEditForm*> windows;
  for (int i = 0; i < cl::Screen->FormCount(); ++i)
    if (auto* window = dynamic_cast<TEditForm*>(cl::Screen->Forms(i))) windows.push_back(window);
  return windows;
}

TEditForm::TEditForm(cl::TComponent* owner) : TForm(owner) {}

TEditForm::~TEditForm() = default;

void TEditForm::CreateComponents() {
  SetCaption("Untitled");
  SetFormStyle(cl::fsMDIChild);
  SetColor(cl::clBlack);
  SetPosition(cl::poDefault);  // the frame places each new window a step further in

  ScrollBox1 = cl::Make<cl::TScrollBox>(this, "ScrollBox1");
  ScrollBox1->SetParent(this);
  ScrollBox1->SetAlign(cl::alClient);
  Image1 = cl::Make<img::TLoadImage>(this, "Image1");
  Image1->SetParent(ScrollBox1);
  Image1->SetOnMouseMove(CL_EVENT(Image1MouseMove));
  FImage = std::make_unique<ImageAdapter>(Image1);

  CreateMenu();
  SavePictureDialog1 = cl::Make<cl::TSaveDialog>(this, "SavePictureDialog1");
  SavePictureDialog1->SetDefaultExt("BMP");
  SavePictureDialog1->SetFilter(kSaveFilter);
  PrinterSetupDialog1 = cl::Make<cl::TPrinterSetupDialog>(this, "PrinterSetupDialog1");
  CtlSysInfo1 = cl::Make<TCtlSysInfo>(this, "CtlSysInfo1");
  if (const std::string temp = CtlSysInfo1->TempPath(); !temp.empty()) FDocument.PlaceWorkingCopyIn(temp);
  CtlGlobalHotKeys = MakeCaptureHotKeys(this, CaptureOwner::ImageWindow, CL_EVENT(CtlGlobalHotKey1KeyDown));
  Timer1 = cl::Make<cl::TTimer>(this, "Timer1");
  Timer1->SetInterval(1000);
  Timer1->SetOnTimer(CL_EVENT(Timer1Timer));

  SetOnCreate(CL_EVENT(FormCreate));
  SetOnShow(CL_EVENT(FormShow));
  SetOnActivate(CL_EVENT(FormActivate));
  SetOnDeactivate(CL_EVENT(FormDeactivate));
  SetOnCloseQuery(CL_EVENT(FormCloseQuery));
  SetOnClose(CL_EVENT(FormClose));
}

void TEditForm::CreateMenu() {
  MainMenu1 = cl::Make<cl::TMainMenu>(this, "MainMenu1");
  // File is group 0: it takes the frame's File menu's place while this window is active.
  cl::TMenuItem* file = AddMenuItem(MainMenu1->Items(), "File1", "&File");
  AddMenuItem(file, "Open1", "&Open", cl::ShortCut('O', {cl::ssCtrl}), CL_EVENT(Open1Click));
  AddMenuItem(file, "N1", "-");
  AddMenuItem(file, "Tarnby1", "Tarnby", cl::ShortCut(VK_F9, {}), CL_EVENT(Tarnby1Click));
  AddMenuItem(file, "N2", "-");
  AddMenuItem(file, "Save1", "Save", 0, CL_EVENT(Save1Click));
  AddMenuItem(file, "SaveAs1", "Save As...", cl::ShortCut('S', {cl::ssCtrl}), CL_EVENT(SaveAs1Click));
  AddMenuItem(file, "N3", "-");
  AddMenuItem(file, "Close1", "&Close", 0, CL_EVENT(Close1Click));
  AddMenuItem(file, "Delete1", "Delete...", cl::ShortCut('D', {cl::ssCtrl}), CL_EVENT(Delete1Click));
  AddMenuItem(file, "N4", "-");
  AddMenuItem(file, "AcquireImage1", "Acquire Image...", 0, CL_EVENT(AcquireImage1Click));
  AddMenuItem(file, "SelectSource1", "Select Source...", 0, CL_EVENT(SelectSource1Click));
  AddMenuItem(file, "N12", "-");
  AddMenuItem(file, "Print1", "&Print", cl::ShortCut('P', {cl::ssCtrl}), CL_EVENT(Print1Click));
  AddMenuItem(file, "PrintSetup1", "Prin&t Setup...", 0, CL_EVENT(PrintSetup1Click));
  AddMenuItem(file, "N13", "-");
  AddMenuItem(file, "Preferences1", "Preferences...", 0, CL_EVENT(Preferences1Click));
  AddMenuItem(file, "N11", "-");
  RecentItems = AddRecentFileItems(file, 6, CL_EVENT(RecentFileClick));
  N5 = AddMenuItem(file, "N5", "-");
  AddMenuItem(file, "Exit1", "E&xit", 0, CL_EVENT(Exit1Click));
  CreateEditMenus();
  SetMenu(MainMenu1);
}

void TEditForm::FormCreate(cl::TObject*) {
  FWasDeactivated = false;
  Image1->SetCenter(false);
  Image1->SetScrollBoxW(ScrollBox1->Width());
  Image1->SetScrollBoxH(ScrollBox1->Height());
  cl::TPen* pen = Image1->Canvas()->Pen();
  pen->SetMode(cl::pmNot);
  pen->SetStyle(cl::psInsideFrame);
  pen->SetWidth(1);
  Image1->SetBounds(0, 0, ClientWidth(), ClientHeight());

  std::vector<std::string> captions;
  for (TEditForm* window : ImageWindows()) captions.push_back(window->Caption());
  SetCaption(UntitledCaption(captions));
}

void TEditForm::Open(const std::string& name) {
  OpenResult result;
  {
    HourGlass hourGlass;
    Image1->Hide();
    try {
      result = FDocument.Open(*FImage, name);
    } catch (const cl::EFCreateError& error) {
      StopWithoutWorkingCopy(error);
    }
    if (result == OpenResult::Missing) {
      Image1->SetBounds(0, 0, 0, 0);
    } else {
      SetCaption(name);
      Image1->Show();
    }
    // A file that is not there is reported as one that cannot be read: an empty window alone would say nothing.
    if (result != OpenResult::Opened) Tell(name + "-unable to load", cl::mtInformation);
    AutoFitLargePicture();
  }
  ScrollToTopLeft();
}

void TEditForm::WriteWorkingCopy() {
  FDocument.WriteWorkingCopy(*FImage);
}

void TEditForm::OpenPicture(cl::TBitmap* picture) {
  HourGlass hourGlass;
  try {
    picture->SaveToFile(FDocument.RequireWorkFile());
  } catch (const cl::EFCreateError& error) {
    StopWithoutWorkingCopy(error);
  }
  Image1->ChangeFile(FDocument.WorkFile());
  FDocument.SetModified(true);
  Image1->Show();
  AutoFitLargePicture();
  ScrollToTopLeft();
}

void TEditForm::ScrollToTopLeft() {
  ScrollBox1->HorzScrollBar()->SetPosition(0);
  ScrollBox1->VertScrollBar()->SetPosition(0);
  Image1->SetBounds(0, 0, Image1->Width(), Image1->Height());
}

void TEditForm::Timer1Timer(cl::TObject*) {
  UpdateEditItems();
  if (!FrameForm || FrameForm->ActiveMDIChild() != this) return;
  FrameStatus(kSizePanel, SizeText(Image1->Picture()->Width(), Image1->Picture()->Height()));
}

void TEditForm::Image1MouseMove(cl::TObject*, cl::TShiftState, int x, int y) {
  FrameStatus(kHintPanel, PositionText(x, y));
}

void TEditForm::FormActivate(cl::TObject*) {
  FSelecting = false;
  ShowViewScaled();
  cl::TRegistry settings;
  OpenSettings(settings);
  ShowRecentFileItems(RecentItems, N5, ReadRecentFiles(settings));
  // A conversion that runs reads and replaces the shown picture itself.
  if (!FWasDeactivated || FBusy) return;
  if (cl::FileExists(FDocument.WorkFile())) Image1->ChangeFile(FDocument.WorkFile());
  ScrollToTopLeft();
}

void TEditForm::FormShow(cl::TObject*) {
  Image1->Refresh();
}

void TEditForm::FormDeactivate(cl::TObject*) {
  bool changed = false;
  Image1->croptool_off(changed, SelRect);
  FWasDeactivated = true;
}

void TEditForm::Open1Click(cl::TObject* sender) {
  if (FrameForm) FrameForm->OpenChild(sender);
}

void TEditForm::Tarnby1Click(cl::TObject* sender) {
  if (FrameForm) FrameForm->Tarnby1Click(sender);
}

void TEditForm::AcquireImage1Click(cl::TObject* sender) {
  if (FrameForm) FrameForm->AcquireImage1Click(sender);
}

void TEditForm::SelectSource1Click(cl::TObject* sender) {
  if (FrameForm) FrameForm->SelectSource1Click(sender);
}

void TEditForm::Exit1Click(cl::TObject* sender) {
  if (FrameForm) FrameForm->Exit1Click(sender);
}

void TEditForm::RecentFileClick(cl::TObject* sender) {
  if (FrameForm) FrameForm->RecentFileClick(sender);
}

void TEditForm::Close1Click(cl::TObject*) {
  Close();
}

void TEditForm::PrintSetup1Click(cl::TObject*) {
  PrinterSetupDialog1->Execute();
}

void TEditForm::Save1Click(cl::TObject*) {
  Save();
}

bool TEditForm::Save() {
  if (!SavesDirectly(FDocument.FileName(), FDocument.Modified())) return SaveAs();
  return WriteTo(FDocument.FileName());
}

void TEditForm::SaveAs1Click(cl::TObject*) {
  SaveAs();
}

bool TEditForm::SaveAs() {
  cl::TRegistry settings;
  OpenSettings(settings);
  SavePictureDialog1->SetInitialDir(settings.ReadString(kLastDirValue));
  // A file that the save would replace is asked about in the dialog; one it appends to, after it.
  cl::TOpenOptions options = SavePictureDialog1->Options();
  if (Image1->OverWrite())
    options.Include(cl::ofOverwritePrompt);
  else
    options.Exclude(cl::ofOverwritePrompt);
  SavePictureDialog1->SetOptions(options);
  const bool chosen = SavePictureDialog1->Execute();
  const std::string name = SaveDialogName(SavePictureDialog1->FileName(), SavePictureDialog1->FilterIndex());
  const bool saved = chosen && SaveAsName(name);
  // A dialog cancelled before any name was chosen leaves the last folder as it was.
  const std::string folder = cl::ExtractFilePath(name);
  if (!folder.empty()) WriteSetting(settings, kLastDirValue, folder);
  return saved;
}

bool TEditForm::SaveAsName(const std::string& name) {
  if (NeedsAppendQuestion(name, cl::FileExists(name), Image1->OverWrite()) &&
      Tell("File exists - saving to this name will APPEND the image to the file", cl::mtInformation,
           {cl::mbOK, cl::mbCancel}) != cl::mrOk)
    return false;
  if (!WriteTo(name)) return false;
  SetCaption(name);
  return true;
}

bool TEditForm::WriteTo(const std::string& name) {
  const SaveResult result = FDocument.SaveAs(*FImage, name);
  FrameStatus(kHintPanel, FDocument.SaveMessage());
  if (result == SaveResult::Saved) return true;
  std::string text = name + "-unable to save";
  if (result == SaveResult::Unwritable) text += ": Orlanto cannot write files of this type";
  Tell(text, cl::mtInformation);
  return false;
}

void TEditForm::Delete1Click(cl::TObject*) {
  // An untitled window has no file of its own to delete.
  if (FDocument.FileName().empty() || IsUntitledCaption(FDocument.FileName())) return;
  if (Tell("Delete file " + FDocument.FileName() + " from drive?", cl::mtConfirmation,
           {cl::mbYes, cl::mbNo, cl::mbCancel}) != cl::mrYes)
    return;
  FDocument.DeleteUserFile();
  Close();
}

void TEditForm::FormCloseQuery(cl::TObject*, bool& canClose) {
  if (FBusy) {
    // The conversion still uses the window; it closes when that ends.
    FCloseWhenDone = true;
    canClose = false;
    return;
  }
  FrameStatus(kSizePanel, "");
  const std::string caption = Caption();
  if (CloseAsks(caption, FDocument.Modified())) {
    FDocument.SetFileName(caption);
    const int answer = AskToSave(caption);
    // A save that did not happen (cancelled or failed) keeps the window, so the picture is not thrown away.
    if (answer == IDCANCEL || (answer == IDYES && !Save())) canClose = false;
  }
  // A Save As through Yes renamed the window: the list gets the name it has now.
  cl::TRegistry settings;
  OpenSettings(settings);
  const RecentFiles items = FDocument.RecordClose(settings, Caption());
  if (FrameForm) FrameForm->ShowRecentFiles(items);
}

void TEditForm::FormClose(cl::TObject*, cl::TCloseAction& action) {
  action = cl::caFree;
}

}  // namespace viewer
