// The 3-D caption settings, the passes of each text style, the disabled-text matrix, the label formats, the box of
// rotated text and the jump targets of link labels.
#include "controls/core/caption_effects.h"

#include <gtest/gtest.h>

namespace {

using namespace ctl;

TEST(CaptionSettings, FxCaptionAngleWrapsAndPairedSettersNotifyOnce) {
  cl::Owned<TCtlFxCaption> caption = cl::MakeOwned<TCtlFxCaption>();
  int changes = 0;
  caption->SetOnChange(cl::TNotifyEvent([&](cl::TObject*) { ++changes; }));
  caption->SetAngle(360);
  EXPECT_EQ(caption->Angle(), 0);
  EXPECT_EQ(changes, 0);  // 360 is the 0 it held
  caption->SetAngle(450);
  EXPECT_EQ(caption->Angle(), 90);
  caption->SetPos(3, -4);
  caption->SetPos(3, -4);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(caption->PosX(), 3);
  EXPECT_EQ(caption->PosY(), -4);
}

TEST(CaptionSettings, AssignCopiesEverySettingWithOneNotification) {
  cl::Owned<TCtlFxCaption> source = cl::MakeOwned<TCtlFxCaption>();
  source->SetStyle(tdRaisedShadow);
  source->SetDisabledStyle(ds3d);
  source->SetLightDepth(2);
  source->SetShadowDepth(3);
  source->SetLightColor(cl::clRed);
  source->SetShadowColor(cl::clNavy);
  source->SetTracing(4);
  source->SetAngle(30);
  source->SetPos(5, 6);
  cl::Owned<TCtlFxCaption> target = cl::MakeOwned<TCtlFxCaption>();
  int changes = 0;
  target->SetOnChange(cl::TNotifyEvent([&](cl::TObject*) { ++changes; }));
  target->Assign(source.get());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(target->Style(), tdRaisedShadow);
  EXPECT_EQ(target->DisabledStyle(), ds3d);
  EXPECT_EQ(target->LightDepth(), 2);
  EXPECT_EQ(target->ShadowDepth(), 3);
  EXPECT_EQ(target->LightColor(), cl::clRed);
  EXPECT_EQ(target->ShadowColor(), cl::clNavy);
  EXPECT_EQ(target->Tracing(), 4);
  EXPECT_EQ(target->Angle(), 30);
  EXPECT_EQ(target->PosX(), 5);

  cl::Owned<TCtlGlyphTextLayout> layout = cl::MakeOwned<TCtlGlyphTextLayout>();
  EXPECT_EQ(layout->AlignText2Glyph(), taRight);
  EXPECT_EQ(layout->Spacing(), 2);
  EXPECT_THROW(layout->Assign(source.get()), cl::EConvertError);
}

TEST(Text3D, EachStylePlansItsPassesInsideTheDepth) {
  const int l = 1, s = 2;
  struct Case {
    TCtlThreeDStyle Style;
    TText3DPlan Plan;
  } cases[] = {
      {tdNone, {0, {{0, tcText}}}},
      {tdSunken, {l, {{l, tcLight}, {0, tcText}}}},
      {tdRaised, {l, {{0, tcLight}, {l, tcText}}}},
      {tdSunkenShadow, {l + s, {{0, tcShadow}, {l + s, tcLight}, {s, tcText}}}},
      {tdPColorSunken, {l + s, {{0, tcShadow}, {l + s, tcLight}, {s, tcText}}}},
      {tdRaisedShadow, {l + s, {{l + s, tcShadow}, {0, tcLight}, {l, tcText}}}},
      {tdPColorRaised, {l + s, {{l + s, tcShadow}, {0, tcLight}, {l, tcText}}}},
      {tdShadow, {s, {{s, tcShadow}, {0, tcText}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Style);
    const TText3DPlan plan = Text3DPlan(c.Style, l, s);
    EXPECT_EQ(plan, c.Plan);
    EXPECT_EQ(Text3DDepth(c.Style, l, s), c.Plan.RightPullIn);
    for (const TText3DPass& pass : plan.Passes) EXPECT_LE(pass.Offset, plan.RightPullIn);
  }
}

TEST(Text3D, DisabledMatrixPicksStyleAndColour) {
  const cl::TColor font = cl::clRed, brush = cl::clYellow;
  struct Case {
    TCtlThreeDStyle Style;
    TCtlDisabledStyle Disabled;
    int State;
    TText3DLook Look;
  } cases[] = {
      {tdRaised, dsAuto, dtsEnabled, {tdRaised, font}},
      {tdPColorSunken, dsAuto, dtsEnabled, {tdPColorSunken, brush}},
      {tdPColorRaised, dsNone, 0, {tdPColorRaised, brush}},
      {tdShadow, dsNone, 0, {tdShadow, font}},
      {tdShadow, dsAuto, dtsAutoSunken, {tdSunken, cl::clGrayText}},
      {tdShadow, dsAuto, 0, {tdShadow, cl::clGrayText}},
      {tdRaised, ds3d, 0, {tdSunken, cl::clGrayText}},
      {tdRaised, dsStandard, dtsAutoSunken, {tdRaised, cl::clGrayText}},
      {tdNone, dsAuto, dtsEnabled | dtsAutoSunken, {tdNone, font}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Style << "/" << c.Disabled << "/" << c.State);
    EXPECT_EQ(Text3DLook(c.Style, c.Disabled, c.State, font, brush), c.Look);
  }
}

TEST(Text3D, LabelFormatsAndMeasuredText) {
  EXPECT_EQ(MeasureTextFormat(false, true), 0x440u);
  EXPECT_EQ(MeasureTextFormat(true, false), 0x440u | 0x10 | 0x800);
  EXPECT_EQ(LabelPaintFormat(agTopLeft, false, true), 0x70u);
  EXPECT_EQ(LabelPaintFormat(agBottomRight, true, false), 10u | 0x50 | 0x800);
  EXPECT_EQ(LabelPaintFormat(agCenter, false, false), 5u | 0x70 | 0x800);
  EXPECT_EQ(MeasuredText("", false), " ");
  EXPECT_EQ(MeasuredText("&", true), " ");
  EXPECT_EQ(MeasuredText("&", false), "&");
  EXPECT_EQ(MeasuredText("&Name", true), "&Name");
}

TEST(Text3D, RotatedBoxHoldsTheTurnedTextAndCentresIt) {
  EXPECT_EQ(RotatedTextBox(40, 10, 0, 0), (TRotatedTextBox{40, 10, 0, 0}));
  EXPECT_EQ(RotatedTextBox(40, 10, 90, 2), (TRotatedTextBox{12, 42, 1, 41}));
  EXPECT_EQ(RotatedTextBox(40, 10, 180, 0), (TRotatedTextBox{40, 10, 40, 10}));
  // At 45 degrees the box holds (40 + 10) / sqrt 2 in both directions, plus the depth; the text's rotated corners
  // all fall inside it.
  const TRotatedTextBox box = RotatedTextBox(40, 10, 45, 4);
  EXPECT_EQ(box.Width, 36 + 4);
  EXPECT_EQ(box.Height, 36 + 4);
  const double c = 0.7071067811865476;
  const double corners[4][2] = {{0, 0}, {40 * c, -40 * c}, {10 * c, 10 * c}, {40 * c + 10 * c, -40 * c + 10 * c}};
  for (const auto& corner : corners) {
    EXPECT_GE(box.PosX + corner[0], -0.5);
    EXPECT_LE(box.PosX + corner[0] + 4, box.Width + 2.5);
    EXPECT_GE(box.PosY + corner[1], -0.5);
    EXPECT_LE(box.PosY + corner[1] + 4, box.Height + 2.5);
  }
}

TEST(Text3D, JumpTargets) {
  EXPECT_EQ(JumpTarget("  http://example.org/ ", "Home", true), "http://example.org/");
  EXPECT_EQ(JumpTarget("", "a@b.c", true), "mailto:a@b.c");
  EXPECT_EQ(JumpTarget(" ", "a@b.c", false), "a@b.c");
  EXPECT_EQ(JumpTarget("", "notepad.exe", false), "notepad.exe");
}

}  // namespace
