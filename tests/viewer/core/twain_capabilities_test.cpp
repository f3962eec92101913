// The settings as capabilities: what is set in which order, how answers read back, what setters refuse, and the
// current value of containers a source may hand back, well-formed or not.
#include "viewer/core/twain_capabilities.h"

#include <gtest/gtest.h>

#include "viewer/core/twain_types.h"

namespace viewer {
namespace {

using namespace twain;
using Sets = std::vector<CapabilitySet>;

TEST(TwainCapabilities, TheVerticalResolutionIsSetInInchesWhenUnitsAreChosen) {
  TwainSettings settings;
  settings.XRes = 300;
  settings.YRes = 600;
  EXPECT_EQ(ResolutionSets(settings), (Sets{{ICAP_XRESOLUTION, TWTY_FIX32, 300}, {ICAP_YRESOLUTION, TWTY_FIX32, 600}}));
  settings.Units = etwuCentimeters;
  EXPECT_EQ(ResolutionSets(settings), (Sets{{ICAP_XRESOLUTION, TWTY_FIX32, 300},
                                            {ICAP_UNITS, TWTY_UINT16, 0},
                                            {ICAP_YRESOLUTION, TWTY_FIX32, 600},
                                            {ICAP_UNITS, TWTY_UINT16, 1},
                                            {ICAP_UNITS, TWTY_UINT16, 1}}));
  settings.XRes = settings.YRes = 0;
  settings.Units = etwuPixels;
  EXPECT_EQ(ResolutionSets(settings), (Sets{{ICAP_UNITS, TWTY_UINT16, 5}}));
}

TEST(TwainCapabilities, ImageSettingsAreSetOnlyWhenChosen) {
  const CapabilitySet oneTransfer{CAP_XFERCOUNT, TWTY_UINT16, 1};
  EXPECT_EQ(ImageSets(TwainSettings{}), Sets{oneTransfer});

  TwainSettings settings;
  settings.Indicators = etwbFalse;
  settings.PixelType = ptPalette;
  settings.BitDepth = bd15;
  settings.BDReduction = bdrDiffusion;
  settings.Orientation = orLandscape;
  settings.PixelFlavor = pfVanilla;
  settings.LightPath = lpTransmissive;
  EXPECT_EQ(ImageSets(settings), (Sets{oneTransfer,
                                       {CAP_INDICATORS, TWTY_BOOL, 0},
                                       {ICAP_PIXELTYPE, TWTY_UINT16, 3},
                                       {ICAP_BITDEPTH, TWTY_UINT16, 15},
                                       {ICAP_BITDEPTHREDUCTION, TWTY_UINT16, 3},
                                       {ICAP_ORIENTATION, TWTY_UINT16, 3},
                                       {ICAP_PIXELFLAVOR, TWTY_UINT16, 1},
                                       {ICAP_LIGHTPATH, TWTY_UINT16, 1}}));
  settings = {};
  settings.Indicators = etwbTrue;
  settings.PixelType = ptBW;
  settings.BitDepth = bd1;
  settings.BDReduction = bdrNone;
  settings.Orientation = orRot90;
  EXPECT_EQ(ImageSets(settings), (Sets{oneTransfer,
                                       {CAP_INDICATORS, TWTY_BOOL, 1},
                                       {ICAP_PIXELTYPE, TWTY_UINT16, 0},
                                       {ICAP_BITDEPTH, TWTY_UINT16, 1},
                                       {ICAP_ORIENTATION, TWTY_UINT16, 1}}));
}

TEST(TwainCapabilities, OrientationsSetAndReadBack) {
  const std::pair<TEtwOrientation, uint32_t> sets[] = {{orRot0, 0},   {orRot90, 1},    {orRot180, 2},
                                                       {orRot270, 3}, {orPortrait, 0}, {orLandscape, 3}};
  for (auto [orientation, value] : sets) {
    TwainSettings settings;
    settings.Orientation = orientation;
    EXPECT_EQ(ImageSets(settings).back(), (CapabilitySet{ICAP_ORIENTATION, TWTY_UINT16, value})) << orientation;
  }
  EXPECT_EQ(OrientationFromTwain(0), orPortrait);
  EXPECT_EQ(OrientationFromTwain(1), orRot90);
  EXPECT_EQ(OrientationFromTwain(2), orRot180);
  EXPECT_EQ(OrientationFromTwain(3), orLandscape);
  EXPECT_EQ(OrientationFromTwain(4), orUnknown);
  EXPECT_EQ(OrientationFromTwain(std::nullopt), orNotSupported);
}

TEST(TwainCapabilities, AnswersReadBackAsSettings) {
  EXPECT_EQ(PixelTypeFromTwain(0), ptBW);
  EXPECT_EQ(PixelTypeFromTwain(3), ptPalette);
  EXPECT_EQ(PixelTypeFromTwain(4), ptUnknown);
  EXPECT_EQ(PixelTypeFromTwain(std::nullopt), ptNotSupported);
  EXPECT_EQ(BitDepthFromTwain(1), bd1);
  EXPECT_EQ(BitDepthFromTwain(15), bd15);
  EXPECT_EQ(BitDepthFromTwain(24), bdUnknown);
  EXPECT_EQ(BitDepthFromTwain(0), bdUnknown);
  EXPECT_EQ(BDReductionFromTwain(3), bdrDiffusion);
  EXPECT_EQ(BDReductionFromTwain(4), bdrUnknown);
  EXPECT_EQ(UnitsFromTwain(5), etwuPixels);
  EXPECT_EQ(UnitsFromTwain(-1), etwuUnknown);
  EXPECT_EQ(LightPathFromTwain(1), lpTransmissive);
  EXPECT_EQ(PixelFlavorFromTwain(0), pfChocolate);
  EXPECT_EQ(IndicatorsFromTwain(1), etwbTrue);
  EXPECT_EQ(IndicatorsFromTwain(0), etwbFalse);
  EXPECT_EQ(IndicatorsFromTwain(std::nullopt), etwbNotSupported);
  EXPECT_EQ(ResolutionFromTwain(600), 600);
  EXPECT_EQ(ResolutionFromTwain(std::nullopt), -1);
}

TEST(TwainCapabilities, SettersRefuseTheValuesThatCannotBeSet) {
  EXPECT_STREQ(RefusalOf(bdUnknown), "Invalid BitDepth value.");
  EXPECT_STREQ(RefusalOf(bdrNotSupported), "Invalid BitDepthReduction type.");
  EXPECT_STREQ(RefusalOf(etwbNotSupported), "Invalid property type.");
  EXPECT_STREQ(RefusalOf(lpUnknown), "Invalid LightPath value.");
  EXPECT_STREQ(RefusalOf(orNotSupported), "Invalid Orientation value.");
  EXPECT_STREQ(RefusalOf(pfUnknown), "Invalid property type.");
  EXPECT_STREQ(RefusalOf(ptNotSupported), "Invalid Pixel type.");
  EXPECT_STREQ(RefusalOf(etwuUnknown), "Invalid Units value.");
  EXPECT_STREQ(ResolutionRefusal(-1), "Invalid Resolution value.");
  for (const char* accepted :
       {RefusalOf(bdDefault), RefusalOf(bdrNone), RefusalOf(etwbFalse), RefusalOf(lpDefault), RefusalOf(orLandscape),
        RefusalOf(pfVanilla), RefusalOf(ptRGB), RefusalOf(etwuInches), ResolutionRefusal(0), ResolutionRefusal(1200)})
    EXPECT_EQ(accepted, nullptr);
}

TEST(TwainContainers, TheCurrentItemIsReadByItsType) {
  struct Case {
    const char* Name;
    uint16_t Type;
    std::vector<uint8_t> Bytes;
    std::optional<int32_t> Current;
  };
  const Case cases[] = {
      {"one 16-bit value", TWON_ONEVALUE, {4, 0, 2, 0, 0, 0}, 2},
      {"one boolean", TWON_ONEVALUE, {6, 0, 0, 1, 0, 0}, 1},
      {"one negative fixed-point value", TWON_ONEVALUE, {7, 0, 0xFE, 0xFF, 0x00, 0x80}, -2},
      {"one 32-bit value", TWON_ONEVALUE, {5, 0, 0x00, 0x00, 0x01, 0x00}, 65536},
      {"enumeration of bytes", TWON_ENUMERATION, {3, 0, 3, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 10, 20, 30}, 30},
      {"enumeration of fixed-point values",
       TWON_ENUMERATION,
       {7, 0, 2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 75, 0, 0, 0, 88, 2, 0, 0},
       600},
      {"range", TWON_RANGE, {4, 0, 1, 0, 0, 0, 15, 0, 0, 0, 1, 0, 0, 0, 8, 0, 0, 0, 12, 0, 0, 0}, 12},
      {"enumeration index past its items",
       TWON_ENUMERATION,
       {4, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 9, 0},
       std::nullopt},
      {"enumeration longer than its block",
       TWON_ENUMERATION,
       {4, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0},
       std::nullopt},
      {"range cut short", TWON_RANGE, {4, 0, 1, 0, 0, 0, 15, 0}, std::nullopt},
      {"one value cut short", TWON_ONEVALUE, {4, 0, 2}, std::nullopt},
      {"string items", TWON_ONEVALUE, {9, 0, 0, 0, 0, 0}, std::nullopt},
      {"array", TWON_ARRAY, {4, 0, 1, 0, 0, 0, 5, 0}, std::nullopt},
      {"empty block", TWON_ONEVALUE, {}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(CurrentItem(c.Bytes, c.Type), c.Current) << c.Name;
}

}  // namespace
}  // namespace viewer
