// The list sort the dock and toolbar layouts share. It is a plain quicksort (middle item as pivot, not stable), and
// its exact order of equal items shows in the layouts, so it is kept as it is rather than replaced by std::sort:
// callers that need a defined order of equal items make their comparison total.
#pragma once

#include <utility>
#include <vector>

namespace tbr {

// Sorts list in place; compare(a, b) returns a negative, zero or positive int and carries whatever context it
// needs (a capturing lambda). Lists of fewer than two items are left alone.
template <class T, class Compare>
void SortListWithContext(std::vector<T>& list, Compare compare) {
  if (list.size() < 2) return;
  auto sort = [&](auto& self, int left, int right) -> void {
    int i = left;
    do {
      i = left;
      int j = right;
      const T pivot = list[(left + right) / 2];
      do {
        while (compare(list[i], pivot) < 0) ++i;
        while (compare(list[j], pivot) > 0) --j;
        if (i <= j) {
          std::swap(list[i], list[j]);
          ++i;
          --j;
        }
      } while (i <= j);
      if (left < j) self(self, left, j);
      left = i;
    } while (i < right);
  };
  sort(sort, 0, static_cast<int>(list.size()) - 1);
}

}  // namespace tbr
