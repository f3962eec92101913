// TList, a list of untyped pointers with checked indexes, and TThreadList, a TList behind a lock.
#pragma once

#include <mutex>
#include <vector>

#include "classlib/core/object.h"

namespace cl {

class TList : public TObject {
  CL_CLASS(TList, TObject)
 public:
  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Removes the first occurrence; its former index, or -1.
  int Remove(void* item);
  int IndexOf(void* item) const;
  void Clear();
  void Exchange(int index1, int index2);
  void Move(int currentIndex, int newIndex);

  int Count() const { return static_cast<int>(FItems.size()); }
  // A bad index raises EListError "List index out of bounds (%d)".
  void* Items(int index) const;
  void SetItems(int index, void* item);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  int Capacity() const { return static_cast<int>(FItems.capacity()); }
  void SetCapacity(int capacity);

 private:
  void CheckIndex(int index, int count) const;
  std::vector<void*> FItems;
};

// A list shared between threads: LockList returns the list and holds the lock until UnlockList.
class TThreadList : public TObject {
  CL_CLASS(TThreadList, TObject)
 public:
  TList* LockList();
  void UnlockList();
  // Adds an item that is not in the list yet.
  void Add(void* item);
  void Remove(void* item);
  void Clear();

 private:
  std::mutex FLock;
  TList FList;
};

}  // namespace cl
