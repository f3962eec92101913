// The program's command line as the programs read it: ParamStr(0) is the module's full path; the arguments come
// from GetCommandLineA after the program name, split by the core's rules (characters up to ' ' separate, double
// quotes group and are removed, backslashes are literal). The C runtime's argv is never used.
#pragma once

#include <string>

namespace cl {

// The index-th argument; "" outside 1..ParamCount().
std::string ParamStr(int index);
int ParamCount();

}  // namespace cl
