// OLE drag and drop: a component that makes one window a drop target for files, texts, bitmaps and metafiles from
// other programs, and starts drags of such data out of the program.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <array>
#include <string>

#include "classlib/core/component.h"
#include "classlib/core/events.h"
#include "classlib/core/exceptions.h"
#include "classlib/win/com.h"
#include "classlib/win/controls.h"
#include "controls/drag_drop_data.h"

namespace cl {
class TBitmap;
class TMetafile;
class TStringList;
class TWinControl;
}  // namespace cl

namespace ctl {

class OleDragDrop;

class EDragDropOleError : public cl::Exception {
 public:
  using Exception::Exception;
};

// The data of a drop or of a drag: one object per kind, by slot (a string list of file names, string lists of
// text, a bitmap, an enhanced metafile). The holder owns what it holds.
class TDropObj : public cl::TObject {
  CL_CLASS(TDropObj, cl::TObject)
 public:
  void BeforeDestruction() override;

  cl::TPersistent* Slot(TSourceType type) const { return FSlots[type]; }
  // Takes data, freeing what the slot held.
  void SetSlot(TSourceType type, cl::TPersistent* data);
  // The slot's data as its kind's class, or null.
  cl::TStringList* Strings(TSourceType type) const;
  cl::TBitmap* Bitmap() const;
  cl::TMetafile* Metafile() const;

 private:
  std::array<cl::TPersistent*, kSourceTypeCount> FSlots{};
};

// MK_SHIFT, MK_CONTROL and the mouse buttons of an OLE key state as a shift state.
cl::TShiftState ShiftStateOfKeys(DWORD keyState);
// Copy without Shift, move with Shift alone, copy and link with Shift and Ctrl.
DWORD DropEffectOfShift(cl::TShiftState shift);

// The drop target of an OleDragDrop's window. It answers "no effect" once its component is gone.
class TDropTarget : public cl::com::TInterfacedObject<IDropTarget> {
 public:
  // EDragDropOleError without an owner.
  explicit TDropTarget(OleDragDrop* owner);
  // Forgets the component and lets go of the drag in progress.
  void Detach();
  TSourceTypes SourceTypes() const { return FSourceTypes; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragLeave() noexcept override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) noexcept override;

 private:
  OleDragDrop* FOwner;
  cl::com::TComPtr<IDataObject> FDataObject;
  TSourceTypes FSourceTypes;
};

using TDragEnterEvent = cl::Event<void(cl::TObject* Sender, TSourceTypes SourceType)>;
using TDragOverEvent = cl::Event<void(cl::TObject* Sender, TSourceTypes SourceType, int X, int Y,
                                      cl::TShiftState& KeyState, bool& Accept)>;
using TDragDropProc = cl::Event<void(cl::TObject* Sender, TSourceTypes SourceType, TDropObj* Source, int X, int Y,
                                     cl::TShiftState KeyState)>;

class OleDragDrop : public cl::TComponent {
  CL_CLASS(OleDragDrop, cl::TComponent)
 public:
  explicit OleDragDrop(cl::TComponent* owner) : TComponent(owner) {}
  // Initialises OLE for the thread and locks the drop target (EOleSysError on failure).
  void AfterConstruction() override;
  // Revokes the registered window, unlocks and detaches the target, and ends OLE for the thread.
  void BeforeDestruction() override;

  cl::TWinControl* DropWindow() const { return FDropWindow; }
  // Registers the window as the drop target (revoking a previous one); EOleSysError when it cannot be registered.
  void SetDropWindow(cl::TWinControl* window);

  const TDragEnterEvent& OnDragEnter() const { return FOnDragEnter; }
  void SetOnDragEnter(const TDragEnterEvent& e) { FOnDragEnter = e; }
  const TDragOverEvent& OnDragOver() const { return FOnDragOver; }
  void SetOnDragOver(const TDragOverEvent& e) { FOnDragOver = e; }
  const TDragDropProc& OnDragDrop() const { return FOnDragDrop; }
  void SetOnDragDrop(const TDragDropProc& e) { FOnDragDrop = e; }
  const cl::TNotifyEvent& OnDragLeave() const { return FOnDragLeave; }
  void SetOnDragLeave(const cl::TNotifyEvent& e) { FOnDragLeave = e; }
  // Fired when the user lets go during a drag this component started, before the drop.
  const cl::TNotifyEvent& OnDragBeforeDrop() const { return FOnDragBeforeDrop; }
  void SetOnDragBeforeDrop(const cl::TNotifyEvent& e) { FOnDragBeforeDrop = e; }

  // The target DropWindow is registered with; it lives as long as the component.
  IDropTarget* DropTarget() const { return FTarget; }
  // Whether the last drag-over over the window was accepted.
  bool Accepting() const { return FAccepting; }

  // Drags the files out and returns the drop effect chosen.
  int DragFiles(const cl::TStringList* files);
  // Drags the data of the kinds in types out (copy, move and link allowed) and returns the drop effect chosen; -1
  // with no kind. EOleSysError when the drag fails; an exception of OnDragBeforeDrop ends the drag and is raised.
  int DragStart(TSourceTypes types, const TDropObj* source);

 protected:
  void Notification(cl::TComponent* component, cl::TOperation operation) override;

 private:
  friend class TDropTarget;
  void RevokeWindow();

  cl::TWinControl* FDropWindow = nullptr;
  HWND FRegisteredWindow = nullptr;
  TDropTarget* FTarget = nullptr;  // one reference held from AfterConstruction to BeforeDestruction
  bool FOleInitialized = false;
  bool FAccepting = false;
  TDragEnterEvent FOnDragEnter;
  TDragOverEvent FOnDragOver;
  TDragDropProc FOnDragDrop;
  cl::TNotifyEvent FOnDragLeave;
  cl::TNotifyEvent FOnDragBeforeDrop;
};

}  // namespace ctl
