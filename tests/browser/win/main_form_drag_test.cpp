// Dragging files out of the browser's list: with the left button held a move over the list drags the chosen file
// to the window under the cursor (here a drop target of the test process), without it nothing is dragged.
#include <gtest/gtest.h>

#include "browser_form_fixture.h"
#include "classlib/core/string_list.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "classlib/win/list_box.h"
#include "controls/ole_drag_drop.h"
#include "support/screenshot.h"

namespace brwtest {
namespace {

TEST_F(BrowserFormTest, TheLeftButtonDragsTheChosenFileOutOfTheList) {
  OpenTestFolder();
  Choose("q.bmp");
  cl::TForm* other = cl::CreateNew<cl::TForm>(cl::Application);
  other->SetCaption("Another program");
  other->SetBounds(520, 420, 420, 160);
  cl::TListBox* received = cl::New<cl::TListBox>(other);
  received->SetParent(other);
  received->SetAlign(cl::alClient);
  other->Show();
  ctl::OleDragDrop* drops = cl::Make<ctl::OleDragDrop>(other, "Drops");
  drops->SetDropWindow(received);
  drops->SetOnDragDrop(
      ctl::TDragDropProc([&](cl::TObject*, ctl::TSourceTypes, ctl::TDropObj* source, int, int, cl::TShiftState) {
        received->Items()->Assign(source->Strings(ctl::stFiles));
      }));
  cl::test::PumpFor(200);
  const cl::TPoint centre = received->ClientToScreen(cl::Point(received->Width() / 2, received->Height() / 2));
  SetCursorPos(centre.X, centre.Y);

  cl::test::MouseMove(form->ShellFileListBox1, 20, 10);
  EXPECT_EQ(received->Items()->Count(), 0) << "no button, no drag";
  cl::test::MouseMove(form->ShellFileListBox1, 20, 10, {cl::ssLeft});
  ASSERT_EQ(received->Items()->Count(), 1);
  EXPECT_EQ(received->Items()->Strings(0), tree.Path("q.bmp"));
  cl::test::PumpFor(200);
  testsupport::SaveScreenshot("browser_file_drag");
  cl::Free(other);
}

}  // namespace
}  // namespace brwtest
