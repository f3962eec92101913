// TCustomImageList over comctl32's image lists, and the change links that report its changes.
#include "classlib/win/image_list.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/icon.h"

namespace cl {
namespace {

int gImageListCount = 0;

constexpr int kGrowBy = 4;  // images the system list makes room for at a time

}  // namespace

int debug::ImageListCount() {
  return gImageListCount;
}

void TChangeLink::BeforeDestruction() {
  if (FSender) FSender->UnRegisterChanges(this);
  inherited::BeforeDestruction();
}

void TChangeLink::Change() {
  if (FOnChange) FOnChange(FSender);
}

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), FWidth(width), FHeight(height) {}

TImageList* TImageList::CreateSize(int width, int height) {
  return New<TImageList>(nullptr, width, height);
}

void TCustomImageList::BeforeDestruction() {
  inherited::BeforeDestruction();
  for (TChangeLink* link : FLinks) link->FSender = nullptr;
  FLinks.clear();
  FreeHandle();
}

void TCustomImageList::FreeHandle() {
  HIMAGELIST handle = std::exchange(FHandle, nullptr);
  if (!handle || FShareImages) return;
  ImageList_Destroy(handle);
  if (std::exchange(FOwnsCountedHandle, false)) --gImageListCount;
}

HIMAGELIST TCustomImageList::Handle() {
  if (!FHandle) {
    FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, kGrowBy, kGrowBy);
    if (!FHandle) throw EOutOfResources();
    FOwnsCountedHandle = true;
    ++gImageListCount;
  }
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST handle) {
  if (handle == FHandle) return;
  FreeHandle();
  FHandle = handle;
  FOwnsCountedHandle = false;
  if (handle) ImageList_GetIconSize(handle, &FWidth, &FHeight);
  Change();
}

void TCustomImageList::SetSize(int width, int height) {
  if (width == FWidth && height == FHeight) return;
  FWidth = width;
  FHeight = height;
  if (!FHandle) return;
  // The system list cannot change its image size while it holds images: start an empty one.
  FreeHandle();
  Handle();
  Change();
}

int TCustomImageList::Count() const {
  return FHandle ? ImageList_GetImageCount(FHandle) : 0;
}

void TCustomImageList::CheckImage(TBitmap* image) const {
  if (image && (image->Width() < FWidth || image->Height() < FHeight)) throw EInvalidOperation("Invalid image size");
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
  CheckImage(image);
  CheckImage(mask);
  const int index = ImageList_Add(Handle(), image ? image->Handle() : nullptr, mask ? mask->Handle() : nullptr);
  Change();
  return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  CheckImage(image);
  if (!image) throw EInvalidOperation("Invalid image size");
  if (maskColor == clDefault) maskColor = image->Canvas()->Pixels(0, image->Height() - 1);
  // The system blackens the masked pixels of the bitmap it is given: it gets a copy, the caller's stays as it was.
  TBitmap* copy = New<TBitmap>();
  int index = -1;
  try {
    copy->Assign(image);
    index = ImageList_AddMasked(Handle(), copy->Handle(), static_cast<COLORREF>(ColorToRGB(maskColor) & 0xFFFFFF));
  } catch (...) {
    copy->Free();
    throw;
  }
  copy->Free();
  Change();
  return index;
}

int TCustomImageList::AddIcon(TIcon* icon) {
  const int index = ImageList_AddIcon(Handle(), icon ? icon->Handle() : nullptr);
  Change();
  return index;
}

void TCustomImageList::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", {index}));
  ImageList_Remove(FHandle, index);
  Change();
}

void TCustomImageList::Clear() {
  if (FHandle) ImageList_Remove(FHandle, -1);
  Change();
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  CheckImage(image);
  CheckImage(mask);
  if (index < 0 || index >= Count() ||
      !ImageList_Replace(Handle(), index, image ? image->Handle() : nullptr, mask ? mask->Handle() : nullptr)) {
    throw EInvalidOperation("Unable to Replace Image");
  }
  Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index) {
  if (!FHandle) return;
  canvas->Changing();
  ImageList_Draw(FHandle, index, canvas->Handle(), x, y, ILD_NORMAL);
  canvas->Changed();
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
  image->SetSize(FWidth, FHeight);
  TCanvas* canvas = image->Canvas();
  canvas->Brush()->SetColor(clWindow);
  canvas->FillRect(TRect{0, 0, FWidth, FHeight});
  Draw(canvas, 0, 0, index);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (!link || link->FSender == this) return;
  if (link->FSender) link->FSender->UnRegisterChanges(link);
  link->FSender = this;
  FLinks.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  const auto found = std::find(FLinks.begin(), FLinks.end(), link);
  if (found == FLinks.end()) return;
  FLinks.erase(found);
  link->FSender = nullptr;
}

void TCustomImageList::Change() {
  if (FOnChange) FOnChange(this);
  // A handler may unregister links: walk a copy and skip those gone meanwhile.
  const std::vector<TChangeLink*> links = FLinks;
  for (TChangeLink* link : links) {
    if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->Change();
  }
}

}  // namespace cl
