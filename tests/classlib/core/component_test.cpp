// Ownership, names, free notifications, two-phase destruction, dispatch-depth deferral and the load protocol.
#include "classlib/core/component.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/core/events.h"
#include "classlib/core/exceptions.h"

namespace {

using Log = std::vector<std::string>;
using testing::ElementsAre;

// Records its life cycle into a shared log under its name.
class TRecorder : public cl::TComponent {
  CL_CLASS(TRecorder, cl::TComponent)
 public:
  TRecorder(cl::TComponent* owner, Log* log) : inherited(owner), FLog(log) {}
  ~TRecorder() override { FLog->push_back("delete " + Name()); }

  std::function<void()> OnDestroying;
  std::function<void()> OnReadState;

  void BeforeDestruction() override {
    FLog->push_back("destroy " + Name());
    if (OnDestroying) OnDestroying();
    inherited::BeforeDestruction();
  }
  void WatchPartner(TRecorder* partner) {
    FPartner = partner;
    FreeNotification(partner);
  }
  TRecorder* Partner() const { return FPartner; }

  // Fires OnClick as the library does: inside a dispatch scope.
  void Click() {
    cl::DispatchScope scope(this);
    if (FOnClick) FOnClick(this);
    FLog->push_back(Name() + " click returned");
  }
  void SetOnClick(cl::TNotifyEvent handler) { FOnClick = std::move(handler); }

 protected:
  void Notification(cl::TComponent* component, cl::TOperation operation) override {
    inherited::Notification(component, operation);
    if (operation == cl::opRemove && component == FPartner) {
      FPartner = nullptr;
      FLog->push_back(Name() + " lost its partner");
    }
  }
  void ReadState() override {
    FLog->push_back("ReadState " + Name() + State());
    if (OnReadState) OnReadState();
  }
  void Loaded() override {
    inherited::Loaded();
    FLog->push_back("Loaded " + Name() + State());
  }

  std::string State() const { return ComponentState().Contains(cl::csLoading) ? " loading" : ""; }

