// TApplication: application window, message loop and exception reporting.
#include "classlib/win/application.h"

#include <new>

#include "classlib/core/paths.h"
#include "classlib/win/command_line.h"
#include "classlib/win/forms.h"
#include "classlib/win/guard.h"
#include "classlib/win/icon.h"
#include "classlib/win/message_box.h"
#include "classlib/win/modal_seam.h"
#include "classlib/win/screen.h"

namespace cl {

TApplication* Application = nullptr;

namespace {
constexpr char kApplicationWindowClass[] = "TApplication";
}

LRESULT CALLBACK ApplicationWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  TApplication* application = Application;
  if (!application || application->FHandle != wnd) return DefWindowProcA(wnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  Guard(application, [&] { application->WndProc(message); });
  return message.Result;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing{};
  if (!GetClassInfoA(instance, kApplicationWindowClass, &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ApplicationWindowProc;
    wc.hInstance = instance;
    wc.hIcon = MainIconResource() ? MainIconResource() : LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kApplicationWindowClass;
    if (!RegisterClassA(&wc)) throw EOutOfResources();
  }
  FTitle = ChangeFileExt(ExtractFileName(ParamStr(0)), "");
  // Hidden and top-level, never message-only: a second instance finds it with FindWindowA.
  FHandle = CreateWindowExA(0, kApplicationWindowClass, FTitle.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr,
                            nullptr, instance, nullptr);
  if (!FHandle) throw EOutOfResources();
  FIcon = New<TIcon>();
  if (HICON resource = MainIconResource()) FIcon->SetHandle(CopyIcon(resource));
  FIcon->SetOnChange(TNotifyEvent([this](TObject*) { ShowIcon(); }));
  ShowIcon();
}

HICON MainIconResource() {
  return LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
}

void TApplication::SetIcon(const TIcon* icon) {
  FIcon->Assign(icon);
}

void TApplication::ShowIcon() {
  if (!FHandle) return;
  auto icon = reinterpret_cast<LPARAM>(FIcon->Handle());
  SendMessageA(FHandle, WM_SETICON, ICON_BIG, icon);
  SendMessageA(FHandle, WM_SETICON, ICON_SMALL, icon);
}

TApplication::~TApplication() = default;

void TApplication::BeforeDestruction() {
  inherited::BeforeDestruction();
  ReleaseHints();
  FMainForm = nullptr;
  FDeferred.clear();
  if (FHandle) {
    HWND wnd = FHandle;
    FHandle = nullptr;
    DestroyWindow(wnd);
  }
  FIcon->SetOnChange(nullptr);
  FreeAndNil(FIcon);
}

bool TApplication::HelpCommand(UINT command, ULONG_PTR data) {
  bool callHelp = true;
  bool given = false;
  if (FOnHelp) given = FOnHelp(command, data, callHelp);
  if (!callHelp || FHelpFile.empty()) return given;
  TForm* form = Screen ? Screen->ActiveForm() : nullptr;
  const HWND owner = form && form->HandleAllocated() ? form->Handle() : FHandle;
  return WinHelpA(owner, FHelpFile.c_str(), command, data) != FALSE;
}

bool TApplication::HelpContext(int context) {
  return HelpCommand(HELP_CONTEXT, static_cast<ULONG_PTR>(context));
}

void TApplication::SetTitle(const std::string& title) {
  if (title == FTitle) return;
  FTitle = title;
  if (FHandle) SetWindowTextA(FHandle, FTitle.c_str());
}

std::string TApplication::ExeName() const {
  return ParamStr(0);
}

void TApplication::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_DEFERRED:
      RunDeferred();
      return;
    case WM_TIMER:
      HintTimerExpired(static_cast<UINT>(message.WParam));
      return;
    case WM_CLOSE:
      if (FMainForm) FMainForm->Close();
      return;
    default:
      message.Result = DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
  }
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == opRemove && component == FMainForm) FMainForm = nullptr;
}

