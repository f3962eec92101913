#include "controls/ctl_form.h"

#include <shellapi.h>

#include <exception>

#include "classlib/core/colors.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/forms.h"
#include "classlib/win/screen.h"
#include "controls/core/font_text.h"
#include "controls/ctl_application.h"
#include "controls/ini_ctrl.h"
#include "controls/utility_routines.h"
#include "controls/window_effects.h"

namespace ctl {
namespace {

constexpr char kColorSuffix[] = "Color";
constexpr char kFontSuffix[] = "Font";
// Names this long or longer are left out of a drop's list.
constexpr UINT kDroppedNameLimit = 255;

// WM_POWER's requests (the message is not in every SDK header).
constexpr UINT kPowerMessage = 0x0048;
constexpr WPARAM kPowerSuspendRequest = 1;
constexpr WPARAM kPowerSuspendResume = 2;
constexpr WPARAM kPowerCriticalResume = 3;

template <class Event, class... Args>
void Fire(const Event& event, Args&&... args) {
  if (event) event(std::forward<Args>(args)...);
}

TPlacementFields FieldsOf(const WINDOWPLACEMENT& p) {
  const RECT& r = p.rcNormalPosition;
  return {static_cast<int32_t>(p.flags), static_cast<int32_t>(p.showCmd), cl::Rect(r.left, r.top, r.right, r.bottom)};
}

}  // namespace

TCtlForm::TCtlForm(cl::TComponent* owner)
    : TCtlWndProcComponent(owner),
      FLimits(cl::Screen ? cl::Screen->Width() : 0, cl::Screen ? cl::Screen->Height() : 0) {
  SetHookFrameItself(true);
  const cl::TForm* form = GetOwnerForm();
  FIniKey = DefaultIniKey(form ? form->ClassName() : "");
}

void TCtlForm::SetAcceptFiles(bool accept) {
  FAcceptFiles = accept;
  if (Enabled() && HookedWindow()) DragAcceptFiles(HookedWindow(), accept);
}

void TCtlForm::SetIniLink(TCtlIniCtrl* link) {
  if (link == FIniLink) return;
  if (FIniLink) FIniLink->RemoveFreeNotification(this);
  FIniLink = link;
  if (link) link->FreeNotification(this);
}

void TCtlForm::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == cl::opRemove && component == FIniLink) FIniLink = nullptr;
  if (operation == cl::opInsert && FIniUse == ioUseLink && !FIniLink) {
    if (auto* store = dynamic_cast<TCtlIniCtrl*>(component)) SetIniLink(store);
  }
}

void TCtlForm::ReadState() {
  inherited::ReadState();
  cl::TForm* form = GetOwnerForm();
  if (!form || !Enabled()) return;
  FRestored = false;
  FFormOnShow = form->OnShow();
  FFormOnDestroy = form->OnDestroy();
  FOwnOnShow = cl::TNotifyEvent([this](cl::TObject* sender) { FormShow(sender); });
  FOwnOnDestroy = cl::TNotifyEvent([this](cl::TObject* sender) { FormDestroy(sender); });
  form->SetOnShow(FOwnOnShow);
  form->SetOnDestroy(FOwnOnDestroy);
}

void TCtlForm::BeforeDestruction() {
  // A form that outlives this component must not call into it any more.
  if (cl::TForm* form = GetOwnerForm()) {
    if (FOwnOnShow && form->OnShow() == FOwnOnShow) form->SetOnShow(FFormOnShow);
    if (FOwnOnDestroy && form->OnDestroy() == FOwnOnDestroy) form->SetOnDestroy(FFormOnDestroy);
  }
  inherited::BeforeDestruction();
}

void TCtlForm::Loaded() {
  inherited::Loaded();
  // A form holding exactly one store links it when asked to use a link.
  if (FIniUse != ioUseLink || FIniLink || !Owner()) return;
  TCtlIniCtrl* only = nullptr;
  int count = 0;
  for (int i = 0; i < Owner()->ComponentCount(); ++i) {
    if (auto* store = dynamic_cast<TCtlIniCtrl*>(Owner()->Components(i))) {
      only = store;
      ++count;
    }
  }
  if (count == 1) SetIniLink(only);
}

