// TApplication: the process's hidden application window (class "TApplication"), its message loop and the one
// place where exceptions of event handlers end up (HandleException). Made by cl::Initialize as cl::Application.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "classlib/core/component.h"
#include "classlib/core/events.h"
#include "classlib/core/exceptions.h"
#include "classlib/win/messages.h"

namespace cl {

class TForm;

using TExceptionEvent = Event<void(TObject* Sender, Exception& E)>;
using TIdleEvent = Event<void(TObject* Sender, bool& Done)>;
// Sees each queued message before the library does; setting Handled drops it.
using TMessageEvent = Event<void(MSG& Msg, bool& Handled)>;
// Sees each help request first; it answers whether help was given and clears CallHelp to keep WinHelp out.
using THelpEvent = Event<bool(UINT Command, ULONG_PTR Data, bool& CallHelp)>;

class THintWindow;
class TControl;
class TIcon;

class TApplication : public TComponent {
  CL_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;
  void BeforeDestruction() override;

  // Runs the procedures registered with AddInitProc, each once, in registration order (cl::Initialize calls it).
  void Initialize();

  HWND Handle() const { return FHandle; }
  // The program's icon: its "MAINICON" resource when it has one. It shows on the application window; forms without
  // an icon of their own show the resource icon through their window class.
  TIcon* Icon() const { return FIcon; }
  void SetIcon(const TIcon* icon);
  // Default: the program's file name without extension. The setter also sets the application window's text,
  // which is how other instances find this one with FindWindowA("TApplication", title).
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title);
  std::string ExeName() const;

  // The first form made by CreateForm; closing it terminates the program.
  TForm* MainForm() const { return FMainForm; }
  // Makes a form owned by the application: new, reference set, load protocol (components, Loaded, OnCreate,
  // show when visible); the first one becomes MainForm.
  template <class T>
  void CreateForm(T*& reference) {
    T* form = new T(this);
    reference = form;
    FinishCreateForm(form);
  }

  // Runs fn later from the application window's queue, unless target began to be freed by then.
  void PostDeferred(Weak<TObject> target, std::function<void()> fn);

  // Shows MainForm (unless already terminated) and runs the loop until Terminate (or WM_QUIT); an exception escaping
  // one message goes to HandleException.
  void Run();
  // Ends Run and every modal loop: Terminated is true at once, and WM_QUIT follows in the queue.
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles every queued message, then returns.
  void ProcessMessages();
  // Handles one message, or idles (OnIdle, then WaitMessage) when the queue is empty.
  void HandleMessage();

  // Call inside a catch block. EAbort is ignored; otherwise OnException when assigned, else the message in a box
  // (MB_OK | MB_ICONSTOP, caption Title) through the modal seam. Never throws; an exception raised while such a
  // box is up is dropped.
  void HandleException(TObject* sender) noexcept;
  void ShowException(const Exception& e);
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  // The long hint of what the mouse is over (a control, a menu item); setting a different text fires OnHint,
  // with Application as Sender.
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint);
  const TNotifyEvent& OnHint() const { return FOnHint; }
  void SetOnHint(const TNotifyEvent& handler) { FOnHint = handler; }
  // Whether hint windows appear at all, after HintPause ms over a control, for HintHidePause ms.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool showHint);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int ms) { FHintPause = ms; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int ms) { FHintHidePause = ms; }
  // Hides the hint window and forgets the pending one; the next hint needs the mouse to rest on a control again.
  void CancelHint();
  // The hint window while one shows, else null.
  THintWindow* HintWindow() const;

  // The help file of the program; empty when it has none.
  const std::string& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& file) { FHelpFile = file; }
  // Asks for help: OnHelp first; then, unless it cleared CallHelp, WinHelpA on the active form (or the
  // application window) with HelpFile when there is one. True when help was given.
  bool HelpCommand(UINT command, ULONG_PTR data);
  // Help on a context number of the help file (HELP_CONTEXT).
  bool HelpContext(int context);
  const THelpEvent& OnHelp() const { return FOnHelp; }
  void SetOnHelp(const THelpEvent& handler) { FOnHelp = handler; }

  // The visible control under the mouse (graphic children included) as the last mouse tracking found it.
  TControl* MouseControl() const;

  const TMessageEvent& OnMessage() const { return FOnMessage; }
  void SetOnMessage(const TMessageEvent& handler) { FOnMessage = handler; }
  const TExceptionEvent& OnException() const { return FOnException; }
  void SetOnException(const TExceptionEvent& handler) { FOnException = handler; }
  const TIdleEvent& OnIdle() const { return FOnIdle; }
  void SetOnIdle(const TIdleEvent& handler) { FOnIdle = handler; }

 protected:
  virtual void WndProc(TMessage& message);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend LRESULT CALLBACK ApplicationWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  bool ProcessMessage(MSG& msg);
  bool TranslateMDIAccelerator(MSG& msg);
  void ShowIcon();
  void Idle();
  // Hints and mouse tracking (application_hints.cpp).
  void HintMessage(const MSG& msg);
  void TrackMouse(POINT screenPos);
  void StartHintTimer(UINT id, int ms);
  void StopHintTimers();
  void HintTimerExpired(UINT id);
  void ShowHintWindow();
  void HideHintWindow();
  void ReleaseHints();
  void DispatchException(TObject* sender, Exception& e);
  void FinishCreateForm(TForm* form);
  void RunDeferred();

  struct DeferredCall {
    Weak<TObject> Target;
    std::function<void()> Call;
  };

  HWND FHandle = nullptr;
  TForm* FMainForm = nullptr;
  std::deque<DeferredCall> FDeferred;
  std::string FTitle;
  bool FTerminated = false;
  bool FShowingException = false;
  TExceptionEvent FOnException;
  TIdleEvent FOnIdle;
  TMessageEvent FOnMessage;
  std::string FHelpFile;
  THelpEvent FOnHelp;
  std::string FHint;
  TNotifyEvent FOnHint;
  bool FShowHint = true;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  Weak<TControl> FMouseControl;
  Weak<TControl> FHintControl;  // the control the pending or shown hint belongs to
  THintWindow* FHintWindow = nullptr;
  TIcon* FIcon = nullptr;
};

// The application object between Initialize and Finalize, else null.
extern TApplication* Application;

// Runs fn later through Application (see TApplication::PostDeferred); nothing without an application.
void PostDeferred(Weak<TObject> target, std::function<void()> fn);

// Ends the process at once (ExitProcess): no form, component or library object is freed, nothing more runs.
[[noreturn]] void Halt(int exitCode = 0);

// Starts the library on the calling thread, which becomes the GUI thread: makes Application and Screen. Call
// once in main.
void Initialize();
// Frees what Initialize made: every form, last created first, then the application; then runs the exit
// procedures, last registered first. Safe without Initialize.
void Finalize();

using TProcedure = void (*)();
// A procedure Initialize runs after making Application and Screen (units that need the library started).
void AddInitProc(TProcedure proc);
// A procedure Finalize runs after the forms are gone and before Screen is.
void AddExitProc(TProcedure proc);
// The "MAINICON" icon resource of the program, or null when it has none. Shared: never destroy it.
HICON MainIconResource();
// True on the thread that called Initialize.
bool IsGuiThread();

}  // namespace cl
