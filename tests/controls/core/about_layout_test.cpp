// The about box's placement of its picture, lines, bevel, system lines and buttons, and its own texts.
#include "controls/core/about_layout.h"

#include <gtest/gtest.h>

namespace {

using namespace ctl;

// Labels one line of 13 pixels per "\r"-separated line.
int FakeHeight(TAboutLine, const std::string& text, int) {
  return 13 * (1 + static_cast<int>(std::count(text.begin(), text.end(), '\r')));
}

TAboutLayoutInput Input(TCtlAboutIconStyle style) {
  TAboutLayoutInput input;
  input.IconStyle = style;
  input.FrameWidth = 6;
  const cl::TPoint picture = style == isExtended ? ExtendedPictureSize(32, 32) : cl::Point(32, 32);
  input.PictureWidth = picture.X;
  input.PictureHeight = picture.Y;
  input.Texts[alName] = "Tarnby";
  input.Texts[alVersion] = "Version 4.1";
  input.Texts[alDescription] = "Views images.";
  input.Texts[alCopyright] = "(c) The maker";
  input.Texts[alLink] = "http://example.org/";
  input.Texts[alSystemCaptions] = "Available Memory:\rPlatform, CPU:";
  input.Texts[alSystemValues] = "1024 KB\r4x 8664 or compatible";
  input.LabelHeight = FakeHeight;
  return input;
}

TEST(AboutLayout, ExtendedIconStyleStacksTheLinesBesideThePicture) {
  const TAboutLayout layout = LayoutAboutBox(Input(isExtended));
  EXPECT_EQ(layout.FormWidth, 440);
  EXPECT_EQ(layout.ClientWidth, 434);
  EXPECT_EQ(layout.Picture, cl::Bounds(15, 7, 72, 72));
  const int x = 15 + 72 + 8, width = 434 - x - 6;
  EXPECT_EQ(layout.Lines[alName], cl::Bounds(x, 24, width, 13));
  // After the name the column starts no higher than the picture's bottom (79).
  EXPECT_EQ(layout.Lines[alVersion], cl::Bounds(x, 79, width, 13));
  EXPECT_EQ(layout.Lines[alDescription].Top, 79 + 13 + 4);
  EXPECT_EQ(layout.Lines[alCopyright].Top, 96 + 13 + 24);
  EXPECT_EQ(layout.Lines[alLink].Top, 133 + 13 + 1);
  EXPECT_EQ(layout.Bevel, cl::Bounds(x, 147 + 13 + 6, width, 2));
  EXPECT_EQ(layout.Lines[alSystemCaptions], cl::Bounds(x, 175, 150, 26));
  EXPECT_EQ(layout.Lines[alSystemValues], cl::Bounds(x + 150, 175, 150, 26));
  EXPECT_EQ(layout.Ok, cl::Bounds(434 - 75 - 6, 175 + 26 + 24, 75, 25));
  EXPECT_EQ(layout.Custom, cl::Bounds(layout.Ok.Left - 6 - 75, layout.Ok.Top, 75, 25));
  EXPECT_EQ(layout.ClientHeight, layout.Ok.Bottom + 6);
  for (const cl::TRect& line : layout.Lines) EXPECT_LE(line.Right, layout.ClientWidth - 6);
}

TEST(AboutLayout, PlainAndStandardStylesUseTheirColumnsAndMinimums) {
  struct Case {
    TCtlAboutIconStyle Style;
    int FormWidth, X, NameTop, Width, VersionTop;
    bool PictureVisible;
  } cases[] = {
      {isNone, 340, 10, 10, 334 - 20, 60, false},
      {isStandard, 410, 60, 12, 404 - 70, 66, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Style);
    const TAboutLayout layout = LayoutAboutBox(Input(c.Style));
    EXPECT_EQ(layout.FormWidth, c.FormWidth);
    EXPECT_EQ(layout.PictureVisible, c.PictureVisible);
    EXPECT_EQ(layout.Lines[alName], cl::Bounds(c.X, c.NameTop, c.Width, 13));
    EXPECT_EQ(layout.Lines[alVersion].Top, c.VersionTop);
  }
  EXPECT_EQ(LayoutAboutBox(Input(isStandard)).Picture, cl::Bounds(13, 7, 32, 32));
}

TEST(AboutLayout, BlankDescriptionAndLinkKeepTheirGapsOtherBlankLinesVanish) {
  TAboutLayoutInput input = Input(isExtended);
  input.Texts[alDescription].clear();
  input.Texts[alCopyright].clear();
  input.Texts[alLink].clear();
  const TAboutLayout layout = LayoutAboutBox(input);
  EXPECT_EQ(layout.Lines[alDescription], cl::TRect{});
  EXPECT_EQ(layout.Lines[alCopyright], cl::TRect{});
  EXPECT_EQ(layout.Bevel.Top, 79 + 13 + 4 + 24 + 6);
}

TEST(AboutLayout, ScalesWithPixelsPerInch) {
  TAboutLayoutInput input = Input(isExtended);
  input.PixelsPerInch = 120;
  const TAboutLayout layout = LayoutAboutBox(input);
  EXPECT_EQ(layout.FormWidth, 550);
  EXPECT_EQ(layout.Lines[alSystemCaptions].Width(), 187);

  // The plain style's form keeps its width, so its values column would pass the edge: it ends 6 pixels inside.
  TAboutLayoutInput plain = Input(isNone);
  plain.PixelsPerInch = 144;
  const TAboutLayout narrow = LayoutAboutBox(plain);
  EXPECT_EQ(narrow.Lines[alSystemCaptions], cl::Bounds(10, narrow.Lines[alSystemCaptions].Top, 225, 26));
  EXPECT_EQ(narrow.Lines[alSystemValues].Left, 235);
  EXPECT_EQ(narrow.Lines[alSystemValues].Right, 334 - 6);
}

TEST(AboutTexts, TitleCaptionVersionAndSystemLines) {
  const TAboutTexts texts;
  EXPECT_EQ(AboutTitle("  ", "Orlanto"), "Orlanto");
  EXPECT_EQ(AboutTitle("Tarnby", "Orlanto"), "Tarnby");
  EXPECT_EQ(ShellAboutText("Orlanto", "Tarnby"), "Orlanto#Tarnby");
  EXPECT_EQ(ShellAboutText("", "Tarnby"), "Tarnby");
  EXPECT_EQ(DefaultAboutCaption(texts, "Orlanto"), "Info Orlanto...");
  EXPECT_EQ(AboutVersionText("", true, "2.0"), "Version 2.0");
  EXPECT_EQ(AboutVersionText("", false, "2.0"), "");
  EXPECT_EQ(AboutVersionText("Version 4.1", true, "2.0"), "Version 4.1");

  // Memory figures past 4 GB are reported whole.
  const TAboutSystemLines nt = AboutSystemLines(texts, true, 16ull << 30, 8, "8664", 0);
  EXPECT_EQ(nt.Captions, "Available Memory:\rPlatform, CPU:");
  EXPECT_EQ(nt.Values, "16777216 KB\r8x 8664 or compatible");
  const TAboutSystemLines older = AboutSystemLines(texts, false, 64u << 20, 1, "Intel Pentium", 73);
  EXPECT_EQ(older.Captions, "Available Memory:\rSystem Resources:");
  EXPECT_EQ(older.Values, "65536 KB\r73% free");
}

}  // namespace
