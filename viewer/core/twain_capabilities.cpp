#include "viewer/core/twain_capabilities.h"

#include "classlib/core/byte_reader.h"
#include "viewer/core/twain_types.h"

namespace viewer {

using namespace twain;

namespace {

constexpr char kInvalidType[] = "Invalid property type.";

// A fixed-point item as a one-value container carries it: the whole part in the low 16 bits, no fraction.
uint32_t Fix32Item(int whole) {
  return static_cast<uint16_t>(whole);
}

// The value of an enumeration's run of named values (first .. first + count - 1 stand for base .. base + count - 1).
template <class E>
std::optional<uint32_t> RunValue(E value, E first, int count, int base = 0) {
  if (value < first || value >= first + count) return std::nullopt;
  return static_cast<uint32_t>(value - first + base);
}

template <class E>
E FromRun(std::optional<int32_t> value, E notSupported, E unknown, E first, int count, int base = 0) {
  if (!value) return notSupported;
  if (*value < base || *value >= base + count) return unknown;
  return static_cast<E>(first + (*value - base));
}

std::optional<uint32_t> OrientationValue(TEtwOrientation value) {
  switch (value) {
    case orRot0:
    case orPortrait:
      return 0;
    case orRot90:
      return 1;
    case orRot180:
      return 2;
    case orRot270:
    case orLandscape:
      return 3;
    default:
      return std::nullopt;
  }
}

void AddWhenChosen(std::vector<CapabilitySet>& sets, uint16_t cap, uint16_t itemType, std::optional<uint32_t> item) {
  if (item) sets.push_back({cap, itemType, *item});
}

size_t ItemSize(uint16_t itemType) {
  switch (itemType) {
    case TWTY_INT8:
    case TWTY_UINT8:
      return 1;
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL:
      return 2;
    case TWTY_INT32:
    case TWTY_UINT32:
    case TWTY_FIX32:
      return 4;
    default:
      return 0;
  }
}

int32_t ItemAt(const uint8_t* item, uint16_t itemType) {
  switch (itemType) {
    case TWTY_INT8:
      return static_cast<int8_t>(item[0]);
    case TWTY_UINT8:
      return item[0];
    case TWTY_INT16:
      return cl::le::ReadI16(item);
    case TWTY_UINT16:
      return cl::le::ReadU16(item);
    case TWTY_BOOL:
      return cl::le::ReadU16(item) != 0;
    case TWTY_FIX32:
      return cl::le::ReadI16(item);  // the whole part; the fraction follows it
    default:
      return cl::le::ReadI32(item);
  }
}

// Offsets of the containers' fields (2-byte packing).
constexpr size_t kOneValueItem = 2;
constexpr size_t kEnumerationCount = 2, kEnumerationCurrent = 6, kEnumerationItems = 14;
constexpr size_t kRangeCurrent = 18, kRangeSize = 22;

}  // namespace

std::vector<CapabilitySet> ResolutionSets(const TwainSettings& s) {
  std::vector<CapabilitySet> sets;
  const std::optional<uint32_t> units = RunValue(s.Units, etwuInches, 6);
  if (s.XRes > 0) sets.push_back({ICAP_XRESOLUTION, TWTY_FIX32, Fix32Item(s.XRes)});
  if (s.YRes > 0) {
    if (units) sets.push_back({ICAP_UNITS, TWTY_UINT16, 0});
    sets.push_back({ICAP_YRESOLUTION, TWTY_FIX32, Fix32Item(s.YRes)});
    AddWhenChosen(sets, ICAP_UNITS, TWTY_UINT16, units);
  }
  AddWhenChosen(sets, ICAP_UNITS, TWTY_UINT16, units);
  return sets;
}

std::vector<CapabilitySet> ImageSets(const TwainSettings& s) {
  std::vector<CapabilitySet> sets{{CAP_XFERCOUNT, TWTY_UINT16, 1}};
  if (s.Indicators == etwbTrue || s.Indicators == etwbFalse)
    sets.push_back({CAP_INDICATORS, TWTY_BOOL, s.Indicators == etwbTrue ? 1u : 0u});
  AddWhenChosen(sets, ICAP_PIXELTYPE, TWTY_UINT16, RunValue(s.PixelType, ptBW, 4));
  AddWhenChosen(sets, ICAP_BITDEPTH, TWTY_UINT16, RunValue(s.BitDepth, bd1, 15, 1));
  AddWhenChosen(sets, ICAP_BITDEPTHREDUCTION, TWTY_UINT16, RunValue(s.BDReduction, bdrThreshold, 4));
  AddWhenChosen(sets, ICAP_ORIENTATION, TWTY_UINT16, OrientationValue(s.Orientation));
  AddWhenChosen(sets, ICAP_PIXELFLAVOR, TWTY_UINT16, RunValue(s.PixelFlavor, pfChocolate, 2));
  AddWhenChosen(sets, ICAP_LIGHTPATH, TWTY_UINT16, RunValue(s.LightPath, lpReflective, 2));
  return sets;
}

const char* RefusalOf(TBitDepth value) {
  return value == bdNotSupported || value == bdUnknown ? "Invalid BitDepth value." : nullptr;
}
const char* RefusalOf(TBDReduction value) {
  return value == bdrNotSupported || value == bdrUnknown ? "Invalid BitDepthReduction type." : nullptr;
}
const char* RefusalOf(TEtwBoolean value) {
  return value == etwbNotSupported ? kInvalidType : nullptr;
}
const char* RefusalOf(TEtwLightPath value) {
  return value == lpNotSupported || value == lpUnknown ? "Invalid LightPath value." : nullptr;
}
const char* RefusalOf(TEtwOrientation value) {
  return value == orNotSupported || value == orUnknown ? "Invalid Orientation value." : nullptr;
}
const char* RefusalOf(TEtwPixelFlavor value) {
  return value == pfNotSupported || value == pfUnknown ? kInvalidType : nullptr;
}
const char* RefusalOf(TEtwPixelType value) {
  return value == ptNotSupported || value == ptUnknown ? "Invalid Pixel type." : nullptr;
}
const char* RefusalOf(TEtwUnits value) {
  return value == etwuNotSupported || value == etwuUnknown ? "Invalid Units value." : nullptr;
}
const char* ResolutionRefusal(int value) {
  return value == -1 ? "Invalid Resolution value." : nullptr;
}

TBitDepth BitDepthFromTwain(std::optional<int32_t> value) {
  return FromRun(value, bdNotSupported, bdUnknown, bd1, 15, 1);
}
TBDReduction BDReductionFromTwain(std::optional<int32_t> value) {
  return FromRun(value, bdrNotSupported, bdrUnknown, bdrThreshold, 4);
}
TEtwBoolean IndicatorsFromTwain(std::optional<int32_t> value) {
  if (!value) return etwbNotSupported;
  return *value ? etwbTrue : etwbFalse;
}
TEtwLightPath LightPathFromTwain(std::optional<int32_t> value) {
  return FromRun(value, lpNotSupported, lpUnknown, lpReflective, 2);
}
TEtwOrientation OrientationFromTwain(std::optional<int32_t> value) {
  if (!value) return orNotSupported;
  switch (*value) {
    case 0:
      return orPortrait;
    case 1:
      return orRot90;
    case 2:
      return orRot180;
    case 3:
      return orLandscape;
    default:
      return orUnknown;
  }
}
TEtwPixelFlavor PixelFlavorFromTwain(std::optional<int32_t> value) {
  return FromRun(value, pfNotSupported, pfUnknown, pfChocolate, 2);
}
TEtwPixelType PixelTypeFromTwain(std::optional<int32_t> value) {
  return FromRun(value, ptNotSupported, ptUnknown, ptBW, 4);
}
TEtwUnits UnitsFromTwain(std::optional<int32_t> value) {
  return FromRun(value, etwuNotSupported, etwuUnknown, etwuInches, 6);
}
int ResolutionFromTwain(std::optional<int32_t> value) {
  return value ? *value : -1;
}

std::optional<int32_t> CurrentItem(std::span<const uint8_t> container, uint16_t containerType) {
  if (container.size() < 2) return std::nullopt;
  const uint16_t itemType = cl::le::ReadU16(container.data());
  const size_t itemSize = ItemSize(itemType);
  if (itemSize == 0) return std::nullopt;
  size_t at = 0;
  if (containerType == TWON_ONEVALUE) {
    at = kOneValueItem;
  } else if (containerType == TWON_RANGE) {
    if (container.size() < kRangeSize) return std::nullopt;
    at = kRangeCurrent;
  } else if (containerType == TWON_ENUMERATION) {
    if (container.size() < kEnumerationItems) return std::nullopt;
    const uint32_t count = cl::le::ReadU32(container.data() + kEnumerationCount);
    const uint32_t current = cl::le::ReadU32(container.data() + kEnumerationCurrent);
    if (current >= count || uint64_t{count} * itemSize > container.size() - kEnumerationItems) return std::nullopt;
    at = kEnumerationItems + current * itemSize;
  } else {
    return std::nullopt;
  }
  if (at + itemSize > container.size()) return std::nullopt;
  return ItemAt(container.data() + at, itemType);
}

}  // namespace viewer