void TCtlForm::HookOn() {
  inherited::HookOn();
  if (!Enabled() || !HookedWindow()) return;
  DragAcceptFiles(HookedWindow(), FAcceptFiles);
  UpdateTrackLimits();
}

void TCtlForm::HookOff() {
  if (HookedWindow()) DragAcceptFiles(HookedWindow(), FALSE);
  inherited::HookOff();
}

void TCtlForm::FormShow(cl::TObject* sender) {
  cl::TForm* form = GetOwnerForm();
  if (Enabled() && form) {
    if (FOptions.Contains(foRestoreOnce) && FRestored) return;  // and the form's own OnShow is not called either
    Restore();
    FRestored = true;
    switch (form->WindowState()) {
      case cl::wsNormal: {
        int32_t width = form->Width(), height = form->Height();
        FLimits.ClampSize(width, height);
        if (width != form->Width() || height != form->Height())
          form->SetBounds(form->Left(), form->Top(), width, height);
        break;
      }
      case cl::wsMaximized: {
        cl::TRect r = form->BoundsRect();
        const int32_t left = FLimits.Pixels(TTrackLimits::tlMaximizedPosX);
        const int32_t top = FLimits.Pixels(TTrackLimits::tlMaximizedPosY);
        const int32_t width = FLimits.Pixels(TTrackLimits::tlMaximizedWidth);
        const int32_t height = FLimits.Pixels(TTrackLimits::tlMaximizedHeight);
        if (left > 0 || top > 0 || width > 0 || height > 0) {
          form->SetBounds(left > 0 ? left : r.Left, top > 0 ? top : r.Top, width > 0 ? width : r.Width(),
                          height > 0 ? height : r.Height());
        }
        break;
      }
      case cl::wsMinimized:
        break;
    }
    if (FOptions.Contains(foTryAdaptRes)) AdaptResolution();
  }
  Fire(FFormOnShow, sender);
}

void TCtlForm::FormDestroy(cl::TObject* sender) {
  // The form's own settings are written even when the placement could not be: the store's error comes after them.
  std::exception_ptr saveError;
  if (Enabled()) {
    try {
      Save();
    } catch (...) {
      saveError = std::current_exception();
    }
  }
  Fire(FFormOnDestroy, sender);
  if (saveError) std::rethrow_exception(saveError);
}

TCtlIniCtrl* TCtlForm::Store() const {
  switch (FIniUse) {
    case ioUseLink:
      return FIniLink;
    case ioUseGlobal:
      return CtlApplication ? CtlApplication->CommonIniCtrl() : nullptr;
    default:
      return nullptr;
  }
}

void TCtlForm::Restore() {
  if (TCtlIniCtrl* store = Store()) RestoreSettings(store);
}

void TCtlForm::Save() {
  if (TCtlIniCtrl* store = Store()) SaveSettings(store);
}

void TCtlForm::RestoreSettings(TCtlIniCtrl* store) {
  SetPlacementString(store->ReadString(FSection, FIniKey, ""));
  cl::TForm* form = GetOwnerForm();
  if (!form) return;
  if (FIniSaveOptions.Contains(soColor)) {
    const std::string color = store->ReadString(FSection, FIniKey + kColorSuffix, "");
    if (const std::optional<cl::TColor> value = ReadColorText(color)) form->SetColor(*value);
  }
  if (FIniSaveOptions.Contains(soFont)) {
    const std::string font = store->ReadString(FSection, FIniKey + kFontSuffix, "");
    if (!font.empty()) StringToFont(font, form->Font());
  }
}

void TCtlForm::SaveSettings(TCtlIniCtrl* store) {
  store->WriteString(FSection, FIniKey, GetPlacementString());
  cl::TForm* form = GetOwnerForm();
  if (FIniSaveOptions.Contains(soColor) && form) {
    store->WriteString(FSection, FIniKey + kColorSuffix, cl::ColorToString(form->Color()));
  } else {
    store->DeleteKey(FSection, FIniKey + kColorSuffix);
  }
  if (FIniSaveOptions.Contains(soFont) && form) {
    store->WriteString(FSection, FIniKey + kFontSuffix, FontToString(form->Font()));
  } else {
    store->DeleteKey(FSection, FIniKey + kFontSuffix);
  }
}

