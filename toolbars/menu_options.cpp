#include "toolbars/menu_options.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/win/menus.h"

namespace tbr::menus {

TTitle::TTitle() : FFont(cl::New<cl::TFont>()), FBitmap(cl::New<cl::TBitmap>()) {
  FFont->SetName("Arial");
  FFont->SetSize(24);
  FFont->SetStyle({cl::fsBold});
  FFont->SetColor(cl::clWhite);
}

void TTitle::BeforeDestruction() {
  cl::FreeAndNil(FFont);
  cl::FreeAndNil(FBitmap);
  inherited::BeforeDestruction();
}

void TTitle::Assign(const cl::TPersistent* source) {
  const auto* title = dynamic_cast<const TTitle*>(source);
  if (!title) {
    inherited::Assign(source);
    return;
  }
  FAlign = title->FAlign;
  FAlignment = title->FAlignment;
  FText = title->FText;
  FFont->Assign(title->FFont);
  FColorBegin = title->FColorBegin;
  FColorEnd = title->FColorEnd;
  FWidth = title->FWidth;
  FDirection = title->FDirection;
  FVisible = title->FVisible;
  FBitmap->Assign(title->FBitmap);
}

void TColors::Assign(const cl::TPersistent* source) {
  const auto* colors = dynamic_cast<const TColors*>(source);
  if (!colors) {
    inherited::Assign(source);
    return;
  }
  FBorder = colors->FBorder;
  FMenu = colors->FMenu;
  FMenuText = colors->FMenuText;
  FMenuShadow = colors->FMenuShadow;
  FHighlight = colors->FHighlight;
  FHighlightText = colors->FHighlightText;
  FDisabledText = colors->FDisabledText;
  FDisabledShadow = colors->FDisabledShadow;
  FLine = colors->FLine;
  FLineShadow = colors->FLineShadow;
}

TBaseOptions::TBaseOptions(cl::TCollection* collection)
    : cl::TCollectionItem(collection),
      FTitle(cl::New<TTitle>()),
      FBackground(cl::New<cl::TBitmap>()),
      FColors(cl::New<TColors>()) {}

void TBaseOptions::BeforeDestruction() {
  cl::FreeAndNil(FTitle);
  cl::FreeAndNil(FBackground);
  cl::FreeAndNil(FColors);
  inherited::BeforeDestruction();
}

void TBaseOptions::Assign(const cl::TPersistent* source) {
  const auto* options = dynamic_cast<const TBaseOptions*>(source);
  if (!options) {
    inherited::Assign(source);
    return;
  }
  FItemHeight = options->FItemHeight;
  FSeparatorHeight = options->FSeparatorHeight;
  FIndent = options->FIndent;
  FAlignment = options->FAlignment;
  FHighlight = options->FHighlight;
  FCtl3D = options->FCtl3D;
  FFitToBackground = options->FFitToBackground;
  FItemSpace = options->FItemSpace;
  FTitle->Assign(options->FTitle);
  FBackground->Assign(options->FBackground);
  FColors->Assign(options->FColors);
}

void TOptions::Assign(const cl::TPersistent* source) {
  inherited::Assign(source);
  if (const auto* options = dynamic_cast<const TOptions*>(source)) {
    FTimeout = options->FTimeout;
    FDoubleSpeed = options->FDoubleSpeed;
    FOpenAnimation = options->FOpenAnimation;
    FCloseAnimation = options->FCloseAnimation;
  }
}

TSubmenuOptions::TSubmenuOptions(cl::TCollection* collection) : TBaseOptions(collection), FFont(cl::New<cl::TFont>()) {}

void TSubmenuOptions::BeforeDestruction() {
  cl::FreeAndNil(FFont);
  inherited::BeforeDestruction();
}

void TSubmenuOptions::Assign(const cl::TPersistent* source) {
  inherited::Assign(source);
  if (const auto* options = dynamic_cast<const TSubmenuOptions*>(source)) {
    FFont->Assign(options->FFont);
    FParentFont = options->FParentFont;
    FShowHint = options->FShowHint;
    FMenuItem = options->FMenuItem;
  }
}

void TSubmenuOptions::SetFont(const cl::TFont* font) {
  FFont->Assign(font);
  SetItemHeight(std::max(ItemHeight(), 8 - FFont->Height()));
}

void TSubmenuOptions::SetMenuItem(cl::TMenuItem* item) {
  if (item && item->Count() == 0) {
    throw cl::EInvalidOperation(item->Name() + " doesn't contains any submenu items");
  }
  FMenuItem = item;
}

TSubmenuOptions* TSubMenus::OptionsOf(const cl::TMenuItem* item) const {
  TSubmenuOptions* found = nullptr;
  for (int i = 0; i < Count(); ++i) {
    if (item && Items(i)->MenuItem() == item) found = Items(i);
  }
  return found;
}

}  // namespace tbr::menus
