// TLoadImage saving: round trips through every writer, pages added with OverWrite off, the cropped area, and
// failed saves that leave the file that was there as it was.
#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/picture.h"
#include "formatlib/core/errors.h"
#include "load_image_test_support.h"

namespace img {
namespace {

using namespace testing;

constexpr cl::TRect kZero{};

// A control showing a 40 x 30 pattern read from a PNG file.
Owned<TLoadImage> LoadedControl(int width = 40, int height = 30) {
  const std::string source = ScratchPath("source.png");
  WritePatternPng(source, width, height);
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  control->ChangeFile(source);
  EXPECT_FALSE(control->ImageError()) << control->StatusText();
  return control;
}

Pixels Reloaded(const std::string& path, int page = 1) {
  Owned<TLoadImage> reader = Make<TLoadImage>(nullptr);
  reader->SetImageNumber(page);
  reader->ChangeFile(path);
  EXPECT_FALSE(reader->ImageError()) << path << ": " << reader->StatusText();
  return PixelsOf(reader->Picture()->Bitmap());
}

class SaveEveryFormatTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SaveEveryFormatTest, ReloadsPixelExact) {
  Owned<TLoadImage> control = LoadedControl();
  const std::string path = ScratchPath(GetParam());
  control->SetSaveName(path);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  EXPECT_EQ(control->SaveFileName(), path);
  const Pixels pixels = Reloaded(path);
  EXPECT_EQ(pixels.Width, 40);
  EXPECT_EQ(pixels.Height, 30);
  EXPECT_TRUE(ShowsPattern(pixels));
}

INSTANTIATE_TEST_SUITE_P(Lossless, SaveEveryFormatTest,
                         ::testing::Values("saved.bmp", "saved.tif", "saved.pcx", "saved.dcx", "saved.tga",
                                           "saved.png"));

TEST(LoadImageSaveTest, GifRoundTripKeepsAPictureOfFewColoursExactly) {
  // GIF holds at most 256 colours: a picture of four survives unchanged.
  Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf24bit);
  bitmap->SetSize(24, 16);
  const uint32_t colors[4] = {0x000000, 0xFF0000, 0x00C000, 0x2040FF};
  for (int y = 0; y < 16; ++y) {
    auto* row = static_cast<uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < 24; ++x) {
      const uint32_t color = colors[(x / 6 + y / 4) % 4];
      row[3 * x] = color & 0xFF;
      row[3 * x + 1] = (color >> 8) & 0xFF;
      row[3 * x + 2] = (color >> 16) & 0xFF;
    }
  }
  const std::string source = ScratchPath("four.bmp");
  bitmap->SaveToFile(source);
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  control->ChangeFile(source);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();

  const std::string path = ScratchPath("four.gif");
  control->SetSaveName(path);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  const Pixels saved = PixelsOf(bitmap.get());
  const Pixels reloaded = Reloaded(path);
  EXPECT_EQ(reloaded.Width, 24);
  EXPECT_EQ(reloaded.Height, 16);
  EXPECT_EQ(reloaded.Colors, saved.Colors);
}

TEST(LoadImageSaveTest, JpegKeepsTheWorkingPictureAbove30Decibels) {
  Owned<TLoadImage> control = LoadedControl();
  control->SetSaveArea(true);  // JPEG takes the working picture all the same
  control->ResetFile(control->get_filename(), kZero, false, false);
  const std::string path = ScratchPath("saved.jpg");
  control->SetSaveName(path);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  const Pixels pixels = Reloaded(path);
  ASSERT_EQ(pixels.Width, 40);
  EXPECT_GT(PatternPsnr(pixels), 30.0);
}

TEST(LoadImageSaveTest, SavedCroppedAreaIsTheShownPicture) {
  Owned<TLoadImage> control = LoadedControl(100, 50);
  control->ResetFile(control->get_filename(), kZero, false, true);
  control->ReDraw(cl::Rect(10, 10, 49, 29), true, true);
  control->SetSaveArea(true);
  const std::string path = ScratchPath("cropped.bmp");
  control->SetSaveName(path);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  const Pixels pixels = Reloaded(path);
  EXPECT_EQ(pixels.Width, 40);
  EXPECT_EQ(pixels.Height, 20);
  EXPECT_TRUE(ShowsPattern(pixels, 0, 10, 10));
}

