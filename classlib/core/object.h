// The root of the class hierarchy: class identity (CL_CLASS), two-phase destruction, weak references, and
// TPersistent's Assign protocol.
//
// Objects are created with cl::New<T>(...) (new, then AfterConstruction) and freed with cl::Free/cl::FreeAndNil,
// never with delete: Free runs phase 1 (BeforeDestruction, the object still whole) and then phase 2 (delete),
// which a component may postpone while it is dispatching (component.h).
#pragma once

#include <memory>
#include <string>
#include <utility>

namespace cl {

namespace rtti {
struct TClassInfo;
}

// What a class knows about itself: its name and its base.
struct TClass {
  const char* Name;
  const TClass* Parent;

  bool InheritsFrom(const TClass* ancestor) const;
};

// Opens every class of the library: `inherited`, StaticClass(), ClassType(). Leaves the access at private.
#define CL_CLASS(T, Base)                                    \
 public:                                                     \
  using inherited = Base;                                    \
  static const ::cl::TClass* StaticClass() {                 \
    static const ::cl::TClass info{#T, Base::StaticClass()}; \
    return &info;                                            \
  }                                                          \
  const ::cl::TClass* ClassType() const override {           \
    return StaticClass();                                    \
  }                                                          \
                                                             \
 private:

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();

  static const TClass* StaticClass();
  virtual const TClass* ClassType() const { return StaticClass(); }
  std::string ClassName() const { return ClassType()->Name; }
  bool InheritsFrom(const TClass* ancestor) const { return ClassType()->InheritsFrom(ancestor); }
  // What the class publishes (rtti.h); a class without a list of its own shares its base's.
  static const rtti::TClassInfo* StaticClassInfo();
  virtual const rtti::TClassInfo* ClassInfo() const { return StaticClassInfo(); }

  virtual void AfterConstruction() {}
  // Phase 1 of destruction: the object is still whole, virtual calls work.
  virtual void BeforeDestruction() {}

  // Phase 1 now, then phase 2. A second call while the first is under way does nothing.
  void Free();
  // True once Free has begun.
  bool FreeStarted() const { return FFreeStarted; }

  // Shared flag that turns false when Free begins; the basis of cl::Weak.
  std::shared_ptr<const bool> AliveFlag() const;

 protected:
  // Phase 2; a component postpones it while it is dispatching.
  virtual void ReleaseInstance() { delete this; }

 private:
  bool FFreeStarted = false;
  mutable std::shared_ptr<bool> FAlive;
};

template <class T>
void Free(T* object) {
  if (object) object->Free();
}

template <class T>
void FreeAndNil(T*& object) {
  T* freed = std::exchange(object, nullptr);
  Free(freed);
}

// new, then AfterConstruction; an exception from AfterConstruction frees the object again.
template <class T, class... Args>
T* New(Args&&... args) {
  T* object = new T(std::forward<Args>(args)...);
  try {
    object->AfterConstruction();
  } catch (...) {
    object->Free();
    throw;
  }
  return object;
}

// An owning pointer that frees its object with Free: cl::Owned<TBitmap> image = cl::MakeOwned<TBitmap>();
struct FreeObject {
  void operator()(TObject* object) const { object->Free(); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeObject>;

template <class T, class... Args>
Owned<T> MakeOwned(Args&&... args) {
  return Owned<T>(New<T>(std::forward<Args>(args)...));
}

// A pointer that reads null once its object began to be freed.
template <class T>
class Weak {
 public:
  Weak() = default;
  Weak(T* object) : FObject(object), FAlive(object ? object->AliveFlag() : nullptr) {}

  T* get() const { return FAlive && *FAlive ? FObject : nullptr; }
  explicit operator bool() const { return get() != nullptr; }
  T* operator->() const { return get(); }
  bool operator==(const Weak& other) const { return get() == other.get(); }

 private:
  T* FObject = nullptr;
  std::shared_ptr<const bool> FAlive;
};

class TPersistent : public TObject {
  CL_CLASS(TPersistent, TObject)
 public:
  // Copies Source into this object. The base falls back to Source->AssignTo(this).
  virtual void Assign(const TPersistent* source);

 protected:
  // Copies this object into dest; the base raises EConvertError "Cannot assign a %s to a %s".
  virtual void AssignTo(TPersistent* dest) const;
  virtual TPersistent* GetOwner() const { return nullptr; }
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

}  // namespace cl
