// The file side of image windows, driven through an image control that keeps its picture as bytes and writes
// them as the real control does: deleting an existing file first when it overwrites, appending to a TIFF file
// otherwise, and failing after the delete when told to.
#include "viewer/image_document.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/core/streams.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/dib.h"
#include "classlib/win/registry.h"
#include "image/core/gif_image_core.h"
#include "taken_working_copies.h"
#include "viewer/core/image_files.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

std::string ReadAll(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteAll(const std::string& name, const std::string& bytes, bool append = false) {
  std::ofstream(name, std::ios::binary | (append ? std::ios::app : std::ios::trunc)) << bytes;
}

class BytesImage : public ImageControl {
 public:
  void ChangeFile(const std::string& name) override {
    Picture = ReadAll(name);
    Error = Picture.starts_with("BAD");
  }
  void SetSaveName(const std::string& name) override {
    if (Overwrite && cl::FileExists(name)) cl::RemoveFile(name);
    if (FailWrites) {
      Error = true;
      return;
    }
    WriteAll(name, Picture, !Overwrite && ExtensionKey(name) == ".TIF");
  }
  bool ImageError() const override { return Error; }
  void SetImageError(bool error) override { Error = error; }
  bool OverWrite() const override { return Overwrite; }
  std::string StatusText() const override { return ""; }

  std::string Picture;
  bool Error = false;
  bool Overwrite = true;
  bool FailWrites = false;
};

class ImageDocumentTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return FDir + "\\" + name; }
  std::string MakeFile(const std::string& name, const std::string& bytes) {
    WriteAll(Path(name), bytes);
    return Path(name);
  }
  std::string FDir = std::getenv("PROJECT_TEST_DIR");
  BytesImage FImage;
};

TEST_F(ImageDocumentTest, OpeningWritesTheWorkingCopyAndClosingDeletesIt) {
  const std::string file = MakeFile("a.bmp", "pixels");
  std::string workFile;
  {
    ImageDocument document;
    workFile = document.WorkFile();
    EXPECT_TRUE(workFile.ends_with(".bmp")) << workFile;
    EXPECT_NE(workFile.find("orvanetmp"), std::string::npos);
    EXPECT_EQ(document.Open(FImage, file), OpenResult::Opened);
    EXPECT_EQ(document.FileName(), file);
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(ReadAll(workFile), "pixels");
  }
  EXPECT_FALSE(cl::FileExists(workFile));
}

TEST_F(ImageDocumentTest, WindowsNeverShareAWorkingCopyEvenBeforeItIsWritten) {
  ImageDocument first;
  ImageDocument second;
  EXPECT_NE(first.WorkFile(), second.WorkFile());
  EXPECT_FALSE(cl::FileExists(first.WorkFile()));
}

TEST_F(ImageDocumentTest, AWorkingCopyPlacedInAnotherFolderGivesItsFirstNameBack) {
  ImageDocument document;
  const std::string first = document.WorkFile();
  document.PlaceWorkingCopyIn(FDir + "\\");
  EXPECT_TRUE(document.WorkFile().starts_with(FDir + "\\")) << document.WorkFile();
  ImageDocument next;
  EXPECT_EQ(next.WorkFile(), first);
}

TEST_F(ImageDocumentTest, MissingAndUnreadableFilesLeaveTheWorkingCopyUnwritten) {
  ImageDocument document;
  EXPECT_EQ(document.Open(FImage, Path("missing.bmp")), OpenResult::Missing);
  EXPECT_EQ(document.Open(FImage, MakeFile("bad.bmp", "BAD")), OpenResult::LoadFailed);
  EXPECT_FALSE(cl::FileExists(document.WorkFile()));
}

// A GIF of two 2 x 1 frames: red and green, then blue and blue.
void WriteTwoFrameGif(const std::string& name) {
  img::TGIFImageCore gif;
  gif.Header().SetWidth(2);
  gif.Header().SetHeight(1);
  for (cl::TColor color : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}) gif.GlobalColorMap().Add(color);
  for (int f = 0; f < 2; ++f) {
    img::TGIFSubImageCore* frame = gif.CreateFrame();
    gif.Images().Add(frame);
    frame->SetDescriptorValue(img::dvWidth, 2);
    frame->SetDescriptorValue(img::dvHeight, 1);
    frame->AllocatePixels();
    frame->Data()[0] = f == 0 ? 0 : 2;
    frame->Data()[1] = f == 0 ? 1 : 2;
  }
  cl::TFileStream file(name, cl::fmCreate);
  gif.SaveToStream(file);
}

