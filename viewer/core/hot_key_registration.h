// The registration of one system-wide hot key, as TCtlGlobalHotKey keeps it: which key it names, whether it is
// active and whether the system holds it, over a registrar that does the system's part.
#pragma once

#include <cstdint>

namespace viewer {

// A hot-key value is a shortcut word: the virtual key in the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
constexpr uint16_t kHotKeyShift = 0x2000;
constexpr uint16_t kHotKeyCtrl = 0x4000;
constexpr uint16_t kHotKeyAlt = 0x8000;

// The modifier flags the system's hot-key registration takes.
constexpr unsigned kModAlt = 0x1;
constexpr unsigned kModControl = 0x2;
constexpr unsigned kModShift = 0x4;

struct HotKeyCombination {
  uint8_t VirtualKey = 0;
  unsigned Modifiers = 0;
  bool operator==(const HotKeyCombination&) const = default;
};

HotKeyCombination SplitHotKey(uint16_t hotKey);

class HotKeyRegistrar {
 public:
  virtual ~HotKeyRegistrar() = default;
  // False when the system refuses the combination (another program holds it).
  virtual bool Register(HotKeyCombination combination) = 0;
  virtual void Unregister() = 0;
};

// Active starts true; no key is registered while the hot key is 0. A key is registered once, whatever the number
// of activations; a new key replaces the old one, which is given back first. A key the system refuses leaves the
// registration inactive: the setters then return false.
class HotKeyRegistration {
 public:
  explicit HotKeyRegistration(HotKeyRegistrar& registrar) : FRegistrar(registrar) {}
  HotKeyRegistration(const HotKeyRegistration&) = delete;
  HotKeyRegistration& operator=(const HotKeyRegistration&) = delete;

  bool Active() const { return FActive; }
  uint16_t HotKey() const { return FHotKey; }
  bool Registered() const { return FRegistered; }
  bool SetActive(bool active);
  bool SetHotKey(uint16_t hotKey);
  // Gives the key back to the system (the owner goes).
  void Release();

 private:
  bool RegisterKey();

  HotKeyRegistrar& FRegistrar;
  bool FActive = true;
  uint16_t FHotKey = 0;
  bool FRegistered = false;
};

}  // namespace viewer