HWND TCtlForm::PlacementWindow() const {
  if (HookedWindow()) return HookedWindow();
  const cl::TForm* form = GetOwnerForm();
  return form && form->HandleAllocated() ? GetOwnerHandle() : nullptr;
}

std::string TCtlForm::GetPlacementString() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  HWND window = PlacementWindow();
  if (window && GetWindowPlacement(window, &placement)) return FormatPlacement(FieldsOf(placement));
  const cl::TForm* form = GetOwnerForm();
  return FormatPlacement({0, SW_SHOWNORMAL, form ? form->BoundsRect() : cl::TRect{}});
}

void TCtlForm::SetPlacementString(const std::string& text) {
  cl::TForm* form = GetOwnerForm();
  const bool kept =
      FIniSaveOptions.Contains(soPos) || FIniSaveOptions.Contains(soSize) || FIniSaveOptions.Contains(soState);
  if (!kept && !(form && form->Position() == cl::poScreenCenter)) return;
  HWND window = PlacementWindow();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!window || !GetWindowPlacement(window, &placement)) return;
  const std::optional<TPlacementFields> stored = ParsePlacement(text);
  if (!stored) {
    if (FOptions.Contains(foAutoCenter) && form) CenterOnScreen(form);
    Fire(FOnNoRestoreData, this);
    return;
  }
  const TPlacementContext context{FIniSaveOptions, FOptions, form ? form->BoundsRect() : cl::TRect{},
                                  cl::Screen->Width(), cl::Screen->Height()};
  const TPlacementFields applied = ApplyStoredPlacement(*stored, FieldsOf(placement), context);
  // A shown window that already has this placement is left alone: setting it again would move a maximised
  // window off its place under some systems (Wine puts it at 0,0, its right and bottom edges off the screen).
  if (applied == FieldsOf(placement) && IsWindowVisible(window)) return;
  placement.flags = static_cast<UINT>(applied.Flags);
  placement.showCmd = static_cast<UINT>(applied.ShowCmd);
  placement.rcNormalPosition = {applied.Normal.Left, applied.Normal.Top, applied.Normal.Right, applied.Normal.Bottom};
  SetWindowPlacement(window, &placement);
}

void TCtlForm::UpdateTrackLimits() {
  FLimits.Update();
}

void TCtlForm::AdaptResolution() {
  cl::TForm* form = GetOwnerForm();
  if (FAdapted || !form || !form->Scaled()) return;
  FAdapted = true;
  // The library never rescales a form when it is built, so its controls already have the sizes they were
  // designed with at DesignPPI: only the screen's resolution is recorded.
  form->SetPixelsPerInch(cl::Screen->PixelsPerInch());
}

void TCtlForm::MessageHandler(cl::TMessage& message) {
  if (Enabled()) HandleMessage(message);
  inherited::MessageHandler(message);
}

