// The container format: item records byte for byte, container files with their signatures and record positions,
// and malformed files refused before anything is allocated.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/core/string_list.h"
#include "controls/core/container_format.h"
#include "controls/core/item_framing.h"

namespace ctl {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Contents(cl::TMemoryStream& stream) {
  const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
  return Bytes(bytes, bytes + stream.Size());
}

void Load(cl::TMemoryStream& stream, const Bytes& bytes) {
  stream.Clear();
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream.SetPosition(0);
}

Bytes RecordBytes(TContainerKind kind, const TItemRecord& record) {
  cl::TMemoryStream stream;
  WriteItemRecord(&stream, kind, record);
  return Contents(stream);
}

TItemRecord ReadRecord(TContainerKind kind, const Bytes& bytes) {
  cl::TMemoryStream stream;
  Load(stream, bytes);
  TItemRecord record = ReadItemRecord(&stream, kind);
  EXPECT_EQ(stream.Position(), stream.Size());
  return record;
}

// A scratch file in the test's folder (the system's temporary folder when run outside ctest).
std::string TestFile(const std::string& name) {
  const char* folder = std::getenv("PROJECT_TEST_DIR");
  return (folder ? std::string(folder) : std::filesystem::temp_directory_path().string()) + "/" + name;
}

TEST(ItemRecord, WritesOnlyTheFieldsItsFlagsAnnounce) {
  TItemRecord plain;
  plain.Content = {'B', 'M'};
  TItemRecord described = plain;
  described.Description = "logo";
  described.Ident = 7;
  described.SaveFormat = 2;
  TItemRecord strip;
  strip.Strip = {8, 4, 4, true, 0};

  const struct {
    const char* name;
    TContainerKind kind;
    TItemRecord record;
    Bytes bytes;
  } cases[] = {
      {"empty bitmap item", ckBitmapList, {}, {0x00}},
      {"content only", ckBitmapList, plain, {0x08, 2, 0, 0, 0, 'B', 'M'}},
      {"description, ident, 16 colours",
       ckBitmapList,
       described,
       {0x2E, 4, 'l', 'o', 'g', 'o', 7, 0, 0, 0, 2, 0, 0, 0, 'B', 'M'}},
      {"wave item", ckWaveList, plain, {0x08, 2, 0, 0, 0, 'B', 'M'}},
      {"empty wave item: the count 0", ckWaveList, {}, {0x08, 0, 0, 0, 0}},
      {"strip without frames", ckImageList, strip, {0x00, 8, 0, 0, 0, 4, 0, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RecordBytes(c.kind, c.record), c.bytes) << c.name;
    const TItemRecord back = ReadRecord(c.kind, c.bytes);
    EXPECT_EQ(back.Description, c.record.Description) << c.name;
    EXPECT_EQ(back.Ident, c.record.Ident) << c.name;
    EXPECT_EQ(back.SaveFormat, c.record.SaveFormat) << c.name;
    EXPECT_EQ(back.Content, c.record.Content) << c.name;
  }
}

TEST(ItemRecord, RoundTripsStripsAndCompressedContent) {
  TItemRecord record;
  record.Compressed = true;
  record.SaveFormat = 3;
  record.Strip = {16, 16, 4, true, 3};
  record.StripImage = Bytes(5000, 0x11);
  record.StripMask = Bytes(300, 0x22);
  const Bytes bytes = RecordBytes(ckImageList, record);
  EXPECT_EQ(bytes[0], kRecordCompressed | kRecordContent | 0x40);
  const TItemRecord back = ReadRecord(ckImageList, bytes);
  EXPECT_TRUE(back.Compressed);
  EXPECT_EQ(back.SaveFormat, 3);
  EXPECT_EQ(back.Strip.Count, 3);
  EXPECT_TRUE(back.Strip.Masked);
  EXPECT_EQ(back.StripImage, record.StripImage);
  EXPECT_EQ(back.StripMask, record.StripMask);
}

TEST(ItemFraming, CutsLongShortStringsTo255Characters) {
  for (size_t length : {size_t{0}, size_t{255}, size_t{256}, size_t{300}}) {
    cl::TMemoryStream stream;
    WriteShortString(&stream, std::string(length, 'd'));
    stream.SetPosition(0);
    EXPECT_EQ(ReadShortString(&stream), std::string(std::min<size_t>(length, 255), 'd')) << length;
  }
}

TEST(ItemFraming, StringListsRoundTripPlainAndCompressed) {
  cl::TStringList lines;
  lines.SetText("first\r\n\r\nthird");
  for (bool compressed : {false, true}) {
    cl::TMemoryStream stream;
    WriteStringsBlock(&stream, &lines, compressed);
    if (!compressed) {
      EXPECT_EQ(Contents(stream), Bytes({16,   0,    0,    0,   'f', 'i', 'r', 's', 't',  '\r',
                                         '\n', '\r', '\n', 't', 'h', 'i', 'r', 'd', '\r', '\n'}));
    }
    stream.SetPosition(0);
    cl::TStringList back;
    ReadStringsBlock(&stream, &back, compressed);
    EXPECT_EQ(back.Text(), lines.Text()) << compressed;
  }
}

// A container of three string items, written to a file with its signature as a program would.
std::string WriteStringContainer(const std::string& name, std::vector<int32_t>& positions) {
  const std::string fileName = TestFile(name);
  cl::TFileStream file(fileName, cl::fmCreate);
  WriteContainerSignature(&file, ckStringList);
  WriteContainerStream(&file, 3, true, [&](int32_t index) {
    positions.push_back(static_cast<int32_t>(file.Position()));
    TItemRecord record;
    record.Ident = index + 1;
    record.Compressed = index == 1;
    const std::string text = "line " + std::to_string(index) + "\r\n";
    record.Content.assign(text.begin(), text.end());
    WriteItemRecord(&file, ckStringList, record);
  });
  return fileName;
}

TEST(ContainerFile, HeaderNamesTheKindAndTheRecordPositions) {
  std::vector<int32_t> positions;
  const std::string fileName = WriteStringContainer("strings.txt", positions);
  cl::TMemoryStream file;
  file.LoadFromFile(fileName);
  const Bytes bytes = Contents(file);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 13), Bytes({8, 'C', 'T', 'L', 'S', 'L', 'L', '3', '0', 3, 0, 0, 0}));

