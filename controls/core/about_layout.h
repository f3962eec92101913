// Where the about box puts its picture, lines, bevel, system lines and buttons, and the texts it shows besides the
// caller's: the name of the program, the default caption, the text of the system's own about box and the two
// system-information lines.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "classlib/core/types.h"

namespace ctl {

enum TCtlAboutIconStyle { isNone, isStandard, isExtended };

// The lines of the box, in the order they are placed.
enum TAboutLine { alName, alVersion, alDescription, alCopyright, alLink, alSystemCaptions, alSystemValues };
constexpr int kAboutLineCount = 7;

struct TAboutLayoutInput {
  TCtlAboutIconStyle IconStyle = isExtended;
  int PixelsPerInch = 96;
  // Width minus client width of a dialog-framed form.
  int FrameWidth = 0;
  // The size of the picture: the icon for isStandard, the framed bitmap for isExtended.
  int PictureWidth = 0;
  int PictureHeight = 0;
  // The texts of the lines (the version already with its default); an empty one is not shown.
  std::string Texts[kAboutLineCount];
  int OkWidth = 75;
  int OkHeight = 25;
  bool CustomVisible = false;
  int CustomWidth = 75;
  // The height of a line's label showing text when it is width pixels wide.
  std::function<int(TAboutLine line, const std::string& text, int width)> LabelHeight;
};

struct TAboutLayout {
  int FormWidth = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;
  bool PictureVisible = true;
  cl::TRect Picture;
  // Empty rectangles for lines not shown.
  cl::TRect Lines[kAboutLineCount];
  cl::TRect Bevel;
  cl::TRect Ok;
  cl::TRect Custom;
};

// The form's width for an icon style at a resolution.
int AboutFormWidth(TCtlAboutIconStyle iconStyle, int pixelsPerInch);

// Gaps, the form's widths and the text column's start per icon style are the box's design; every line stays inside
// the client area, 6 pixels from its right edge.
TAboutLayout LayoutAboutBox(const TAboutLayoutInput& input);

// The size of the framed picture the extended icon style draws around an icon.
cl::TPoint ExtendedPictureSize(int iconWidth, int iconHeight);

// The texts of the box that can be replaced.
struct TAboutTexts {
  std::string Info = "Info ";
  std::string AvailableMemory = "Available Memory:";
  std::string SystemResources = "System Resources:";
  std::string OrCompatible = "or compatible";
  std::string PlatformCpu = "Platform, CPU:";
  std::string Free = "free";
};

// The name the box shows: appName, or the application's title when appName is blank.
std::string AboutTitle(const std::string& appName, const std::string& applicationTitle);
// The version line: with useDefault a blank version becomes "Version " + the application's product version.
std::string AboutVersionText(const std::string& version, bool useDefault, const std::string& productVersion);
// The text of the system's about box: captionTitle + "#" + title, or the title alone.
std::string ShellAboutText(const std::string& captionTitle, const std::string& title);
// "Info " + the application's title + "...".
std::string DefaultAboutCaption(const TAboutTexts& texts, const std::string& applicationTitle);

struct TAboutSystemLines {
  std::string Captions;
  std::string Values;
};
// On Windows NT memory and processors, otherwise memory and free resources; memory in whole kilobytes.
TAboutSystemLines AboutSystemLines(const TAboutTexts& texts, bool windowsNT, uint64_t memoryBytes, int processors,
                                   const std::string& processorName, int freeResourcesPercent);

}  // namespace ctl
