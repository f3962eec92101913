// PrintDlgA on Printer()'s device, and the chosen device handed back to Printer().
#include "classlib/win/print_dialogs.h"

#include <commdlg.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/win/modal_seam.h"
#include "classlib/win/printer.h"

namespace cl {
namespace {

// A movable global memory block, freed once.
class GlobalBlock {
 public:
  GlobalBlock() = default;
  explicit GlobalBlock(HGLOBAL handle) : FHandle(handle) {}
  ~GlobalBlock() {
    if (FHandle) GlobalFree(FHandle);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  HGLOBAL Get() const { return FHandle; }
  // Takes over the block the dialog handed back: a new one, or the given one reallocated (GlobalReAlloc), whose
  // old handle then is no longer ours to free.
  void Adopt(HGLOBAL handle) { FHandle = handle; }

 private:
  HGLOBAL FHandle = nullptr;
};

// A locked view of a global block; null data when the block is missing or cannot be locked.
class GlobalView {
 public:
  explicit GlobalView(HGLOBAL handle) : FHandle(handle), FData(handle ? GlobalLock(handle) : nullptr) {}
  ~GlobalView() {
    if (FData) GlobalUnlock(FHandle);
  }
  GlobalView(const GlobalView&) = delete;
  GlobalView& operator=(const GlobalView&) = delete;
  void* Data() const { return FData; }
  size_t Size() const { return FData ? GlobalSize(FHandle) : 0; }

 private:
  HGLOBAL FHandle;
  void* FData;
};

// A movable block holding a copy of bytes; null when there are none.
HGLOBAL MakeBlock(const std::vector<BYTE>& bytes) {
  if (bytes.empty()) return nullptr;
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!handle) throw EOutOfMemory();
  GlobalView view(handle);
  if (!view.Data()) {
    GlobalFree(handle);
    throw EOutOfMemory();
  }
  std::memcpy(view.Data(), bytes.data(), bytes.size());
  return handle;
}

// A DEVNAMES block naming driver, device and port, so that the dialog opens on that printer; null for the
// default printer.
HGLOBAL MakeDevNames(const std::string& driver, const std::string& device, const std::string& port) {
  const size_t header = sizeof(DEVNAMES);
  const size_t size = header + driver.size() + device.size() + port.size() + 3;
  if (device.empty() || size > 0xFFFF) return nullptr;  // offsets are 16-bit
  std::vector<BYTE> bytes(size, 0);
  DEVNAMES names{};
  size_t offset = header;
  auto put = [&](const std::string& text) {
    std::memcpy(bytes.data() + offset, text.c_str(), text.size() + 1);
    const WORD at = static_cast<WORD>(offset);
    offset += text.size() + 1;
    return at;
  };
  names.wDriverOffset = put(driver);
  names.wDeviceOffset = put(device);
  names.wOutputOffset = put(port);
  std::memcpy(bytes.data(), &names, header);
  return MakeBlock(bytes);
}

// The bytes of a block the dialog handed back.
std::vector<BYTE> BlockBytes(HGLOBAL handle) {
  GlobalView view(handle);
  const auto* data = static_cast<const BYTE*>(view.Data());
  return data ? std::vector<BYTE>(data, data + view.Size()) : std::vector<BYTE>{};
}

// The string at offset of a DEVNAMES block, never read past the block's end.
std::string DevNamesString(const GlobalView& view, WORD offset) {
  const auto* base = static_cast<const char*>(view.Data());
  const size_t size = view.Size();
  if (!base || offset >= size) return {};
  return std::string(base + offset, strnlen(base + offset, size - offset));
}

// Runs PrintDlgA with flags on Printer()'s device. OK makes the chosen device Printer()'s.
bool RunPrintDialog(TComponent* dialog, DWORD flags) {
  std::string device, driver, port;
  Printer()->GetPrinter(device, driver, port);
  GlobalBlock devNames(MakeDevNames(driver, device, port));
  // The settings go back in only with the printer they belong to.
  const std::vector<BYTE>& settings = Printer()->DevMode();
  GlobalBlock devMode(devNames.Get() && DevModeFits(settings) ? MakeBlock(settings) : nullptr);

  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = CommonDialogOwner();
  pd.hDevNames = devNames.Get();
  pd.hDevMode = devMode.Get();
  pd.Flags = flags;
  pd.nCopies = 1;
  bool chosen = false;
  {
    // The dialog pumps messages: a handler may free the dialog component meanwhile.
    DispatchScope scope(dialog);
    chosen = PrintDlgA(&pd) != FALSE;
  }
  devNames.Adopt(pd.hDevNames);
  devMode.Adopt(pd.hDevMode);
  if (pd.hDC) DeleteDC(pd.hDC);
  if (dialog->ComponentState().Contains(csDestroying)) return false;
  if (!chosen) {
    CheckCommonDialogError();
    return false;
  }
  GlobalView names(devNames.Get());
  if (const auto* chosenNames = static_cast<const DEVNAMES*>(names.Data());
      chosenNames && names.Size() >= sizeof(DEVNAMES)) {
    Printer()->SetPrinter(DevNamesString(names, chosenNames->wDeviceOffset),
                          DevNamesString(names, chosenNames->wDriverOffset),
                          DevNamesString(names, chosenNames->wOutputOffset), BlockBytes(devMode.Get()));
  }
  return true;
}

}  // namespace

bool TPrintDialog::Execute() {
  if (seam::ModalResponder* responder = seam::CurrentResponder()) {
    if (std::optional<bool> answer = responder->AnswerPrintDialog(*this)) return *answer;
  }
  return RunPrintDialog(this, PD_NOSELECTION | PD_NOPAGENUMS);
}

bool TPrinterSetupDialog::Execute() {
  if (seam::ModalResponder* responder = seam::CurrentResponder()) {
    if (std::optional<bool> answer = responder->AnswerPrinterSetup(*this)) return *answer;
  }
  return RunPrintDialog(this, PD_PRINTSETUP);
}

}  // namespace cl
