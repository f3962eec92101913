#include "controls/gradients.h"

#include <optional>

#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "controls/draw_clip.h"

namespace ctl {
namespace {

constexpr WORD kPaletteVersion = 0x300;

// Draws the shapes with the canvas's origin at `origin`, then puts the canvas's brush and pen back.
void DrawShapes(cl::TCanvas* canvas, cl::TPoint origin, int style, int32_t width, int32_t height,
                const std::vector<cl::TColor>& colors) {
  cl::TBrush* brush = canvas->Brush();
  cl::TPen* pen = canvas->Pen();
  const cl::TColor oldColor = brush->Color();
  const cl::TBrushStyle oldBrushStyle = brush->Style();
  const cl::TPenStyle oldPenStyle = pen->Style();
  brush->SetStyle(cl::bsSolid);
  pen->SetStyle(cl::psClear);
  for (const TGradientShape& shape : GradientShapes(style, width, height, static_cast<int>(colors.size()))) {
    brush->SetColor(colors[shape.ColorIndex]);
    const cl::TRect r = cl::Rect(shape.Rect.Left + origin.X, shape.Rect.Top + origin.Y, shape.Rect.Right + origin.X,
                                 shape.Rect.Bottom + origin.Y);
    switch (shape.Kind) {
      case gsFill:
        canvas->FillRect(r);
        break;
      case gsRectangle:
        canvas->Rectangle(r);
        break;
      case gsEllipse:
        canvas->Ellipse(r.Left, r.Top, r.Right, r.Bottom);
        break;
    }
  }
  pen->SetStyle(oldPenStyle);
  brush->SetStyle(oldBrushStyle);
  brush->SetColor(oldColor);
}

}  // namespace

void MakeGradientColors(cl::TColor a, cl::TColor b, int count, std::vector<cl::TColor>& list) {
  // Channel arithmetic on a system colour's flag byte would give nonsense: its RGB value first.
  list = GradientColors(cl::ColorToRGB(a) & 0xFFFFFF, cl::ColorToRGB(b) & 0xFFFFFF, count);
}

cl::gdi::Object<HPALETTE> CreatePaletteFromList(const std::vector<cl::TColor>& list) {
  if (list.empty()) return {};
  std::vector<BYTE> block(sizeof(LOGPALETTE) + list.size() * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = kPaletteVersion;
  logical->palNumEntries = static_cast<WORD>(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    const auto rgb = static_cast<uint32_t>(cl::ColorToRGB(list[i]));
    logical->palPalEntry[i] = PALETTEENTRY{GetRValue(rgb), GetGValue(rgb), GetBValue(rgb), PC_NOCOLLAPSE};
  }
  return cl::gdi::Object<HPALETTE>(static_cast<HPALETTE>(cl::gdi::Track(CreatePalette(logical))));
}

void DrawGradient(cl::TCanvas* canvas, const cl::TRect& rect, int style, uint32_t offset, TDrawFlags flags,
                  HPALETTE palette, const std::vector<cl::TColor>& colors) {
  const int32_t width = rect.Width(), height = rect.Height();
  if (!canvas || colors.empty() || width <= 0 || height <= 0) return;
  const bool withPalette = (flags & dfPalette) && palette && PaletteWorkWanted();
  if (flags & dfOffScreen) {
    cl::Owned<cl::TBitmap> buffer = cl::MakeOwned<cl::TBitmap>();
    buffer->SetSize(width, height);
    {
      std::optional<cl::gdi::PaletteGuard> selected;
      if (withPalette) selected.emplace(buffer->Canvas()->Handle(), palette);
      DrawShapes(buffer->Canvas(), cl::Point(0, 0), style, width, height, colors);
    }
    std::optional<cl::gdi::PaletteGuard> selected;
    if (withPalette) selected.emplace(canvas->Handle(), palette);
    canvas->Draw(rect.Left, rect.Top, buffer.get());
    return;
  }
  std::optional<cl::gdi::PaletteGuard> selected;
  if (withPalette) selected.emplace(canvas->Handle(), palette);
  std::optional<ClipToRect> clip;
  if (flags & dfClip) clip.emplace(canvas->Handle(), rect, offset);
  DrawShapes(canvas, cl::Point(rect.Left, rect.Top), style, width, height, colors);
}

void FillGradient(cl::TCanvas* canvas, const cl::TRect& rect, cl::TColor a, uint32_t offset, TDrawFlags flags,
                  int style, int count, cl::TColor b) {
  std::vector<cl::TColor> colors;
  MakeGradientColors(a, b, count, colors);
  cl::gdi::Object<HPALETTE> palette;
  if (flags & dfPalette) palette = CreatePaletteFromList(colors);
  DrawGradient(canvas, rect, style, offset, flags, palette.Get(), colors);
}

}  // namespace ctl
