// The about box: the library's own box with its lines, picture, system lines, buttons and hints, shown modally and
// closed with OK; and the system's box with its texts.
#include "controls/about_dlg.h"

#include <gtest/gtest.h>

#include "classlib/core/string_list.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/application.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/forms.h"
#include "classlib/win/icon.h"
#include "classlib/win/stdctrls.h"
#include "classlib/win/system_seams.h"
#include "controls/ctl_application.h"
#include "controls/simple_label.h"
#include "support/screenshot.h"

namespace {

using namespace ctl;

template <class T>
T* Part(cl::TForm& form, const char* name) {
  auto* part = dynamic_cast<T*>(form.FindComponent(name));
  EXPECT_NE(part, nullptr) << name;
  return part;
}

class AboutDlgTest : public testing::Test {
 protected:
  void SetUp() override {
    InitControlLibrary();
    cl::Application->SetTitle("Orlanto");
    FOwner = cl::CreateNew<cl::TForm>(nullptr);
    FOwner->SetBounds(100, 100, 600, 400);
    FAbout = cl::Make<TCtlAboutDlg>(FOwner, "CtlAboutDlg1");
    FAbout->SetCaptionTitle("Orlanto");
    FAbout->SetVersion("Version 4.1 (4.10.02)");
    FAbout->SetDescription("Orlanto: the best way to view images using Windows.");
    FAbout->SetCopyright("The image viewer's makers");
    FAbout->SetJump("http://example.org/");
  }
  void TearDown() override { cl::Free(FOwner); }

  // Executes the box, runs inspect on it while it shows and closes it with Enter.
  bool ExecuteAndInspect(const std::function<void(cl::TForm&)>& inspect) {
    cl::test::Responder responder;
    responder.OnModal = [&](cl::TForm& form) {
      return cl::seam::ModalAnswer::RunScript([&] {
        inspect(form);
        cl::test::Key(VK_RETURN);
      });
    };
    const bool shown = FAbout->Execute(FOwner);
    EXPECT_EQ(responder.ModalForms.size(), 1u);
    return shown;
  }

