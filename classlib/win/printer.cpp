// TPrinter and its backends.
#include "classlib/win/printer.h"

#include <winspool.h>
// winspool.h maps these names to its -A functions; TPrinter has members of the same names.
#undef SetPrinter
#undef GetPrinter

#include <cstddef>

#include "classlib/core/exceptions.h"
#include "classlib/win/dib.h"
#include "classlib/win/gdi.h"

namespace cl {
namespace {

constexpr int kHundredthMillimetresPerInch = 2540;

std::string DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (size == 0) return "";
  std::string name(size, '\0');
  if (!GetDefaultPrinterA(name.data(), &size)) return "";
  name.resize(size > 0 ? size - 1 : 0);
  return name;
}

}  // namespace

bool DevModeFits(const std::vector<BYTE>& bytes) {
  if (bytes.size() < offsetof(DEVMODEA, dmFields) + sizeof(DWORD)) return false;
  const auto* mode = reinterpret_cast<const DEVMODEA*>(bytes.data());
  return mode->dmSize >= offsetof(DEVMODEA, dmFields) + sizeof(DWORD) &&
         size_t{mode->dmSize} + mode->dmDriverExtra <= bytes.size();
}

TWinspoolPrinterBackend::TWinspoolPrinterBackend(const std::string& device, const std::string& driver,
                                                 const std::string& port, std::vector<BYTE> devMode)
    : FDevice(device),
      FDriver(driver),
      FPort(port),
      FDevMode(DevModeFits(devMode) ? std::move(devMode) : std::vector<BYTE>{}) {}

TWinspoolPrinterBackend::~TWinspoolPrinterBackend() {
  if (FDC) ::DeleteDC(FDC);
}

HDC TWinspoolPrinterBackend::InfoDC() {
  if (FDC) return FDC;
  const std::string device = FDevice.empty() ? DefaultPrinterName() : FDevice;
  if (device.empty()) throw EPrinter("There is no default printer currently selected");
  const auto* mode = FDevMode.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(FDevMode.data());
  FDC = CreateDCA(FDriver.empty() ? "WINSPOOL" : FDriver.c_str(), device.c_str(), nullptr, mode);
  if (!FDC) throw EPrinter("There is no default printer currently selected");
  return FDC;
}

HDC TWinspoolPrinterBackend::BeginDoc(const std::string& title) {
  HDC dc = InfoDC();
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  if (StartDocA(dc, &info) <= 0 || StartPage(dc) <= 0) throw EPrinter("Printing failed");
  return dc;
}

HDC TWinspoolPrinterBackend::NewPage() {
  ::EndPage(FDC);
  ::StartPage(FDC);
  return FDC;
}

void TWinspoolPrinterBackend::EndDoc() {
  ::EndPage(FDC);
  ::EndDoc(FDC);
}

void TWinspoolPrinterBackend::Abort() {
  AbortDoc(FDC);
}

int TWinspoolPrinterBackend::PageWidth() {
  return GetDeviceCaps(InfoDC(), HORZRES);
}
int TWinspoolPrinterBackend::PageHeight() {
  return GetDeviceCaps(InfoDC(), VERTRES);
}

HDC TRecordingPrinterBackend::BeginDoc(const std::string& title) {
  FCalls.push_back("BeginDoc " + title);
  FTitle = title;
  return StartPage();
}

HDC TRecordingPrinterBackend::NewPage() {
  FCalls.push_back("NewPage");
  FinishPage();
  return StartPage();
}

void TRecordingPrinterBackend::EndDoc() {
  FCalls.push_back("EndDoc");
  FinishPage();
}

void TRecordingPrinterBackend::Abort() {
  FCalls.push_back("Abort");
  FinishPage();
}

TMemoryPrinterBackend::~TMemoryPrinterBackend() {
  FinishPage();
}

HDC TMemoryPrinterBackend::StartPage() {
  FPages.emplace_back(dib::CreateBlankSection(FPageWidth, FPageHeight, 32, false, {}));
  FDC = gdi::TrackDC(gdi::Check(CreateCompatibleDC(nullptr)));
  FOldBitmap = SelectObject(FDC, FPages.back().Get());
  PatBlt(FDC, 0, 0, FPageWidth, FPageHeight, WHITENESS);
  return FDC;
}

void TMemoryPrinterBackend::FinishPage() {
  if (!FDC) return;
  SelectObject(FDC, FOldBitmap);
  gdi::FreeMemoryDC(FDC);
  FDC = nullptr;
}

bmp::TDibImage TMemoryPrinterBackend::Page(int index) const {
  return dib::ReadSection(FPages.at(index).Get());
}

