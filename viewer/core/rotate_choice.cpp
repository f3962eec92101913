#include "viewer/core/rotate_choice.h"

#include "classlib/core/conversions.h"

namespace viewer {

RotateButtons ButtonsForDirection(RotateDirection direction, RotateDegrees checked) {
  RotateButtons buttons;
  if (direction == rdLeft) {
    buttons.Check90 = true;
    buttons.Enable180 = false;
    buttons.Enable270 = false;
    buttons.EnableFree = true;
  } else {
    buttons.Check90 = checked == dgFree;
  }
  return buttons;
}

RotateCommand RotateCommandFor(RotateDirection direction, RotateDegrees checked, const std::string& freeAngle) {
  if (direction == rdLeft) {
    if (checked == dg90) return {RotateTurn::CounterClockwise90, 0};
    if (checked == dgFree) return {RotateTurn::Free, cl::StrToInt(freeAngle)};
    return {};
  }
  switch (checked) {
    case dg90:
      return {RotateTurn::Clockwise90, 0};
    case dg180:
      return {RotateTurn::Half, 0};
    case dg270:
      return {RotateTurn::CounterClockwise90, 0};
    default:
      return {};
  }
}

}  // namespace viewer
