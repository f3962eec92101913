// TPopupMenuExForm: the borderless, stay-on-top window that shows one level of an open owner-drawn menu. It
// reads its rows from a native menu by position and from the matching items, lays them out with its options,
// paints them into an off-screen bitmap and copies that to the screen, follows the mouse, opens the submenu of a
// hovered item after the submenu delay as another window linked below it, and runs the chosen item. A closed
// window stays shown at zero size. The keyboard of an open chain is the engine's (menu_engine.h).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/win/forms.h"
#include "toolbars/core/menu_layout.h"
#include "toolbars/menu_options.h"

namespace cl {
class TBitmap;
class TMenuItem;
class TTimer;
}  // namespace cl

namespace tbr::menus {

class TCustomPopupMenuEx;

class TPopupMenuExForm : public cl::TForm {
  CL_CLASS(TPopupMenuExForm, cl::TForm)
 public:
  explicit TPopupMenuExForm(cl::TComponent* owner);
  // Borderless and on top, shown at once at zero size; the first window installs the engine's hook.
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // The item whose sub-items the rows are (null once freed), the native menu read by position, and the menu
  // that opened the chain.
  cl::TMenuItem* SourceItem() const { return FSourceItem.get(); }
  void SetSourceItem(cl::TMenuItem* item);
  HMENU MenuHandle() const { return FMenuHandle; }
  void SetMenuHandle(HMENU menu) { FMenuHandle = menu; }
  TCustomPopupMenuEx* OwnerMenu() const { return FOwnerMenu.get(); }
  void SetOwnerMenu(TCustomPopupMenuEx* menu);
  // The options in use: the owner menu's submenu options for SourceItem when it has some (the last that names
  // it), else the owner menu's options.
  TBaseOptions* ActiveOptions() const;

  // The windows above and below in the chain.
  TPopupMenuExForm* ParentMenu() const { return FParentMenu.get(); }
  TPopupMenuExForm* Submenu() const { return FSubmenu.get(); }
  // The lowest open window of the chain from this one.
  TPopupMenuExForm* DeepestMenu();

  int ItemIndex() const { return FItemIndex; }
  int PrevItemIndex() const { return FPrevItemIndex; }
  // The positions of the native menu, read when the window opens.
  int ItemCount() const { return static_cast<int>(FRows.size()); }
  int TextWidth() const { return FTextWidth; }
  // The selected row's item (the ItemIndex-th visible sub-item of SourceItem), or null.
  cl::TMenuItem* SelectedItem() const;
  // The same, raising Exception "Cannot find menu item." when no item is selected.
  cl::TMenuItem* RequireSelectedItem() const;
  // The row of an item, or -1.
  int IndexOfItem(const cl::TMenuItem* item) const;

  TAnimation OpenAnimation() const { return FOpenAnimation; }
  void SetOpenAnimation(TAnimation animation) { FOpenAnimation = animation; }
  TAnimation CloseAnimation() const { return FCloseAnimation; }
  void SetCloseAnimation(TAnimation animation) { FCloseAnimation = animation; }

  // State flags of opening, closing and selecting.
  bool Changed() const { return FChanged; }
  void SetChanged(bool changed) { FChanged = changed; }
  bool KeyboardSelect() const { return FKeyboardSelect; }
  bool Animating() const { return FAnimating; }
  bool Closing() const { return FClosing; }
  void SetClosing(bool closing) { FClosing = closing; }
  // The paint buffer copies from the side the window grows from.
  bool OpensUpward() const { return FOpensUpward; }
  bool OpensLeftward() const { return FOpensLeftward; }
  // The window has a width and a height.
  bool IsOpen() const { return Width() > 0 && Height() > 0; }

  // The window's whole image, the size of the open window.
  cl::TBitmap* Buffer() const { return FBuffer; }
  cl::TTimer* SubmenuTimer() const { return FSubmenuTimer; }

  // Layout: the rows' height and width (0 without a native menu).
  virtual int GetContentHeight();
  virtual int GetContentWidth();
  // Where the selected row's submenu opens: the heights of the rows above it.
  virtual int GetSelectedItemTop();
  // Opens the window from its Left and Top, at zero size, to its full size: placed inside the work area next to
  // what opened it, growing frame by frame as its opening animation says (popup_animation.cpp). False when the
  // opening was aborted because the window started closing or its menu went away.
  virtual bool AnimateOpen();
  // Closes the window to zero size with its closing animation, without waits; ends with HideMenu.
  virtual bool AnimateClose();
  // Pixels per frame of the last opening, kept for the closing.
  int HStep() const { return FHStep; }
  int VStep() const { return FVStep; }

