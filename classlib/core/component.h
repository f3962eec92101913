// TComponent: ownership (an owner frees what it owns, last created first), names, free notifications, the
// component state, the generic part of the load protocol, and the dispatch depth that postpones phase 2 of
// destruction while a component is inside one of its own handlers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/object.h"
#include "classlib/core/rtti.h"
#include "classlib/core/set.h"

namespace cl {

enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = Set<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  CL_PUBLISHED_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* owner);

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  // A name already used by another component of the same owner raises EComponentError.
  virtual void SetName(const std::string& name);
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t tag) { FTag = tag; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Owned components in creation order; a bad index raises EListError.
  TComponent* Components(int index) const;
  // ASCII case-insensitive; "" finds nothing.
  TComponent* FindComponent(std::string_view name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees the owned components, last created first.
  void DestroyComponents();

  TComponentState ComponentState() const { return FComponentState; }

  // Asks `component` to send Notification(component, opRemove) to this one when it is freed (and the reverse).
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Phase 1: csDestroying on this and all it owns; opRemove to free-notification partners and to the owner;
  // owned components freed last first; leaves the owner.
  void BeforeDestruction() override;

  int DispatchDepth() const { return FDispatchDepth; }

 protected:
  // Runs the load protocol on this component as the root: csLoading; CreateComponents(); ReadState() on each
  // owned component in creation order; Loaded() on this, then on each component that existed before (those freed
  // meanwhile are skipped, those created meanwhile get none).
  void LoadFromCode();
  // Builds the owned components in place of a stored form resource.
  virtual void CreateComponents() {}
  // The streaming hook of a loading component; the base does nothing.
  virtual void ReadState() {}
  // End of loading; the base clears csLoading and csReading.
  virtual void Loaded();
  // The base drops a removed partner from the free-notification list and forwards to every owned component.
  virtual void Notification(TComponent* component, TOperation operation);
  // Sets csDestroying on this component and everything it owns.
  void Destroying();
  void Updating() { FComponentState.Include(csUpdating); }
  void Updated() { FComponentState.Exclude(csUpdating); }

  TPersistent* GetOwner() const override { return FOwner; }
  void ReleaseInstance() override;

 private:
  friend class DispatchScope;

  void RemoveFreeNotifications();
  void DetachFromOwner();
  void CheckNameIsFree(const std::string& name, const TComponent* renamed) const;

  TComponent* FOwner = nullptr;
  std::string FName;
  intptr_t FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
  int FDispatchDepth = 0;
  bool FDeleteWhenIdle = false;
};

// Marks a component as dispatching (inside a window procedure or one of its events). Freeing it meanwhile runs
// phase 1 at once; phase 2 waits until the outermost scope of that component ends.
class DispatchScope {
 public:
  explicit DispatchScope(TComponent* component);
  ~DispatchScope();
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;

 private:
  TComponent* FComponent;
};

// Creates a component of `owner` and names it, as a form's CreateComponents does. Further arguments go to T's
// constructor after the owner.
template <class T, class... Args>
T* Make(TComponent* owner, const std::string& name, Args&&... args) {
  T* component = New<T>(owner, std::forward<Args>(args)...);
  component->SetName(name);
  return component;
}

}  // namespace cl
