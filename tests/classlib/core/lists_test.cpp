// TList index checks and TThreadList.
#include "classlib/core/lists.h"

#include <gtest/gtest.h>

#include <thread>

#include "classlib/core/exceptions.h"

namespace {

int a, b, c;

TEST(ListTest, IndexesAreCheckedWithTheIndexInTheMessage) {
  cl::TList list;
  list.Add(&a);
  list.Add(&b);
  list.Insert(2, &c);  // inserting at Count appends
  EXPECT_EQ(list.Last(), &c);
  try {
    list.Items(3);
    FAIL() << "no exception";
  } catch (const cl::EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
  EXPECT_THROW(list.Items(-1), cl::EListError);
  EXPECT_THROW(list.Insert(4, &a), cl::EListError);
  EXPECT_THROW(list.Delete(3), cl::EListError);
  cl::TList empty;
  EXPECT_THROW(empty.First(), cl::EListError);
}

TEST(ThreadListTest, AddIgnoresDuplicatesAndLockingSerialises) {
  cl::TThreadList list;
  list.Add(&a);
  list.Add(&a);
  std::thread worker([&list] {
    for (int i = 0; i < 1000; ++i) {
      list.Add(&b);
      list.Remove(&b);
    }
  });
  for (int i = 0; i < 1000; ++i) {
    cl::TList* locked = list.LockList();
    const int count = locked->Count();
    EXPECT_TRUE(count == 1 || count == 2);
    list.UnlockList();
  }
  worker.join();
  EXPECT_EQ(list.LockList()->Count(), 1);
  list.UnlockList();
}

}  // namespace
