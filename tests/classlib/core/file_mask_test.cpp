// File masks: splitting a ';' list and matching names with the system's wildcard rules.
#include "classlib/core/file_mask.h"

#include <gtest/gtest.h>

namespace {

using cl::MatchesAnyPattern;
using cl::MatchesPattern;
using cl::SplitMask;

TEST(FileMaskTest, SplitTrimsPatternsAndDropsEmptyOnes) {
  EXPECT_EQ(SplitMask("*.bmp;*.gif"), (std::vector<std::string>{"*.bmp", "*.gif"}));
  EXPECT_EQ(SplitMask("  *.bmp ; ;*.gif;  "), (std::vector<std::string>{"*.bmp", "*.gif"}));
  EXPECT_TRUE(SplitMask("").empty());
  EXPECT_TRUE(SplitMask(" ; ").empty());
}

TEST(FileMaskTest, WildcardsIgnoreCase) {
  EXPECT_TRUE(MatchesPattern("Photo.BMP", "*.bmp"));
  EXPECT_TRUE(MatchesPattern("a.bmp", "?.bmp"));
  EXPECT_FALSE(MatchesPattern("ab.bmp", "?.bmp"));
  EXPECT_TRUE(MatchesPattern("x.tar.gz", "*.gz"));
  EXPECT_FALSE(MatchesPattern("x.gz.tar", "*.gz"));
  EXPECT_FALSE(MatchesPattern("bmp", "*.bmp"));
  EXPECT_TRUE(MatchesPattern("aXbXc", "a*b*c"));
  EXPECT_FALSE(MatchesPattern("aXbXcX", "a*b*c"));
}

TEST(FileMaskTest, AnyExtensionAlsoTakesNamesWithoutOne) {
  EXPECT_TRUE(MatchesPattern("readme", "*.*"));
  EXPECT_TRUE(MatchesPattern("readme.txt", "*.*"));
  EXPECT_TRUE(MatchesPattern("readme", "read*.*"));
  EXPECT_FALSE(MatchesPattern("other", "read*.*"));
}

TEST(FileMaskTest, AnyPatternOfTheListMatches) {
  const std::vector<std::string> patterns = SplitMask("*.bmp; *.gif");
  EXPECT_TRUE(MatchesAnyPattern("a.GIF", patterns));
  EXPECT_TRUE(MatchesAnyPattern("b.bmp", patterns));
  EXPECT_FALSE(MatchesAnyPattern("c.jpg", patterns));
  EXPECT_FALSE(MatchesAnyPattern("c.jpg", {}));
}

}  // namespace