void TApplication::PostDeferred(Weak<TObject> target, std::function<void()> fn) {
  FDeferred.push_back({std::move(target), std::move(fn)});
  PostMessageA(FHandle, CM_DEFERRED, 0, 0);
}

void TApplication::RunDeferred() {
  // One call per message, so that calls queued meanwhile keep their place behind other messages.
  if (FDeferred.empty()) return;
  DeferredCall call = std::move(FDeferred.front());
  FDeferred.pop_front();
  if (call.Target) call.Call();
}

void PostDeferred(Weak<TObject> target, std::function<void()> fn) {
  if (Application) Application->PostDeferred(std::move(target), std::move(fn));
}

void TApplication::FinishCreateForm(TForm* form) {
  try {
    form->AfterConstruction();
  } catch (...) {
    form->Free();
    throw;
  }
  if (FMainForm || form->FreeStarted()) return;
  FMainForm = form;
  // The main form has the taskbar button; its window may exist already when it was shown while loading.
  if (form->HandleAllocated()) {
    HWND wnd = form->Handle();
    SetWindowLongPtrA(wnd, GWL_EXSTYLE, GetWindowLongPtrA(wnd, GWL_EXSTYLE) | WS_EX_APPWINDOW);
  }
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  bool handled = false;
  if (FOnMessage) FOnMessage(msg, handled);
  if (handled) return true;
  HintMessage(msg);
  if (TranslateMDIAccelerator(msg)) return true;
  if (PreprocessKeyMessage(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

bool TApplication::TranslateMDIAccelerator(MSG& msg) {
  // Ctrl+F4, Ctrl+F6 and the child's system menu keys, when the main form is an MDI frame.
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  HWND client = FMainForm ? FMainForm->ClientHandle() : nullptr;
  return client && TranslateMDISysAccel(client, &msg);
}

void TApplication::Idle() {
  POINT cursor;
  if (GetCursorPos(&cursor)) TrackMouse(cursor);
  bool done = true;
  if (FOnIdle) FOnIdle(this, done);
  if (done && !FTerminated) WaitMessage();
}

void TApplication::Run() {
  if (FMainForm && !FTerminated) FMainForm->Show();
  while (!FTerminated) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

void Halt(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

void TApplication::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  PostQuitMessage(0);
}

void TApplication::HandleException(TObject* sender) noexcept {
  if (!std::current_exception()) return;
  try {
    try {
      throw;
    } catch (EAbort&) {
      // silent by definition
    } catch (Exception& e) {
      DispatchException(sender, e);
    } catch (std::bad_alloc&) {
      EOutOfMemory e("Out of memory");
      DispatchException(sender, e);
    } catch (std::exception& e) {
      Exception wrapped(e.what());
      DispatchException(sender, wrapped);
    } catch (...) {
      Exception wrapped("Unknown exception");
      DispatchException(sender, wrapped);
    }
  } catch (...) {
    // An OnException handler or the box failed; HandleException itself never throws.
  }
}

void TApplication::DispatchException(TObject* sender, Exception& e) {
  if (FOnException) {
    FOnException(sender, e);
    return;
  }
  ShowException(e);
}

void TApplication::ShowException(const Exception& e) {
  seam::ModalResponder* responder = seam::CurrentResponder();
  if (FShowingException) {
    // A handler ran inside the box's own message loop and failed: one box at a time, the rest is dropped.
    if (responder) responder->ExceptionDropped(e.Message());
    return;
  }
  FShowingException = true;
  try {
    if (!responder || !responder->AnswerException(e.Message())) MessageBox(e.Message(), FTitle, MB_OK | MB_ICONSTOP);
  } catch (...) {
    FShowingException = false;
    throw;
  }
  FShowingException = false;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = FHandle;
  return cl::MessageBoxA(owner, text, caption, flags);
}

}  // namespace cl
