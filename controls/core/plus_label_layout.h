// The text engine of the formatted label: the markup characters a caption carries (bold, italic, underline,
// highlight and alternate font toggles, tabs, line ends, a fill line), the layout of the caption into lines with
// word wrap, tab stops and the spaces full justification may widen, and the arithmetic the painting follows.
// Text widths come from a measurer, so the rules run without a screen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ctl {

// Style state of a place in the caption: the low four bits are the font style.
constexpr uint8_t psBold = 0x01;
constexpr uint8_t psItalic = 0x02;
constexpr uint8_t psUnderline = 0x04;
constexpr uint8_t psStrikeOut = 0x08;
constexpr uint8_t psHighlight = 0x10;
constexpr uint8_t psAltFont = 0x20;
// The bits that choose a font (a change of any of them measures spaces again).
constexpr uint8_t psFontBits = psBold | psItalic | psUnderline | psStrikeOut | psAltFont;

constexpr char kPlusItalic = 1;      // Ctrl-A
constexpr char kPlusBold = 2;        // Ctrl-B
constexpr char kPlusHighlight = 3;   // Ctrl-C
constexpr char kPlusAltFont = 4;     // Ctrl-D
constexpr char kPlusFill = 16;       // Ctrl-P: a row of "-" to the right edge, then a new line
constexpr char kPlusUnderline = 21;  // Ctrl-U

enum class PlusChar { Text, Space, Tab, Return, LineFeed, Fill, Markup, Skipped };

PlusChar ClassifyPlusChar(char c);
// The style bit a markup character toggles; 0 for any other character.
uint8_t PlusMarkupBit(char c);

// One laid-out line; indexes are caption indexes.
struct PlusLine {
  int32_t Start = 0;
  int32_t End = 0;  // after the line's last character
  int32_t Width = 0;
  int32_t Spaces = 0;        // spaces that justification may widen
  int32_t JustifyStart = 0;  // justification applies from here (behind the last tab)
  uint8_t Style = 0;         // style state at Start
};

class PlusMeasurer {
 public:
  virtual ~PlusMeasurer() = default;
  // Width of text characters drawn in one style.
  virtual int TextWidth(std::string_view text, uint8_t style) = 0;
  // Width of " " in a style.
  virtual int SpaceWidth(uint8_t style) = 0;
};

// Available width of a label that does not wrap.
constexpr int kPlusUnlimitedWidth = 0x3FFFFFFF;

struct PlusLayout {
  std::vector<PlusLine> Lines;
  int Widest = 0;
  // Caption index of the accelerator "&" that was taken out of the text, or -1.
  int AccelIndex = -1;
};

// Lays the caption out into lines no wider than availableWidth (a word wider than that on its own stays whole).
// With showAccelChar the first "&" is not text. initialStyle is the style state at the start.
PlusLayout LayoutPlusText(const std::string& caption, bool showAccelChar, int availableWidth, int tabStops,
                          uint8_t initialStyle, PlusMeasurer& measurer);

// The next tab stop after x, with stops every tabStops spaces counted from origin. A tab unit below one pixel
// (TabStops 0, a zero space width) counts as one pixel, so tabs always move forward.
int NextPlusTabStop(int x, int origin, int tabStops, int spaceWidth);

enum PlusVerticalLayout { plTop, plCenter, plBottom };
enum PlusAlignment { paLeft, paRight, paCenter };

// Offset of the first line from the top of the client area.
int PlusVerticalOffset(PlusVerticalLayout layout, int clientHeight, int lineHeight, int lineCount);

struct PlusVisibleLines {
  int First = 0;
  int Last = -1;  // inclusive; Last < First when none shows
};
// The lines a client area of this height shows when the text is scrolled up by topOrigin; never beyond the lines.
PlusVisibleLines PlusVisibleRange(int topOrigin, int verticalOffset, int clientHeight, int lineHeight, int lineCount);

// Left end of a line's text. A line that justification stretches starts at the left margin whatever the alignment.
int PlusLineX(PlusAlignment alignment, bool stretched, int clientWidth, int leftMargin, int rightMargin, int lineWidth,
              int leftOrigin);

// True when Justified stretches this line to the margins: it has spaces to widen and is not the last of its
// paragraph (whose record has none).
inline bool PlusLineStretches(bool justified, const PlusLine& line) {
  return justified && line.Spaces > 0;
}

}  // namespace ctl
