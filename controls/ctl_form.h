// TCtlForm: keeps its owner form's placement (and, when asked, its colour and font) in a settings store, puts it
// back when the form is first shown and saves it when the form is destroyed; limits the form's size while tracking
// and when maximised; and turns window messages of the form into events.
#pragma once

#include <windows.h>
// windows.h first: shellapi.h needs it.
#include <shellapi.h>

#include <string>

#include "classlib/core/events.h"
#include "classlib/core/string_list.h"
#include "controls/core/form_placement.h"
#include "controls/ctl_wndproc_component.h"

namespace ctl {

class TCtlIniCtrl;

enum TCtlDlgEffect { deNone, deExplode, deExplodeExt };
// Which store: IniLink, the application object's common store, or none.
enum TCtlIniUse { ioUseLink, ioUseGlobal, ioNone };

using TCtlCancelEvent = cl::Event<void(cl::TObject* Sender, bool& Cancel)>;
using TCtlValueEvent = cl::Event<void(cl::TObject* Sender, int Value)>;
using TCtlSectionEvent = cl::Event<void(cl::TObject* Sender, const std::string& Section)>;
using TCtlSizeEvent = cl::Event<void(cl::TObject* Sender, int xsize, int ysize, int flag)>;
using TCtlDropEvent = cl::Event<void(cl::TObject* Sender, int fcount, int x, int y, cl::TStrings* FileList)>;
using TCtlMaximizeInfoEvent = cl::Event<void(cl::TObject* Sender, int& xpos, int& ypos, int& MaxWidth, int& MaxHeight)>;
using TCtlTrackInfoEvent =
    cl::Event<void(cl::TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;
using TCtlMovingEvent = cl::Event<void(cl::TObject* Sender, int x, int y, bool& Cancel)>;

class TCtlForm : public TCtlWndProcComponent {
  CL_CLASS(TCtlForm, TCtlWndProcComponent)
 public:
  explicit TCtlForm(cl::TComponent* owner);
  // Hands the form back the OnShow and OnDestroy handlers it took, where they are still its own.
  void BeforeDestruction() override;

  bool AcceptFiles() const { return FAcceptFiles; }
  void SetAcceptFiles(bool accept);
  TCtlDlgEffect Effect() const { return FEffect; }
  void SetEffect(TCtlDlgEffect effect) { FEffect = effect; }
  TCtlIniCtrl* IniLink() const { return FIniLink; }
  void SetIniLink(TCtlIniCtrl* link);
  TCtlIniUse IniUse() const { return FIniUse; }
  void SetIniUse(TCtlIniUse use) { FIniUse = use; }
  TCtlSaveOptions IniSaveOptions() const { return FIniSaveOptions; }
  void SetIniSaveOptions(TCtlSaveOptions options) { FIniSaveOptions = options; }
  const std::string& Section() const { return FSection; }
  void SetSection(const std::string& section) { FSection = section; }
  const std::string& IniKey() const { return FIniKey; }
  void SetIniKey(const std::string& key) { FIniKey = key; }
  int DesignPPI() const { return FDesignPPI; }
  void SetDesignPPI(int ppi) { FDesignPPI = ppi; }
  TCtlFormOptions Options() const { return FOptions; }
  void SetOptions(TCtlFormOptions options) { FOptions = options; }

  // Size limits in pixels (0: none) or, when negative, the screen's extent divided by the value's magnitude.
  int TrackLimit(TTrackLimits::Index index) const { return FLimits.Value(index); }
  void SetTrackLimit(TTrackLimits::Index index, int value) { FLimits.Set(index, value); }
  int TrackMaxHeight() const { return TrackLimit(TTrackLimits::tlMaxHeight); }
  void SetTrackMaxHeight(int v) { SetTrackLimit(TTrackLimits::tlMaxHeight, v); }
  int TrackMaxWidth() const { return TrackLimit(TTrackLimits::tlMaxWidth); }
  void SetTrackMaxWidth(int v) { SetTrackLimit(TTrackLimits::tlMaxWidth, v); }
  int TrackMinHeight() const { return TrackLimit(TTrackLimits::tlMinHeight); }
  void SetTrackMinHeight(int v) { SetTrackLimit(TTrackLimits::tlMinHeight, v); }
  int TrackMinWidth() const { return TrackLimit(TTrackLimits::tlMinWidth); }
  void SetTrackMinWidth(int v) { SetTrackLimit(TTrackLimits::tlMinWidth, v); }
  int MaximizedHeight() const { return TrackLimit(TTrackLimits::tlMaximizedHeight); }
  void SetMaximizedHeight(int v) { SetTrackLimit(TTrackLimits::tlMaximizedHeight, v); }
  int MaximizedWidth() const { return TrackLimit(TTrackLimits::tlMaximizedWidth); }
  void SetMaximizedWidth(int v) { SetTrackLimit(TTrackLimits::tlMaximizedWidth, v); }
  int MaximizedPosX() const { return TrackLimit(TTrackLimits::tlMaximizedPosX); }
  void SetMaximizedPosX(int v) { SetTrackLimit(TTrackLimits::tlMaximizedPosX, v); }
  int MaximizedPosY() const { return TrackLimit(TTrackLimits::tlMaximizedPosY); }
  void SetMaximizedPosY(int v) { SetTrackLimit(TTrackLimits::tlMaximizedPosY, v); }
  const TTrackLimits& Limits() const { return FLimits; }

  // "200,flags,showCmd,left,top,right,bottom" of the hooked window.
  std::string GetPlacementString() const;
  // Applies a stored placement string as IniSaveOptions and Options allow; a missing or damaged one centres the
  // form (with foAutoCenter) and fires OnNoRestoreData.
  void SetPlacementString(const std::string& text);
  void RestoreSettings(TCtlIniCtrl* store);
  void SaveSettings(TCtlIniCtrl* store);
  // Restore and save through the store IniUse picks; nothing without one.
  void Restore();
  void Save();
  // The limits in pixels for the current screen.
  void UpdateTrackLimits();
  // Once, for a scaled form: records the screen's resolution as the form's.
  void AdaptResolution();

#define CTL_FORM_EVENT(Type, Name) \
  const Type& Name() const {       \
    return F##Name;                \
  }                                \
  void Set##Name(const Type& e) {  \
    F##Name = e;                   \
  }
  CTL_FORM_EVENT(cl::TNotifyEvent, OnAPMCriticalResume)
  CTL_FORM_EVENT(cl::TNotifyEvent, OnAPMResume)
  CTL_FORM_EVENT(TCtlCancelEvent, OnAPMSuspendRequest)
  CTL_FORM_EVENT(TCtlValueEvent, OnCompacting)
  CTL_FORM_EVENT(cl::TNotifyEvent, OnNoRestoreData)
  CTL_FORM_EVENT(TCtlSectionEvent, OnDevModeChange)
  CTL_FORM_EVENT(TCtlSizeEvent, OnDisplayChange)
  CTL_FORM_EVENT(TCtlSectionEvent, OnIniChange)
  CTL_FORM_EVENT(TCtlDropEvent, OnFMDragDrop)
  CTL_FORM_EVENT(cl::TNotifyEvent, OnFontChange)
  CTL_FORM_EVENT(TCtlMaximizeInfoEvent, OnMaximizeInfo)
  CTL_FORM_EVENT(cl::TNotifyEvent, OnMove)
  CTL_FORM_EVENT(TCtlMovingEvent, OnMoving)
  CTL_FORM_EVENT(cl::TNotifyEvent, OnPaintIcon)
  CTL_FORM_EVENT(TCtlSizeEvent, OnSize)
  CTL_FORM_EVENT(TCtlValueEvent, OnSpoolerStatus)
  CTL_FORM_EVENT(cl::TNotifyEvent, OnSysColorChange)
  CTL_FORM_EVENT(TCtlTrackInfoEvent, OnTrackInfo)
  CTL_FORM_EVENT(cl::TNotifyEvent, OnTimeChange)
#undef CTL_FORM_EVENT

 protected:
  // Takes over the form's OnShow and OnDestroy, calling the form's own handlers after its work.
  void ReadState() override;
  void Loaded() override;
  void HookOn() override;
  void HookOff() override;
  void MessageHandler(cl::TMessage& message) override;
  void Notification(cl::TComponent* component, cl::TOperation operation) override;

 private:
  void FormShow(cl::TObject* sender);
  void FormDestroy(cl::TObject* sender);
  TCtlIniCtrl* Store() const;
  // The window whose placement is kept: the hooked one, else the form's when it has one; never made here.
  HWND PlacementWindow() const;
  void HandleMessage(cl::TMessage& message);
  void MinMaxInfo(MINMAXINFO& info);
  void DroppedFiles(HDROP drop);

  bool FAcceptFiles = false;
  TCtlDlgEffect FEffect = deNone;
  TCtlIniCtrl* FIniLink = nullptr;
  TCtlIniUse FIniUse = ioNone;
  TCtlSaveOptions FIniSaveOptions = {soPos, soSize, soState};
  std::string FSection = "Common";
  std::string FIniKey;
  int FDesignPPI = 96;
  TCtlFormOptions FOptions = {foAutoShow};
  TTrackLimits FLimits;
  bool FAdapted = false;
  bool FRestored = false;
  cl::TNotifyEvent FFormOnShow;
  cl::TNotifyEvent FFormOnDestroy;
  // The handlers put in their place, to tell them from ones the form was given since.
  cl::TNotifyEvent FOwnOnShow;
  cl::TNotifyEvent FOwnOnDestroy;

  cl::TNotifyEvent FOnAPMCriticalResume;
  cl::TNotifyEvent FOnAPMResume;
  TCtlCancelEvent FOnAPMSuspendRequest;
  TCtlValueEvent FOnCompacting;
  cl::TNotifyEvent FOnNoRestoreData;
  TCtlSectionEvent FOnDevModeChange;
  TCtlSizeEvent FOnDisplayChange;
  TCtlSectionEvent FOnIniChange;
  TCtlDropEvent FOnFMDragDrop;
  cl::TNotifyEvent FOnFontChange;
  TCtlMaximizeInfoEvent FOnMaximizeInfo;
  cl::TNotifyEvent FOnMove;
  TCtlMovingEvent FOnMoving;
  cl::TNotifyEvent FOnPaintIcon;
  TCtlSizeEvent FOnSize;
  TCtlValueEvent FOnSpoolerStatus;
  cl::TNotifyEvent FOnSysColorChange;
  TCtlTrackInfoEvent FOnTrackInfo;
  cl::TNotifyEvent FOnTimeChange;
};

}  // namespace ctl
