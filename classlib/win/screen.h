// TScreen: the forms of the program (most recently activated first), the active form, the screen's size and the
// program-wide cursor. Made by cl::Initialize as cl::Screen.
#pragma once

#include <windows.h>

#include <vector>

#include "classlib/core/component.h"
#include "classlib/win/cursors.h"

namespace cl {

class TForm;

class TScreen : public TComponent {
  CL_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* owner) : TComponent(owner) {}

  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  int PixelsPerInch() const;

  int FormCount() const { return static_cast<int>(FForms.size()); }
  // The most recently activated form first, the others in creation order.
  TForm* Forms(int index) const;
  TForm* ActiveForm() const { return FActiveForm; }
  TForm* ActiveCustomForm() const { return FActiveForm; }

  // A cursor other than crDefault wins over every control's own cursor; setting it shows it at once.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);
  // The cursor of a slot: predefined ones for negative slots, the arrow for an empty slot.
  HCURSOR Cursors(TCursor index) const;

 private:
  friend class TForm;
  void AddForm(TForm* form) { FForms.push_back(form); }
  void RemoveForm(TForm* form);
  void FormActivated(TForm* form);
  void FormDeactivated(TForm* form);

  std::vector<TForm*> FForms;
  TForm* FActiveForm = nullptr;
  TCursor FCursor = crDefault;
};

// The screen object between Initialize and Finalize, else null.
extern TScreen* Screen;

}  // namespace cl
