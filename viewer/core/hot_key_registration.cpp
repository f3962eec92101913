#include "viewer/core/hot_key_registration.h"

namespace viewer {

HotKeyCombination SplitHotKey(uint16_t hotKey) {
  HotKeyCombination combination{static_cast<uint8_t>(hotKey & 0xFF), 0};
  if (hotKey & kHotKeyAlt) combination.Modifiers |= kModAlt;
  if (hotKey & kHotKeyCtrl) combination.Modifiers |= kModControl;
  if (hotKey & kHotKeyShift) combination.Modifiers |= kModShift;
  return combination;
}

bool HotKeyRegistration::SetActive(bool active) {
  if (active == FActive) return true;
  FActive = active;
  if (active) return RegisterKey();
  Release();
  return true;
}

bool HotKeyRegistration::SetHotKey(uint16_t hotKey) {
  if (hotKey == FHotKey) return true;
  // The old key is given back first, so it no longer fires once the value changed.
  Release();
  FHotKey = hotKey;
  return !FActive || RegisterKey();
}

void HotKeyRegistration::Release() {
  if (!FRegistered) return;
  FRegistrar.Unregister();
  FRegistered = false;
}

bool HotKeyRegistration::RegisterKey() {
  if (FHotKey == 0) return true;
  FRegistered = FRegistrar.Register(SplitHotKey(FHotKey));
  if (!FRegistered) FActive = false;
  return FRegistered;
}

}  // namespace viewer
