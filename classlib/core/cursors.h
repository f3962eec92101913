// Cursor identifiers: negative slots are the predefined cursors, 0 is the control's default; their names.
#pragma once

#include <string>

namespace cl {

using TCursor = int;

constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// The name of a predefined cursor ("crHourGlass"); false for any other value.
bool CursorToIdent(TCursor cursor, std::string& ident);
// The cursor of a name (ASCII case-insensitive); false when no predefined cursor has it.
bool IdentToCursor(const std::string& ident, TCursor& cursor);

}  // namespace cl
