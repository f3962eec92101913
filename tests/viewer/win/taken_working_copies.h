// Fills the temporary folder with working-copy files so that new image windows find no free name.
#pragma once

#include <string>
#include <vector>

namespace viewer::test {

class TakenWorkingCopies {
 public:
  // Writes a file for every working-copy name that has none, except the first leaveFree of them.
  explicit TakenWorkingCopies(int leaveFree);
  // Removes the files it wrote.
  ~TakenWorkingCopies();
  TakenWorkingCopies(const TakenWorkingCopies&) = delete;
  TakenWorkingCopies& operator=(const TakenWorkingCopies&) = delete;

 private:
  std::vector<std::string> FTaken;
};

}  // namespace viewer::test
