// TLoadImage: the image control of both programs' forms. It reads a raster file, chosen by its extension, into a
// private working picture and shows a copy of it, scaled into the box the control was designed in, at actual size
// or cropped, in the picture of the image control it descends from. Saving writes the working (or the shown)
// picture in the format the file name's extension names. Transforms change the working picture and show it
// again; a crop tool draws a rubber band with handles over the shown picture and tracks the mouse.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "classlib/core/types.h"
#include "classlib/win/extctrls.h"
#include "image/core/display_layout.h"
#include "image/core/pixel_transforms.h"
#include "image/core/transform_geometry.h"
#include "image/core/real48.h"
#include "image/section_pixels.h"

namespace cl {
class TBitmap;
class TCanvas;
class TForm;
class TPicture;
class TScrollBox;
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
  // Transform properties: writing performs the transform on the working picture (RotateCW90 and Rotate180 only
  // for True) and shows it again; nothing happens while no image is loaded (the unit-wide flag).
  bool RotateCCW90() const { return FRotateCCW90; }
  void RotateIt270(bool value);
  bool Rotate180() const { return FRotate180; }
  void RotateIt180(bool value);
  bool RotateCW90() const { return FRotateCW90; }
  void RotateRight90(bool value);
  bool Invert() const { return FInvert; }
  void InvertTheBitMap(bool value);
  bool FlipV() const { return FFlipV; }
  void FlipitV(bool value);
  bool FlipH() const { return FFlipH; }
  void FlipitH(bool value);
  bool ShowTiffSize() const { return FShowTiffSize; }
  void SetShowSize(bool flag) { FShowTiffSize = flag; }
  int ImageCount() const { return FImageCount; }
  void SetImageCount(int count) { FImageCount = count; }
  int ImageNumber() const { return FImageNumber; }
  void SetImageNumber(int number) { FImageNumber = number; }
  bool ImageError() const { return FImageError; }
  void SetImageError(bool error) { FImageError = error; }
  // Stretch modes for monochrome pictures; setting one clears the other.
  bool MoreBlack() const { return FMoreBlack; }
  void SetMoreBlack(bool value);
  bool MoreWhite() const { return FMoreWhite; }
  void SetMoreWhite(bool value);
  const std::string& SaveFileName() const { return FSaveFileName; }
  // Saves the working picture (or the shown one, with SaveCroppedArea) in the format the extension names.
  void SetSaveName(const std::string& name);
  bool OverWrite() const { return FOverWrite; }
  void SetOverWrite(bool overWrite) { FOverWrite = overWrite; }
  bool FitWindow() const { return FFitWindow; }
  void SetFitWindow(bool value);
  // Fits the picture to the host scroll box's width (ScrollBoxW), through a new designed box.
  bool FitWidth() const { return FFitWidth; }
  void SetFitWidth(bool value);
  bool Crop() const { return FCrop; }
  void SetCropped(bool value);
  const std::string& CountImagesinFile() const { return FCountImagesinFile; }
  void SetCountImagesinFile(const std::string& name) { CountImages(name); }
  // Writing any value copies the shown picture to the clipboard (when loaded); writing True to CopyFromClipBoard
  // takes the clipboard's picture as the working picture. One field holds the last value of both.
  bool CopyToClipBoard() const { return FClipboardTransfer; }
  void SetCopyToClipBoard(bool value);
  bool CopyFromClipBoard() const { return FClipboardTransfer; }
  void SetCopyFromClipBoard(bool value);
  const std::string& AlternateExt() const { return FAlternateExt; }
  // True doubles the working picture's height.
  bool Expand() const { return FExpand; }
  void SetExpand(bool value);
  // Writing it resamples the working picture to that percentage (ScaleIt).
  int ReScale() const { return FReScale; }
  void SetReScale(int percent) { ScaleIt(percent); }
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
  // A monochrome 120 x 150 copy of a bitmap, owned by the control (MakeThumb is the setter).
  cl::TBitmap* ThumbNail() const { return FThumbNail; }
  cl::TBitmap* getTheThumbNail() const { return FThumbNail; }
  void MakeThumb(cl::TBitmap* bitmap);
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

  // Turns the working picture by angle degrees (counter-clockwise; the uncovered corners in the colour
  // background) or slants it, and declares the result a new image. False, with the picture kept, on failure.
  bool Rotate(int angle, int background);
  bool SkewImage(int angle, int background);
  // Brightness and contrast from -100 to 100; false when the picture could not be changed.
  bool ChangeBrightnessandContrast(int brightness, int contrast);
  // Gray levels through a dithered monochrome picture; true at once while no image is loaded.
  bool MakeIntoGrayscale();
  // Resamples the working picture to percent of its size (each side then stepped up to a multiple of 8) without
  // showing it again; nothing for percent 0 or less or while no image is loaded. A size beyond the pixel budget
  // is refused with ImageError, the picture kept.
  void ScaleIt(int percent);
  // Halves the working picture's height.
  void Squeeze();
  // Squeezes the picture into the top height - tabHeight rows and draws a rectangle with the canvas's pen and
  // brush below it.
  void MakeTab(int tabHeight);
  // Dashed lines every 100 pixels, each labelled with its position.
  void AddGrid();
  // Writes text on the working picture at the image point under the display point (x, y).
  void PlaceAnnotation(int x, int y, const std::string& text);
  // Sets a tag of a page (from 1) of a TIFF file.
  bool AddTag(const std::string& fileName, int page, uint16_t tag, uint16_t type, const std::string& value, int number);
  // Waits until another window comes to the front and takes a copy of it as the working picture.
  void GetOtherWindow(std::string& title);
  // Prints the bitmap on the class library's printer at (x, y): at its own size when actual, else across the page
  // width; area (x, y, width, height) picks a part when not all 0. An empty bitmap prints nothing.
  void PrintBitmap(cl::TBitmap* bitmap, int x, int y, bool actual, const cl::TRect& area, const std::string& title);

