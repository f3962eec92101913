#include "classlib/core/string_list.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/core/string_utils.h"

namespace cl {

namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool NeedsQuotes(const std::string& s) {
  return s.empty() || std::any_of(s.begin(), s.end(), [](char c) { return IsBlank(c) || c == ',' || c == '"'; });
}

std::string Quoted(const std::string& s) {
  std::string result = "\"";
  for (char c : s) {
    result += c;
    if (c == '"') result += '"';
  }
  return result + '"';
}

// Reads a quoted item starting at the opening quote; "" stands for one quote. An unclosed item takes the rest.
std::string ReadQuoted(std::string_view text, size_t& i) {
  std::string item;
  for (++i; i < text.size(); ++i) {
    if (text[i] != '"') {
      item += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '"') {
      item += '"';
      ++i;
    } else {
      ++i;
      break;
    }
  }
  return item;
}

}  // namespace

void TStrings::CheckIndex(int index, int count) const {
  if (index < 0 || index >= count) throw EListError("List index out of bounds (%d)", {index});
}

void TStrings::SetStrings(int index, const std::string& s) {
  TObject* object = Objects(index);
  Delete(index);
  Insert(index, s);
  SetObjects(index, object);
}

int TStrings::Add(const std::string& s) {
  const int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  const int index = Add(s);
  SetObjects(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings* strings) {
  BeginUpdate();
  for (int i = 0; i < strings->Count(); ++i) AddObject(strings->Strings(i), strings->Objects(i));
  EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(Strings(i), s)) return i;
  }
  return -1;
}

std::string TStrings::Names(int index) const {
  const std::string line = Strings(index);
  const size_t equals = line.find('=');
  return equals == std::string::npos ? std::string() : line.substr(0, equals);
}

int TStrings::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string line = Strings(i);
    const size_t equals = line.find('=');
    if (equals != std::string::npos && SameText(std::string_view(line).substr(0, equals), name)) return i;
  }
  return -1;
}

std::string TStrings::Values(std::string_view name) const {
  const int index = IndexOfName(name);
  if (index < 0) return {};
  const std::string line = Strings(index);
  return line.substr(line.find('=') + 1);
}

void TStrings::SetValues(std::string_view name, const std::string& value) {
  const int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  const std::string line = std::string(name) + "=" + value;
  if (index < 0) {
    Add(line);
  } else {
    SetStrings(index, line);
  }
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) text += Strings(i) + "\r\n";
  return text;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    Add(std::string(text.substr(start, end - start)));
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    const std::string line = Strings(i);
    if (i > 0) text += ',';
    text += NeedsQuotes(line) ? Quoted(line) : line;
  }
  return text;
}

void TStrings::SetCommaText(std::string_view text) {
  BeginUpdate();
  Clear();
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  while (i < text.size()) {
    if (text[i] == '"') {
      Add(ReadQuoted(text, i));
    } else {
      const size_t start = i;
      while (i < text.size() && !IsBlank(text[i]) && text[i] != ',') ++i;
      Add(std::string(text.substr(start, i - start)));
    }
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && text[i] == ',') {
      for (++i; i < text.size() && IsBlank(text[i]); ++i) {
      }
    }
  }
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* source) {
  const TStrings* strings = dynamic_cast<const TStrings*>(source);
  if (!strings) return inherited::Assign(source);
  if (strings == this) return;
  BeginUpdate();
  Clear();
  AddStrings(strings);
  EndUpdate();
}

void TStrings::LoadFromStream(TStream* stream) {
  const int64_t size = stream->Size() - stream->Position();
  std::string text(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
  stream->ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
  SetText(text);
}

void TStrings::SaveToStream(TStream* stream) const {
  const std::string text = Text();
  stream->WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  SaveFileSafely(fileName, [this](TStream* file) { SaveToStream(file); });
}

std::string TStringList::Strings(int index) const {
  CheckIndex(index, Count());
  return FItems[index].text;
}

void TStringList::SetStrings(int index, const std::string& s) {
  if (FSorted) throw EListError("Operation not allowed on sorted string list");
  CheckIndex(index, Count());
  Changing();
  FItems[index].text = s;
  Changed();
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index, Count());
  return FItems[index].object;
}

void TStringList::SetObjects(int index, TObject* object) {
  CheckIndex(index, Count());
  Changing();
  FItems[index].object = object;
  Changed();
}

int TStringList::Add(const std::string& s) {
  int index = Count();
  if (FSorted && Find(s, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) throw EListError("String list does not allow duplicates");
  }
  InsertItem(index, s);
  return index;
}

void TStringList::Insert(int index, const std::string& s) {
  if (FSorted) throw EListError("Operation not allowed on sorted string list");
  CheckIndex(index, Count() + 1);
  InsertItem(index, s);
}

void TStringList::InsertItem(int index, const std::string& s) {
  Changing();
  FItems.insert(FItems.begin() + index, Item{s, nullptr});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  Changing();
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  FItems.clear();
  Changed();
}

int TStringList::IndexOf(std::string_view s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int index = 0;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(std::string_view s, int& index) const {
  const auto first = std::lower_bound(FItems.begin(), FItems.end(), s, [](const Item& item, std::string_view key) {
    return CompareText(item.text, key) < 0;
  });
  index = static_cast<int>(first - FItems.begin());
  return first != FItems.end() && CompareText(first->text, s) == 0;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const Item& a, const Item& b) { return CompareText(a.text, b.text) < 0; });
  Changed();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == FSorted) return;
  if (sorted) Sort();
  FSorted = sorted;
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    Changing();
  } else {
    Changed();
  }
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && FOnChanging) FOnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && FOnChange) FOnChange(this);
}

}  // namespace cl
