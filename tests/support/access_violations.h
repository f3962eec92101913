// Counts the access violations the program meets, also those the system swallows where it calls back into the
// program (a window procedure run by SendMessage, a hook). With Wine's heap checking on (WINEDEBUG=warn+heap)
// freed memory is overwritten, so reading through a pointer to a freed object shows up here.
#pragma once

namespace testsupport {

// The access violations met since the program started (counting starts with the first call).
int AccessViolations();

}  // namespace testsupport
