#include "viewer/core/image_files.h"

#include <gtest/gtest.h>

namespace viewer {
namespace {

TEST(DroppedFiles, ASubstringOfAnImageExtensionAnywhereOpensTheFile) {
  EXPECT_TRUE(IsDroppedImage("C:\\x.bmp.txt"));
  EXPECT_TRUE(IsDroppedImage("c:\\pics\\photo.Png"));
  EXPECT_TRUE(IsDroppedImage("C:\\a.tiff"));
  EXPECT_FALSE(IsDroppedImage("C:\\y.jpeg"));
  EXPECT_FALSE(IsDroppedImage("C:\\notes.txt"));
}

TEST(ImageFiles, GifPathIsASubstringTest) {
  EXPECT_TRUE(IsGifPath("C:\\anim.gif"));
  EXPECT_TRUE(IsGifPath("C:\\x.GIF.bmp"));
  EXPECT_FALSE(IsGifPath("C:\\gif\\a.bmp"));
}

TEST(SaveRules, OnlyExtensionsTheImageControlWritesAreWritable) {
  for (const char* name : {"a.bmp", "a.JPG", "a.pcx", "a.tga", "a.png", "a.tif", "a.tiff", "a.dcx", "a.gif"})
    EXPECT_TRUE(IsWritableName(name)) << name;
  for (const char* name : {"a.jpeg", "a.wmf", "a.txt", "a", "C:\\dir.bmp\\a"})
    EXPECT_FALSE(IsWritableName(name)) << name;
}

TEST(SaveRules, ANameWithoutExtensionGetsTheChosenFileTypes) {
  EXPECT_EQ(SaveDialogName("C:\\pics\\a", 1), "C:\\pics\\a.bmp");
  EXPECT_EQ(SaveDialogName("C:\\pics\\a", 2), "C:\\pics\\a.jpg");
  EXPECT_EQ(SaveDialogName("C:\\pics\\a", 7), "C:\\pics\\a.dcx");
  EXPECT_EQ(SaveDialogName("C:\\pics\\a", 0), "C:\\pics\\a.bmp");
  EXPECT_EQ(SaveDialogName("C:\\pics\\a", 8), "C:\\pics\\a.bmp");
  // A name the user gave an extension keeps it, also one the viewer cannot write.
  EXPECT_EQ(SaveDialogName("C:\\pics\\a.png", 2), "C:\\pics\\a.png");
  EXPECT_EQ(SaveDialogName("C:\\pics\\a.jpeg", 1), "C:\\pics\\a.jpeg");
  EXPECT_EQ(SaveDialogName("", 3), "");
}

TEST(SaveRules, AppendQuestionForExistingTiffOrDcxWithoutOverwrite) {
  EXPECT_TRUE(NeedsAppendQuestion("C:\\a.tif", true, false));
  EXPECT_TRUE(NeedsAppendQuestion("C:\\a.TIFF", true, false));
  EXPECT_TRUE(NeedsAppendQuestion("C:\\a.dcx", true, false));
  EXPECT_FALSE(NeedsAppendQuestion("C:\\a.tif", false, false));
  EXPECT_FALSE(NeedsAppendQuestion("C:\\a.tif", true, true));
  EXPECT_FALSE(NeedsAppendQuestion("C:\\a.jpg", true, false));
}

TEST(SaveRules, SaveWritesDirectlyOnlyAModifiedWindowWithAFile) {
  EXPECT_TRUE(SavesDirectly("C:\\a.bmp", true));
  EXPECT_FALSE(SavesDirectly("C:\\a.bmp", false));
  EXPECT_FALSE(SavesDirectly("Untitled1", true));
  EXPECT_FALSE(SavesDirectly("", true));
}

TEST(SaveRules, CloseAsksForModifiedOrUntitledWindows) {
  EXPECT_TRUE(CloseAsks("Untitled1", false));
  EXPECT_TRUE(CloseAsks("C:\\a.bmp", true));
  EXPECT_FALSE(CloseAsks("C:\\a.bmp", false));
}

TEST(ImageFiles, LargePicturesAreWiderOrHigherThan2000) {
  EXPECT_FALSE(IsLargePicture(2000, 2000));
  EXPECT_TRUE(IsLargePicture(2001, 10));
  EXPECT_TRUE(IsLargePicture(10, 2001));
}

TEST(ImageFiles, StatusAndProgramTexts) {
  EXPECT_EQ(PositionText(12, 0), "(12, 0)");
  EXPECT_EQ(SizeText(640, 480), "640 x 480");
  EXPECT_EQ(HelpFileName("C:\\Prog\\orvane.exe"), "C:\\Prog\\\\orvane.hlp");
  EXPECT_EQ(BrowserCommandLine("C:\\Prog\\orvane.exe"), "C:\\Prog\\\\tarnel.exe");
}

}  // namespace
}  // namespace viewer
