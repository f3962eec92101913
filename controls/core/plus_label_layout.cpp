#include "controls/core/plus_label_layout.h"

#include <algorithm>

namespace ctl {

PlusChar ClassifyPlusChar(char c) {
  const auto code = static_cast<unsigned char>(c);
  if (code > 26) return code == ' ' ? PlusChar::Space : PlusChar::Text;
  switch (c) {
    case '\t':
      return PlusChar::Tab;
    case '\r':
      return PlusChar::Return;
    case '\n':
      return PlusChar::LineFeed;
    case kPlusFill:
      return PlusChar::Fill;
    default:
      return PlusMarkupBit(c) ? PlusChar::Markup : PlusChar::Skipped;
  }
}

uint8_t PlusMarkupBit(char c) {
  switch (c) {
    case kPlusItalic:
      return psItalic;
    case kPlusBold:
      return psBold;
    case kPlusHighlight:
      return psHighlight;
    case kPlusAltFont:
      return psAltFont;
    case kPlusUnderline:
      return psUnderline;
    default:
      return 0;
  }
}

int NextPlusTabStop(int x, int origin, int tabStops, int spaceWidth) {
  const int unit = std::max(1, tabStops * spaceWidth);
  const int relative = x - origin;
  // Floor division: a pen left of the origin goes to the origin, not one stop beyond it.
  const int stop = relative >= 0 ? relative / unit : -((-relative + unit - 1) / unit);
  return origin + (stop + 1) * unit;
}

namespace {

// The scan of one caption: the current line being filled and the lines done.
class LineBuilder {
 public:
  LineBuilder(const std::string& text, int availableWidth, int tabStops, uint8_t style, PlusMeasurer& measurer)
      : FText(text), FAvailable(availableWidth), FTabStops(tabStops), FStyle(style), FMeasurer(measurer) {
    FSpaceWidth = FMeasurer.SpaceWidth(FStyle);
    FLineStyle = FStyle;
  }

  PlusLayout Run() {
    const int length = static_cast<int>(FText.size());
    int i = 0;
    while (i < length) {
      switch (ClassifyPlusChar(FText[i])) {
        case PlusChar::Space:
          FX += FSpaceWidth;
          FPendingSpaceWidth += FSpaceWidth;
          ++FPendingSpaces;
          ++FJustifySpaces;
          ++i;
          break;
        case PlusChar::Tab:
          FX = NextPlusTabStop(FX, 0, FTabStops, FSpaceWidth);
          ++i;
          // Justification starts again behind the last tab.
          FJustifyStart = i;
          FJustifySpaces = 0;
          FPendingSpaces = 0;
          FPendingSpaceWidth = 0;
          break;
        case PlusChar::Return:
          EndLine(i, 0);
          ++i;
          if (i < length && FText[i] == '\n') ++i;
          StartLine(i);
          FExplicitBreak = true;
          break;
        case PlusChar::Fill:
          // The fill line belongs to its line, which ends behind it.
          ++i;
          EndLine(i, 0);
          StartLine(i);
          FExplicitBreak = true;
          break;
        default:
          i = PlaceWord(i);
          break;
      }
    }
    if (FLineStart < length || FResult.Lines.empty() || FExplicitBreak) EndLine(length, 0);
    return std::move(FResult);
  }

 private:
  // Measures the word at start (up to a space, tab, line end or the end), following its markup; returns where
  // it ends.
  int MeasureWord(int start, int& width) {
    width = 0;
    int runStart = start;
    int i = start;
    const int length = static_cast<int>(FText.size());
    const auto flushRun = [&](int end) {
      // Characters of other kinds inside a word are not drawn, so they take no width.
      std::string run;
      for (int k = runStart; k < end; ++k)
        if (ClassifyPlusChar(FText[k]) == PlusChar::Text) run += FText[k];
      if (!run.empty()) width += FMeasurer.TextWidth(run, FStyle);
    };
    for (; i < length; ++i) {
      const PlusChar kind = ClassifyPlusChar(FText[i]);
      if (kind == PlusChar::Space || kind == PlusChar::Tab || kind == PlusChar::Return || kind == PlusChar::Fill) break;
      if (kind != PlusChar::Markup) continue;
      flushRun(i);
      runStart = i + 1;
      const uint8_t before = FStyle;
      FStyle ^= PlusMarkupBit(FText[i]);
      if ((before ^ FStyle) & psFontBits) FSpaceWidth = FMeasurer.SpaceWidth(FStyle);
    }
    flushRun(i);
    return i;
  }

