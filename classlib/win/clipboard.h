// TClipboard: the system clipboard through the class library's objects. Pictures and graphics go in their own
// clipboard format (a bitmap as CF_BITMAP with CF_PALETTE when it has a palette) and come back through the
// picture-format registry.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/object.h"

namespace cl {

// "CL Picture": stands for any registered picture format in HasFormat.
UINT CF_PICTURE();

class TClipboard : public TPersistent {
  CL_CLASS(TClipboard, TPersistent)
 public:
  ~TClipboard() override;

  // Nested; the first Open retries ten times 10 ms apart, then raises EClipboardException "Cannot open clipboard".
  void Open();
  void Close();
  void Clear();
  // CF_PICTURE: any format with a registered graphic class.
  bool HasFormat(UINT format) const;

  // A picture or graphic: empties the clipboard and puts the graphic's format (and CF_PALETTE). The graphic's
  // SaveToClipboardFormat runs with the clipboard open and empty, so it may put more formats itself. An empty
  // picture or graphic changes nothing.
  void Assign(const TPersistent* source) override;

  std::string AsText();
  void SetAsText(const std::string& text);
  // The clipboard's handle of format (owned by the clipboard), or null.
  HANDLE GetAsHandle(UINT format);
  // Empties the clipboard and gives it value (which it then owns).
  void SetAsHandle(UINT format, HANDLE value);

 protected:
  // Into a picture: CF_BITMAP first, then the registered formats latest first. Into a graphic: its own format.
  void AssignTo(TPersistent* dest) const override;

 private:
  HWND OwnerWindow();
  // Opens, empties, calls put, closes.
  template <class Put>
  void Replace(Put put);

  int FOpenCount = 0;
  HWND FWindow = nullptr;
};

// The process's clipboard object, made on first use.
TClipboard* Clipboard();

}  // namespace cl
