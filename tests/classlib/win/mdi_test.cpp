// An MDI frame with three children: the client window takes what aligned controls leave, tiling and
// cascading place the children, and Next and Previous activate them in turn.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/test/counters.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/forms.h"
#include "support/screenshot.h"

namespace {

using namespace cl;

class TFrameForm : public TForm {
  CL_CLASS(TFrameForm, TForm)
 public:
  explicit TFrameForm(TComponent* owner) : TForm(owner) {}
  TPanel* Toolbar = nullptr;

 protected:
  void CreateComponents() override {
    SetCaption("Frame");
    SetFormStyle(fsMDIForm);
    SetBounds(20, 20, 600, 450);
    Toolbar = Make<TPanel>(this, "Toolbar");
    Toolbar->SetParent(this);
    Toolbar->SetAlign(alTop);
    Toolbar->SetHeight(30);
    SetVisible(true);
  }
};

class TEditForm : public TForm {
  CL_CLASS(TEditForm, TForm)
 public:
  explicit TEditForm(TComponent* owner) : TForm(owner) {}
  int Activations = 0;

 protected:
  void CreateComponents() override {
    SetFormStyle(fsMDIChild);
    SetPosition(poDefault);
    SetOnActivate(TNotifyEvent([this](TObject*) { ++Activations; }));
  }
};

TEST(Mdi, FrameTilesAndCascadesThreeChildren) {
  const int windows = test::ThreadWindowCount();
  auto* frame = New<TFrameForm>(Application);
  HWND client = frame->ClientHandle();
  ASSERT_TRUE(IsWindow(client));
  RECT clientRect;
  GetWindowRect(client, &clientRect);
  MapWindowPoints(HWND_DESKTOP, frame->Handle(), reinterpret_cast<POINT*>(&clientRect), 2);
  EXPECT_EQ(clientRect.top, 30);  // below the aligned toolbar

  TEditForm* children[3];
  for (auto*& child : children) {
    child = New<TEditForm>(Application);
    child->SetCaption("Child");
  }
  test::PumpFor(20);
  EXPECT_EQ(frame->MDIChildCount(), 3);
  EXPECT_EQ(frame->ActiveMDIChild(), children[2]);
  EXPECT_EQ(frame->MDIChildren(0), children[2]);
  EXPECT_GT(children[2]->Activations, 0);
  EXPECT_EQ(GetParent(children[0]->Handle()), client);
  EXPECT_TRUE(GetWindowLongPtrA(children[0]->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);

  frame->Tile();
  RECT inner;
  GetClientRect(client, &inner);
  int totalHeight = 0;
  for (TEditForm* child : children) {
    EXPECT_EQ(child->Left(), 0);
    EXPECT_EQ(child->Width(), inner.right);
    totalHeight += child->Height();
  }
  EXPECT_LE(totalHeight, inner.bottom);
  EXPECT_GE(totalHeight, inner.bottom - 2);  // the system rounds each third down
  testsupport::SaveScreenshot("classlib_mdi_tile");

  frame->Cascade();
  // Cascaded: each child lower and further right than the one below it in z-order.
  EXPECT_GT(frame->MDIChildren(0)->Left(), frame->MDIChildren(1)->Left());
  EXPECT_GT(frame->MDIChildren(1)->Top(), frame->MDIChildren(2)->Top());
  testsupport::SaveScreenshot("classlib_mdi_cascade");

  // Next and Previous walk the children; Previous undoes Next.
  TForm* first = frame->ActiveMDIChild();
  frame->Next();
  EXPECT_NE(frame->ActiveMDIChild(), first);
  frame->Previous();
  EXPECT_EQ(frame->ActiveMDIChild(), first);

  Free(children[1]);
  EXPECT_EQ(frame->MDIChildCount(), 2);
  Free(frame);
  for (TEditForm* child : {children[0], children[2]}) Free(child);
  test::PumpFor(20);
  EXPECT_EQ(test::ThreadWindowCount(), windows);
}

TEST(Mdi, AFrameClosesOnlyWhenEveryChildAgrees) {
  auto* frame = New<TFrameForm>(Application);
  std::vector<std::string> asked;
  bool activeChildAgrees = false;
  TEditForm* children[2];
  for (auto*& child : children) child = New<TEditForm>(Application);
  children[0]->SetCaption("first");
  children[1]->SetCaption("active");
  for (TEditForm* child : children)
    child->SetOnCloseQuery(TCloseQueryEvent([&, child](TObject*, bool& canClose) {
      asked.push_back(child->Caption());
      if (child == children[1]) canClose = activeChildAgrees;
    }));
  // The active child is asked first; its refusal keeps the frame and the other child is not asked.
  frame->Close();
  EXPECT_EQ(asked, (std::vector<std::string>{"active"}));
  EXPECT_TRUE(frame->Visible());
  activeChildAgrees = true;
  asked.clear();
  frame->Close();
  EXPECT_EQ(asked, (std::vector<std::string>{"active", "first"}));
  EXPECT_FALSE(frame->Visible());
  for (TEditForm* child : children) Free(child);
  Free(frame);
  test::PumpFor(20);
}

TEST(Mdi, AChildsCanvasDcGoesWithItsWindow) {
  auto* frame = New<TFrameForm>(Application);
  auto* child = New<TEditForm>(Application);
  ASSERT_NE(child->Canvas()->Handle(), nullptr);  // drawing outside painting takes the window's DC
  child->RecreateWnd();
  EXPECT_FALSE(child->Canvas()->HandleAllocated());
  EXPECT_TRUE(IsWindow(child->Handle()));
  Free(child);
  Free(frame);
  test::PumpFor(20);
}

}  // namespace
