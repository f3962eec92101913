// The change notification of the library's settings objects and components.
#include "controls/core/ctl_objects.h"

#include <gtest/gtest.h>

namespace {

using namespace ctl;

TEST(CtlObjects, ChangeFiresUnlessLockedAndUnlockMayNotify) {
  cl::Owned<TCtlObject> object = cl::MakeOwned<TCtlObject>();
  std::vector<cl::TObject*> senders;
  object->SetOnChange(cl::TNotifyEvent([&](cl::TObject* sender) { senders.push_back(sender); }));
  object->Changed();
  object->Lock();
  object->Change();
  object->Unlock(false);
  object->Lock();
  object->Unlock(true);
  EXPECT_EQ(senders, (std::vector<cl::TObject*>{object.get(), object.get()}));
}

TEST(CtlObjects, ComponentNotifiesLikeTheObjectAndKeepsAShortAbout) {
  cl::Owned<TCtlComponent> component = cl::MakeOwned<TCtlComponent>(nullptr);
  int changes = 0;
  component->SetOnChange(cl::TNotifyEvent([&](cl::TObject*) { ++changes; }));
  component->Lock();
  component->Change();
  component->Unlock(true);
  EXPECT_EQ(changes, 1);
  component->SetAbout("Control library 2");
  EXPECT_EQ(component->About(), "Control li");
}

}  // namespace
