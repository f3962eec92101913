#include "viewer/enh_twain.h"

#include "classlib/core/exceptions.h"
#include "classlib/core/string_list.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/dialogs.h"
#include "classlib/win/dib.h"
#include "classlib/win/forms.h"
#include "classlib/win/gdi.h"
#include "classlib/win/message_box.h"
#include "classlib/win/util_window.h"
#include "viewer/core/twain_dib.h"
#include "viewer/core/twain_protocol.h"

namespace viewer {

using namespace twain;

namespace {

constexpr char kSourceManager[] = "TWAIN_32.DLL";
constexpr char kErrorTitle[] = "TWAIN Error";

}  // namespace

// What the protocol object needs of the system, on the component's behalf.
class TEnhTwain::Host : public TwainHost {
 public:
  explicit Host(TEnhTwain& owner) : FOwner(owner) {}
  uint16_t Entry(TW_IDENTITY* origin, TW_IDENTITY* dest, uint32_t dg, uint16_t dat, uint16_t msg,
                 TW_MEMREF data) override {
    return FOwner.FEntry(origin, dest, dg, dat, msg, data);
  }
  TW_HANDLE Allocate(size_t size) override { return GlobalAlloc(GHND, size); }
  void* Lock(TW_HANDLE block) override { return GlobalLock(block); }
  void Unlock(TW_HANDLE block) override { GlobalUnlock(block); }
  size_t BlockSize(TW_HANDLE block) override { return GlobalSize(block); }
  void Release(TW_HANDLE block) override { GlobalFree(block); }
  void ShowErrorBox(const std::string& text) override {
    FOwner.FNoImageExplained = true;
    cl::MessageBoxA(FOwner.ParentWindow(), text, kErrorTitle, MB_OK | MB_ICONERROR);
  }
  void ShowMessage(const std::string& text) override {
    FOwner.FNoImageExplained = true;
    cl::ShowMessage(text);
  }
  // Sent, not posted: the image is in the picture when the transfer request returns.
  void DeliverImage(TW_HANDLE dib) override { SendMessageA(FOwner.FHandle, WM_USER, reinterpret_cast<WPARAM>(dib), 0); }

