// Machine questions, folders, caption rectangles of real windows and a font as text.
#include "controls/system_info.h"

#include <gtest/gtest.h>

#include "classlib/win/graphics_tools.h"
#include "controls/utility_routines.h"

namespace {

using namespace ctl;

TEST(SystemInfo, MachineQuestionsAnswerWhatTheSystemSays) {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  EXPECT_EQ(GetTotalPhysMemory(), status.ullTotalPhys);
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  EXPECT_EQ(GetProcessorCount(), info.dwNumberOfProcessors);
  EXPECT_FALSE(GetProcessorName().empty());
  EXPECT_GE(GetDisplayColorDepth(), 8);
  EXPECT_TRUE(IsWinNTPlatform());
  EXPECT_FALSE(IsWin95Platform());
  EXPECT_EQ(GetFreeResources(1), 0);
  EXPECT_EQ(GetFreeSysResPercent(), 0);
  EXPECT_NE(GetCurrentUserName(), "(Unknown)");
  EXPECT_FALSE(GetCurrentUserName().empty());
}

TEST(SystemInfo, FoldersAndPrefixes) {
  EXPECT_EQ(GetPathPrefix(ppWindows, true), GetWindowsDir() + "\\");
  EXPECT_EQ(GetPathPrefix(ppSystem, false), GetSystemDir());
  EXPECT_EQ(GetPathPrefix(ppProgram, true), GetProgramDir());
  EXPECT_EQ(GetProgramDir().back(), '\\');
  EXPECT_NE(GetWindowsDir().back(), '\\');
}

TEST(SystemInfo, CaptionTextLiesBetweenIconAndButtons) {
  HWND window = CreateWindowExA(0, "STATIC", "caption", WS_OVERLAPPEDWINDOW, 10, 10, 400, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  cl::TRect caption, text;
  int flags = 0;
  GetCaptionRects(window, caption, text, flags);
  const TCaptionMetrics metrics = GetCaptionMetrics();
  EXPECT_EQ(flags, cfIconPlace);
  EXPECT_EQ(text.Left, caption.Left + metrics.SmallIconWidth);
  EXPECT_EQ(text.Right, caption.Right - 3 * (metrics.ButtonWidth + metrics.BorderX));
  EXPECT_GT(caption.Width(), text.Width());
  EXPECT_EQ(caption.Height(), metrics.CaptionHeight - metrics.BorderY);
  DestroyWindow(window);
}

TEST(SystemInfo, FontTextRoundTripWithOneChange) {
  cl::Owned<cl::TFont> font = cl::MakeOwned<cl::TFont>();
  int changes = 0;
  font->SetOnChange(cl::TNotifyEvent([&](cl::TObject*) { ++changes; }));
  StringToFont("Arial,12,clRed,1,0,1,0", font.get());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(font->Name(), "Arial");
  EXPECT_EQ(font->Size(), 12);
  EXPECT_EQ(font->Color(), cl::clRed);
  EXPECT_EQ(font->Style(), (cl::TFontStyles{cl::fsBold, cl::fsUnderline}));
  EXPECT_EQ(FontToString(font.get()), "Arial,12,clRed,1,0,1,0");
  // Six fields change nothing; a damaged colour keeps the colour.
  StringToFont("Times,9,clBlue,0,0,0", font.get());
  EXPECT_EQ(FontToString(font.get()), "Arial,12,clRed,1,0,1,0");
  StringToFont("Times,9,clSomething,0,0,0,0", font.get());
  EXPECT_EQ(FontToString(font.get()), "Times,9,clRed,0,0,0,0");
}

}  // namespace
