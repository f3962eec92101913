// The rotate dialog's rules: which degree buttons each direction offers, and the turn a choice asks for.
#pragma once

#include <string>

namespace viewer {

enum RotateDirection { rdRight = 0, rdLeft = 1 };
enum RotateDegrees { dg90, dg180, dg270, dgFree };

// What the degree buttons and the free-angle box show after a direction is chosen.
struct RotateButtons {
  bool Check90 = false;  // "&90" becomes the checked button
  bool Enable180 = true;
  bool Enable270 = true;
  bool EnableFree = false;  // "Free:" and its box; the box takes the window colour when enabled
};

// Left offers "&90" (checked) and "Free:"; Right offers "&90", "&180" and "&270". Back on Right with "Free:"
// checked, "&90" is checked, so that the dialog never shows a disabled choice.
RotateButtons ButtonsForDirection(RotateDirection direction, RotateDegrees checked);

enum class RotateTurn { None, Clockwise90, Half, CounterClockwise90, Free };

struct RotateCommand {
  RotateTurn Turn = RotateTurn::None;
  int Angle = 0;  // for Free
};

// The turn a closed dialog asks for: Left 90 is a quarter turn counter-clockwise; Free takes the box's integer
// (EConvertError for text that is none).
RotateCommand RotateCommandFor(RotateDirection direction, RotateDegrees checked, const std::string& freeAngle);

}  // namespace viewer
