// Exceptions: fixed texts, formatted messages and the silent Abort.
#include "classlib/core/exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(ExceptionsTest, MessagesAndFixedTexts) {
  EXPECT_EQ(cl::EOutOfMemory().Message(), "Out of memory");
  EXPECT_EQ(cl::EInvalidCast().Message(), "Invalid class typecast");
  EXPECT_EQ(cl::EOutOfResources().Message(), "Out of system resources");
  const cl::EListError formatted("List index out of bounds (%d)", {5});
  EXPECT_STREQ(formatted.what(), "List index out of bounds (5)");
  cl::Exception e("first");
  e.SetMessage("second");
  EXPECT_STREQ(e.what(), "second");
  const cl::EInOutError io("Cannot open", 3);
  EXPECT_EQ(io.ErrorCode(), 3);
}

TEST(ExceptionsTest, AbortRaisesTheSilentException) {
  EXPECT_THROW(cl::Abort(), cl::EAbort);
}

}  // namespace
