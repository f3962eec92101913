// The name the system-information routines give a processor type.
#pragma once

#include <cstdint>
#include <string>

namespace ctl {

// 386 "Intel 386", 486 "Intel 486", 586 "Intel Pentium", 2000/3000/4000 "Mips R" + the number, 21064
// "Alpha 21064", any other type its number as text.
std::string ProcessorName(uint32_t processorType);

}  // namespace ctl
