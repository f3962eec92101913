#include "controls/core/about_layout.h"

#include <algorithm>

#include "classlib/core/string_utils.h"

namespace ctl {
namespace {

constexpr int kDesignPixelsPerInch = 96;
constexpr int kDesignFormWidth = 440;
constexpr int kPlainFormWidth = 340;        // isNone
constexpr int kStandardFormNarrowing = 30;  // isStandard
constexpr int kSystemColumnWidth = 150;
constexpr int kRightMargin = 6;
constexpr int kButtonGap = 6;
constexpr int kBevelHeight = 2;
constexpr int kBelowBevel = 9;
constexpr int kBelowSystemLines = 24;

// Places the lines one below the other in a column that starts at X and is Width wide.
class Column {
 public:
  Column(const TAboutLayoutInput& input, TAboutLayout& layout, int x, int y, int width)
      : FInput(input), FLayout(layout), X(x), Y(y), Width(width) {}

  // A line not shown places nothing; one shown with gap 0 leaves Y where it is. A blank line that keeps its room
  // (keepGap) still moves Y down by the gap.
  void Place(TAboutLine line, int gap, bool keepGap = false) {
    const std::string& text = FInput.Texts[line];
    if (text.empty()) {
      if (keepGap) Y += gap;
      return;
    }
    // Keeps every label inside the client area.
    if (X + Width > FLayout.ClientWidth - kRightMargin) Width = FLayout.ClientWidth - kRightMargin - X;
    const int height = FInput.LabelHeight ? FInput.LabelHeight(line, text, Width) : 0;
    FLayout.Lines[line] = cl::Bounds(X, Y, Width, height);
    if (gap != 0) Y += height + gap;
  }

  const TAboutLayoutInput& FInput;
  TAboutLayout& FLayout;
  int X;
  int Y;
  int Width;
};

}  // namespace

cl::TPoint ExtendedPictureSize(int iconWidth, int iconHeight) {
  return cl::Point(2 * iconWidth + 8, 2 * iconHeight + 8);
}

int AboutFormWidth(TCtlAboutIconStyle iconStyle, int pixelsPerInch) {
  const int designWidth = pixelsPerInch * kDesignFormWidth / kDesignPixelsPerInch;
  switch (iconStyle) {
    case isNone:
      return kPlainFormWidth;
    case isStandard:
      return designWidth - kStandardFormNarrowing;
    case isExtended:
      break;
  }
  return designWidth;
}

TAboutLayout LayoutAboutBox(const TAboutLayoutInput& input) {
  TAboutLayout layout;
  const int ppi = input.PixelsPerInch;
  layout.FormWidth = AboutFormWidth(input.IconStyle, ppi);
  layout.ClientWidth = layout.FormWidth - input.FrameWidth;
  int x = 0, y = 0, width = 0, minimumY = 0;
  switch (input.IconStyle) {
    case isNone:
      layout.PictureVisible = false;
      x = 10, y = 10, width = layout.ClientWidth - 20, minimumY = 60;
      break;
    case isStandard:
      layout.Picture = cl::Bounds(13, 7, input.PictureWidth, input.PictureHeight);
      x = 60, y = 12, width = layout.ClientWidth - 70, minimumY = 66;
      break;
    case isExtended:
      layout.Picture = cl::Bounds(15, 7, input.PictureWidth, input.PictureHeight);
      x = layout.Picture.Right + 8, y = 24, width = layout.ClientWidth - x - kRightMargin;
      minimumY = layout.Picture.Bottom;
      break;
  }

  Column column(input, layout, x, y, width);
  column.Place(alName, 10);
  column.Y = std::max(column.Y, minimumY);
  column.Place(alVersion, 4);
  column.Place(alDescription, 24, true);
  column.Place(alCopyright, 1);
  column.Place(alLink, 6, true);
  layout.Bevel = cl::Bounds(column.X, column.Y, column.Width, kBevelHeight);
  column.Y += kBelowBevel;

  column.Width = ppi * kSystemColumnWidth / kDesignPixelsPerInch;
  column.Place(alSystemCaptions, 0);
  column.X += layout.Lines[alSystemCaptions].Width();
  column.Place(alSystemValues, 0);
  column.Y +=
      std::max(layout.Lines[alSystemCaptions].Height(), layout.Lines[alSystemValues].Height()) + kBelowSystemLines;

  layout.Ok = cl::Bounds(layout.ClientWidth - input.OkWidth - kRightMargin, column.Y, input.OkWidth, input.OkHeight);
  layout.Custom =
      cl::Bounds(layout.Ok.Left - kButtonGap - input.CustomWidth, column.Y, input.CustomWidth, input.OkHeight);
  layout.ClientHeight = layout.Ok.Bottom + kRightMargin;
  return layout;
}

std::string AboutTitle(const std::string& appName, const std::string& applicationTitle) {
  return cl::Trim(appName).empty() ? applicationTitle : appName;
}

std::string AboutVersionText(const std::string& version, bool useDefault, const std::string& productVersion) {
  return useDefault && cl::Trim(version).empty() ? "Version " + productVersion : version;
}

std::string ShellAboutText(const std::string& captionTitle, const std::string& title) {
  return captionTitle.empty() ? title : captionTitle + "#" + title;
}

std::string DefaultAboutCaption(const TAboutTexts& texts, const std::string& applicationTitle) {
  return texts.Info + applicationTitle + "...";
}

TAboutSystemLines AboutSystemLines(const TAboutTexts& texts, bool windowsNT, uint64_t memoryBytes, int processors,
                                   const std::string& processorName, int freeResourcesPercent) {
  const std::string memory = std::to_string(memoryBytes >> 10) + " KB\r";
  if (windowsNT) {
    return {texts.AvailableMemory + "\r" + texts.PlatformCpu,
            memory + std::to_string(processors) + "x " + processorName + " " + texts.OrCompatible};
  }
  return {texts.AvailableMemory + "\r" + texts.SystemResources,
          memory + std::to_string(freeResourcesPercent) + "% " + texts.Free};
}

}  // namespace ctl
