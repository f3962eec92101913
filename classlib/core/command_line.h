// The command-line rules of ParamStr/ParamCount, as a pure function over the text GetCommandLineA returns.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cl {

// Splits a command line into its parameters, the program name as written first: characters <= ' ' separate,
// double quotes group blanks and are removed, backslashes are ordinary characters. Quote pairs at the start of a
// parameter are dropped, so an empty quoted parameter ("") does not count.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace cl
