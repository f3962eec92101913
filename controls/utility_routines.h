// Routines of the control library that work on the class library's objects: a font as text, and bringing up the
// copy of the program that is already running.
#pragma once

#include <string>

namespace cl {
class TFont;
}

namespace ctl {

// Name, size, colour, bold, italic, underline and strike-out joined by ",".
std::string FontToString(const cl::TFont* font);
// Takes a text of exactly seven fields into the font (one change notification); any other text leaves the font
// unchanged. See ReadFontText.
void StringToFont(const std::string& text, cl::TFont* font);

// When the application object reports another running copy: empties this copy's application window title (the
// title itself is kept), finds the application window of the same title and brings up that copy's main window,
// restoring it when minimised. Nothing happens when no such window is found.
void ActivatePrevInstance();

}  // namespace ctl
