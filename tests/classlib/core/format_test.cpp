// Format: conversions, widths and precisions, and arguments that do not fit.
#include "classlib/core/format.h"

#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"

namespace {

TEST(FormatTest, IntegersAndStrings) {
  EXPECT_EQ(cl::Format("%d %%", {42}), "42 %");
  EXPECT_EQ(cl::Format("%5d|%-5d|", {-42, 7}), "  -42|7    |");
  EXPECT_EQ(cl::Format("%.4d", {-7}), "-0007");
  EXPECT_EQ(cl::Format("%x %X %.4x", {255, 255, 10}), "FF FF 000A");
  EXPECT_EQ(cl::Format("%x %u", {-1, -1}), "FFFFFFFF 4294967295");
  EXPECT_EQ(cl::Format("%d", {uint64_t{18446744073709551615u}}), "18446744073709551615");
  EXPECT_EQ(cl::Format("%s=%s", {"a", std::string("b")}), "a=b");
  EXPECT_EQ(cl::Format("[%6s][%-4s][%.2s]", {"ab", "c", "xyz"}), "[    ab][c   ][xy]");
  EXPECT_EQ(cl::Format("%s", {'c'}), "c");
  EXPECT_EQ(cl::Format("%d %%", {100}), "100 %");
  EXPECT_EQ(cl::Format("no arguments", {}), "no arguments");
  enum TSample { smFirst, smSecond };
  EXPECT_EQ(cl::Format("%d", {smSecond}), "1");
}

TEST(FormatTest, Floats) {
  EXPECT_EQ(cl::Format("%f", {1.0}), "1.00");
  EXPECT_EQ(cl::Format("%.1f", {2.25}), "2.3");  // halves of the printed digits round up
  EXPECT_EQ(cl::Format("%.1f", {0.15}), "0.2");  // 0.15 counts as written, not as its binary value
  EXPECT_EQ(cl::Format("%.3f", {-0.5}), "-0.500");
  EXPECT_EQ(cl::Format("%8.2f|", {3.14159}), "    3.14|");
  EXPECT_EQ(cl::Format("%g", {1234.5}), "1234.5");
  EXPECT_EQ(cl::Format("%e", {1234.5}), "1.23450000000000E+003");
  EXPECT_EQ(cl::Format("%.2n", {1234567.0}), "1,234,567.00");
}

TEST(FormatTest, PointersShowAllHexDigits) {
  const void* p = reinterpret_cast<const void*>(uintptr_t{0xAB});
  EXPECT_EQ(cl::Format("%p", {p}), std::string(2 * sizeof(void*) - 2, '0') + "AB");
}

TEST(FormatTest, MismatchesRaiseConvertError) {
  EXPECT_THROW(cl::Format("%d", {"text"}), cl::EConvertError);
  EXPECT_THROW(cl::Format("%s", {5}), cl::EConvertError);
  EXPECT_THROW(cl::Format("%f", {5}), cl::EConvertError);
  EXPECT_THROW(cl::Format("%d", {1.5}), cl::EConvertError);
  EXPECT_THROW(cl::Format("%d %d", {1}), cl::EConvertError);
  EXPECT_THROW(cl::Format("%", {1}), cl::EConvertError);
  EXPECT_THROW(cl::Format("%y", {1}), cl::EConvertError);
  try {
    cl::Format("%d", {"x"});
  } catch (const cl::EConvertError& e) {
    EXPECT_EQ(e.Message(), "Format '%d' invalid or incompatible with argument");
  }
}

}  // namespace
