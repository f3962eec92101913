// The look and animation of the owner-drawn menus: TOptions for a whole menu, TSubmenuOptions for the submenu
// of one item (collected in TSubMenus), both on TBaseOptions with its side title (TTitle) and colour set
// (TColors). Plain settings: a menu window reads them whenever it lays out or paints.
#pragma once

#include <string>

#include "classlib/core/collections.h"
#include "classlib/core/object.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/graphics_tools.h"
#include "classlib/win/stdctrls.h"
#include "toolbars/core/menu_layout.h"
#include "toolbars/core/popup_placement.h"

namespace cl {
class TMenuItem;
}

namespace tbr::menus {

// The coloured band at the side of a top-level menu window.
class TTitle : public cl::TPersistent {
  CL_CLASS(TTitle, cl::TPersistent)
 public:
  TTitle();
  void BeforeDestruction() override;
  // From another title: all ten settings.
  void Assign(const cl::TPersistent* source) override;

  TTitleAlign Align() const { return FAlign; }
  void SetAlign(TTitleAlign align) { FAlign = align; }
  // Where text and bitmap lie along the band: bottom (left justified), top (right justified) or centred.
  cl::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(cl::TAlignment alignment) { FAlignment = alignment; }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text) { FText = text; }
  // Arial, 24 points, bold, white; the setter copies.
  cl::TFont* Font() const { return FFont; }
  void SetFont(const cl::TFont* font) { FFont->Assign(font); }
  // The band runs from ColorEnd at the top to ColorBegin at the bottom.
  cl::TColor ColorBegin() const { return FColorBegin; }
  void SetColorBegin(cl::TColor color) { FColorBegin = color; }
  cl::TColor ColorEnd() const { return FColorEnd; }
  void SetColorEnd(cl::TColor color) { FColorEnd = color; }
  int Width() const { return FWidth; }
  void SetWidth(int width) { FWidth = width; }
  // True: the text reads upwards; false: downwards.
  bool Direction() const { return FDirection; }
  void SetDirection(bool upwards) { FDirection = upwards; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible) { FVisible = visible; }
  // The setter copies.
  cl::TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(const cl::TBitmap* bitmap) { FBitmap->Assign(bitmap); }

 private:
  TTitleAlign FAlign = alLeft;
  cl::TAlignment FAlignment = cl::taLeftJustify;
  std::string FText;
  cl::TFont* FFont;
  cl::TColor FColorBegin = cl::clBlack;
  cl::TColor FColorEnd = cl::clNavy;
  int FWidth = 50;
  bool FDirection = true;
  bool FVisible = false;
  cl::TBitmap* FBitmap;
};

class TColors : public cl::TPersistent {
  CL_CLASS(TColors, cl::TPersistent)
 public:
  // From another colour set: all ten colours.
  void Assign(const cl::TPersistent* source) override;

  cl::TColor Border() const { return FBorder; }
  void SetBorder(cl::TColor color) { FBorder = color; }
  cl::TColor Menu() const { return FMenu; }
  void SetMenu(cl::TColor color) { FMenu = color; }
  cl::TColor MenuText() const { return FMenuText; }
  void SetMenuText(cl::TColor color) { FMenuText = color; }
  cl::TColor MenuShadow() const { return FMenuShadow; }
  void SetMenuShadow(cl::TColor color) { FMenuShadow = color; }
  cl::TColor Highlight() const { return FHighlight; }
  void SetHighlight(cl::TColor color) { FHighlight = color; }
  cl::TColor HighlightText() const { return FHighlightText; }
  void SetHighlightText(cl::TColor color) { FHighlightText = color; }
  cl::TColor DisabledText() const { return FDisabledText; }
  void SetDisabledText(cl::TColor color) { FDisabledText = color; }
  cl::TColor DisabledShadow() const { return FDisabledShadow; }
  void SetDisabledShadow(cl::TColor color) { FDisabledShadow = color; }
  cl::TColor Line() const { return FLine; }
  void SetLine(cl::TColor color) { FLine = color; }
  cl::TColor LineShadow() const { return FLineShadow; }
  void SetLineShadow(cl::TColor color) { FLineShadow = color; }

 private:
  cl::TColor FBorder = cl::clBtnShadow;
  cl::TColor FMenu = cl::clMenu;
  cl::TColor FMenuText = cl::clMenuText;
  cl::TColor FMenuShadow = cl::clBtnShadow;
  cl::TColor FHighlight = cl::clHighlight;
  cl::TColor FHighlightText = cl::clHighlightText;
  cl::TColor FDisabledText = cl::clBtnShadow;
  cl::TColor FDisabledShadow = cl::clBtnHighlight;
  cl::TColor FLine = cl::clBtnShadow;
  cl::TColor FLineShadow = cl::clBtnHighlight;
};