  // The crop tool: a band with eight handles over the shown picture that the mouse moves and resizes.
  void croptool_on();
  // Switches the tool off and gives whether the band changed and its rectangle in image coordinates; nothing
  // (outputs untouched) when the tool is off or the display scale is 0.
  void croptool_off(bool& changed, cl::TRect& rect);
  void draw_croptool();
  bool CropToolOn() const { return FCropTool.On; }
  // The band in display coordinates while the tool is on.
  const cl::TRect& CropBand() const { return FCropTool.Band; }

  // Copies the part of the working picture under (x, y), enlarged by MagRatio percent, into window, which
  // follows the mouse over host; nothing until the mouse moved more than MagStep pixels.
  void Magnify(cl::TForm* window, cl::TScrollBox* host, int x, int y);

  // No OnClick while the mouse is over a zone of the crop band.
  void Click() override;

 protected:
  // After the form is built: the designed box is the control's bounds; no stretching, sizing or centring.
  void Loaded() override;
  // Drags the crop band or finds the zone under the mouse.
  void MouseMove(cl::TShiftState shift, int x, int y) override;

  // Read once at creation; a subclass in the tests sets it to reach the paths of palette displays.
  int FScreenDepth = 0;

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
  // The crop tool switches itself off (dropping its rectangle) before a load or a replacement.
  void DiscardCropTool();
  // Paints the area under the band and its handles back from the copy taken when the tool was switched on.
  void RestoreUnderCropBand();
  void TrackCropMouse(bool leftButton, int x, int y);

  // ReDraw with the zero rectangle, Crop and actual size = not FitWindow: how every transform ends.
  void ShowTransformed();
  // Replaces the working bitmap by bitmap (taken over); false, with the old one kept, for null.
  bool ReplaceWorkingBitmap(HBITMAP bitmap);
  // The working bitmap through a DIB, transformed and turned back into a bitmap; false when any step failed.
  bool TransformThroughDib(HGLOBAL (*transform)(HGLOBAL));
  // A quarter turn: of the pixels themselves for a true-colour DIB section, else by the library's bitmap routine on
  // palette displays or through a DIB; the control takes the new size.
  void TurnQuarter(bool clockwise, HBITMAP (*turnBitmap)(HBITMAP), HGLOBAL (*turnDib)(HGLOBAL));
  // The pixels of a working picture in a 24 or 32-bit DIB section changed where they lie, or turned into a new
  // section; false, with nothing done, for any other picture.
  bool ChangeWorkingPixels(PixelChange change);
  bool TurnWorkingPixels(bool clockwise);
  using AngleTransform = HGLOBAL (*)(HGLOBAL, int, int, POINT*, POINT*);
  bool TransformByAngle(AngleTransform transform, int angle, int background);
  // Resizes the working bitmap and stretches a copy of the old picture over it; false, with ImageError and the
  // picture kept, for a size beyond the pixel budget or when there is no memory for it.
  bool ResampleWorkingBitmap(const PictureSize& size);
  void ShowInformation(const std::string& text);

  static constexpr cl::TRect kZeroRect{};

  // Unit-wide state, one copy for all instances: a second control changes it for the first.
  static inline bool UnitImageLoaded = false;
  static inline bool UnitThumbnailMade = false;
  static inline bool UnitLastTransformResult = false;

  cl::TPicture* FWorkingPicture = nullptr;  // owned
  SpareSections FSpareSections;
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
  HPALETTE FSavedPalette = nullptr;   // palette of the bitmap last saved; owned by its picture
  cl::TBitmap* FThumbNail = nullptr;  // owned when set

  struct CropTool {
    bool On = false;
    bool Changed = false;
    cl::TBitmap* SavedShown = nullptr;  // owned while the tool is on
    cl::TRect Band;
    int ActiveZone = 0;
    cl::TPoint LastPoint;
  };
  CropTool FCropTool;
  cl::TPoint FMagnifierPoint;

  uint16_t FCompression = 208;
  bool FRotateCCW90 = false;
  bool FRotate180 = false;
  bool FRotateCW90 = false;
  bool FInvert = false;
  bool FFlipV = false;
  bool FFlipH = false;
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
  bool FClipboardTransfer = false;
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
