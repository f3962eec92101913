// TCollection: items join and leave, Assign replaces the items by copies, indexes are checked.
#include "classlib/core/collections.h"

#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"

namespace {

class TNumberItem : public cl::TCollectionItem {
  CL_CLASS(TNumberItem, cl::TCollectionItem)
 public:
  explicit TNumberItem(cl::TCollection* collection) : cl::TCollectionItem(collection) {}
  void Assign(const cl::TPersistent* source) override {
    if (const auto* other = dynamic_cast<const TNumberItem*>(source)) {
      Value = other->Value;
      return;
    }
    inherited::Assign(source);
  }
  int Value = 0;
};

TNumberItem* Item(const cl::TCollection& c, int i) {
  return static_cast<TNumberItem*>(c.Items(i));
}

TEST(CollectionTest, ItemsJoinLeaveAndMoveBetweenCollections) {
  cl::Owned<cl::TCollection> a(cl::New<cl::TCollection>(cl::MakeCollectionItem<TNumberItem>));
  cl::Owned<cl::TCollection> b(cl::New<cl::TCollection>(cl::MakeCollectionItem<TNumberItem>));
  auto* first = static_cast<TNumberItem*>(a->Add());
  auto* second = static_cast<TNumberItem*>(a->Add());
  EXPECT_EQ(second->Index(), 1);
  EXPECT_EQ(second->Collection(), a.get());
  first->Free();
  EXPECT_EQ(a->Count(), 1);
  EXPECT_EQ(second->Index(), 0);
  second->SetCollection(b.get());
  EXPECT_EQ(a->Count(), 0);
  EXPECT_EQ(Item(*b, 0), second);
  b->Delete(0);
  EXPECT_EQ(b->Count(), 0);
  EXPECT_THROW(b->Items(0), cl::EListError);
}

TEST(CollectionTest, AssignReplacesTheItemsByCopiesAndRefusesOtherClasses) {
  cl::Owned<cl::TCollection> source(cl::New<cl::TCollection>(cl::MakeCollectionItem<TNumberItem>));
  cl::Owned<cl::TCollection> dest(cl::New<cl::TCollection>(cl::MakeCollectionItem<TNumberItem>));
  for (int value : {3, 5}) static_cast<TNumberItem*>(source->Add())->Value = value;
  dest->Add();
  dest->Assign(source.get());
  ASSERT_EQ(dest->Count(), 2);
  EXPECT_EQ(Item(*dest, 0)->Value, 3);
  EXPECT_EQ(Item(*dest, 1)->Value, 5);
  EXPECT_NE(Item(*dest, 0), Item(*source, 0));
  cl::Owned<TNumberItem> loose(cl::New<TNumberItem>(nullptr));
  EXPECT_THROW(dest->Assign(loose.get()), cl::EConvertError);
  EXPECT_EQ(dest->Count(), 2);
}

}  // namespace
