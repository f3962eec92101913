// The viewer where its settings may only be read (HKEY_LOCAL_MACHINE for most users on Windows): it starts, shows
// what it can read, polls for hand-overs and closes windows without an error, and keeps nothing.
#include "viewer/settings.h"

#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "classlib/test/responder.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/file_dialogs.h"
#include "classlib/win/menus.h"
#include "classlib/win/stdctrls.h"
#include "read_only_settings.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/pref_form.h"
#include "viewer/rk_buttons.h"

namespace viewer {
namespace {

TEST(ReadOnlySettingsTest, TheViewerWorksWithWhatItCanReadAndKeepsNothing) {
  test::ReadOnlySettings readOnly(
      {{"last1", "C:\\one.bmp"}, {kToOpenValue, "C:\\handed over.bmp "}, {"AutoSizeLI", "1"}, {"HotKey", "2"}});
  cl::test::Responder responder;  // strict: an error shown anywhere fails the test
  FrameForm = cl::New<TFrameForm>(nullptr);
  FrameForm->HandleNeeded();
  EXPECT_EQ(FrameForm->RecentItems[0]->Caption(), "C:\\one.bmp");
  // Two polls: the hand-over that cannot be cleared is not taken, so no window opens again and again.
  cl::test::PumpFor(1600);
  EXPECT_TRUE(ImageWindows().empty());

  TEditForm* window = cl::New<TEditForm>(FrameForm);
  window->SetCaption("C:\\two.bmp");
  EXPECT_TRUE(window->CloseQuery());
  EXPECT_EQ(FrameForm->RecentItems[0]->Caption(), "C:\\two.bmp");  // shown for this run
  responder.OnFileDialog = [](cl::TOpenDialog& dialog) {
    dialog.SetFileName("C:\\folder\\missing.bmp");
    return std::optional<bool>(false);
  };
  window->SaveAs();

  cl::TRegistry settings;
  OpenSettings(settings);
  EXPECT_EQ(ReadRecentFiles(settings)[0], "C:\\one.bmp");
  EXPECT_EQ(settings.ReadString(kLastDirValue), "");
  window->Free();

  // The preferences show what is stored; changes last only while the program runs.
  PrefFrm = cl::New<TPrefFrm>(nullptr);
  EXPECT_TRUE(PrefFrm->CheckBox1->Checked());
  EXPECT_EQ(PrefFrm->RadioGroup2->ItemIndex(), 2);
  PrefFrm->RadioGroup2->SetItemIndex(0);
  PrefFrm->RkOkButton1->Click();
  cl::FreeAndNil(PrefFrm);
  EXPECT_EQ(settings.ReadString("HotKey"), "2");
  EXPECT_FALSE(settings.ValueExists("Update"));
  cl::FreeAndNil(FrameForm);
  EXPECT_TRUE(responder.Exceptions.empty());
}

}  // namespace
}  // namespace viewer
