// The arithmetic of button glyphs: how many state images a glyph bitmap holds, which of them a draw state uses,
// the size of one cell, and where glyph, caption and dropdown arrow go inside a button.
#pragma once

#include <cstdint>
#include <functional>

#include "classlib/core/types.h"

namespace tbr {

// How a button is drawn; also the column of its image in a glyph.
enum TButtonDrawState : uint8_t { bsUp, bsDisabled, bsPressed, bsExclusive, bsHot };
constexpr int kDrawStateCount = 5;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

constexpr int kMaxNumGlyphs = 5;
// A glyph holds several images side by side when its width is a multiple of its height below this ratio.
constexpr int kNumGlyphsRatioLimit = 6;

// The dropdown arrow drawn next to a caption.
constexpr int kDropArrowWidth = 9;
constexpr int kDropArrowHeight = 3;
// Margin and spacing taken when both are automatic and a width is needed before they are known.
constexpr int kDefaultSpacing = 4;

// The number of images a width x height glyph holds side by side: width div height when that is exact and below
// the ratio limit, else 1 (also for an empty glyph).
int NumGlyphsOfGlyph(int width, int height);

// The column of the state's image: a state past the images the glyph holds uses the first, except the disabled
// state, which always has a column of its own (built when the glyph has none).
int StateImageColumn(TButtonDrawState state, int numGlyphs);
// The cell of the glyph a state's image is made from: its own when the glyph holds it, else the first.
int SourceCellColumn(TButtonDrawState state, int numGlyphs);

// The size of one cell of a glyph holding numGlyphs images; zero in both sides when a cell would be empty (more
// images than pixels across), so that such a glyph counts as having none.
struct CellSize {
  int Width = 0;
  int Height = 0;
  bool Empty() const { return Width <= 0 || Height <= 0; }
  bool operator==(const CellSize&) const = default;
};
CellSize GlyphCellSize(int glyphWidth, int glyphHeight, int numGlyphs);

struct ButtonLayoutRequest {
  cl::TRect Client;    // the rectangle to lay out in
  cl::TPoint Offset;   // added to everything (a pushed button's content moves by (1, 1))
  int GlyphWidth = 0;  // 0 by 0 when no glyph is shown
  int GlyphHeight = 0;
  bool HasText = false;  // a caption is shown and is not empty
  bool DrawArrow = false;
  TButtonLayout Layout = blGlyphLeft;
  int Margin = -1;  // -1: automatic
  int Spacing = 4;  // -1: automatic
  bool WordWrap = false;
};

struct ButtonLayout {
  cl::TPoint Glyph;
  cl::TRect Text;
  cl::TPoint Arrow;
};

// measureText(width) returns the caption's size (width, height) when drawn at most width pixels wide.
ButtonLayout LayOutButton(const ButtonLayoutRequest& request, const std::function<cl::TPoint(int width)>& measureText);

}  // namespace tbr
