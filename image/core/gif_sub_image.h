// One frame of a GIF: its extensions, image descriptor, local colour map and pixels (one colour index a
// pixel, rows top to bottom). The rendering caches of the Win32 side hang off the hooks at the end.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "image/core/gif_color_map.h"
#include "image/core/gif_extensions.h"
#include "image/core/gif_items.h"

namespace img {

class TGIFSubImageCore;

class TGIFLocalColorMap : public TGIFColorMap {
  CL_CLASS(TGIFLocalColorMap, TGIFColorMap)
 public:
  explicit TGIFLocalColorMap(TGIFSubImageCore* frame) : FFrame(frame) {}
  void Warning(int severity, const std::string& message) override;
  bool Reorder() override { return SortByUsage(*FFrame, true); }
  void Changed() override;

 private:
  TGIFSubImageCore* FFrame;
};

// Fields of the image descriptor reached by index.
enum TGIFDescriptorValue { dvLeft = 1, dvTop = 2, dvWidth = 3, dvHeight = 4 };

class TGIFSubImageCore : public TGIFItem {
  CL_CLASS(TGIFSubImageCore, TGIFItem)
 public:
  static constexpr std::size_t kDescriptorSize = 10;
  // Frames larger than this are refused before any memory is taken.
  static constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

  explicit TGIFSubImageCore(TGIFImageCore* image);
  ~TGIFSubImageCore() override;
  void BeforeDestruction() override;

  // Drops extensions, colour map and pixels; the frame is empty afterwards.
  void Clear();
  TGIFVersion GetVersion() const override;
  void LoadFromStream(cl::TStream& stream) override;
  void SaveToStream(cl::TStream& stream) override;
  void LoadFromFile(const std::string& fileName);

  int GetDescriptorValue(int index) const;
  void SetDescriptorValue(int index, int value);
  int Left() const { return GetDescriptorValue(dvLeft); }
  int Top() const { return GetDescriptorValue(dvTop); }
  int Width() const { return GetDescriptorValue(dvWidth); }
  int Height() const { return GetDescriptorValue(dvHeight); }
  const std::array<std::uint8_t, kDescriptorSize>& Descriptor() const { return FDescriptor; }
  void SetInterlaced(bool interlaced);
  bool IsInterlaced() const { return (FDescriptor[9] & 0x40) != 0; }

  // A buffer of width x height zero bytes; raises "Invalid GIF data" for frames past kMaxPixels.
  void AllocatePixels();
  std::uint8_t* Data() const { return FPixels.get(); }
  std::size_t DataSize() const { return FPixelCount; }
  bool Empty() const { return !FPixels || FPixelCount == 0 || Width() == 0 || Height() == 0; }

  TGIFLocalColorMap& ColorMap() { return *FColorMap; }
  // The local map when it has entries, else the image's global map when that has entries, else the local map.
  TGIFColorMap& ColorMapInUse();
  int BitsPerPixel() const { return FColorMap->BitsPerPixel(); }
  int ColorResolution() const { return BitsPerPixel() - 1; }

  TGIFExtensionList& Extensions() { return *FExtensions; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent) { FTransparent = transparent; }
  TGIFGraphicControlExtension* GraphicControlExtension() const { return FGraphicControlExtension; }
  void SetGraphicControlExtension(TGIFGraphicControlExtension* extension) { FGraphicControlExtension = extension; }

  // Decodes the image data at the stream's position into the pixels.
  void Decompress(cl::TStream& stream);
  // Encodes the pixels as image data at the stream's position.
  void Compress(cl::TStream& stream);

 protected:
  // Hooks for the rendering side: drop cached bitmaps, masks and palettes.
  virtual void FreeCaches() {}
  // The local colour map changed.
  virtual void ColorMapChanged() {}

 private:
  friend class TGIFLocalColorMap;
  struct FreeDeleter {
    void operator()(std::uint8_t* block) const { std::free(block); }
  };
  // The descriptor's packed byte as written: a local map replaces it (and writes the rows in order), else the
  // map bits are cleared.
  void PrepareDescriptor();

  std::unique_ptr<std::uint8_t[], FreeDeleter> FPixels;
  std::size_t FPixelCount = 0;
  TGIFLocalColorMap* FColorMap;
  std::array<std::uint8_t, kDescriptorSize> FDescriptor{};
  TGIFExtensionList* FExtensions;
  bool FTransparent = false;
  TGIFGraphicControlExtension* FGraphicControlExtension = nullptr;
};

}  // namespace img
