// The single-instance guard: one per program, and a second copy that ends while its form loads, before any of its
// forms runs further or shows.
#include "controls/one_instance.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/dialogs.h"
#include "classlib/win/forms.h"
#include "controls/ctl_application.h"
#include "child_process.h"

namespace {

using namespace ctl;

constexpr char kChildVariable[] = "CTL_ONE_INSTANCE_CHILD";
constexpr DWORD kFormLoadedCode = 7;  // the child got past its form's load
constexpr DWORD kWrongMessageCode = 8;

bool IsChild() {
  return ctl::test::IsChild(kChildVariable);
}

DWORD RunChild(const std::string& test) {
  return ctl::test::RunChild(kChildVariable, "OneInstanceChild." + test);
}

// A main form with the guard; its OnCreate must never run in a second copy.
class TGuardedForm : public cl::TForm {
  CL_CLASS(TGuardedForm, cl::TForm)
 public:
  explicit TGuardedForm(cl::TComponent* owner) : TForm(owner) {}
  static inline TCtlOneInstanceMode Mode = oiActivateOnly;

 protected:
  void CreateComponents() override {
    SetOnCreate(cl::TNotifyEvent([](cl::TObject*) { ExitProcess(kFormLoadedCode); }));
    cl::Make<TCtlOneInstance>(this, "CtlOneInstance1")->SetMode(Mode);
  }
};

TEST(OneInstance, OnePerProgram) {
  if (IsChild()) GTEST_SKIP() << "runs in the parent only";
  cl::Owned<cl::TComponent> owner = cl::MakeOwned<cl::TComponent>(nullptr);
  TCtlOneInstance* first = cl::Make<TCtlOneInstance>(owner.get(), "First");
  EXPECT_EQ(first->Mode(), oiActivateOnly);
  EXPECT_TRUE(first->Enabled());
  try {
    cl::New<TCtlOneInstance>(owner.get());
    FAIL() << "a second guard was made";
  } catch (const CtlEOneInstError& e) {
    EXPECT_EQ(e.Message(), "TCtlOneInstance:\rAlready one TCtlOneInstance control in this project!");
  }
  EXPECT_EQ(TCtlOneInstance::Count(), 1);
  cl::Free(first);
  EXPECT_EQ(TCtlOneInstance::Count(), 0);
  EXPECT_EQ(CtlEOneInstError("TCtlForm", 0).Message(),
            "TCtlForm:\rInvalid owner (<>TForm) or second instance on a form");
}

// Written by the child when it was shown the right message.
std::string MessageMarker() {
  return std::string(std::getenv("PROJECT_TEST_DIR")) + "\\message_shown";
}

TEST(OneInstance, ASecondCopyEndsWhileItsFormLoads) {
  if (IsChild()) GTEST_SKIP() << "runs in the parent only";
  InitControlLibrary();
  ASSERT_FALSE(CtlApplication->AlreadyRunning());
  EXPECT_EQ(RunChild("EndsWhileItsFormLoads"), 0u);
  DeleteFileA(MessageMarker().c_str());
  EXPECT_EQ(RunChild("ShowsTheMessageFirst"), 0u);
  EXPECT_NE(GetFileAttributesA(MessageMarker().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(OneInstanceChild, EndsWhileItsFormLoads) {
  if (!IsChild()) GTEST_SKIP() << "runs as a child of the parent's tests";
  InitControlLibrary();
  cl::New<TGuardedForm>(nullptr);
  ExitProcess(kFormLoadedCode);
}

TEST(OneInstanceChild, ShowsTheMessageFirst) {
  if (!IsChild()) GTEST_SKIP() << "runs as a child of the parent's tests";
  InitControlLibrary();
  cl::test::Responder responder;
  responder.OnMessageDlg = [](const cl::test::MessageDlgCall& call) -> std::optional<int> {
    if (call.Text != "\"" + cl::Application->Title() + "\" was already started...") ExitProcess(kWrongMessageCode);
    CloseHandle(CreateFileA(MessageMarker().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return cl::mrOk;
  };
  TGuardedForm::Mode = oiDefaultMessage;
  cl::New<TGuardedForm>(nullptr);
  ExitProcess(kFormLoadedCode);
}

}  // namespace
