#include "classlib/core/exceptions.h"

namespace cl {

void Abort() {
  throw EAbort();
}

}  // namespace cl
