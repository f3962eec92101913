// The image file types the viewer offers to open: the registry records (default values of HKEY_CLASSES_ROOT keys)
// that make it their program, and the test that it already is.
#pragma once

#include <array>
#include <string>

namespace viewer {

// The class the extensions point to, and its open command's key.
constexpr char kAssociationClass[] = "Orlanto";
constexpr char kOpenCommandKey[] = "Orlanto\\shell\\open\\command";

// The extensions, in the order they are associated and checked.
constexpr std::array<const char*, 8> kAssociatedExtensions = {"bmp", "jpg", "gif", "png", "pcx", "dcx", "tga", "tif"};

// One record: the default value of a key of HKEY_CLASSES_ROOT.
struct ClassesRecord {
  std::string Key;
  std::string Value;
  bool operator==(const ClassesRecord&) const = default;
};

// The key of an extension: "." and the extension in lower case.
std::string ExtensionClassKey(const std::string& extension);

// The command that opens a file with the program. Both the program path and the file are quoted: unquoted, a
// path with blanks may start another program ("C:\Program" for "C:\Program Files\..."), and a file name with
// runs of blanks would arrive with single ones.
std::string OpenCommand(const std::string& programPath);

// The four records of one extension, in the order they are written: the extension's key names the class, the
// class its description, its open command and its icon (the program's first).
std::array<ClassesRecord, 4> AssociationRecords(const std::string& extension, const std::string& programPath);

// Whether an extension opens with the program: its key names the class and the class's open command is the
// program's, written now or in the older form without quotes (program path, a blank, %1).
bool IsAssociated(const std::string& extensionClass, const std::string& openCommand, const std::string& programPath);

}  // namespace viewer
