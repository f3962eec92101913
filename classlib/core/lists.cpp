#include "classlib/core/lists.h"

#include <utility>

#include "classlib/core/exceptions.h"

namespace cl {

void TList::CheckIndex(int index, int count) const {
  if (index < 0 || index >= count) throw EListError("List index out of bounds (%d)", {index});
}

int TList::Add(void* item) {
  FItems.push_back(item);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  CheckIndex(index, Count() + 1);
  FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
  CheckIndex(index, Count());
  FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

int TList::IndexOf(void* item) const {
  for (int i = 0; i < Count(); ++i) {
    if (FItems[i] == item) return i;
  }
  return -1;
}

void TList::Clear() {
  FItems.clear();
}

void TList::Exchange(int index1, int index2) {
  CheckIndex(index1, Count());
  CheckIndex(index2, Count());
  std::swap(FItems[index1], FItems[index2]);
}

void TList::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex) return;
  CheckIndex(newIndex, Count());
  void* item = Items(currentIndex);
  Delete(currentIndex);
  Insert(newIndex, item);
}

void* TList::Items(int index) const {
  CheckIndex(index, Count());
  return FItems[index];
}

void TList::SetItems(int index, void* item) {
  CheckIndex(index, Count());
  FItems[index] = item;
}

void TList::SetCapacity(int capacity) {
  if (capacity < Count()) throw EListError("List capacity out of bounds (%d)", {capacity});
  FItems.reserve(capacity);
}

TList* TThreadList::LockList() {
  FLock.lock();
  return &FList;
}

void TThreadList::UnlockList() {
  FLock.unlock();
}

void TThreadList::Add(void* item) {
  std::lock_guard<std::mutex> guard(FLock);
  if (FList.IndexOf(item) < 0) FList.Add(item);
}

void TThreadList::Remove(void* item) {
  std::lock_guard<std::mutex> guard(FLock);
  FList.Remove(item);
}

void TThreadList::Clear() {
  std::lock_guard<std::mutex> guard(FLock);
  FList.Clear();
}

}  // namespace cl
