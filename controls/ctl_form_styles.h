// Components that draw parts of their owner form themselves through its messages: TCtlFormStyler paints the
// caption bar (a colour gradient under the caption text, in 3-D unless in the system's font), TCtlCustomFormFill and
// TCtlBack paint the form's background, TCtlBack by tiling an image-list entry over it.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/events.h"
#include "classlib/core/set.h"
#include "classlib/win/canvas.h"
#include "classlib/win/stdctrls.h"
#include "controls/core/caption_effects.h"
#include "controls/ctl_controls.h"
#include "controls/ctl_wndproc_component.h"

namespace cl {
class TFont;
}

namespace ctl {

// pcNone: the system draws; pcControl: the component draws; pcOwnerDraw: OnPaint draws.
enum TCtlPaintMode { pcNone, pcControl, pcOwnerDraw };

enum TCtlFormStylerOption {
  fsAdjustRect,        // an owner-drawn caption bar ends where the text ends
  fsUseDefaultFont,    // the system's caption font, bold, instead of Font
  fsUseFontColor,      // Font's colour for the text of an active caption
  fsInactiveGradient,  // inactive captions get the gradient too
  fsDrawCaptionEvent,  // OnCaptionPaint draws the text
  fsUseFormCaption,    // the form keeps its caption (otherwise the styler keeps it and the system sees a blank)
};
using TCtlFormStylerOptions = cl::Set<TCtlFormStylerOption>;

using TCtlPaintEvent = cl::Event<void(cl::TObject* Sender, cl::TCanvas* aCanvas, const cl::TRect& Dest)>;

class TCtlFormStyler : public TCtlWndProcComponent {
  CL_CLASS(TCtlFormStyler, TCtlWndProcComponent)
 public:
  explicit TCtlFormStyler(cl::TComponent* owner);
  void BeforeDestruction() override;

  cl::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(cl::TAlignment alignment);
  // Gradient steps, 2 to 236.
  int Colors() const { return FColors; }
  void SetColors(int colors);
  cl::TFont* Font() const { return FFont; }
  // The 3-D effect of the caption text when the styler's own Font is used (without fsUseDefaultFont).
  TCtl3DCaption* Font3D() const { return FFont3D; }
  void SetFont3D(const TCtl3DCaption* caption) { FFont3D->Assign(caption); }
  TCtlPaintMode PaintMode() const { return FPaintMode; }
  void SetPaintMode(TCtlPaintMode mode);
  TCtlFormStylerOptions Options() const { return FOptions; }
  void SetOptions(TCtlFormStylerOptions options);
  const TCtlPaintEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(const TCtlPaintEvent& e) { FOnPaint = e; }
  const TCtlPaintEvent& OnCaptionPaint() const { return FOnCaptionPaint; }
  void SetOnCaptionPaint(const TCtlPaintEvent& e) { FOnCaptionPaint = e; }

  // Draws the caption bar now, when the window shows one.
  void PaintCaption();

 protected:
  void HookOn() override;
  void HookOff() override;
  void MessageHandler(cl::TMessage& message) override;

 private:
  bool Styling() const;
  // The text the caption shows: the form's own, or the one kept while the form shows a blank.
  std::string CaptionText() const;
  void SelectCaptionFont(cl::TCanvas& canvas, bool small);
  void DrawIcon(HDC dc, const cl::TRect& caption, bool small);

  cl::TAlignment FAlignment = cl::taLeftJustify;
  int FColors = 32;
  cl::TFont* FFont = nullptr;
  TCtl3DCaption* FFont3D = nullptr;
  TCtlPaintMode FPaintMode = pcControl;
  TCtlFormStylerOptions FOptions = {fsAdjustRect, fsUseDefaultFont, fsUseFormCaption};
  TCtlPaintEvent FOnPaint;
  TCtlPaintEvent FOnCaptionPaint;
  bool FActive = true;
  bool FPainting = false;
  bool FKeptCaption = false;
  std::string FCaption;
};

class TCtlCustomFormFill : public TCtlWndProcComponent {
  CL_CLASS(TCtlCustomFormFill, TCtlWndProcComponent)
 public:
  explicit TCtlCustomFormFill(cl::TComponent* owner);

  bool DefaultFill() const { return FDefaultFill; }
  void SetDefaultFill(bool fill) { FDefaultFill = fill; }
  TCtlImageListLink& ImageLink() { return FLink; }
  TCtlPaintMode PaintMode() const { return FPaintMode; }
  void SetPaintMode(TCtlPaintMode mode);
  const TCtlPaintEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(const TCtlPaintEvent& e) { FOnPaint = e; }

 protected:
  void MessageHandler(cl::TMessage& message) override;
  void Notification(cl::TComponent* component, cl::TOperation operation) override;
  virtual void ImageListChanged();
  // Paints the background of the hooked window's client area into dc; false when it painted nothing.
  virtual bool PaintBackground(cl::TCanvas* canvas, const cl::TRect& client);
  void InvalidateWindow(bool erase);

 private:
  bool FDefaultFill = true;
  TCtlImageListLink FLink;
  TCtlPaintMode FPaintMode = pcControl;
  TCtlPaintEvent FOnPaint;
};

// The form's background tiled with an image-list entry.
class TCtlBack : public TCtlCustomFormFill {
  CL_CLASS(TCtlBack, TCtlCustomFormFill)
 public:
  explicit TCtlBack(cl::TComponent* owner) : TCtlCustomFormFill(owner) {}

 protected:
  bool PaintBackground(cl::TCanvas* canvas, const cl::TRect& client) override;
};

}  // namespace ctl
