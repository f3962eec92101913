// Event identity, comparison, chaining and calls that destroy the event's owner.
#include "classlib/core/events.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/core/object.h"

namespace {

class TForm1 : public cl::TObject {
  CL_CLASS(TForm1, cl::TObject)
 public:
  int Clicks = 0;
  void Button1Click(cl::TObject*) { ++Clicks; }
  void Button2Click(cl::TObject*) { Clicks += 10; }
  cl::TNotifyEvent Bind1() { return CL_EVENT(Button1Click); }
  cl::TNotifyEvent Bind2() { return CL_EVENT(Button2Click); }
};

TEST(EventTest, BoundMethodsCarryObjectAndName) {
  TForm1 form;
  cl::TNotifyEvent e = form.Bind1();
  ASSERT_TRUE(e);
  e(nullptr);
  EXPECT_EQ(form.Clicks, 1);
  EXPECT_STREQ(e.MethodName(), "Button1Click");
  EXPECT_EQ(e.Data(), &form);
}

TEST(EventTest, EqualityFollowsObjectAndMethod) {
  TForm1 form, other;
  EXPECT_EQ(form.Bind1(), form.Bind1());
  EXPECT_FALSE(form.Bind1() == form.Bind2());
  EXPECT_FALSE(form.Bind1() == other.Bind1());
  EXPECT_EQ(cl::TNotifyEvent(), cl::TNotifyEvent(nullptr));
  EXPECT_FALSE(cl::TNotifyEvent() == form.Bind1());
}

TEST(EventTest, LambdaHasAnIdentitySharedByItsCopies) {
  int calls = 0;
  cl::TNotifyEvent a([&calls](cl::TObject*) { ++calls; });
  cl::TNotifyEvent b([&calls](cl::TObject*) { ++calls; });
  cl::TNotifyEvent copy = a;
  EXPECT_EQ(copy, a);
  EXPECT_FALSE(a == b);
  EXPECT_STREQ(a.MethodName(), "");
  copy(nullptr);
  EXPECT_EQ(calls, 1);
}

TEST(EventTest, AHandlerCanChainThePreviousOne) {
  TForm1 form;
  cl::TNotifyEvent onShow = form.Bind1();
  cl::TNotifyEvent saved = onShow;
  int own = 0;
  onShow = [&own, saved](cl::TObject* sender) {
    ++own;
    if (saved) saved(sender);
  };
  onShow(nullptr);
  EXPECT_EQ(own, 1);
  EXPECT_EQ(form.Clicks, 1);
}

// The event lives in an object that its own handler destroys.
struct Holder {
  cl::TNotifyEvent OnFire;
};

TEST(EventTest, AHandlerMayDestroyTheEventItRunsFrom) {
  auto holder = std::make_unique<Holder>();
  auto captured = std::make_shared<std::string>("still here");
  std::string seen;
  holder->OnFire = [&holder, captured, &seen](cl::TObject*) {
    holder.reset();
    seen = *captured;  // the running callable's captures outlive the destroyed event
  };
  holder->OnFire(nullptr);
  EXPECT_EQ(holder, nullptr);
  EXPECT_EQ(seen, "still here");
}

}  // namespace
