// The frame's recent-file items: read from the registry at creation and on activation, and brought up to date
// when an image window closes.
#include "viewer/frame_form.h"

#include <gtest/gtest.h>

#include "classlib/test/responder.h"
#include "classlib/win/menus.h"
#include "viewer/edit_form.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

class FrameFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenSettings(FSettings);
    FSettings.WriteString(kToOpenValue, "");
    WriteRecentFiles(FSettings, {"C:\\one.bmp", "C:\\two.bmp", "", "", ""});
    FrameForm = FFrame = cl::New<TFrameForm>(nullptr);
  }
  void TearDown() override {
    FFrame->Free();
    FrameForm = nullptr;
  }

  std::vector<std::string> VisibleRecentItems() const {
    std::vector<std::string> captions;
    for (cl::TMenuItem* item : FFrame->RecentItems)
      if (item->Visible()) captions.push_back(item->Caption());
    return captions;
  }

  cl::TRegistry FSettings;
  TFrameForm* FFrame = nullptr;
  cl::test::Responder FResponder;
};

TEST_F(FrameFormTest, ShowsTheUsedRecentFileSlotsOnly) {
  EXPECT_EQ(VisibleRecentItems(), (std::vector<std::string>{"C:\\one.bmp", "C:\\two.bmp"}));
  EXPECT_TRUE(FFrame->N9->Visible());
  WriteRecentFiles(FSettings, {"", "", "", "", ""});
  FFrame->ShowRecentFiles(ReadRecentFiles(FSettings));
  EXPECT_TRUE(VisibleRecentItems().empty());
  EXPECT_FALSE(FFrame->N9->Visible());
}

TEST_F(FrameFormTest, ClosingAnImageWindowPutsItsFileFirst) {
  TEditForm* window = cl::New<TEditForm>(FFrame);
  window->SetCaption("C:\\two.bmp");
  EXPECT_TRUE(window->CloseQuery());
  EXPECT_EQ(VisibleRecentItems(), (std::vector<std::string>{"C:\\two.bmp", "C:\\one.bmp"}));
  window->Free();
}

}  // namespace
}  // namespace viewer
