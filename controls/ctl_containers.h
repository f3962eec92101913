// Containers: non-visual components that hold a list of items (bitmaps, image strips, string lists, wave sounds)
// and tell linked users when their content changes. Items are saved as records of the container format, in
// container streams and files; bitmap items may load themselves lazily from a container file, the program's
// resources or a bitmap file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "classlib/core/string_list.h"
#include "controls/core/container_format.h"
#include "controls/core/ctl_objects.h"
#include "controls/core/text_routines.h"

namespace cl {
class TStream;
}

namespace ctl {

class TCtlBaseContainer;
class TCtlCustomContainer;
class TCtlWave;

// A user's registration with a container: its OnChange runs, with the container as sender, when the content
// changes. Freeing a link unregisters it.
class TCtlChangeLink : public cl::TObject {
  CL_CLASS(TCtlChangeLink, cl::TObject)
 public:
  void BeforeDestruction() override;

  // The container the link is registered with, or null.
  TCtlBaseContainer* Sender() const { return FSender; }
  const cl::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const cl::TNotifyEvent& handler) { FOnChange = handler; }
  virtual void Change();

 private:
  friend class TCtlBaseContainer;
  TCtlBaseContainer* FSender = nullptr;
  cl::TNotifyEvent FOnChange;
};

class TCtlBaseContainer : public TCtlComponent {
  CL_CLASS(TCtlBaseContainer, TCtlComponent)
 public:
  explicit TCtlBaseContainer(cl::TComponent* owner) : TCtlComponent(owner) {}
  // Unregisters every link, the last first.
  void BeforeDestruction() override;

  // Appends the link (taking it from another container first); a link already registered here stays where it is.
  void RegisterChanges(TCtlChangeLink* link);
  void UnRegisterChanges(TCtlChangeLink* link);
  // Every registered link's change in order, then OnChange; nothing while locked.
  void Change() override;

 private:
  std::vector<TCtlChangeLink*> FLinks;
};

// The item classes' common part: description, identifier, compressed flag, and the item record.
class TCtlListItem : public TCtlComponent {
  CL_CLASS(TCtlListItem, TCtlComponent)
 public:
  TCtlListItem() : TCtlComponent(nullptr) {}
  // Leaves its container.
  void BeforeDestruction() override;

  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& description);
  uint16_t Ident() const { return FIdent; }
  void SetIdent(uint16_t ident);
  bool Compressed() const { return FCompressed; }
  void SetCompressed(bool compressed);
  // The container holding the item, or null.
  TCtlCustomContainer* Container() const { return FContainer; }

  virtual void ClearContent() = 0;
  virtual bool IsEmpty() = 0;
  // The item's record at the stream's position; a record that cannot be read leaves the item as it was.
  void LoadFromStream(cl::TStream* stream);
  void SaveToStream(cl::TStream* stream);
  // Copies the description, identifier, compressed flag and content of an item of the same class.
  void Assign(const cl::TPersistent* source) override;

  // The item's own OnChange, then the container's notification.
  void Change() override;

 protected:
  virtual TContainerKind Kind() const = 0;
  // Content to and from the record; ReadContent must leave the item unchanged when it raises.
  virtual void ReadContent(const TItemRecord& record) = 0;
  virtual void WriteContent(TItemRecord& record) = 0;
  // Copies the content of an item of the same class.
  virtual void AssignContent(TCtlListItem* source) = 0;

 private:
  friend class TCtlCustomContainer;
  // Runs change under the lock and notifies once afterwards; a change that raises notifies nothing.
  void ChangeLocked(const std::function<void()>& change);

  std::string FDescription;
  uint16_t FIdent = 0;
  bool FCompressed = false;
  TCtlCustomContainer* FContainer = nullptr;
};

class TCtlStringListItem : public TCtlListItem {
  CL_CLASS(TCtlStringListItem, TCtlListItem)
 public:
  TCtlStringListItem();
  void BeforeDestruction() override;

  cl::TStringList* Items() const { return FItems; }
  void SetItems(const cl::TStrings* items) { FItems->Assign(items); }
  void ClearContent() override { FItems->Clear(); }
  bool IsEmpty() override { return FItems->Count() == 0; }

 protected:
  TContainerKind Kind() const override { return ckStringList; }
  void ReadContent(const TItemRecord& record) override;
  void WriteContent(TItemRecord& record) override;
  void AssignContent(TCtlListItem* source) override;

 private:
  cl::TStringList* FItems;
};

