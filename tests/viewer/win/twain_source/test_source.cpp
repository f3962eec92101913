// A TWAIN data source for the viewer's tests, loaded by the system's source manager from its sources folder. It
// hands out the test picture as a native transfer, answers the capability, status and layout operations, and
// writes each operation it receives to a log file. The environment of the process steers it, read when the
// source is opened:
//   TEST_TWAIN_SOURCE_LOG   file the operations are appended to, one line each ("SET 1118 7 600", "ENDXFER");
//   TEST_TWAIN_SOURCE_MODE  "" hands out the picture; "cancel" and "fail" end the transfer so; "lying" hands out
//                           a DIB whose header claims more rows than its block holds; "busy" refuses to be opened.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "test_picture.h"
#include "viewer/core/twain_types.h"

using namespace viewer::twain;

namespace {

enum class State { Loaded = 3, Open = 4, Enabled = 5, Ready = 6, Transferring = 7 };

struct Capability {
  uint16_t Container;
  uint16_t ItemType;
  uint32_t Value;
};

constexpr uint32_t kResolutions[] = {75, 150, 300, 600};

struct Source {
  State State = State::Loaded;
  uint16_t Condition = TWCC_SUCCESS;
  std::string Mode;
  std::string LogFile;
  bool ShowUI = false;
  HWND Parent = nullptr;
  TW_IMAGELAYOUT Layout{};
  std::map<uint16_t, Capability> Capabilities;
};

Source source;

std::string Environment(const char* name) {
  char value[MAX_PATH] = {};
  GetEnvironmentVariableA(name, value, sizeof value);
  return value;
}

void Log(const std::string& line) {
  if (source.LogFile.empty()) return;
  if (FILE* file = std::fopen(source.LogFile.c_str(), "a")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

uint16_t Fail(uint16_t condition) {
  source.Condition = condition;
  return TWRC_FAILURE;
}

void FillIdentity(TW_IDENTITY& identity) {
  std::memset(&identity, 0, sizeof identity);
  identity.Version = {1, 0, 2, 1, "1.0"};
  identity.ProtocolMajor = 1;
  identity.ProtocolMinor = 9;
  identity.SupportedGroups = kControlAndImageGroups;
  std::strcpy(identity.Manufacturer, "Test Makers");
  std::strcpy(identity.ProductFamily, "Test Sources");
  std::strcpy(identity.ProductName, "Test Pattern Source");
}

void ResetCapabilities() {
  source.Capabilities = {
      {ICAP_PIXELTYPE, {TWON_ENUMERATION, TWTY_UINT16, 2}},    {ICAP_XRESOLUTION, {TWON_ENUMERATION, TWTY_FIX32, 300}},
      {ICAP_YRESOLUTION, {TWON_ENUMERATION, TWTY_FIX32, 300}}, {ICAP_UNITS, {TWON_ONEVALUE, TWTY_UINT16, 0}},
      {ICAP_BITDEPTH, {TWON_RANGE, TWTY_UINT16, 8}},           {CAP_INDICATORS, {TWON_ONEVALUE, TWTY_BOOL, 1}},
      {CAP_XFERCOUNT, {TWON_ONEVALUE, TWTY_INT16, 0xFFFF}},
  };
  source.Layout = {};
  source.Layout.Frame.Right.Whole = 8;
  source.Layout.Frame.Bottom.Whole = 11;
}

HGLOBAL NewBlock(size_t size, uint8_t*& bytes) {
  HGLOBAL block = GlobalAlloc(GHND, size);
  bytes = block ? static_cast<uint8_t*>(GlobalLock(block)) : nullptr;
  return block;
}

// The container a capability's question is answered with (the application frees it).
HGLOBAL Container(const Capability& capability) {
  uint8_t* bytes = nullptr;
  HGLOBAL block = nullptr;
  if (capability.Container == TWON_ONEVALUE) {
    block = NewBlock(sizeof(TW_ONEVALUE), bytes);
    if (!block) return nullptr;
    auto* one = reinterpret_cast<TW_ONEVALUE*>(bytes);
    one->ItemType = capability.ItemType;
    one->Item = capability.Value;
  } else if (capability.Container == TWON_RANGE) {
    block = NewBlock(sizeof(TW_RANGE), bytes);
    if (!block) return nullptr;
    *reinterpret_cast<TW_RANGE*>(bytes) = {capability.ItemType, 1, 24, 1, 8, capability.Value};
  } else if (capability.ItemType == TWTY_FIX32) {  // the resolutions
    const uint32_t count = std::size(kResolutions);
    block = NewBlock(offsetof(TW_ENUMERATION, ItemList) + count * sizeof(TW_FIX32), bytes);
    if (!block) return nullptr;
    auto* list = reinterpret_cast<TW_ENUMERATION*>(bytes);
    *list = {TWTY_FIX32, count, 0, 2, {}};
    for (uint32_t i = 0; i < count; ++i) {
      const TW_FIX32 item{static_cast<int16_t>(kResolutions[i]), 0};
      std::memcpy(list->ItemList + i * sizeof item, &item, sizeof item);
      if (kResolutions[i] == capability.Value) list->CurrentIndex = i;
    }
  } else {  // pixel types 0 .. 2
    block = NewBlock(offsetof(TW_ENUMERATION, ItemList) + 3 * sizeof(uint16_t), bytes);
    if (!block) return nullptr;
    auto* list = reinterpret_cast<TW_ENUMERATION*>(bytes);
    *list = {TWTY_UINT16, 3, capability.Value, 2, {}};
    for (uint16_t i = 0; i < 3; ++i) std::memcpy(list->ItemList + i * sizeof i, &i, sizeof i);
  }
  GlobalUnlock(block);
  return block;
}

uint16_t CapabilityOperation(uint16_t msg, TW_CAPABILITY& request) {
  auto found = source.Capabilities.find(request.Cap);
  if (msg == MSG_SET) {
    TW_ONEVALUE value{};
    if (request.ConType == TWON_ONEVALUE && request.hContainer) {
      std::memcpy(&value, GlobalLock(request.hContainer), sizeof value);
      GlobalUnlock(request.hContainer);
    }
    char line[64];
    std::snprintf(line, sizeof line, "SET %X %u %u", request.Cap, value.ItemType, value.Item);
    Log(line);
    if (found == source.Capabilities.end()) return Fail(TWCC_CAPUNSUPPORTED);
    // FIX32 values arrive as whole and fraction; only the whole part is kept.
    found->second.Value = value.ItemType == TWTY_FIX32 ? value.Item & 0xFFFF : value.Item;
    return TWRC_SUCCESS;
  }
  if (msg != MSG_GET && msg != MSG_GETCURRENT) return Fail(TWCC_BADPROTOCOL);
  if (found == source.Capabilities.end()) return Fail(TWCC_CAPUNSUPPORTED);
  request.ConType = found->second.Container;
  request.hContainer = Container(found->second);
  return request.hContainer ? TWRC_SUCCESS : Fail(TWCC_LOWMEMORY);
}

// The test picture as a packed DIB: a 40-byte header and bottom-up rows of 24 bits. A lying one claims a hundred
// times as many rows as it carries.
HGLOBAL PictureDib(bool lying) {
  const int width = viewer::test::kTestPictureWidth, height = viewer::test::kTestPictureHeight;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  uint8_t* bytes = nullptr;
  HGLOBAL block = NewBlock(sizeof(BITMAPINFOHEADER) + stride * height, bytes);
  if (!block) return nullptr;
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(bytes);
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = lying ? height * 100 : height;
  header->biPlanes = 1;
  header->biBitCount = 24;
  header->biCompression = BI_RGB;
  uint8_t* bits = bytes + sizeof(BITMAPINFOHEADER);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bits + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const viewer::test::TestColor color = viewer::test::TestPictureColor(x, y);
      row[3 * x] = color.Blue;
      row[3 * x + 1] = color.Green;
      row[3 * x + 2] = color.Red;
    }
  }
  GlobalUnlock(block);
  return block;
}

uint16_t NativeTransfer(TW_MEMREF data) {
  Log("NATIVEXFER");
  if (source.State != State::Ready) return Fail(TWCC_SEQERROR);
  if (source.Mode == "fail") return Fail(TWCC_BUMMER);
  source.State = State::Transferring;
  if (source.Mode == "cancel") return TWRC_CANCEL;
  HGLOBAL dib = PictureDib(source.Mode == "lying");
  if (!dib) {
    source.State = State::Ready;
    return Fail(TWCC_LOWMEMORY);
  }
  *static_cast<TW_HANDLE*>(data) = dib;
  return TWRC_XFERDONE;
}

uint16_t PendingTransfers(uint16_t msg, TW_PENDINGXFERS& pending) {
  Log(msg == MSG_ENDXFER ? "ENDXFER" : msg == MSG_RESET ? "RESET" : "PENDINGXFERS");
  if (msg == MSG_ENDXFER && source.State != State::Transferring) return Fail(TWCC_SEQERROR);
  if (msg == MSG_RESET && source.State != State::Ready) return Fail(TWCC_SEQERROR);
  pending.Count = 0;
  source.State = State::Enabled;
  return TWRC_SUCCESS;
}

uint16_t UserInterface(uint16_t msg, const TW_USERINTERFACE& ui) {
  if (msg == MSG_ENABLEDS) {
    Log("ENABLEDS " + std::to_string(ui.ShowUI) + " " + std::to_string(ui.ModalUI));
    if (source.State != State::Open) return Fail(TWCC_SEQERROR);
    source.ShowUI = ui.ShowUI;
    source.Parent = static_cast<HWND>(ui.hParent);
    // Without a user interface the picture is ready at once; with one, the next event tells the application.
    source.State = ui.ShowUI ? State::Enabled : State::Ready;
    if (ui.ShowUI) PostMessageA(source.Parent, WM_NULL, 0, 0);
    return TWRC_SUCCESS;
  }
  Log("DISABLEDS");
  if (source.State != State::Enabled) return Fail(TWCC_SEQERROR);
  source.State = State::Open;
  return TWRC_SUCCESS;
}

uint16_t ProcessEvent(TW_EVENT& event) {
  event.TWMessage = MSG_NULL;
  if (source.State != State::Enabled || !source.ShowUI) return TWRC_NOTDSEVENT;
  Log("XFERREADY");
  source.State = State::Ready;
  event.TWMessage = MSG_XFERREADY;
  return TWRC_DSEVENT;
}

uint16_t Control(uint16_t dat, uint16_t msg, TW_MEMREF data) {
  switch (dat) {
    case DAT_IDENTITY:
      if (msg == MSG_GET) {
        FillIdentity(*static_cast<TW_IDENTITY*>(data));
        return TWRC_SUCCESS;
      }
      if (msg == MSG_OPENDS) {
        source.Mode = Environment("TEST_TWAIN_SOURCE_MODE");
        source.LogFile = Environment("TEST_TWAIN_SOURCE_LOG");
        Log("OPENDS");
        if (source.Mode == "busy") return Fail(TWCC_MAXCONNECTIONS);
        ResetCapabilities();
        source.State = State::Open;
        return TWRC_SUCCESS;
      }
      if (msg == MSG_CLOSEDS) {
        Log("CLOSEDS");
        if (source.State != State::Open) return Fail(TWCC_SEQERROR);
        source.State = State::Loaded;
        return TWRC_SUCCESS;
      }
      return Fail(TWCC_BADPROTOCOL);
    case DAT_CAPABILITY:
      return CapabilityOperation(msg, *static_cast<TW_CAPABILITY*>(data));
    case DAT_USERINTERFACE:
      return UserInterface(msg, *static_cast<TW_USERINTERFACE*>(data));
    case DAT_EVENT:
      return ProcessEvent(*static_cast<TW_EVENT*>(data));
    case DAT_PENDINGXFERS:
      return PendingTransfers(msg, *static_cast<TW_PENDINGXFERS*>(data));
    case DAT_STATUS:
      static_cast<TW_STATUS*>(data)->ConditionCode = source.Condition;
      source.Condition = TWCC_SUCCESS;
      return TWRC_SUCCESS;
    default:
      return Fail(TWCC_BADPROTOCOL);
  }
}

uint16_t Image(uint16_t dat, uint16_t msg, TW_MEMREF data) {
  switch (dat) {
    case DAT_IMAGEINFO: {
      Log("IMAGEINFO");
      if (source.State != State::Ready) return Fail(TWCC_SEQERROR);
      auto& info = *static_cast<TW_IMAGEINFO*>(data);
      info = {};
      info.XResolution.Whole = info.YResolution.Whole = 300;
      info.ImageWidth = viewer::test::kTestPictureWidth;
      info.ImageLength = viewer::test::kTestPictureHeight;
      info.SamplesPerPixel = 3;
      info.BitsPerSample[0] = info.BitsPerSample[1] = info.BitsPerSample[2] = 8;
      info.BitsPerPixel = 24;
      info.PixelType = 2;
      return TWRC_SUCCESS;
    }
    case DAT_IMAGELAYOUT:
      Log(msg == MSG_SET ? "SET LAYOUT" : "GET LAYOUT");
      if (msg == MSG_SET)
        source.Layout = *static_cast<TW_IMAGELAYOUT*>(data);
      else
        *static_cast<TW_IMAGELAYOUT*>(data) = source.Layout;
      return TWRC_SUCCESS;
    case DAT_IMAGENATIVEXFER:
      return NativeTransfer(data);
    default:
      return Fail(TWCC_BADPROTOCOL);
  }
}

}  // namespace

extern "C" __declspec(dllexport) uint16_t TWAIN_CALL
    DS_Entry(TW_IDENTITY*, uint32_t dg, uint16_t dat, uint16_t msg, TW_MEMREF data) {
  if (!data && dat != DAT_NULL) return Fail(TWCC_BADVALUE);
  if (dg == DG_CONTROL) return Control(dat, msg, data);
  if (dg == DG_IMAGE) return Image(dat, msg, data);
  return Fail(TWCC_BADPROTOCOL);
}
