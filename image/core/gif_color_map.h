// GIF colour tables: up to 256 entries of red, green, blue, with the sort flag of the stream format.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/core/object.h"
#include "classlib/core/types.h"

namespace cl {
class TStream;
}

namespace img {

class TGIFSubImageCore;

// 0 for no colours, else the fewest bits (1 to 8) that index n colours; 8 above 256.
int BitsForColorCount(int n);
// Bytes of one row of pixels at the given depth, padded to the alignment (in bits).
int PaddedRowBytes(int pixels, int bitsPerPixel, int alignment);

struct TGIFColor {
  std::uint8_t Red = 0, Green = 0, Blue = 0;
  bool operator==(const TGIFColor&) const = default;
};

class TGIFColorMap : public cl::TPersistent {
  CL_CLASS(TGIFColorMap, cl::TPersistent)
 public:
  static constexpr int kMaxColors = 256;

  ~TGIFColorMap() override;

  void Clear();
  int Count() const { return FCount; }
  int Capacity() const { return FCapacity; }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool sorted) { FSorted = sorted; }
  const TGIFColor& Entry(int index) const { return FEntries[static_cast<std::size_t>(index)]; }

  // Grows the table (16 entries, then multiples of 32, at most 256); never shrinks it.
  void SetCapacity(int n);
  // Replaces the map with n entries read from the stream.
  void LoadFromStream(cl::TStream& stream, int n);
  // The entries, padded with black up to 2^BitsPerPixel; nothing for an empty map.
  void SaveToStream(cl::TStream& stream) const;

  // Index of the colour (red in the low byte), or -1: a sorted map answers its first match, an unsorted one
  // its last.
  int IndexOf(cl::TColor color) const;
  // The index of an equal entry, else the colour appended; raises "Color table overflow" on a 257th colour.
  int Add(cl::TColor color);
  // The colour at index; an index outside the map warns "Invalid color index" and answers black.
  cl::TColor GetColor(int index);
  // Replaces the map with n entries of a DIB colour table (blue, green, red, reserved).
  void ImportDIBColors(const std::uint8_t* table, int n);
  int BitsPerPixel() const { return BitsForColorCount(FCount); }

  void Assign(const cl::TPersistent* source) override;

  // Orders the entries by how often frame uses them, most used first, and rewrites the frame's pixels (and its
  // transparent index) to match. With truncate the unused colours are dropped. False with fewer than 2 colours.
  bool SortByUsage(TGIFSubImageCore& frame, bool truncate);

  virtual void Warning(int severity, const std::string& message) = 0;
  virtual bool Reorder() = 0;
  virtual void Changed() = 0;

 private:
  std::vector<TGIFColor> FEntries;  // FCapacity entries
  int FCount = 0;
  int FCapacity = 0;
  bool FSorted = false;
};

}  // namespace img
