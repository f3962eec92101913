// Reading and writing whole GIF streams: header, screen descriptor, colour tables, frames, trailer, with every
// error and warning of the format.
#include <gtest/gtest.h>

#include <cstdlib>

#include "image/core/gif_error.h"
#include "tests/image/core/gif_test_support.h"

namespace img {
namespace {

using test::Append;
using test::AppendFrame;
using test::Bytes;
using test::GifHeader;
using test::RecordingImage;

std::string LoadError(const Bytes& bytes) {
  RecordingImage image;
  try {
    image.Load(bytes);
  } catch (const GIFException& error) {
    return error.what();
  }
  return "";
}

TEST(GifFormat, SignatureIsCheckedWithoutCaseAndVersionNotAtAll) {
  for (const char* signature : {"GIF89a", "gif87a", "GiFxyz"}) {
    Bytes bytes = GifHeader(1, 1, 0, signature);
    AppendFrame(bytes, 1, 1);
    bytes.push_back(0x3B);
    EXPECT_EQ(LoadError(bytes), "") << signature;
  }
  EXPECT_EQ(LoadError(GifHeader(1, 1, 0, "GIX89a")), "Invalid GIF signature");
  EXPECT_EQ(LoadError(GifHeader(1, 1, 0, "JIF89a")), "Invalid GIF signature");
}

TEST(GifFormat, EveryCutRaisesPrematureEndOfData) {
  Bytes full = GifHeader(2, 2, 1);
  Append(full, {0x21, 0xF9, 4, 0, 0, 0, 0, 0});
  AppendFrame(full, 2, 2, 0x80);  // a local table of 2 entries follows the descriptor
  full.insert(full.begin() + static_cast<std::ptrdiff_t>(full.size() - 5), {1, 2, 3, 4, 5, 6});
  // Cuts inside the header, screen descriptor, global table, graphic control block, descriptor, local table.
  for (std::size_t length :
       {std::size_t{3}, std::size_t{9}, std::size_t{20}, std::size_t{30}, std::size_t{36}, std::size_t{45}}) {
    EXPECT_EQ(LoadError(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length))),
              "Premature end of data")
        << length;
  }
}

TEST(GifFormat, GlobalTableSizesFollowThePackedBits) {
  RecordingImage image;
  image.Load(GifHeader(1, 1, 0));
  EXPECT_EQ(image.GlobalColorMap().Count(), 2);
  image.Load(GifHeader(1, 1, 7));
  EXPECT_EQ(image.GlobalColorMap().Count(), 256);
  Bytes noTable = GifHeader(1, 1, -1);
  noTable[10] = 0x07;  // size bits set, table flag clear
  image.Load(noTable);
  EXPECT_EQ(image.GlobalColorMap().Count(), 0);
}

TEST(GifFormat, WarningsLetReadingGoOn) {
  RecordingImage image;
  Bytes zeroSize = GifHeader(3, 2, 0);
  AppendFrame(zeroSize, 0, 5);
  zeroSize.push_back(0x3B);
  image.Load(zeroSize);
  ASSERT_EQ(image.FrameCount(), 1);
  EXPECT_EQ(image.Frame(0)->Width(), 3);
  EXPECT_EQ(image.Frame(0)->Height(), 2);
  EXPECT_EQ(image.Frame(0)->DataSize(), 6u);
  EXPECT_EQ(image.warnings, std::vector<std::string>{"Image exceeds Logical Screen size"});

  image.warnings.clear();
  Bytes strayByte = GifHeader(1, 1, 0);
  AppendFrame(strayByte, 1, 1);
  strayByte.push_back(0x99);
  AppendFrame(strayByte, 1, 1);
  image.Load(strayByte);
  EXPECT_EQ(image.FrameCount(), 1);
  // The trailer check reads the terminator in front of the stray byte.
  EXPECT_EQ(image.warnings, (std::vector<std::string>{"Unknown GIF block type", "Invalid Image trailer"}));

  image.warnings.clear();
  Bytes noTrailer = GifHeader(1, 1, 0);
  AppendFrame(noTrailer, 1, 1);
  image.Load(noTrailer);
  EXPECT_EQ(image.FrameCount(), 1);
  EXPECT_TRUE(image.warnings.empty());

  Bytes badIntroducer = GifHeader(1, 1, 0);
  Append(badIntroducer, {0x21, 0xFE, 1, 'x', 0});
  AppendFrame(badIntroducer, 1, 1);
  badIntroducer[badIntroducer.size() - 15] = 0x77;  // the descriptor's separator; it is not checked
  image.warnings.clear();
  image.Load(badIntroducer);
  EXPECT_EQ(image.warnings, std::vector<std::string>{"Invalid extension introducer"});
  EXPECT_EQ(image.Frame(0)->Data()[0], 1);
}

