// TLoadImage: the image control of both programs' forms. It reads a raster file, chosen by its extension, into a
// private working picture and shows a copy of it, scaled into the box the control was designed in, at actual size
// or cropped, in the picture of the image control it descends from. Saving writes the working (or the shown)
// picture in the format the file name's extension names.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "classlib/core/types.h"
#include "classlib/win/extctrls.h"
#include "image/core/display_layout.h"
#include "image/core/real48.h"

namespace cl {
class TBitmap;
class TPicture;
}  // namespace cl

namespace img {

class TLoadImage : public cl::TImage {
  CL_CLASS(TLoadImage, cl::TImage)
 public:
  explicit TLoadImage(cl::TComponent* owner);
  void BeforeDestruction() override;

  // The file shown, cut before its first NUL character; writing it loads the file (ChangeFile).
  std::string ImageFileName() const;
  void SetImageFileName(const std::string& name) { ChangeFile(name); }
  uint16_t Compression() const { return FCompression; }
  // 0 is ignored.
  void SetCompression(uint16_t compression);
  bool ShowTiffSize() const { return FShowTiffSize; }
  void SetShowSize(bool flag) { FShowTiffSize = flag; }
  int ImageCount() const { return FImageCount; }
  void SetImageCount(int count) { FImageCount = count; }
  int ImageNumber() const { return FImageNumber; }
  void SetImageNumber(int number) { FImageNumber = number; }
  bool ImageError() const { return FImageError; }
  void SetImageError(bool error) { FImageError = error; }
  bool MoreBlack() const { return FMoreBlack; }
  bool MoreWhite() const { return FMoreWhite; }
  const std::string& SaveFileName() const { return FSaveFileName; }
  // Saves the working picture (or the shown one, with SaveCroppedArea) in the format the extension names.
  void SetSaveName(const std::string& name);
  bool OverWrite() const { return FOverWrite; }
  void SetOverWrite(bool overWrite) { FOverWrite = overWrite; }
  bool FitWindow() const { return FFitWindow; }
  bool FitWidth() const { return FFitWidth; }
  bool Crop() const { return FCrop; }
  const std::string& CountImagesinFile() const { return FCountImagesinFile; }
  void SetCountImagesinFile(const std::string& name) { CountImages(name); }
  const std::string& AlternateExt() const { return FAlternateExt; }
  bool Expand() const { return FExpand; }
  int ReScale() const { return FReScale; }
  int ScrollerX() const { return FScrollerX; }
  void SetScrollerThumbPosX(int x) { FScrollerX = x; }
  int ScrollerY() const { return FScrollerY; }
  void SetScrollerThumbPosY(int y) { FScrollerY = y; }
  int ScrollBoxW() const { return FScrollBoxW; }
  void SetScrollBoxW(int width) { FScrollBoxW = width; }
  int ScrollBoxH() const { return FScrollBoxH; }
  void SetScrollBoxH(int height) { FScrollBoxH = height; }
  bool SaveCroppedArea() const { return FSaveCroppedArea; }
  void SetSaveArea(bool flag) { FSaveCroppedArea = flag; }
  bool ImageLoaded() const { return FImageLoaded; }
  // True declares the working picture a new image, named "xxx.tif", and shows it at actual size.
  void SetFileLoaded(bool flag);
  int MagRatio() const { return FMagRatio; }
  void SetMagnification(int ratio) { FMagRatio = ratio; }
  int MagStep() const { return FMagStep; }
  void SetMagStepInt(int step) { FMagStep = step; }
  cl::TBitmap* ThumbNail() const { return FThumbNail; }
  const std::string& Version() const { return FVersion; }

  // The text of the last load or save message (never cleared).
  const std::string& StatusText() const { return FStatusText; }
  // Image-to-screen factor of the last display: 1.0 at actual size, 0.0 after an empty load.
  const Real48& DisplayScale() const { return FDisplayScale; }

  // The programs' way to load: ResetFile(name, zero rectangle, Crop, not FitWindow).
  void ChangeFile(const std::string& name);
  void ResetFile(const std::string& name, const cl::TRect& source, bool crop, bool actualSize);
  // Shows a copy of another control's working picture.
  void ReplaceWith(TLoadImage* other, const cl::TRect& source, bool crop, bool actualSize);
  // Shows the working picture again with these display settings; nothing without a file name.
  void ReDraw(const cl::TRect& source, bool crop, bool actualSize);
  // The display step: sizes, draws and shows the shown picture.
  void SizeAndShow();
  // Hides the control and repaints what lay under it at once.
  void HideNow();

