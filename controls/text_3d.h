// Drawing and measuring the library's 3-D text: engraved, embossed and shadowed captions, rotated and moved by an
// effect caption, grey or sunken when disabled.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/types.h"
#include "controls/core/caption_effects.h"

namespace cl {
class TCanvas;
class TFont;
}  // namespace cl

namespace ctl {

// Draws text in rect with the caption's effect in the canvas's font (no caption: plain DrawText with format).
// State holds dtsEnabled, dtsAutoSunken and dtsClip; with dtsClip the text is clipped to clipRect (rect when null)
// inside whatever clip the caller set, which comes back afterwards, as do the DC's colours and spacing.
void DrawText3D(cl::TCanvas* canvas, const std::string& text, const TCtl3DCaption* caption, const cl::TRect* clipRect,
                int state, uint32_t format, const cl::TRect& rect);

// Measures text drawn in font with the caption's effect: sets rect's right and bottom from its left and top (and,
// for word-wrapped text, its width), border pixels around it. An effect caption learns where to draw: at 0, 0, or,
// rotated, where the turned text falls on the rectangle's centre.
void CalcText3DRect(const std::string& text, TCtl3DCaption* caption, int border, bool showAccel, bool multiLine,
                    const cl::TFont* font, cl::TRect& rect);

// Measures text inside bounds (its right edge one pixel in) and places the measured rectangle in bounds.
void AlignText3DRect(TCtlAlignment alignment, const std::string& text, TCtl3DCaption* caption, cl::TRect& rect,
                     bool showAccel, bool multiLine, const cl::TFont* font, const cl::TRect& bounds);

// DrawText3D on a device context, in the font and text colour selected into it.
void DrawCaptionText(HDC dc, const std::string& text, const TCtl3DCaption* caption, const cl::TRect& rect, int state,
                     uint32_t format);

}  // namespace ctl