TEST(GifFormat, ExtensionErrors) {
  Bytes unknown = GifHeader(1, 1, 0);
  Append(unknown, {0x21, 0xF0, 0});
  EXPECT_EQ(LoadError(unknown), "Unknown extension type");

  Bytes smallApplication = GifHeader(1, 1, 0);
  Append(smallApplication, {0x21, 0xFF, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0});
  EXPECT_EQ(LoadError(smallApplication), "Unsupported Application Extension block size");

  Bytes badLoop = GifHeader(1, 1, 0);
  Append(badLoop, {0x21, 0xFF, 11});
  test::AppendText(badLoop, "NETSCAPE2.0");
  Append(badLoop, {3, 2, 0, 0, 0});
  EXPECT_EQ(LoadError(badLoop), "Invalid GIF data");
}

TEST(GifFormat, SavingAnImageWithoutFramesWritesNothing) {
  RecordingImage image;
  test::ByteStream stream;
  try {
    image.SaveToStream(stream);
    FAIL() << "no exception";
  } catch (const GIFException& error) {
    EXPECT_STREQ(error.what(), "Unsupported GIF version");
  }
  EXPECT_EQ(stream.Size(), 0);
}

TEST(GifFormat, ColourTablesArePaddedToAPowerOfTwo) {
  RecordingImage image;
  Bytes bytes = GifHeader(2, 1, 1);
  AppendFrame(bytes, 2, 1);
  image.Load(bytes);
  image.GlobalColorMap().Clear();
  for (int i = 0; i < 3; ++i) image.GlobalColorMap().Add(0x010101 * (i + 1));
  const Bytes saved = image.Save();
  EXPECT_EQ(saved[10] & 0x87, 0x81);  // table present, 4 entries
  EXPECT_EQ(Bytes(saved.begin() + 13, saved.begin() + 25), (Bytes{1, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0, 0}));

  image.GlobalColorMap().Clear();
  image.GlobalColorMap().Add(0x0000FF);
  const Bytes one = image.Save();
  EXPECT_EQ(one[10] & 0x87, 0x80);
  EXPECT_EQ(Bytes(one.begin() + 13, one.begin() + 19), (Bytes{255, 0, 0, 0, 0, 0}));
}

TEST(GifFormat, HeaderTableSizeComesFromTheGlobalMapAlone) {
  RecordingImage image;
  Bytes bytes = GifHeader(2, 1, 1);  // 4 global colours
  AppendFrame(bytes, 2, 1);
  image.Load(bytes);
  for (int i = 0; i < 256; ++i) image.Frame(0)->ColorMap().Add(i * 0x010101);
  const Bytes saved = image.Save();
  EXPECT_EQ(saved[10], 0x80 | 0x70 | 0x01);  // resolution 8 bits from the frame, table size bits 1
  EXPECT_EQ(saved[13 + 12 + 9], 0x87);       // the frame's own 256-entry table
}

TEST(GifFormat, VersionFollowsTheFrames) {
  RecordingImage image;
  Bytes bytes = GifHeader(1, 1, 0);
  AppendFrame(bytes, 1, 1);
  image.Load(bytes);
  Bytes saved = image.Save();
  EXPECT_EQ(std::string(saved.begin(), saved.begin() + 6), "GIF87a");

  Bytes withComment = GifHeader(1, 1, 0);
  Append(withComment, {0x21, 0xFE, 2, 'h', 'i', 0});
  AppendFrame(withComment, 1, 1);
  image.Load(withComment);
  saved = image.Save();
  EXPECT_EQ(std::string(saved.begin(), saved.begin() + 6), "GIF89a");
}

TEST(GifFormat, InterlaceFlagSurvivesOnlyWithoutALocalMap) {
  RecordingImage image;
  Bytes bytes = GifHeader(1, 3, 0);
  AppendFrame(bytes, 1, 3, 0x40);
  image.Load(bytes);
  ASSERT_TRUE(image.Frame(0)->IsInterlaced());
  Bytes saved = image.Save();
  EXPECT_EQ(saved[13 + 6 + 9], 0x40);

  image.Frame(0)->ColorMap().Add(0);
  image.Frame(0)->ColorMap().Add(0xFFFFFF);
  const std::vector<std::uint8_t> pixels(image.Frame(0)->Data(), image.Frame(0)->Data() + 3);
  saved = image.Save();
  EXPECT_EQ(saved[13 + 6 + 9], 0x80);
  RecordingImage reloaded;
  reloaded.Load(saved);
  EXPECT_FALSE(reloaded.Frame(0)->IsInterlaced());
  EXPECT_EQ(std::vector<std::uint8_t>(reloaded.Frame(0)->Data(), reloaded.Frame(0)->Data() + 3), pixels);
}

TEST(GifFormat, FramesThatDoNotFitTheirBufferAreRefusedOnSave) {
  RecordingImage image;
  Bytes bytes = GifHeader(2, 2, 0);
  AppendFrame(bytes, 2, 2);
  image.Load(bytes);
  image.Frame(0)->SetDescriptorValue(dvWidth, 3);
  test::ByteStream stream;
  EXPECT_THROW(image.SaveToStream(stream), GIFException);
}

