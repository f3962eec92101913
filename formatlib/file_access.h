// File access of the library's readers and writers: whole-file reads, and writes that never destroy the file that
// was there when they fail (the new contents go into a scratch file beside it, which then replaces it).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fl {

// The whole file; fails with kCannotOpenFile or kCannotReadFile, or kImageTooLarge past 1 GiB.
std::vector<uint8_t> ReadWholeFile(const char* name);
bool FileExists(const char* name);
// Writes `bytes` as the file `name`, replacing it only once everything is written.
void WriteFileSafely(const char* name, std::span<const uint8_t> bytes);

// A scratch file in the folder of `target`, removed on destruction unless it was moved over the target.
class ScratchFile {
 public:
  explicit ScratchFile(const char* target);
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile();
  const char* Name() const { return name_.c_str(); }
  // Replaces the target with the scratch file; fails with kCannotWriteFile.
  void MoveOverTarget();

 private:
  std::string target_;
  std::string name_;
  bool moved_ = false;
};

}  // namespace fl
