#include "viewer/frame_form.h"

#include <string>
#include <vector>

#include "classlib/win/colors.h"
#include "classlib/win/command_line.h"
#include "viewer/core/hand_over.h"
#include "viewer/settings.h"

namespace viewer {

TFrameForm* FrameForm = nullptr;

namespace {

std::vector<std::string> CommandLineParams() {
  std::vector<std::string> params;
  for (int i = 1; i <= cl::ParamCount(); ++i) params.push_back(cl::ParamStr(i));
  return params;
}

}  // namespace

void TFrameForm::CreateComponents() {
  SetCaption("Orlanto");
  SetFormStyle(cl::fsMDIForm);
  SetPosition(cl::poDefault);
  SetColor(cl::clAppWorkSpace);

  LimitMe1 = cl::Make<TLimitMe>(this, "LimitMe1");
  LimitMe1->SetBija("Orlanto");
  LimitMe1->SetTerminate(true);
  LimitMe1->SetBeforeTerminate(CL_EVENT(LMDOneInstance1Custom));

  SetOnCreate(CL_EVENT(FormCreate));
}

void TFrameForm::FormCreate(cl::TObject*) {
  if (LimitMe1->DoIExist()) return;
}

void TFrameForm::LMDOneInstance1Custom(cl::TObject*) {
  const std::string value = HandOverValue(CommandLineParams());
  if (value.empty()) return;
  cl::TRegistry settings;
  OpenSettings(settings);
  settings.WriteString(kToOpenValue, value);
}

}  // namespace viewer
