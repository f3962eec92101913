// The arithmetic of an owner-drawn menu window: the rows it shows, the size they need, which row a point falls
// on, how the selection moves over separators, and the paint decisions of one row. The window reads its rows
// from a native menu and draws what these functions decide.
#pragma once

#include <vector>

#include "classlib/core/types.h"

namespace tbr::menus {

// A position of the native menu as the window lays it out. A position that cannot be read takes no room and
// cannot be selected.
enum TMenuRowKind { rkItem, rkSeparator, rkUnreadable };

struct MenuRow {
  TMenuRowKind Kind = rkItem;
  int Height = 0;         // ItemHeight, SeparatorHeight, or what a control row needs
  int CaptionWidth = 0;   // the text before the tab
  int ShortCutWidth = 0;  // the text after it
};

enum TTitleAlign { alLeft, alRight };

struct MenuLayoutOptions {
  int ItemSpace = 0;
  int Indent = 27;
  // The side title of a top-level window (0 when it shows none) and its side.
  int TitleWidth = 0;
  TTitleAlign TitleAlign = alLeft;
  // With FitToBackground the content is at least as large as the background bitmap allows.
  bool FitToBackground = false;
  int BackgroundWidth = 0;
  int BackgroundHeight = 0;
};

// The window draws a raised edge 3 pixels wide around its rows.
constexpr int kMenuEdge = 3;

struct MenuLayout {
  int ContentWidth = 0;
  int ContentHeight = 0;
  int TextWidth = 0;  // the widest caption: the caption column
  int Width = 0;      // of the window
  int Height = 0;
};

MenuLayout LayOutMenu(const std::vector<MenuRow>& rows, const MenuLayoutOptions& options);

// The row at the window's client point (x, y) of a window bufferWidth wide, or -1 over the edge, an ItemSpace gap
// or the side title.
int MenuRowAtPoint(const std::vector<MenuRow>& rows, const MenuLayoutOptions& options, int bufferWidth, int x, int y);

// The heights of the rows before index, without the gaps between them (0 for no selection): where a submenu of
// that row opens.
int MenuRowsHeightBefore(const std::vector<MenuRow>& rows, int index);

// Where a request to select `requested` ends when `previous` was selected: below 0 wraps to the last row, past
// the last to none and on, and separators and unreadable rows are stepped over in the direction of the move. A
// menu without a selectable row ends at `previous` or at -1.
int ResolveMenuSelection(const std::vector<MenuRow>& rows, int requested, int previous);

// Mouse moves of at most 2 pixels sideways and under 3 up or down change nothing.
bool IsMenuMouseJitter(cl::TPoint last, cl::TPoint now);

enum THighlight { hiDefault, hiRectangle, hiBevelLowered, hiBevelRaised, hiShadow, hiHyperlink, hiFlash, hiShining };

// The colour roles of the options' colour set that a row's text and arrow use.
enum TMenuColorRole { crMenuText, crHighlight, crHighlightText, crDisabledText };

enum TMenuRowBevel { rbNone, rbLowered, rbRaised };

struct MenuRowState {
  bool Selected = false;
  bool Separator = false;
  bool Enabled = true;
  bool KeyboardSelect = false;  // the selection came from the keyboard
};

// How one row paints over its background (the menu colour, or its strip of the background bitmap).
struct MenuRowPaint {
  bool Highlighted = false;
  // A highlighted row of the filling styles is filled in the highlight colour from its left edge to FillRight.
  bool HighlightFilled = false;
  int FillRight = 0;
  // The other styles frame a highlighted row instead.
  TMenuRowBevel Bevel = rbNone;
  TMenuColorRole Text = crMenuText;
  // Disabled text is drawn a pixel right and down in the disabled shadow colour first.
  bool TextShadow = false;
  bool Underline = false;
  TMenuColorRole Arrow = crMenuText;
  bool ArrowShadow = false;
};

// How a row paints: x0 is the left of the rows (after a left title), right the right limit of the window's
// content, textWidth the caption column.
MenuRowPaint DecideMenuRowPaint(const MenuRowState& row, THighlight highlight, int x0, int right, int textWidth,
                                int indent);

// Whether a row is drawn in this paint: everything on a full paint, else the rows whose selection changed.
bool MenuRowNeedsPaint(bool fullPaint, int row, int itemIndex, int previousIndex);

// The part of the paint buffer a window shows while it is smaller than the buffer (opening or closing): the
// edge it grows from stays put.
cl::TPoint MenuBufferSource(cl::TPoint buffer, cl::TPoint window, bool opensLeftward, bool opensUpward);

}  // namespace tbr::menus
