// The frame's placement over two runs of the program: a frame closed maximised comes back maximised and whole on
// the screen, and the placement stays under the program's own title whatever the frame's caption showed.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "classlib/win/bitmap.h"
#include "controls/win/registry_probe.h"
#include "frame_fixture.h"
#include "orvane_process.h"
#include "support/screenshot.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

constexpr char kPlacementKey[] = "Software\\Orlanto\\Common";
// The frame's caption with a maximised image window: "Orlanto - [name]".
constexpr char kTitleWithCaption[] = "Orlanto - ";

class FramePlacement : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kPlacementKey);
    ctl::test::DeleteSubkeysStartingWith(HKEY_CURRENT_USER, "Software", kTitleWithCaption);
    ForgetHandedOverFiles();
  }
  // Maximises a window as its maximise box does, and waits until it is.
  static bool Maximise(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    for (int i = 0; i < 100 && !IsZoomed(window); ++i) Sleep(50);
    return IsZoomed(window) != FALSE;
  }
};

TEST_F(FramePlacement, AFrameClosedMaximisedComesBackMaximisedAndWhole) {
  {
    test::RunningOrvane first("");
    HWND frame = first.WaitForWindow("Orlanto", 20000);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(Maximise(frame));
    ASSERT_TRUE(first.Close());
  }
  const std::optional<std::string> stored = ctl::test::RawString(HKEY_CURRENT_USER, kPlacementKey, "FrameForm");
  ASSERT_TRUE(stored);
  // "200,flags,showCmd,...": kept maximised.
  const size_t showCmd = stored->find(',', stored->find(',') + 1) + 1;
  EXPECT_EQ(stored->substr(showCmd, 2), "3,") << *stored;

  test::RunningOrvane second("");
  HWND frame = second.WaitForWindow("Orlanto", 20000);
  ASSERT_NE(frame, nullptr);
  Sleep(500);
  testsupport::SaveScreenshot("viewer_frame_back_maximised");
  EXPECT_TRUE(IsZoomed(frame));
  RECT client{};
  GetClientRect(frame, &client);
  MapWindowPoints(frame, nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_GE(client.left, 0);
  EXPECT_GE(client.top, 0);
  EXPECT_LE(client.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(client.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(FramePlacement, TheCaptionOfAMaximisedImageWindowDoesNotMoveThePlacement) {
  const std::string file = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\placed.bmp";
  cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
  bitmap->SetSize(8, 8);
  bitmap->SaveToFile(file);
  bitmap->Free();
  {
    test::RunningOrvane running("\"" + file + "\"");
    HWND window = running.WaitForWindow(file, 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Maximise(window));
    Sleep(1500);  // the frame's one-second timer has shown the caption in the application's title
    char title[512] = {};
    GetWindowTextA(GetWindow(running.Frame(), GW_OWNER), title, sizeof title);
    EXPECT_NE(std::string(title), "Orlanto");
    ASSERT_TRUE(running.Close());
  }
  EXPECT_TRUE(ctl::test::RawString(HKEY_CURRENT_USER, kPlacementKey, "FrameForm"));
  EXPECT_TRUE(ctl::test::SubkeysStartingWith(HKEY_CURRENT_USER, "Software", kTitleWithCaption).empty());
}

}  // namespace
}  // namespace viewer
