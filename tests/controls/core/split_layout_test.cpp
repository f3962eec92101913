// The split control's geometry and its settings objects: bars, limits, panes, hit tests and drags.
#include "controls/core/split_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "controls/core/ctl_splitters.h"

namespace {

using namespace ctl;
using cl::Rect;
using testing::ElementsAre;

TSplitterGeometry Splitter(int32_t position, TCtlSplitDirection direction) {
  TSplitterGeometry s;
  s.Position = position;
  s.Direction = direction;
  return s;
}

struct Layout {
  TSplitterGeometry Main, Second;
  std::vector<cl::TRect> Panes;
};

Layout ThreePanes(TCtlSplitDirection mainDirection, int32_t mainPos, int32_t secondPos, TCtlSplitterPlace place,
                  int32_t width, int32_t height) {
  Layout l{Splitter(mainPos, mainDirection),
           Splitter(secondPos, mainDirection == sdVertical ? sdHorizontal : sdVertical),
           {}};
  CalcMainSplitter(l.Main, width, height);
  CalcSecondSplitter(l.Second, l.Main, place, width, height);
  l.Panes = CalcPaneRects(l.Main, &l.Second, place, width, height);
  return l;
}

TEST(SplitLayout, TheBrowsersPanes) {
  const Layout l = ThreePanes(sdVertical, 200, 160, ossOdd, 536, 320);
  EXPECT_EQ(l.Main.Bar, Rect(200, 0, 203, 320));
  EXPECT_EQ(l.Second.Bar, Rect(0, 160, 200, 163));
  // Pane 0 the upper left, pane 1 the whole right side, pane 2 the lower left.
  EXPECT_THAT(l.Panes, ElementsAre(Rect(0, 0, 200, 160), Rect(203, 0, 536, 320), Rect(0, 163, 200, 320)));
  EXPECT_EQ(PaneWindowRect(l.Panes[0], lsRaisedspb), Rect(1, 1, 198, 158));
  EXPECT_EQ(PaneWindowRect(l.Panes[0], lsLoweredspb), Rect(2, 2, 199, 159));
  EXPECT_EQ(PaneWindowRect(l.Panes[0], lsSingle), Rect(1, 1, 199, 159));
  EXPECT_EQ(PaneWindowRect(l.Panes[0], lsNone), l.Panes[0]);
}

TEST(SplitLayout, EveryDirectionAndPlace) {
  struct Case {
    TCtlSplitDirection Main;
    TCtlSplitterPlace Place;
    cl::TRect SecondBar;
    std::vector<cl::TRect> Panes;
  };
  const Case cases[] = {
      {sdVertical,
       ossEven,
       Rect(103, 40, 300, 43),
       {Rect(0, 0, 100, 200), Rect(103, 0, 300, 40), Rect(103, 43, 300, 200)}},
      {sdHorizontal,
       ossOdd,
       Rect(40, 0, 43, 100),
       {Rect(0, 0, 40, 100), Rect(43, 0, 300, 100), Rect(0, 103, 300, 200)}},
      {sdHorizontal,
       ossEven,
       Rect(40, 103, 43, 200),
       {Rect(0, 0, 300, 100), Rect(43, 103, 300, 200), Rect(0, 103, 40, 200)}},
  };
  for (const Case& c : cases) {
    const Layout l = ThreePanes(c.Main, 100, 40, c.Place, 300, 200);
    EXPECT_EQ(l.Second.Bar, c.SecondBar) << c.Main << c.Place;
    EXPECT_EQ(l.Panes, c.Panes) << c.Main << c.Place;
  }
  TSplitterGeometry lying = Splitter(60, sdHorizontal);
  CalcMainSplitter(lying, 300, 200);
  EXPECT_THAT(CalcPaneRects(lying, nullptr, ossEven, 300, 200),
              ElementsAre(Rect(0, 0, 300, 60), Rect(0, 63, 300, 200)));
}

TEST(SplitLayout, LimitsAndNarrowControls) {
  TSplitterGeometry s = Splitter(50, sdVertical);
  s.Min = 20;
  s.Max = 30;
  CalcMainSplitter(s, 200, 100);
  EXPECT_EQ(s.Limit, Rect(20, 0, 170, 100));
  s.Position = 190;  // beyond E - Max - w: pulled back
  CalcMainSplitter(s, 200, 100);
  EXPECT_EQ(s.Position, 167);

  TSplitterGeometry narrow = Splitter(50, sdVertical);
  narrow.Min = 10;
  narrow.Max = 40;
  CalcMainSplitter(narrow, 30, 100);  // narrower than Max + Width
  EXPECT_EQ(narrow.Max, 27);
  EXPECT_EQ(narrow.Min, 0);
  EXPECT_EQ(narrow.Position, 0);
}

TEST(SplitLayout, HitTestAndCursors) {
  const Layout l = ThreePanes(sdVertical, 200, 160, ossOdd, 536, 320);
  const std::vector<const TSplitterGeometry*> bars{&l.Main, &l.Second, nullptr};
  const int b = 1;
  EXPECT_EQ(SplitterHitTest(bars, b, 3, {201, 50}), 0);
  EXPECT_EQ(SplitterHitTest(bars, b, 3, {199, 50}), 0);  // grown by the border width
  EXPECT_EQ(SplitterHitTest(bars, b, 3, {50, 161}), 1);
  EXPECT_EQ(SplitterHitTest(bars, b, 3, {100, 100}), kNoSplitter);
  // Where the bars touch the main bar wins, unless four panes share two bars.
  EXPECT_EQ(SplitterHitTest(bars, b, 3, {199, 161}), 0);
  EXPECT_EQ(SplitterHitTest({&l.Main, &l.Second}, b, 4, {199, 161}), kBothSplitters);

  EXPECT_EQ(SplitterCursor(0, bars), cl::crHSplit);
  EXPECT_EQ(SplitterCursor(1, bars), cl::crVSplit);
  EXPECT_EQ(SplitterCursor(kBothSplitters, bars), cl::crCross);
  EXPECT_EQ(SplitterCursor(kNoSplitter, bars), cl::crDefault);
  EXPECT_EQ(DragBarRect(l.Main, 2), Rect(197, 0, 203, 320));
  EXPECT_EQ(DragBarRect(l.Second, 2), Rect(0, 157, 200, 163));
}

TEST(SplitLayout, DragStopsAtTheLimitAndFollowsOnlyWhenThePointerComesBack) {
  TSplitterGeometry s = Splitter(100, sdVertical);
  s.Max = 50;
  CalcMainSplitter(s, 300, 100);  // may move from 0 to 247
  TSplitDrag drag;
  drag.Begin(0, {&s}, {101, 10});
  drag.Move({200, 40});
  EXPECT_EQ(drag.Bars()[0].Bar.Left, 199);
  drag.Move({290, 10});  // past the limit: the bar stops at 247
  EXPECT_EQ(drag.Bars()[0].Bar.Left, 247);
  drag.Move({280, 10});  // still right of where the bar stopped: nothing moves
  EXPECT_EQ(drag.Bars()[0].Bar.Left, 247);
  drag.Move({240, 10});  // measured from where the pointer stopped counting, 248
  EXPECT_EQ(drag.Bars()[0].Bar.Left, 239);
  EXPECT_EQ(s.Bar.Left, 100);  // the splitter itself changes only when the drag ends
  EXPECT_THAT(drag.End(), ElementsAre(239));
  EXPECT_FALSE(drag.Active());
}

TEST(SplitLayout, DragOfBothBarsMovesEachAlongItsAxis) {
  const Layout l = ThreePanes(sdVertical, 200, 160, ossOdd, 536, 320);
  TSplitDrag drag;
  drag.Begin(kBothSplitters, {&l.Main, &l.Second}, {200, 160});
  drag.Move({250, -40});
  EXPECT_THAT(drag.Dragged(), ElementsAre(0, 1));
  EXPECT_THAT(drag.End(), ElementsAre(250, 0));
}

TEST(SplitLayout, SettingsNotifyOncePerChangeAndAssignKeepsTheWidth) {
  TCtlMainSplitter main;
  int changes = 0;
  main.SetOnChange(cl::TNotifyEvent([&](cl::TObject*) { ++changes; }));
  main.SetPosition(120);
  main.SetPosition(120);
  main.SetDirection(sdHorizontal);
  EXPECT_EQ(changes, 2);
  main.Lock();
  main.SetMax(30);
  EXPECT_EQ(changes, 2);
  main.Unlock(false);

  TCtlCustomSplitter other;
  other.SetWidth(7);
  other.SetColor(0x123456);
  other.SetMin(5);
  main.Assign(&other);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(main.Color(), 0x123456);
  EXPECT_EQ(main.Position(), 50);
  EXPECT_EQ(main.Min(), 5);
  EXPECT_EQ(main.Max(), 0);
  EXPECT_EQ(main.Direction(), sdVertical);
  EXPECT_EQ(main.Width(), 3);

  TCtlPaneInfo pane, source;
  source.SetAutoScroll(false);
  source.SetPaneRect(Rect(1, 2, 3, 4));
  int paneChanges = 0;
  pane.SetOnChange(cl::TNotifyEvent([&](cl::TObject*) { ++paneChanges; }));
  pane.Assign(&source);
  EXPECT_FALSE(pane.AutoScroll());
  EXPECT_EQ(pane.PaneRect(), Rect(1, 2, 3, 4));
  EXPECT_EQ(paneChanges, 1);
  EXPECT_THROW(pane.Assign(&main), cl::EConvertError);
}

}  // namespace
