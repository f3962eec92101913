// File and folder routines over the C runtime, so that they behave alike natively and under Windows.
#pragma once

#include <string>

namespace cl {

// The folder delimiter of the platform the program runs on.
#ifdef _WIN32
constexpr char PathDelim = '\\';
#else
constexpr char PathDelim = '/';
#endif

// True for an existing file, false for a folder or nothing.
bool FileExists(const std::string& fileName);
bool DirectoryExists(const std::string& folder);
// false when the file could not be deleted.
bool RemoveFile(const std::string& fileName);
// Windows' <windows.h> maps DeleteFile to DeleteFileA; being inline, this works with or without that macro.
inline bool DeleteFile(const std::string& fileName) {
  return RemoveFile(fileName);
}
// false when the new name exists already or the rename fails.
bool RenameFile(const std::string& oldName, const std::string& newName);
// Renames `source` over `target`, which may exist; false (and `target` untouched) when that is not possible.
bool RenameOverFile(const std::string& source, const std::string& target);
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& folder);
// As SetCurrentDir and DeleteFile, but a failure raises EInOutError with the C runtime's error code.
void ChDir(const std::string& folder);
void EraseFile(const std::string& fileName);
// The folder for temporary files, ending in PathDelim.
std::string GetTempDirectory();

}  // namespace cl
