// The text form of a font, and processor names.
#include "controls/core/font_text.h"

#include <gtest/gtest.h>

#include "classlib/core/colors.h"
#include "controls/core/processor_names.h"

namespace {

using namespace ctl;

TFontText Arial() {
  return TFontText{"Arial", 10, cl::clBlack, true, false, true, false};
}

TEST(FontText, WritesSevenFieldsAndReadsThemBack) {
  EXPECT_EQ(FontTextToString(Arial()), "Arial,10,clBlack,1,0,1,0");
  TFontText font{"x", 1, 0x123456, false, true, false, true};
  EXPECT_EQ(FontTextToString(font), "x,1,$00123456,0,1,0,1");
  TFontText read;
  ASSERT_TRUE(ReadFontText("Arial,10,clBlack,1,0,1,0", read));
  EXPECT_EQ(read, Arial());
}

TEST(FontText, FaultyFieldsKeepWhatTheyCannotRead) {
  struct Case {
    const char* Text;
    bool Read;
    TFontText Expected;
  };
  const TFontText start = Arial();
  const Case cases[] = {
      // Any other field count leaves the font unchanged.
      {"Arial,10,clBlack,1,0,1", false, start},
      {"Times,12,clRed,0,0,0,0,0", false, start},
      {"", false, start},
      // A size that is no number is 10; a style is on for any non-zero number.
      {"Times,x,clRed,2,-1,0,y", true, {"Times", 10, cl::clRed, true, true, false, false}},
      // A colour that cannot be read keeps the font's colour.
      {"Times,12,clNoSuchColour,0,0,0,0", true, {"Times", 12, cl::clBlack, false, false, false, false}},
      {"Times,12,$000000FF,0,0,0,1", true, {"Times", 12, cl::clRed, false, false, false, true}},
  };
  for (const Case& c : cases) {
    TFontText font = start;
    EXPECT_EQ(ReadFontText(c.Text, font), c.Read) << c.Text;
    EXPECT_EQ(font, c.Expected) << c.Text;
  }
}

TEST(ProcessorNames, KnownTypesHaveNamesOthersTheirNumber) {
  EXPECT_EQ(ProcessorName(386), "Intel 386");
  EXPECT_EQ(ProcessorName(486), "Intel 486");
  EXPECT_EQ(ProcessorName(586), "Intel Pentium");
  EXPECT_EQ(ProcessorName(3000), "Mips R3000");
  EXPECT_EQ(ProcessorName(21064), "Alpha 21064");
  EXPECT_EQ(ProcessorName(8664), "8664");
}

}  // namespace