// A control showing a 33 x 17 monochrome picture, black in its left third.
Owned<TLoadImage> MonochromeControl() {
  const std::string source = ScratchPath("mono.bmp");
  Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf1bit);
  bitmap->SetSize(33, 17);
  bitmap->Canvas()->Brush()->SetColor(0);
  bitmap->Canvas()->FillRect(cl::Rect(0, 0, 11, 17));
  bitmap->SaveToFile(source);
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  control->ChangeFile(source);
  EXPECT_FALSE(control->ImageError()) << control->StatusText();
  return control;
}

TEST(LoadImageSaveTest, MonochromePictureRoundTripsThroughTiff) {
  Owned<TLoadImage> control = MonochromeControl();
  const std::string path = ScratchPath("mono.tif");
  control->SetSaveName(path);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  const Pixels pixels = Reloaded(path);
  ASSERT_EQ(pixels.Width, 33);
  EXPECT_EQ(pixels.At(5, 5), 0x000000u);
  EXPECT_EQ(pixels.At(20, 5), 0xFFFFFFu);
}

// A short value of the first page of a little-endian TIFF file (0 when the page lacks the tag).
uint16_t FirstPageValue(const std::string& path, uint16_t tag) {
  const std::vector<uint8_t> bytes = ReadBytes(path);
  auto u16 = [&](size_t at) { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); };
  const size_t directory = u16(4) | size_t{u16(6)} << 16;
  for (size_t entry = directory + 2; entry < directory + 2 + 12 * size_t{u16(directory)}; entry += 12) {
    if (u16(entry) == tag) return u16(entry + 8);
  }
  return 0;
}

TEST(LoadImageSaveTest, TiffPagesTakeTheCompressionCodeAndMonochromeOnesStayOneBit) {
  constexpr uint16_t kCompressionTag = 259, kSamplesTag = 277, kBitsTag = 258;
  struct Case {
    bool monochrome;
    uint16_t code, stored;
  };
  // 208 stands for Group 4 fax coding on monochrome pages and for LZW on others.
  for (const Case& c : {Case{true, 208, 4}, Case{true, 32773, 32773}, Case{false, 208, 5}, Case{false, 1, 1}}) {
    SCOPED_TRACE(::testing::Message() << (c.monochrome ? "monochrome" : "colour") << ", code " << c.code);
    Owned<TLoadImage> control = c.monochrome ? MonochromeControl() : LoadedControl();
    control->SetCompression(c.code);
    control->SetCompression(0);  // ignored
    const std::string path = ScratchPath("coded.tif");
    control->SetSaveName(path);
    ASSERT_FALSE(control->ImageError()) << control->StatusText();
    EXPECT_EQ(FirstPageValue(path, kCompressionTag), c.stored);
    EXPECT_EQ(FirstPageValue(path, kSamplesTag), c.monochrome ? 1 : 3);
    if (c.monochrome) {
      EXPECT_EQ(FirstPageValue(path, kBitsTag), 1);
    }
  }
}

TEST(LoadImageSaveTest, PagesAreAddedOnlyWithOverWriteOff) {
  Owned<TLoadImage> control = LoadedControl();
  for (const char* name : {"paged.tif", "paged.dcx"}) {
    const std::string path = ScratchPath(name);
    DeleteFileA(path.c_str());
    control->SetOverWrite(false);
    control->SetSaveName(path);  // a new file
    control->SetSaveName(path);  // a second page
    control->SetCountImagesinFile(cl::UpperCase(path));
    EXPECT_EQ(control->ImageCount(), 2) << name;
    control->SetOverWrite(true);  // a new file of one page in place of the old one
    control->SetSaveName(path);
    control->SetCountImagesinFile(cl::UpperCase(path));
    EXPECT_EQ(control->ImageCount(), 1) << name;
    EXPECT_FALSE(control->ImageError()) << control->StatusText();
  }
}

const std::vector<uint8_t> kKeptBytes = {'k', 'e', 'e', 'p', ' ', 'm', 'e'};

