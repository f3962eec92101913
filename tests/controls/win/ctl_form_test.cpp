// Form placement kept in the common store: saved and restored across a restart (normal and maximised), the
// no-data path, restore-once, the size limits, dropped files, and letting go of the window in any order.
#include "controls/ctl_form.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <functional>

#include "classlib/test/counters.h"
#include "classlib/win/forms.h"
#include "classlib/win/screen.h"
#include "classlib/win/window_subclass.h"
#include "controls/ctl_application.h"
#include "registry_probe.h"

namespace {

using namespace ctl;
using ctl::test::RawString;
using ctl::test::SetRawString;

std::function<void(TCtlForm*)> configure;

class TPlacedForm : public cl::TForm {
  CL_CLASS(TPlacedForm, cl::TForm)
 public:
  explicit TPlacedForm(cl::TComponent* owner) : TForm(owner) {}
  TCtlForm* CtlForm1 = nullptr;
  int OwnShows = 0;
  cl::TNotifyEvent OwnShow;

 protected:
  void CreateComponents() override {
    SetCaption("Placed");
    SetBounds(100, 80, 640, 480);
    OwnShow = cl::TNotifyEvent([this](cl::TObject*) { ++OwnShows; });
    SetOnShow(OwnShow);
    CtlForm1 = cl::Make<TCtlForm>(this, "CtlForm1");
    CtlForm1->SetIniUse(ioUseGlobal);
    if (configure) configure(CtlForm1);
  }
};

class CtlFormTest : public testing::Test {
 protected:
  void SetUp() override {
    InitControlLibrary();
    RegDeleteTreeA(HKEY_CURRENT_USER, Key().c_str());
  }
  void TearDown() override {
    configure = nullptr;
    RegDeleteTreeA(HKEY_CURRENT_USER, Key().c_str());
  }
  static std::string Key() { return ApplicationRegPath() + "Common"; }
  static std::optional<std::string> Stored(const std::string& name = "PlacedForm") {
    return RawString(HKEY_CURRENT_USER, Key(), name);
  }
  static cl::TRect WindowRect(cl::TForm* form) {
    RECT r;
    GetWindowRect(form->Handle(), &r);
    return cl::Rect(r.left, r.top, r.right, r.bottom);
  }
  // Builds and shows a form, as a start of the program does.
  static cl::Owned<TPlacedForm> Start() {
    cl::Owned<TPlacedForm> form(cl::New<TPlacedForm>(nullptr));
    form->Show();
    return form;
  }
};

TEST_F(CtlFormTest, PlacementComesBackAfterARestart) {
  {
    auto form = Start();
    EXPECT_EQ(form->CtlForm1->IniKey(), "PlacedForm");
    EXPECT_EQ(form->CtlForm1->GetPlacementString(), "200,0,1,100,80,740,560");
    SetWindowPos(form->Handle(), nullptr, 50, 60, 400, 300, SWP_NOZORDER);
  }
  EXPECT_EQ(Stored(), "200,0,1,50,60,450,360");
  auto form = Start();
  EXPECT_EQ(WindowRect(form.get()), cl::Rect(50, 60, 450, 360));
  EXPECT_EQ(form->BoundsRect(), cl::Rect(50, 60, 450, 360));
  EXPECT_EQ(form->OwnShows, 1);
}

TEST_F(CtlFormTest, MaximisedPlacementComesBackMaximised) {
  SetRawString(HKEY_CURRENT_USER, Key(), "PlacedForm", "200,0,3,50,60,450,360");
  {
    auto form = Start();
    EXPECT_TRUE(IsZoomed(form->Handle()));
    EXPECT_EQ(form->WindowState(), cl::wsMaximized);
  }
  EXPECT_EQ(Stored(), "200,0,3,50,60,450,360");
}

TEST_F(CtlFormTest, AMaximisedPlacementRestoredAgainStaysOnTheScreen) {
  SetRawString(HKEY_CURRENT_USER, Key(), "PlacedForm", "200,0,3,50,60,450,360");
  auto form = Start();
  const cl::TRect maximised = WindowRect(form.get());
  form->CtlForm1->Restore();
  EXPECT_EQ(WindowRect(form.get()), maximised);
  EXPECT_TRUE(IsZoomed(form->Handle()));
}

TEST_F(CtlFormTest, MissingOrDamagedDataCentresTheForm) {
  for (const char* stored : {"", "199,0,1,50,60,450,360", "200,0,1,50,x,450,360"}) {
    SetRawString(HKEY_CURRENT_USER, Key(), "PlacedForm", stored);
    int noData = 0;
    configure = [&](TCtlForm* c) {
      c->SetOptions({foAutoCenter, foAutoShow});
      c->SetOnNoRestoreData(cl::TNotifyEvent([&](cl::TObject*) { ++noData; }));
    };
    auto form = Start();
    EXPECT_EQ(noData, 1) << stored;
    EXPECT_EQ(form->Left(), (cl::Screen->Width() - 640) / 2) << stored;
    EXPECT_EQ(form->Top(), (cl::Screen->Height() - 480) / 2) << stored;
  }
}

TEST_F(CtlFormTest, RestoreOnceSkipsLaterShowsAndTheFormsOwnHandler) {
  configure = [](TCtlForm* c) { c->SetOptions({foAutoShow, foRestoreOnce}); };
  SetRawString(HKEY_CURRENT_USER, Key(), "PlacedForm", "200,0,1,50,60,450,360");
  auto form = Start();
  form->Hide();
  SetRawString(HKEY_CURRENT_USER, Key(), "PlacedForm", "200,0,1,10,10,310,210");
  form->Show();
  EXPECT_EQ(form->OwnShows, 1);
  EXPECT_EQ(WindowRect(form.get()), cl::Rect(50, 60, 450, 360));
}

TEST_F(CtlFormTest, SizeLimitsFollowTheScreen) {
  configure = [](TCtlForm* c) {
    c->SetTrackMaxWidth(-2);
    c->SetTrackMinHeight(300);
  };
  auto form = Start();
  HWND window = form->Handle();
  SetWindowPos(window, nullptr, 0, 0, 2000, 100, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(WindowRect(form.get()).Width(), cl::Screen->Width() / 2);
  EXPECT_EQ(WindowRect(form.get()).Height(), 300);
  SendMessageA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
  SetWindowPos(window, nullptr, 0, 0, 2000, 400, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(WindowRect(form.get()).Width(), 400);
}

TEST_F(CtlFormTest, ColourIsKeptWhenAskedAStaleOneRemovedAndADamagedOneIgnored) {
  SetRawString(HKEY_CURRENT_USER, Key(), "PlacedFormColor", "clRed");
  { auto form = Start(); }
  EXPECT_EQ(Stored("PlacedFormColor"), std::nullopt);
  configure = [](TCtlForm* c) { c->SetIniSaveOptions({soPos, soSize, soState, soColor}); };
  {
    auto form = Start();
    form->SetColor(cl::clRed);
  }
  EXPECT_EQ(Stored("PlacedFormColor"), "clRed");
  {
    auto form = Start();
    EXPECT_EQ(form->Color(), cl::clRed);
  }
  SetRawString(HKEY_CURRENT_USER, Key(), "PlacedFormColor", "clNoSuchColour");
  auto form = Start();
  EXPECT_EQ(form->Color(), cl::clBtnFace) << "a damaged colour counts as missing";
}

TEST_F(CtlFormTest, AComponentFreedBeforeItsFormHandsBackTheFormsHandlers) {
  {
    auto form = Start();
    cl::Free(form->CtlForm1);
    EXPECT_EQ(form->OnShow(), form->OwnShow);
    EXPECT_FALSE(form->OnDestroy());
    form->Hide();
    form->Show();
    EXPECT_EQ(form->OwnShows, 2);
  }
  EXPECT_EQ(Stored(), std::nullopt) << "the component that went saves nothing";
  // A handler the form was given after the component took over stays.
  auto form = Start();
  const cl::TNotifyEvent later([](cl::TObject*) {});
  form->SetOnShow(later);
  cl::Free(form->CtlForm1);
  EXPECT_EQ(form->OnShow(), later);
}

// A shell drop of the given names at (7, 9), as the system would pass it.
HGLOBAL DropOf(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += name + '\0';
  list += '\0';
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = {7, 9};
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
  GlobalUnlock(memory);
  return memory;
}

TEST_F(CtlFormTest, DroppedNamesTooLongAreSkippedNotCut) {
  std::vector<std::string> received;
  int count = 0;
  cl::TPoint at;
  configure = [&](TCtlForm* c) {
    c->SetAcceptFiles(true);
    c->SetOnFMDragDrop(TCtlDropEvent([&](cl::TObject*, int fcount, int x, int y, cl::TStrings* files) {
      count = fcount;
      at = {x, y};
      for (int i = 0; i < files->Count(); ++i) received.push_back(files->Strings(i));
    }));
  };
  auto form = Start();
  EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  SendMessageA(form->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(DropOf({"c:\\pics\\a.bmp", "c:\\" + std::string(260, 'n') + ".bmp"})), 0);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(received, std::vector<std::string>{"C:\\PICS\\A.BMP"});
  EXPECT_EQ(at, (cl::TPoint{7, 9}));
}

TEST_F(CtlFormTest, LettingGoKeepsLaterHooksAndSurvivesAWindowGoneFirst) {
  auto form = Start();
  HWND window = form->Handle();
  cl::TWindowSubclass later;
  int seen = 0;
  later.Install(window, [&](cl::TMessage& m) {
    if (m.Msg == WM_APP) ++seen;
    later.CallPrevious(m);
  });
  cl::Free(form->CtlForm1);
  form->CtlForm1 = nullptr;
  SendMessageA(window, WM_APP, 0, 0);
  EXPECT_EQ(seen, 1);
  later.Uninstall();

  const int windows = cl::test::ThreadWindowCount();
  auto second = Start();
  DestroyWindow(second->Handle());
  EXPECT_TRUE(second->CtlForm1->WindowDestroyed());
  EXPECT_EQ(second->CtlForm1->HookedWindow(), nullptr);
  second.reset();  // saves without making a window again
  EXPECT_EQ(cl::test::ThreadWindowCount(), windows);
}

}  // namespace
