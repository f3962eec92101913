// Draws the side title band of a top-level menu window: its gradient (or plain colour), its bitmap and its text
// turned to run along the band.
#pragma once

namespace cl {
class TCanvas;
}

namespace tbr::menus {

class TTitle;

void DrawMenuTitle(cl::TCanvas* canvas, const TTitle* title, int windowWidth, int windowHeight);

}  // namespace tbr::menus
