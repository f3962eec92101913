// The TWAIN protocol's codes and structures (version 1.x, as the source manager TWAIN_32.DLL speaks it). Plain
// data with the protocol's 2-byte packing; handles and window handles are pointer-sized.
#pragma once

#include <cstddef>
#include <cstdint>

namespace viewer::twain {

using TW_HANDLE = void*;
using TW_MEMREF = void*;
using TW_BOOL = uint16_t;
using TW_STR32 = char[34];  // up to 33 characters and the terminating zero

// Data groups.
constexpr uint32_t DG_CONTROL = 0x0001;
constexpr uint32_t DG_IMAGE = 0x0002;

// Data argument types.
constexpr uint16_t DAT_NULL = 0x0000;
constexpr uint16_t DAT_CAPABILITY = 0x0001;
constexpr uint16_t DAT_EVENT = 0x0002;
constexpr uint16_t DAT_IDENTITY = 0x0003;
constexpr uint16_t DAT_PARENT = 0x0004;
constexpr uint16_t DAT_PENDINGXFERS = 0x0005;
constexpr uint16_t DAT_STATUS = 0x0008;
constexpr uint16_t DAT_USERINTERFACE = 0x0009;
constexpr uint16_t DAT_IMAGEINFO = 0x0101;
constexpr uint16_t DAT_IMAGELAYOUT = 0x0102;
constexpr uint16_t DAT_IMAGENATIVEXFER = 0x0104;

// Messages.
constexpr uint16_t MSG_NULL = 0x0000;
constexpr uint16_t MSG_GET = 0x0001;
constexpr uint16_t MSG_GETCURRENT = 0x0002;
constexpr uint16_t MSG_GETDEFAULT = 0x0003;
constexpr uint16_t MSG_GETFIRST = 0x0004;
constexpr uint16_t MSG_GETNEXT = 0x0005;
constexpr uint16_t MSG_SET = 0x0006;
constexpr uint16_t MSG_RESET = 0x0007;
constexpr uint16_t MSG_XFERREADY = 0x0101;
constexpr uint16_t MSG_CLOSEDSREQ = 0x0102;
constexpr uint16_t MSG_OPENDSM = 0x0301;
constexpr uint16_t MSG_CLOSEDSM = 0x0302;
constexpr uint16_t MSG_OPENDS = 0x0401;
constexpr uint16_t MSG_CLOSEDS = 0x0402;
constexpr uint16_t MSG_USERSELECT = 0x0403;
constexpr uint16_t MSG_DISABLEDS = 0x0501;
constexpr uint16_t MSG_ENABLEDS = 0x0502;
constexpr uint16_t MSG_PROCESSEVENT = 0x0601;
constexpr uint16_t MSG_ENDXFER = 0x0701;

// Return codes.
constexpr uint16_t TWRC_SUCCESS = 0;
constexpr uint16_t TWRC_FAILURE = 1;
constexpr uint16_t TWRC_CHECKSTATUS = 2;
constexpr uint16_t TWRC_CANCEL = 3;
constexpr uint16_t TWRC_DSEVENT = 4;
constexpr uint16_t TWRC_NOTDSEVENT = 5;
constexpr uint16_t TWRC_XFERDONE = 6;
constexpr uint16_t TWRC_ENDOFLIST = 7;

// Condition codes.
constexpr uint16_t TWCC_SUCCESS = 0;
constexpr uint16_t TWCC_BUMMER = 1;
constexpr uint16_t TWCC_LOWMEMORY = 2;
constexpr uint16_t TWCC_NODS = 3;
constexpr uint16_t TWCC_MAXCONNECTIONS = 4;
constexpr uint16_t TWCC_OPERATIONERROR = 5;
constexpr uint16_t TWCC_BADCAP = 6;
constexpr uint16_t TWCC_BADPROTOCOL = 9;
constexpr uint16_t TWCC_BADVALUE = 10;
constexpr uint16_t TWCC_SEQERROR = 11;
constexpr uint16_t TWCC_BADDEST = 12;
constexpr uint16_t TWCC_CAPUNSUPPORTED = 13;

// Container types.
constexpr uint16_t TWON_ARRAY = 3;
constexpr uint16_t TWON_ENUMERATION = 4;
constexpr uint16_t TWON_ONEVALUE = 5;
constexpr uint16_t TWON_RANGE = 6;

// Item types.
constexpr uint16_t TWTY_INT8 = 0;
constexpr uint16_t TWTY_INT16 = 1;
constexpr uint16_t TWTY_INT32 = 2;
constexpr uint16_t TWTY_UINT8 = 3;
constexpr uint16_t TWTY_UINT16 = 4;
constexpr uint16_t TWTY_UINT32 = 5;
constexpr uint16_t TWTY_BOOL = 6;
constexpr uint16_t TWTY_FIX32 = 7;

// Capabilities.
constexpr uint16_t CAP_XFERCOUNT = 0x0001;
constexpr uint16_t ICAP_PIXELTYPE = 0x0101;
constexpr uint16_t ICAP_UNITS = 0x0102;
constexpr uint16_t CAP_INDICATORS = 0x100B;
constexpr uint16_t ICAP_ORIENTATION = 0x1110;
constexpr uint16_t ICAP_XRESOLUTION = 0x1118;
constexpr uint16_t ICAP_YRESOLUTION = 0x1119;
constexpr uint16_t ICAP_LIGHTPATH = 0x111E;
constexpr uint16_t ICAP_PIXELFLAVOR = 0x111F;
constexpr uint16_t ICAP_BITDEPTH = 0x112B;
constexpr uint16_t ICAP_BITDEPTHREDUCTION = 0x112C;

// Data groups an application supports (TW_IDENTITY.SupportedGroups).
constexpr uint32_t kControlAndImageGroups = DG_CONTROL | DG_IMAGE;

#pragma pack(push, 2)

struct TW_FIX32 {
  int16_t Whole;
  uint16_t Frac;
};

struct TW_FRAME {
  TW_FIX32 Left, Top, Right, Bottom;
};

struct TW_VERSION {
  uint16_t MajorNum;
  uint16_t MinorNum;
  uint16_t Language;
  uint16_t Country;
  TW_STR32 Info;
};

struct TW_IDENTITY {
  uint32_t Id;
  TW_VERSION Version;
  uint16_t ProtocolMajor;
  uint16_t ProtocolMinor;
  uint32_t SupportedGroups;
  TW_STR32 Manufacturer;
  TW_STR32 ProductFamily;
  TW_STR32 ProductName;
};

struct TW_CAPABILITY {
  uint16_t Cap;
  uint16_t ConType;
  TW_HANDLE hContainer;
};

struct TW_ONEVALUE {
  uint16_t ItemType;
  uint32_t Item;
};

struct TW_ENUMERATION {
  uint16_t ItemType;
  uint32_t NumItems;
  uint32_t CurrentIndex;
  uint32_t DefaultIndex;
  uint8_t ItemList[1];
};

struct TW_RANGE {
  uint16_t ItemType;
  uint32_t MinValue;
  uint32_t MaxValue;
  uint32_t StepSize;
  uint32_t DefaultValue;
  uint32_t CurrentValue;
};

struct TW_USERINTERFACE {
  TW_BOOL ShowUI;
  TW_BOOL ModalUI;
  TW_HANDLE hParent;
};

struct TW_EVENT {
  TW_MEMREF pEvent;
  uint16_t TWMessage;
};

struct TW_PENDINGXFERS {
  uint16_t Count;
  uint32_t Reserved;
};

struct TW_STATUS {
  uint16_t ConditionCode;
  uint16_t Reserved;
};

struct TW_IMAGEINFO {
  TW_FIX32 XResolution;
  TW_FIX32 YResolution;
  int32_t ImageWidth;
  int32_t ImageLength;
  int16_t SamplesPerPixel;
  int16_t BitsPerSample[8];
  int16_t BitsPerPixel;
  TW_BOOL Planar;
  int16_t PixelType;
  uint16_t Compression;
};

struct TW_IMAGELAYOUT {
  TW_FRAME Frame;
  uint32_t DocumentNumber;
  uint32_t PageNumber;
  uint32_t FrameNumber;
};

#pragma pack(pop)

static_assert(sizeof(TW_IDENTITY) == 156);
static_assert(sizeof(TW_ONEVALUE) == 6);
static_assert(sizeof(TW_CAPABILITY) == 4 + sizeof(TW_HANDLE));
static_assert(sizeof(TW_RANGE) == 22);
static_assert(sizeof(TW_IMAGEINFO) == 42);
static_assert(offsetof(TW_ENUMERATION, ItemList) == 14);

// The source manager's entry point and a source's (stdcall on 32-bit Windows).
#if defined(_WIN32) && !defined(_WIN64)
#define TWAIN_CALL __stdcall
#else
#define TWAIN_CALL
#endif
using DsmEntryProc = uint16_t(TWAIN_CALL*)(TW_IDENTITY* origin, TW_IDENTITY* dest, uint32_t dg, uint16_t dat,
                                           uint16_t msg, TW_MEMREF data);
using DsEntryProc = uint16_t(TWAIN_CALL*)(TW_IDENTITY* origin, uint32_t dg, uint16_t dat, uint16_t msg, TW_MEMREF data);

}  // namespace viewer::twain