  const std::string& get_filename() const { return FFileName; }
  const cl::TRect& get_rect() const { return FSourceRect; }
  // The unit's rectangle, which every writer sets to zero: always (0, 0, 0, 0).
  cl::TRect GetRect() const { return kZeroRect; }
  void SetDesignedSize(int top, int left, int width, int height);
  void GetDesignedSize(int& top, int& left, int& width, int& height) const;
  // Store the extension with a leading "." added when it has none; it matches the upper-cased key only when it is
  // written in upper case. An empty text leaves the old value.
  void SetAlternateExt(const std::string& extension);
  void SetExt(const std::string& extension);
  // "TIF" in the name (case-sensitive): ImageCount := its TIFF page count; "DCX": its DCX page count.
  void CountImages(const std::string& name);

 protected:
  // After the form is built: the designed box is the control's bounds; no stretching, sizing or centring.
  void Loaded() override;

 private:
  // Extension key as the readers and writers compare it: the extension, upper-cased, cut to four characters.
  static std::string ExtensionKey(const std::string& name);
  // Fills the working picture from the file by the key's readers and the TIFF fallback; returns the error code.
  int ReadWorkingPicture(const std::string& name);
  void ReadJPEG(const std::string& name, bool& readFlag);
  // Puts a bitmap made by the format library into the working picture (0 empties it).
  void TakeWorkingBitmap(HBITMAP bitmap);
  HBITMAP WorkingBitmapHandle() const;
  // Stores the display settings and clips the source rectangle against the working bitmap.
  void StoreDisplaySettings(const cl::TRect& source, bool crop, bool actualSize);
  // Hides the control, copies the working picture to the shown one and runs the display step.
  void ShowWorkingPicture();
  // Shown picture := copy of the working picture, then the display step.
  void CopyWorkingPictureAndSize();
  bool CanDrawStraightFromWorking() const;
  DisplayLayout ComputeLayout(int pictureWidth, int pictureHeight) const;
  // Takes the layout's scale and fit ratios and moves the control to its bounds.
  void ApplyLayout(const DisplayLayout& layout);
  void DrawShownPicture(const DisplayLayout& layout);
  // Stretches the layout's source area from source (null: the shown bitmap itself) onto the shown bitmap, with
  // the stretch mode for its colours.
  void StretchOntoShown(HDC source, const DisplayLayout& layout);
  void ReportError(int code);
  // Writes source to target in the format of key; true on success. Exceptions of the class library's writers pass.
  bool WritePicture(const std::string& key, const std::string& target, cl::TBitmap* source, bool monochrome);
  // The crop tool switches itself off (dropping its rectangle) before a load or a replacement. The tool is never
  // switched on until it is built, so this has nothing to undo yet.
  void DiscardCropTool() {}

  static constexpr cl::TRect kZeroRect{};

  // Unit-wide state, one copy for all instances: a second control changes it for the first.
  static inline bool UnitImageLoaded = false;
  static inline bool UnitThumbnailMade = false;
  static inline bool UnitLastTransformResult = false;

  cl::TPicture* FWorkingPicture = nullptr;  // owned
  std::string FFileName;
  std::string FStatusText;
  cl::TRect FSourceRect;
  bool FClipValid = false;
  bool FCropShown = false;
  bool FActualSize = false;
  Real48 FDisplayScale = Real48::One();
  DesignedBox FDesignedBox;
  Real48 FFitX;
  Real48 FFitY;
  int FScreenDepth = 0;
  HPALETTE FSavedPalette = nullptr;   // palette of the bitmap last saved; owned by its picture
  cl::TBitmap* FThumbNail = nullptr;  // owned when set

  uint16_t FCompression = 208;
  bool FShowTiffSize = false;
  int FImageCount = 0;
  int FImageNumber = 1;
  bool FImageError = false;
  bool FMoreBlack = false;
  bool FMoreWhite = false;
  std::string FSaveFileName;
  bool FOverWrite = true;
  bool FFitWindow = false;
  bool FFitWidth = false;
  bool FCrop = false;
  std::string FCountImagesinFile;
  std::string FAlternateExt;
  bool FExpand = false;
  int FReScale = 100;
  int FScrollerX = 0;
  int FScrollerY = 0;
  int FScrollBoxW = 0;
  int FScrollBoxH = 0;
  bool FSaveCroppedArea = false;
  bool FImageLoaded = false;
  int FMagRatio = 200;
  int FMagStep = 20;
  std::string FVersion;
};

}  // namespace img
