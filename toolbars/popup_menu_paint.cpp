// Painting of the menu window: everything goes into the buffer first (the whole menu on a full paint, else only
// the rows whose selection changed), and the buffer is copied to the window from the edge it grows from.
#include <optional>

#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "toolbars/menu_engine.h"
#include "toolbars/menu_title.h"
#include "toolbars/popup_menu_form.h"

namespace tbr::menus {
namespace {

// Where the parts of a row lie, from its top and the rows' left (x0) and right limit.
constexpr int kTextTop = 2;
constexpr int kShortCutGap = 10;
constexpr int kSeparatorLine = 3;
constexpr int kGlyphLeft = 5;
constexpr int kGlyphTop = 2;
constexpr int kArrowRight = 14;  // the arrow's base from the right limit
constexpr int kArrowTip = 11;
constexpr int kArrowTop = 6;
constexpr int kArrowHalf = 3;

cl::TColor RoleColor(const TColors* colors, TMenuColorRole role) {
  switch (role) {
    case crHighlight:
      return colors->Highlight();
    case crHighlightText:
      return colors->HighlightText();
    case crDisabledText:
      return colors->DisabledText();
    case crMenuText:
      break;
  }
  return colors->MenuText();
}

UINT AlignmentFlag(cl::TAlignment alignment) {
  switch (alignment) {
    case cl::taRightJustify:
      return DT_RIGHT;
    case cl::taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

void FillSolid(cl::TCanvas* canvas, const cl::TRect& rect, cl::TColor color) {
  canvas->Brush()->SetStyle(cl::bsSolid);
  canvas->Brush()->SetColor(color);
  canvas->FillRect(rect);
}

void DrawEdgeRect(cl::TCanvas* canvas, const cl::TRect& rect, UINT edge) {
  canvas->Changing();
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  DrawEdge(canvas->Handle(), &r, edge, BF_RECT);
  canvas->Changed();
}

void DrawText(cl::TCanvas* canvas, cl::TRect rect, const std::string& text, cl::TColor color, UINT flags) {
  canvas->Brush()->SetStyle(cl::bsClear);
  canvas->Font()->SetColor(color);
  canvas->TextRect(rect, text, flags | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
}

void DrawArrow(cl::TCanvas* canvas, int right, int top, cl::TColor color) {
  const cl::TPoint points[] = {cl::Point(right - kArrowRight, top + kArrowTop),
                               cl::Point(right - kArrowRight, top + kArrowTop + 2 * kArrowHalf),
                               cl::Point(right - kArrowTip, top + kArrowTop + kArrowHalf)};
  canvas->Pen()->SetColor(color);
  canvas->Brush()->SetStyle(cl::bsSolid);
  canvas->Brush()->SetColor(color);
  canvas->Polygon(points, 3);
}

}  // namespace

void TPopupMenuExForm::Paint() {
  PaintBuffer();
  CopyBufferTo(Canvas()->Handle());
}

void TPopupMenuExForm::PaintNow() {
  if (!HandleAllocated()) return;
  PaintBuffer();
  cl::gdi::WindowDC dc(Handle());
  CopyBufferTo(dc.Get());
}

void TPopupMenuExForm::CopyBufferTo(HDC dc) {
  if (FBuffer->Empty() || Width() <= 0 || Height() <= 0) return;
  const cl::TPoint source = MenuBufferSource(cl::Point(FBuffer->Width(), FBuffer->Height()),
                                             cl::Point(Width(), Height()), FOpensLeftward, FOpensUpward);
  BitBlt(dc, 0, 0, Width(), Height(), FBuffer->Canvas()->Handle(), source.X, source.Y, SRCCOPY);
}

void TPopupMenuExForm::PaintBuffer() {
  if (!FMenuHandle || FBuffer->Width() <= 2 * kMenuEdge || FBuffer->Height() <= 2 * kMenuEdge) return;
  TBaseOptions* options = ActiveOptions();
  cl::TCanvas* canvas = FBuffer->Canvas();
  const int width = FBuffer->Width();
  const int height = FBuffer->Height();
  const bool title = HasSideTitle();
  const bool leftTitle = title && options->Title()->Align() == alLeft;
  const int titleWidth = title ? options->Title()->Width() : 0;
  const int x0 = leftTitle ? titleWidth : 0;
  const int right = width - (title && !leftTitle ? titleWidth : 0);
  cl::TBitmap* background = options->Background();
  std::optional<cl::gdi::PaletteGuard> palette;
  if (!background->Empty() && background->Palette()) palette.emplace(canvas->Handle(), background->Palette());

  if (FFullPaint) {
    canvas->SetFont(Font());
    FillSolid(canvas, cl::Rect(0, 0, width, height), options->Colors()->Menu());
    DrawEdgeRect(canvas, cl::Rect(0, 0, width, height), EDGE_RAISED);
    if (title) DrawMenuTitle(canvas, options->Title(), width, height);
    if (options->ItemSpace() > 0) {
      CopyBackground(cl::Rect(x0 + kMenuEdge, kMenuEdge, right - kMenuEdge, kMenuEdge + options->ItemSpace()), x0);
    }
  }
  int top = options->ItemSpace() + kMenuEdge;
  for (int i = 0; i < ItemCount(); ++i) {
    const Row& row = FRows[i];
    if (row.Layout.Kind == rkUnreadable) continue;
    if (MenuRowNeedsPaint(FFullPaint, i, FItemIndex, FPrevItemIndex)) PaintRow(row, i, top, x0, right);
    top += row.Layout.Height + options->ItemSpace();
  }
  if (FFullPaint) {
    CopyBackground(cl::Rect(x0 + kMenuEdge, top, right - kMenuEdge, height - kMenuEdge), x0);
    PaintFrame(x0, right);
  }
  FFullPaint = false;
}

void TPopupMenuExForm::CopyBackground(const cl::TRect& dest, int x0) {
  cl::TBitmap* background = ActiveOptions()->Background();
  if (background->Empty()) return;
  // The background's top-left lies at the rows' top-left corner; it is not repeated.
  const int originX = x0 + kMenuEdge;
  const int originY = kMenuEdge;
  const cl::TRect clipped = cl::Rect(dest.Left, dest.Top, std::min(dest.Right, originX + background->Width()),
                                     std::min(dest.Bottom, originY + background->Height()));
  if (clipped.Width() <= 0 || clipped.Height() <= 0) return;
  FBuffer->Canvas()->CopyRect(
      clipped, background->Canvas(),
      cl::Rect(clipped.Left - originX, clipped.Top - originY, clipped.Right - originX, clipped.Bottom - originY));
}

void TPopupMenuExForm::PaintRow(const Row& row, int index, int top, int x0, int right) {
  TBaseOptions* options = ActiveOptions();
  const TColors* colors = options->Colors();
  cl::TCanvas* canvas = FBuffer->Canvas();
  const int height = row.Layout.Height;
  const cl::TRect rowRect = cl::Rect(x0 + kMenuEdge, top, right - kMenuEdge, top + height);
  const MenuRowState state{index == FItemIndex, row.Layout.Kind == rkSeparator, row.Enabled, FKeyboardSelect};
  const MenuRowPaint paint = DecideMenuRowPaint(state, options->Highlight(), x0, right, FTextWidth, options->Indent());

  // The row and the gap below it: the menu colour, with the background bitmap's part over it.
  const cl::TRect withGap = cl::Rect(rowRect.Left, top, rowRect.Right, top + height + options->ItemSpace());
  FillSolid(canvas, withGap, colors->Menu());
  CopyBackground(withGap, x0);
  if (paint.HighlightFilled) {
    FillSolid(canvas, cl::Rect(rowRect.Left, top, paint.FillRight, top + height), colors->Highlight());
  }
  if (paint.Bevel != rbNone)
    DrawEdgeRect(canvas, rowRect, paint.Bevel == rbLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER);

  if (row.Layout.Kind == rkSeparator) {
    canvas->Pen()->SetColor(colors->Line());
    canvas->MoveTo(x0 + kMenuEdge + 1, top + kSeparatorLine);
    canvas->LineTo(right - kMenuEdge - 1, top + kSeparatorLine);
    canvas->Pen()->SetColor(colors->LineShadow());
    canvas->MoveTo(x0 + kMenuEdge + 1, top + kSeparatorLine + 1);
    canvas->LineTo(right - kMenuEdge - 1, top + kSeparatorLine + 1);
    return;
  }
  // A control's row stays empty.
  if (row.Control) return;

  const int indent = options->Indent();
  cl::TFontStyles style = Font()->Style();
  if (row.Default) style.Include(cl::fsBold);
  if (paint.Underline) style.Include(cl::fsUnderline);
  canvas->Font()->SetStyle(style);
  const cl::TRect textRect = cl::Rect(x0 + indent, top + kTextTop, x0 + indent + FTextWidth, top + kTextTop + height);
  const UINT alignment = AlignmentFlag(options->Alignment());
  const cl::TRect shortCutRect =
      cl::Rect(x0 + FTextWidth + indent + kShortCutGap, top + kTextTop, right - kMenuEdge, top + kTextTop + height);
  auto offset = [](cl::TRect r) { return cl::Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1); };
  if (paint.TextShadow) {
    DrawText(canvas, offset(textRect), row.Caption, colors->DisabledShadow(), alignment);
    DrawText(canvas, offset(shortCutRect), row.ShortCut, colors->DisabledShadow(), DT_LEFT | DT_NOPREFIX);
  }
  DrawText(canvas, textRect, row.Caption, RoleColor(colors, paint.Text), alignment);
  DrawText(canvas, shortCutRect, row.ShortCut, RoleColor(colors, paint.Text), DT_LEFT | DT_NOPREFIX);
  canvas->Font()->SetStyle(Font()->Style());

  if (row.HasSubmenu) {
    if (paint.ArrowShadow) DrawArrow(canvas, right + 1, top + 1, colors->DisabledShadow());
    DrawArrow(canvas, right, top, RoleColor(colors, paint.Arrow));
  }
  PaintGlyph(row, rowRect, paint.Highlighted);
}

void TPopupMenuExForm::PaintGlyph(const Row& row, const cl::TRect& rowRect, bool highlighted) {
  const TColors* colors = ActiveOptions()->Colors();
  cl::TCanvas* canvas = FBuffer->Canvas();
  HBITMAP checked = row.CheckedBitmap;
  HBITMAP unchecked = row.UncheckedBitmap;
  // Without bitmaps of its own, an item shows the program's bitmap of its name, or else of its caption.
  cl::gdi::Object<HBITMAP> loaded;
  if (!checked && !unchecked) {
    loaded.Reset(LoadItemBitmap(row.Name));
    if (!loaded) loaded.Reset(LoadItemBitmap(row.Caption));
    checked = unchecked = loaded.Get();
  }
  // A square box as high as the row at its left.
  const int height = rowRect.Height();
  const cl::TRect box = cl::Rect(rowRect.Left, rowRect.Top, rowRect.Left + height, rowRect.Bottom);
  const cl::TRect inside = cl::Rect(box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1);
  const int glyphX = rowRect.Left - kMenuEdge + kGlyphLeft;
  const int glyphY = rowRect.Top + kGlyphTop;
  HBITMAP glyph = nullptr;
  if (row.Checked) {
    DrawEdgeRect(canvas, box, BDR_SUNKENOUTER);
    if (highlighted) {
      FillSolid(canvas, inside, colors->Menu());
    } else {
      canvas->Brush()->SetStyle(cl::bsSolid);
      canvas->Brush()->SetBitmap(PatternBitmap());
      canvas->FillRect(inside);
      canvas->Brush()->SetBitmap(nullptr);
    }
    glyph = checked ? checked : (row.Radio ? RadioItemBitmap() : CheckMarkBitmap());
  } else if (unchecked) {
    if (highlighted) {
      DrawEdgeRect(canvas, box, BDR_RAISEDINNER);
      FillSolid(canvas, inside, colors->Menu());
    }
    glyph = unchecked;
  }
  if (!glyph) return;
  if (row.Enabled) {
    DrawTransparentGlyph(canvas, glyphX, glyphY, glyph);
  } else {
    DrawDisabledGlyph(canvas, glyphX, glyphY, glyph);
  }
}

void TPopupMenuExForm::PaintFrame(int x0, int right) {
  cl::TCanvas* canvas = FBuffer->Canvas();
  const int height = FBuffer->Height();
  const cl::TPoint points[] = {cl::Point(x0 + 2, 2), cl::Point(x0 + 2, height - 3), cl::Point(right - 3, height - 3),
                               cl::Point(right - 3, 2)};
  canvas->Pen()->SetColor(ActiveOptions()->Colors()->Menu());
  canvas->Brush()->SetStyle(cl::bsClear);
  canvas->Polygon(points, 4);
}

}  // namespace tbr::menus
