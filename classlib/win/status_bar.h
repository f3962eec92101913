// TStatusBar over the common control "msctls_statusbar32": panels with width, text and alignment, or one simple
// text. The library places it (Align alBottom), not the control itself.
#pragma once

#include <memory>
#include <vector>

#include "classlib/win/stdctrls.h"

namespace cl {

class TStatusBar;

class TStatusPanel {
 public:
  explicit TStatusPanel(TStatusBar* bar) : FBar(bar) {}
  int Width() const { return FWidth; }
  void SetWidth(int width);
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);

 private:
  TStatusBar* FBar;
  int FWidth = 50;
  std::string FText;
  TAlignment FAlignment = taLeftJustify;
};

class TStatusPanels {
 public:
  explicit TStatusPanels(TStatusBar* bar) : FBar(bar) {}
  TStatusPanel* Add();
  int Count() const { return static_cast<int>(FPanels.size()); }
  // A bad index raises EListError.
  TStatusPanel* Items(int index) const;
  void Clear();

 private:
  TStatusBar* FBar;
  std::vector<std::unique_ptr<TStatusPanel>> FPanels;
};

class TStatusBar : public TWinControl {
  CL_CLASS(TStatusBar, TWinControl)
 public:
  explicit TStatusBar(TComponent* owner);

  TStatusPanels* Panels() { return &FPanels; }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool simple);
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& text);

  // Sends the parts and texts to the window again.
  void UpdatePanels();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 private:
  TStatusPanels FPanels{this};
  bool FSimplePanel = false;
  std::string FSimpleText;
};

}  // namespace cl
