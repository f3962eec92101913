// Names of the working copies: each image window keeps its picture in "orvanetmp<n>.bmp" in the temporary folder,
// n the first number from 1 to 256 that is free. A name is free when no file has it and no live window holds it:
// a window holds its name from creation on, before its file exists, so two windows never share one.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>

namespace viewer {

constexpr int kWorkingCopyLimit = 256;

// The working-copy name with number n in tempFolder (which ends in a backslash).
std::string WorkingCopyName(const std::string& tempFolder, int n);

class WorkingCopyNames {
 public:
  using ExistsFn = std::function<bool(const std::string& fileName)>;
  explicit WorkingCopyNames(ExistsFn exists) : FExists(std::move(exists)) {}

  // Holds and returns the first free name; none when all 256 are taken.
  std::optional<std::string> Reserve(const std::string& tempFolder);
  // Gives a held name back; an unknown name changes nothing.
  void Release(const std::string& name);
  bool Held(const std::string& name) const { return FHeld.contains(name); }

 private:
  ExistsFn FExists;
  std::set<std::string> FHeld;
};

}  // namespace viewer