// A file with known bytes that a failed save must leave alone.
std::string ExistingFile(const std::string& name) {
  const std::string path = ScratchPath(name);
  WriteBytes(path, kKeptBytes);
  return path;
}

TEST(LoadImageSaveTest, UnsupportedTypeDeletesNothingAndIsAnError) {
  Owned<TLoadImage> control = LoadedControl();
  for (const char* name : {"kept.jpeg", "kept.wmf", "kept.xyz"}) {
    const std::string path = ExistingFile(name);
    control->ChangeFile(control->get_filename());
    control->SetSaveName(path);
    EXPECT_TRUE(control->ImageError()) << name;
    EXPECT_EQ(control->StatusText(), "unsupported file type");
    EXPECT_EQ(ReadBytes(path), kKeptBytes) << name;
  }
}

TEST(LoadImageSaveTest, EmptyPictureWritesNothingAndIsAnError) {
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  const std::string path = ExistingFile("kept-empty.bmp");
  control->SetSaveName(path);
  EXPECT_TRUE(control->ImageError());
  EXPECT_EQ(control->StatusText(), "no picture to save");
  EXPECT_EQ(ReadBytes(path), kKeptBytes);
}

TEST(LoadImageSaveTest, FailingWriterKeepsTheOldFile) {
  Owned<TLoadImage> control = LoadedControl();
  // Not a TIFF file: the TIFF writer will not add a page to it.
  const std::string path = ExistingFile("kept.tif");
  control->SetOverWrite(false);
  control->SetSaveName(path);
  EXPECT_TRUE(control->ImageError());
  EXPECT_EQ(control->StatusText(), fl::ErrorText(fl::kNotTiffFile));
  EXPECT_EQ(ReadBytes(path), kKeptBytes);

  // A read-only file is not replaced.
  const std::string readOnly = ExistingFile("kept-readonly.png");
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  control->ChangeFile(control->get_filename());
  control->SetOverWrite(true);
  control->SetSaveName(readOnly);
  EXPECT_TRUE(control->ImageError());
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(readOnly), kKeptBytes);
}

// A folder nobody may write in, made with the host's immutable flag (Wine runs the host's chattr). The flag is
// taken off again when the object goes, also after a failed assertion, so the build tree stays removable.
class ReadOnlyFolder {
 public:
  ReadOnlyFolder()
      : FPath(ScratchPath("locked")), FUnixPath(std::string(std::getenv("PROJECT_TEST_DIR")).substr(2) + "/locked") {
    SetImmutable(false);
    CreateDirectoryA(FPath.c_str(), nullptr);
    WriteBytes(FPath + "\\kept.bmp", kKeptBytes);
    SetImmutable(true);
  }
  ~ReadOnlyFolder() { SetImmutable(false); }
  const std::string& Path() const { return FPath; }
  // False when the host does not allow the flag.
  bool Locked() const {
    const std::string probe = FPath + "\\probe.bin";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return true;
    CloseHandle(file);
    DeleteFileA(probe.c_str());
    return false;
  }

 private:
  void SetImmutable(bool on) const {
    std::system(("cmd /c start /wait /unix /usr/bin/chattr " + std::string(on ? "+i " : "-i ") + FUnixPath).c_str());
  }
  std::string FPath;
  std::string FUnixPath;
};

TEST(LoadImageSaveTest, ReadOnlyFolderKeepsTheOldFile) {
  ReadOnlyFolder folder;
  if (!folder.Locked()) GTEST_SKIP() << "this host cannot make a read-only folder";
  Owned<TLoadImage> control = LoadedControl();
  for (const char* name : {"\\kept.bmp", "\\new.png", "\\new.tif"}) {
    const std::string path = folder.Path() + name;
    const std::vector<uint8_t> before = ReadBytes(path);
    try {
      control->SetSaveName(path);
    } catch (const cl::Exception&) {
      // The class library's writers raise; the error is set all the same.
    }
    EXPECT_TRUE(control->ImageError()) << name;
    EXPECT_EQ(ReadBytes(path), before) << name;
  }
}

}  // namespace
}  // namespace img
