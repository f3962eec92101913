#include "viewer/core/working_copy.h"

#include <gtest/gtest.h>

namespace viewer {
namespace {

const std::string kTemp = "C:\\temp\\";

TEST(WorkingCopy, FirstFreeNumberSkipsExistingFiles) {
  std::set<std::string> files{kTemp + "orvanetmp1.bmp", kTemp + "orvanetmp3.bmp"};
  WorkingCopyNames names([&](const std::string& f) { return files.contains(f); });
  EXPECT_EQ(names.Reserve(kTemp), kTemp + "orvanetmp2.bmp");
}

TEST(WorkingCopy, TwoWindowsNeverShareANameBeforeTheirFilesExist) {
  WorkingCopyNames names([](const std::string&) { return false; });
  EXPECT_EQ(names.Reserve(kTemp), kTemp + "orvanetmp1.bmp");
  EXPECT_EQ(names.Reserve(kTemp), kTemp + "orvanetmp2.bmp");
  names.Release(kTemp + "orvanetmp1.bmp");
  EXPECT_FALSE(names.Held(kTemp + "orvanetmp1.bmp"));
  EXPECT_EQ(names.Reserve(kTemp), kTemp + "orvanetmp1.bmp");
}

TEST(WorkingCopy, NoNameWhenAll256AreTaken) {
  int asked = 0;
  WorkingCopyNames names([&](const std::string& f) {
    ++asked;
    return f != kTemp + "orvanetmp256.bmp";
  });
  EXPECT_EQ(names.Reserve(kTemp), kTemp + "orvanetmp256.bmp");
  EXPECT_EQ(asked, 256);
  EXPECT_EQ(names.Reserve(kTemp), std::nullopt);
}

}  // namespace
}  // namespace viewer