TMetafilePrinterBackend::~TMetafilePrinterBackend() {
  FinishPage();
  for (HENHMETAFILE page : FPages) gdi::FreeEnhMetaFile(page);
}

HDC TMetafilePrinterBackend::StartPage() {
  gdi::WindowDC screen;
  const RECT frame{0, 0, MulDiv(FPageWidth, kHundredthMillimetresPerInch, GetDeviceCaps(screen.Get(), LOGPIXELSX)),
                   MulDiv(FPageHeight, kHundredthMillimetresPerInch, GetDeviceCaps(screen.Get(), LOGPIXELSY))};
  FDC = gdi::Check(CreateEnhMetaFileA(screen.Get(), nullptr, &frame, Title().c_str()));
  return FDC;
}

void TMetafilePrinterBackend::FinishPage() {
  if (!FDC) return;
  FPages.push_back(gdi::TrackEnhMetaFile(CloseEnhMetaFile(FDC)));
  FDC = nullptr;
}

TPrinter::TPrinter() : FCanvas(New<TCanvas>()) {}
TPrinter::~TPrinter() = default;

void TPrinter::BeforeDestruction() {
  if (FPrinting) Abort();
  FCanvas->SetHandle(nullptr);
  inherited::BeforeDestruction();
}

std::vector<std::string> TPrinter::Printers() const {
  std::vector<std::string> names;
  DWORD needed = 0, count = 0;
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed == 0) return names;
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return names;
  const auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.emplace_back(info[i].pPrinterName);
  return names;
}

void TPrinter::CheckPrinting(bool printing) const {
  if (FPrinting == printing) return;
  throw EPrinter(printing ? "Printer is not currently printing" : "Printing in progress");
}

void TPrinter::SetPrinterIndex(int index) {
  CheckPrinting(false);
  if (index == -1) {
    SetPrinter("", "", "");
    return;
  }
  const std::vector<std::string> names = Printers();
  if (index < -1 || index >= static_cast<int>(names.size())) throw EPrinter("Printer selected is not valid");
  SetPrinter(names[index], "", "");
  FPrinterIndex = index;
}

void TPrinter::SetPrinter(const std::string& device, const std::string& driver, const std::string& port,
                          std::vector<BYTE> devMode) {
  CheckPrinting(false);
  FDevice = device;
  FDriver = driver;
  FPort = port;
  FDevMode = std::move(devMode);
  FPrinterIndex = -1;
  FBackend.reset();
}

void TPrinter::GetPrinter(std::string& device, std::string& driver, std::string& port) const {
  device = FDevice.empty() ? DefaultPrinterName() : FDevice;
  driver = FDriver;
  port = FPort;
}

void TPrinter::SetBackend(std::unique_ptr<TPrinterBackend> backend) {
  CheckPrinting(false);
  FBackend = std::move(backend);
}

TPrinterBackend* TPrinter::Backend() {
  if (!FBackend) FBackend = std::make_unique<TWinspoolPrinterBackend>(FDevice, FDriver, FPort, FDevMode);
  return FBackend.get();
}

void TPrinter::SetPage(HDC dc) {
  FCanvas->SetHandle(dc);
}

void TPrinter::BeginDoc() {
  CheckPrinting(false);
  HDC dc = Backend()->BeginDoc(FTitle);
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
  SetPage(dc);
}

void TPrinter::EndDoc() {
  CheckPrinting(true);
  SetPage(nullptr);
  FPrinting = false;
  Backend()->EndDoc();
}

void TPrinter::Abort() {
  CheckPrinting(true);
  SetPage(nullptr);
  FPrinting = false;
  FAborted = true;
  Backend()->Abort();
}

void TPrinter::NewPage() {
  CheckPrinting(true);
  SetPage(nullptr);
  SetPage(Backend()->NewPage());
  ++FPageNumber;
}

TCanvas* TPrinter::Canvas() {
  return FCanvas.get();
}

HDC TPrinter::Handle() {
  CheckPrinting(true);
  return FCanvas->Handle();
}

int TPrinter::PageWidth() {
  return Backend()->PageWidth();
}
int TPrinter::PageHeight() {
  return Backend()->PageHeight();
}

namespace {
TPrinter*& ThePrinter() {
  static TPrinter* printer = nullptr;  // made on first use, lives until the process ends
  return printer;
}
}  // namespace

TPrinter* Printer() {
  if (!ThePrinter()) ThePrinter() = New<TPrinter>();
  return ThePrinter();
}

TPrinter* SetPrinter(TPrinter* printer) {
  return std::exchange(ThePrinter(), printer);
}

}  // namespace cl
