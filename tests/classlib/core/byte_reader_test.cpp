#include "classlib/core/byte_reader.h"

#include <gtest/gtest.h>

namespace {

TEST(ByteReaderTest, ReadsLittleEndianFieldsInOrder) {
  const uint8_t data[] = {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF};
  cl::ByteReader reader(data, sizeof data);
  EXPECT_EQ(reader.U8(), 0x01);
  EXPECT_EQ(reader.U16(), 0x1234);
  EXPECT_EQ(reader.U32(), 0x12345678u);
  EXPECT_EQ(reader.I16(), -2);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.Failed());
}

TEST(ByteReaderTest, ReadPastTheEndFailsWithoutMovingAndSticks) {
  const uint8_t data[] = {0xAA, 0xBB, 0xCC};
  cl::ByteReader reader(data, sizeof data);
  uint32_t value = 7;
  EXPECT_FALSE(reader.ReadU32(value));
  EXPECT_EQ(value, 7u);
  EXPECT_EQ(reader.Position(), 0u);
  EXPECT_TRUE(reader.Failed());
  // Shorter reads still work, but the failure stays recorded.
  EXPECT_EQ(reader.U16(), 0xBBAA);
  EXPECT_TRUE(reader.Failed());
  EXPECT_EQ(reader.U16(), 0);
  EXPECT_TRUE(reader.Bytes(2).empty());
  EXPECT_EQ(reader.Remaining(), 1u);
}

TEST(ByteReaderTest, SkipSeekAndSpansStayInsideTheData) {
  const uint8_t data[] = {1, 2, 3, 4, 5};
  cl::ByteReader reader(data, sizeof data);
  EXPECT_TRUE(reader.Skip(2));
  std::span<const uint8_t> view;
  EXPECT_TRUE(reader.ReadSpan(3, view));
  EXPECT_EQ(view[0], 3);
  EXPECT_EQ(view.size(), 3u);
  EXPECT_TRUE(reader.Seek(5));
  EXPECT_FALSE(reader.Seek(6));
  EXPECT_FALSE(reader.Skip(static_cast<size_t>(-1)));
  EXPECT_EQ(reader.Position(), 5u);
}

TEST(LittleEndianTest, WriteAndReadBack) {
  uint8_t buffer[6] = {};
  cl::le::WriteU16(buffer, 0xBEEF);
  cl::le::WriteU32(buffer + 2, 0x80000001u);
  EXPECT_EQ(buffer[0], 0xEF);
  EXPECT_EQ(buffer[5], 0x80);
  EXPECT_EQ(cl::le::ReadU16(buffer), 0xBEEF);
  EXPECT_EQ(cl::le::ReadI32(buffer + 2), INT32_MIN + 1);
  std::vector<uint8_t> out;
  cl::le::AppendU16(out, 0x0102);
  cl::le::AppendU32(out, 0x03040506);
  EXPECT_EQ(out, (std::vector<uint8_t>{0x02, 0x01, 0x06, 0x05, 0x04, 0x03}));
}

}  // namespace
