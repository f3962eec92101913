#include "classlib/core/collections.h"

#include <algorithm>

#include "classlib/core/exceptions.h"

namespace cl {

TCollectionItem::TCollectionItem(TCollection* collection) {
  SetCollection(collection);
}

void TCollectionItem::BeforeDestruction() {
  SetCollection(nullptr);
  inherited::BeforeDestruction();
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == FCollection) return;
  if (FCollection) std::erase(FCollection->FItems, this);
  FCollection = collection;
  if (FCollection) FCollection->FItems.push_back(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

TPersistent* TCollectionItem::GetOwner() const {
  return FCollection;
}

void TCollection::BeforeDestruction() {
  Clear();
  inherited::BeforeDestruction();
}

TCollectionItem* TCollection::Add() {
  return FFactory(this);
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (%d)", {index});
  return FItems[index];
}

void TCollection::Delete(int index) {
  Items(index)->Free();
}

void TCollection::Clear() {
  while (!FItems.empty()) FItems.back()->Free();
}

void TCollection::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TCollection*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  if (other == this) return;
  Clear();
  for (const TCollectionItem* item : other->FItems) Add()->Assign(item);
}

}  // namespace cl
