#include "controls/text_3d.h"

#include "classlib/win/canvas.h"
#include "classlib/win/colors.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics_tools.h"
#include "controls/dc_canvas.h"

namespace ctl {
namespace {

// Escapement is given in tenths of a degree.
constexpr int kEscapementPerDegree = 10;

const TCtlFxCaption* AsFx(const TCtl3DCaption* caption) {
  return dynamic_cast<const TCtlFxCaption*>(caption);
}

// A copy of font turned by angle degrees; null when the font cannot be read back.
HFONT MakeRotatedFont(HFONT font, int angle) {
  LOGFONTA look{};
  if (!GetObjectA(font, sizeof look, &look)) return nullptr;
  look.lfEscapement = look.lfOrientation = angle * kEscapementPerDegree;
  return static_cast<HFONT>(cl::gdi::Track(CreateFontIndirectA(&look)));
}

COLORREF PassColor(const TCtl3DCaption& caption, TText3DColor color, cl::TColor textColor) {
  switch (color) {
    case tcLight:
      return cl::ColorToRGB(caption.LightColor()) & 0xFFFFFF;
    case tcShadow:
      return cl::ColorToRGB(caption.ShadowColor()) & 0xFFFFFF;
    case tcText:
      break;
  }
  return cl::ColorToRGB(textColor) & 0xFFFFFF;
}

}  // namespace

void DrawText3D(cl::TCanvas* canvas, const std::string& text, const TCtl3DCaption* caption, const cl::TRect* clipRect,
                int state, uint32_t format, const cl::TRect& rect) {
  if (text.empty() || rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
  HDC dc = canvas->Handle();
  const HFONT canvasFont = canvas->Font()->Handle();
  const TCtlFxCaption* fx = AsFx(caption);
  const int angle = fx ? fx->Angle() : 0;
  cl::gdi::Object<HFONT> rotated(angle ? MakeRotatedFont(canvasFont, angle) : nullptr);
  canvas->Changing();
  {
    // Everything set on the DC below (clip, font, colours, spacing) goes back with it.
    cl::gdi::SaveDCGuard saved(dc);
    if (state & dtsClip) {
      const cl::TRect& clip = clipRect ? *clipRect : rect;
      IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
    }
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, rotated ? rotated.Get() : canvasFont);
    cl::TRect box = rect;
    if (!caption) {
      SetTextColor(dc, cl::ColorToRGB(canvas->Font()->Color()) & 0xFFFFFF);
      RECT r{box.Left, box.Top, box.Right, box.Bottom};
      DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, format);
    } else {
      if (caption->Tracing()) SetTextCharacterExtra(dc, caption->Tracing());
      const TText3DLook look = Text3DLook(caption->Style(), caption->DisabledStyle(), state, canvas->Font()->Color(),
                                          canvas->Brush()->Color());
      if (fx) {
        box.Left += fx->PosX();
        box.Top += fx->PosY();
      }
      const TText3DPlan plan = Text3DPlan(look.Style, caption->LightDepth(), caption->ShadowDepth());
      box.Right -= plan.RightPullIn;
      for (const TText3DPass& pass : plan.Passes) {
        SetTextColor(dc, PassColor(*caption, pass.Color, look.TextColor));
        RECT r{box.Left + pass.Offset, box.Top + pass.Offset, box.Right + pass.Offset, box.Bottom + pass.Offset};
        if (rotated) {
          ExtTextOutA(dc, r.left, r.top, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
        } else {
          DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, format);
        }
      }
    }
  }
  canvas->Changed();
}

void CalcText3DRect(const std::string& text, TCtl3DCaption* caption, int border, bool showAccel, bool multiLine,
                    const cl::TFont* font, cl::TRect& rect) {
  cl::gdi::WindowDC screen(nullptr);
  HDC dc = screen.Get();
  cl::gdi::SaveDCGuard saved(dc);
  SelectObject(dc, font->Handle());
  const std::string measured = MeasuredText(text, showAccel);
  int depth = 0;
  if (caption) {
    // Drawing spaces the characters by Tracing, so measuring does too.
    if (caption->Tracing()) SetTextCharacterExtra(dc, caption->Tracing());
    depth = Text3DDepth(caption->Style(), caption->LightDepth(), caption->ShadowDepth());
  }
  auto* fx = dynamic_cast<TCtlFxCaption*>(caption);
  if (fx && fx->Angle() != 0) {
    SIZE size{};
    GetTextExtentPoint32A(dc, measured.data(), static_cast<int>(measured.size()), &size);
    const TRotatedTextBox box = RotatedTextBox(size.cx, size.cy, fx->Angle(), depth);
    rect.Right = rect.Left + box.Width;
    rect.Bottom = rect.Top + box.Height;
    fx->SetPos(static_cast<int16_t>(box.PosX), static_cast<int16_t>(box.PosY));
  } else {
    if (fx) fx->SetPos(0, 0);
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawTextA(dc, measured.data(), static_cast<int>(measured.size()), &r, MeasureTextFormat(multiLine, showAccel));
    rect.Right = r.right + depth;
    rect.Bottom = r.bottom + depth;
  }
  const int frame = (border + 1) * 2;
  rect.Right += frame;
  rect.Bottom += frame;
}

void AlignText3DRect(TCtlAlignment alignment, const std::string& text, TCtl3DCaption* caption, cl::TRect& rect,
                     bool showAccel, bool multiLine, const cl::TFont* font, const cl::TRect& bounds) {
  rect = bounds;
  rect.Right -= 1;
  CalcText3DRect(text, caption, 0, showAccel, multiLine, font, rect);
  rect = AlignRect(alignment, rect, bounds);
}

void DrawCaptionText(HDC dc, const std::string& text, const TCtl3DCaption* caption, const cl::TRect& rect, int state,
                     uint32_t format) {
  const COLORREF textColor = GetTextColor(dc);
  const auto font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  TDCCanvas canvas(dc);
  canvas->Font()->SetHandle(font);
  canvas->Font()->SetColor(static_cast<cl::TColor>(textColor));
  DrawText3D(canvas.get(), text, caption, nullptr, state, format, rect);
}

}  // namespace ctl
