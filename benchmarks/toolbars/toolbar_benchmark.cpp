// Times the work of one frame (a 60 Hz frame has 16 ms) for a floating toolbar of 100 buttons:
// - pressing its border: working out every size its lines can take (the candidate widths);
// - each snap while sized: laying the 100 buttons out again at a candidate width and painting them;
// - hot tracking: the mouse moving from one button to the next, each move handled and the two buttons repainted.
// Prints the mean and the worst of each, the best of several rounds. Usage: toolbar_benchmark (on a display).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "benchmarks/support/bench_support.h"
#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "toolbars/core/toolbar_sizing.h"
#include "toolbars/toolbar.h"
#include "toolbars/toolbar_button.h"

namespace {

constexpr int kButtons = 100;
constexpr int kRuns = 5;

// Opens the sizing steps to the benchmark.
class TBenchToolbar : public tbr::TToolbar {
  CL_CLASS(TBenchToolbar, tbr::TToolbar)
 public:
  explicit TBenchToolbar(cl::TComponent* owner) : tbr::TToolbar(owner) {}
  void StartSizing() { SizeLoopStart(tbr::kHtRight); }
  void EndSizing() { SizeLoopEnd(false); }
  const std::vector<tbr::SizeCandidate>& Candidates() const { return Sizer()->Candidates(); }
};

struct Figures {
  double Mean = 0;
  double Worst = 0;
};

Figures Summarise(const std::vector<double>& times) {
  Figures f;
  for (double t : times) {
    f.Mean += t / static_cast<double>(times.size());
    f.Worst = std::max(f.Worst, t);
  }
  return f;
}

void Print(const char* what, const Figures& f) {
  std::printf("%-58s mean %6.3f ms, worst %6.3f ms\n", what, f.Mean, f.Worst);
}

// Best-of-rounds per item: each round times every item, and each item keeps its best time.
std::vector<double> BestPerItem(int items, const std::function<double(int)>& timeItem) {
  std::vector<double> best(static_cast<size_t>(items), 1e300);
  for (int run = 0; run < kRuns; ++run) {
    for (int i = 0; i < items; ++i) best[static_cast<size_t>(i)] = std::min(best[static_cast<size_t>(i)], timeItem(i));
  }
  return best;
}

}  // namespace

int main() {
  cl::Initialize();
  cl::TForm* form = cl::New<cl::TForm>(nullptr);
  form->SetBounds(40, 40, 300, 200);
  form->Show();
  auto* toolbar = cl::New<TBenchToolbar>(form);
  toolbar->SetHideWhenInactive(false);
  toolbar->SetFloatPos(cl::Point(400, 60));
  toolbar->SetParent(form);
  std::vector<tbr::TToolbarButton*> buttons;
  int entered = 0;  // proves that the moves were taken as hot tracking
  for (int i = 0; i < kButtons; ++i) {
    if (i % 5 == 0 && i > 0) cl::New<tbr::TToolbarSep>(form)->SetParent(toolbar);
    buttons.push_back(cl::New<tbr::TToolbarButton>(form));
    buttons.back()->SetOnMouseEnter([&entered](cl::TObject*) { ++entered; });
    buttons.back()->SetParent(toolbar);
  }
  SetActiveWindow(form->Handle());
  cl::Application->ProcessMessages();

  // The sizes the lines can take, once per press of the border.
  toolbar->StartSizing();
  std::vector<int> widths;
  for (const tbr::SizeCandidate& c : toolbar->Candidates()) widths.push_back(c.FloatRightX);
  toolbar->EndSizing();
  const std::vector<double> start = BestPerItem(1, [&](int) {
    const double ms = bench::Milliseconds([&] { toolbar->StartSizing(); });
    toolbar->EndSizing();
    return ms;
  });
  std::printf("%d buttons, %zu candidate widths\n", kButtons, widths.size());
  Print("working out the candidate widths (press on the border)", Summarise(start));

  std::vector<double> paints(widths.size(), 1e300);
  const std::vector<double> snaps = BestPerItem(static_cast<int>(widths.size()), [&](int i) {
    const double layout = bench::Milliseconds([&] { toolbar->SetFloatRightX(widths[static_cast<size_t>(i)]); });
    const double paint = bench::Milliseconds([&] { UpdateWindow(toolbar->Handle()); });
    paints[static_cast<size_t>(i)] = std::min(paints[static_cast<size_t>(i)], paint);
    return layout;
  });
  Print("laying out at one candidate width", Summarise(snaps));
  Print("painting the laid-out bar", Summarise(paints));

  // Ten lines of ten buttons, all on the screen, for the mouse to cross.
  toolbar->SetFloatRightX(4 + 10 * 23 + 6 * 2 + 4);
  cl::Application->ProcessMessages();
  const HWND wnd = toolbar->Handle();
  const std::vector<double> moves = BestPerItem(kButtons, [&](int i) {
    const tbr::TToolbarButton* b = buttons[static_cast<size_t>(i)];
    const LPARAM at = MAKELPARAM(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
    return bench::Milliseconds([&] {
      PostMessageA(wnd, WM_MOUSEMOVE, 0, at);
      cl::Application->ProcessMessages();
      UpdateWindow(wnd);
    });
  });
  Print("hot tracking: the mouse onto the next button, repainted", Summarise(moves));
  std::printf("(%d of %d moves made a button hot)\n", entered, kButtons * kRuns);

  cl::Free(form);
  cl::Finalize();
  return 0;
}
