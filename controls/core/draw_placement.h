// The arithmetic of the drawing procedures: where a bitmap lands under the draw flags, the DrawEdge steps of the
// library's border styles, gradient colours and shapes, alignment of a rectangle in another, the bit count of a
// BMP image, the rectangles of the window zoom effects and the centring of a form.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/core/types.h"

namespace ctl {

// The draw-flag word of the bitmap procedures and the gradient.
using TDrawFlags = uint16_t;
constexpr TDrawFlags dfClip = 0x0001;          // clip to the destination (moved by an optional packed offset)
constexpr TDrawFlags dfOffScreen = 0x0004;     // gradient: paint off screen, then copy
constexpr TDrawFlags dfCenter = 0x0008;        // keep the source size, centred
constexpr TDrawFlags dfStretch = 0x0010;       // stretch to the destination
constexpr TDrawFlags dfTile = 0x0020;          // repeat from the destination's top-left corner
constexpr TDrawFlags dfTransparent = 0x0040;   // pixels of the given colour are not drawn
constexpr TDrawFlags dfBrushCopy = 0x0080;     // the source is a bitmap drawn with its own transparent colour
constexpr TDrawFlags dfMasked = 0x0100;        // the given bitmap is a ready mask
constexpr TDrawFlags dfKeepHeight = 0x0200;    // with dfStretch: keep the destination height
constexpr TDrawFlags dfKeepWidth = 0x0400;     // with dfStretch: keep the destination width
constexpr TDrawFlags dfProportional = 0x0600;  // with dfStretch: fit proportionally at the top-left corner
constexpr TDrawFlags dfPalette = 0x1000;       // select and realise the palette first

// The rectangles a source of sourceWidth x sourceHeight is drawn into (several when tiling; tiles reach past the
// destination). None for an empty destination or an empty source.
std::vector<cl::TRect> BitmapTargets(const cl::TRect& dest, int32_t sourceWidth, int32_t sourceHeight,
                                     TDrawFlags flags);

enum TCtlBorderStyle {
  lsNone,
  lsSingle,
  lsLowered,
  lsRaised,
  lsRaisedspb,
  lsLoweredspb,
  lsRaisedExt,
  lsLoweredExt,
  lsFrameInset,
  lsFrameOffset,
  lsWindowBorder,
  lsSingleRaised,
  lsSingleLowered,
  lsDoubleRaised,
  lsDoubleLowered
};

// One step of a border frame: a DrawEdge call (Edge, Flags), or a move of the rectangle's edges.
struct TBorderStep {
  bool IsEdge = true;
  uint32_t Edge = 0;
  uint32_t Flags = 0;
  cl::TRect Move;  // added to the rectangle's Left, Top, Right, Bottom when not an edge
  bool operator==(const TBorderStep&) const = default;
};

// The steps of a style; extraFlags is or-ed into the flags where the style takes them.
std::vector<TBorderStep> BorderSteps(TCtlBorderStyle style, uint32_t extraFlags);
// 0 for lsNone; 1 for the single styles; 2 otherwise.
int GetBorderWidth(TCtlBorderStyle style);

// count colours from a to b (RGB values), channel by channel: colour n = a + MulDiv(n, b - a, count - 1). One colour
// is a itself.
std::vector<cl::TColor> GradientColors(cl::TColor a, cl::TColor b, int count);

enum TGradientShapeKind { gsFill, gsRectangle, gsEllipse };

struct TGradientShape {
  TGradientShapeKind Kind = gsFill;
  cl::TRect Rect;
  int ColorIndex = 0;
  bool operator==(const TGradientShape&) const = default;
};

// The shapes of gradient style 0..7 over a width x height area with colorCount colours, in drawing order, relative
// to the area's top-left corner: 0 vertical bands, 1 horizontal bands, 2 centred rectangles, 3 centred ellipses,
// 4..7 rectangles growing from the top-left, top-right, bottom-left and bottom-right corner.
std::vector<TGradientShape> GradientShapes(int style, int32_t width, int32_t height, int colorCount);

enum TCtlAlignment {
  agTopLeft,
  agTopCenter,
  agTopRight,
  agCenterLeft,
  agCenter,
  agCenterRight,
  agBottomLeft,
  agBottomCenter,
  agBottomRight
};

// The item's size placed in the container.
cl::TRect AlignRect(TCtlAlignment alignment, const cl::TRect& item, const cl::TRect& container);

// The bit count a BMP image is written at: 2 colours 1 bit, 16 colours 4, 256 colours 8, 0 the bitmap's own depth;
// 16 and 32 bits become 24.
int BmpBitCount(int colorCount, int ownBitCount);

// The zoom effect's rectangles: steps rectangles from the zero-sized rectangle at `from` to `to` (coordinates
// truncated). A step count of 3 or less means 40.
std::vector<cl::TRect> ZoomRects(const cl::TRect& from, const cl::TRect& to, int steps);
// The two-stage zoom: from the mouse point to a half-size rectangle halfway towards the window, then to the window,
// 40 steps each.
std::vector<cl::TRect> TwoStageZoomRects(cl::TPoint mouse, const cl::TRect& window);

// The top-left corner that centres a form of formWidth x formHeight over the owner, pulled back inside the screen.
cl::TPoint CenteredOver(const cl::TRect& owner, int32_t formWidth, int32_t formHeight, int32_t screenWidth,
                        int32_t screenHeight);

}  // namespace ctl
