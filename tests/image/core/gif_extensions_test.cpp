// Extension blocks: each kind is read into its class and written back byte for byte.
#include <gtest/gtest.h>

#include "image/core/gif_error.h"
#include "tests/image/core/gif_test_support.h"

namespace img {
namespace {

using test::Append;
using test::AppendFrame;
using test::AppendText;
using test::Bytes;
using test::GifHeader;
using test::RecordingImage;

// A one-frame GIF with the given extension bytes in front of the frame.
Bytes WithExtensions(const Bytes& extensions) {
  Bytes bytes = GifHeader(1, 1, 0, "GIF89a");
  bytes.insert(bytes.end(), extensions.begin(), extensions.end());
  AppendFrame(bytes, 1, 1);
  bytes.push_back(0x3B);
  return bytes;
}

TEST(GifExtensions, EveryKindIsWrittenBackIdentically) {
  Bytes extensions;
  Append(extensions, {0x21, 0xF9, 4, 0x09, 0x34, 0x12, 1, 0});  // disposal 2, transparent, delay 0x1234
  Append(extensions, {0x21, 0xFE, 5});
  AppendText(extensions, "hello");
  Append(extensions, {3});
  AppendText(extensions, "you");
  Append(extensions, {0});
  Append(extensions, {0x21, 0x01, 12, 1, 0, 2, 0, 30, 0, 40, 0, 8, 16, 1, 0, 4});
  AppendText(extensions, "text");
  Append(extensions, {0});
  Append(extensions, {0x21, 0xFF, 11});
  AppendText(extensions, "NETSCAPE2.0");
  Append(extensions, {3, 1, 0, 0, 0});
  Append(extensions, {0x21, 0xFF, 11});
  AppendText(extensions, "XMP DataXMP");
  Append(extensions, {2, 7, 8, 1, 9, 0});
  Append(extensions, {0x21, 0xFF, 11});
  AppendText(extensions, "ANIMEXTS1.0");
  Append(extensions, {3, 1, 5, 0, 0});
  const Bytes original = WithExtensions(extensions);

  RecordingImage image;
  image.Load(original);
  ASSERT_EQ(image.FrameCount(), 1);
  TGIFExtensionList& list = image.Frame(0)->Extensions();
  ASSERT_EQ(list.Count(), 6);
  EXPECT_TRUE(list.Extensions(0)->InheritsFrom(TGIFGraphicControlExtension::StaticClass()));
  EXPECT_TRUE(list.Extensions(1)->InheritsFrom(TGIFCommentExtension::StaticClass()));
  EXPECT_TRUE(list.Extensions(2)->InheritsFrom(TGIFTextExtension::StaticClass()));
  EXPECT_EQ(list.Extensions(3)->ClassType(), TGIFAppExtNSLoop::StaticClass());
  EXPECT_EQ(list.Extensions(4)->ClassType(), TGIFUnknownAppExtension::StaticClass());
  EXPECT_EQ(list.Extensions(5)->ClassType(), TGIFAppExtNSLoop::StaticClass());
  EXPECT_EQ(static_cast<TGIFAppExtNSLoop*>(list.Extensions(3))->Loops(), 0);
  EXPECT_EQ(static_cast<TGIFAppExtNSLoop*>(list.Extensions(5))->Loops(), 5);
  EXPECT_EQ(static_cast<TGIFCommentExtension*>(list.Extensions(1))->Text(), (std::vector<std::string>{"hello", "you"}));

  auto* control = image.Frame(0)->GraphicControlExtension();
  ASSERT_EQ(control, list.Extensions(0));
  EXPECT_TRUE(control->Transparent());
  EXPECT_EQ(control->Disposal(), 2);
  EXPECT_EQ(control->Delay(), 0x1234);
  EXPECT_EQ(control->TransparentColorIndex(), 1);
  EXPECT_TRUE(image.Frame(0)->Transparent());

  EXPECT_EQ(image.Save(), original);
}

TEST(GifExtensions, ApplicationBlockOfSizeTenReadsAllItsSubBlocks) {
  Bytes extensions;
  Append(extensions, {0x21, 0xFF, 10});
  AppendText(extensions, "ABCDEFGHIJ");
  Append(extensions, {2, 1, 2, 3, 4, 5, 6, 0});
  RecordingImage image;
  image.Load(WithExtensions(extensions));
  ASSERT_EQ(image.FrameCount(), 1);
  auto* unknown = static_cast<TGIFUnknownAppExtension*>(image.Frame(0)->Extensions().Extensions(0));
  ASSERT_EQ(unknown->ClassType(), TGIFUnknownAppExtension::StaticClass());
  // The identifier took the first sub-block's size byte as its eleventh byte; that sub-block still reads.
  EXPECT_EQ(unknown->ApplicationId()[10], 2);
  EXPECT_EQ(unknown->Blocks(), (std::vector<std::vector<std::uint8_t>>{{1, 2}, {4, 5, 6}}));
  EXPECT_EQ(image.Frame(0)->DataSize(), 1u);
}

TEST(GifExtensions, LongApplicationHeadersAreSkippedPastTheIdentifier) {
  Bytes extensions;
  Append(extensions, {0x21, 0xFF, 13});
  AppendText(extensions, "NETSCAPE2.0");
  Append(extensions, {0xEE, 0xEE, 3, 1, 7, 0, 0});
  RecordingImage image;
  image.Load(WithExtensions(extensions));
  auto* loop = image.Frame(0)->Extensions().Extensions(0);
  ASSERT_EQ(loop->ClassType(), TGIFAppExtNSLoop::StaticClass());
  EXPECT_EQ(static_cast<TGIFAppExtNSLoop*>(loop)->Loops(), 7);
}

TEST(GifExtensions, FreeingTheGraphicControlMakesTheFrameOpaque) {
  RecordingImage image;
  image.Load(WithExtensions({0x21, 0xF9, 4, 0x01, 0, 0, 3, 0}));
  TGIFSubImageCore* frame = image.Frame(0);
  ASSERT_TRUE(frame->Transparent());
  frame->Extensions().Delete(0);
  EXPECT_FALSE(frame->Transparent());
  EXPECT_EQ(frame->GraphicControlExtension(), nullptr);
}

TEST(GifExtensions, TransparentIndexBeyondTheMapWarnsAndBecomesZero) {
  RecordingImage image;
  image.Load(WithExtensions({0x21, 0xF9, 4, 0x01, 0, 0, 1, 0}));
  TGIFGraphicControlExtension* control = image.Frame(0)->GraphicControlExtension();
  control->SetTransparentColorIndex(1);
  EXPECT_EQ(control->TransparentColorIndex(), 1);
  control->SetTransparentColorIndex(2);  // the global map has 2 entries
  EXPECT_EQ(control->TransparentColorIndex(), 0);
  EXPECT_EQ(image.warnings, std::vector<std::string>{"Invalid color index"});
}

TEST(GifExtensions, ALaterRegistrationOverridesAnEarlierOne) {
  RecordingImage image;
  Bytes extensions;
  Append(extensions, {0x21, 0xFF, 11});
  AppendText(extensions, "MYAPPLIC1.0");
  Append(extensions, {3, 1, 9, 0, 0});
  TGIFApplicationExtension::Identifier identifier;
  std::copy(extensions.begin() + 3, extensions.begin() + 14, identifier.begin());
  EXPECT_EQ(FindApplicationExtension(identifier), nullptr);
  image.Load(WithExtensions(extensions));
  EXPECT_EQ(image.Frame(0)->Extensions().Extensions(0)->ClassType(), TGIFUnknownAppExtension::StaticClass());
  RegisterApplicationExtension(identifier, &TGIFAppExtNSLoop::Class);
  image.Load(WithExtensions(extensions));
  EXPECT_EQ(image.Frame(0)->Extensions().Extensions(0)->ClassType(), TGIFAppExtNSLoop::StaticClass());
}

}  // namespace
}  // namespace img
