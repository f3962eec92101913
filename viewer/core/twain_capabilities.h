// The acquisition settings of the TWAIN component and how they travel as capabilities: the value each setting
// sets, the setting a source's answer reads back as, the values a setter refuses, and the current value read out
// of a capability container.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace viewer {

// Each enumeration starts with the value a failed question reads as (not supported), then the value that leaves
// the source's own setting alone (default).
enum TBitDepth {
  bdNotSupported,
  bdDefault,
  bdUnknown,
  bd1,
  bd2,
  bd3,
  bd4,
  bd5,
  bd6,
  bd7,
  bd8,
  bd9,
  bd10,
  bd11,
  bd12,
  bd13,
  bd14,
  bd15
};
enum TBDReduction {
  bdrNotSupported,
  bdrNone,
  bdrDefault,
  bdrUnknown,
  bdrThreshold,
  bdrHalftone,
  bdrCustHalftone,
  bdrDiffusion
};
enum TEtwBoolean { etwbNotSupported, etwbDefault, etwbTrue, etwbFalse };
enum TEtwLightPath { lpNotSupported, lpDefault, lpUnknown, lpReflective, lpTransmissive };
enum TEtwOrientation {
  orNotSupported,
  orDefault,
  orUnknown,
  orRot0,
  orRot90,
  orRot180,
  orRot270,
  orPortrait,
  orLandscape
};
enum TEtwPixelFlavor { pfNotSupported, pfDefault, pfUnknown, pfChocolate, pfVanilla };
enum TEtwPixelType { ptNotSupported, ptDefault, ptUnknown, ptBW, ptGray, ptRGB, ptPalette };
enum TEtwUnits {
  etwuNotSupported,
  etwuDefault,
  etwuUnknown,
  etwuInches,
  etwuCentimeters,
  etwuPicas,
  etwuPoints,
  etwuTwips,
  etwuPixels
};

struct TwainSettings {
  TBitDepth BitDepth = bdDefault;
  TBDReduction BDReduction = bdrDefault;
  bool FastUI = true;  // with the source's own user interface, leave its settings alone
  TEtwBoolean Indicators = etwbDefault;
  TEtwLightPath LightPath = lpDefault;
  TEtwOrientation Orientation = orDefault;
  TEtwPixelFlavor PixelFlavor = pfDefault;
  TEtwPixelType PixelType = ptDefault;
  TEtwUnits Units = etwuDefault;
  int XRes = 0;  // 0: the source's own resolution
  int YRes = 0;
};

// One capability set with a one-value container.
struct CapabilitySet {
  uint16_t Cap;
  uint16_t ItemType;
  uint32_t Item;
  bool operator==(const CapabilitySet&) const = default;
};

// The sets that go before the image layout, in order: the resolutions and the units. The vertical resolution is
// set in inches when units are chosen, and the units are put back after it.
std::vector<CapabilitySet> ResolutionSets(const TwainSettings& settings);
// The sets that follow the image layout, in order: one transfer, then indicators, pixel type, bit depth, its
// reduction, orientation, pixel flavour and light path, each only when chosen.
std::vector<CapabilitySet> ImageSets(const TwainSettings& settings);

// The text a property setter refuses a value with, or null for a value it stores.
const char* RefusalOf(TBitDepth value);
const char* RefusalOf(TBDReduction value);
const char* RefusalOf(TEtwBoolean value);
const char* RefusalOf(TEtwLightPath value);
const char* RefusalOf(TEtwOrientation value);
const char* RefusalOf(TEtwPixelFlavor value);
const char* RefusalOf(TEtwPixelType value);
const char* RefusalOf(TEtwUnits value);
const char* ResolutionRefusal(int value);

// A source's answer read back as a setting; nothing (a failed question) reads as not supported, a value the
// setting has no name for as unknown. Orientation 0 reads as portrait and 3 as landscape.
TBitDepth BitDepthFromTwain(std::optional<int32_t> value);
TBDReduction BDReductionFromTwain(std::optional<int32_t> value);
TEtwBoolean IndicatorsFromTwain(std::optional<int32_t> value);
TEtwLightPath LightPathFromTwain(std::optional<int32_t> value);
TEtwOrientation OrientationFromTwain(std::optional<int32_t> value);
TEtwPixelFlavor PixelFlavorFromTwain(std::optional<int32_t> value);
TEtwPixelType PixelTypeFromTwain(std::optional<int32_t> value);
TEtwUnits UnitsFromTwain(std::optional<int32_t> value);
// A failed question reads as -1.
int ResolutionFromTwain(std::optional<int32_t> value);

// The current value held by a capability container of the given type (one value, enumeration or range) in a
// memory block: the item as its item type stores it, a fixed-point number as its whole part, a boolean as 0 or
// 1. Nothing for other containers or item types, an enumeration whose current index is outside its items, or a
// container that does not fit the block.
std::optional<int32_t> CurrentItem(std::span<const uint8_t> container, uint16_t containerType);

}  // namespace viewer
