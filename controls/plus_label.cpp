#include "controls/plus_label.h"

#include <array>

#include "classlib/core/finally.h"
#include "classlib/win/colors.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics_tools.h"

namespace ctl {

// The fonts of the style states met while laying out or painting, made on first use: Font or AltFont with the
// state's font style.
class TPlusLabel::Fonts : public PlusMeasurer {
 public:
  Fonts(HDC dc, const cl::TFont* font, const cl::TFont* altFont) : FDC(dc), FFont(font), FAltFont(altFont) {}
  ~Fonts() override {
    for (cl::TFont* font : FMade) cl::Free(font);
  }
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  cl::TFont* For(uint8_t style) {
    cl::TFont*& font = FMade[style & psFontBits];
    if (!font) {
      font = cl::New<cl::TFont>();
      font->Assign(style & psAltFont ? FAltFont : FFont);
      font->SetStyle(cl::TFontStyles::FromMask(style & (psBold | psItalic | psUnderline | psStrikeOut)));
    }
    return font;
  }

  int TextWidth(std::string_view text, uint8_t style) override {
    cl::gdi::SelectGuard select(FDC, For(style)->Handle());
    SIZE size{};
    GetTextExtentPoint32A(FDC, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  int SpaceWidth(uint8_t style) override { return TextWidth(" ", style); }

 private:
  HDC FDC;
  const cl::TFont* FFont;
  const cl::TFont* FAltFont;
  std::array<cl::TFont*, psFontBits + 1> FMade{};
};

// Draws one line after another with the current position of the DC, which the text output moves along.
class TPlusLabel::LinePainter {
 public:
  LinePainter(const TPlusLabel& label, HDC dc, Fonts& fonts, const RECT& clip)
      : FLabel(label), FDC(dc), FFonts(fonts), FClip(clip), FText(label.Caption()) {
    SetTextAlign(FDC, TA_UPDATECP | TA_BASELINE);
  }

  void Paint(const PlusLine& line, int x, int baseline, int extra) {
    FBaseline = baseline;
    MoveToEx(FDC, x, baseline, nullptr);
    SetStyle(line.Style);
    const bool justify = extra > 0 && PlusLineStretches(FLabel.FJustified, line);
    SetTextJustification(FDC, 0, 0);
    if (justify && line.JustifyStart == line.Start) SetTextJustification(FDC, extra, line.Spaces);
    const int end = std::min<int>(line.End, static_cast<int>(FText.size()));
    for (int i = line.Start; i < end; ++i) {
      if (justify && i == line.JustifyStart && i != line.Start) {
        Flush();
        SetTextJustification(FDC, extra, line.Spaces);
      }
      const char c = FText[i];
      if (i == FLabel.FAccelIndex) {
        // The accelerator: the character after the "&" underlined, both passed.
        Flush();
        if (i + 1 < end) DrawAccelerator(FText[++i]);
        continue;
      }
      switch (ClassifyPlusChar(c)) {
        case PlusChar::Text:
        case PlusChar::Space:
          FRun += c;
          break;
        case PlusChar::Markup:
          Flush();
          SetStyle(FStyle ^ PlusMarkupBit(c));
          break;
        case PlusChar::Tab:
          Flush();
          Tab();
          break;
        case PlusChar::Fill:
          Flush();
          FillLine();
          return;
        default:
          break;  // line ends and other control characters are not drawn
      }
    }
    Flush();
  }

 private:
  void SetStyle(uint8_t style) {
    FStyle = style;
    SelectObject(FDC, FFonts.For(style)->Handle());
    if (style & psHighlight) {
      SetTextColor(FDC, cl::ColorToRGB(FLabel.FHighlightColor) & 0xFFFFFF);
      SetBkColor(FDC, cl::ColorToRGB(FLabel.FHighlightBackgnd) & 0xFFFFFF);
      SetBkMode(FDC, OPAQUE);
    } else {
      const cl::TColor color = FLabel.Enabled() ? FFonts.For(style)->Color() : cl::clGrayText;
      SetTextColor(FDC, cl::ColorToRGB(color) & 0xFFFFFF);
      SetBkMode(FDC, TRANSPARENT);
    }
  }

  void Output(const std::string& text) {
    ExtTextOutA(FDC, 0, 0, ETO_CLIPPED, &FClip, text.data(), static_cast<UINT>(text.size()), nullptr);
  }

  void Flush() {
    if (FRun.empty()) return;
    Output(FRun);
    FRun.clear();
  }

  POINT Position() const {
    POINT pos{};
    GetCurrentPositionEx(FDC, &pos);
    return pos;
  }

  void DrawAccelerator(char c) {
    const uint8_t style = FStyle;
    SetStyle(style | psUnderline);
    Output(std::string(1, c));
    SetStyle(style);
  }

  void Tab() {
    const POINT pos = Position();
    const int stop =
        NextPlusTabStop(pos.x, FLabel.FLeftMargin - FLabel.FLeftOrigin, FLabel.FTabStops, FFonts.SpaceWidth(FStyle));
    if (FStyle & psHighlight) {
      const int top = FBaseline - FLabel.FBaseline;
      RECT skipped{pos.x, top, stop, top + FLabel.FLineHeight};
      cl::gdi::Object<HBRUSH> brush(
          static_cast<HBRUSH>(cl::gdi::Track(CreateSolidBrush(cl::ColorToRGB(FLabel.FHighlightColor) & 0xFFFFFF))));
      FillRect(FDC, &skipped, brush.Get());
    }
    MoveToEx(FDC, stop, FBaseline, nullptr);
  }

  void FillLine() {
    const int dash = FFonts.TextWidth("-", FStyle);
    // A dash without width would never reach the edge.
    if (dash <= 0) return;
    const int rest = FClip.right - Position().x;
    if (rest < 0) return;
    Output(std::string(rest / dash + 1, '-'));
  }

  const TPlusLabel& FLabel;
  HDC FDC;
  Fonts& FFonts;
  RECT FClip;
  const std::string FText;
  std::string FRun;
  uint8_t FStyle = 0;
  int FBaseline = 0;
};

TPlusLabel::TPlusLabel(cl::TComponent* owner) : TLabel(owner), FAltFont(cl::New<cl::TFont>()) {
  FAltFont->SetOnChange(cl::TNotifyEvent([this](cl::TObject*) { Relayout(); }));
}

void TPlusLabel::BeforeDestruction() {
  cl::FreeAndNil(FAltFont);
  inherited::BeforeDestruction();
}

void TPlusLabel::SetAltFont(const cl::TFont* font) {
  FAltFont->Assign(font);
}

void TPlusLabel::SetBorderStyle(TPlusBorderStyle style) {
  if (style == FBorderStyle) return;
  FBorderStyle = style;
  Relayout();
}

void TPlusLabel::SetHighlightColor(cl::TColor color) {
  if (color == FHighlightColor) return;
  FHighlightColor = color;
  Invalidate();
}

void TPlusLabel::SetHighlightBackgnd(cl::TColor color) {
  if (color == FHighlightBackgnd) return;
  FHighlightBackgnd = color;
  Invalidate();
}

void TPlusLabel::SetJustified(bool justified) {
  if (justified == FJustified) return;
  FJustified = justified;
  Invalidate();
}

void TPlusLabel::SetLeftMargin(int margin) {
  if (margin == FLeftMargin) return;
  FLeftMargin = margin;
  Relayout();
}

void TPlusLabel::SetRightMargin(int margin) {
  if (margin == FRightMargin) return;
  FRightMargin = margin;
  Relayout();
}

void TPlusLabel::SetTabStops(int stops) {
  if (stops == FTabStops) return;
  FTabStops = stops;
  Relayout();
}

void TPlusLabel::SetLineHeight(int height) {
  if (height == 0) {
    FAutoLineHeight = true;
    MeasureFont();
    Invalidate();
    return;
  }
  // A height below one pixel would break the line arithmetic; it counts as one.
  FAutoLineHeight = false;
  FLineHeight = std::max(1, height);
  AdjustBounds();
  Invalidate();
}

void TPlusLabel::SetLeftOrigin(int origin) {
  if (origin == FLeftOrigin) return;
  FLeftOrigin = origin;
  Invalidate();
}

void TPlusLabel::SetTopOrigin(int origin) {
  if (origin == FTopOrigin) return;
  FTopOrigin = origin;
  Invalidate();
}

void TPlusLabel::SetLayout(PlusVerticalLayout layout) {
  if (layout == FLayout) return;
  FLayout = layout;
  Invalidate();
}

void TPlusLabel::SetShowAccelChar(bool show) {
  if (show == FShowAccelChar) return;
  FShowAccelChar = show;
  Relayout();
}

bool TPlusLabel::ParentHasWindow() const {
  return Parent() && Parent()->HandleAllocated();
}

uint8_t TPlusLabel::FontStyleBits() const {
  return static_cast<uint8_t>(Font()->Style().Mask() & (psBold | psItalic | psUnderline | psStrikeOut));
}

int TPlusLabel::AvailableWidth() const {
  if (!WordWrap()) return kPlusUnlimitedWidth;
  return std::max(ClientWidth() - FLeftMargin - FRightMargin - BorderWidth(), FLineHeight);
}

void TPlusLabel::LayoutText() {
  FLaidOutAccel = FShowAccelChar;
  FLaidOutWrap = WordWrap();
  const std::string caption = Caption();
  if (!ParentHasWindow()) {
    FLines.assign(1, PlusLine{0, static_cast<int32_t>(caption.size()), 0, 0, 0, FontStyleBits()});
    FWidest = 0;
    FAccelIndex = -1;
    return;
  }
  cl::gdi::WindowDC screen(nullptr);
  Fonts fonts(screen.Get(), Font(), FAltFont);
  PlusLayout layout = LayoutPlusText(caption, FShowAccelChar, AvailableWidth(), FTabStops, FontStyleBits(), fonts);
  FLines = std::move(layout.Lines);
  FWidest = layout.Widest;
  FAccelIndex = layout.AccelIndex;
}

void TPlusLabel::AdjustBounds() {
  if (!AutoSize() || !ParentHasWindow() || ComponentState().Contains(cl::csLoading)) return;
  const int width = WordWrap() ? Width() : FWidest + FLeftMargin + FRightMargin + BorderWidth();
  const int height = GetLineCount() * FLineHeight + BorderWidth();
  FSizing = true;
  auto done = cl::Finally([this] { FSizing = false; });
  SetBounds(Left(), Top(), width, height);
}

void TPlusLabel::MeasureFont() {
  if (!ParentHasWindow()) return;
  cl::gdi::WindowDC screen(nullptr);
  cl::gdi::SelectGuard select(screen.Get(), Font()->Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.Get(), &metrics);
  if (FAutoLineHeight) FLineHeight = metrics.tmHeight + metrics.tmInternalLeading;
  FBaseline = FLineHeight - metrics.tmDescent - 1;
  FMeasured = true;
  LayoutText();
  AdjustBounds();
}

void TPlusLabel::Relayout() {
  LayoutText();
  AdjustBounds();
  Invalidate();
}

void TPlusLabel::SetBounds(int left, int top, int width, int height) {
  const int oldWidth = Width();
  inherited::SetBounds(left, top, width, height);
  if (!FSizing && Width() != oldWidth && WordWrap()) {
    LayoutText();
    AdjustBounds();
  }
}

void TPlusLabel::SetParent(cl::TWinControl* parent) {
  FMeasured = false;
  inherited::SetParent(parent);
}

void TPlusLabel::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case cl::CM_FONTCHANGED:
      // The label's own text rules replace the plain label's sizing.
      cl::TGraphicControl::Dispatch(message);
      MeasureFont();
      Invalidate();
      return;
    case cl::CM_TEXTCHANGED:
      cl::TGraphicControl::Dispatch(message);
      Relayout();
      TextChanged();
      return;
    default:
      inherited::Dispatch(message);
  }
}

void TPlusLabel::Paint() {
  if (!FMeasured) MeasureFont();
  if (FShowAccelChar != FLaidOutAccel || WordWrap() != FLaidOutWrap) {
    LayoutText();
    AdjustBounds();
  }
  cl::TCanvas* canvas = Canvas();
  cl::TRect area = ClientRect();
  cl::TBrush* brush = canvas->Brush();
  brush->SetColor(Color());
  brush->SetStyle(Transparent() ? cl::bsClear : cl::bsSolid);
  if (FBorderStyle == pbSingle) {
    canvas->Rectangle(area);
    area = cl::Rect(area.Left + 1, area.Top + 1, area.Right - 1, area.Bottom - 1);
  } else if (!Transparent()) {
    canvas->FillRect(area);
  }
  brush->SetStyle(cl::bsClear);

  const int clientHeight = ClientHeight() - BorderWidth();
  const int count = GetLineCount();
  const int offset = PlusVerticalOffset(FLayout, clientHeight, FLineHeight, count);
  const PlusVisibleLines visible = PlusVisibleRange(FTopOrigin, offset, clientHeight, FLineHeight, count);
  if (visible.Last < visible.First) return;

  HDC dc = canvas->Handle();
  // The fonts outlive the saved state, so that none is deleted while still selected.
  Fonts fonts(dc, Font(), FAltFont);
  cl::gdi::SaveDCGuard saved(dc);
  const RECT clip{area.Left, area.Top, area.Right, area.Bottom};
  LinePainter painter(*this, dc, fonts, clip);
  const PlusAlignment alignment = static_cast<PlusAlignment>(Alignment());
  const int textWidth = ClientWidth() - FLeftMargin - FRightMargin - BorderWidth();
  for (int i = visible.First; i <= visible.Last; ++i) {
    const PlusLine& line = FLines[i];
    const bool stretched = PlusLineStretches(FJustified, line) && textWidth > line.Width;
    const int x = PlusLineX(alignment, stretched, ClientWidth(), FLeftMargin, FRightMargin, line.Width, FLeftOrigin);
    painter.Paint(line, x, FBaseline + i * FLineHeight + offset - FTopOrigin, textWidth - line.Width);
  }
}

}  // namespace ctl
