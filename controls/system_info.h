// Questions about the machine: memory, processors, display depth, free resources, the user's name, the folders
// of the system and the program, and the caption metrics of windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "classlib/core/types.h"
#include "controls/core/caption_rects.h"
#include "controls/core/text_routines.h"

namespace ctl {

// The platform, as the system reports it: the older consumer platform (id 1) or Windows NT (id 2).
bool IsWin95Platform();
bool IsWinNTPlatform();
// Small captions and icons are available.
bool NewShellLook();

// The global memory status: the memory load in percent and the sizes in bytes, in 64 bits so that large memories
// and address spaces are reported whole.
struct TMemoryFigures {
  int Load = 0;
  uint64_t PhysTotal = 0, PhysFree = 0;
  uint64_t VirtTotal = 0, VirtFree = 0;
  uint64_t PageTotal = 0, PageFree = 0;
};
// All zero when the system does not answer.
TMemoryFigures GetMemoryFigures();
// Total physical memory in bytes.
uint64_t GetTotalPhysMemory();
uint8_t GetProcessorCount();
std::string GetProcessorName();
// Bits per pixel of all colour planes of the display together.
int GetDisplayColorDepth();
// Free system (0), GDI (1) or user (2) resources in percent. Only the older consumer platform reports them, through
// its 16-bit user library, which 64-bit and NT programs cannot call: 0 here.
int GetFreeResources(int kind);
int GetFreeSysResPercent();
// The logged-on user's name (at most 63 characters); "(Unknown)" when the system does not give it.
std::string GetCurrentUserName();

// The system's caption metrics, small ones in place of ordinary ones without the new shell look.
TCaptionMetrics GetCaptionMetrics();
// The caption bar and caption text rectangles of window (window coordinates); see CaptionRects for the flags.
void GetCaptionRects(HWND window, cl::TRect& captionRect, cl::TRect& textRect, int& flags);

// The program's folder with its trailing backslash.
std::string GetProgramDir();
std::string GetWindowsDir();
std::string GetSystemDir();
// The folder of a prefix kind (ppFixed: ""), with or without one trailing backslash.
std::string GetPathPrefix(TCtlPathPrefix kind, bool withBackslash);
TPrefixFolders GetPrefixFolders();

}  // namespace ctl
