// The open and save dialogs: the structure for comdlg32 and the names it returns.
#include "classlib/win/file_dialogs.h"

#include <cderr.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "classlib/core/file_selection.h"
#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/win/message_box.h"
#include "classlib/win/modal_seam.h"

namespace cl {
namespace {

constexpr const char* kTooManyFiles = "Too many files are selected; select fewer files";
constexpr const char* kReplaceQuestion = " already exists.\nDo you want to replace it?";
constexpr const char* kReplaceCaption = "Confirm Save As";

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
  std::string shownName = FFileName;
  int filterIndex = FFilterIndex;
  for (;;) {
    std::vector<std::string> files;
    if (!RunSystemDialog(shownName, filterIndex, files)) return false;
    // The system's own question comes titled "Error" with a warning sign under Wine: the component asks it as a
    // question, and a No shows the dialog again, as the system's question leaves it open.
    if (FOptions.Contains(ofOverwritePrompt) && !files.empty() && FileExists(files.front()) &&
        MessageBoxA(CommonDialogOwner(), ExtractFileName(files.front()) + kReplaceQuestion, kReplaceCaption,
                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
      shownName = files.front();
      continue;
    }
    FFiles->BeginUpdate();
    FFiles->Clear();
    for (const std::string& file : files) FFiles->Add(file);
    FFiles->EndUpdate();
    FFileName = files.empty() ? std::string() : files.front();
    FFilterIndex = filterIndex;
    return true;
  }
}

bool TOpenDialog::RunSystemDialog(const std::string& shownName, int& filterIndex, std::vector<std::string>& files) {
  const std::string filter = NulSeparatedFilter(FFilter);
  // Zero-filled, and one character longer than the dialog may use, so the list always ends in two NULs.
  const size_t bufferSize = std::max<size_t>(FileBufferSize(), 2);
  std::vector<char> buffer(bufferSize + 1, '\0');
  shownName.copy(buffer.data(), std::min(shownName.size(), bufferSize - 1));

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = CommonDialogOwner();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(filterIndex, 0));
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
  // Some dialogs cut a list that does not fit and still report OK: a part of the choice is no answer. The name
  // shown at the start may still stand behind a shorter one chosen: only a list is read past the first name.
  const std::string_view answer(buffer.data(), bufferSize);
  const size_t firstName = FOptions.Contains(ofAllowMultiSelect) ? ofn.nFileOffset : 0;
  if (!FileSelectionFits(answer, firstName)) throw ECommonDialogError(kTooManyFiles);
  files = SplitFileSelection(answer, firstName);
  filterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

bool TOpenDialog::RunDialog(OPENFILENAMEA& ofn) {
  return GetOpenFileNameA(&ofn) != FALSE;
}

bool TSaveDialog::RunDialog(OPENFILENAMEA& ofn) {
  return GetSaveFileNameA(&ofn) != FALSE;
}

}  // namespace cl
