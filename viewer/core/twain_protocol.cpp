#include "viewer/core/twain_protocol.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/string_utils.h"

namespace viewer {

using namespace twain;

namespace {

constexpr size_t kNameLength = sizeof(TW_STR32) - 1;
// The lowest value a real memory handle has; a source that answers with less handed nothing over.
constexpr uintptr_t kLowestHandle = 32;
// The container type a question leaves to the source.
constexpr uint16_t kAnyContainer = 0xFFFF;

void CopyName(TW_STR32& target, const std::string& name) {
  const size_t length = std::min(name.size(), kNameLength);
  std::memcpy(target, name.data(), length);
  target[length] = '\0';
}

std::string NameOf(const TW_STR32& name) {
  return std::string(name, strnlen(name, sizeof(TW_STR32)));
}

}  // namespace

TW_IDENTITY ApplicationIdentity(const std::string& manufacturer, const std::string& productFamily,
                                const std::string& productName) {
  TW_IDENTITY identity{};
  identity.Version.MajorNum = 1;
  identity.Version.MinorNum = 1;
  identity.Version.Language = 8;
  identity.Version.Country = 1;
  CopyName(identity.Version.Info, "1.1");
  identity.ProtocolMajor = 1;
  identity.ProtocolMinor = 6;
  identity.SupportedGroups = kControlAndImageGroups;
  CopyName(identity.Manufacturer, manufacturer);
  CopyName(identity.ProductFamily, productFamily);
  CopyName(identity.ProductName, productName);
  return identity;
}

std::optional<std::string> ConditionText(std::optional<uint16_t> condition) {
  if (!condition) return "Sorry, could not get detailed error code";
  switch (*condition) {
    case TWCC_SUCCESS:
      return "Sorry, detailed error status returns success";
    case TWCC_BUMMER:
      return "Bummer, there is a TWAIN error";
    case TWCC_LOWMEMORY:
      return "Sorry, there is not enough memory to acquire";
    case TWCC_NODS:
      return "Sorry, no TWAIN SOURCE found in the TWAIN directory";
    case TWCC_MAXCONNECTIONS:
      return "Sorry, the TWAIN source is already in use";
    case TWCC_OPERATIONERROR:
      return std::nullopt;
    case TWCC_BADCAP:
      return "Sorry, capability error has occurred";
    case TWCC_BADPROTOCOL:
      return "Sorry, protocol error has occurred";
    case TWCC_BADVALUE:
      return "Sorry, bad value";
    case TWCC_SEQERROR:
      return "Sorry, DG DAT MSG is out of expected sequence";
    default:
      return "Sorry, unknown error code returned";
  }
}

TTwain::TTwain(TwainHost& host, const TW_IDENTITY& application, TW_HANDLE parent)
    : FHost(host), FApplication(application), FParent(parent) {}

uint16_t TTwain::Call(TW_IDENTITY* dest, uint32_t dg, uint16_t dat, uint16_t msg, TW_MEMREF data) {
  return FHost.Entry(&FApplication, dest, dg, dat, msg, data);
}

bool TTwain::ProcessMessage(void* msg) {
  if (!FManagerOpen || !FSourceOpen) return false;
  TW_EVENT event{msg, MSG_NULL};
  const uint16_t rc = SourceCall(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
  if (event.TWMessage == MSG_XFERREADY) {
    TransferImages();
  } else if (event.TWMessage == MSG_CLOSEDSREQ) {
    CloseAll();
  }
  return rc == TWRC_DSEVENT;
}

void TTwain::Acquire(bool showUI) {
  FTransferCancelled = false;
  if (!OpenManager()) return;
  FSource.Id = 0;
  FSource.ProductName[0] = '\0';
  if (!OpenSource()) return;
  if (!showUI || !Settings.FastUI) SetCapabilities();
  if (!EnableSource(showUI)) {
    CloseSource();
    return;
  }
  // With its own interface the source announces the transfer through ProcessMessage.
  if (!showUI) TransferImages();
}

bool TTwain::OpenManager() {
  if (FManagerOpen) return true;
  TW_HANDLE parent = FParent;
  if (Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent) != TWRC_SUCCESS) {
    ShowError();
    return false;
  }
  FManagerOpen = true;
  return true;
}

void TTwain::CloseManager() {
  if (!FManagerOpen) return;
  TW_HANDLE parent = FParent;
  if (Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent) != TWRC_SUCCESS) ShowError();
  FManagerOpen = false;
}

