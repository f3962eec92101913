#include "image/core/gif_error.h"

namespace img {

void RaiseGIFError(const std::string& message) {
  throw GIFException(message);
}

}  // namespace img
