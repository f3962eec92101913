// What OLE drag and drop carries: the kinds of data with their clipboard formats and the format records a drop
// source offers and a drop target asks for; the shell's and the common MIME clipboard formats, registered once per
// process; the code-page conversions and the global memory blocks the data travels in.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/set.h"

namespace ctl {

// Each kind's value is its slot in a TDropObj and its bit (1 << value) in a set of kinds.
enum TSourceType {
  stFiles,
  stUnicodeText,
  stText,
  stRichText,
  stBitmap,
  stDib,
  stEnhMetafile,
  stMetafilePict,
};
inline constexpr int kSourceTypeCount = 8;
using TSourceTypes = cl::Set<TSourceType>;

// The kind's clipboard format ("Rich Text Format" is a registered one).
CLIPFORMAT SourceTypeFormat(TSourceType type);
// The format record of a kind: its format, no target device, content aspect, index -1 and the kind's medium (global
// memory, a GDI object, an enhanced metafile or a metafile picture).
FORMATETC SourceTypeFormatEtc(TSourceType type);
// The kind whose clipboard format this is.
std::optional<TSourceType> SourceTypeOfFormat(CLIPFORMAT format);

// Registers the shell's and the common MIME clipboard formats on the first call; returns the number of one of them.
UINT DragDropClipboardFormat(const char* name);

// Between the 8-bit code page and UTF-16.
std::u16string AnsiToUtf16(std::string_view text);
std::string Utf16ToAnsi(std::u16string_view text);

// A new moveable, shareable global block holding bytes; null when it cannot be had.
HGLOBAL NewGlobalBlock(const std::vector<uint8_t>& bytes);
// A copy of a global block's bytes, as many as the block holds; nothing when it cannot be locked.
std::optional<std::vector<uint8_t>> GlobalBlockBytes(HGLOBAL block);

}  // namespace ctl
