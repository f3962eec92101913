// The pictures of the frame's toolbar buttons, 16 by 16 pixels, drawn from small pixel maps in the program.
#pragma once

namespace cl {
class TBitmap;
}

namespace viewer {

enum class ToolbarGlyph { Open, Save, Print, Delete, Copy, Paste, FitToWindow, SelectArea, Acquire };

// Draws the glyph into bitmap (resized to 16 by 16); its bottom-left colour marks the transparent pixels.
void DrawToolbarGlyph(cl::TBitmap& bitmap, ToolbarGlyph glyph);

}  // namespace viewer
