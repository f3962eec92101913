// The arithmetic of button glyphs. Divisions truncate toward zero on purpose: the centring and the spreading of
// the gaps are defined that way, negative remainders included.
#include "toolbars/core/glyph_layout.h"

namespace tbr {

int NumGlyphsOfGlyph(int width, int height) {
  if (width <= 0 || height <= 0 || width % height != 0) return 1;
  const int ratio = width / height;
  return ratio < kNumGlyphsRatioLimit ? ratio : 1;
}

int StateImageColumn(TButtonDrawState state, int numGlyphs) {
  return state != bsDisabled && state >= numGlyphs ? 0 : state;
}

int SourceCellColumn(TButtonDrawState state, int numGlyphs) {
  return state < numGlyphs ? state : 0;
}

CellSize GlyphCellSize(int glyphWidth, int glyphHeight, int numGlyphs) {
  if (numGlyphs < 1) numGlyphs = 1;
  CellSize cell{glyphWidth / numGlyphs, glyphHeight};
  return cell.Empty() ? CellSize{} : cell;
}

ButtonLayout LayOutButton(const ButtonLayoutRequest& request, const std::function<cl::TPoint(int width)>& measureText) {
  const int clientWidth = request.Client.Width();
  const int clientHeight = request.Client.Height();
  const int w = request.GlyphWidth;
  const int h = request.GlyphHeight;
  const bool hasGlyph = w > 0 && h > 0;
  const TButtonLayout layout = hasGlyph ? request.Layout : blGlyphLeft;
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  const int arrowWidth = request.DrawArrow ? kDropArrowWidth : 0;

  int textWidth = 0;
  int textHeight = 0;
  if (request.HasText) {
    int width = clientWidth;
    if (horizontal) width -= arrowWidth;
    if (request.WordWrap) {
      if (horizontal && hasGlyph) width -= w + (request.Spacing == -1 ? kDefaultSpacing : request.Spacing);
      int margin = request.Margin;
      if (margin == -1) margin = request.Spacing == -1 ? kDefaultSpacing : request.Spacing;
      width -= 2 * margin;
    }
    const cl::TPoint size = measureText(width);
    textWidth = size.X;
    textHeight = size.Y;
  }

  ButtonLayout result;
  if (horizontal) {
    result.Glyph.Y = (clientHeight - h + 1) / 2;
    result.Text.Top = (clientHeight + 1 - textHeight) / 2;
  } else {
    result.Glyph.X = (clientWidth - w - arrowWidth + 1) / 2;
    result.Text.Left = (clientWidth + 1 - textWidth) / 2;
    result.Arrow.X = result.Glyph.X + w;
  }

  int margin = request.Margin;
  int spacing = request.HasText && hasGlyph ? request.Spacing : 0;
  const int extent = horizontal ? clientWidth : clientHeight;
  const int total = horizontal ? w + textWidth + arrowWidth : h + textHeight;
  if (margin == -1 && spacing == -1) {
    margin = spacing = (extent - total) / 3;
  } else if (margin == -1) {
    margin = (extent - (total + spacing) + 1) / 2;
  } else if (spacing == -1) {
    spacing = (extent - margin - total) / 2;
  }

  switch (layout) {
    case blGlyphLeft:
      result.Glyph.X = margin;
      result.Text.Left = margin + w + spacing;
      result.Arrow.X = result.Text.Left + textWidth;
      break;
    case blGlyphRight:
      result.Arrow.X = clientWidth - margin - arrowWidth;
      result.Glyph.X = result.Arrow.X - w;
      result.Text.Left = result.Glyph.X - spacing - textWidth;
      break;
    case blGlyphTop:
      result.Glyph.Y = margin;
      result.Text.Top = margin + h + spacing;
      break;
    case blGlyphBottom:
      result.Glyph.Y = clientHeight - margin - h;
      result.Text.Top = result.Glyph.Y - spacing - textHeight;
      break;
  }
  result.Arrow.Y =
      hasGlyph ? result.Glyph.Y + (h - kDropArrowHeight) / 2 : result.Text.Top + (textHeight - kDropArrowHeight) / 2;

  const int dx = request.Client.Left + request.Offset.X;
  const int dy = request.Client.Top + request.Offset.Y;
  result.Glyph = cl::Point(result.Glyph.X + dx, result.Glyph.Y + dy);
  result.Arrow = cl::Point(result.Arrow.X + dx, result.Arrow.Y + dy);
  result.Text = cl::Bounds(result.Text.Left + dx, result.Text.Top + dy, textWidth, textHeight);
  return result;
}

}  // namespace tbr
