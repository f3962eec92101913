#include "controls/core/processor_names.h"

#include "classlib/core/conversions.h"

namespace ctl {

std::string ProcessorName(uint32_t processorType) {
  switch (processorType) {
    case 386:
      return "Intel 386";
    case 486:
      return "Intel 486";
    case 586:
      return "Intel Pentium";
    case 2000:
    case 3000:
    case 4000:
      return "Mips R" + cl::IntToStr(processorType);
    case 21064:
      return "Alpha 21064";
    default:
      return cl::IntToStr(processorType);
  }
}

}  // namespace ctl
