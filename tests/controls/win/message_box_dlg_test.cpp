// The message box component: its settings on creation and as set, the application object's reference to the
// newest one, and the changes of its lists and of the linked image and wave lists reaching its change handler.
#include "controls/message_box_dlg.h"

#include <gtest/gtest.h>

#include "classlib/core/string_list.h"
#include "controls/ctl_application.h"
#include "controls/ctl_containers.h"
#include "controls/ctl_image_lists.h"

namespace ctl {
namespace {

class MessageBoxDlgTest : public testing::Test {
 protected:
  void SetUp() override {
    InitControlLibrary();
    dialog = cl::Make<TCtlMessageBoxDlg>(owner.get(), "MessageDialog1");
    dialog->SetOnChange(cl::TNotifyEvent([this](cl::TObject*) { ++changes; }));
  }

  cl::Owned<cl::TComponent> owner = cl::MakeOwned<cl::TComponent>(nullptr);
  TCtlMessageBoxDlg* dialog = nullptr;
  int changes = 0;
};

TEST_F(MessageBoxDlgTest, StartsWithItsDefaultsAndKeepsWhatIsSet) {
  EXPECT_EQ(dialog->Buttons(), cl::TMsgDlgButtons{cl::mbOK});
  EXPECT_EQ(dialog->DlgType(), cl::mtCustom);
  EXPECT_EQ(dialog->Position(), bpCenter);
  EXPECT_EQ(dialog->RelatePos(), brScreen);
  EXPECT_EQ(dialog->CaptionAlignment(), cl::taLeftJustify);
  EXPECT_EQ(dialog->Colors(), 32);
  EXPECT_EQ(dialog->CaptionTitle(), "");
  EXPECT_EQ(dialog->ButtonTitles()->Count(), 0);
  EXPECT_FALSE(dialog->CustomGlyph() || dialog->ShowHints() || dialog->PlayWave() || dialog->CaptionFill());
  EXPECT_EQ(dialog->BoxLeft() + dialog->BoxTop() + dialog->BoxWidth() + dialog->BoxHeight(), 0);
  EXPECT_EQ(dialog->WaveList(), nullptr);
  EXPECT_EQ(dialog->CustomGlyphImageList(), nullptr);

  dialog->SetCaptionTitle("System Error");
  dialog->SetButtons({cl::mbAbort, cl::mbRetry});
  dialog->SetDlgType(cl::mtError);
  EXPECT_EQ(dialog->Buttons(), cl::TMsgDlgButtons({cl::mbAbort, cl::mbRetry}));
  EXPECT_EQ(dialog->DlgType(), cl::mtError);
  EXPECT_EQ(dialog->CaptionTitle(), "System Error");

  dialog->SetWaveIndex(3);
  dialog->SetWaveIndex(-1);
  dialog->SetCustomGlyphImageIndex(2);
  dialog->SetCustomGlyphImageIndex(-1);
  dialog->SetCustomGlyphListIndex(-5);
  EXPECT_EQ(dialog->WaveIndex(), 3);
  EXPECT_EQ(dialog->CustomGlyphImageIndex(), 2);
  EXPECT_EQ(dialog->CustomGlyphListIndex(), 0);

  // Object properties are copied, never shared.
  cl::Owned<TCtl3DCaption> raised = cl::MakeOwned<TCtl3DCaption>();
  raised->SetStyle(tdRaised);
  dialog->SetMessageFont3D(raised.get());
  EXPECT_NE(dialog->MessageFont3D(), raised.get());
  EXPECT_EQ(dialog->MessageFont3D()->Style(), tdRaised);
}

TEST_F(MessageBoxDlgTest, TheApplicationKnowsTheNewestBoxUntilItIsFreed) {
  EXPECT_EQ(CtlApplication->MessageBoxDlg(), dialog);
  TCtlMessageBoxDlg* newer = cl::Make<TCtlMessageBoxDlg>(owner.get(), "MessageDialog2");
  EXPECT_EQ(CtlApplication->MessageBoxDlg(), newer);
  cl::Free(dialog);
  EXPECT_EQ(CtlApplication->MessageBoxDlg(), newer) << "freeing the older box leaves the newer one";
  cl::Free(newer);
  EXPECT_EQ(CtlApplication->MessageBoxDlg(), nullptr);
}

TEST_F(MessageBoxDlgTest, ChangesOfItsListsAndLinkedListsReachIt) {
  cl::Owned<cl::TStringList> titles = cl::MakeOwned<cl::TStringList>();
  titles->Add("&Stop");
  dialog->SetButtonTitles(titles.get());
  EXPECT_EQ(changes, 1);
  dialog->Hints()->Add("Stops it");
  EXPECT_EQ(changes, 2);

  dialog->SetWaveIndex(1);
  EXPECT_EQ(changes, 2) << "no wave list, no change";
  TCtlWaveList* waves = cl::Make<TCtlWaveList>(owner.get(), "Waves");
  dialog->SetWaveList(waves);
  EXPECT_EQ(changes, 3);
  dialog->SetWaveIndex(2);
  EXPECT_EQ(changes, 4);
  waves->Add();
  EXPECT_EQ(changes, 5);
  cl::Free(waves);
  EXPECT_EQ(dialog->WaveList(), nullptr);

  TCtlImageList* glyphs = cl::Make<TCtlImageList>(owner.get(), "Glyphs");
  dialog->SetCustomGlyphImageList(glyphs);
  EXPECT_EQ(dialog->CustomGlyphImageList(), glyphs);
  const int before = changes;
  glyphs->Add();
  EXPECT_GT(changes, before);
  cl::Free(glyphs);
  EXPECT_EQ(dialog->CustomGlyphImageList(), nullptr);
}

TEST_F(MessageBoxDlgTest, GlyphIndexesReportChangesOnlyWithAList) {
  dialog->SetCustomGlyphListIndex(1);
  dialog->SetCustomGlyphImageIndex(2);
  EXPECT_EQ(changes, 0);
  dialog->SetCustomGlyphImageList(cl::Make<TCtlImageList>(owner.get(), "Glyphs"));
  changes = 0;
  dialog->SetCustomGlyphListIndex(3);
  dialog->SetCustomGlyphImageIndex(4);
  EXPECT_EQ(changes, 2);
}

TEST_F(MessageBoxDlgTest, AListBothLinksShowIsWatchedUntilTheLastLetsGo) {
  cl::Owned<TCtlImageList> elsewhere = cl::MakeOwned<TCtlImageList>(nullptr);
  dialog->ImageLink().SetImageList(elsewhere.get());
  dialog->SetCustomGlyphImageList(elsewhere.get());
  dialog->SetCustomGlyphImageList(nullptr);
  elsewhere.reset();
  EXPECT_EQ(dialog->ImageLink().ImageList(), nullptr);
}

}  // namespace
}  // namespace ctl
