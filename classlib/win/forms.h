// TForm: a top-level window built in code. Its components come from CreateComponents under the load protocol
// (csLoading, CreateComponents, ReadState, Loaded, realign, OnCreate, show when Visible); it shows, hides, closes
// with OnCloseQuery/OnClose and the close actions, runs modally, and frees itself later through Release.
#pragma once

#include <vector>

#include "classlib/win/custom_controls.h"

namespace cl {

class TMainMenu;
class TMenuItem;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = Set<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poScreenCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
CL_ENUM_INFO(TWindowState, wsNormal, wsMinimized, wsMaximized)
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TCloseEvent = Event<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = Event<void(TObject* Sender, bool& CanClose)>;

class TForm : public TCustomControl {
  CL_PUBLISHED_CLASS(TForm, TCustomControl)
 public:
  explicit TForm(TComponent* owner);
  // Runs the load protocol (or, for CreateNew, only OnCreate).
  void AfterConstruction() override;
  // OnDestroy first, with everything still alive.
  void BeforeDestruction() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition position) { FPosition = position; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  // The resolution the form's layout is meant for (96 unless set); forms are never rescaled by the library, so
  // these are only stored for components that adapt a layout themselves.
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int pixelsPerInch) { FPixelsPerInch = pixelsPerInch; }
  bool Scaled() const { return FScaled; }
  void SetScaled(bool scaled) { FScaled = scaled; }

  // Showing follows the real window: SetWindowPlacement or ShowWindow elsewhere also change it.
  void Show();
  void Close();
  // OnCloseQuery's answer; an MDI frame asks each child first (in z-order) and refuses when one refuses.
  virtual bool CloseQuery();
  // Frees the form once the messages now queued are handled; a second call changes nothing.
  void Release();
  // Runs the form modally (through the test responder where one is installed) and returns its ModalResult.
  virtual TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult result) { FModalResult = result; }
  bool Modal() const { return FModal; }
  bool Active() const { return FActive; }

  // MDI frame (fsMDIForm): the client window holding the children, and the children.
  HWND ClientHandle() const { return FClientHandle; }
  TForm* ActiveMDIChild() const;
  int MDIChildCount() const;
  // Children in z-order, the active one first.
  TForm* MDIChildren(int index) const;
  void Tile();
  void Cascade();
  void ArrangeIcons();
  // Activates the next or the previous child in the frame's order, as Ctrl+F6 and Ctrl+Shift+F6 do.
  void Next();
  void Previous();
  // The frame's menu item whose submenu lists the children (the MDI window list); choosing one activates it.
  TMenuItem* WindowMenu() const { return FWindowMenu; }
  void SetWindowMenu(TMenuItem* item);

  // The menu bar; nil removes it. An MDI child shows no bar of its own: while it is active, its menu merges into
  // the frame's (TMainMenu::Merge).
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* menu);

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // A control of the form took the focus: it becomes ActiveControl, which gets the focus back whenever the form
  // is activated again (after a modal window, a switch to another program).
  void FocusChanged(TWinControl* control);

  const TNotifyEvent& OnCreate() const { return FOnCreate; }
  void SetOnCreate(const TNotifyEvent& e) { FOnCreate = e; }
  const TNotifyEvent& OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(const TNotifyEvent& e) { FOnDestroy = e; }
  const TNotifyEvent& OnShow() const { return FOnShow; }
  void SetOnShow(const TNotifyEvent& e) { FOnShow = e; }
  const TNotifyEvent& OnHide() const { return FOnHide; }
  void SetOnHide(const TNotifyEvent& e) { FOnHide = e; }
  const TNotifyEvent& OnActivate() const { return FOnActivate; }
  void SetOnActivate(const TNotifyEvent& e) { FOnActivate = e; }
  const TNotifyEvent& OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(const TNotifyEvent& e) { FOnDeactivate = e; }
  const TCloseEvent& OnClose() const { return FOnClose; }
  void SetOnClose(const TCloseEvent& e) { FOnClose = e; }
  const TCloseQueryEvent& OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(const TCloseQueryEvent& e) { FOnCloseQuery = e; }
  const TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(const TNotifyEvent& e) { FOnPaint = e; }

  // True when a menu shortcut of the form took the key (the menus answer it). An MDI child's keys go to the
  // frame's merged menu when the frame has one.
  virtual bool IsShortCut(WORD key, TShiftState shift);
  // Focuses the next (or previous) tab stop after the focused control.
  void SelectNext(bool forward);

  void Dispatch(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  void AlignControls(TControl* control, TRect& rect) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Paint() override;
  // Fires OnCreate; an exception goes to Application->HandleException.
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  virtual void DoClose(TCloseAction& action);
  // Shows or hides the real window after Visible changed.
  void ShowingChanged();

 private:
  template <class T>
  friend T* CreateNew(TComponent* owner);
  void SetFirstShowPosition();
  void HandleActivate(TMessage& message);
  TModalResult RunModalLoop();
  std::vector<TForm*> MDIChildList() const;
  void CreateMDIClient();
  void MDIChildParams(TCreateParams& params);
  void SetActive(bool active);
  TForm* MDIFrame() const;
  // Puts the menu (and, for a frame, the window list) on the window's menu bar.
  void ShowMenuBar();
  // An MDI child's menu into (or out of) the frame's menu bar.
  void MergeMenu(bool merge);
  // Rebuilds the frame's window list from the children's captions.
  void RefreshWindowList();
  void StoreActiveControl(TWinControl* control);

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = {biSystemMenu, biMinimize, biMaximize};
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  int FPixelsPerInch = 96;
  bool FScaled = true;
  TModalResult FModalResult = mrNone;
  TWinControl* FActiveControl = nullptr;
  TMainMenu* FMenu = nullptr;
  TMenuItem* FWindowMenu = nullptr;
  HWND FClientHandle = nullptr;
  bool FCreatingNew = false;
  bool FModal = false;
  bool FActive = false;
  bool FShownOnce = false;
  bool FReleasing = false;
  TNotifyEvent FOnCreate;
  TNotifyEvent FOnDestroy;
  TNotifyEvent FOnShow;
  TNotifyEvent FOnHide;
  TNotifyEvent FOnActivate;
  TNotifyEvent FOnDeactivate;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
  TNotifyEvent FOnPaint;
};

using TCustomForm = TForm;

// A form made at run time without its components: only the constructor and OnCreate run.
template <class T>
T* CreateNew(TComponent* owner) {
  T* form = new T(owner);
  form->FCreatingNew = true;
  try {
    form->AfterConstruction();
  } catch (...) {
    form->Free();
    throw;
  }
  return form;
}

// The form a control sits on, or null.
TForm* GetParentForm(const TControl* control);

}  // namespace cl
