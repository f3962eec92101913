#include "classlib/core/object.h"

#include "classlib/core/exceptions.h"

namespace cl {

bool TClass::InheritsFrom(const TClass* ancestor) const {
  for (const TClass* c = this; c; c = c->Parent) {
    if (c == ancestor) return true;
  }
  return false;
}

const TClass* TObject::StaticClass() {
  static const TClass info{"TObject", nullptr};
  return &info;
}

TObject::~TObject() {
  if (FAlive) *FAlive = false;
}

void TObject::Free() {
  if (FFreeStarted) return;
  FFreeStarted = true;
  if (FAlive) *FAlive = false;
  BeforeDestruction();
  ReleaseInstance();
}

std::shared_ptr<const bool> TObject::AliveFlag() const {
  if (!FAlive) FAlive = std::make_shared<bool>(!FFreeStarted);
  return FAlive;
}

void TPersistent::Assign(const TPersistent* source) {
  if (!source) AssignError(nullptr);
  source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const {
  dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* source) const {
  const std::string sourceName = source ? source->ClassName() : "nil";
  throw EConvertError("Cannot assign a %s to a %s", {sourceName, ClassName()});
}

}  // namespace cl