void TCtlForm::HandleMessage(cl::TMessage& message) {
  switch (message.Msg) {
    case WM_MOVE:
      Fire(FOnMove, this);
      break;
    case WM_SIZE:
      Fire(FOnSize, this, message.LParamLo(), message.LParamHi(), static_cast<int>(message.WParam));
      break;
    case WM_SYSCOLORCHANGE:
      Fire(FOnSysColorChange, this);
      break;
    case WM_SHOWWINDOW:
      if (message.WParam != 0 && message.LParam == 0) {
        if (FEffect == deExplode) ExplodeWindow(HookedWindow());
        if (FEffect == deExplodeExt) ExplodeWindowExt(HookedWindow());
      }
      break;
    case WM_WININICHANGE:
    case WM_DEVMODECHANGE: {
      const char* text = reinterpret_cast<const char*>(message.LParam);
      Fire(message.Msg == WM_WININICHANGE ? FOnIniChange : FOnDevModeChange, this, std::string(text ? text : ""));
      break;
    }
    case WM_FONTCHANGE:
      Fire(FOnFontChange, this);
      break;
    case WM_TIMECHANGE:
      Fire(FOnTimeChange, this);
      break;
    case WM_PAINTICON:
      Fire(FOnPaintIcon, this);
      break;
    case WM_GETMINMAXINFO:
      MinMaxInfo(*reinterpret_cast<MINMAXINFO*>(message.LParam));
      break;
    case WM_SPOOLERSTATUS:
      Fire(FOnSpoolerStatus, this, static_cast<int>(message.LParamLo()));
      break;
    case WM_COMPACTING:
      Fire(FOnCompacting, this, static_cast<int>(message.WParam));
      break;
    case WM_WINDOWPOSCHANGING:
      if (FOnMoving) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam);
        bool cancel = false;
        FOnMoving(this, pos->x, pos->y, cancel);
        if (cancel) pos->flags |= SWP_NOMOVE;
      }
      break;
    case kPowerMessage:
      if (message.WParam == kPowerSuspendRequest && FOnAPMSuspendRequest) {
        bool cancel = false;
        FOnAPMSuspendRequest(this, cancel);
        if (cancel) message.Result = -1;
      } else if (message.WParam == kPowerSuspendResume) {
        Fire(FOnAPMResume, this);
      } else if (message.WParam == kPowerCriticalResume) {
        Fire(FOnAPMCriticalResume, this);
      }
      break;
    case WM_DISPLAYCHANGE:
      FLimits.SetScreen(message.LParamLo(), message.LParamHi());
      UpdateTrackLimits();
      Fire(FOnDisplayChange, this, message.LParamLo(), message.LParamHi(), static_cast<int>(message.WParam));
      break;
    case WM_DROPFILES:
      if (FOnFMDragDrop) DroppedFiles(reinterpret_cast<HDROP>(message.WParam));
      break;
    default:
      break;
  }
}

void TCtlForm::MinMaxInfo(MINMAXINFO& info) {
  TMinMaxInfo limits{{info.ptMaxSize.x, info.ptMaxSize.y},
                     {info.ptMaxPosition.x, info.ptMaxPosition.y},
                     {info.ptMinTrackSize.x, info.ptMinTrackSize.y},
                     {info.ptMaxTrackSize.x, info.ptMaxTrackSize.y}};
  if (FOnTrackInfo) {
    FOnTrackInfo(this, limits.MinTrackSize.X, limits.MinTrackSize.Y, limits.MaxTrackSize.X, limits.MaxTrackSize.Y);
  } else {
    ApplyTrackLimits(FLimits, limits);
  }
  if (FOnMaximizeInfo) {
    FOnMaximizeInfo(this, limits.MaxPosition.X, limits.MaxPosition.Y, limits.MaxSize.X, limits.MaxSize.Y);
  } else {
    ApplyMaximizedLimits(FLimits, limits);
  }
  info.ptMaxSize = {limits.MaxSize.X, limits.MaxSize.Y};
  info.ptMaxPosition = {limits.MaxPosition.X, limits.MaxPosition.Y};
  info.ptMinTrackSize = {limits.MinTrackSize.X, limits.MinTrackSize.Y};
  info.ptMaxTrackSize = {limits.MaxTrackSize.X, limits.MaxTrackSize.Y};
}

void TCtlForm::DroppedFiles(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  if (count == 0) return;
  POINT point{};
  DragQueryPoint(drop, &point);
  const cl::Owned<cl::TStringList> names = cl::MakeOwned<cl::TStringList>();
  for (UINT i = 0; i < count; ++i) {
    // Each name's length is asked first: one too long for the list is skipped whole, never cut.
    const UINT length = DragQueryFileA(drop, i, nullptr, 0);
    if (length >= kDroppedNameLimit) continue;
    std::string name(length + 1, '\0');
    DragQueryFileA(drop, i, name.data(), length + 1);
    name.resize(length);
    names->Add(cl::UpperCase(name));
  }
  FOnFMDragDrop(this, static_cast<int>(count), point.x, point.y, names.get());
}

}  // namespace ctl
