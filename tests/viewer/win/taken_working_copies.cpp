#include "taken_working_copies.h"

#include <fstream>

#include "classlib/core/files.h"
#include "viewer/core/working_copy.h"

namespace viewer::test {

TakenWorkingCopies::TakenWorkingCopies(int leaveFree) {
  const std::string folder = cl::GetTempDirectory();
  for (int n = 1; n <= kWorkingCopyLimit; ++n) {
    const std::string name = WorkingCopyName(folder, n);
    if (cl::FileExists(name)) continue;
    if (leaveFree > 0) {
      --leaveFree;
      continue;
    }
    std::ofstream(name, std::ios::binary) << "x";
    FTaken.push_back(name);
  }
}

TakenWorkingCopies::~TakenWorkingCopies() {
  for (const std::string& name : FTaken) cl::RemoveFile(name);
}

}  // namespace viewer::test
