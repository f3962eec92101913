// The blocks around the frames: the header (signature, version, logical screen descriptor and global colour
// map) and the trailer.
#pragma once

#include <array>
#include <cstdint>

#include "image/core/gif_color_map.h"
#include "image/core/gif_items.h"

namespace img {

class TGIFHeader;

class TGIFGlobalColorMap : public TGIFColorMap {
  CL_CLASS(TGIFGlobalColorMap, TGIFColorMap)
 public:
  explicit TGIFGlobalColorMap(TGIFHeader* header) : FHeader(header) {}
  void Warning(int severity, const std::string& message) override;
  // Sorts by the use in the first frame; unused colours are dropped when that is the only frame.
  bool Reorder() override;
  void Changed() override;

 private:
  TGIFHeader* FHeader;
};

class TGIFHeader : public TGIFItem {
  CL_CLASS(TGIFHeader, TGIFItem)
 public:
  static constexpr std::size_t kScreenDescriptorSize = 7;

  explicit TGIFHeader(TGIFImageCore* image);
  ~TGIFHeader() override;

  void LoadFromStream(cl::TStream& stream) override;
  void SaveToStream(cl::TStream& stream) override;
  TGIFVersion GetVersion() const override;
  TGIFGlobalColorMap& ColorMap() { return *FColorMap; }
  int Width() const { return FDescriptor[0] | (FDescriptor[1] << 8); }
  int Height() const { return FDescriptor[2] | (FDescriptor[3] << 8); }
  void SetWidth(int width);
  void SetHeight(int height);
  std::uint8_t Packed() const { return FDescriptor[4]; }
  std::uint8_t BackgroundColorIndex() const { return FDescriptor[5]; }
  void SetBackgroundColorIndex(std::uint8_t index) { FDescriptor[5] = index; }
  std::uint8_t AspectRatio() const { return FDescriptor[6]; }
  void SetAspectRatio(std::uint8_t ratio) { FDescriptor[6] = ratio; }
  // The global map's colour at the background index.
  cl::TColor BackgroundColor() { return FColorMap->GetColor(BackgroundColorIndex()); }
  int BitsPerPixel() const { return FColorMap->BitsPerPixel(); }
  int ColorResolution() const { return BitsPerPixel() - 1; }

  // Recomputes the packed byte from the image: table flag, sort flag, colour resolution and table size.
  void Prepare();

 protected:
  // To another header: the global map, the screen size, packed byte, background index and aspect ratio.
  void AssignTo(cl::TPersistent* dest) const override;

 private:
  std::array<std::uint8_t, kScreenDescriptorSize> FDescriptor{};
  TGIFGlobalColorMap* FColorMap;
};

class TGIFTrailer : public TGIFItem {
  CL_CLASS(TGIFTrailer, TGIFItem)
 public:
  using TGIFItem::TGIFItem;
  void SaveToStream(cl::TStream& stream) override;
  // A byte other than ";" warns "Invalid Image trailer"; a stream that has ended is fine.
  void LoadFromStream(cl::TStream& stream) override;
};

}  // namespace img
