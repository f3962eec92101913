// The GIF classes' exception and the one place that raises it.
#pragma once

#include <string>

#include "classlib/core/exceptions.h"

namespace img {

// Raised with a fixed English text by every fatal GIF reading, writing or conversion problem.
class GIFException : public cl::EInvalidGraphic {
 public:
  using cl::EInvalidGraphic::EInvalidGraphic;
};

[[noreturn]] void RaiseGIFError(const std::string& message);

}  // namespace img
