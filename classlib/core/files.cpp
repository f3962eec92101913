#include "classlib/core/files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
// The one system call the core needs beyond the C runtime: a rename that replaces its target in one step.
extern "C" __declspec(dllimport) int __stdcall MoveFileExA(const char* existing, const char* replacement,
                                                          unsigned long flags);
#else
#include <unistd.h>
#endif

#include "classlib/core/exceptions.h"

namespace cl {

namespace {

bool StatMode(const std::string& name, bool& isFolder) {
  struct stat info;
  if (name.empty() || stat(name.c_str(), &info) != 0) return false;
  isFolder = (info.st_mode & S_IFMT) == S_IFDIR;
  return true;
}

}  // namespace

bool FileExists(const std::string& fileName) {
  bool isFolder = false;
  return StatMode(fileName, isFolder) && !isFolder;
}

bool DirectoryExists(const std::string& folder) {
  std::string name = folder;
#ifdef _WIN32
  // The Windows C runtime's stat refuses "C:\dir\"; only a root keeps its backslash ("C:\", "\").
  while (name.size() > 1 && (name.back() == '\\' || name.back() == '/') && name[name.size() - 2] != ':') {
    name.pop_back();
  }
#endif
  bool isFolder = false;
  return StatMode(name, isFolder) && isFolder;
}

bool RemoveFile(const std::string& fileName) {
#ifdef _WIN32
  return _unlink(fileName.c_str()) == 0;
#else
  return unlink(fileName.c_str()) == 0;
#endif
}

bool RenameFile(const std::string& oldName, const std::string& newName) {
  // POSIX rename replaces an existing target; Windows refuses. Refuse everywhere.
  bool isFolder = false;
  if (StatMode(newName, isFolder)) return false;
  return std::rename(oldName.c_str(), newName.c_str()) == 0;
}

bool RenameOverFile(const std::string& source, const std::string& target) {
  bool isFolder = false;
  if (!StatMode(source, isFolder) || isFolder) return false;
#ifdef _WIN32
  // The C runtime's rename does not replace on Windows. Deleting the old file first would lose it when the
  // rename then fails, so the system replaces it in one step.
  if (StatMode(target, isFolder) && isFolder) return false;
  constexpr unsigned long kReplaceExisting = 0x1, kWriteThrough = 0x8;
  return MoveFileExA(source.c_str(), target.c_str(), kReplaceExisting | kWriteThrough) != 0;
#else
  return std::rename(source.c_str(), target.c_str()) == 0;
#endif
}

std::string GetCurrentDir() {
  // Both runtimes allocate a buffer of the needed size when given none.
#ifdef _WIN32
  char* folder = _getcwd(nullptr, 0);
#else
  char* folder = getcwd(nullptr, 0);
#endif
  const std::string result = folder ? folder : "";
  std::free(folder);
  return result;
}

bool SetCurrentDir(const std::string& folder) {
#ifdef _WIN32
  return _chdir(folder.c_str()) == 0;
#else
  return chdir(folder.c_str()) == 0;
#endif
}

void ChDir(const std::string& folder) {
  if (!SetCurrentDir(folder)) throw EInOutError(Format("Cannot change to folder %s", {folder}), errno);
}

void EraseFile(const std::string& fileName) {
  if (!RemoveFile(fileName)) throw EInOutError(Format("Cannot delete file %s", {fileName}), errno);
}

std::string GetTempDirectory() {
#ifdef _WIN32
  const char* const variables[] = {"TMP", "TEMP", "USERPROFILE"};
#else
  const char* const variables[] = {"TMPDIR"};
#endif
  std::string folder;
  for (const char* name : variables) {
    const char* value = std::getenv(name);
    if (value && *value) {
      folder = value;
      break;
    }
  }
#ifndef _WIN32
  if (folder.empty()) folder = "/tmp";
#else
  if (folder.empty()) folder = GetCurrentDir();
#endif
  if (!folder.empty() && folder.back() != PathDelim) folder += PathDelim;
  return folder;
}

}  // namespace cl
