// The frame's toolbar: its four docks, the buttons with their hints and states, the Edit menu's "Toolbar" item,
// and the dock it was left on, kept in the registry ("Toolbar", "DockTo").
#include <array>

#include "classlib/win/bitmap.h"
#include "classlib/core/exceptions.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/menus.h"
#include "toolbars/dock.h"
#include "toolbars/toolbar.h"
#include "toolbars/toolbar_button.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/settings.h"
#include "viewer/toolbar_glyphs.h"

namespace viewer {

namespace {

// "DockTo" values: 0 floating, then one per dock.
constexpr int kDockedTop = 1;
constexpr int kDockCount = 4;

}  // namespace

tbr::TToolbarButton* TFrameForm::AddToolbarButton(const std::string& name, ToolbarGlyph glyph, const std::string& hint,
                                                  bool enabled) {
  auto* button = cl::Make<tbr::TToolbarButton>(this, name);
  cl::Owned<cl::TBitmap> picture = cl::MakeOwned<cl::TBitmap>();
  DrawToolbarGlyph(*picture, glyph);
  button->SetGlyph(picture.get());
  button->SetHint(hint);
  button->SetEnabled(enabled);
  button->SetParent(ButtonBar1);
  return button;
}

void TFrameForm::AddToolbarSeparator(const std::string& name) {
  cl::Make<tbr::TToolbarSep>(this, name)->SetParent(ButtonBar1);
}

void TFrameForm::CreateToolbar() {
  const std::array<tbr::TDockPosition, kDockCount> positions{tbr::dpTop, tbr::dpLeft, tbr::dpRight, tbr::dpBottom};
  for (int i = 0; i < kDockCount; ++i) {
    Docks[i] = cl::Make<tbr::TDock>(this, "Dock" + std::to_string(i + 1));
    Docks[i]->SetPosition(positions[i]);
    Docks[i]->SetParent(this);
  }
  ButtonBar1 = cl::Make<tbr::TToolbar>(this, "ButtonBar1");
  ButtonBar1->SetCaption("Toolbar");
  ButtonBar1->SetVisible(false);
  ButtonBar1->SetShowHint(true);
  ButtonBar1->SetParent(Docks[0]);
  ButtonBar1->SetOnClose(CL_EVENT(ButtonBar1Close));
  ButtonBar1->SetOnDockChanging(CL_EVENT(ButtonBar1DockChanging));
  ButtonBar1->SetOnDockChanged(CL_EVENT(ButtonBar1DockChanged));

  CMBtn1 = AddToolbarButton("CMBtn1", ToolbarGlyph::Open, "Open Image File...", true);
  CMBtn1->SetOnClick(CL_EVENT(OpenChild));
  Cmbtn7 = AddToolbarButton("Cmbtn7", ToolbarGlyph::Save, "Save Image File...", false);
  Cmbtn7->SetOnClick(CL_EVENT(Cmbtn7Click));
  AddToolbarSeparator("ToolbarSep1");
  CMBtn2 = AddToolbarButton("CMBtn2", ToolbarGlyph::Print, "Print Image File...", false);
  CMBtn2->SetOnClick(CL_EVENT(CMBtn2Click));
  AddToolbarSeparator("ToolbarSep2");
  CMBtn3 = AddToolbarButton("CMBtn3", ToolbarGlyph::Delete, "Delete Image File...", false);
  AddToolbarSeparator("ToolbarSep3");
  CMBtn4 = AddToolbarButton("CMBtn4", ToolbarGlyph::Copy, "Copy to Clipboard...", false);
  CMBtn4->SetOnClick(CL_EVENT(CMBtn4Click));
  CMBtn6 = AddToolbarButton("CMBtn6", ToolbarGlyph::Paste, "Paste from Clipboard", true);
  CMBtn6->SetOnClick(CL_EVENT(Paste1Click));
  AddToolbarSeparator("ToolbarSep4");
  CMBtn5 = AddToolbarButton("CMBtn5", ToolbarGlyph::FitToWindow, "Fit to Window...", false);
  CMBtn5->SetAllowAllUp(true);
  CMBtn5->SetOnClick(CL_EVENT(CMBtn5Click));
  CMBtn8 = AddToolbarButton("CMBtn8", ToolbarGlyph::SelectArea, "Select Area...", false);
  CMBtn8->SetGroupIndex(1);
  CMBtn8->SetAllowAllUp(true);
  CMBtn8->SetOnClick(CL_EVENT(CMBtn8Click));
  CMBtn9 =
      AddToolbarButton("CMBtn9", ToolbarGlyph::Acquire,
                       "Acquire Image from TWAIN Device...|Acquire an Image from a TWAIN Compatible Device...", true);
  CMBtn9->SetOnClick(CL_EVENT(AcquireImage1Click));
}

void TFrameForm::ShowToolbarFromSettings(cl::TRegistry& settings) {
  bool shown = true;
  try {
    shown = settings.ReadBool(kToolbarValue);
  } catch (const cl::ERegistryException&) {
    WriteBoolSetting(settings, kToolbarValue, true);
    ButtonBar1->SetDockedTo(Docks[0]);
  }
  Toolbar1->SetChecked(shown);
  ButtonBar1->SetVisible(shown);
}

void TFrameForm::DockToolbarFromSettings(cl::TRegistry& settings) {
  try {
    const int dockTo = settings.ReadInteger(kDockToValue);
    if (dockTo >= kDockedTop && dockTo <= kDockCount) ButtonBar1->SetDockedTo(Docks[dockTo - 1]);
  } catch (const cl::ERegistryException&) {
    WriteIntegerSetting(settings, kDockToValue, kDockedTop);
    ButtonBar1->SetDockedTo(Docks[0]);
  }
}

void TFrameForm::Toolbar1Click(cl::TObject*) {
  Toolbar1->SetChecked(!Toolbar1->Checked());
  ButtonBar1->SetVisible(Toolbar1->Checked());
}

void TFrameForm::ButtonBar1Close(cl::TObject*) {
  Toolbar1->SetChecked(false);
}

void TFrameForm::ButtonBar1DockChanging(cl::TObject*) {
  cl::TRegistry settings;
  OpenSettings(settings);
  WriteIntegerSetting(settings, kDockToValue, 0);
}

void TFrameForm::ButtonBar1DockChanged(cl::TObject*) {
  for (int i = 0; i < kDockCount; ++i) {
    if (ButtonBar1->DockedTo() != Docks[i]) continue;
    cl::TRegistry settings;
    OpenSettings(settings);
    WriteIntegerSetting(settings, kDockToValue, kDockedTop + i);
  }
}

void TFrameForm::UpdateButtonStates() {
  const bool hasWindow = ActiveEditForm() != nullptr;
  for (tbr::TToolbarButton* button : {CMBtn2, CMBtn3, CMBtn5, CMBtn4, Cmbtn7}) button->SetEnabled(hasWindow);
  if (!hasWindow || !ViewScaled) CMBtn8->SetEnabled(hasWindow);
  CMBtn6->SetEnabled(cl::Clipboard()->HasFormat(CF_BITMAP));
}

TEditForm* TFrameForm::ActiveEditForm() const {
  return dynamic_cast<TEditForm*>(ActiveMDIChild());
}

void TFrameForm::Cmbtn7Click(cl::TObject*) {
  if (TEditForm* window = ActiveEditForm()) window->Save();
}

void TFrameForm::CMBtn2Click(cl::TObject*) {
  if (TEditForm* window = ActiveEditForm()) window->Print1Click(window);
}

void TFrameForm::CMBtn4Click(cl::TObject*) {
  if (TEditForm* window = ActiveEditForm()) window->Copy1Click(window);
}

// A button of no group never stays down.
void TFrameForm::CMBtn5Click(cl::TObject*) {
  CMBtn5->SetDown(true);
  if (TEditForm* window = ActiveEditForm()) window->FittoWindow1Click(window);
}

// The click toggled Down; the button stays down from its first use on.
void TFrameForm::CMBtn8Click(cl::TObject*) {
  CMBtn8->SetDown(true);
  if (TEditForm* window = ActiveEditForm()) window->SelectArea1Click(window);
}

}  // namespace viewer
