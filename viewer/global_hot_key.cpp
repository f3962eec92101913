#include "viewer/global_hot_key.h"

#include <string>
#include <utility>

#include "classlib/win/application.h"
#include "classlib/win/menus.h"
#include "classlib/win/util_window.h"

namespace viewer {

// Registers the combination for the component's window under its atom.
class TCtlGlobalHotKey::Registrar : public HotKeyRegistrar {
 public:
  explicit Registrar(TCtlGlobalHotKey& owner) : FOwner(owner) {}
  bool Register(HotKeyCombination combination) override {
    return RegisterHotKey(FOwner.FWindow, FOwner.FAtom, combination.Modifiers, combination.VirtualKey) != 0;
  }
  void Unregister() override { UnregisterHotKey(FOwner.FWindow, FOwner.FAtom); }

 private:
  TCtlGlobalHotKey& FOwner;
};

TCtlGlobalHotKey::TCtlGlobalHotKey(cl::TComponent* owner)
    : TComponent(owner), FRegistrar(std::make_unique<Registrar>(*this)), FRegistration(*FRegistrar) {
  // The component's own address names its atom, so every component has an identifier of its own.
  FAtom = GlobalAddAtomA(std::to_string(reinterpret_cast<uintptr_t>(this)).c_str());
  FWindow = cl::AllocateHWnd([this](cl::TMessage& message) { WndProc(message); });
}

TCtlGlobalHotKey::~TCtlGlobalHotKey() = default;

void TCtlGlobalHotKey::BeforeDestruction() {
  inherited::BeforeDestruction();
  FRegistration.Release();
  if (FAtom) GlobalDeleteAtom(std::exchange(FAtom, 0));
  if (FWindow) cl::DeallocateHWnd(std::exchange(FWindow, nullptr));
}

void TCtlGlobalHotKey::SetHotKey(uint16_t hotKey) {
  CheckRegistered(FRegistration.SetHotKey(hotKey));
}

void TCtlGlobalHotKey::SetActive(bool active) {
  CheckRegistered(FRegistration.SetActive(active));
}

void TCtlGlobalHotKey::CheckRegistered(bool registered) const {
  if (registered) return;
  throw EHotKeyError("The hot key " + cl::ShortCutToText(HotKey()) +
                     " cannot be used: another program has taken it. Choose another key in the preferences.");
}

void TCtlGlobalHotKey::WndProc(cl::TMessage& message) {
  if (message.Msg != WM_HOTKEY) {
    message.Result = DefWindowProcA(FWindow, message.Msg, message.WParam, message.LParam);
    return;
  }
  message.Result = 0;
  if (!FOnKeyDown) return;
  cl::DispatchScope scope(this);  // the handler may free this component
  WORD key = HotKey() & 0xFF;
  cl::TShiftState shift;
  if (HotKey() & cl::scShift) shift.Include(cl::ssShift);
  if (HotKey() & cl::scCtrl) shift.Include(cl::ssCtrl);
  if (HotKey() & cl::scAlt) shift.Include(cl::ssAlt);
  try {
    FOnKeyDown(this, key, shift);
  } catch (...) {
    if (cl::Application) cl::Application->HandleException(this);
  }
}

}  // namespace viewer