  int32_t count = 0;
  std::vector<int32_t> offsets = {99};
  EXPECT_EQ(ReadContainerHeader(fileName, count, &offsets), ckStringList);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(offsets, positions);
  EXPECT_EQ(positions[0], 9 + 4 + 3 * 4);

  TItemRecord record;
  ReadContainerRecord(fileName, ckStringList, nullptr, 2,
                      [&](cl::TStream* stream) { record = ReadItemRecord(stream, ckStringList); });
  EXPECT_EQ(record.Ident, 3);
  EXPECT_EQ(std::string(record.Content.begin(), record.Content.end()), "line 2\r\n");

  // Read back record by record and written again, the file comes out byte for byte.
  cl::TMemoryStream again;
  WriteContainerSignature(&again, ckStringList);
  file.SetPosition(kSignatureSize);
  std::vector<TItemRecord> records;
  ReadContainerStream(&file, true, [&] { records.push_back(ReadItemRecord(&file, ckStringList)); });
  WriteContainerStream(&again, 3, true, [&](int32_t i) { WriteItemRecord(&again, ckStringList, records[i]); });
  EXPECT_EQ(Contents(again), bytes);
}

TEST(ContainerFile, EveryKindIsKnownByItsSignature) {
  const struct {
    TContainerKind kind;
    const char* signature;
    const char* extension;
  } kinds[] = {{ckImageList, "CTLIML30", "iml"},
               {ckBitmapList, "CTLBML30", "bmp"},
               {ckWaveList, "CTLWVL30", "wav"},
               {ckStringList, "CTLSLL30", "txt"},
               {ckRichTextList, "CTLRTL30", "rtf"}};
  for (const auto& k : kinds) {
    EXPECT_EQ(ContainerSignature(k.kind), k.signature);
    EXPECT_EQ(ContainerExtension(k.kind), k.extension);
    const std::string fileName = TestFile(std::string("empty.") + k.extension);
    {
      cl::TFileStream file(fileName, cl::fmCreate);
      WriteContainerSignature(&file, k.kind);
      WriteContainerStream(&file, 0, true, [](int32_t) {});
    }
    int32_t count = -1;
    EXPECT_EQ(ReadContainerHeader(fileName, count, nullptr), k.kind);
    EXPECT_EQ(count, 0);
  }
}

TEST(ContainerFile, OfAnotherKindIsRefusedWithItsName) {
  std::vector<int32_t> positions;
  const std::string fileName = WriteStringContainer("kind.txt", positions);
  for (TContainerKind expected : {ckImageList, ckBitmapList, ckWaveList}) {
    try {
      ReadContainerRecord(fileName, expected, nullptr, 0, [](cl::TStream*) {});
      ADD_FAILURE() << "read as kind " << expected;
    } catch (const cl::Exception& e) {
      EXPECT_EQ(e.Message(), "Cannot open file %s: " + fileName);
    }
  }
  EXPECT_THROW(ReadContainerRecord(fileName, ckStringList, nullptr, 3, [](cl::TStream*) {}), cl::EListError);
  EXPECT_THROW(ReadContainerRecord(fileName, ckStringList, nullptr, -1, [](cl::TStream*) {}), cl::EListError);
}

