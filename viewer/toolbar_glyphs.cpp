#include "viewer/toolbar_glyphs.h"

#include <array>
#include <string_view>

#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"

namespace viewer {

namespace {

constexpr int kSize = 16;
using PixelMap = std::array<std::string_view, kSize>;

// '.' is transparent (and so must be the bottom-left pixel); other letters name colours (ColourOf).
// clang-format off
constexpr PixelMap kOpen = {
    "................",
    "................",
    ".........KKK....",
    "........K...K.K.",
    ".............KK.",
    ".KKK........KKK.",
    "KYWYKKKKKKK.....",
    "KWYWYWYWYWK.....",
    "KYWYWYWYWYK.....",
    "KWYWYKKKKKKKKKK.",
    "KYWYKNNNNNNNNNK.",
    "KWYKNNNNNNNNNK..",
    "KYKNNNNNNNNNK...",
    "KKNNNNNNNNNK....",
    "KKKKKKKKKKK.....",
    "................",
};
constexpr PixelMap kSave = {
    "................",
    ".KKKKKKKKKKKKKK.",
    ".KBKWWWWWWWWKBK.",
    ".KBKWWWWWWWWKBK.",
    ".KBKWWWWWWWWKBK.",
    ".KBKWWWWWWWWKBK.",
    ".KBKWWWWWWWWKBK.",
    ".KBBKKKKKKKKBBK.",
    ".KBBBBBBBBBBBBK.",
    ".KBBKKKKKKKKBBK.",
    ".KBBKKKKKSSKBBK.",
    ".KBBKKKKKSSKBBK.",
    ".KBBKKKKKSSKBBK.",
    "..KKKKKKKKKKKKK.",
    "................",
    "................",
};
constexpr PixelMap kPrint = {
    "................",
    "....KKKKKKKK....",
    "....KWWWWWWK....",
    "....KWKKKKWK....",
    "....KWWWWWWK....",
    "....KWKKKKWK....",
    "..KKKKKKKKKKKK..",
    ".KSSSSSSSSSSSSK.",
    ".KSSSSSSSSSgSSK.",
    ".KSSSSSSSSSSSSK.",
    ".KKKKKKKKKKKKKK.",
    ".KSKWWWWWWWWKSK.",
    "..KKWKKKKKKWKK..",
    "....KWWWWWWK....",
    "....KKKKKKKK....",
    "................",
};
constexpr PixelMap kDelete = {
    "................",
    "................",
    "..RR........RR..",
    "..RRR......RRR..",
    "...RRR....RRR...",
    "....RRR..RRR....",
    ".....RRRRRR.....",
    "......RRRR......",
    "......RRRR......",
    ".....RRRRRR.....",
    "....RRR..RRR....",
    "...RRR....RRR...",
    "..RRR......RRR..",
    "..RR........RR..",
    "................",
    "................",
};
constexpr PixelMap kCopy = {
    "................",
    ".KKKKKKK........",
    ".KWWWWWKK.......",
    ".KWKKKWKWK......",
    ".KWWWWWKKKK.....",
    ".KWKKKKWWWK.....",
    ".KWWWWKKKKKKK...",
    ".KWKKKKWWWWWKK..",
    ".KWWWWKWKKKWKWK.",
    ".KKKKKKWWWWWKKKK",
    "......KWKKKKWWWK",
    "......KWWWWWWWWK",
    "......KWKKKKKKWK",
    "......KWWWWWWWWK",
    "......KKKKKKKKKK",
    "................",
};
constexpr PixelMap kPaste = {
    "................",
    ".....KKKKK......",
    "..KKKSSSSSKKK...",
    ".KNNKSKKKSKNNK..",
    ".KNNNKKKKKNNNK..",
    ".KNNNNNNNNNNNK..",
    ".KNNNNKKKKKKKKK.",
    ".KNNNNKWWWWWWWK.",
    ".KNNNNKWKKKKKWK.",
    ".KNNNNKWWWWWWWK.",
    ".KNNNNKWKKKKKWK.",
    ".KNNNNKWWWWWWWK.",
    ".KNNNNKWKKKWWWK.",
    "..KKKKKWWWWWWWK.",
    "......KKKKKKKKK.",
    "................",
};
constexpr PixelMap kFitToWindow = {
    "................",
    ".KKKKK....KKKKK.",
    ".KKKK......KKKK.",
    ".KKK........KKK.",
    ".KK.K......K.KK.",
    ".K...K....K...K.",
    "......K..K......",
    "................",
    "................",
    "......K..K......",
    ".K...K....K...K.",
    ".KK.K......K.KK.",
    ".KKK........KKK.",
    ".KKKK......KKKK.",
    ".KKKKK....KKKKK.",
    "................",
};
constexpr PixelMap kSelectArea = {
    "................",
    ".KK.KK.KK.KK.KK.",
    ".K............K.",
    "................",
    ".K............K.",
    ".K............K.",
    "................",
    ".K............K.",
    ".K............K.",
    "................",
    ".K............K.",
    ".K............K.",
    "................",
    ".K............K.",
    ".KK.KK.KK.KK.KK.",
    "................",
};
constexpr PixelMap kAcquire = {
    "................",
    "................",
    ".....KKKKKKKKK..",
    "....KWWWWWWWWK..",
    "...KWKKKKKKWK...",
    "..KWWWWWWWWK....",
    ".KKKKKKKKKKKKKK.",
    ".KSSSSSSSSSSSSK.",
    ".KSBBBBBBBBBBSK.",
    ".KSSSSSSSSSSgSK.",
    ".KKKKKKKKKKKKKK.",
    "..KGGGGGGGGGGK..",
    "..KKKKKKKKKKKK..",
    "................",
    "................",
    "................",
};
// clang-format on

constexpr bool IsSquare(const PixelMap& map) {
  for (std::string_view row : map)
    if (row.size() != kSize) return false;
  return map[kSize - 1][0] == '.';
}
static_assert(IsSquare(kOpen) && IsSquare(kSave) && IsSquare(kPrint) && IsSquare(kDelete) && IsSquare(kCopy) &&
              IsSquare(kPaste) && IsSquare(kFitToWindow) && IsSquare(kSelectArea) && IsSquare(kAcquire));

const PixelMap& MapOf(ToolbarGlyph glyph) {
  switch (glyph) {
    case ToolbarGlyph::Open:
      return kOpen;
    case ToolbarGlyph::Save:
      return kSave;
    case ToolbarGlyph::Print:
      return kPrint;
    case ToolbarGlyph::Delete:
      return kDelete;
    case ToolbarGlyph::Copy:
      return kCopy;
    case ToolbarGlyph::Paste:
      return kPaste;
    case ToolbarGlyph::FitToWindow:
      return kFitToWindow;
    case ToolbarGlyph::SelectArea:
      return kSelectArea;
    case ToolbarGlyph::Acquire:
      return kAcquire;
  }
  return kOpen;
}

cl::TColor ColourOf(char pixel) {
  switch (pixel) {
    case 'K':
      return 0x000000;
    case 'W':
      return 0xFFFFFF;
    case 'S':
      return 0xC0C0C0;
    case 'G':
      return 0x808080;
    case 'Y':
      return 0x00FFFF;
    case 'N':
      return 0x008080;  // dark yellow
    case 'B':
      return 0x800000;  // navy
    case 'R':
      return 0x0000C0;
    case 'g':
      return 0x00C000;
    default:
      return 0xFF00FF;  // transparent
  }
}

}  // namespace

void DrawToolbarGlyph(cl::TBitmap& bitmap, ToolbarGlyph glyph) {
  bitmap.SetSize(kSize, kSize);
  const PixelMap& map = MapOf(glyph);
  cl::TCanvas* canvas = bitmap.Canvas();
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) canvas->SetPixels(x, y, ColourOf(map[y][x]));
}

}  // namespace viewer
