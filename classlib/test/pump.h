// Message pumping for tests: run the application's messages until something happened or time ran out.
#pragma once

#include <functional>

namespace cl::test {

// Handles messages until predicate() holds (checked before each wait) or timeoutMs passed; returns the
// predicate's last value.
bool PumpUntil(const std::function<bool()>& predicate, unsigned timeoutMs = 5000);
// Handles messages for ms milliseconds.
void PumpFor(unsigned ms);

}  // namespace cl::test