TEST(ContainerFile, UnknownSignatureGivesKindFive) {
  const std::string fileName = TestFile("unknown.bin");
  {
    cl::TFileStream file(fileName, cl::fmCreate);
    WriteShortString(&file, "CTLXYZ30");
    WriteInt32(&file, 0x7FFFFFFF);
  }
  int32_t count = 0;
  std::vector<int32_t> offsets;
  EXPECT_EQ(ReadContainerHeader(fileName, count, &offsets), ckUnknown);
  EXPECT_EQ(count, 0x7FFFFFFF);
  EXPECT_TRUE(offsets.empty());
}

TEST(ContainerFile, MalformedFilesRaiseTheReadError) {
  std::vector<int32_t> positions;
  const std::string good = WriteStringContainer("good.txt", positions);
  cl::TMemoryStream original;
  original.LoadFromFile(good);
  const Bytes bytes = Contents(original);
  auto damaged = [&](size_t at, std::initializer_list<uint8_t> patch, size_t cut = 0) {
    Bytes copy = bytes;
    std::copy(patch.begin(), patch.end(), copy.begin() + at);
    copy.resize(copy.size() - cut);
    const std::string fileName = TestFile("damaged.txt");
    cl::TMemoryStream stream;
    Load(stream, copy);
    stream.SaveToFile(fileName);
    return fileName;
  };
  auto readAll = [](const std::string& fileName) {
    int32_t count = 0;
    std::vector<int32_t> offsets;
    ReadContainerHeader(fileName, count, &offsets);
    for (int i = 0; i < count; ++i) {
      ReadContainerRecord(fileName, ckStringList, &offsets, i,
                          [](cl::TStream* stream) { ReadItemRecord(stream, ckStringList); });
    }
  };
  const struct {
    const char* name;
    std::string fileName;
  } cases[] = {
      {"count beyond the file", damaged(9, {0xFF, 0xFF, 0xFF, 0x7F})},
      {"negative count", damaged(9, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"position past the end", damaged(13, {0xFF, 0xFF, 0, 0})},
      {"position inside the header", damaged(13, {4, 0, 0, 0})},
      {"byte count past the end", damaged(static_cast<size_t>(positions[0]) + 5, {0xFF, 0xFF, 0, 0})},
      {"truncated record", damaged(0, {}, 3)},
      {"signature only", damaged(0, {}, bytes.size() - 9)},
  };
  for (const auto& c : cases) EXPECT_THROW(readAll(c.fileName), cl::EStreamError) << c.name;
}

TEST(ContainerStream, RefusesStripsOutsideTheLimits) {
  const struct {
    const char* name;
    TStripGeometry strip;
  } cases[] = {
      {"width 0", {16, 0, 4, false, 1}},
      {"negative height", {-1, 16, 4, false, 1}},
      {"frame taller than the limit", {32769, 16, 4, false, 1}},
      {"strip wider than the limit", {16, 16, 4, false, 2049}},
      {"negative count", {16, 16, 4, false, -1}},
  };
  for (const auto& c : cases) {
    cl::TMemoryStream stream;
    WriteByte(&stream, kRecordContent);
    for (int32_t value : {c.strip.Height, c.strip.Width, c.strip.AllocBy}) WriteInt32(&stream, value);
    WriteByte(&stream, 0);
    WriteInt32(&stream, c.strip.Count);
    WriteInt32(&stream, 0);
    stream.SetPosition(0);
    EXPECT_THROW(ReadItemRecord(&stream, ckImageList), cl::EReadError) << c.name;
  }
}

TEST(ContainerStream, ReadsWithAndWithoutPositions) {
  for (bool withOffsets : {false, true}) {
    cl::TMemoryStream stream;
    WriteContainerStream(&stream, 2, withOffsets, [&](int32_t index) {
      TItemRecord record;
      record.Description = index == 0 ? "a" : "b";
      WriteItemRecord(&stream, ckStringList, record);
    });
    EXPECT_EQ(stream.Size(), 4 + (withOffsets ? 8 : 0) + 2 * 3);
    stream.SetPosition(0);
    std::string descriptions;
    ReadContainerStream(&stream, withOffsets,
                        [&] { descriptions += ReadItemRecord(&stream, ckStringList).Description; });
    EXPECT_EQ(descriptions, "ab");
  }
}

}  // namespace
}  // namespace ctl