TEST_F(ImageDocumentTest, GifNamesOpenTheirFirstFrameAsABitmapWorkingCopy) {
  ImageDocument document;
  const std::string file = Path("anim.gif.bmp");  // ".GIF" anywhere in the name takes the GIF path
  WriteTwoFrameGif(file);
  EXPECT_EQ(document.Open(FImage, file), OpenResult::Opened);
  EXPECT_EQ(document.FileName(), file);
  EXPECT_EQ(FImage.Picture, ReadAll(document.WorkFile()));  // the control shows the working copy
  cl::Owned<cl::TBitmap> copy = cl::MakeOwned<cl::TBitmap>();
  copy->LoadFromFile(document.WorkFile());
  const cl::dib::TDibImage pixels = cl::dib::Read32(copy->Handle(), copy->Palette());
  ASSERT_EQ(pixels.Width, 2);
  // Blue, green, red of each pixel: frame 0's red and green.
  EXPECT_EQ(std::vector<int>(pixels.Bits.begin(), pixels.Bits.begin() + 3), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(std::vector<int>(pixels.Bits.begin() + 4, pixels.Bits.begin() + 7), (std::vector<int>{0, 255, 0}));

  // A GIF that cannot be read raises its error and writes nothing.
  ImageDocument other;
  EXPECT_THROW(other.Open(FImage, MakeFile("cut.gif", "GIF89a")), cl::Exception);
  EXPECT_FALSE(cl::FileExists(other.WorkFile()));
}

TEST_F(ImageDocumentTest, SaveAsWritesTheFileAndTheDocumentStandsForIt) {
  ImageDocument document;
  document.Open(FImage, MakeFile("src.bmp", "pixels"));
  document.SetModified(true);
  const std::string target = MakeFile("old.png", "old");
  EXPECT_EQ(document.SaveAs(FImage, target), SaveResult::Saved);
  EXPECT_EQ(ReadAll(target), "pixels");
  EXPECT_EQ(document.FileName(), target);
  EXPECT_FALSE(document.Modified());
  EXPECT_FALSE(cl::FileExists(Path("~orvane-save-old.png")));
}

TEST_F(ImageDocumentTest, AFailedSaveKeepsTheUserFileAndTheDocumentState) {
  ImageDocument document;
  const std::string source = MakeFile("keep.bmp", "pixels");
  document.Open(FImage, source);
  document.SetModified(true);
  const std::string target = MakeFile("target.jpg", "original bytes");
  FImage.FailWrites = true;
  EXPECT_EQ(document.SaveAs(FImage, target), SaveResult::Failed);
  EXPECT_EQ(ReadAll(target), "original bytes");
  EXPECT_EQ(document.FileName(), source);
  EXPECT_TRUE(document.Modified());
  EXPECT_FALSE(cl::FileExists(Path("~orvane-save-target.jpg")));
}

TEST_F(ImageDocumentTest, AnExtensionTheControlCannotWriteTouchesNothing) {
  ImageDocument document;
  document.Open(FImage, MakeFile("p.bmp", "pixels"));
  const std::string target = MakeFile("photo.jpeg", "jpeg bytes");
  EXPECT_EQ(document.SaveAs(FImage, target), SaveResult::Unwritable);
  EXPECT_EQ(ReadAll(target), "jpeg bytes");
}

TEST_F(ImageDocumentTest, AppendingToATiffWorksOnACopyOfIt) {
  ImageDocument document;
  document.Open(FImage, MakeFile("page.bmp", "page2"));
  FImage.Overwrite = false;
  const std::string target = MakeFile("pages.tif", "page1");
  EXPECT_EQ(document.SaveAs(FImage, target), SaveResult::Saved);
  EXPECT_EQ(ReadAll(target), "page1page2");
  FImage.FailWrites = true;
  EXPECT_EQ(document.SaveAs(FImage, target), SaveResult::Failed);
  EXPECT_EQ(ReadAll(target), "page1page2");
}

TEST_F(ImageDocumentTest, WithoutAWorkingCopyNothingIsWrittenOrBlanked) {
  ImageDocument document;
  test::TakenWorkingCopies taken(0);
  ImageDocument full;
  EXPECT_EQ(full.WorkFile(), "");
  const std::string file = MakeFile("w.bmp", "pixels");
  EXPECT_THROW(full.Open(FImage, file), cl::EFCreateError);
  EXPECT_EQ(ReadAll(file), "pixels");
}

TEST_F(ImageDocumentTest, DeleteOnAnUntitledWindowDeletesNothing) {
  const std::string decoy = MakeFile("Untitled1", "user data");
  ImageDocument document;
  document.SetFileName("Untitled1");
  EXPECT_FALSE(document.DeleteUserFile());
  const std::string file = MakeFile("gone.bmp", "pixels");
  document.SetFileName(file);
  EXPECT_TRUE(document.DeleteUserFile());
  EXPECT_FALSE(cl::FileExists(file));
  EXPECT_TRUE(cl::FileExists(decoy));
}

TEST_F(ImageDocumentTest, ClosingEntersTheNameInTheRecentFilesReadBackFromTheRegistry) {
  cl::TRegistry settings;
  OpenSettings(settings);
  WriteRecentFiles(settings, {"C:\\1.bmp", "C:\\2.bmp", "C:\\3.bmp", "C:\\4.bmp", "C:\\5.bmp"});
  ImageDocument document;
  document.RecordClose(settings, "C:\\3.bmp");
  document.RecordClose(settings, "Untitled2");
  document.RecordClose(settings, "Error");
  document.RecordClose(settings, "C:\\new.bmp");
  cl::TRegistry readBack;
  OpenSettings(readBack);
  EXPECT_EQ(ReadRecentFiles(readBack),
            (RecentFiles{"C:\\new.bmp", "C:\\3.bmp", "C:\\1.bmp", "C:\\2.bmp", "C:\\4.bmp"}));
}

}  // namespace
}  // namespace viewer
