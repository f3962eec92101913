// The library's container files and streams. A file is a signature (a length byte 8 and eight characters naming
// the kind), an Int32 item count, the absolute file positions of the item records, and the records. A container
// stream is the same without the signature, and may leave out the positions.
//
// An item record: a flags byte, then the fields it announces (description, identifier, content; a wave item's
// content also when its wave is empty). Every count and
// length read is checked against the bytes that remain before anything is allocated.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/core/image_strip.h"

namespace cl {
class TStream;
}

namespace ctl {

enum TContainerKind {
  ckImageList = 0,
  ckBitmapList = 1,
  ckWaveList = 2,
  ckStringList = 3,
  ckRichTextList = 4,
  ckUnknown = 5,
};

// "CTLIML30" and its siblings, eight characters; "" for ckUnknown.
std::string_view ContainerSignature(TContainerKind kind);
// The kind's default file extension without the dot ("iml", "bmp", "wav", "txt", "rtf").
std::string_view ContainerExtension(TContainerKind kind);
constexpr int64_t kSignatureSize = 9;

// Flags byte of an item record.
enum : uint8_t {
  kRecordCompressed = 0x01,
  kRecordDescription = 0x02,
  kRecordIdent = 0x04,
  kRecordContent = 0x08,
  kRecordSaveFormatShift = 4,  // bits 4, 5, 6: save format 1, 2 or 3
};

// Save formats of bitmap and image-list items: 0 the bitmap's own, 1 monochrome, 2 16 colours, 3 256 colours.
constexpr int kSaveFormats = 4;
// The colour count a save format writes a bitmap at: -1 (as it is), 2, 16 or 256.
int SaveFormatColorCount(int saveFormat);

// One item record in plain data; bitmaps travel as BMP file images.
struct TItemRecord {
  bool Compressed = false;
  std::string Description;
  int32_t Ident = 0;
  int SaveFormat = 0;                          // bitmap and image-list items
  std::vector<uint8_t> Content;                // bitmap: BMP file image; string list: its text; wave: the RIFF bytes
  TStripGeometry Strip;                        // image-list items
  std::vector<uint8_t> StripImage, StripMask;  // image-list items: BMP file images (the mask when masked)
};

// The flags byte a record is written with.
uint8_t RecordFlags(TContainerKind kind, const TItemRecord& record);
// Kinds 0 to 3 only; others raise EReadError when read and EWriteError when written.
void WriteItemRecord(cl::TStream* dest, TContainerKind kind, const TItemRecord& record);
TItemRecord ReadItemRecord(cl::TStream* source, TContainerKind kind);

void WriteContainerSignature(cl::TStream* dest, TContainerKind kind);
// The count, the records' absolute positions when asked for, then the records, each written by
// writeRecord(index) at the stream's position.
void WriteContainerStream(cl::TStream* dest, int32_t count, bool withOffsets,
                          const std::function<void(int32_t index)>& writeRecord);
// Reads the count (at most one record per remaining byte) and skips the positions, then calls readRecord once per
// record, the stream at the record.
void ReadContainerStream(cl::TStream* source, bool withOffsets, const std::function<void()>& readRecord);

// Opens a container file read-only and reads its signature and count, and, for a known kind and given offsets,
// the records' positions. Returns the kind (ckUnknown when no signature matches).
TContainerKind ReadContainerHeader(const std::string& fileName, int32_t& count, std::vector<int32_t>* offsets);

// Opens the container file read-only at record `index` and lets readRecord read it, after checking that the file
// is of the expected kind (Exception "Cannot open file %s: <file name>" otherwise). Without offsets the header is
// read for them. A bad index raises EListError; a position outside the records EReadError.
void ReadContainerRecord(const std::string& fileName, TContainerKind expected, const std::vector<int32_t>* offsets,
                         int index, const std::function<void(cl::TStream*)>& readRecord);

}  // namespace ctl
