// The arithmetic of a form's kept placement: the placement string, the rules that turn a stored string into the
// window placement to apply, and the size limits given in pixels or as fractions of the screen.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "classlib/core/set.h"
#include "classlib/core/types.h"

namespace ctl {

// What a form's placement component restores and saves.
enum TCtlSaveOption { soColor, soFont, soPos, soSize, soState };
using TCtlSaveOptions = cl::Set<TCtlSaveOption>;
// foAutoCenter: centre a form without stored data; foAutoShow: restore the stored show command; foTryAdaptRes:
// adapt a form designed at another resolution; foRestoreOnce: restore at the first show only.
enum TCtlFormOption { foAutoCenter, foAutoShow, foTryAdaptRes, foRestoreOnce };
using TCtlFormOptions = cl::Set<TCtlFormOption>;

// The fields of a window placement the string keeps; Normal is the restored window's rectangle on the screen.
struct TPlacementFields {
  int32_t Flags = 0;
  int32_t ShowCmd = 0;
  cl::TRect Normal;
  bool operator==(const TPlacementFields&) const = default;
};

// "200," + flags, show command and the normal rectangle's left, top, right and bottom, joined by "," without
// blanks.
std::string FormatPlacement(const TPlacementFields& placement);
// The stored fields of a placement string, or nothing when it has another count of fields than seven, another tag
// than "200", or a field that is no integer. A field that does not parse counts as missing data, so that a damaged
// value centres the form instead of stopping the program at every start.
std::optional<TPlacementFields> ParsePlacement(std::string_view text);

// What decides how a stored placement is applied.
struct TPlacementContext {
  TCtlSaveOptions SaveOptions = {soPos, soSize, soState};
  TCtlFormOptions Options = {foAutoShow};
  cl::TRect FormBounds;  // the form's current left, top, right and bottom
  int32_t ScreenWidth = 0;
  int32_t ScreenHeight = 0;
};

// The placement to set: current with the stored state, position and size taken over as the options allow, the
// rectangle clamped into the screen (a left or top past the screen goes to its middle, a right or bottom past it to
// its edge).
TPlacementFields ApplyStoredPlacement(const TPlacementFields& stored, const TPlacementFields& current,
                                      const TPlacementContext& context);

// A limit in pixels: v >= 0 is itself (0 is no limit); v < 0 is the screen's extent divided by -v (-2: half).
int32_t LimitToPixels(int32_t value, int32_t screenExtent);

// The size limits of a form: four tracking limits and the maximised window's size and place, each as set and in
// pixels for the current screen.
class TTrackLimits {
 public:
  enum Index {
    tlMaxHeight,
    tlMaxWidth,
    tlMinHeight,
    tlMinWidth,
    tlMaximizedHeight,
    tlMaximizedWidth,
    tlMaximizedPosX,
    tlMaximizedPosY
  };
  static constexpr int kCount = 8;
  // Values below this are ignored by Set.
  static constexpr int32_t kLowestValue = -100;

  TTrackLimits(int32_t screenWidth, int32_t screenHeight) : FScreenWidth(screenWidth), FScreenHeight(screenHeight) {}

  int32_t Value(Index index) const { return FValues[index]; }
  int32_t Pixels(Index index) const { return FPixels[index]; }
  // Stores a value with its pixels; false (nothing changes) for a value below -100, the current value, a maximum
  // below the minimum or a minimum above a positive maximum. The maximised values are taken as they come.
  bool Set(Index index, int32_t value);

  int32_t ScreenWidth() const { return FScreenWidth; }
  int32_t ScreenHeight() const { return FScreenHeight; }
  void SetScreen(int32_t width, int32_t height);
  // Recomputes every pixel value for the screen: maxima beyond the screen become the screen's extent, and a minimum
  // above a non-zero maximum comes down to it.
  void Update();

  // The size a normally shown form gets: each positive limit pulls width or height inside it.
  void ClampSize(int32_t& width, int32_t& height) const;

 private:
  int32_t ToPixels(Index index, int32_t value) const;

  int32_t FScreenWidth;
  int32_t FScreenHeight;
  std::array<int32_t, kCount> FValues{};
  std::array<int32_t, kCount> FPixels{};
};

// The record WM_GETMINMAXINFO passes (its four points).
struct TMinMaxInfo {
  cl::TPoint MaxSize;
  cl::TPoint MaxPosition;
  cl::TPoint MinTrackSize;
  cl::TPoint MaxTrackSize;
};
// Each tracking limit above 0 replaces the record's value.
void ApplyTrackLimits(const TTrackLimits& limits, TMinMaxInfo& info);
// Each maximised value above 0 replaces the record's value.
void ApplyMaximizedLimits(const TTrackLimits& limits, TMinMaxInfo& info);

// The value name of a form's placement by default: its class name without the first letter, or "Form" without one.
std::string DefaultIniKey(std::string_view formClassName);

}  // namespace ctl
