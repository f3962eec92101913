// Forms built in code: the load protocol's order, showing and closing, Release, modal runs through the
// responder, and that many forms come and go without leaving anything behind.
#include "classlib/win/forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/test/counters.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/gdi.h"
#include "classlib/win/screen.h"
#include "classlib/win/stdctrls.h"

namespace {

using namespace cl;

std::vector<std::string> journal;

// A component that writes its load steps into the journal.
class TRecorder : public TComponent {
  CL_CLASS(TRecorder, TComponent)
 public:
  explicit TRecorder(TComponent* owner) : TComponent(owner) {}

 protected:
  void ReadState() override { journal.push_back(Name() + ".ReadState"); }
  void Loaded() override {
    inherited::Loaded();
    journal.push_back(Name() + ".Loaded");
  }
};

class TPanelLike : public TCustomControl {
  CL_CLASS(TPanelLike, TCustomControl)
 public:
  explicit TPanelLike(TComponent* owner) : TCustomControl(owner) { FControlStyle.Include(csAcceptsControls); }
};

class TRecordingForm;
TRecordingForm* RecordingForm = nullptr;

class TRecordingForm : public TForm {
  CL_CLASS(TRecordingForm, TForm)
 public:
  explicit TRecordingForm(TComponent* owner) : TForm(owner) {}
  bool SawGlobalReference = false;
  TPanelLike* Panel1 = nullptr;

 protected:
  void CreateComponents() override {
    SawGlobalReference = RecordingForm == this;
    SetCaption("Recording");
    SetBounds(100, 100, 300, 200);
    SetOnCreate(TNotifyEvent([this](TObject*) {
      journal.push_back(Format("OnCreate loading=%d", {int(ComponentState().Contains(csLoading))}));
    }));
    SetOnShow(TNotifyEvent([this](TObject*) {
      journal.push_back(Format("OnShow window visible=%d", {int(IsWindowVisible(Handle()) != 0)}));
    }));
    Make<TRecorder>(this, "First");
    Panel1 = Make<TPanelLike>(this, "Panel1");
    Panel1->SetParent(this);
    Panel1->SetAlign(alClient);
    Make<TRecorder>(this, "Second");
    SetVisible(true);
  }
  void Loaded() override {
    inherited::Loaded();
    journal.push_back("Form.Loaded");
  }
};

// A small form with a few children, made at run time.
class TPlainForm : public TForm {
  CL_CLASS(TPlainForm, TForm)
 public:
  explicit TPlainForm(TComponent* owner) : TForm(owner) {}

 protected:
  void CreateComponents() override {
    SetBounds(50, 50, 200, 150);
    auto* panel = Make<TPanelLike>(this, "Panel1");
    panel->SetParent(this);
    panel->SetAlign(alTop);
    panel->SetHeight(30);
    Make<TPanelLike>(this, "Panel2")->SetParent(panel);
  }
};

TEST(Forms, CreateFormRunsTheLoadProtocolInOrderAndTheFirstFormBecomesMain) {
  journal.clear();
  Application->CreateForm(RecordingForm);
  EXPECT_TRUE(RecordingForm->SawGlobalReference);
  EXPECT_EQ(journal, (std::vector<std::string>{"First.ReadState", "Second.ReadState", "Form.Loaded", "First.Loaded",
                                               "Second.Loaded", "OnCreate loading=0", "OnShow window visible=0"}));
  EXPECT_EQ(Application->MainForm(), RecordingForm);
  EXPECT_TRUE(RecordingForm->Visible());
  EXPECT_TRUE(IsWindowVisible(RecordingForm->Handle()));
  EXPECT_TRUE(GetWindowLongPtrA(RecordingForm->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(RecordingForm->Handle(), GW_OWNER), Application->Handle());
  EXPECT_EQ(RecordingForm->Caption(), "Recording");
  // Realigned after loading: the panel fills the client area.
  EXPECT_EQ(RecordingForm->Panel1->BoundsRect(), RecordingForm->ClientRect());
  // The main form stays for the other tests; a second form does not replace it.
  TPlainForm* second = nullptr;
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), RecordingForm);
  EXPECT_FALSE(second->Visible());
  Free(second);
}

TEST(Forms, CreateNewRunsNoComponentsAndNoLoaded) {
  TPlainForm* form = CreateNew<TPlainForm>(Application);
  EXPECT_EQ(form->ComponentCount(), 0);
  Free(form);
}

TEST(Forms, ExceptionInOnCreateIsReportedAndTheFormExists) {
  test::Responder responder;
  responder.OnShowException = [](const std::string&) {};
  class TFailing : public TForm {
    CL_CLASS(TFailing, TForm)
   public:
    explicit TFailing(TComponent* owner) : TForm(owner) {}

   protected:
    void CreateComponents() override {
      SetOnCreate(TNotifyEvent([](TObject*) { throw EConvertError("'x' is not a valid integer value"); }));
    }
  };
  auto* form = New<TFailing>(Application);
  EXPECT_EQ(responder.Exceptions, std::vector<std::string>{"'x' is not a valid integer value"});
  Free(form);
}

TEST(Forms, VisibleFollowsTheRealWindow) {
  auto* form = New<TPlainForm>(Application);
  ShowWindow(form->Handle(), SW_SHOWNORMAL);
  EXPECT_TRUE(form->Visible());
  ShowWindow(form->Handle(), SW_HIDE);
  EXPECT_FALSE(form->Visible());
  form->Show();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  form->SetWindowState(wsMaximized);
  EXPECT_EQ(form->WindowState(), wsMaximized);
  Free(form);
}

