// TCtlAboutDlg: the program's about box, either the library's own (a dialog built at run time from the program's
// name, version, description, copyright and link, its icon and two lines about the machine) or the system's.
#pragma once

#include <string>

#include "classlib/core/events.h"
#include "controls/core/about_layout.h"
#include "controls/ctl_controls.h"
#include "controls/ctl_form.h"

namespace cl {
class TForm;
class TIcon;
class TStringList;
class TStrings;
}  // namespace cl

namespace ctl {

using TCtlCustomizeEvent = cl::Event<void(cl::TObject* Sender, cl::TForm* Dialog)>;

// The settings the library's dialogs share: hints, the opening effect, the caption's gradient, a custom button, the
// caption and a background from an image list.
class TCtlBaseDialog : public TCtlContainerComponent {
  CL_CLASS(TCtlBaseDialog, TCtlContainerComponent)
 public:
  explicit TCtlBaseDialog(cl::TComponent* owner);
  void BeforeDestruction() override;

  // Line 0: the OK button's hint, 1: the custom button's, 2: the picture's.
  cl::TStringList* Hints() const { return FHints; }
  void SetHints(const cl::TStrings* hints);
  TCtlDlgEffect Effect() const { return FEffect; }
  void SetEffect(TCtlDlgEffect effect) { FEffect = effect; }
  bool ShowHints() const { return FShowHints; }
  void SetShowHints(bool show) { FShowHints = show; }
  // The caption bar drawn as a gradient of Colors steps.
  bool CaptionFill() const { return FCaptionFill; }
  void SetCaptionFill(bool fill) { FCaptionFill = fill; }
  int Colors() const { return FColors; }
  void SetColors(int colors) { FColors = colors; }
  // A non-empty text shows a second button with it, which runs OnCustomClick.
  const std::string& CustomButton() const { return FCustomButton; }
  void SetCustomButton(const std::string& caption) { FCustomButton = caption; }
  const std::string& CaptionTitle() const { return FCaptionTitle; }
  void SetCaptionTitle(const std::string& title) { FCaptionTitle = title; }
  // Runs with the dialog form before it shows.
  const TCtlCustomizeEvent& OnCustomize() const { return FOnCustomize; }
  void SetOnCustomize(const TCtlCustomizeEvent& e) { FOnCustomize = e; }
  const cl::TNotifyEvent& OnCustomClick() const { return FOnCustomClick; }
  void SetOnCustomClick(const cl::TNotifyEvent& e) { FOnCustomClick = e; }

  // The base shows nothing.
  virtual bool Execute() { return false; }

 private:
  cl::TStringList* FHints;
  TCtlDlgEffect FEffect = deNone;
  bool FShowHints = true;
  bool FCaptionFill = false;
  int FColors = 32;
  std::string FCustomButton;
  std::string FCaptionTitle;
  TCtlCustomizeEvent FOnCustomize;
  cl::TNotifyEvent FOnCustomClick;
};

// bsStandard: the system's about box; bsOwn: the library's.
enum TCtlAboutStyle { bsStandard, bsOwn };

class TCtlAboutDlg : public TCtlBaseDialog {
  CL_CLASS(TCtlAboutDlg, TCtlBaseDialog)
 public:
  explicit TCtlAboutDlg(cl::TComponent* owner);
  void BeforeDestruction() override;

  // The program's name; blank: the application's title.
  const std::string& Appname() const { return FAppname; }
  void SetAppname(const std::string& name) { FAppname = name; }
  // Points of the name's font.
  int AppNameSize() const { return FAppNameSize; }
  void SetAppNameSize(int size) { FAppNameSize = size; }
  const std::string& Copyright() const { return FCopyright; }
  void SetCopyright(const std::string& text) { FCopyright = text; }
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& text) { FDescription = text; }
  // The link line: a web page or mail address the user can click.
  const std::string& Jump() const { return FJump; }
  void SetJump(const std::string& jump) { FJump = jump; }
  const std::string& Version() const { return FVersion; }
  void SetVersion(const std::string& version) { FVersion = version; }
  TCtlAboutIconStyle IconStyle() const { return FIconStyle; }
  void SetIconStyle(TCtlAboutIconStyle style) { FIconStyle = style; }
  TCtlAboutStyle Style() const { return FStyle; }
  void SetStyle(TCtlAboutStyle style) { FStyle = style; }
  // A blank Version shows "Version " and the application object's product version.
  bool UseDefault() const { return FUseDefault; }
  void SetUseDefault(bool useDefault) { FUseDefault = useDefault; }
  // The icon shown; empty: the application's.
  cl::TIcon* Icon() const { return FIcon; }
  void SetIcon(const cl::TIcon* icon);

  // Shows the box centred over owner (or the screen) and returns True when it was shown.
  bool Execute() override { return Execute(nullptr); }
  bool Execute(cl::TForm* owner);

 private:
  bool ExecuteStandard(cl::TForm* owner);
  bool ExecuteOwn(cl::TForm* owner);

  std::string FAppname;
  int FAppNameSize = 22;
  std::string FCopyright;
  std::string FDescription;
  std::string FJump;
  std::string FVersion;
  TCtlAboutIconStyle FIconStyle = isExtended;
  TCtlAboutStyle FStyle = bsOwn;
  bool FUseDefault = false;
  cl::TIcon* FIcon;
};

// The replaceable texts of the about box, from the library's string table.
TAboutTexts LoadAboutTexts();

}  // namespace ctl
