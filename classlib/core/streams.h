// Streams: TStream's contract, TMemoryStream, TStringStream, and TFileStream over the C runtime.
// Read and Write return what they moved; ReadBuffer and WriteBuffer raise on a short transfer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "classlib/core/object.h"

namespace cl {

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
  CL_CLASS(TStream, TObject)
 public:
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  // Returns the new position. A position before the start raises EStreamError.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t position) { Seek(position, soFromBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t size) = 0;

  // Raise EReadError "Stream read error" / EWriteError "Stream write error" when fewer bytes moved.
  void ReadBuffer(void* buffer, int32_t count);
  void WriteBuffer(const void* buffer, int32_t count);
  // Copies `count` bytes from the current position of `source`; 0 copies all of `source` from its start.
  // Returns the count copied.
  int64_t CopyFrom(TStream* source, int64_t count);
};

// A stream over memory it does not own (TResourceStream builds on it); writing raises EWriteError.
class TCustomMemoryStream : public TStream {
  CL_CLASS(TCustomMemoryStream, TStream)
 public:
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return FSize; }
  void SetSize(int64_t size) override;

  // The stream's bytes; valid until the size changes.
  void* Memory() const { return FMemory; }
  void SaveToStream(TStream* stream);
  // Through SaveFileSafely: a failed save keeps the file that was there.
  void SaveToFile(const std::string& fileName);

 protected:
  void SetPointer(void* memory, int64_t size);

  void* FMemory = nullptr;
  int64_t FSize = 0;
  int64_t FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  CL_CLASS(TMemoryStream, TCustomMemoryStream)
 public:
  int32_t Write(const void* buffer, int32_t count) override;
  // New bytes are zero; the position stays unless it lies past the new end.
  void SetSize(int64_t size) override;
  void Clear() { SetSize(0); }
  // Replace the contents with all of `stream` (from its start) or the file; the position is 0 afterwards.
  void LoadFromStream(TStream* stream);
  void LoadFromFile(const std::string& fileName);

 private:
  std::vector<uint8_t> FData;
};

class TStringStream : public TMemoryStream {
  CL_CLASS(TStringStream, TMemoryStream)
 public:
  explicit TStringStream(const std::string& data = {});
  std::string DataString() const;
};

// Open modes and share modes of TFileStream. Share modes are accepted for compatibility; the C runtime does not
// enforce them.
enum : uint16_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFFFF,
};

class TFileStream : public TStream {
  CL_CLASS(TFileStream, TStream)
 public:
  // fmCreate makes a new empty file (EFCreateError "Cannot create file %s" on failure); the open modes need an
  // existing file that is not a folder (EFOpenError "Cannot open file %s").
  TFileStream(const std::string& fileName, uint16_t mode);
  ~TFileStream() override;

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  // Seek(0, soFromCurrent) only asks for the position, keeping what the C runtime has read ahead.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  // The length of the file, without moving the position.
  int64_t Size() override;
  void SetSize(int64_t size) override;
  const std::string& FileName() const { return FFileName; }

 private:
  int64_t Tell() const;
  // A real seek (whence as fseek's), which also ends a run of reads or writes.
  int64_t Reposition(int64_t offset, int whence);

  std::string FFileName;
  std::FILE* FFile = nullptr;
  // stdio requires a seek between a read and a following write (and back).
  enum class LastOp { None, Read, Write } FLastOp = LastOp::None;
};

// Writes a file through `write` into a new file beside it and replaces the old file only when everything was
// written, so a failed save leaves the previous file as it was. Failures raise EFCreateError naming `fileName`, or
// whatever `write` raised.
void SaveFileSafely(const std::string& fileName, const std::function<void(TStream*)>& write);

}  // namespace cl
