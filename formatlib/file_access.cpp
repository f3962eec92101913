// Whole-file reads and replacing writes over the Win32 file API.
#include "formatlib/file_access.h"

#include <windows.h>

#include <algorithm>

#include "formatlib/module_errors.h"

namespace fl {
namespace {

constexpr int64_t kMaxFileSize = int64_t{1} << 30;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HANDLE Get() const { return handle_; }
  void Close() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const char* name) {
  if (!name || !*name) Fail(kCannotOpenFile);
  FileHandle file(
      CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) Fail(kCannotOpenFile);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) Fail(kCannotReadFile);
  if (size.QuadPart > kMaxFileSize) Fail(kImageTooLarge);
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) Fail(kCannotReadFile);
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

bool FileExists(const char* name) {
  DWORD attributes = name ? GetFileAttributesA(name) : INVALID_FILE_ATTRIBUTES;
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteFileSafely(const char* name, std::span<const uint8_t> bytes) {
  ScratchFile scratch(name);
  {
    FileHandle file(
        CreateFileA(scratch.Name(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) Fail(kCannotWriteFile);
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
      DWORD written = 0;
      if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
        Fail(kCannotWriteFile);
      }
      done += written;
    }
    if (!FlushFileBuffers(file.Get())) Fail(kCannotWriteFile);
  }
  scratch.MoveOverTarget();
}

ScratchFile::ScratchFile(const char* target) : target_(target ? target : "") {
  if (target_.empty()) Fail(kCannotWriteFile);
  char name[MAX_PATH + 1] = {};
  if (!GetTempFileNameA(FolderOf(target_).c_str(), "fl", 0, name)) Fail(kCannotWriteFile);
  name_ = name;
}

ScratchFile::~ScratchFile() {
  if (!moved_) DeleteFileA(name_.c_str());
}

void ScratchFile::MoveOverTarget() {
  if (!MoveFileExA(name_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
    Fail(kCannotWriteFile);
  }
  moved_ = true;
}

}  // namespace fl