TEST(GifFormat, HugeFramesAreRefusedBeforeAllocating) {
  Bytes bytes = GifHeader(1, 1, 0);
  AppendFrame(bytes, 65535, 65535);
  EXPECT_EQ(LoadError(bytes), "Invalid GIF data");
}

TEST(GifFormat, SubBlockStringsSplitAt255) {
  RecordingImage image;
  Bytes bytes = GifHeader(1, 1, 0);
  Append(bytes, {0x21, 0xFE, 0});
  AppendFrame(bytes, 1, 1);
  image.Load(bytes);
  auto* comment = static_cast<TGIFCommentExtension*>(image.Frame(0)->Extensions().Extensions(0));
  EXPECT_TRUE(comment->Text().empty());
  Bytes saved = image.Save();
  EXPECT_EQ(Bytes(saved.begin() + 19, saved.begin() + 22), (Bytes{0x21, 0xFE, 0}));

  comment->Text() = {std::string(300, 'a')};
  saved = image.Save();
  EXPECT_EQ(saved[21], 255);
  EXPECT_EQ(saved[21 + 256], 45);
  EXPECT_EQ(saved[21 + 256 + 46], 0);
}

TEST(GifFormat, ReadingStringsDropsTheRestOfASubBlockAfterAZero) {
  RecordingImage image;
  Bytes bytes = GifHeader(1, 1, 0);
  Append(bytes, {0x21, 0xFE, 4, 'a', 'b', 0, 'c', 2, 'd', 'e', 0});
  AppendFrame(bytes, 1, 1);
  image.Load(bytes);
  auto* comment = static_cast<TGIFCommentExtension*>(image.Frame(0)->Extensions().Extensions(0));
  EXPECT_EQ(comment->Text(), (std::vector<std::string>{"ab", "de"}));
}

TEST(GifFormat, ZeroBytesBetweenBlocksAreSkipped) {
  RecordingImage image;
  Bytes bytes = GifHeader(1, 1, 0);
  AppendFrame(bytes, 1, 1);
  Append(bytes, {0, 0, 0});
  AppendFrame(bytes, 1, 1);
  bytes.push_back(0x3B);
  image.Load(bytes);
  EXPECT_EQ(image.FrameCount(), 2);
  EXPECT_TRUE(image.warnings.empty());
}

TEST(GifFormat, ProgressEndsAt100OnSuccessAnd0OnFailure) {
  RecordingImage image;
  Bytes bytes = GifHeader(1, 1, 0);
  AppendFrame(bytes, 1, 1);
  image.Load(bytes);
  EXPECT_EQ(image.progress, (std::vector<std::string>{"0 0 Loading...", "1 100 Loading...", "2 100 Loading..."}));
  image.progress.clear();
  image.Save();
  EXPECT_EQ(image.progress, (std::vector<std::string>{"0 0 Saving...", "1 100 Saving...", "2 100 Saving..."}));
  image.progress.clear();
  EXPECT_THROW(image.Load(Bytes(bytes.begin(), bytes.begin() + 8)), GIFException);
  EXPECT_EQ(image.progress, (std::vector<std::string>{"0 0 Loading...", "2 0 Loading..."}));
}

TEST(GifFormat, HeaderAssignCopiesScreenAndGlobalMap) {
  RecordingImage source, target;
  Bytes bytes = GifHeader(300, 200, 2);
  bytes[11] = 3;   // background index
  bytes[12] = 49;  // aspect ratio
  source.Load(bytes);
  target.Header().Assign(&source.Header());
  EXPECT_EQ(target.ScreenWidth(), 300);
  EXPECT_EQ(target.ScreenHeight(), 200);
  EXPECT_EQ(target.Header().BackgroundColorIndex(), 3);
  EXPECT_EQ(target.Header().AspectRatio(), 49);
  EXPECT_EQ(target.GlobalColorMap().Count(), 8);
  EXPECT_EQ(target.Header().BackgroundColor(), source.GlobalColorMap().GetColor(3));
  EXPECT_THROW(target.Header().Assign(&source.GlobalColorMap()), cl::EConvertError);
}

TEST(GifFormat, AFrameLoadsFromItsOwnFile) {
  const char* folder = std::getenv("PROJECT_TEST_DIR");
  ASSERT_NE(folder, nullptr);
  const std::string path = std::string(folder) + "/frame.bin";
  Bytes bytes;
  Append(bytes, {0x21, 0xFE, 1, 'c', 0});
  AppendFrame(bytes, 2, 1);
  test::ByteStream(bytes).SaveToFile(path);
  RecordingImage image;
  TGIFSubImageCore* frame = image.CreateFrame();
  frame->LoadFromFile(path);
  EXPECT_EQ(frame->Width(), 2);
  EXPECT_EQ(frame->Extensions().Count(), 1);
  EXPECT_EQ(frame->Data()[0], 1);
  EXPECT_THROW(frame->LoadFromFile(path + ".missing"), cl::EFOpenError);
  cl::Free(frame);
}

}  // namespace
}  // namespace img