 private:
  TEnhTwain& FOwner;
};

TEnhTwain::TEnhTwain(cl::TComponent* owner) : TComponent(owner) {
  // A missing library must not bring up the system's own error box.
  const UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  FLibrary = LoadLibraryA(kSourceManager);
  SetErrorMode(errorMode);
  if (FLibrary) FEntry = reinterpret_cast<DsmEntryProc>(GetProcAddress(FLibrary, "DSM_Entry"));
  FHandle = cl::AllocateHWnd([this](cl::TMessage& message) { WndProc(message); });
  FHost = std::make_unique<Host>(*this);
  FPicture = cl::New<cl::TBitmap>();
  FSourceList = cl::New<cl::TStringList>();
}

TEnhTwain::~TEnhTwain() = default;

void TEnhTwain::BeforeDestruction() {
  FreeProtocol();
  if (FHandle) cl::DeallocateHWnd(std::exchange(FHandle, nullptr));
  cl::FreeAndNil(FPicture);
  cl::FreeAndNil(FSourceList);
  FEntry = nullptr;
  if (FLibrary) FreeLibrary(std::exchange(FLibrary, nullptr));
  inherited::BeforeDestruction();
}

void TEnhTwain::Loaded() {
  inherited::Loaded();
  if (Available()) GetSourceList();
}

HWND TEnhTwain::ParentWindow() const {
  cl::TForm* main = cl::Application ? cl::Application->MainForm() : nullptr;
  return main ? main->Handle() : FHandle;
}

bool TEnhTwain::CreateProtocol() {
  if (FTwain || !Available()) return false;
  FTwain = cl::New<TTwain>(*FHost, ApplicationIdentity(FManufacturer, FProductFamily, FProductName), ParentWindow());
  FTwain->Settings = FSettings;
  FTwain->PreferredSource = FPreferredSource;
  if (FOnLayout) FTwain->OnLayout = [this](TW_IMAGELAYOUT& layout) { FOnLayout(this, layout); };
  // Every message of the program's queue goes to the source first while an operation runs.
  FPreviousOnMessage = cl::Application->OnMessage();
  cl::Application->SetOnMessage(
      cl::TMessageEvent([this](MSG& msg, bool& handled) { ApplicationMessage(msg, handled); }));
  return true;
}

void TEnhTwain::FreeProtocol() {
  if (!FTwain) return;
  cl::Application->SetOnMessage(FPreviousOnMessage);
  FPreviousOnMessage = nullptr;
  TTwain* twain = std::exchange(FTwain, nullptr);
  twain->CloseAll();
  twain->Free();
}

void TEnhTwain::ApplicationMessage(MSG& msg, bool& handled) {
  if (FTwain && FTwain->ProcessMessage(&msg)) {
    handled = true;
  } else if (FPreviousOnMessage) {
    FPreviousOnMessage(msg, handled);
  }
  // An acquisition through the source's own interface ends when the transfer or the source closed everything.
  if (FTwain && !FTwain->ManagerOpen()) FreeProtocol();
}

bool TEnhTwain::Acquire(bool showUI) {
  if (!Available()) return false;
  FCaptured = false;
  FNoImageExplained = false;
  CreateProtocol();
  FTwain->Acquire(showUI);
  if (FTwain->TransferCancelled()) FNoImageExplained = true;
  if (!showUI || !FTwain->SourceEnabled()) FreeProtocol();
  return FCaptured;
}

bool TEnhTwain::SelectSource() {
  if (!Available()) return false;
  const bool createdHere = CreateProtocol();
  const bool chosen = FTwain->SelectSource();
  // The manager forgets the choice when it closes: the next acquisition asks for the chosen source by name.
  if (chosen) FPreferredSource = FTwain->Source().ProductName;
  if (createdHere) FreeProtocol();
  return chosen;
}

int TEnhTwain::GetSourceList() {
  FSourceList->Clear();
  if (!Available()) return 0;
  const bool createdHere = CreateProtocol();
  for (const std::string& name : FTwain->SourceNames()) FSourceList->Add(name);
  if (createdHere) FreeProtocol();
  return FSourceList->Count();
}

void TEnhTwain::WndProc(cl::TMessage& message) {
  if (message.Msg != WM_USER) {
    message.Result = DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
    return;
  }
  message.Result = 0;
  const auto dib = reinterpret_cast<HGLOBAL>(message.WParam);
  if (FOnRawData) {
    FOnRawData(this, dib);
    return;
  }
  try {
    ReceiveImage(dib);
  } catch (...) {
    FNoImageExplained = true;  // the application's error box tells what was wrong with the image
    throw;
  }
}

void TEnhTwain::ReceiveImage(HGLOBAL dib) {
  HPALETTE palette = nullptr;
  HBITMAP bitmap = nullptr;
  {
    const cl::dib::TakenBlock block(dib);
    const TwainDib layout = ReadTwainDib(block.Bytes(), block.Size());
    cl::gdi::Object<HPALETTE> ownedPalette(layout.Palette.empty() ? nullptr : cl::dib::CreatePaletteOf(layout.Palette));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(block.Bytes());
    const uint8_t* bits = block.Bytes() + layout.Layout.BitsOffset;
    const int width = layout.Layout.Image.Width, height = layout.Layout.Image.Height;
    cl::gdi::WindowDC dc(FHandle);
    const cl::gdi::PaletteGuard selected(dc.Get(), ownedPalette.Get());
    cl::gdi::Object<HBITMAP> ownedBitmap;
    if (layout.Monochrome()) {
      ownedBitmap.Reset(
          static_cast<HBITMAP>(cl::gdi::Track(cl::gdi::Check(CreateBitmap(width, height, 1, 1, nullptr)))));
      if (!SetDIBits(dc.Get(), ownedBitmap.Get(), 0, height, bits, info, DIB_RGB_COLORS))
        throw cl::EInvalidGraphic("The image from the TWAIN source is not a valid bitmap");
    } else {
      ownedBitmap.Reset(static_cast<HBITMAP>(cl::gdi::Track(
          cl::gdi::Check(CreateDIBitmap(dc.Get(), &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS)))));
    }
    // The picture counts what it takes over itself.
    bitmap = static_cast<HBITMAP>(cl::gdi::Untrack(ownedBitmap.Release()));
    palette = static_cast<HPALETTE>(cl::gdi::Untrack(ownedPalette.Release()));
  }
  FPicture->SetHandle(bitmap);
  FPicture->SetPalette(palette);
  FCaptured = true;
  if (FOnCapture) FOnCapture(this);
}

std::optional<int32_t> TEnhTwain::CurrentValue(uint16_t cap) {
  const bool createdHere = CreateProtocol();
  const std::optional<int32_t> value = FTwain->CapabilityValue(cap);
  if (createdHere) FreeProtocol();
  return value;
}

template <class E>
E TEnhTwain::Current(uint16_t cap, E (*read)(std::optional<int32_t>)) {
  if (!Available()) return static_cast<E>(0);
  return read(CurrentValue(cap));
}

int TEnhTwain::CurrentResolution(uint16_t cap) {
  return Available() ? ResolutionFromTwain(CurrentValue(cap)) : 0;
}

template <class T>
void TEnhTwain::Store(T TwainSettings::*field, T value, const char* refusal) {
  if (refusal) {
    cl::MessageDlg(refusal, cl::mtError, {cl::mbOK}, 0);
    return;
  }
  FSettings.*field = value;
  if (FTwain) FTwain->Settings.*field = value;
}

TBitDepth TEnhTwain::BitDepth() {
  return Current(ICAP_BITDEPTH, BitDepthFromTwain);
}
void TEnhTwain::SetBitDepth(TBitDepth value) {
  Store(&TwainSettings::BitDepth, value, RefusalOf(value));
}
TBDReduction TEnhTwain::BDReduction() {
  return Current(ICAP_BITDEPTHREDUCTION, BDReductionFromTwain);
}
void TEnhTwain::SetBDReduction(TBDReduction value) {
  Store(&TwainSettings::BDReduction, value, RefusalOf(value));
}
TEtwBoolean TEnhTwain::Indicators() {
  return Current(CAP_INDICATORS, IndicatorsFromTwain);
}
void TEnhTwain::SetIndicators(TEtwBoolean value) {
  Store(&TwainSettings::Indicators, value, RefusalOf(value));
}
TEtwLightPath TEnhTwain::LightPath() {
  return Current(ICAP_LIGHTPATH, LightPathFromTwain);
}
void TEnhTwain::SetLightPath(TEtwLightPath value) {
  Store(&TwainSettings::LightPath, value, RefusalOf(value));
}
TEtwOrientation TEnhTwain::orientation() {
  return Current(ICAP_ORIENTATION, OrientationFromTwain);
}
void TEnhTwain::Setorientation(TEtwOrientation value) {
  Store(&TwainSettings::Orientation, value, RefusalOf(value));
}
TEtwPixelFlavor TEnhTwain::PixelFlavor() {
  return Current(ICAP_PIXELFLAVOR, PixelFlavorFromTwain);
}
void TEnhTwain::SetPixelFlavor(TEtwPixelFlavor value) {
  Store(&TwainSettings::PixelFlavor, value, RefusalOf(value));
}
TEtwPixelType TEnhTwain::PixelType() {
  return Current(ICAP_PIXELTYPE, PixelTypeFromTwain);
}
void TEnhTwain::SetPixelType(TEtwPixelType value) {
  Store(&TwainSettings::PixelType, value, RefusalOf(value));
}
TEtwUnits TEnhTwain::Units() {
  return Current(ICAP_UNITS, UnitsFromTwain);
}
void TEnhTwain::SetUnits(TEtwUnits value) {
  Store(&TwainSettings::Units, value, RefusalOf(value));
}
void TEnhTwain::SetFastUI(bool value) {
  Store(&TwainSettings::FastUI, value);
}
int TEnhTwain::XRes() {
  return CurrentResolution(ICAP_XRESOLUTION);
}
void TEnhTwain::SetXRes(int value) {
  Store(&TwainSettings::XRes, value, ResolutionRefusal(value));
}
int TEnhTwain::YRes() {
  return CurrentResolution(ICAP_YRESOLUTION);
}
void TEnhTwain::SetYRes(int value) {
  Store(&TwainSettings::YRes, value, ResolutionRefusal(value));
}

}  // namespace viewer