  // Selects a row as the keyboard does: separators are stepped over, the ends wrap.
  void SelectItem(int index);
  // Opens the selected row's submenu in a new window below this one (closing one that is open).
  void OpenSubmenu();
  // Closes the open submenu window with its close animation and lets it go.
  void CloseSubmenu();
  // Closes the window at once: zero size, no selection, no submenu.
  void HideMenu();
  // The row at a client point, or -1.
  int ItemAtPoint(int x, int y);
  // Brings this window, the windows below it and the menu hint window to the top.
  void BringChainToFront();
  // The next opening selects the first row and ignores the next mouse move (menus opened by keys).
  void PrepareKeyboardOpen();
  // Runs the selected row as a left button release does (Enter).
  void ActivateSelectedItem() { MouseUp(cl::mbLeft, {}, 1, 1); }

  // On the screen a stay-on-top menu window moves within the topmost windows, or leaves them for the top of the
  // others; without stay-on-top it goes to the top or the bottom.
  void SetZOrder(bool topMost) override;
  void Dispatch(cl::TMessage& message) override;

 protected:
  void Paint() override;
  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void MouseMove(cl::TShiftState shift, int x, int y) override;
  void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;

  // Reads the native menu's positions and measures them; called by the opening.
  void ReadRows();
  // The window's full size for the rows read last.
  cl::TPoint LayoutSize();
  // Sizes the buffer for a window of that size and asks for a full paint.
  void PrepareBuffer(cl::TPoint size);
  // An opening starts: Animating set, Closing cleared.
  void BeginOpening();
  // An opening ends: flags cleared, the submenu timer running, a keyboard opening's first row selected.
  void FinishOpening();
  // Paints the changed rows into the buffer (all of them on a full paint) and copies it to the window.
  void PaintNow();
  // Brings the window to the top of everything without activating it, hides the caret and shows the selected
  // item's hint.
  void RaiseWindow();
  void SetOpensUpward(bool upward) { FOpensUpward = upward; }
  void SetOpensLeftward(bool leftward) { FOpensLeftward = leftward; }

 private:
  // What one position of the native menu shows.
  struct Row {
    MenuRow Layout;
    // The matching item; null for a position only the native menu has, and once the item is freed.
    cl::Weak<cl::TMenuItem> Item;
    std::string Name;  // the item's name, for its bitmap
    std::string Caption;
    std::string ShortCut;
    UINT Id = 0;
    bool Enabled = true;
    bool Checked = false;
    bool Radio = false;
    bool Default = false;
    bool HasSubmenu = false;
    bool Control = false;  // a row standing for a control ("::Name")
    HBITMAP CheckedBitmap = nullptr;
    HBITMAP UncheckedBitmap = nullptr;
  };

  // One native position (and the item of its command among items) as a row; the text is measured in the
  // buffer's font.
  Row ReadRow(int position, const std::vector<cl::TMenuItem*>& items);
  MenuLayoutOptions LayoutOptions() const;
  // What the placement of a window of this size, opening with this kind, depends on.
  PopupPlacementInput PlacementInput(cl::TPoint size, TAnimation kind) const;
  bool HasSideTitle() const;
  std::vector<MenuRow> RowLayouts() const;
  // The visible sub-items of SourceItem, in order.
  std::vector<cl::TMenuItem*> VisibleItems() const;
  void SelectionChanged(int index, bool byKeyboard);
  // Ends the menus for a chosen command.
  void RunCommand();
  // Runs the selected row: opens its submenu, or chooses its command.
  void RunSelected();
  void MouseLeft();
  void TimerTick(cl::TObject* sender);
  void ReleaseSubmenu();
  void Activated();

  // Painting (popup_menu_paint.cpp).
  void PaintBuffer();
  void CopyBufferTo(HDC dc);
  // The part of the background bitmap under dest, whose top-left lies at the rows' top-left corner.
  void CopyBackground(const cl::TRect& dest, int x0);
  void PaintRow(const Row& row, int index, int top, int x0, int right);
  void PaintGlyph(const Row& row, const cl::TRect& rowRect, bool highlighted);
  void PaintFrame(int x0, int right);

  cl::Weak<cl::TMenuItem> FSourceItem;
  HMENU FMenuHandle = nullptr;
  cl::Weak<TCustomPopupMenuEx> FOwnerMenu;
  cl::Weak<TPopupMenuExForm> FParentMenu;
  cl::Weak<TPopupMenuExForm> FSubmenu;
  int FItemIndex = -1;
  int FPrevItemIndex = -1;
  std::vector<Row> FRows;
  int FTextWidth = 0;
  int FHStep = 1;
  int FVStep = 1;
  TAnimation FOpenAnimation = anVSlide;
  TAnimation FCloseAnimation = anVSlide;
  bool FChanged = false;
  bool FFullPaint = false;
  bool FOpensUpward = false;
  bool FOpensLeftward = false;
  bool FKeyboardSelect = false;
  bool FSkipMouseMove = false;
  bool FSelectFirstOnOpen = false;
  bool FAnimating = false;
  bool FClosing = false;
  cl::TBitmap* FBuffer = nullptr;
  cl::TTimer* FSubmenuTimer = nullptr;
  // The options of a window without a menu.
  TOptions* FDefaultOptions = nullptr;
};

}  // namespace tbr::menus
