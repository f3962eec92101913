// The open and save dialogs: the structure for comdlg32 and the names it returns.
#include "classlib/win/file_dialogs.h"

#include <algorithm>
#include <vector>

#include "classlib/core/file_selection.h"
#include "classlib/win/modal_seam.h"

namespace cl {
namespace {

// Room for the folder and a few thousand names of a multiple selection (characters, NULs included).
constexpr size_t kFileBufferSize = 64 * 1024;

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
  std::vector<char> buffer(kFileBufferSize + 1, '\0');
  FFileName.copy(buffer.data(), std::min(FFileName.size(), kFileBufferSize - 1));

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = CommonDialogOwner();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(FFilterIndex, 0));
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(kFileBufferSize);
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
    CheckCommonDialogError();
    return false;
  }
  const std::vector<std::string> files = SplitFileSelection({buffer.data(), buffer.size()});
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
