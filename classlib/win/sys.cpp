#include "classlib/win/sys.h"

#include <windows.h>

#include <utility>

namespace cl::sys {
namespace {

std::function<TPoint()>& CursorPosSource() {
  static auto* source = new std::function<TPoint()>;
  return *source;
}

}  // namespace

TPoint CursorPos() {
  if (const auto& source = CursorPosSource()) return source();
  POINT p{};
  GetCursorPos(&p);
  return Point(p.x, p.y);
}

void SetCursorPosSource(std::function<TPoint()> source) {
  CursorPosSource() = std::move(source);
}

}  // namespace cl::sys