class TCtlWaveListItem : public TCtlListItem {
  CL_CLASS(TCtlWaveListItem, TCtlListItem)
 public:
  TCtlWaveListItem();
  void BeforeDestruction() override;

  TCtlWave* Wave() const { return FWave; }
  void SetWave(const TCtlWave* wave);
  void ClearContent() override;
  bool IsEmpty() override;

 protected:
  TContainerKind Kind() const override { return ckWaveList; }
  void ReadContent(const TItemRecord& record) override;
  void WriteContent(TItemRecord& record) override;
  void AssignContent(TCtlListItem* source) override;

 private:
  TCtlWave* FWave = nullptr;
};

// Where a container's items come from: kept with the container (0), a container file (1), the program's bitmap
// resources (2), a library file (3), a bitmap file (4).
enum TCtlStorageMode { smInternal, smContainerFile, smResource, smLibrary, smBitmapFile };

class TCtlCustomContainer : public TCtlBaseContainer {
  CL_CLASS(TCtlCustomContainer, TCtlBaseContainer)
 public:
  explicit TCtlCustomContainer(cl::TComponent* owner) : TCtlBaseContainer(owner) {}
  void BeforeDestruction() override;

  virtual TContainerKind Kind() const = 0;
  int Count() const { return static_cast<int>(FItems.size()); }
  // A bad index raises EListError.
  TCtlListItem* Items(int index) const;
  // Appends item (a new one, compressed as DefaultCompressed says, when none is given) and notifies.
  TCtlListItem* Add(TCtlListItem* item = nullptr);
  // Frees every item, then notifies.
  void Clear();
  // From a container of the same class: its settings and a copy of every item, then one notification.
  void Assign(const cl::TPersistent* source) override;

  // A container stream (with or without the records' positions). Loading replaces the items only when every
  // record was read; a malformed stream raises and leaves the container as it was.
  void LoadFromStream(cl::TStream* stream, bool withOffsets);
  void SaveToStream(cl::TStream* stream, bool withOffsets);
  // A container file: the kind's signature and the stream with positions. A failed save keeps the old file.
  void SaveToFile(const std::string& fileName);

  bool DefaultCompressed() const { return FDefaultCompressed; }
  void SetDefaultCompressed(bool compressed) { FDefaultCompressed = compressed; }
  TCtlStorageMode StorageMode() const { return FStorageMode; }
  void SetStorageMode(TCtlStorageMode mode) { FStorageMode = mode; }
  TCtlPathPrefix PathPrefix() const { return FPathPrefix; }
  void SetPathPrefix(TCtlPathPrefix prefix) { FPathPrefix = prefix; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& fileName) { FFileName = fileName; }
  // FileName in the PathPrefix folder (with ppFixed: as it stands).
  std::string StoragePath() const;

 protected:
  // A new item of the container's class, not yet added.
  virtual TCtlListItem* CreateItem() = 0;
  // Settings a container copies besides its items.
  virtual void AssignSettings(const TCtlCustomContainer* source);

 private:
  friend class TCtlListItem;
  // Takes item into the list without notifying.
  void Insert(TCtlListItem* item);
  void FreeItems(std::vector<TCtlListItem*>& items);

  std::vector<TCtlListItem*> FItems;
  bool FDefaultCompressed = false;
  TCtlStorageMode FStorageMode = smInternal;
  TCtlPathPrefix FPathPrefix = ppProgram;
  std::string FFileName;
};

class TCtlStringList : public TCtlCustomContainer {
  CL_CLASS(TCtlStringList, TCtlCustomContainer)
 public:
  explicit TCtlStringList(cl::TComponent* owner) : TCtlCustomContainer(owner) {}
  TContainerKind Kind() const override { return ckStringList; }
  TCtlStringListItem* Items(int index) const { return static_cast<TCtlStringListItem*>(inherited::Items(index)); }

 protected:
  TCtlListItem* CreateItem() override;
};

class TCtlWaveList : public TCtlCustomContainer {
  CL_CLASS(TCtlWaveList, TCtlCustomContainer)
 public:
  explicit TCtlWaveList(cl::TComponent* owner) : TCtlCustomContainer(owner) {}
  TContainerKind Kind() const override { return ckWaveList; }
  TCtlWaveListItem* Items(int index) const { return static_cast<TCtlWaveListItem*>(inherited::Items(index)); }

 protected:
  TCtlListItem* CreateItem() override;
};

}  // namespace ctl
