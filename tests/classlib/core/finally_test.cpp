// cl::Finally: the function runs when the scope ends, with or without an exception, and the first failure wins.
#include "classlib/core/finally.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace cl {
namespace {

TEST(FinallyTest, RunsInReverseOrderWhenTheScopeEnds) {
  std::string order;
  {
    Finally first([&] { order += "1"; });
    Finally second([&] { order += "2"; });
    order += "body ";
  }
  EXPECT_EQ(order, "body 21");
}

TEST(FinallyTest, RunsWhenAnExceptionPassesAndKeepsTheFirstFailure) {
  int runs = 0;
  try {
    Finally release([&] {
      ++runs;
      throw std::runtime_error("release");
    });
    throw std::runtime_error("body");
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "body");
  }
  EXPECT_EQ(runs, 1);
}

TEST(FinallyTest, AFailureOfTheFunctionAloneTravelsOn) {
  EXPECT_THROW({ Finally release([] { throw std::runtime_error("release"); }); }, std::runtime_error);
}

}  // namespace
}  // namespace cl
