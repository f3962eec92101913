// cl::Finally: runs a function when the scope ends, also when an exception passes, for the try-finally blocks of
// the Parts (locks and counts released in reverse order). While an exception is in flight a failure of the
// function itself is dropped, so that the first failure is the one that travels on.
#pragma once

#include <exception>
#include <utility>

namespace cl {

template <class F>
class Finally {
 public:
  explicit Finally(F f) : FFunction(std::move(f)), FExceptions(std::uncaught_exceptions()) {}
  Finally(const Finally&) = delete;
  Finally& operator=(const Finally&) = delete;
  ~Finally() noexcept(false) {
    if (std::uncaught_exceptions() == FExceptions) {
      FFunction();
      return;
    }
    try {
      FFunction();
    } catch (...) {
    }
  }

 private:
  F FFunction;
  int FExceptions;
};

}  // namespace cl
