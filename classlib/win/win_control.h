// TWinControl: a control with a window. The window is made lazily from CreateParams (parent chain first, then
// the windowed children), bound to the object on its first message, and its messages run WndProc -> Dispatch ->
// DefaultHandler (the superclassed system procedure or DefWindowProcA). It aligns its children, paints its
// graphic children and routes mouse messages over them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/win/controls.h"

namespace cl {

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  HMENU Menu = nullptr;         // a child's id, or a top-level window's menu
  LPVOID Param = nullptr;       // lpParam of CreateWindowExA (CLIENTCREATESTRUCT, MDICREATESTRUCT)
  UINT ClassStyle = 0;          // WNDCLASS style
  std::string WinClassName;     // the class this control registers: its ClassName()
  std::string SystemClassName;  // the system class it superclasses ("BUTTON"), or ""
};

class TWinControl : public TControl {
  CL_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* owner);
  void BeforeDestruction() override;

  // The window, made with the parent chain when missing.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // Destroys the window and makes it again from CreateParams (when it existed).
  void RecreateWnd();

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Child controls, bottom of the z-order first.
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The topmost visible child whose bounds contain pos (client coordinates); disabled ones only on request.
  TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;
  // Performs message on every child.
  void Broadcast(TMessage& message);

  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  // Places the aligned children again.
  void Realign();

  bool Showing() const override;
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  void Invalidate() override;

  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int order) { FTabOrder = order; }
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool tabStop) { FTabStop = tabStop; }
  virtual bool CanFocus() const;
  virtual void SetFocus();
  // A window without a parent moves in the screen's z-order.
  void SetZOrder(bool topMost) override;
  // The children first, the topmost first; in the foreground the first that realizes a palette ends the walk.
  bool PaletteChanged(bool foreground) override;
  bool Focused() const { return FHandle && GetFocus() == FHandle; }

  const TKeyEvent& OnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(const TKeyEvent& e) { FOnKeyDown = e; }
  const TKeyEvent& OnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(const TKeyEvent& e) { FOnKeyUp = e; }
  const TKeyPressEvent& OnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(const TKeyPressEvent& e) { FOnKeyPress = e; }

  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  void DestroyHandle();
  // The area the aligned children share; the base gives the client rectangle.
  virtual void AdjustClientRect(TRect& rect) const;
  // Places the aligned children inside rect: alTop, alBottom, alLeft, alRight, then alClient takes the rest.
  virtual void AlignControls(TControl* control, TRect& rect);
  // A child's bounds changed (after the change).
  virtual void ControlBoundsChanged(TControl* control) {}
  // Draws the control itself in WM_PAINT; the base draws nothing (a custom control paints its canvas).
  virtual void PaintWindow(HDC dc) {}
  // Draws the visible graphic children in z-order.
  void PaintControls(HDC dc);

  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);

  void BoundsChanged(bool resized) override;
  std::string GetText() const override;
  // Reads the bounds back from the window after it moved (the user, the system, MDI arranging).
  void UpdateBounds();
  // The window DefaultHandler passes messages to (kept until WM_NCDESTROY, unlike Handle).
  HWND BoundWindow() const { return FBoundWnd; }
  // The procedure DefaultHandler calls; set by CreateWnd (the superclass's, or DefWindowProcA).
  WNDPROC FDefWndProc = DefWindowProcA;

 private:
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  friend class TControl;
  void CreateHandle();
  void BindWindow(HWND wnd);
  void ReleaseWindow(HWND wnd);
  void ClearDeadHandles();
  void RegisterWindowClass(const TCreateParams& params);
  bool RouteMouseToChild(TMessage& message);
  void HandleKeyDown(TMessage& message);
  bool DoKeyDown(TMessage& message);
  void PreprocessKeyDown(TMessage& message);
  bool IsMenuShortCut(WORD key, TShiftState shift);
  bool IsDialogKey(WORD key, LPARAM keyData);
  bool ReflectToChild(TMessage& message);
  void EraseBackground(TMessage& message);
  void PaintMessage(TMessage& message);
  // Paints like WM_PAINT into the DC of WM_PRINTCLIENT (a bitmap's).
  void PrintClient(TMessage& message);
  void SizeMessage(TMessage& message);
  void ApplyText();
  // Sends CM_SHOWINGCHANGED here and to the windowed children whose Showing changed since they last heard.
  void UpdateShowing();
  // WM_SETCURSOR over the client area: Screen->Cursor when set, else the cursor of the control under the mouse.
  bool SetCursorMessage(TMessage& message);
  // WM_CONTEXTMENU over a graphic child with a PopupMenu opens the child's.
  bool RouteContextMenuToChild(TMessage& message);

  HWND FHandle = nullptr;
  HWND FBoundWnd = nullptr;  // the window DefaultHandler passes messages to, kept until WM_NCDESTROY
  std::vector<TControl*> FControls;
  int FAlignLevel = 0;
  bool FAlignPending = false;
  int FTabOrder = -1;
  bool FTabStop = false;
  bool FKeyDownDone = false;
  bool FShowingNotified = false;  // Showing as last announced with CM_SHOWINGCHANGED
  TKeyEvent FOnKeyDown;
  TKeyEvent FOnKeyUp;
  TKeyPressEvent FOnKeyPress;
};

// Key messages of the application loop go first to the control as CN_BASE + message (menu shortcuts, KeyDown,
// dialog keys), and Alt+character to its form as CM_DIALOGCHAR (accelerators); true when it consumed the key, which
// is then not dispatched.
bool PreprocessKeyMessage(const MSG& msg);

// The control bound to a window of this thread, or null.
TWinControl* FindControl(HWND wnd);
// The control at a screen point: the control of the window there (or of its nearest ancestor that has one), or
// its topmost visible graphic child under the point (disabled ones too with allowDisabled).
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);
// The graphic control holding the mouse capture through its parent's window, or null.
TControl* CaptureControl();

}  // namespace cl
