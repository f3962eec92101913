// A tool window for tests whose content has a fixed size per orientation and that logs its events, and a form
// with a dock on each edge.
#pragma once

#include <string>
#include <vector>

#include "classlib/win/forms.h"
#include "toolbars/dock.h"
#include "toolbars/tool_window.h"

namespace tbr::test {

class TTestBar : public TCustomToolWindow {
  CL_CLASS(TTestBar, TCustomToolWindow)
 public:
  explicit TTestBar(cl::TComponent* owner) : TCustomToolWindow(owner) {
    auto log = [this](const char* name) {
      return cl::TNotifyEvent([this, name](cl::TObject*) { Log.push_back(name); });
    };
    SetOnDockChanging(log("DockChanging"));
    SetOnRecreating(log("Recreating"));
    SetOnMove(log("Move"));
    SetOnRecreated(log("Recreated"));
    SetOnDockChanged(log("DockChanged"));
    SetOnClose(log("Close"));
  }

  cl::TPoint Content{60, 22};  // along and across a dock
  cl::TPoint FloatingContent{80, 40};
  std::vector<std::string> Log;
  // Paints its client area in this colour.
  cl::TColor Fill = cl::clNone;

  // Exposes the sizing switch for frames without a sizing border.
  void SetSizableFrame(bool sizable) { FSizableFrame = sizable; }

 protected:
  int BarThickness(TDockOrientation orientation) override { return Content.Y; }
  void MinClientSize(int& width, int& height) override { width = height = 0; }
  cl::TPoint LayoutChildren(bool, TDockOrientation, TDock* dockingTo) override {
    if (!dockingTo) return FloatingContent;
    return dockingTo->Orientation() == doVertical ? cl::Point(Content.Y, Content.X) : Content;
  }
  void Paint() override {
    inherited::Paint();
    if (Fill == cl::clNone) return;
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
};

// A form with an empty dock on each edge, built like a program's form; shown with 400 x 300 client pixels.
class TDockForm : public cl::TForm {
  CL_CLASS(TDockForm, cl::TForm)
 public:
  explicit TDockForm(cl::TComponent* owner) : cl::TForm(owner) {}
  TDock* TopDock = nullptr;
  TDock* BottomDock = nullptr;
  TDock* LeftDock = nullptr;
  TDock* RightDock = nullptr;

  void ShowWithClientSize() {
    Show();
    SetClientSize(400, 300);
  }

 protected:
  void CreateComponents() override {
    SetBorderStyle(cl::bsSingle);
    SetBounds(100, 100, 300, 200);
    TopDock = MakeDock("TopDock", dpTop);
    BottomDock = MakeDock("BottomDock", dpBottom);
    LeftDock = MakeDock("LeftDock", dpLeft);
    RightDock = MakeDock("RightDock", dpRight);
  }

 private:
  TDock* MakeDock(const std::string& name, TDockPosition position) {
    TDock* dock = cl::Make<TDock>(this, name);
    dock->SetPosition(position);
    dock->SetParent(this);
    return dock;
  }
};

}  // namespace tbr::test
