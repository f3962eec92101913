// TPageControl: a tab control ("SysTabControl32") whose pages are TTabSheet containers; the tab row shows the
// sheets' captions in order, and only the active sheet is visible, filling the area below the tabs.
#pragma once

#include <vector>

#include "classlib/win/win_control.h"

namespace cl {

class TPageControl;

class TTabSheet : public TWinControl {
  CL_CLASS(TTabSheet, TWinControl)
 public:
  explicit TTabSheet(TComponent* owner);
  void BeforeDestruction() override;

  TPageControl* PageControl() const { return FPageControl; }
  // Moves the sheet to the end of a page control's pages (null takes it out).
  void SetPageControl(TPageControl* pageControl);
  // The sheet's place among its page control's pages, or -1.
  int PageIndex() const;

  void Dispatch(TMessage& message) override;

 private:
  TPageControl* FPageControl = nullptr;
};

class TPageControl : public TWinControl {
  CL_CLASS(TPageControl, TWinControl)
 public:
  explicit TPageControl(TComponent* owner);

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows the sheet and selects its tab; a sheet of another control is ignored.
  void SetActivePage(TTabSheet* page);

  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // The area below the tabs.
  void AdjustClientRect(TRect& rect) const override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  // Writes the tabs from the pages' captions and selects the active one.
  void UpdateTabs();

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};

}  // namespace cl
