// Ownership, names, free notifications, two-phase destruction, dispatch-depth deferral and the load protocol.
#include "classlib/core/component.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/events.h"
#include "classlib/core/exceptions.h"

namespace {

using Log = std::vector<std::string>;

// Records its life cycle into a shared log under its name.
class TRecorder : public cl::TComponent {
  CL_CLASS(TRecorder, cl::TComponent)
 public:
  TRecorder(cl::TComponent* owner, Log* log) : inherited(owner), FLog(log) {}
  ~TRecorder() override { FLog->push_back("delete " + FLabel); }

  void SetLabel(const std::string& label) { FLabel = label; }
  void BeforeDestruction() override {
    FLog->push_back("destroy " + FLabel);
    inherited::BeforeDestruction();
  }
  void Notification(cl::TComponent* component, cl::TOperation operation) override {
    inherited::Notification(component, operation);
    if (operation == cl::opRemove && component == FPartner) {
      FPartner = nullptr;
      FLog->push_back(FLabel + " lost its partner");
    }
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
    FLog->push_back(FLabel + " click returned");
  }
  void SetOnClick(cl::TNotifyEvent handler) { FOnClick = std::move(handler); }

 protected:
  void ReadState() override {
    FLog->push_back("ReadState " + FLabel + State());
    inherited::ReadState();
  }
  void Loaded() override {
    FLog->push_back("Loaded " + FLabel + State());
    inherited::Loaded();
  }

  std::string State() const { return ComponentState().Contains(cl::csLoading) ? " loading" : ""; }

  Log* FLog;
  std::string FLabel;
  TRecorder* FPartner = nullptr;
  cl::TNotifyEvent FOnClick;
};

TRecorder* MakeRecorder(cl::TComponent* owner, Log& log, const std::string& label) {
  TRecorder* r = cl::New<TRecorder>(owner, &log);
  r->SetLabel(label);
  return r;
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
  EXPECT_THAT(log, testing::ElementsAre("destroy owner", "destroy c", "delete c", "destroy b", "destroy b1",
                                        "delete b1", "delete b", "destroy a", "delete a", "delete owner"));
}

}  // namespace
