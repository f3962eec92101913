// TFrameForm, the viewer's main form: the frame that holds the image windows. At creation it checks for a
// running instance and, when there is one, hands this start's files over and ends before anything is shown.
// The running instance polls for such hand-overs, opens the files of its own command line and files dropped on
// it, each in a new image window.
#pragma once

#include <string>

#include "classlib/win/forms.h"
#include "viewer/limit_me.h"

namespace cl {
class TStatusBar;
class TTimer;
}  // namespace cl

namespace viewer {

class TEditForm;

class TFrameForm : public cl::TForm {
  CL_CLASS(TFrameForm, cl::TForm)
 public:
  explicit TFrameForm(cl::TComponent* owner) : TForm(owner) {}

  cl::TStatusBar* StatusBar1 = nullptr;
  TLimitMe* LimitMe1 = nullptr;
  cl::TTimer* Timer1 = nullptr;
  cl::TTimer* Timer2 = nullptr;

  // Creates an image window, opens name in it and shows it; the window stays shown when the open fails.
  TEditForm* OpenInNewWindow(const std::string& name);

  // Status bar panel 0 holds hints and progress texts, panel 1 the picture's size.
  void SetStatusText(int panel, const std::string& text);

  void Dispatch(cl::TMessage& message) override;

 protected:
  void CreateComponents() override;

 private:
  void FormCreate(cl::TObject* sender);
  void FormShow(cl::TObject* sender);
  // Every second: the application's title follows the frame's caption.
  void Timer1Timer(cl::TObject* sender);
  // Every 750 ms: opens what a second instance handed over.
  void Timer2Timer(cl::TObject* sender);
  // The guard's BeforeTerminate in a second instance: leaves the command line in "ToOpen" and nothing else.
  void LMDOneInstance1Custom(cl::TObject* sender);
  void WMDropFiles(cl::TMessage& message);
};

extern TFrameForm* FrameForm;

}  // namespace viewer
