// Change links, list items and the containers' item lists, streams and files.
#include "controls/ctl_containers.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "controls/ctl_wave.h"
#include "controls/system_info.h"

namespace ctl {

void TCtlChangeLink::BeforeDestruction() {
  if (FSender) FSender->UnRegisterChanges(this);
  inherited::BeforeDestruction();
}

void TCtlChangeLink::Change() {
  if (FOnChange) FOnChange(FSender);
}

void TCtlBaseContainer::BeforeDestruction() {
  while (!FLinks.empty()) UnRegisterChanges(FLinks.back());
  inherited::BeforeDestruction();
}

void TCtlBaseContainer::RegisterChanges(TCtlChangeLink* link) {
  if (!link || link->FSender == this) return;
  if (link->FSender) link->FSender->UnRegisterChanges(link);
  link->FSender = this;
  FLinks.push_back(link);
}

void TCtlBaseContainer::UnRegisterChanges(TCtlChangeLink* link) {
  const auto found = std::find(FLinks.begin(), FLinks.end(), link);
  if (found == FLinks.end()) return;
  link->FSender = nullptr;
  FLinks.erase(found);
}

void TCtlBaseContainer::Change() {
  if (Locked()) return;
  // A handler may unregister or free links: call only those still registered.
  const std::vector<TCtlChangeLink*> links = FLinks;
  for (TCtlChangeLink* link : links) {
    if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->Change();
  }
  inherited::Change();
}

void TCtlListItem::SetDescription(const std::string& description) {
  if (description == FDescription) return;
  FDescription = description;
  Change();
}

void TCtlListItem::SetIdent(uint16_t ident) {
  if (ident == FIdent) return;
  FIdent = ident;
  Change();
}

void TCtlListItem::SetCompressed(bool compressed) {
  if (compressed == FCompressed) return;
  FCompressed = compressed;
  Change();
}

void TCtlListItem::BeforeDestruction() {
  if (FContainer) {
    auto& items = FContainer->FItems;
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
    FContainer = nullptr;
  }
  inherited::BeforeDestruction();
}

void TCtlListItem::LoadFromStream(cl::TStream* stream) {
  const TItemRecord record = ReadItemRecord(stream, Kind());
  ChangeLocked([&] {
    ReadContent(record);
    FDescription = record.Description;
    FIdent = static_cast<uint16_t>(record.Ident);
    FCompressed = record.Compressed;
  });
}

void TCtlListItem::SaveToStream(cl::TStream* stream) {
  TItemRecord record;
  record.Compressed = FCompressed;
  record.Description = FDescription;
  record.Ident = FIdent;
  WriteContent(record);
  WriteItemRecord(stream, Kind(), record);
}

void TCtlListItem::Assign(const cl::TPersistent* source) {
  const auto* item = dynamic_cast<const TCtlListItem*>(source);
  if (!item || item->ClassType() != ClassType()) {
    inherited::Assign(source);
    return;
  }
  if (item == this) return;
  // Copying may load the source's content first.
  ChangeLocked([&] {
    AssignContent(const_cast<TCtlListItem*>(item));
    FDescription = item->FDescription;
    FIdent = item->FIdent;
    FCompressed = item->FCompressed;
  });
}

void TCtlListItem::ChangeLocked(const std::function<void()>& change) {
  const bool wasLocked = Locked();
  Lock();
  try {
    change();
  } catch (...) {
    if (!wasLocked) Unlock(false);
    throw;
  }
  if (!wasLocked) Unlock(true);
}

void TCtlListItem::Change() {
  if (Locked()) return;
  inherited::Change();
  if (FContainer) FContainer->Change();
}

TCtlStringListItem::TCtlStringListItem() : FItems(cl::New<cl::TStringList>()) {
  FItems->SetOnChange([this](cl::TObject*) { Change(); });
}

void TCtlStringListItem::BeforeDestruction() {
  cl::FreeAndNil(FItems);
  inherited::BeforeDestruction();
}

void TCtlStringListItem::ReadContent(const TItemRecord& record) {
  FItems->SetText({reinterpret_cast<const char*>(record.Content.data()), record.Content.size()});
}

void TCtlStringListItem::WriteContent(TItemRecord& record) {
  const std::string text = FItems->Text();
  record.Content.assign(text.begin(), text.end());
}

void TCtlStringListItem::AssignContent(TCtlListItem* source) {
  FItems->Assign(static_cast<TCtlStringListItem*>(source)->FItems);
}

TCtlWaveListItem::TCtlWaveListItem() : FWave(cl::New<TCtlWave>()) {
  FWave->SetOnChange([this](cl::TObject*) { Change(); });
}

void TCtlWaveListItem::BeforeDestruction() {
  cl::FreeAndNil(FWave);
  inherited::BeforeDestruction();
}

void TCtlWaveListItem::SetWave(const TCtlWave* wave) {
  FWave->Assign(wave);
}

void TCtlWaveListItem::ClearContent() {
  FWave->Clear();
}

bool TCtlWaveListItem::IsEmpty() {
  return FWave->Empty();
}

void TCtlWaveListItem::ReadContent(const TItemRecord& record) {
  FWave->LoadFromBytes(record.Content);
}

void TCtlWaveListItem::WriteContent(TItemRecord& record) {
  record.Content = FWave->Bytes();
}

void TCtlWaveListItem::AssignContent(TCtlListItem* source) {
  FWave->Assign(static_cast<TCtlWaveListItem*>(source)->FWave);
}

void TCtlCustomContainer::BeforeDestruction() {
  FreeItems(FItems);
  inherited::BeforeDestruction();
}

TCtlListItem* TCtlCustomContainer::Items(int index) const {
  if (index < 0 || index >= Count()) throw cl::EListError("List index out of bounds (%d)", {index});
  return FItems[static_cast<size_t>(index)];
}

TCtlListItem* TCtlCustomContainer::Add(TCtlListItem* item) {
  if (!item) {
    item = CreateItem();
    item->FCompressed = FDefaultCompressed;
  }
  Insert(item);
  Change();
  return item;
}

void TCtlCustomContainer::Clear() {
  FreeItems(FItems);
  Change();
}

void TCtlCustomContainer::Assign(const cl::TPersistent* source) {
  const auto* container = dynamic_cast<const TCtlCustomContainer*>(source);
  if (!container || container->ClassType() != ClassType()) {
    inherited::Assign(source);
    return;
  }
  if (container == this) return;
  std::vector<TCtlListItem*> copies;
  try {
    for (TCtlListItem* item : container->FItems) {
      copies.push_back(CreateItem());
      copies.back()->Assign(item);
    }
  } catch (...) {
    FreeItems(copies);
    throw;
  }
  FreeItems(FItems);
  FDefaultCompressed = container->FDefaultCompressed;
  AssignSettings(container);
  for (TCtlListItem* item : copies) Insert(item);
  Change();
}

void TCtlCustomContainer::AssignSettings(const TCtlCustomContainer*) {}

void TCtlCustomContainer::LoadFromStream(cl::TStream* stream, bool withOffsets) {
  std::vector<TCtlListItem*> loaded;
  try {
    ReadContainerStream(stream, withOffsets, [&] {
      loaded.push_back(CreateItem());
      loaded.back()->LoadFromStream(stream);
    });
  } catch (...) {
    FreeItems(loaded);
    throw;
  }
  FreeItems(FItems);
  for (TCtlListItem* item : loaded) Insert(item);
  Change();
}

void TCtlCustomContainer::SaveToStream(cl::TStream* stream, bool withOffsets) {
  WriteContainerStream(stream, Count(), withOffsets, [&](int32_t index) { FItems[index]->SaveToStream(stream); });
}

void TCtlCustomContainer::SaveToFile(const std::string& fileName) {
  cl::SaveFileSafely(fileName, [this](cl::TStream* file) {
    WriteContainerSignature(file, Kind());
    SaveToStream(file, true);
  });
}

std::string TCtlCustomContainer::StoragePath() const {
  return FPathPrefix == ppFixed ? FFileName : GetPathPrefix(FPathPrefix, true) + FFileName;
}

void TCtlCustomContainer::Insert(TCtlListItem* item) {
  if (item->FContainer && item->FContainer != this) {
    auto& others = item->FContainer->FItems;
    others.erase(std::remove(others.begin(), others.end(), item), others.end());
  }
  item->FContainer = this;
  if (std::find(FItems.begin(), FItems.end(), item) == FItems.end()) FItems.push_back(item);
}

void TCtlCustomContainer::FreeItems(std::vector<TCtlListItem*>& items) {
  std::vector<TCtlListItem*> freed;
  freed.swap(items);
  for (TCtlListItem* item : freed) {
    item->FContainer = nullptr;
    item->Free();
  }
}

TCtlListItem* TCtlStringList::CreateItem() {
  return cl::New<TCtlStringListItem>();
}

TCtlListItem* TCtlWaveList::CreateItem() {
  return cl::New<TCtlWaveListItem>();
}

}  // namespace ctl
