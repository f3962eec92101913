#include "classlib/core/component.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/core/string_utils.h"

namespace cl {

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* component) {
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  // A component created while its owner loads is loading too; its own sub-components are not, as nothing
  // would end their loading.
  if (owner && owner->FComponentState.Contains(csLoading) && !owner->FComponentState.Contains(csReading)) {
    FComponentState = {csLoading, csReading};
  }
  if (owner) owner->InsertComponent(this);
}

void TComponent::SetName(const std::string& name) {
  if (name == FName) return;
  if (FOwner) FOwner->CheckNameIsFree(name, this);
  FName = name;
}

void TComponent::CheckNameIsFree(const std::string& name, const TComponent* renamed) const {
  if (name.empty()) return;
  const TComponent* existing = FindComponent(name);
  if (existing && existing != renamed) throw EComponentError("A component named %s already exists", {name});
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError("List index out of bounds (%d)", {index});
  return FComponents[index];
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents) {
    if (SameText(c->FName, name)) return c;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  CheckNameIsFree(component->FName, component);
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  FComponents.push_back(component);
  component->FOwner = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component->FOwner != this) return;
  Notification(component, opRemove);
  component->DetachFromOwner();
}

void TComponent::DetachFromOwner() {
  if (!FOwner) return;
  Erase(FOwner->FComponents, this);
  FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    last->Free();
    // A component whose phase 1 is already running further up the stack is still listed; it leaves here.
    if (!FComponents.empty() && FComponents.back() == last) {
      FComponents.pop_back();
      last->FOwner = nullptr;
    }
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(component);
  }
  if (std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) ==
      component->FFreeNotifies.end()) {
    component->FFreeNotifies.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  Erase(FFreeNotifies, component);
  Erase(component->FFreeNotifies, this);
}

void TComponent::RemoveFreeNotifications() {
  while (!FFreeNotifies.empty()) {
    TComponent* partner = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Erase(partner->FFreeNotifies, this);
    partner->Notification(this, opRemove);
  }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) Erase(FFreeNotifies, component);
  // By index: a handler may free components of this owner while the notification travels.
  for (size_t i = 0; i < FComponents.size(); ++i) FComponents[i]->Notification(component, operation);
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::BeforeDestruction() {
  Destroying();
  RemoveFreeNotifications();
  if (FOwner) FOwner->Notification(this, opRemove);
  DestroyComponents();
  DetachFromOwner();
}

void TComponent::ReleaseInstance() {
  if (FDispatchDepth > 0) {
    FDeleteWhenIdle = true;
  } else {
    delete this;
  }
}

void TComponent::Loaded() {
  FComponentState.Exclude(csLoading);
  FComponentState.Exclude(csReading);
}

void TComponent::LoadFromCode() {
  FComponentState.Include(csLoading);
  CreateComponents();
  std::vector<Weak<TComponent>> created(FComponents.begin(), FComponents.end());
  for (const Weak<TComponent>& c : created) {
    if (c) c->ReadState();
  }
  Loaded();
  for (const Weak<TComponent>& c : created) {
    if (c) c->Loaded();
  }
}

DispatchScope::DispatchScope(TComponent* component) : FComponent(component) {
  ++FComponent->FDispatchDepth;
}

DispatchScope::~DispatchScope() {
  if (--FComponent->FDispatchDepth == 0 && FComponent->FDeleteWhenIdle) delete FComponent;
}

void TComponent::Publish(rtti::Builder& b) {
  b.Prop("Name", rtti::tiString, &TComponent::Name, &TComponent::SetName);
  b.Prop("Tag", rtti::tiInteger, &TComponent::Tag, &TComponent::SetTag);
}

}  // namespace cl
