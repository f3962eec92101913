// TCollection and TCollectionItem: an owned, ordered list of items of one class, made by the collection itself.
// An item joins a collection when it is made for it and leaves it when it is freed; freeing the collection frees
// its items. Assign between collections replaces the items by copies.
#pragma once

#include <vector>

#include "classlib/core/object.h"

namespace cl {

class TCollection;

class TCollectionItem : public TPersistent {
  CL_CLASS(TCollectionItem, TPersistent)
 public:
  // Joins collection, at its end, when one is given.
  explicit TCollectionItem(TCollection* collection);
  // Leaves its collection.
  void BeforeDestruction() override;

  TCollection* Collection() const { return FCollection; }
  // Leaves the current collection and joins the end of another (null: none).
  void SetCollection(TCollection* collection);
  // The position in the collection, or -1 outside one.
  int Index() const;

 protected:
  // The collection.
  TPersistent* GetOwner() const override;

 private:
  TCollection* FCollection = nullptr;
};

class TCollection : public TPersistent {
  CL_CLASS(TCollection, TPersistent)
 public:
  // Makes one new item that has joined the collection.
  using TItemFactory = TCollectionItem* (*)(TCollection* collection);

  // owner (may be null) is what the collection belongs to.
  explicit TCollection(TItemFactory factory, TPersistent* owner = nullptr) : FFactory(factory), FOwner(owner) {}
  // Frees the items, last first.
  void BeforeDestruction() override;

  // A new item at the end.
  TCollectionItem* Add();
  int Count() const { return static_cast<int>(FItems.size()); }
  // A bad index raises EListError "List index out of bounds (%d)".
  TCollectionItem* Items(int index) const;
  // Frees the item at index.
  void Delete(int index);
  void Clear();
  // From another collection: the items are freed and replaced by new ones assigned from the source's items in
  // order. Other sources fall back to TPersistent's Assign.
  void Assign(const TPersistent* source) override;

 protected:
  TPersistent* GetOwner() const override { return FOwner; }

 private:
  friend class TCollectionItem;
  TItemFactory FFactory;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;
};

// The factory of a collection of T: TCollection(MakeCollectionItem<TMyItem>, owner).
template <class T>
TCollectionItem* MakeCollectionItem(TCollection* collection) {
  return New<T>(collection);
}

}  // namespace cl
