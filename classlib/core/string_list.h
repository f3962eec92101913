// TStrings, the list-of-lines contract that string lists and list controls share (Text, CommaText, Values,
// streams), and TStringList, its in-memory implementation with optional case-insensitive sorting.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/events.h"
#include "classlib/core/object.h"

namespace cl {

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
  CL_CLASS(TStrings, TPersistent)
 public:
  virtual int Count() const = 0;
  // A bad index raises EListError "List index out of bounds (%d)".
  virtual std::string Strings(int index) const = 0;
  virtual void SetStrings(int index, const std::string& s);
  virtual TObject* Objects(int index) const { return nullptr; }
  virtual void SetObjects(int index, TObject* object) {}
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  // Returns the index of the new line.
  virtual int Add(const std::string& s);
  int AddObject(const std::string& s, TObject* object);
  void AddStrings(const TStrings* strings);
  // ASCII case-insensitive; -1 when absent.
  virtual int IndexOf(std::string_view s) const;

  // "name=value" lines: the part before the first '=' ("" without one), the part after it.
  std::string Names(int index) const;
  int IndexOfName(std::string_view name) const;
  std::string Values(std::string_view name) const;
  // An empty value deletes the line.
  void SetValues(std::string_view name, const std::string& value);

  // Every line followed by CR LF.
  std::string Text() const;
  // Splits at CR LF, CR or LF; a final line break adds no empty line.
  virtual void SetText(std::string_view text);
  // Lines joined by ','; a line that is empty or holds a blank, ',' or '"' is quoted with '"' (inner quotes
  // doubled).
  std::string CommaText() const;
  // Items separated by ',' or blanks; a quoted item may hold both.
  void SetCommaText(std::string_view text);

  void BeginUpdate();
  void EndUpdate();
  void Assign(const TPersistent* source) override;

  // The stream or file carries Text; a failed save keeps the file that was there.
  void LoadFromStream(TStream* stream);
  void SaveToStream(TStream* stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

 protected:
  // Called when the first BeginUpdate starts (true) and the last EndUpdate ends (false) an update.
  virtual void SetUpdateState(bool updating) {}
  int UpdateCount() const { return FUpdateCount; }
  void CheckIndex(int index, int count) const;

 private:
  int FUpdateCount = 0;
};

class TStringList : public TStrings {
  CL_CLASS(TStringList, TStrings)
 public:
  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Strings(int index) const override;
  // Not allowed on a sorted list (EListError).
  void SetStrings(int index, const std::string& s) override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;
  // Adds at the sorted place in a sorted list, where Duplicates decides about an equal line: dupIgnore returns the
  // existing index, dupError raises EListError.
  int Add(const std::string& s) override;
  // Not allowed on a sorted list (EListError).
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  int IndexOf(std::string_view s) const override;

  // Binary search of a sorted list: true when found; `index` is the line or where it would go.
  bool Find(std::string_view s, int& index) const;
  void Sort();
  bool Sorted() const { return FSorted; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent handler) { FOnChanging = std::move(handler); }

 protected:
  void SetUpdateState(bool updating) override;
  // Fire OnChanging / OnChange unless an update is under way.
  virtual void Changing();
  virtual void Changed();

 private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  void InsertItem(int index, const std::string& s);

  std::vector<Item> FItems;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};

}  // namespace cl
