// TScreen: the forms of the program (most recently activated first), the active form, the screen's size and the
// program-wide cursor. Made by cl::Initialize as cl::Screen.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "classlib/core/component.h"
#include "classlib/core/cursors.h"

namespace cl {

class TForm;

class TScreen : public TComponent {
  CL_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* owner) : TComponent(owner) {}
  void BeforeDestruction() override;

  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  int PixelsPerInch() const;

  int FormCount() const { return static_cast<int>(FForms.size()); }
  // The most recently activated form first, the others in creation order.
  TForm* Forms(int index) const;
  TForm* ActiveForm() const { return FActiveForm; }
  TForm* ActiveCustomForm() const { return FActiveForm; }
  // The existing forms in the order they were made.
  const std::vector<TForm*>& FormsInCreationOrder() const { return FCreated; }

  // A cursor other than crDefault wins over every control's own cursor; setting it shows it at once, and going
  // back to crDefault lets the window under the mouse choose again.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);
  // The cursor of a slot: the one stored there, else the predefined one of a negative slot, else the arrow.
  HCURSOR Cursors(TCursor index) const;
  // Stores a cursor the screen then owns; the one it replaces is destroyed when the screen owned it.
  void SetCursors(TCursor index, HCURSOR cursor);

  // The names of the screen's font families, sorted, each once.
  std::vector<std::string> Fonts() const;

  // Bits per pixel of the screen, or the test override.
  int ColorDepth() const;
  // Makes ColorDepth report depth (0 ends the override), so that tests reach the paths of palette screens.
  void SetTestColorDepth(int depth) { FTestColorDepth = depth; }

 private:
  friend class TForm;
  void AddForm(TForm* form) {
    FForms.push_back(form);
    FCreated.push_back(form);
  }
  void RemoveForm(TForm* form);
  void FormActivated(TForm* form);
  void FormDeactivated(TForm* form);

  std::vector<TForm*> FForms;
  std::vector<TForm*> FCreated;  // creation order
  TForm* FActiveForm = nullptr;
  TCursor FCursor = crDefault;
  std::map<TCursor, HCURSOR> FCursors;  // stored cursors, owned
  int FTestColorDepth = 0;
};

// The screen object between Initialize and Finalize, else null.
extern TScreen* Screen;

}  // namespace cl
