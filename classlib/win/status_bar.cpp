// TStatusBar: SB_SETPARTS from the panels' cumulative widths (the last part reaches the right edge).
#include "classlib/win/status_bar.h"

#include <commctrl.h>

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"
#include "classlib/win/colors.h"

namespace cl {

void TStatusPanel::SetWidth(int width) {
  FWidth = width;
  FBar->UpdatePanels();
}

void TStatusPanel::SetText(const std::string& text) {
  FText = text;
  FBar->UpdatePanels();
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
  FAlignment = alignment;
  FBar->UpdatePanels();
}

TStatusPanel* TStatusPanels::Add() {
  FPanels.push_back(std::make_unique<TStatusPanel>(FBar));
  FBar->UpdatePanels();
  return FPanels.back().get();
}

TStatusPanel* TStatusPanels::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", {index}));
  return FPanels[index].get();
}

void TStatusPanels::Clear() {
  FPanels.clear();
  FBar->UpdatePanels();
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 200, 19);
  SetColor(clBtnFace);
  SetAlign(alBottom);
}

void TStatusBar::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.SystemClassName = STATUSCLASSNAMEA;
  // The library aligns the bar; the control must not move itself to its parent's bottom.
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
}

void TStatusBar::CreateWnd() {
  inherited::CreateWnd();
  UpdatePanels();
}

void TStatusBar::SetSimplePanel(bool simple) {
  if (simple == FSimplePanel) return;
  FSimplePanel = simple;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::string& text) {
  FSimpleText = text;
  UpdatePanels();
}

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  SendMessageA(wnd, SB_SIMPLE, FSimplePanel, 0);
  if (FSimplePanel) {
    SendMessageA(wnd, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
    return;
  }
  const int count = FPanels.Count();
  std::vector<int> edges(std::max(count, 1), -1);
  int edge = 0;
  for (int i = 0; i + 1 < count; ++i) {
    edge += FPanels.Items(i)->Width();
    edges[i] = edge;
  }
  SendMessageA(wnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < count; ++i) {
    const TStatusPanel* panel = FPanels.Items(i);
    // The control centres text after one tab and right-aligns it after two.
    static constexpr const char* kAlignPrefix[] = {"", "\t\t", "\t"};
    std::string text = kAlignPrefix[panel->Alignment()] + panel->Text();
    SendMessageA(wnd, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

}  // namespace cl
