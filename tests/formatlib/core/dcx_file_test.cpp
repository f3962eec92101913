#include "formatlib/core/dcx_file.h"

#include <gtest/gtest.h>

#include "classlib/core/byte_reader.h"
#include "formatlib/core/pcx_codec.h"
#include "pattern_image.h"

namespace fl {
namespace {

using test::DescribePixelDifference;
using test::MakePatternImage;

TEST(Dcx, EmptyFileHasNoPages) {
  int count = -1;
  EXPECT_EQ(CountDcxPages(MakeEmptyDcx(), count), kOk);
  EXPECT_EQ(count, 0);
  DibImage image;
  EXPECT_EQ(ReadDcxPage(MakeEmptyDcx(), 0, image), kBadPageIndex);
}

TEST(Dcx, ThreeAppendedPagesReadBackPixelExact) {
  std::vector<DibImage> pages = {MakePatternImage(17, 5, 8), MakePatternImage(9, 12, 1), MakePatternImage(20, 3, 24)};
  std::vector<uint8_t> file = MakeEmptyDcx();
  for (const DibImage& page : pages) ASSERT_EQ(AppendDcxPage(file, page), kOk);
  int count = 0;
  ASSERT_EQ(CountDcxPages(file, count), kOk);
  ASSERT_EQ(count, 3);
  for (int i = 0; i < 3; ++i) {
    DibImage read;
    ASSERT_EQ(ReadDcxPage(file, i, read), kOk) << i;
    EXPECT_EQ(DescribePixelDifference(pages[i], read), "") << "page " << i;
  }
  DibImage read;
  EXPECT_EQ(ReadDcxPage(file, 3, read), kBadPageIndex);
  EXPECT_EQ(ReadDcxPage(file, -1, read), kBadPageIndex);
}

TEST(Dcx, TakesPagesIntoFilesWithAShortTable) {
  // Signature, one offset, the ending zero, then the page: the table has no room for another entry.
  std::vector<uint8_t> file;
  cl::le::AppendU32(file, kDcxSignature);
  cl::le::AppendU32(file, 12);
  cl::le::AppendU32(file, 0);
  std::vector<uint8_t> page;
  ASSERT_EQ(WritePcx(MakePatternImage(6, 6, 4), page), kOk);
  file.insert(file.end(), page.begin(), page.end());

  DibImage second = MakePatternImage(5, 4, 8);
  ASSERT_EQ(AppendDcxPage(file, second), kOk);
  int count = 0;
  ASSERT_EQ(CountDcxPages(file, count), kOk);
  EXPECT_EQ(count, 2);
  DibImage read;
  ASSERT_EQ(ReadDcxPage(file, 0, read), kOk);
  EXPECT_EQ(DescribePixelDifference(MakePatternImage(6, 6, 4), read), "");
  ASSERT_EQ(ReadDcxPage(file, 1, read), kOk);
  EXPECT_EQ(DescribePixelDifference(second, read), "");
}

TEST(Dcx, RefusesMalformedFilesAndAFullTable) {
  int count = 0;
  DibImage image;
  std::vector<uint8_t> notDcx = {1, 2, 3, 4, 0, 0, 0, 0};
  EXPECT_EQ(CountDcxPages(notDcx, count), kNotDcxFile);
  EXPECT_EQ(CountDcxPages({}, count), kNotDcxFile);

  std::vector<uint8_t> cutTable;
  cl::le::AppendU32(cutTable, kDcxSignature);
  cl::le::AppendU32(cutTable, 100);
  EXPECT_EQ(CountDcxPages(cutTable, count), kTruncatedFile);

  std::vector<uint8_t> outside = MakeEmptyDcx();
  cl::le::WriteU32(outside.data() + 4, 999999);
  EXPECT_EQ(ReadDcxPage(outside, 0, image), kBadPageOffset);
  cl::le::WriteU32(outside.data() + 4, 6);  // inside the table itself
  EXPECT_EQ(ReadDcxPage(outside, 0, image), kBadPageOffset);
  EXPECT_EQ(AppendDcxPage(outside, MakePatternImage(2, 2, 8)), kBadPageOffset);

  std::vector<uint8_t> full = MakeEmptyDcx();
  for (int i = 0; i < kMaxDcxPages; ++i) cl::le::WriteU32(full.data() + 4 + 4 * i, 4100);
  ASSERT_EQ(CountDcxPages(full, count), kOk);
  EXPECT_EQ(count, kMaxDcxPages);
  std::vector<uint8_t> before = full;
  EXPECT_EQ(AppendDcxPage(full, MakePatternImage(2, 2, 8)), kDcxFull);
  EXPECT_EQ(full, before);
}

}  // namespace
}  // namespace fl
