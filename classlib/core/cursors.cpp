// Names of the predefined cursors.
#include "classlib/core/cursors.h"

#include "classlib/core/named_values.h"

namespace cl {
namespace {

constexpr TNamedValue<TCursor> kCursorNames[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
};

}  // namespace

bool CursorToIdent(TCursor cursor, std::string& ident) {
  return NameOfValue<TCursor>(kCursorNames, cursor, ident);
}

bool IdentToCursor(const std::string& ident, TCursor& cursor) {
  return ValueOfName<TCursor>(kCursorNames, ident, cursor);
}

}  // namespace cl
