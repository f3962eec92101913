// Counters that tests compare before and after a scenario to find leaked windows.
#pragma once

namespace cl::test {

// Windows of the calling thread: top-level ones and all their descendants.
int ThreadWindowCount();

}  // namespace cl::test
