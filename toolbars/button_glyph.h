// TButtonGlyph: what a toolbar button draws. It turns the button's source picture (a Glyph bitmap holding up to
// five state images side by side, with an optional GlyphMask, or one image of an image list) into one masked image
// per draw state, kept in the shared glyph lists; makes the embossed disabled image when the glyph has none; and
// draws glyph, caption and dropdown arrow where the button's layout puts them.
#pragma once

#include <string>

#include "classlib/core/events.h"
#include "classlib/core/object.h"
#include "classlib/win/colors.h"
#include "classlib/win/stdctrls.h"
#include "toolbars/core/glyph_layout.h"

namespace cl {
class TBitmap;
class TCanvas;
class TChangeLink;
class TCustomImageList;
}  // namespace cl

namespace tbr {

class TGlyphList;

class TButtonGlyph : public cl::TObject {
  CL_CLASS(TButtonGlyph, cl::TObject)
 public:
  TButtonGlyph();
  void BeforeDestruction() override;

  // The source picture; the setters copy. A new glyph also sets NumGlyphs from its proportions.
  cl::TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(const cl::TBitmap* glyph);
  // White where the glyph is transparent; empty when the glyph's bottom-left colour marks transparency.
  cl::TBitmap* GlyphMask() const { return FGlyphMask; }
  void SetGlyphMask(const cl::TBitmap* mask);
  // An image list to take the picture from instead (not owned; the button clears it when the list goes).
  cl::TCustomImageList* Images() const { return FImages; }
  void SetImages(cl::TCustomImageList* images);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);
  // 1 to 5 images side by side in Glyph; 1 with an image list (other values become 1).
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int numGlyphs);
  // The older embossing of the generated disabled image (dark pixels raised instead of light ones sunk).
  bool OldDisabledStyle() const { return FOldDisabledStyle; }
  void SetOldDisabledStyle(bool oldStyle);
  // The glyph's bottom-left colour (palette-relative), which marks its transparent pixels.
  cl::TColor TransparentColor() const { return FTransparentColor; }

  // Fired after every change of the source (the button repaints).
  const cl::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const cl::TNotifyEvent& e) { FOnChange = e; }

  // Gives every built image back; they are built again when next drawn (after the source or the system colours
  // changed).
  void DropImages();

  // The image of a draw state, built on first use; a null list when there is nothing to show.
  struct StateImage {
    TGlyphList* List = nullptr;
    int Index = -1;
  };
  StateImage BuildStateImage(TButtonDrawState state);

  void DrawGlyphImage(cl::TCanvas* canvas, cl::TPoint pos, TButtonDrawState state);
  void DrawCaptionText(cl::TCanvas* canvas, const std::string& caption, TButtonDrawState state,
                       cl::TAlignment alignment, bool wordWrap, const cl::TRect& rect);
  void DrawDropArrow(cl::TCanvas* canvas, int x, int y, TButtonDrawState state);

  struct ButtonContent {
    TButtonDrawState State = bsUp;
    bool DrawArrow = false;
    int Spacing = 4;
    int Margin = -1;
    TButtonLayout Layout = blGlyphLeft;
    cl::TAlignment Alignment = cl::taCenter;
    bool WordWrap = false;
    std::string Caption;
    bool ShowText = true;
    bool ShowGlyph = true;
    cl::TPoint Offset;
  };
  // Lays glyph, caption and arrow out in clientRect and draws each that is shown.
  void DrawButton(cl::TCanvas* canvas, const cl::TRect& clientRect, const ButtonContent& content);

 private:
  void SourceChanged(cl::TObject* sender);
  // Drops the images, then fires OnChange.
  void Invalidate();
  cl::TRect MeasureCaption(cl::TCanvas* canvas, const std::string& caption, bool wordWrap, int width) const;

  // The three ways a state's image is made (the cell has the glyph's cell size; disabled images one more).
  int BuildGeneratedDisabled(TGlyphList* list, const cl::TRect& cell, bool deep);
  int BuildOwnDisabled(TGlyphList* list, const cl::TRect& cell, bool deep);
  int BuildOtherState(TGlyphList* list, const cl::TRect& cell);

  cl::TBitmap* FGlyph;
  cl::TBitmap* FGlyphMask;
  cl::TCustomImageList* FImages = nullptr;
  cl::TChangeLink* FImageChangeLink;
  int FImageIndex = -1;
  int FNumGlyphs = 1;
  bool FOldDisabledStyle = false;
  cl::TColor FTransparentColor = cl::clNone;
  // Row 0 holds disabled images, row 1 the others; columns are draw states; -1 = not built.
  TGlyphList* FLists[2] = {nullptr, nullptr};
  int FIndexes[2][kDrawStateCount];
  cl::TNotifyEvent FOnChange;
};

}  // namespace tbr
