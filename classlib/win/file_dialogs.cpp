// The open and save dialogs: the structure for comdlg32 and the names it returns.
#include "classlib/win/file_dialogs.h"

#include <cderr.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "classlib/core/file_selection.h"
#include "classlib/win/modal_seam.h"

namespace cl {
namespace {

constexpr const char* kTooManyFiles = "Too many files are selected; select fewer files";

// "text|pattern|..." as comdlg32 wants it: every field ended by NUL, the list by one more.
std::string NulSeparatedFilter(const std::string& filter) {
  if (filter.empty()) return {};
  std::string result = filter;
  std::replace(result.begin(), result.end(), '|', '\0');
  result.push_back('\0');
  result.push_back('\0');
  return result;
}

DWORD OptionFlags(TOpenOptions options) {
  DWORD flags = OFN_EXPLORER;
  if (options.Contains(ofOverwritePrompt)) flags |= OFN_OVERWRITEPROMPT;
  if (options.Contains(ofHideReadOnly)) flags |= OFN_HIDEREADONLY;
  if (options.Contains(ofAllowMultiSelect)) flags |= OFN_ALLOWMULTISELECT;
  if (options.Contains(ofFileMustExist)) flags |= OFN_FILEMUSTEXIST;
  return flags;
}

const char* OrNull(const std::string& s) {
  return s.empty() ? nullptr : s.c_str();
}

}  // namespace

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), FFiles(New<TStringList>()) {}

void TOpenDialog::BeforeDestruction() {
  inherited::BeforeDestruction();
  FreeAndNil(FFiles);
}

bool TOpenDialog::Execute() {
  if (seam::ModalResponder* responder = seam::CurrentResponder()) {
    if (std::optional<bool> answer = responder->AnswerFileDialog(*this)) return *answer;
  }
  const std::string filter = NulSeparatedFilter(FFilter);
  // Zero-filled, and one character longer than the dialog may use, so the list always ends in two NULs.
  const size_t bufferSize = std::max<size_t>(FileBufferSize(), 2);
  std::vector<char> buffer(bufferSize + 1, '\0');
  FFileName.copy(buffer.data(), std::min(FFileName.size(), bufferSize - 1));

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = CommonDialogOwner();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(FFilterIndex, 0));
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(bufferSize);
  ofn.lpstrInitialDir = OrNull(FInitialDir);
  ofn.lpstrTitle = OrNull(FTitle);
  ofn.lpstrDefExt = OrNull(FDefaultExt);
  ofn.Flags = OptionFlags(FOptions);

  bool chosen = false;
  {
    // The dialog pumps messages: a handler may free this component meanwhile.
    DispatchScope scope(this);
    chosen = RunDialog(ofn);
    if (ComponentState().Contains(csDestroying)) return false;
  }
  if (!chosen) {
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) throw ECommonDialogError(kTooManyFiles);
    CheckCommonDialogError();
    return false;
  }
  // Some dialogs cut a list that does not fit and still report OK: a part of the choice is no answer.
  const std::string_view list(buffer.data(), bufferSize);
  if (!FileSelectionFits(list)) throw ECommonDialogError(kTooManyFiles);
  const std::vector<std::string> files = SplitFileSelection(list);
  FFiles->BeginUpdate();
  FFiles->Clear();
  for (const std::string& file : files) FFiles->Add(file);
  FFiles->EndUpdate();
  FFileName = files.empty() ? std::string() : files.front();
  FFilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

bool TOpenDialog::RunDialog(OPENFILENAMEA& ofn) {
  return GetOpenFileNameA(&ofn) != FALSE;
}

bool TSaveDialog::RunDialog(OPENFILENAMEA& ofn) {
  return GetSaveFileNameA(&ofn) != FALSE;
}

}  // namespace cl
