#include "classlib/core/streams.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"

namespace cl {

namespace {

constexpr int32_t CopyChunk = 64 * 1024;

[[noreturn]] void InvalidPosition() {
  throw EStreamError("Invalid stream position");
}

int32_t ChunkOf(int64_t remaining) {
  return static_cast<int32_t>(std::min<int64_t>(remaining, CopyChunk));
}

}  // namespace

int64_t TStream::Size() {
  const int64_t position = Seek(0, soFromCurrent);
  const int64_t size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int32_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream* source, int64_t count) {
  if (count < 0) throw EReadError("Stream read error");
  if (count == 0) {
    source->SetPosition(0);
    count = source->Size();
  }
  std::vector<uint8_t> buffer(static_cast<size_t>(ChunkOf(count)));
  for (int64_t remaining = count; remaining > 0;) {
    const int32_t chunk = ChunkOf(remaining);
    source->ReadBuffer(buffer.data(), chunk);
    WriteBuffer(buffer.data(), chunk);
    remaining -= chunk;
  }
  return count;
}

int32_t TCustomMemoryStream::Read(void* buffer, int32_t count) {
  if (count <= 0 || FPosition >= FSize) return 0;
  const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, FSize - FPosition));
  std::memcpy(buffer, static_cast<const uint8_t*>(FMemory) + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int32_t TCustomMemoryStream::Write(const void*, int32_t) {
  throw EWriteError("Stream write error");
}

void TCustomMemoryStream::SetSize(int64_t) {
  throw EWriteError("Stream write error");
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t base = origin == soFromBeginning ? 0 : (origin == soFromCurrent ? FPosition : FSize);
  if (offset < -base || offset > std::numeric_limits<int64_t>::max() - base) InvalidPosition();
  FPosition = base + offset;
  return FPosition;
}

void TCustomMemoryStream::SetPointer(void* memory, int64_t size) {
  FMemory = memory;
  FSize = size;
}

void TCustomMemoryStream::SaveToStream(TStream* stream) {
  for (int64_t done = 0; done < FSize;) {
    const int32_t chunk = ChunkOf(FSize - done);
    stream->WriteBuffer(static_cast<const uint8_t*>(FMemory) + done, chunk);
    done += chunk;
  }
}

void TCustomMemoryStream::SaveToFile(const std::string& fileName) {
  SaveFileSafely(fileName, [this](TStream* file) { SaveToStream(file); });
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  if (FPosition > std::numeric_limits<int64_t>::max() - count) throw EOutOfMemory();
  const int64_t end = FPosition + count;
  if (end > FSize) SetSize(end);
  std::memcpy(static_cast<uint8_t*>(FMemory) + FPosition, buffer, static_cast<size_t>(count));
  FPosition = end;
  return count;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0) throw EStreamError("Stream size error");
  if (static_cast<uint64_t>(size) > FData.max_size()) throw EOutOfMemory();
  try {
    FData.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory();
  }
  SetPointer(FData.data(), size);
  FPosition = std::min(FPosition, size);
}

void TMemoryStream::LoadFromStream(TStream* stream) {
  stream->SetPosition(0);
  const int64_t size = stream->Size();
  SetSize(size);
  for (int64_t done = 0; done < size;) {
    const int32_t chunk = ChunkOf(size - done);
    stream->ReadBuffer(FData.data() + done, chunk);
    done += chunk;
  }
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

TStringStream::TStringStream(const std::string& data) {
  WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
  FPosition = 0;
}

std::string TStringStream::DataString() const {
  return std::string(static_cast<const char*>(Memory()), static_cast<size_t>(FSize));
}

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : FFileName(fileName) {
  if (mode == fmCreate) {
    if (!DirectoryExists(fileName)) FFile = std::fopen(fileName.c_str(), "w+b");
    if (!FFile) throw EFCreateError("Cannot create file %s", {fileName});
    return;
  }
  if (!DirectoryExists(fileName)) FFile = std::fopen(fileName.c_str(), (mode & 3) == fmOpenRead ? "rb" : "r+b");
  if (!FFile) throw EFOpenError("Cannot open file %s", {fileName});
}

TFileStream::~TFileStream() {
  if (FFile) std::fclose(FFile);
}

int32_t TFileStream::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  if (FLastOp == LastOp::Write) Reposition(0, SEEK_CUR);
  FLastOp = LastOp::Read;
  return static_cast<int32_t>(std::fread(buffer, 1, static_cast<size_t>(count), FFile));
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  if (FLastOp == LastOp::Read) Reposition(0, SEEK_CUR);
  FLastOp = LastOp::Write;
  const size_t written = std::fwrite(buffer, 1, static_cast<size_t>(count), FFile);
  // Flushed at once, so that a failing write is seen by this call and not lost at close.
  if (std::fflush(FFile) != 0) return 0;
  return static_cast<int32_t>(written);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  // Asking for the position moves nothing: a real seek would throw away what the C runtime has read ahead.
  if (offset == 0 && origin == soFromCurrent) return Tell();
  return Reposition(offset, origin == soFromBeginning ? SEEK_SET : (origin == soFromCurrent ? SEEK_CUR : SEEK_END));
}

int64_t TFileStream::Tell() const {
#ifdef _WIN32
  const int64_t position = _ftelli64(FFile);
#else
  const int64_t position = ftello(FFile);
#endif
  if (position < 0) InvalidPosition();
  return position;
}

int64_t TFileStream::Reposition(int64_t offset, int whence) {
#ifdef _WIN32
  if (_fseeki64(FFile, offset, whence) != 0) InvalidPosition();
#else
  if (fseeko(FFile, offset, whence) != 0) InvalidPosition();
#endif
  FLastOp = LastOp::None;
  return Tell();
}

int64_t TFileStream::Size() {
  // The file's length from the system, without moving the position (writes are flushed as they happen).
#ifdef _WIN32
  const int64_t size = _filelengthi64(_fileno(FFile));
#else
  struct stat info {};
  const int64_t size = fstat(fileno(FFile), &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
#endif
  if (size < 0) throw EStreamError("Cannot read the size of file %s", {FFileName});
  return size;
}

void TFileStream::SetSize(int64_t size) {
  const int64_t position = Position();
  std::fflush(FFile);
#ifdef _WIN32
  const bool ok = size >= 0 && _chsize_s(_fileno(FFile), size) == 0;
#else
  const bool ok = size >= 0 && ftruncate(fileno(FFile), size) == 0;
#endif
  if (!ok) throw EStreamError("Cannot change the size of file %s", {FFileName});
  Seek(std::min(position, size), soFromBeginning);
}

void SaveFileSafely(const std::string& fileName, const std::function<void(TStream*)>& write) {
  const std::string temporary = fileName + ".new~";
  try {
    TFileStream file(temporary, fmCreate);
    write(&file);
  } catch (const EFCreateError&) {
    throw EFCreateError("Cannot create file %s", {fileName});
  } catch (...) {
    RemoveFile(temporary);
    throw;
  }
  if (!RenameOverFile(temporary, fileName)) {
    RemoveFile(temporary);
    throw EFCreateError("Cannot create file %s", {fileName});
  }
}

}  // namespace cl
