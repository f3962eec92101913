// The texts a start of the viewer makes of its command-line parameters (ParamStr(1) .. ParamStr(ParamCount())).
#pragma once

#include <string>
#include <vector>

namespace viewer {

// What a second instance leaves in "ToOpen" for the running one: every parameter followed by one blank, or ""
// (store nothing) when the first parameter is empty.
std::string HandOverValue(const std::vector<std::string>& params);

// The one file name the running instance opens from a "ToOpen" value: blanks trimmed at both ends.
std::string HandOverFileName(const std::string& value);

// The one file name a first instance opens from its command line: the parameters joined by single blanks, so an
// unquoted path with blanks arrives whole (and several files arrive as one name that does not exist); "" when
// the first parameter is empty.
std::string CommandLineFileName(const std::vector<std::string>& params);

}  // namespace viewer