  int PlaceWord(int start) {
    const uint8_t styleBefore = FStyle;
    int width = 0;
    const int end = MeasureWord(start, width);
    if (FWordOnLine && FX + width > FAvailable) {
      // The line ends before the word and the spaces in front of it.
      EndLine(start - FPendingSpaces, FJustifySpaces - FPendingSpaces);
      StartLine(start);
      FLineStyle = styleBefore;
    }
    FX += width;
    FPendingSpaces = 0;
    FPendingSpaceWidth = 0;
    if (!FWordOnLine && FX > FAvailable) {
      // A word too wide for a line of its own stays whole and ends its line.
      EndLine(end, 0);
      StartLine(end);
      FExplicitBreak = false;
      return end;
    }
    FWordOnLine = true;
    FExplicitBreak = false;
    return end;
  }

  void EndLine(int end, int spaces) {
    PlusLine line;
    line.Start = FLineStart;
    line.End = end;
    line.Width = FX - FPendingSpaceWidth;
    line.Spaces = std::max(0, spaces);
    line.JustifyStart = FJustifyStart;
    line.Style = FLineStyle;
    FResult.Widest = std::max(FResult.Widest, line.Width);
    FResult.Lines.push_back(line);
  }

  void StartLine(int start) {
    FLineStart = start;
    FJustifyStart = start;
    FLineStyle = FStyle;
    FX = 0;
    FJustifySpaces = 0;
    FPendingSpaces = 0;
    FPendingSpaceWidth = 0;
    FWordOnLine = false;
  }

  const std::string& FText;
  const int FAvailable;
  const int FTabStops;
  uint8_t FStyle;
  PlusMeasurer& FMeasurer;
  PlusLayout FResult;
  int FSpaceWidth = 0;
  int FLineStart = 0;
  int FJustifyStart = 0;
  uint8_t FLineStyle = 0;
  int FX = 0;
  int FJustifySpaces = 0;  // spaces since the line start or the last tab
  int FPendingSpaces = 0;  // spaces since the last word
  int FPendingSpaceWidth = 0;
  bool FWordOnLine = false;
  bool FExplicitBreak = false;  // the last line ended at a line end of the text
};

}  // namespace

PlusLayout LayoutPlusText(const std::string& caption, bool showAccelChar, int availableWidth, int tabStops,
                          uint8_t initialStyle, PlusMeasurer& measurer) {
  std::string text = caption;
  int accel = -1;
  if (showAccelChar) {
    const auto pos = text.find('&');
    if (pos != std::string::npos) {
      accel = static_cast<int>(pos);
      text.erase(pos, 1);
    }
  }
  PlusLayout layout = LineBuilder(text, availableWidth, tabStops, initialStyle, measurer).Run();
  layout.AccelIndex = accel;
  if (accel >= 0) {
    // Indexes behind the removed "&" index the caption itself again.
    const auto toCaption = [accel](int32_t& index) {
      if (index > accel) ++index;
    };
    for (PlusLine& line : layout.Lines) {
      toCaption(line.Start);
      toCaption(line.End);
      toCaption(line.JustifyStart);
    }
  }
  return layout;
}

int PlusVerticalOffset(PlusVerticalLayout layout, int clientHeight, int lineHeight, int lineCount) {
  switch (layout) {
    case plCenter:
      return (clientHeight - lineHeight * lineCount) / 2;
    case plBottom:
      return clientHeight - lineHeight * lineCount;
    default:
      return 0;
  }
}

PlusVisibleLines PlusVisibleRange(int topOrigin, int verticalOffset, int clientHeight, int lineHeight, int lineCount) {
  const int height = std::max(1, lineHeight);
  PlusVisibleLines range;
  range.First = std::max(0, (topOrigin - verticalOffset) / height);
  range.Last = std::min(lineCount - 1, (topOrigin - verticalOffset + clientHeight) / height + 1);
  return range;
}

int PlusLineX(PlusAlignment alignment, bool stretched, int clientWidth, int leftMargin, int rightMargin, int lineWidth,
              int leftOrigin) {
  if (stretched || alignment == paLeft) return leftMargin - leftOrigin;
  if (alignment == paRight) return clientWidth - lineWidth - rightMargin - leftOrigin;
  return (clientWidth + leftMargin - rightMargin - lineWidth) / 2 - leftOrigin;
}

}  // namespace ctl