void TTwain::ForEachSource(const std::function<bool(const TW_IDENTITY&)>& visit) {
  TW_IDENTITY source{};
  for (uint16_t msg = MSG_GETFIRST; Call(nullptr, DG_CONTROL, DAT_IDENTITY, msg, &source) == TWRC_SUCCESS;
       msg = MSG_GETNEXT) {
    if (!visit(source)) return;
  }
}

bool TTwain::OpenSource() {
  if (FSourceOpen) return true;
  FSource.Id = 0;
  // A preferred source the manager does not know leaves the choice to the manager (its default source).
  std::string name;
  if (!PreferredSource.empty()) {
    ForEachSource([&](const TW_IDENTITY& source) {
      if (cl::SameText(NameOf(source.ProductName), PreferredSource)) name = NameOf(source.ProductName);
      return name.empty();
    });
  }
  CopyName(FSource.ProductName, name);
  if (Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &FSource) != TWRC_SUCCESS) {
    ShowError();
    return false;
  }
  FSourceOpen = true;
  return true;
}

void TTwain::CloseSource() {
  if (!FSourceOpen) return;
  if (Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &FSource) != TWRC_SUCCESS) {
    ShowError();
    return;
  }
  FSourceOpen = false;
}

bool TTwain::EnableSource(bool showUI) {
  if (!FSourceOpen) return false;
  TW_USERINTERFACE ui{showUI, showUI, FParent};
  FSourceEnabled = SourceCall(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) == TWRC_SUCCESS;
  if (!FSourceEnabled) ShowError();
  return FSourceEnabled;
}

void TTwain::DisableSource() {
  if (!FSourceEnabled) return;
  TW_USERINTERFACE ui{false, false, FParent};
  if (SourceCall(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui) != TWRC_SUCCESS) {
    ShowError();
    return;
  }
  FSourceEnabled = false;
}

void TTwain::CloseAll() {
  DisableSource();
  CloseSource();
  CloseManager();
}

