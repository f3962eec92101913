// Image lists with reusable slots, and the cache of them by image size.
#include "toolbars/glyph_list.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/gdi.h"

namespace tbr {
namespace {

TGlyphCache* glyphCache = nullptr;

constexpr DWORD kClearWhereMaskIsSet = 0x00220326;  // destination AND NOT source

}  // namespace

void TGlyphList::CheckSize(cl::TBitmap* image) const {
  // A larger image would make the system list split it into several images and grow.
  if (!image || image->Width() != Width() || image->Height() != Height()) {
    throw cl::EInvalidOperation("Invalid image size");
  }
}

int TGlyphList::AllocateSlot() {
  auto open = std::find(FUsed.begin(), FUsed.end(), false);
  const int slot = static_cast<int>(open - FUsed.begin());
  if (open == FUsed.end()) {
    if (!ImageList_SetImageCount(Handle(), static_cast<UINT>(Count() + 1))) {
      throw cl::EInvalidOperation("Unable to Replace Image");
    }
    FUsed.resize(std::max<size_t>(FUsed.size() + 1, static_cast<size_t>(Count())), false);
  }
  FUsed[slot] = true;
  return slot;
}

int TGlyphList::StoreWithMask(cl::TBitmap* image, cl::TBitmap* mask) {
  CheckSize(image);
  if (mask) CheckSize(mask);
  const int slot = AllocateSlot();
  try {
    // The list draws an image by masking the background and adding the image on top, so the image's transparent
    // pixels must be black; the caller's image stays as it is.
    cl::Owned<cl::TBitmap> clean = cl::MakeOwned<cl::TBitmap>();
    clean->Assign(image);
    if (mask) {
      HDC dc = clean->Canvas()->Handle();
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
      BitBlt(dc, 0, 0, Width(), Height(), mask->Canvas()->Handle(), 0, 0, kClearWhereMaskIsSet);
    }
    Replace(slot, clean.get(), mask);
  } catch (...) {
    FUsed[slot] = false;
    throw;
  }
  ++FUseCount;
  return slot;
}

int TGlyphList::StoreMasked(cl::TBitmap* image, cl::TColor maskColor) {
  CheckSize(image);
  const int slot = AllocateSlot();
  try {
    // The system makes the mask when it adds an image: add it at the end, take image and mask back out in bitmaps
    // of the list's size, put them into the slot and drop the added one.
    const int added = AddMasked(image, maskColor);
    if (added < 0) throw cl::EInvalidOperation("Unable to Replace Image");
    cl::Owned<cl::TBitmap> color = cl::MakeOwned<cl::TBitmap>();
    cl::Owned<cl::TBitmap> mask = cl::MakeOwned<cl::TBitmap>();
    color->SetSize(Width(), Height());
    mask->SetMonochrome(true);
    mask->SetSize(Width(), Height());
    ImageList_Draw(Handle(), added, color->Canvas()->Handle(), 0, 0, ILD_NORMAL);
    ImageList_Draw(Handle(), added, mask->Canvas()->Handle(), 0, 0, ILD_MASK);
    const bool replaced = ImageList_Replace(Handle(), slot, color->Handle(), mask->Handle()) != FALSE;
    ImageList_Remove(Handle(), added);
    if (!replaced) throw cl::EInvalidOperation("Unable to Replace Image");
  } catch (...) {
    FUsed[slot] = false;
    throw;
  }
  ++FUseCount;
  Change();
  return slot;
}

void TGlyphList::FreeSlot(int index) {
  if (index < 0 || index >= static_cast<int>(FUsed.size()) || !FUsed[index]) return;
  FUsed[index] = false;
  --FUseCount;
}

void TGlyphCache::BeforeDestruction() {
  for (TGlyphList* list : FLists) list->Free();
  FLists.clear();
  inherited::BeforeDestruction();
}

TGlyphList* TGlyphCache::ListForSize(int width, int height) {
  // The newest lists are the likeliest to be asked for again.
  for (auto it = FLists.rbegin(); it != FLists.rend(); ++it) {
    if ((*it)->Width() == width && (*it)->Height() == height) return *it;
  }
  TGlyphList* list = cl::New<TGlyphList>(width, height);
  FLists.push_back(list);
  return list;
}

void TGlyphCache::ReleaseList(TGlyphList* list) {
  if (!list || list->UseCount() != 0) return;
  const auto found = std::find(FLists.begin(), FLists.end(), list);
  if (found == FLists.end()) return;
  FLists.erase(found);
  list->Free();
}

TGlyphCache* GlyphCache() {
  if (!glyphCache) glyphCache = cl::New<TGlyphCache>();
  return glyphCache;
}

TGlyphCache* ExistingGlyphCache() {
  return glyphCache;
}

void FreeGlyphCacheIfEmpty() {
  if (glyphCache && glyphCache->IsEmpty()) cl::FreeAndNil(glyphCache);
}

}  // namespace tbr
