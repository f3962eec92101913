// The preview's arithmetic and strings: the zoom steps of the menus, the preview's size at a zoom, the size that
// fits the pane, which paths go to the GIF reader, and the command lines of the viewer and the help file.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace brw {

struct ZoomStep {
  const char* Name;     // the menu item's name, as the handlers are named
  const char* Caption;  // as the View menu shows it
  int Percent;
};

// Zoom in 2:1 to 10:1, actual view, zoom out 1:2 to 1:10. The zoom-out percentages are truncated: 1:3 is 33.
extern const std::array<ZoomStep, 19> kZoomSteps;

// A side of the picture at percent: percent x side x 0.01 rounded to the nearest integer, ties to even
// (33 % of 300 is 99, 50 % of 301 is 150).
int ZoomedSide(int percent, int side);

// The picture shown when "Fit to Window" is on: the form's client height and its width right of the main
// splitter, less 18 pixels each.
struct FitSize {
  int Width;
  int Height;
};
FitSize FitPreviewSize(int formWidth, int formClientHeight, int splitterMain);

// True when the upper-cased path contains ".GIF" anywhere (a folder named "x.gif" counts too).
bool IsGifPath(std::string_view path);

// F9: the program's folder (with its trailing '\'), "\orvane.exe " and the file last previewed, unquoted.
std::string ViewerCommandLine(std::string_view exeName, std::string_view lastFile);
// F1: the help file beside the program, named the same way.
std::string HelpFileName(std::string_view exeName);

}  // namespace brw
