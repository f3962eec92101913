// TCustomImageList/TImageList: a comctl32 image list of equal-sized images, made on first use of Handle or adopted
// from elsewhere (a shared list such as the shell's system image list is never destroyed here), and TChangeLink,
// through which controls that show the list's images learn of every change.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "classlib/core/component.h"
#include "classlib/core/events.h"
#include "classlib/win/colors.h"

namespace cl {

class TBitmap;
class TCanvas;
class TCustomImageList;
class TIcon;

// Registered with an image list, it fires OnChange (Sender = the list) after each change of the list. Freeing a
// link unregisters it; freeing the list leaves its links unregistered (Sender null).
class TChangeLink : public TObject {
  CL_CLASS(TChangeLink, TObject)
 public:
  void BeforeDestruction() override;

  TCustomImageList* Sender() const { return FSender; }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& e) { FOnChange = e; }
  virtual void Change();

 private:
  friend class TCustomImageList;
  TCustomImageList* FSender = nullptr;
  TNotifyEvent FOnChange;
};

class TCustomImageList : public TComponent {
  CL_CLASS(TCustomImageList, TComponent)
 public:
  explicit TCustomImageList(TComponent* owner) : TCustomImageList(owner, 16, 16) {}
  TCustomImageList(TComponent* owner, int width, int height);
  void BeforeDestruction() override;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // A new size empties the list.
  void SetWidth(int width) { SetSize(width, FHeight); }
  void SetHeight(int height) { SetSize(FWidth, height); }
  int Count() const;

  // Made on first use (24-bit colour with masks) at the list's size.
  HIMAGELIST Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Adopts a list made elsewhere, taking its image size; the old one is destroyed unless shared.
  void SetHandle(HIMAGELIST handle);
  // A shared handle belongs to someone else and is never destroyed by this object.
  bool ShareImages() const { return FShareImages; }
  void SetShareImages(bool share) { FShareImages = share; }

  // Each returns the new image's index. An image smaller than the list's size raises EInvalidOperation
  // "Invalid image size"; a null mask adds the image unmasked.
  int Add(TBitmap* image, TBitmap* mask);
  // The pixels of maskColor become transparent; clDefault takes the colour of the bottom-left pixel.
  int AddMasked(TBitmap* image, TColor maskColor);
  int AddIcon(TIcon* icon);
  // A bad index raises EListError.
  void Delete(int index);
  void Clear();
  // Raises EInvalidOperation "Unable to Replace Image" when the list refuses (a bad index).
  void Replace(int index, TBitmap* image, TBitmap* mask);
  void Draw(TCanvas* canvas, int x, int y, int index);
  // Makes image a bitmap of the list's size showing image index on the window colour.
  void GetBitmap(int index, TBitmap* image);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& e) { FOnChange = e; }
  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);

 protected:
  // Fires OnChange and then every registered link.
  virtual void Change();

 private:
  void SetSize(int width, int height);
  void FreeHandle();
  void CheckImage(TBitmap* image) const;

  int FWidth;
  int FHeight;
  HIMAGELIST FHandle = nullptr;
  bool FOwnsCountedHandle = false;  // FHandle was made here and counts in debug::ImageListCount
  bool FShareImages = false;
  TNotifyEvent FOnChange;
  std::vector<TChangeLink*> FLinks;
};

class TImageList : public TCustomImageList {
  CL_CLASS(TImageList, TCustomImageList)
 public:
  using TCustomImageList::TCustomImageList;
  // A list of its own (no owner) of the given image size.
  static TImageList* CreateSize(int width, int height);
};

namespace debug {
// Image lists made by TCustomImageList and not yet destroyed, for leak checks in tests.
int ImageListCount();
}  // namespace debug

}  // namespace cl
