// Integer and floating-point text conversions.
#include "classlib/core/conversions.h"

#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"

namespace {

TEST(ConversionsTest, StrToIntAcceptsBlanksSignDecimalAndHex) {
  EXPECT_EQ(cl::StrToInt("42"), 42);
  EXPECT_EQ(cl::StrToInt("  -17"), -17);
  EXPECT_EQ(cl::StrToInt("+5"), 5);
  EXPECT_EQ(cl::StrToInt("$1F"), 31);
  EXPECT_EQ(cl::StrToInt("0x1f"), 31);
  EXPECT_EQ(cl::StrToInt("-$10"), -16);
  EXPECT_EQ(cl::StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(cl::StrToInt("-2147483648"), INT32_MIN);
  // Hexadecimal is a 32-bit pattern, as colour values are written.
  EXPECT_EQ(cl::StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(cl::StrToInt("$80000005"), static_cast<int32_t>(0x80000005u));
}

TEST(ConversionsTest, StrToIntRejectsEverythingElse) {
  for (const char* bad :
       {"", " ", "12 ", "1.0", "abc", "--1", "$", "0x", "2147483648", "-2147483649", "$100000000", "1e3", "+"}) {
    EXPECT_THROW(cl::StrToInt(bad), cl::EConvertError) << '"' << bad << '"';
  }
  try {
    cl::StrToInt("12a");
  } catch (const cl::EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
  }
  EXPECT_EQ(cl::StrToIntDef("x", -7), -7);
  EXPECT_EQ(cl::StrToIntDef("8", -7), 8);
}

TEST(ConversionsTest, IntToStrAndIntToHex) {
  EXPECT_EQ(cl::IntToStr(-123), "-123");
  EXPECT_EQ(cl::IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(cl::IntToHex(255, 4), "00FF");
  EXPECT_EQ(cl::IntToHex(0x12345, 2), "12345");
  EXPECT_EQ(cl::IntToHex(static_cast<int32_t>(0x80000005u), 8), "80000005");  // a system colour
}

TEST(ConversionsTest, FloatToStrUsesFifteenDigitsAndExponentOutsideTheRange) {
  EXPECT_EQ(cl::FloatToStr(0), "0");
  EXPECT_EQ(cl::FloatToStr(1.5L), "1.5");
  EXPECT_EQ(cl::FloatToStr(-0.25L), "-0.25");
  EXPECT_EQ(cl::FloatToStr(100), "100");
  EXPECT_EQ(cl::FloatToStr(0.1L), "0.1");
  EXPECT_EQ(cl::FloatToStr(1.0L / 3), "0.333333333333333");
  EXPECT_EQ(cl::FloatToStr(2.0L / 3), "0.666666666666667");
  EXPECT_EQ(cl::FloatToStr(123456789012345.0L), "123456789012345");
  EXPECT_EQ(cl::FloatToStr(1e15L), "1E+15");
  EXPECT_EQ(cl::FloatToStr(1.25e20L), "1.25E+20");
  EXPECT_EQ(cl::FloatToStr(0.00001L), "0.00001");
  EXPECT_EQ(cl::FloatToStr(0.000001L), "1E-06");
  EXPECT_EQ(cl::FloatToStr(-1.5e-7L), "-1.5E-07");
}

TEST(ConversionsTest, FloatToStrFFormats) {
  EXPECT_EQ(cl::FloatToStrF(2.5L, cl::ffFixed, 15, 2), "2.50");
  EXPECT_EQ(cl::FloatToStrF(-0.004L, cl::ffFixed, 15, 2), "0.00");
  EXPECT_EQ(cl::FloatToStrF(1.005L, cl::ffFixed, 15, 0), "1");
  EXPECT_EQ(cl::FloatToStrF(1.005, cl::ffFixed, 15, 2), "1.01");
  EXPECT_EQ(cl::FloatToStrF(999.96L, cl::ffFixed, 15, 1), "1000.0");
  EXPECT_EQ(cl::FloatToStrF(0.0L, cl::ffFixed, 15, 3), "0.000");
  EXPECT_EQ(cl::FloatToStrF(1e20L, cl::ffFixed, 15, 2), "1.00000000000000E+20");
  EXPECT_EQ(cl::FloatToStrF(1234567.891L, cl::ffNumber, 15, 2), "1,234,567.89");
  EXPECT_EQ(cl::FloatToStrF(123.0L, cl::ffNumber, 15, 0), "123");
  EXPECT_EQ(cl::FloatToStrF(1234.5L, cl::ffExponent, 4, 2), "1.235E+03");
  EXPECT_EQ(cl::FloatToStrF(9.9999L, cl::ffGeneral, 3, 0), "10");
}

TEST(ConversionsTest, FloatConversionsFollowTheDecimalSeparator) {
  cl::DecimalSeparator = ',';
  EXPECT_EQ(cl::FloatToStr(1.5L), "1,5");
  EXPECT_EQ(cl::StrToFloat("2,25"), 2.25L);
  EXPECT_THROW(cl::StrToFloat("2.25"), cl::EConvertError);
  cl::DecimalSeparator = '.';
}

TEST(ConversionsTest, StrToFloatGrammar) {
  EXPECT_EQ(cl::StrToFloat(" 1.5 "), 1.5L);
  EXPECT_EQ(cl::StrToFloat("-2"), -2.0L);
  EXPECT_EQ(cl::StrToFloat(".5"), 0.5L);
  EXPECT_EQ(cl::StrToFloat("5."), 5.0L);
  EXPECT_EQ(cl::StrToFloat("1e3"), 1000.0L);
  EXPECT_EQ(cl::StrToFloat("1.5E-2"), 0.015L);
  for (const char* bad : {"", ".", "e3", "1e", "1.5x", "1,5", "--1", "inf", "nan", "0x10", "1e99999"}) {
    EXPECT_THROW(cl::StrToFloat(bad), cl::EConvertError) << '"' << bad << '"';
  }
  try {
    cl::StrToFloat("abc");
  } catch (const cl::EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
  }
}

}  // namespace
