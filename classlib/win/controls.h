// TControl: the base of everything placed on a form. It keeps bounds, alignment, visibility, text and colour in
// the object, turns mouse messages into MouseDown/MouseMove/MouseUp/Click, and sends the CM_ notifications its
// setters promise. Windowed controls (TWinControl) add a window; graphic controls draw on their parent's.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/component.h"
#include "classlib/core/events.h"
#include "classlib/core/set.h"
#include "classlib/core/types.h"
#include "classlib/core/cursors.h"
#include "classlib/win/messages.h"

namespace cl {

class TFont;
class TPopupMenu;
class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TControlStyleFlag {
  csAcceptsControls,
  csCaptureMouse,
  csClickEvents,
  csOpaque,
  csSetCaption,
  csDoubleClicks,
  csNoStdEvents,
  csReplicatable
};
using TControlStyle = Set<TControlStyleFlag>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = Set<TShiftStateFlag>;

using TMouseEvent = Event<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = Event<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = Event<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = Event<void(TObject* Sender, char& Key)>;

// The shift state of a mouse message's key flags.
TShiftState MouseKeysToShiftState(WPARAM keys);
// The shift state of the keyboard now (GetKeyState).
TShiftState KeyboardShiftState();

class TControl : public TComponent {
  CL_PUBLISHED_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* owner);
  void BeforeDestruction() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);  // (v)

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int left, int top, int width, int height);  // (v)
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect ClientRect() const;  // (v)
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientSize(int width, int height);
  // The client area's top-left in screen coordinates.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint point) const;
  TPoint ScreenToClient(TPoint point) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);

  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  // Caption and Text are one storage.
  std::string Text() const { return GetText(); }
  void SetText(const std::string& text);
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& text) { SetText(text); }

  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool parentColor);
  // The control's font; the setter copies. With ParentFont the parent's font is copied on each change of it.
  TFont* Font() const { return FFont; }
  void SetFont(const TFont* font);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool parentFont);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor) { FCursor = cursor; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }
  // With ParentShowHint (the default) ShowHint follows the parent's; setting ShowHint ends that.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool showHint);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool parentShowHint);
  // The menu a right click (WM_CONTEXTMENU) opens over this control when its AutoPopup is on; cleared when the
  // menu is freed.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int context) { FHelpContext = context; }

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle style) { FControlStyle = style; }

  // True when this control and all its parents are visible (and the top one has a showing window).
  virtual bool Showing() const;

  virtual void Invalidate();
  // Paints pending invalid areas now.
  void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  // The palette the control draws with, which its form realizes for it; null for none.
  virtual HPALETTE GetPalette() { return nullptr; }
  // The system palette changed (foreground: the form is becoming active and may take the colours it needs):
  // realizes the palette of a visible control (in the foreground, or as a background palette) and repaints the
  // control when that changed its colours. True when there was a palette to realize.
  virtual bool PaletteChanged(bool foreground);

  // Puts the control above (or below) its siblings; a window without a parent goes to the top (or bottom) of the
  // windows on the screen, without being activated.
  void BringToFront() { SetZOrder(true); }
  void SendToBack() { SetZOrder(false); }
  virtual void SetZOrder(bool topMost);

  // Sends a message to this control's WndProc and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Capture for this control: the parent's window holds the real capture for a graphic control.
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);

  // Message path: WndProc (pre-processing) -> Dispatch (message handlers) -> DefaultHandler.
  virtual void WndProc(TMessage& message);
  virtual void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& e) { FOnClick = e; }
  const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(const TNotifyEvent& e) { FOnDblClick = e; }
  const TMouseEvent& OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(const TMouseEvent& e) { FOnMouseDown = e; }
  const TMouseMoveEvent& OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(const TMouseMoveEvent& e) { FOnMouseMove = e; }
  const TMouseEvent& OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(const TMouseEvent& e) { FOnMouseUp = e; }
  const TNotifyEvent& OnResize() const { return FOnResize; }
  void SetOnResize(const TNotifyEvent& e) { FOnResize = e; }

  virtual void Click();
  virtual void DblClick();

 protected:
  virtual std::string GetText() const { return FText; }
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void Resize();
  void Notification(TComponent* component, TOperation operation) override;
  // Opens PopupMenu at a screen point ((-1, -1): from the keyboard, at the top-left); false when there is none
  // to open.
  bool ContextPopup(int x, int y);
  // Moves the control on the screen after a bounds change; windowed controls move their window.
  virtual void BoundsChanged(bool resized);
  // Asks the parent to re-align after a change that moves aligned controls.
  void RequestAlign();

  // The text as stored, for TWinControl which keeps the window in step.
  const std::string& StoredText() const { return FText; }
  void StoreText(const std::string& text) { FText = text; }
  void StoreBounds(int left, int top, int width, int height);
  // Records visibility that changed outside the setter (a form's real window), without notifications.
  void StoreVisible(bool visible) { FVisible = visible; }

  TControlStyle FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};

 private:
  // Invalidates, with erasing, the parent's area under the control: the place it leaves or shrinks from.
  void InvalidatePlace();
  friend class TWinControl;
  void TakeParentFont();
  // Tells the windowed children that ShowHint changed.
  void ShowHintChanged();
  void HandleMouseButton(TMessage& message, TMouseButton button, bool down, bool doubleClick);

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  std::string FText;
  TColor FColor = 0x80000000 | COLOR_WINDOW;
  bool FParentColor = false;
  TFont* FFont = nullptr;
  bool FParentFont = true;
  TCursor FCursor = crDefault;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  int FHelpContext = 0;
  TPopupMenu* FPopupMenu = nullptr;
  bool FClickPending = false;
  TNotifyEvent FOnClick;
  TNotifyEvent FOnDblClick;
  TMouseEvent FOnMouseDown;
  TMouseMoveEvent FOnMouseMove;
  TMouseEvent FOnMouseUp;
  TNotifyEvent FOnResize;
};

}  // namespace cl
