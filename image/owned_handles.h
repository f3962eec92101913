// Owners for what the image control borrows for the time of one operation: packed DIBs of the format library
// (freed with GlobalFree) and class-library objects (freed with Free).
#pragma once

#include <windows.h>

#include <memory>

#include "classlib/core/object.h"

namespace img {

struct GlobalFreer {
  void operator()(void* dib) const { GlobalFree(dib); }
};
using OwnedDib = std::unique_ptr<void, GlobalFreer>;

struct ObjectFreer {
  void operator()(cl::TObject* object) const { cl::Free(object); }
};
template <class T>
using Owned = std::unique_ptr<T, ObjectFreer>;

// A new class-library object of type T, owned.
template <class T>
Owned<T> MakeOwned() {
  return Owned<T>(cl::New<T>());
}

}  // namespace img