// What every menu window's look is made of.
class TBaseOptions : public cl::TCollectionItem {
  CL_CLASS(TBaseOptions, cl::TCollectionItem)
 public:
  explicit TBaseOptions(cl::TCollection* collection);
  void BeforeDestruction() override;
  // From other options: the sizes, alignment, highlight, flags and copies of title, background and colours.
  void Assign(const cl::TPersistent* source) override;

  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int height) { FItemHeight = height; }
  int SeparatorHeight() const { return FSeparatorHeight; }
  void SetSeparatorHeight(int height) { FSeparatorHeight = height; }
  // Left of the captions; also the room for check marks and glyphs.
  int Indent() const { return FIndent; }
  void SetIndent(int indent) { FIndent = indent; }
  // Of the captions in their column.
  cl::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(cl::TAlignment alignment) { FAlignment = alignment; }
  TTitle* Title() const { return FTitle; }
  void SetTitle(const TTitle* title) { FTitle->Assign(title); }
  // Drawn behind the rows that are not highlighted; empty for none.
  cl::TBitmap* Background() const { return FBackground; }
  void SetBackground(const cl::TBitmap* background) { FBackground->Assign(background); }
  THighlight Highlight() const { return FHighlight; }
  void SetHighlight(THighlight highlight) { FHighlight = highlight; }
  TColors* Colors() const { return FColors; }
  void SetColors(const TColors* colors) { FColors->Assign(colors); }
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool ctl3D) { FCtl3D = ctl3D; }
  // The menu is at least as large as its background.
  bool FitToBackground() const { return FFitToBackground; }
  void SetFitToBackground(bool fit) { FFitToBackground = fit; }
  // Pixels between the rows.
  int ItemSpace() const { return FItemSpace; }
  void SetItemSpace(int space) { FItemSpace = space; }
  bool TireAwayable() const { return FTireAwayable; }
  void SetTireAwayable(bool tireAwayable) { FTireAwayable = tireAwayable; }

 private:
  int FItemHeight = 19;
  int FSeparatorHeight = 11;
  int FIndent = 27;
  cl::TAlignment FAlignment = cl::taLeftJustify;
  TTitle* FTitle;
  cl::TBitmap* FBackground;
  THighlight FHighlight = hiDefault;
  TColors* FColors;
  bool FCtl3D = true;
  bool FFitToBackground = false;
  int FItemSpace = 0;
  bool FTireAwayable = false;
};

// The options of a whole menu: its look and how its windows open and close.
class TOptions : public TBaseOptions {
  CL_CLASS(TOptions, TBaseOptions)
 public:
  TOptions() : TBaseOptions(nullptr) {}
  // From other menu options: the base's settings, the animations and their pace.
  void Assign(const cl::TPersistent* source) override;

  TAnimation OpenAnimation() const { return FOpenAnimation; }
  void SetOpenAnimation(TAnimation animation) { FOpenAnimation = animation; }
  TAnimation CloseAnimation() const { return FCloseAnimation; }
  void SetCloseAnimation(TAnimation animation) { FCloseAnimation = animation; }
  // Milliseconds per animation frame.
  int Timeout() const { return FTimeout; }
  void SetTimeout(int ms) { FTimeout = ms; }
  bool DoubleSpeed() const { return FDoubleSpeed; }
  void SetDoubleSpeed(bool doubleSpeed) { FDoubleSpeed = doubleSpeed; }

 private:
  TAnimation FOpenAnimation = anSmart;
  TAnimation FCloseAnimation = anSmart;
  int FTimeout = 20;
  bool FDoubleSpeed = false;
};

// The look of the submenu of one item, in place of the menu's options.
class TSubmenuOptions : public TBaseOptions {
  CL_CLASS(TSubmenuOptions, TBaseOptions)
 public:
  explicit TSubmenuOptions(cl::TCollection* collection);
  void BeforeDestruction() override;
  // From other submenu options: the base's settings, font, ParentFont, ShowHint and the item.
  void Assign(const cl::TPersistent* source) override;

  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool showHint) { FShowHint = showHint; }
  // Copies the font; rows become at least 8 - Font.Height pixels high.
  cl::TFont* Font() const { return FFont; }
  void SetFont(const cl::TFont* font);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool parentFont) { FParentFont = parentFont; }
  // The item whose submenu these options style; null once that item is freed. An item without sub-items raises
  // EInvalidOperation "<Name> doesn't contains any submenu items".
  cl::TMenuItem* MenuItem() const { return FMenuItem.get(); }
  void SetMenuItem(cl::TMenuItem* item);

 private:
  bool FShowHint = false;
  cl::TFont* FFont;
  bool FParentFont = true;
  cl::Weak<cl::TMenuItem> FMenuItem;
};

// The submenu options of a menu, which owns the collection.
class TSubMenus : public cl::TCollection {
  CL_CLASS(TSubMenus, cl::TCollection)
 public:
  explicit TSubMenus(cl::TPersistent* menu) : cl::TCollection(cl::MakeCollectionItem<TSubmenuOptions>, menu) {}
  TSubmenuOptions* Add() { return static_cast<TSubmenuOptions*>(inherited::Add()); }
  TSubmenuOptions* Items(int index) const { return static_cast<TSubmenuOptions*>(inherited::Items(index)); }
  // The options of item's submenu: the last entry naming it, else null.
  TSubmenuOptions* OptionsOf(const cl::TMenuItem* item) const;
};

}  // namespace tbr::menus
