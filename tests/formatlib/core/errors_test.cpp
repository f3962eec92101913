#include "formatlib/core/errors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace fl {
namespace {

TEST(ErrorTexts, EveryCodeHasItsOwnTextThatFitsTheCallersBuffer) {
  for (int code = kOk; code <= kBadGifData; ++code) {
    std::string text = ErrorText(code);
    EXPECT_NE(text, "unknown error") << code;
    EXPECT_LE(text.size(), static_cast<size_t>(kMaxErrorTextLength)) << code;
    for (int other = kOk; other < code; ++other) EXPECT_NE(text, ErrorText(other)) << code << " " << other;
  }
  EXPECT_STREQ(ErrorText(-1), "unknown error");
  EXPECT_STREQ(ErrorText(kBadGifData + 1), "unknown error");
}

TEST(ErrorTexts, CopyCutsToTheBufferAndAlwaysEndsWithNul) {
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  CopyErrorText(kNotPcxFile, buffer, 5);
  EXPECT_STREQ(buffer, "not ");
  EXPECT_EQ(buffer[5], 'x');
  CopyErrorText(kOk, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "no error");
  CopyErrorText(kNotPcxFile, buffer, 0);  // writes nothing
  CopyErrorText(kNotPcxFile, nullptr, 16);
}

}  // namespace
}  // namespace fl
