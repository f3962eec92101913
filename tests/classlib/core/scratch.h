// The scratch folder of the core tests: PROJECT_TEST_DIR under ctest, else the temporary folder.
#pragma once

#include <cstdlib>
#include <string>

#include "classlib/core/files.h"

namespace cltest {

inline std::string ScratchFolder() {
  const char* folder = std::getenv("PROJECT_TEST_DIR");
  if (folder && *folder) return folder;
  const std::string temp = cl::GetTempDirectory();
  return temp.substr(0, temp.size() - 1);
}

inline std::string ScratchFile(const std::string& name) {
  return ScratchFolder() + cl::PathDelim + name;
}

}  // namespace cltest
