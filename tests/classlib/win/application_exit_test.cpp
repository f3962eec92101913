// Finalize: every form is freed, last created first, whoever owns it; then the exit procedures run, last
// registered first; the library can start again afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "classlib/win/screen.h"

namespace {

using namespace cl;

std::vector<std::string> events;

TForm* RecordingForm(TComponent* owner, const std::string& name) {
  TForm* form = New<TForm>(owner);
  form->SetOnDestroy(TNotifyEvent([name](TObject*) { events.push_back("free " + name); }));
  return form;
}

TEST(FinalizeTest, FreesFormsLastCreatedFirstThenRunsExitProceduresInReverse) {
  events.clear();
  AddExitProc([] { events.push_back(Screen ? "exit 1 with screen" : "exit 1"); });
  AddExitProc([] { events.push_back(Application ? "exit 2 with application" : "exit 2"); });
  RecordingForm(Application, "first");
  RecordingForm(nullptr, "second");
  TForm* third = RecordingForm(Application, "third");
  RecordingForm(third, "owned by third");
  Finalize();
  EXPECT_EQ(events, (std::vector<std::string>{"free owned by third", "free third", "free second", "free first",
                                              "exit 2", "exit 1 with screen"}));
  EXPECT_EQ(Screen, nullptr);
  Initialize();
  ASSERT_NE(Application, nullptr);
  EXPECT_EQ(Screen->FormCount(), 0);
}

}  // namespace
