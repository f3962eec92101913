// The shared store of button images: TGlyphList, an image list whose slots are handed out and given back (a freed
// slot is reused, so a list does not grow without bound), and TGlyphCache, the one process-wide set of such lists,
// one per image size, that lives while any glyph object exists.
#pragma once

#include <vector>

#include "classlib/win/colors.h"
#include "classlib/win/image_list.h"

namespace cl {
class TBitmap;
}

namespace tbr {

class TGlyphList : public cl::TImageList {
  CL_CLASS(TGlyphList, cl::TImageList)
 public:
  TGlyphList(int width, int height) : cl::TImageList(nullptr, width, height) {}

  // Each puts the image into a free slot, counts one more use and returns the slot. The image must have the list's
  // size: another size raises EInvalidOperation "Invalid image size"; a list that refuses the image raises
  // EInvalidOperation "Unable to Replace Image".
  int StoreWithMask(cl::TBitmap* image, cl::TBitmap* mask);
  // The pixels of maskColor become transparent (clDefault: the colour of the image's bottom-left pixel).
  int StoreMasked(cl::TBitmap* image, cl::TColor maskColor);
  // Gives a slot back for reuse; the image stays in the list until the slot is taken again.
  void FreeSlot(int index);
  // The slots in use.
  int UseCount() const { return FUseCount; }

 private:
  // The first free slot, made at the end of the list when every one is taken; marked used.
  int AllocateSlot();
  void CheckSize(cl::TBitmap* image) const;

  std::vector<bool> FUsed;
  int FUseCount = 0;
};

class TGlyphCache : public cl::TObject {
  CL_CLASS(TGlyphCache, cl::TObject)
 public:
  void BeforeDestruction() override;
  // The list of that image size, made when there is none.
  TGlyphList* ListForSize(int width, int height);
  // Frees the list when none of its slots is used any more.
  void ReleaseList(TGlyphList* list);
  bool IsEmpty() const { return FLists.empty(); }
  int ListCount() const { return static_cast<int>(FLists.size()); }

 private:
  std::vector<TGlyphList*> FLists;
};

// The process's glyph cache: made on first need, freed by the glyph object whose end leaves it empty.
TGlyphCache* GlyphCache();
TGlyphCache* ExistingGlyphCache();
void FreeGlyphCacheIfEmpty();

}  // namespace tbr
