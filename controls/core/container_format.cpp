// Container files and streams: signatures, the header with its record positions, and the item records.
#include "controls/core/container_format.h"

#include <array>

#include "classlib/core/byte_reader.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "controls/core/item_framing.h"

namespace ctl {
namespace {

constexpr int kKnownKinds = 5;
constexpr std::array<std::string_view, kKnownKinds> kSignatures = {"CTLIML30", "CTLBML30", "CTLWVL30", "CTLSLL30",
                                                                   "CTLRTL30"};
constexpr std::array<std::string_view, kKnownKinds> kExtensions = {"iml", "bmp", "wav", "txt", "rtf"};
constexpr std::array<int, kSaveFormats> kSaveFormatColors = {-1, 2, 16, 256};
constexpr int64_t kOffsetSize = 4;

[[noreturn]] void ReadError() {
  throw cl::EReadError("Stream read error");
}

bool HasContentFlag(TContainerKind kind) {
  return kind == ckBitmapList || kind == ckStringList || kind == ckWaveList;
}

bool KnownRecordKind(TContainerKind kind) {
  return kind >= ckImageList && kind <= ckStringList;
}

// Reads the count of a container stream: each record takes at least its flags byte (and its position).
int32_t ReadCount(cl::TStream* source, int64_t bytesPerRecord) {
  const int32_t count = ReadInt32(source);
  if (count < 0 || count * bytesPerRecord > source->Size() - source->Position()) ReadError();
  return count;
}

void WriteStrip(cl::TStream* dest, const TItemRecord& record) {
  const TStripGeometry& strip = record.Strip;
  WriteInt32(dest, strip.Height);
  WriteInt32(dest, strip.Width);
  WriteInt32(dest, strip.AllocBy);
  WriteByte(dest, strip.Masked ? 1 : 0);
  WriteInt32(dest, strip.Count);
  if (strip.Count <= 0) return;
  WriteBlock(dest, record.StripImage, record.Compressed);
  if (strip.Masked) WriteBlock(dest, record.StripMask, record.Compressed);
}

void ReadStrip(cl::TStream* source, TItemRecord& record) {
  TStripGeometry& strip = record.Strip;
  strip.Height = ReadInt32(source);
  strip.Width = ReadInt32(source);
  strip.AllocBy = ReadInt32(source);
  strip.Masked = ReadByte(source) != 0;
  strip.Count = ReadInt32(source);
  CheckStripGeometry(strip);
  if (strip.Count == 0) return;
  record.StripImage = ReadBlock(source, record.Compressed);
  if (strip.Masked) record.StripMask = ReadBlock(source, record.Compressed);
}

}  // namespace

std::string_view ContainerSignature(TContainerKind kind) {
  return kind >= 0 && kind < kKnownKinds ? kSignatures[kind] : std::string_view();
}

std::string_view ContainerExtension(TContainerKind kind) {
  return kind >= 0 && kind < kKnownKinds ? kExtensions[kind] : std::string_view();
}

int SaveFormatColorCount(int saveFormat) {
  return saveFormat > 0 && saveFormat < kSaveFormats ? kSaveFormatColors[saveFormat] : kSaveFormatColors[0];
}

uint8_t RecordFlags(TContainerKind kind, const TItemRecord& record) {
  uint8_t flags = record.Compressed ? kRecordCompressed : 0;
  if (!record.Description.empty()) flags |= kRecordDescription;
  if (record.Ident != 0) flags |= kRecordIdent;
  // A wave item always carries its wave's block: an empty wave's is the count 0.
  const bool hasContent = kind == ckImageList ? record.Strip.Count > 0 : kind == ckWaveList || !record.Content.empty();
  if (hasContent) flags |= kRecordContent;
  const bool bitmapKind = kind == ckImageList || kind == ckBitmapList;
  if (bitmapKind && record.SaveFormat > 0 && record.SaveFormat < kSaveFormats) {
    flags |= static_cast<uint8_t>(1 << (kRecordSaveFormatShift + record.SaveFormat - 1));
  }
  return flags;
}

void WriteItemRecord(cl::TStream* dest, TContainerKind kind, const TItemRecord& record) {
  if (!KnownRecordKind(kind)) throw cl::EWriteError("Stream write error");
  const uint8_t flags = RecordFlags(kind, record);
  WriteByte(dest, flags);
  if (flags & kRecordDescription) WriteShortString(dest, record.Description);
  if (flags & kRecordIdent) WriteInt32(dest, record.Ident);
  if (kind == ckImageList) {
    WriteStrip(dest, record);
  } else if (flags & kRecordContent) {
    WriteBlock(dest, record.Content, record.Compressed);
  }
}

TItemRecord ReadItemRecord(cl::TStream* source, TContainerKind kind) {
  if (!KnownRecordKind(kind)) ReadError();
  TItemRecord record;
  const uint8_t flags = ReadByte(source);
  record.Compressed = flags & kRecordCompressed;
  // The save-format bits exclude each other; the lowest one set counts.
  const bool bitmapKind = kind == ckImageList || kind == ckBitmapList;
  for (int format = 1; bitmapKind && format < kSaveFormats; ++format) {
    if (flags & (1 << (kRecordSaveFormatShift + format - 1))) {
      record.SaveFormat = format;
      break;
    }
  }
  if (flags & kRecordDescription) record.Description = ReadShortString(source);
  if (flags & kRecordIdent) record.Ident = ReadInt32(source);
  if (kind == ckImageList) {
    ReadStrip(source, record);
  } else if (HasContentFlag(kind) && (flags & kRecordContent)) {
    record.Content = ReadBlock(source, record.Compressed);
  }
  return record;
}

void WriteContainerSignature(cl::TStream* dest, TContainerKind kind) {
  const std::string_view signature = ContainerSignature(kind);
  if (signature.empty()) throw cl::EWriteError("Stream write error");
  WriteShortString(dest, std::string(signature));
}

void WriteContainerStream(cl::TStream* dest, int32_t count, bool withOffsets,
                          const std::function<void(int32_t index)>& writeRecord) {
  WriteInt32(dest, count);
  const int64_t offsetsPosition = dest->Position();
  std::vector<int32_t> offsets;
  if (withOffsets) {
    for (int32_t i = 0; i < count; ++i) WriteInt32(dest, 0);  // filled in once the records are written
  }
  for (int32_t i = 0; i < count; ++i) {
    offsets.push_back(static_cast<int32_t>(dest->Position()));
    writeRecord(i);
  }
  if (!withOffsets) return;
  const int64_t end = dest->Position();
  dest->SetPosition(offsetsPosition);
  for (int32_t offset : offsets) WriteInt32(dest, offset);
  dest->SetPosition(end);
}

void ReadContainerStream(cl::TStream* source, bool withOffsets, const std::function<void()>& readRecord) {
  const int32_t count = ReadCount(source, withOffsets ? kOffsetSize + 1 : 1);
  if (withOffsets) source->Seek(count * kOffsetSize, cl::soFromCurrent);
  for (int32_t i = 0; i < count; ++i) readRecord();
}

namespace {

// The header of a container file at the stream's start; see ReadContainerHeader.
TContainerKind ReadHeader(cl::TStream* file, int32_t& count, std::vector<int32_t>* offsets) {
  char signature[kSignatureSize];
  file->ReadBuffer(signature, kSignatureSize);
  TContainerKind kind = ckUnknown;
  for (int k = 0; k < kKnownKinds; ++k) {
    if (signature[0] == 8 && std::string_view(signature + 1, 8) == kSignatures[k]) {
      kind = static_cast<TContainerKind>(k);
      break;
    }
  }
  if (kind == ckUnknown) {
    count = ReadInt32(file);
    return kind;
  }
  count = ReadCount(file, kOffsetSize + 1);
  if (offsets) {
    std::vector<uint8_t> bytes(static_cast<size_t>(count * kOffsetSize));
    file->ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    offsets->resize(static_cast<size_t>(count));
    for (size_t i = 0; i < offsets->size(); ++i) (*offsets)[i] = cl::le::ReadI32(&bytes[i * kOffsetSize]);
  }
  return kind;
}

}  // namespace

TContainerKind ReadContainerHeader(const std::string& fileName, int32_t& count, std::vector<int32_t>* offsets) {
  cl::TFileStream file(fileName, cl::fmOpenRead | cl::fmShareDenyWrite);
  return ReadHeader(&file, count, offsets);
}

void ReadContainerRecord(const std::string& fileName, TContainerKind expected, const std::vector<int32_t>* offsets,
                         int index, const std::function<void(cl::TStream*)>& readRecord) {
  cl::TFileStream file(fileName, cl::fmOpenRead | cl::fmShareDenyWrite);
  std::vector<int32_t> ownOffsets;
  if (!offsets) {
    int32_t count = 0;
    if (ReadHeader(&file, count, &ownOffsets) != expected) {
      throw cl::Exception(std::string(kCannotOpenFile) + ": " + fileName);
    }
    offsets = &ownOffsets;
  }
  if (index < 0 || index >= static_cast<int>(offsets->size())) {
    throw cl::EListError("List index out of bounds (%d)", {index});
  }
  const int64_t position = (*offsets)[static_cast<size_t>(index)];
  const int64_t recordsStart = kSignatureSize + 4 + kOffsetSize * static_cast<int64_t>(offsets->size());
  if (position < recordsStart || position >= file.Size()) ReadError();
  file.SetPosition(position);
  readRecord(&file);
}

}  // namespace ctl
