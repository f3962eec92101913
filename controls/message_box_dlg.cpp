#include "controls/message_box_dlg.h"

#include "classlib/core/string_list.h"
#include "controls/ctl_application.h"
#include "controls/ctl_containers.h"

namespace ctl {

TCtlMessageBoxDlg::TCtlMessageBoxDlg(cl::TComponent* owner)
    : TCtlContainerComponent(owner),
      FMessageFont3D(cl::New<TCtl3DCaption>()),
      FCaptionFont3D(cl::New<TCtl3DCaption>()),
      FMessageAlignment(cl::New<TCtlGlyphTextLayout>()),
      FMessageFont(cl::New<cl::TFont>()),
      FCaptionFont(cl::New<cl::TFont>()),
      FButtonFont(cl::New<cl::TFont>()),
      FButtonTitles(cl::New<cl::TStringList>()),
      FHints(cl::New<cl::TStringList>()),
      FCustomGlyph(
          this, [this] { Change(); }, &ImageLink()),
      FWaveLink(cl::New<TCtlChangeLink>()) {
  const cl::TNotifyEvent changed([this](cl::TObject*) { Change(); });
  FMessageAlignment->SetOnChange(changed);
  FButtonTitles->SetOnChange(changed);
  FHints->SetOnChange(changed);
  FWaveLink->SetOnChange(changed);
  if (CtlApplication) CtlApplication->SetMessageBoxDlg(this);
}

void TCtlMessageBoxDlg::BeforeDestruction() {
  if (CtlApplication && CtlApplication->MessageBoxDlg() == this) CtlApplication->SetMessageBoxDlg(nullptr);
  UnlinkWaveList();
  FMessageAlignment->SetOnChange({});
  cl::FreeAndNil(FWaveLink);
  cl::FreeAndNil(FHints);
  cl::FreeAndNil(FButtonTitles);
  cl::FreeAndNil(FButtonFont);
  cl::FreeAndNil(FCaptionFont);
  cl::FreeAndNil(FMessageFont);
  cl::FreeAndNil(FCaptionFont3D);
  cl::FreeAndNil(FMessageFont3D);
  cl::FreeAndNil(FMessageAlignment);
  inherited::BeforeDestruction();
}

void TCtlMessageBoxDlg::SetButtonTitles(const cl::TStrings* titles) {
  FButtonTitles->Assign(titles);
}

void TCtlMessageBoxDlg::SetHints(const cl::TStrings* hints) {
  FHints->Assign(hints);
}

void TCtlMessageBoxDlg::UnlinkWaveList() {
  if (!FWaveList) return;
  FWaveList->UnRegisterChanges(FWaveLink);
  FWaveList->RemoveFreeNotification(this);
  FWaveList = nullptr;
}

void TCtlMessageBoxDlg::SetWaveList(TCtlWaveList* list) {
  UnlinkWaveList();
  FWaveList = list;
  if (list) {
    list->RegisterChanges(FWaveLink);
    list->FreeNotification(this);
  }
  Change();
}

void TCtlMessageBoxDlg::SetWaveIndex(int index) {
  if (index < 0 || index == FWaveIndex) return;
  FWaveIndex = index;
  if (FWaveList) Change();
}

void TCtlMessageBoxDlg::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  FCustomGlyph.Notification(component, operation);
  if (operation == cl::opRemove && component == FWaveList) {
    FWaveList = nullptr;
    Change();
  }
}

}  // namespace ctl
