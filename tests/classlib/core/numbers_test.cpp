// Banker's rounding, truncation and MulDiv, checked against the Win32 MulDiv when running under Windows.
#include "classlib/core/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/random.h"

#ifdef _WIN32
extern "C" __declspec(dllimport) int __stdcall MulDiv(int number, int numerator, int denominator);
#endif

namespace {

TEST(NumbersTest, RoundSendsHalvesToEven) {
  EXPECT_EQ(cl::Round(2.5L), 2);
  EXPECT_EQ(cl::Round(3.5L), 4);
  EXPECT_EQ(cl::Round(-2.5L), -2);
  EXPECT_EQ(cl::Round(-3.5L), -4);
  EXPECT_EQ(cl::Round(0.5L), 0);
  EXPECT_EQ(cl::Round(1.5L), 2);
  EXPECT_EQ(cl::Round(2.5000001L), 3);
  EXPECT_EQ(cl::Round(-0.4L), 0);
  EXPECT_EQ(cl::Round(1e15L + 0.5L), 1000000000000000);
}

TEST(NumbersTest, TruncDropsTheFraction) {
  EXPECT_EQ(cl::Trunc(2.9L), 2);
  EXPECT_EQ(cl::Trunc(-2.9L), -2);
}

TEST(NumbersTest, ValuesOutsideInt64Raise) {
  EXPECT_THROW(cl::Round(1e19L), cl::EConvertError);
  EXPECT_THROW(cl::Trunc(-1e19L), cl::EConvertError);
  EXPECT_THROW(cl::Round(std::numeric_limits<long double>::quiet_NaN()), cl::EConvertError);
}

struct MulDivCase {
  int a, b, c, expected;
};

constexpr MulDivCase kMulDivCases[] = {
    {10, 3, 4, 8},    // 7.5 -> 8
    {-10, 3, 4, -8},  // halves away from zero
    {10, -3, 4, -8},
    {10, 3, -4, -8},
    {-10, -3, 4, 8},
    {5, 1, 2, 3},
    {-5, 1, 2, -3},
    {7, 1, 3, 2},               // 2.33 -> 2
    {8, 1, 3, 3},               // 2.67 -> 3
    {1, 1, 0, -1},              // division by zero
    {INT_MAX, INT_MAX, 1, -1},  // overflow
    {INT_MAX, 1, 1, INT_MAX},
    {-INT_MAX, 1, 1, -INT_MAX},
    {INT_MIN, 1, 1, -1},
    {INT_MIN, 1, -1, -1},
    {INT_MIN, -1, 2, 1073741824},
    {65536, 65536, 65536, 65536},
    {96, 8, 72, 11},  // a font height: 10.67 -> 11
    {0, -5, 3, 0},
};

TEST(NumbersTest, MulDivTable) {
  for (const MulDivCase& t : kMulDivCases) {
    EXPECT_EQ(cl::MulDiv(t.a, t.b, t.c), t.expected) << t.a << " * " << t.b << " / " << t.c;
#ifdef _WIN32
    EXPECT_EQ(cl::MulDiv(t.a, t.b, t.c), ::MulDiv(t.a, t.b, t.c)) << t.a << " * " << t.b << " / " << t.c;
#endif
  }
}

TEST(RandomTest, SeedRepeatsTheSequenceAndResultsStayInRange) {
  cl::RandSeed = 12345;
  std::vector<int32_t> first;
  for (int i = 0; i < 100; ++i) first.push_back(cl::Random(2));
  cl::RandSeed = 12345;
  int ones = 0;
  for (int i = 0; i < 100; ++i) {
    const int32_t r = cl::Random(2);
    EXPECT_EQ(r, first[i]);
    ones += r;
  }
  EXPECT_GT(ones, 20);
  EXPECT_LT(ones, 80);
  for (int i = 0; i < 1000; ++i) {
    const double d = cl::Random();
    EXPECT_GE(d, 0.0);
    EXPECT_LT(d, 1.0);
    EXPECT_LT(cl::Random(7), 7);
  }
  EXPECT_EQ(cl::Random(0), 0);
}

}  // namespace
