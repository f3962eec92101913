#include "classlib/win/page_control.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"
#include "classlib/win/colors.h"

namespace cl {

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  FControlStyle.Include(csAcceptsControls);
  SetColor(clBtnFace);
  SetVisible(false);
}

void TTabSheet::BeforeDestruction() {
  SetPageControl(nullptr);
  inherited::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
  if (pageControl == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  FPageControl = pageControl;
  SetParent(pageControl);
  if (FPageControl) {
    SetAlign(alClient);
    FPageControl->InsertPage(this);
  }
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::Dispatch(TMessage& message) {
  inherited::Dispatch(message);
  if (message.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->UpdateTabs();
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 289, 193);
  SetTabStop(true);
  FControlStyle = {csDoubleClicks};
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) throw EListError(Format("List index out of bounds (%d)", {index}));
  return FPages[index];
}

void TPageControl::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.SystemClassName = WC_TABCONTROLA;
  params.Style |= WS_TABSTOP | WS_CLIPCHILDREN;
}

void TPageControl::CreateWnd() {
  inherited::CreateWnd();
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  UpdateTabs();
  Realign();
}

void TPageControl::AdjustClientRect(TRect& rect) const {
  if (!HandleAllocated()) return;
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  SendMessageA(const_cast<TPageControl*>(this)->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  rect = Rect(r.left, r.top, r.right, r.bottom);
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  UpdateTabs();
  if (!FActivePage) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
  FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
  if (FActivePage == page) {
    FActivePage = nullptr;
    if (!FPages.empty()) SetActivePage(FPages.front());
  }
  UpdateTabs();
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this) return;
  if (page == FActivePage) return;
  TTabSheet* old = FActivePage;
  FActivePage = page;
  if (page) page->Show();
  if (old) old->Hide();
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  SendMessageA(wnd, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < PageCount(); ++i) {
    std::string caption = FPages[i]->Caption();
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageA(wnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  const int active = FActivePage ? FActivePage->PageIndex() : -1;
  SendMessageA(wnd, TCM_SETCURSEL, active, 0);
  Realign();
}

void TPageControl::Dispatch(TMessage& message) {
  if (message.Msg == CN_BASE + WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    if (header->code == TCN_SELCHANGE) {
      const int index = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
      if (index >= 0 && index < PageCount()) SetActivePage(FPages[index]);
    }
    return;
  }
  inherited::Dispatch(message);
}

}  // namespace cl
