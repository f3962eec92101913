// Names of colours and cursors, both ways.
#include <gtest/gtest.h>

#include "classlib/core/colors.h"
#include "classlib/core/cursors.h"
#include "classlib/core/exceptions.h"

namespace {

using namespace cl;

TEST(NamedValues, ColoursAndTheirNames) {
  std::string name;
  EXPECT_TRUE(ColorToIdent(clWindowText, name));
  EXPECT_EQ(name, "clWindowText");
  EXPECT_FALSE(ColorToIdent(0x123456, name));
  TColor color = 0;
  EXPECT_TRUE(IdentToColor("CLRED", color));
  EXPECT_EQ(color, clRed);
  EXPECT_FALSE(IdentToColor("clNoSuchColour", color));
  EXPECT_EQ(ColorToString(clSilver), "clSilver");  // the first name of a value
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_THROW(StringToColor("reddish"), EConvertError);
}

TEST(NamedValues, CursorsAndTheirNames) {
  std::string name;
  EXPECT_TRUE(CursorToIdent(crHourGlass, name));
  EXPECT_EQ(name, "crHourGlass");
  EXPECT_FALSE(CursorToIdent(-255, name));
  TCursor cursor = 0;
  EXPECT_TRUE(IdentToCursor("crhsplit", cursor));
  EXPECT_EQ(cursor, crHSplit);
  EXPECT_FALSE(IdentToCursor("crPointer", cursor));
}

}  // namespace