uint16_t TTwain::SetCapability(const CapabilitySet& set) {
  TW_CAPABILITY capability{set.Cap, TWON_ONEVALUE, FHost.Allocate(sizeof(TW_ONEVALUE))};
  if (!capability.hContainer) return TWRC_FAILURE;
  const TW_ONEVALUE value{set.ItemType, set.Item};
  std::memcpy(FHost.Lock(capability.hContainer), &value, sizeof value);
  FHost.Unlock(capability.hContainer);
  const uint16_t rc = SourceCall(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
  FHost.Release(capability.hContainer);
  return rc;
}

void TTwain::SetImageLayout() {
  if (!OnLayout) return;
  TW_IMAGELAYOUT layout{};
  if (SourceCall(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout) != TWRC_SUCCESS) return;
  OnLayout(layout);
  if (SourceCall(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout) != TWRC_SUCCESS) ShowError();
}

// A capability the source refuses is reported, and the acquisition goes on with the source's own value.
void TTwain::SetCapabilities() {
  for (const CapabilitySet& set : ResolutionSets(Settings))
    if (SetCapability(set) != TWRC_SUCCESS) ShowError();
  SetImageLayout();
  for (const CapabilitySet& set : ImageSets(Settings)) {
    const uint16_t rc = SetCapability(set);
    if (set.Cap == ICAP_PIXELFLAVOR) {
      const std::string flavor = "pixel flavor " + std::to_string(set.Item);
      FHost.ShowMessage(rc == TWRC_SUCCESS ? flavor + " OK!" : flavor + " BAD! " + std::to_string(rc));
    }
    if (rc != TWRC_SUCCESS) ShowError();
  }
}

uint16_t TTwain::NativeTransfer() {
  uint16_t rc = TWRC_FAILURE;
  for (int attempt = 0; attempt < kNativeTransferTries; ++attempt) {
    TW_HANDLE dib = nullptr;
    rc = SourceCall(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib);
    if (rc == TWRC_XFERDONE) {
      if (reinterpret_cast<uintptr_t>(dib) >= kLowestHandle) FHost.DeliverImage(dib);
      return rc;
    }
    if (rc == TWRC_CANCEL || rc == TWRC_FAILURE) return rc;
  }
  return rc;
}

void TTwain::ResetPendingTransfers() {
  TW_PENDINGXFERS pending{};
  SourceCall(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
}

void TTwain::TransferImages() {
  TW_IMAGEINFO info{};
  if (SourceCall(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info) != TWRC_SUCCESS) {
    ShowError();
    ResetPendingTransfers();
    CloseAll();
    return;
  }
  TW_PENDINGXFERS pending{};
  do {
    const uint16_t rc = NativeTransfer();
    if (rc == TWRC_CANCEL) FTransferCancelled = true;
    if (rc != TWRC_XFERDONE && rc != TWRC_CANCEL) {
      ShowError();
      ResetPendingTransfers();
      break;
    }
    pending = {};
    if (SourceCall(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending) != TWRC_SUCCESS) pending.Count = 0;
    // A cancelled image ends the acquisition, with whatever else the source still holds.
    if (rc == TWRC_CANCEL && pending.Count != 0) {
      ResetPendingTransfers();
      break;
    }
  } while (pending.Count != 0);
  CloseAll();
}

bool TTwain::SelectSource() {
  const bool openedHere = !FManagerOpen;
  if (!OpenManager()) return false;
  TW_IDENTITY chosen{};
  Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &chosen);
  const uint16_t rc = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen);
  if (rc == TWRC_SUCCESS) {
    FSource = chosen;
  } else if (rc != TWRC_CANCEL) {
    ShowError();
  }
  if (openedHere) CloseManager();
  return rc == TWRC_SUCCESS;
}

void TTwain::ShowError() {
  TW_STATUS status{};
  // A source that is not open cannot be asked; the manager then answers for the last operation.
  const bool answered =
      Call(FSourceOpen ? &FSource : nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, &status) == TWRC_SUCCESS;
  if (auto text = ConditionText(answered ? std::optional<uint16_t>(status.ConditionCode) : std::nullopt))
    FHost.ShowErrorBox(*text);
}

std::vector<std::string> TTwain::SourceNames() {
  const bool openedHere = !FManagerOpen;
  std::vector<std::string> names;
  if (!OpenManager()) return names;
  ForEachSource([&](const TW_IDENTITY& source) {
    names.push_back(NameOf(source.ProductName));
    return true;
  });
  if (openedHere) CloseManager();
  return names;
}

std::optional<int32_t> TTwain::CapabilityValue(uint16_t cap) {
  const bool managerOpenedHere = !FManagerOpen, sourceOpenedHere = !FSourceOpen;
  std::optional<int32_t> value;
  if (OpenManager() && OpenSource()) {
    TW_CAPABILITY capability{cap, kAnyContainer, nullptr};
    const uint16_t rc = SourceCall(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability);
    if (capability.hContainer) {
      if (rc == TWRC_SUCCESS) {
        const auto* bytes = static_cast<const uint8_t*>(FHost.Lock(capability.hContainer));
        if (bytes) value = CurrentItem({bytes, FHost.BlockSize(capability.hContainer)}, capability.ConType);
        FHost.Unlock(capability.hContainer);
      }
      FHost.Release(capability.hContainer);
    }
  }
  if (sourceOpenedHere) CloseSource();
  if (managerOpenedHere) CloseManager();
  return value;
}

}  // namespace viewer