  cl::TForm* FOwner = nullptr;
  TCtlAboutDlg* FAbout = nullptr;
};

TEST_F(AboutDlgTest, OwnBoxShowsItsLinesInsideTheFormAndClosesWithOk) {
  FAbout->Hints()->Add("Closes the box");
  FAbout->Hints()->Add("Does more");
  FAbout->SetCustomButton("More...");
  int customClicks = 0;
  FAbout->SetOnCustomClick(cl::TNotifyEvent([&](cl::TObject*) { ++customClicks; }));
  const bool shown = ExecuteAndInspect([&](cl::TForm& form) {
    EXPECT_EQ(form.Caption(), "Orlanto");
    EXPECT_EQ(form.BorderStyle(), cl::bsDialog);
    const int clientWidth = form.ClientWidth();
    auto* picture = Part<cl::TImage>(form, "Picture");
    const int iconWidth = cl::Application->Icon()->Width();
    EXPECT_EQ(picture->BoundsRect(), cl::Bounds(15, 7, 2 * iconWidth + 8, 2 * cl::Application->Icon()->Height() + 8));
    auto* name = Part<TCtlSimpleLabel>(form, "NameLabel");
    EXPECT_EQ(name->Caption(), "Orlanto");  // blank Appname: the application's title
    EXPECT_EQ(name->Left(), picture->BoundsRect().Right + 8);
    EXPECT_EQ(name->Top(), 24);
    EXPECT_EQ(name->Font()->Name(), "Arial");
    EXPECT_EQ(name->Font3D()->Style(), tdSunken);
    auto* version = Part<TCtlSimpleLabel>(form, "VersionLabel");
    EXPECT_EQ(version->Top(), std::max(name->Top() + name->Height() + 10, picture->BoundsRect().Bottom));
    auto* description = Part<TCtlSimpleLabel>(form, "DescriptionLabel");
    EXPECT_EQ(description->Top(), version->Top() + version->Height() + 4);
    auto* link = Part<TCtlSimpleLabel>(form, "LinkLabel");
    EXPECT_EQ(link->Caption(), "http://example.org/");
    EXPECT_EQ(link->JumpMode(), jmInternet);

    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    ASSERT_TRUE(GlobalMemoryStatusEx(&memory));
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    EXPECT_EQ(Part<TCtlSimpleLabel>(form, "SystemCaptionsLabel")->Caption(), "Available Memory:\rPlatform, CPU:");
    const std::string values = Part<TCtlSimpleLabel>(form, "SystemValuesLabel")->Caption();
    EXPECT_EQ(values.substr(0, values.find('\r')), std::to_string(memory.ullTotalPhys / 1024) + " KB");
    EXPECT_NE(values.find(std::to_string(system.dwNumberOfProcessors) + "x "), std::string::npos);
    EXPECT_TRUE(values.ends_with(" or compatible"));

    for (const char* label : {"NameLabel", "VersionLabel", "DescriptionLabel", "CopyrightLabel", "LinkLabel",
                              "SystemCaptionsLabel", "SystemValuesLabel"}) {
      SCOPED_TRACE(label);
      const cl::TRect bounds = Part<TCtlSimpleLabel>(form, label)->BoundsRect();
      EXPECT_GT(bounds.Height(), 0);
      EXPECT_LE(bounds.Right, clientWidth - 6);
    }
    auto* ok = Part<cl::TButton>(form, "OkButton");
    auto* custom = Part<cl::TButton>(form, "CustomButton");
    EXPECT_EQ(ok->Left(), clientWidth - ok->Width() - 6);
    EXPECT_EQ(form.ClientHeight(), ok->BoundsRect().Bottom + 6);
    EXPECT_EQ(custom->BoundsRect().Right, ok->Left() - 6);
    EXPECT_TRUE(custom->Visible());
    EXPECT_EQ(custom->Caption(), "More...");
    EXPECT_EQ(ok->Hint(), "Closes the box");
    EXPECT_EQ(custom->Hint(), "Does more");
    EXPECT_EQ(picture->Hint(), "");
    custom->Click();
    cl::test::PumpUntil([&] { return IsWindowVisible(form.Handle()) != FALSE; });
    cl::test::PumpFor(200);
    testsupport::SaveScreenshot("about_box_own");
  });
  EXPECT_TRUE(shown);
  EXPECT_EQ(customClicks, 1);
}

TEST_F(AboutDlgTest, PlainAndStandardIconStylesAndAProgramWithoutIcon) {
  cl::Owned<cl::TIcon> kept = cl::MakeOwned<cl::TIcon>();
  kept->Assign(cl::Application->Icon());
  cl::Application->Icon()->SetHandle(nullptr);
  FAbout->SetCaptionTitle("");
  FAbout->SetVersion("");
  FAbout->SetUseDefault(true);
  CtlApplication->SetProductVersion("2.5");
  FAbout->SetIconStyle(isStandard);
  EXPECT_TRUE(ExecuteAndInspect([&](cl::TForm& form) {
    EXPECT_EQ(form.Caption(), "Info Orlanto...");
    auto* picture = Part<cl::TImage>(form, "Picture");
    EXPECT_TRUE(picture->Visible());
    EXPECT_FALSE(picture->Picture()->Icon()->Empty());  // the system's application icon stands in
    EXPECT_EQ(picture->Left(), 13);
    EXPECT_EQ(Part<TCtlSimpleLabel>(form, "NameLabel")->Left(), 60);
    EXPECT_EQ(Part<TCtlSimpleLabel>(form, "NameLabel")->Top(), 12);
    EXPECT_EQ(Part<TCtlSimpleLabel>(form, "VersionLabel")->Caption(), "Version 2.5");
  }));
  FAbout->SetIconStyle(isNone);
  EXPECT_TRUE(ExecuteAndInspect([&](cl::TForm& form) {
    EXPECT_FALSE(Part<cl::TImage>(form, "Picture")->Visible());
    EXPECT_EQ(form.Width(), 340);
    EXPECT_EQ(Part<TCtlSimpleLabel>(form, "NameLabel")->Left(), 10);
    EXPECT_EQ(Part<TCtlSimpleLabel>(form, "NameLabel")->Top(), 10);
    EXPECT_EQ(Part<TCtlSimpleLabel>(form, "VersionLabel")->Top(), 60);
  }));
  cl::Application->SetIcon(kept.get());
}

TEST_F(AboutDlgTest, StandardStyleShowsTheSystemsBoxWithTheTitles) {
  FAbout->SetStyle(bsStandard);
  FAbout->SetAppname("Tarnby");
  std::vector<std::string> calls;
  int answer = 1;
  const cl::sys::TShellAbout previous = cl::sys::SetShellAbout([&](HWND owner, LPCSTR app, LPCSTR other, HICON icon) {
    calls.push_back(std::string(app) + "|" + other);
    EXPECT_EQ(owner, FOwner->Handle());
    EXPECT_NE(icon, nullptr);
    return answer;
  });
  EXPECT_TRUE(FAbout->Execute(FOwner));
  answer = 0;
  EXPECT_FALSE(FAbout->Execute(FOwner));
  FAbout->SetCaptionTitle("");
  FAbout->Execute(FOwner);
  cl::sys::SetShellAbout(previous);
  EXPECT_EQ(calls,
            (std::vector<std::string>{"Orlanto#Tarnby|The image viewer's makers",
                                      "Orlanto#Tarnby|The image viewer's makers", "Tarnby|The image viewer's makers"}));
}

}  // namespace
