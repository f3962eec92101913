// TFileListBox: listing a folder under a mask, following FileName writes, and reporting selection changes.
#include "classlib/win/file_list_box.h"

#include <vector>

#include "classlib/core/file_mask.h"
#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"

namespace cl {
namespace {

class TFindHandle {
 public:
  explicit TFindHandle(HANDLE handle) : FHandle(handle) {}
  ~TFindHandle() {
    if (FHandle != INVALID_HANDLE_VALUE) FindClose(FHandle);
  }
  TFindHandle(const TFindHandle&) = delete;
  TFindHandle& operator=(const TFindHandle&) = delete;
  HANDLE Get() const { return FHandle; }

 private:
  HANDLE FHandle;
};

TFileAttributes AttributesOf(DWORD attributes) {
  TFileAttributes result;
  result.ReadOnly = attributes & FILE_ATTRIBUTE_READONLY;
  result.Hidden = attributes & FILE_ATTRIBUTE_HIDDEN;
  result.System = attributes & FILE_ATTRIBUTE_SYSTEM;
  result.Archive = attributes & FILE_ATTRIBUTE_ARCHIVE;
  return result;
}

// The files of folder that match patterns and fileType, in list order.
std::vector<std::string> MatchingFiles(const std::string& folder, const std::vector<std::string>& patterns,
                                       const TFileType& fileType) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  TFindHandle find(FindFirstFileA((IncludeTrailingBackslash(folder) + "*").c_str(), &data));
  if (find.Get() == INVALID_HANDLE_VALUE) return names;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (MatchesAnyPattern(data.cFileName, patterns) && FileTypeAllows(fileType, AttributesOf(data.dwFileAttributes))) {
      names.emplace_back(data.cFileName);
    }
  } while (FindNextFileA(find.Get(), &data));
  return SortedWithoutDuplicates(std::move(names));
}

bool IsExecutable(const std::string& name) {
  const std::string extension = ExtractFileExt(name);
  return SameText(extension, ".exe") || SameText(extension, ".com") || SameText(extension, ".bat");
}

}  // namespace

TFileListBox::TFileListBox(TComponent* owner)
    : TCustomListBox(owner),
      FDirectory(GetCurrentDir()),
      FExeGlyph(New<TBitmap>()),
      FFolderGlyph(New<TBitmap>()),
      FUnknownGlyph(New<TBitmap>()) {
  SetStyle(lbOwnerDrawFixed);
}

void TFileListBox::AfterConstruction() {
  inherited::AfterConstruction();
  ReadBitmaps();
}

void TFileListBox::BeforeDestruction() {
  inherited::BeforeDestruction();
  FreeAndNil(FExeGlyph);
  FreeAndNil(FFolderGlyph);
  FreeAndNil(FUnknownGlyph);
}

void TFileListBox::CreateWnd() {
  if (!FListed) ReadFileNames(false);
  inherited::CreateWnd();
}

void TFileListBox::Loaded() {
  inherited::Loaded();
  ReadFileNames(false);
  ReportChange();
}

void TFileListBox::ReadFileNames(bool keepSelection) {
  const int selected = ItemIndex();
  const std::string selectedName = keepSelection && selected >= 0 ? Items()->Strings(selected) : std::string();
  const std::vector<std::string> names = MatchingFiles(FDirectory, SplitMask(FMask), FFileType);
  Items()->BeginUpdate();
  Items()->Clear();
  for (const std::string& name : names) Items()->Add(name);
  Items()->EndUpdate();
  inherited::SetItemIndex(selectedName.empty() ? -1 : Items()->IndexOf(selectedName));
  FListed = true;
}

void TFileListBox::Update() {
  ReadFileNames(true);
  ReportChange();
}

void TFileListBox::SetDirectory(const std::string& folder) {
  ChDir(folder);
  FDirectory = GetCurrentDir();
  if (Loading()) return;
  ReadFileNames(false);
  ReportChange();
}

void TFileListBox::MoveToFolder(const std::string& folder) {
  ChDir(folder);
  const std::string current = GetCurrentDir();
  if (SameFolder(current, FDirectory) && FListed) return;
  FDirectory = current;
  ReadFileNames(false);
}

void TFileListBox::SetMask(const std::string& mask) {
  if (mask == FMask) return;
  FMask = mask;
  if (Loading()) return;
  ReadFileNames(true);
  ReportChange();
}

void TFileListBox::SetFileType(const TFileType& fileType) {
  if (fileType == FFileType) return;
  FFileType = fileType;
  if (Loading()) return;
  ReadFileNames(true);
  ReportChange();
}

std::string TFileListBox::FileName() const {
  const int index = ItemIndex();
  if (index < 0) return "";
  return IncludeTrailingBackslash(FDirectory) + Items()->Strings(index);
}

void TFileListBox::SetFileName(const std::string& text) {
  switch (ClassifyFileNameWrite(text, DirectoryExists(text), FileExists(text))) {
    case TFileNameTarget::Nothing:
      return;
    case TFileNameTarget::DriveRoot:
      MoveToFolder(DriveRoot(GetCurrentDir()));
      break;
    case TFileNameTarget::Folder:
      MoveToFolder(text);
      break;
    case TFileNameTarget::File: {
      // A bare name is a file of the listed folder.
      if (const std::string folder = ExtractFilePath(text); !folder.empty()) MoveToFolder(folder);
      inherited::SetItemIndex(Items()->IndexOf(ExtractFileName(text)));
      break;
    }
  }
  ReportChange();
}

void TFileListBox::SetItemIndex(int index) {
  inherited::SetItemIndex(index);
  // The caller knows about this selection and reports it itself when it wants to.
  FLastReported = FileName();
}

void TFileListBox::SetShowGlyphs(bool showGlyphs) {
  if (showGlyphs == FShowGlyphs) return;
  FShowGlyphs = showGlyphs;
  Invalidate();
}

void TFileListBox::ReportChange() {
  std::string current = FileName();
  if (current == FLastReported) return;
  FLastReported = std::move(current);
  Change();
}

void TFileListBox::Change() {
  if (FOnChange) FOnChange(this);
}

void TFileListBox::Click() {
  ReportChange();
  if (ComponentState().Contains(csDestroying)) return;
  inherited::Click();
}

void TFileListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem()) {
    inherited::DrawItem(index, rect, state);
    return;
  }
  TCanvas* canvas = Canvas();
  const std::string& name = Items()->Strings(index);
  canvas->FillRect(rect);
  int textLeft = rect.Left + 2;
  TBitmap* glyph = IsExecutable(name) ? FExeGlyph : FUnknownGlyph;
  if (FShowGlyphs && !glyph->Empty()) {
    canvas->Draw(rect.Left + 2, rect.Top + (rect.Bottom - rect.Top - glyph->Height()) / 2, glyph);
    textLeft += glyph->Width() + 2;
  }
  canvas->TextRect(rect, textLeft, rect.Top + (rect.Bottom - rect.Top - canvas->TextHeight(name)) / 2, name);
}

}  // namespace cl