  Log* FLog;
  TRecorder* FPartner = nullptr;
  cl::TNotifyEvent FOnClick;
};

TRecorder* MakeRecorder(cl::TComponent* owner, Log& log, const std::string& name) {
  return cl::Make<TRecorder>(owner, name, &log);
}

TEST(ComponentTest, OwnerFreesItsComponentsLastCreatedFirst) {
  Log log;
  TRecorder* owner = MakeRecorder(nullptr, log, "owner");
  MakeRecorder(owner, log, "a");
  TRecorder* b = MakeRecorder(owner, log, "b");
  MakeRecorder(b, log, "b1");
  MakeRecorder(owner, log, "c");
  ASSERT_EQ(owner->ComponentCount(), 3);
  cl::Free(owner);
  EXPECT_THAT(log, ElementsAre("destroy owner", "destroy c", "delete c", "destroy b", "destroy b1", "delete b1",
                               "delete b", "destroy a", "delete a", "delete owner"));
}

TEST(ComponentTest, DestroyingIsSetOnEverythingOwnedBeforeAnyIsFreed) {
  Log log;
  TRecorder* form = MakeRecorder(nullptr, log, "form");
  TRecorder* first = MakeRecorder(form, log, "first");
  TRecorder* last = MakeRecorder(form, log, "last");
  bool firstWasDestroying = false;
  last->OnDestroying = [&] { firstWasDestroying = first->ComponentState().Contains(cl::csDestroying); };
  cl::Free(form);
  EXPECT_TRUE(firstWasDestroying);
}

TEST(ComponentTest, NamesAreUniqueWithinTheOwnerAndFoundWithoutCase) {
  Log log;
  TRecorder* owner = MakeRecorder(nullptr, log, "owner");
  TRecorder* button = MakeRecorder(owner, log, "Button1");
  TRecorder* other = MakeRecorder(owner, log, "");
  EXPECT_EQ(owner->FindComponent("button1"), button);
  EXPECT_EQ(owner->FindComponent(""), nullptr);
  try {
    other->SetName("BUTTON1");
    FAIL() << "duplicate accepted";
  } catch (const cl::EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named BUTTON1 already exists");
  }
  EXPECT_EQ(other->Name(), "");
  button->SetName("button1");  // a component may change the case of its own name
  EXPECT_EQ(owner->FindComponent("BUTTON1"), button);
  EXPECT_THROW(owner->Components(2), cl::EListError);
  cl::Free(owner);
}

TEST(ComponentTest, FreeNotificationClearsAForeignReference) {
  Log log;
  TRecorder* formA = MakeRecorder(nullptr, log, "formA");
  TRecorder* formB = MakeRecorder(nullptr, log, "formB");
  TRecorder* watcher = MakeRecorder(formA, log, "watcher");
  TRecorder* target = MakeRecorder(formB, log, "target");
  watcher->WatchPartner(target);
  cl::Free(target);
  EXPECT_EQ(watcher->Partner(), nullptr);
  EXPECT_THAT(log, ElementsAre("destroy target", "watcher lost its partner", "delete target"));
  // The link is gone in both directions: freeing the forms touches nothing freed.
  cl::Free(formA);
  cl::Free(formB);
}

TEST(ComponentTest, OwnerForwardsRemovalToAllItsComponents) {
  Log log;
  TRecorder* form = MakeRecorder(nullptr, log, "form");
  TRecorder* menu = MakeRecorder(form, log, "menu");
  TRecorder* button = MakeRecorder(form, log, "button");
  button->WatchPartner(menu);
  button->RemoveFreeNotification(menu);
  // No free notification any more, yet the sibling hears of the removal through the common owner.
  cl::Free(menu);
  EXPECT_EQ(button->Partner(), nullptr);
  cl::Free(form);
}

TEST(ComponentTest, AHandlerMayFreeItsOwnSender) {
  Log log;
  TRecorder* button = MakeRecorder(nullptr, log, "button");
  cl::Weak<TRecorder> weak(button);
  button->SetOnClick([&](cl::TObject* sender) {
    cl::Free(static_cast<TRecorder*>(sender));
    log.push_back(weak ? "weak still set" : "weak cleared");
  });
  button->Click();
  // Phase 1 ran inside the handler, phase 2 only after the click returned.
  EXPECT_THAT(log, ElementsAre("destroy button", "weak cleared", "button click returned", "delete button"));
}

TEST(ComponentTest, AHandlerMayFreeTheFormThatOwnsItsSender) {
  Log log;
  TRecorder* form = MakeRecorder(nullptr, log, "form");
  TRecorder* button = MakeRecorder(form, log, "button");
  button->SetOnClick([&](cl::TObject*) { cl::Free(form); });
  button->Click();
  EXPECT_THAT(log,
              ElementsAre("destroy form", "destroy button", "delete form", "button click returned", "delete button"));
}

TEST(ComponentTest, NestedDispatchDefersUntilTheOutermostScopeEnds) {
  Log log;
  TRecorder* button = MakeRecorder(nullptr, log, "button");
  {
    cl::DispatchScope outer(button);
    button->SetOnClick([&](cl::TObject*) { cl::Free(button); });
    button->Click();
    cl::Free(button);  // a second free while destroying does nothing
    EXPECT_THAT(log, ElementsAre("destroy button", "button click returned"));
  }
  EXPECT_EQ(log.back(), "delete button");
}

// A form built in code. CreateComponents makes First (which owns Inner), Second and Third; Second frees Third in
// its ReadState; the form creates Late in its Loaded.
class TLoadingForm : public TRecorder {
  CL_CLASS(TLoadingForm, TRecorder)
 public:
  using TRecorder::TRecorder;
  void Load() { LoadFromCode(); }

 protected:
  void CreateComponents() override {
    FLog->push_back("CreateComponents" + State());
    TRecorder* first = MakeRecorder(this, *FLog, "First");
    if (first->ComponentState().Contains(cl::csReading)) FLog->push_back("First reading");
    TRecorder* inner = MakeRecorder(first, *FLog, "Inner");
    if (!inner->ComponentState().Contains(cl::csLoading)) FLog->push_back("Inner not loading");
    TRecorder* second = MakeRecorder(this, *FLog, "Second");
    MakeRecorder(this, *FLog, "Third");
    second->OnReadState = [this] { cl::Free(FindComponent("Third")); };
  }
  void Loaded() override {
    TRecorder::Loaded();
    TRecorder* late = MakeRecorder(this, *FLog, "Late");
    if (!late->ComponentState().Contains(cl::csLoading)) FLog->push_back("Late not loading");
  }
};

TEST(ComponentTest, LoadProtocolRunsReadStateThenLoadedInCreationOrder) {
  Log log;
  TLoadingForm* form = cl::New<TLoadingForm>(nullptr, &log);
  form->SetName("Form1");
  form->Load();
  EXPECT_THAT(log, ElementsAre("CreateComponents loading", "First reading", "Inner not loading",
                               "ReadState First loading", "ReadState Second loading", "destroy Third", "delete Third",
                               "Loaded Form1", "Late not loading", "Loaded First", "Loaded Second"));
  EXPECT_EQ(form->ComponentCount(), 3);
  cl::Free(form);
}

}  // namespace
