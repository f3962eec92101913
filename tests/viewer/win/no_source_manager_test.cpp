// The viewer on a system without a TWAIN source manager: ctest runs this program with Wine told not to load its
// TWAIN_32.DLL. The TWAIN commands say so and open nothing; the component answers as having nothing.
#include <gtest/gtest.h>

#include "classlib/core/string_list.h"
#include "classlib/test/responder.h"
#include "viewer/edit_form.h"
#include "viewer/enh_twain.h"
#include "viewer/frame_form.h"

namespace viewer {
namespace {

TEST(NoSourceManager, TheTwainCommandsSaySoAndOpenNothing) {
  cl::test::Responder responder;
  responder.OnMessageBox = [](const cl::test::MessageBoxCall&) { return IDOK; };
  FrameForm = cl::New<TFrameForm>(nullptr);
  TEnhTwain* twain = FrameForm->Twain1;
  ASSERT_FALSE(twain->Available());

  FrameForm->AcquireImage1Click(nullptr);
  FrameForm->SelectSource1Click(nullptr);
  ASSERT_EQ(responder.MessageBoxes.size(), 2u);
  for (const cl::test::MessageBoxCall& box : responder.MessageBoxes) {
    EXPECT_EQ(box.Caption, "TWAIN Error");
    EXPECT_NE(box.Text.find("No TWAIN source manager"), std::string::npos) << box.Text;
  }
  EXPECT_TRUE(ImageWindows().empty());

  EXPECT_FALSE(twain->Acquire(false));
  EXPECT_FALSE(twain->SelectSource());
  EXPECT_EQ(twain->GetSourceList(), 0);
  EXPECT_EQ(twain->PixelType(), ptNotSupported);
  EXPECT_EQ(twain->XRes(), 0);
  EXPECT_EQ(responder.MessageBoxes.size(), 2u) << "the component itself stays silent";
  FrameForm->Free();
  FrameForm = nullptr;
}

}  // namespace
}  // namespace viewer
