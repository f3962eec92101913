#include "viewer/core/association.h"

#include "classlib/core/string_utils.h"

namespace viewer {

std::string ExtensionClassKey(const std::string& extension) {
  return "." + cl::LowerCase(extension);
}

std::string OpenCommand(const std::string& programPath) {
  return "\"" + programPath + "\" \"%1\"";
}

std::array<ClassesRecord, 4> AssociationRecords(const std::string& extension, const std::string& programPath) {
  return {ClassesRecord{ExtensionClassKey(extension), kAssociationClass},
          ClassesRecord{kAssociationClass, "Orlanto File"}, ClassesRecord{kOpenCommandKey, OpenCommand(programPath)},
          ClassesRecord{"Orlanto\\DefaultIcon", programPath + ",0"}};
}

bool IsAssociated(const std::string& extensionClass, const std::string& openCommand, const std::string& programPath) {
  return extensionClass == kAssociationClass &&
         (openCommand == OpenCommand(programPath) || openCommand == programPath + " %1");
}

}  // namespace viewer
