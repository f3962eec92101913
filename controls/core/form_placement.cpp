#include "controls/core/form_placement.h"

#include <vector>

#include "classlib/core/conversions.h"
#include "classlib/core/exceptions.h"

namespace ctl {
namespace {

constexpr char kPlacementTag[] = "200";
constexpr size_t kPlacementFieldCount = 7;

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> fields;
  if (text.empty()) return fields;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return fields;
}

bool IsMaximum(TTrackLimits::Index index) {
  return index == TTrackLimits::tlMaxHeight || index == TTrackLimits::tlMaxWidth;
}

bool IsHeight(TTrackLimits::Index index) {
  return index == TTrackLimits::tlMaxHeight || index == TTrackLimits::tlMinHeight ||
         index == TTrackLimits::tlMaximizedHeight || index == TTrackLimits::tlMaximizedPosY;
}

void ReplaceWhenPositive(int32_t limit, int32_t& target) {
  if (limit > 0) target = limit;
}

}  // namespace

std::string FormatPlacement(const TPlacementFields& p) {
  std::string text = kPlacementTag;
  for (int32_t v : {p.Flags, p.ShowCmd, p.Normal.Left, p.Normal.Top, p.Normal.Right, p.Normal.Bottom}) {
    text += ',' + std::to_string(v);
  }
  return text;
}

std::optional<TPlacementFields> ParsePlacement(std::string_view text) {
  const std::vector<std::string_view> fields = SplitAtCommas(text);
  if (fields.size() != kPlacementFieldCount || fields[0] != kPlacementTag) return std::nullopt;
  int32_t values[kPlacementFieldCount - 1];
  try {
    for (size_t i = 1; i < kPlacementFieldCount; ++i) values[i - 1] = cl::StrToInt(fields[i]);
  } catch (const cl::EConvertError&) {
    return std::nullopt;
  }
  return TPlacementFields{values[0], values[1], cl::Rect(values[2], values[3], values[4], values[5])};
}

TPlacementFields ApplyStoredPlacement(const TPlacementFields& stored, const TPlacementFields& current,
                                      const TPlacementContext& context) {
  TPlacementFields result = current;
  const TCtlSaveOptions& save = context.SaveOptions;
  if (save.Contains(soState)) {
    result.Flags = stored.Flags;
    result.ShowCmd = context.Options.Contains(foAutoShow) ? stored.ShowCmd : 0;
  }
  if (!save.Contains(soPos) && !save.Contains(soSize)) return result;
  const cl::TRect& s = stored.Normal;
  const cl::TRect& form = context.FormBounds;
  cl::TRect& r = result.Normal;
  if (save.Contains(soPos)) {
    r.Left = s.Left;
    r.Top = s.Top;
    if (!save.Contains(soSize)) {  // the size is kept
      r.Right = form.Width() + s.Left;
      r.Bottom = form.Height() + s.Top;
    }
  }
  if (save.Contains(soSize)) {
    if (save.Contains(soPos)) {
      r.Right = s.Right;
      r.Bottom = s.Bottom;
    } else {  // the position is kept
      r.Right = form.Left + s.Width();
      r.Bottom = form.Top + s.Height();
    }
  }
  const int32_t w = context.ScreenWidth, h = context.ScreenHeight;
  if (r.Left > w) r.Left = w / 2;
  if (r.Top > h) r.Top = h / 2;
  if (r.Right > w) r.Right = w;
  if (r.Bottom > h) r.Bottom = h;
  return result;
}

int32_t LimitToPixels(int32_t value, int32_t screenExtent) {
  return value >= 0 ? value : screenExtent / -value;
}

int32_t TTrackLimits::ToPixels(Index index, int32_t value) const {
  return LimitToPixels(value, IsHeight(index) ? FScreenHeight : FScreenWidth);
}

bool TTrackLimits::Set(Index index, int32_t value) {
  if (value < kLowestValue || value == FValues[index]) return false;
  const int32_t pixels = ToPixels(index, value);
  if (index <= tlMinWidth && pixels != 0) {
    // The partner of a maximum is its minimum two places on, and the other way round.
    const Index partner = static_cast<Index>(IsMaximum(index) ? index + 2 : index - 2);
    if (IsMaximum(index) && pixels < FPixels[partner]) return false;
    if (!IsMaximum(index) && FPixels[partner] > 0 && pixels > FPixels[partner]) return false;
  }
  FValues[index] = value;
  FPixels[index] = pixels;
  return true;
}

void TTrackLimits::SetScreen(int32_t width, int32_t height) {
  FScreenWidth = width;
  FScreenHeight = height;
}

void TTrackLimits::Update() {
  for (int i = 0; i < kCount; ++i) FPixels[i] = ToPixels(static_cast<Index>(i), FValues[i]);
  if (FPixels[tlMaxWidth] > FScreenWidth) FPixels[tlMaxWidth] = FScreenWidth;
  if (FPixels[tlMaxHeight] > FScreenHeight) FPixels[tlMaxHeight] = FScreenHeight;
  if (FPixels[tlMaxWidth] != 0 && FPixels[tlMaxWidth] < FPixels[tlMinWidth]) FPixels[tlMinWidth] = FPixels[tlMaxWidth];
  if (FPixels[tlMaxHeight] != 0 && FPixels[tlMaxHeight] < FPixels[tlMinHeight])
    FPixels[tlMinHeight] = FPixels[tlMaxHeight];
}

void TTrackLimits::ClampSize(int32_t& width, int32_t& height) const {
  if (FPixels[tlMaxWidth] > 0 && FPixels[tlMaxWidth] < width) width = FPixels[tlMaxWidth];
  if (FPixels[tlMaxHeight] > 0 && FPixels[tlMaxHeight] < height) height = FPixels[tlMaxHeight];
  if (FPixels[tlMinWidth] > 0 && FPixels[tlMinWidth] > width) width = FPixels[tlMinWidth];
  if (FPixels[tlMinHeight] > 0 && FPixels[tlMinHeight] > height) height = FPixels[tlMinHeight];
}

void ApplyTrackLimits(const TTrackLimits& limits, TMinMaxInfo& info) {
  ReplaceWhenPositive(limits.Pixels(TTrackLimits::tlMaxWidth), info.MaxTrackSize.X);
  ReplaceWhenPositive(limits.Pixels(TTrackLimits::tlMaxHeight), info.MaxTrackSize.Y);
  ReplaceWhenPositive(limits.Pixels(TTrackLimits::tlMinWidth), info.MinTrackSize.X);
  ReplaceWhenPositive(limits.Pixels(TTrackLimits::tlMinHeight), info.MinTrackSize.Y);
}

void ApplyMaximizedLimits(const TTrackLimits& limits, TMinMaxInfo& info) {
  ReplaceWhenPositive(limits.Pixels(TTrackLimits::tlMaximizedPosX), info.MaxPosition.X);
  ReplaceWhenPositive(limits.Pixels(TTrackLimits::tlMaximizedPosY), info.MaxPosition.Y);
  ReplaceWhenPositive(limits.Pixels(TTrackLimits::tlMaximizedWidth), info.MaxSize.X);
  ReplaceWhenPositive(limits.Pixels(TTrackLimits::tlMaximizedHeight), info.MaxSize.Y);
}

std::string DefaultIniKey(std::string_view formClassName) {
  if (formClassName.empty()) return "Form";
  return std::string(formClassName.substr(1));
}

}  // namespace ctl