TEST(Forms, CloseAsksOnCloseQueryThenAppliesTheAction) {
  auto* form = New<TPlainForm>(Application);
  form->Show();
  bool allow = false;
  TCloseAction chosen = caHide;
  int closes = 0;
  form->SetOnCloseQuery(TCloseQueryEvent([&](TObject*, bool& canClose) { canClose = allow; }));
  form->SetOnClose(TCloseEvent([&](TObject*, TCloseAction& action) {
    EXPECT_EQ(action, caHide);
    action = chosen;
    ++closes;
  }));
  form->Close();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(closes, 0);

  allow = true;
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(closes, 1);

  // caFree releases: the form lives until the queued messages run, and a second release changes nothing.
  form->Show();
  chosen = caFree;
  Weak<TForm> weak(form);
  form->Close();
  form->Release();
  EXPECT_TRUE(weak);
  test::PumpFor(50);
  EXPECT_FALSE(weak);
}

TEST(Forms, OnDestroyRunsFirstWithEverythingAlive) {
  auto* form = New<TPlainForm>(Application);
  HWND wnd = form->Handle();
  bool alive = false;
  form->SetOnDestroy(TNotifyEvent([&](TObject* sender) {
    auto* f = static_cast<TForm*>(sender);
    alive = f->ComponentCount() == 2 && IsWindow(wnd) && f->FindComponent("Panel2") != nullptr;
  }));
  Free(form);
  EXPECT_TRUE(alive);
  EXPECT_FALSE(IsWindow(wnd));
}

TEST(Forms, ShowModalAsksTheResponderFirst) {
  test::Responder responder;
  auto* dialog = New<TPlainForm>(Application);
  responder.OnModal = [](TForm&) { return seam::ModalAnswer::Return(mrOk); };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(dialog->HandleAllocated() && IsWindowVisible(dialog->Handle()));
  EXPECT_EQ(responder.ModalForms, std::vector<std::string>{"TPlainForm"});
  Free(dialog);
}

TEST(Forms, ScriptedModalRunsInsideTheLoopAfterOnShowAndDisablesOtherWindows) {
  test::Responder responder;
  auto* dialog = New<TPlainForm>(Application);
  dialog->SetBorderStyle(bsDialog);
  dialog->SetPosition(poScreenCenter);
  bool shown = false;
  dialog->SetOnShow(TNotifyEvent([&](TObject*) { shown = true; }));
  bool mainDisabled = false;
  responder.OnModal = [&](TForm& form) {
    return seam::ModalAnswer::RunScript([&] {
      mainDisabled = !IsWindowEnabled(RecordingForm->Handle());
      EXPECT_TRUE(shown);
      EXPECT_TRUE(form.Visible());
      form.SetModalResult(mrYes);
    });
  };
  EXPECT_EQ(dialog->ShowModal(), mrYes);
  EXPECT_TRUE(mainDisabled);
  EXPECT_TRUE(IsWindowEnabled(RecordingForm->Handle()));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(dialog->Left(), (Screen->Width() - dialog->Width()) / 2);

  // Close inside a modal run gives mrCancel; a visible form cannot become modal.
  responder.OnModal = [&](TForm& form) { return seam::ModalAnswer::RunScript([&] { form.Close(); }); };
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  dialog->Show();
  try {
    dialog->ShowModal();
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Cannot make a visible window modal");
  }
  Free(dialog);
}

TEST(Forms, TheControlThatHadTheFocusHasItAgainAfterAModalForm) {
  test::Responder responder;
  auto* form = New<TPlainForm>(Application);
  auto* first = Make<TEdit>(form, "First");
  first->SetParent(form);
  auto* second = Make<TEdit>(form, "Second");
  second->SetParent(form);
  second->SetTop(40);
  form->Show();
  SetForegroundWindow(form->Handle());
  second->SetFocus();
  auto* dialog = New<TPlainForm>(Application);
  responder.OnModal = [&](TForm& modal) { return seam::ModalAnswer::RunScript([&] { modal.SetModalResult(mrOk); }); };
  dialog->ShowModal();
  test::PumpFor(50);
  EXPECT_EQ(GetFocus(), second->Handle());
  EXPECT_EQ(form->ActiveControl(), second);
  Free(dialog);
  Free(form);
}

TEST(Forms, ModalFormFreedInsideItsLoopReturnsSafely) {
  test::Responder responder;
  auto* dialog = New<TPlainForm>(Application);
  Weak<TForm> weak(dialog);
  responder.OnModal = [&](TForm& form) {
    return seam::ModalAnswer::RunScript([&] {
      form.SetModalResult(mrOk);
      form.Release();
    });
  };
  dialog->ShowModal();
  test::PumpFor(20);
  EXPECT_FALSE(weak);
}

TEST(Forms, FiveHundredFormsLeaveNoWindowGdiObjectOrComponentBehind) {
  const int windows = test::ThreadWindowCount();
  const int components = Application->ComponentCount();
  const int forms = Screen->FormCount();
  const debug::TGdiCounts gdi = debug::GdiCounts();
  for (int i = 0; i < 500; ++i) {
    auto* form = New<TPlainForm>(Application);
    form->Show();
    UpdateWindow(form->Handle());
    Free(form);
  }
  test::PumpFor(10);
  EXPECT_EQ(test::ThreadWindowCount(), windows);
  EXPECT_EQ(Application->ComponentCount(), components);
  EXPECT_EQ(Screen->FormCount(), forms);
  EXPECT_EQ(debug::GdiCounts(), gdi);
}

}  // namespace
