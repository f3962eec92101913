// Tables of values with names (colours, cursors): the name of a value and the value of a name.
#pragma once

#include <span>
#include <string>

#include "classlib/core/string_utils.h"

namespace cl {

template <class T>
struct TNamedValue {
  T Value;
  const char* Name;
};

// The first entry of the value names it; false when none has it.
template <class T>
bool NameOfValue(std::span<const TNamedValue<T>> table, T value, std::string& name) {
  for (const TNamedValue<T>& entry : table) {
    if (entry.Value == value) {
      name = entry.Name;
      return true;
    }
  }
  return false;
}

// Names compare ASCII case-insensitively; false when no entry has the name.
template <class T>
bool ValueOfName(std::span<const TNamedValue<T>> table, const std::string& name, T& value) {
  for (const TNamedValue<T>& entry : table) {
    if (SameText(name, entry.Name)) {
      value = entry.Value;
      return true;
    }
  }
  return false;
}

}  // namespace cl
