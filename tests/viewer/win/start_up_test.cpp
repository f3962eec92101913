// The viewer's start: the forms it makes, in their order, with the frame as the main form; the repaint form is
// made but never shown.
#include "viewer/start_up.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/win/application.h"
#include "classlib/win/registry.h"
#include "controls/ctl_application.h"
#include "frame_fixture.h"
#include "viewer/frame_form.h"
#include "viewer/repaint_form.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

std::vector<cl::TForm*> ApplicationForms() {
  std::vector<cl::TForm*> forms;
  for (int i = 0; i < cl::Application->ComponentCount(); ++i)
    if (auto* form = dynamic_cast<cl::TForm*>(cl::Application->Components(i))) forms.push_back(form);
  return forms;
}

TEST(StartUpTest, MakesItsFormsInTheirOrderAndNeverShowsTheRepaintForm) {
  ctl::InitControlLibrary();
  ForgetHandedOverFiles();
  CreateStartUpForms();
  std::vector<std::string> names;
  for (cl::TForm* form : ApplicationForms()) names.push_back(form->ClassName());
  EXPECT_EQ(names, (std::vector<std::string>{"TFrameForm", "TAdjustFrm", "TAllScrFrm", "TPrefFrm", "TQualityFrm",
                                             "TFrmRepaint", "TRotateFrm", "TAssocDialog"}));
  EXPECT_EQ(cl::Application->MainForm(), FrameForm);
  ASSERT_NE(FrmRepaint, nullptr);
  EXPECT_EQ(FrmRepaint->Caption(), "Repainting...");
  EXPECT_FALSE(FrmRepaint->Visible());
  EXPECT_FALSE(FrmRepaint->HandleAllocated());
  std::vector<cl::TForm*> forms = ApplicationForms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) (*it)->Free();
}

}  // namespace
}  // namespace viewer
