#include "viewer/limit_me.h"

#include <gtest/gtest.h>

#include "classlib/core/object.h"

namespace viewer {
namespace {

// A guard name of this test program alone, so that no other program's guard is met.
const std::string kGuard = "OrvaneLimitMeTest" + std::to_string(GetCurrentProcessId());

TLimitMe* MakeGuard(const std::string& name, bool terminate, int* calls) {
  auto* guard = cl::New<TLimitMe>(nullptr);
  guard->SetBija(name);
  guard->SetTerminate(terminate);
  guard->SetBeforeTerminate([calls](cl::TObject*) { ++*calls; });
  return guard;
}

TEST(LimitMe, TheFirstGuardHoldsTheNameUntilItIsFreed) {
  int calls = 0;
  TLimitMe* first = MakeGuard(kGuard, false, &calls);
  EXPECT_EQ(first->Bija(), kGuard);
  EXPECT_FALSE(first->DoIExist());

  TLimitMe* second = MakeGuard(kGuard, false, &calls);
  EXPECT_TRUE(second->DoIExist());
  EXPECT_TRUE(second->DoIExist());  // a second instance never takes the guard over
  EXPECT_EQ(calls, 0);              // without Terminate nothing is handed over

  cl::Free(first);
  EXPECT_FALSE(second->DoIExist());
  cl::Free(second);
}

TEST(LimitMe, AGuardThatCannotBeCreatedCountsAsTheFirstInstance) {
  int calls = 0;
  // The system refuses a name with a backslash outside a namespace.
  TLimitMe* guard = MakeGuard("No\\Such\\Namespace\\" + kGuard, true, &calls);
  EXPECT_FALSE(guard->DoIExist());
  EXPECT_EQ(calls, 0);
  cl::Free(guard);
}

TEST(LimitMe, DefaultsAreAumAndTerminate) {
  TLimitMe* guard = cl::New<TLimitMe>(nullptr);
  EXPECT_EQ(guard->Bija(), "Aum");
  EXPECT_TRUE(guard->Terminate());
  cl::Free(guard);
}

}  // namespace
}  // namespace viewer
