// TCustomTreeView/TTreeView over the system's "SysTreeView32" class. Its TTreeNodes are the model and are put
// into the window whenever it is made (with their expanded state and the selection), so they survive a
// re-created window. The user's expand, collapse, select and label-edit actions reach the protected virtuals
// (CanExpand, Expand, ..., Change) and through them the events; the same virtuals run once for SetExpanded and
// SetSelected.
#pragma once

#include "classlib/core/events.h"
#include "classlib/win/image_list.h"
#include "classlib/win/tree_nodes.h"
#include "classlib/win/win_control.h"

namespace cl {

using TTVChangedEvent = Event<void(TObject*, TTreeNode*)>;
using TTVChangingEvent = Event<void(TObject*, TTreeNode*, bool& AllowChange)>;
using TTVExpandingEvent = Event<void(TObject*, TTreeNode*, bool& AllowExpansion)>;
using TTVCollapsingEvent = Event<void(TObject*, TTreeNode*, bool& AllowCollapse)>;
using TTVExpandedEvent = Event<void(TObject*, TTreeNode*)>;
using TTVEditingEvent = Event<void(TObject*, TTreeNode*, bool& AllowEdit)>;
using TTVEditedEvent = Event<void(TObject*, TTreeNode*, std::string& S)>;

class TCustomTreeView : public TWinControl {
  CL_CLASS(TCustomTreeView, TWinControl)
 public:
  explicit TCustomTreeView(TComponent* owner);
  void BeforeDestruction() override;

  TTreeNodes* Items() const { return FItems; }
  // The selected node, or null. Setting it selects through the window, so CanChange and Change run.
  TTreeNode* Selected();
  void SetSelected(TTreeNode* node);
  // The first node shown at the top; setting it scrolls (only while the window exists).
  TTreeNode* TopItem();
  void SetTopItem(TTreeNode* node);

  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* images);

  // Style properties; a change makes the window again.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool hide) { SetStyleFlag(FHideSelection, hide); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly) { SetStyleFlag(FReadOnly, readOnly); }
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool show) { SetStyleFlag(FShowLines, show); }
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool show) { SetStyleFlag(FShowRoot, show); }
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool show) { SetStyleFlag(FShowButtons, show); }

  const TTVChangedEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TTVChangedEvent& e) { FOnChange = e; }
  const TTVChangingEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(const TTVChangingEvent& e) { FOnChanging = e; }
  const TTVExpandingEvent& OnExpanding() const { return FOnExpanding; }
  void SetOnExpanding(const TTVExpandingEvent& e) { FOnExpanding = e; }
  const TTVExpandedEvent& OnExpanded() const { return FOnExpanded; }
  void SetOnExpanded(const TTVExpandedEvent& e) { FOnExpanded = e; }
  const TTVCollapsingEvent& OnCollapsing() const { return FOnCollapsing; }
  void SetOnCollapsing(const TTVCollapsingEvent& e) { FOnCollapsing = e; }
  const TTVExpandedEvent& OnCollapsed() const { return FOnCollapsed; }
  void SetOnCollapsed(const TTVExpandedEvent& e) { FOnCollapsed = e; }
  const TTVExpandedEvent& OnDeletion() const { return FOnDeletion; }
  void SetOnDeletion(const TTVExpandedEvent& e) { FOnDeletion = e; }
  const TTVEditingEvent& OnEditing() const { return FOnEditing; }
  void SetOnEditing(const TTVEditingEvent& e) { FOnEditing = e; }
  const TTVEditedEvent& OnEdited() const { return FOnEdited; }
  void SetOnEdited(const TTVEditedEvent& e) { FOnEdited = e; }

  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* component, TOperation operation) override;

  virtual bool CanExpand(TTreeNode* node);
  virtual void Expand(TTreeNode* node);
  virtual bool CanCollapse(TTreeNode* node);
  virtual void Collapse(TTreeNode* node);
  virtual bool CanChange(TTreeNode* node);
  virtual void Change(TTreeNode* node);
  virtual void Delete(TTreeNode* node);
  virtual bool CanEdit(TTreeNode* node);
  virtual void Edit(TTreeNode* node, std::string& text);

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  // Window side of the model, called by the nodes.
  void InsertItem(TTreeNode* node);
  void UpdateItem(TTreeNode* node);
  void RemoveItem(TTreeNode* node);
  void NodeDeleted(TTreeNode* node);
  void ExpandNode(TTreeNode* node, bool expand);
  bool ItemExpanded(const TTreeNode* node) const;

  TTreeNode* NodeFromItem(HTREEITEM item) const;
  void Notify(TMessage& message);
  void ApplyImages();
  void SetStyleFlag(bool& flag, bool value);

  TTreeNodes* FItems;
  TCustomImageList* FImages = nullptr;
  TChangeLink* FImageChangeLink;
  TTreeNode* FSelectedNode = nullptr;  // kept while there is no window
  // Set while the window's items are rebuilt or torn down, and for the node being expanded in code: the system's
  // notifications then are echoes of our own actions.
  bool FRebuilding = false;
  TTreeNode* FExpandingInCode = nullptr;
  bool FHideSelection = true;
  bool FReadOnly = false;
  bool FShowLines = true;
  bool FShowRoot = true;
  bool FShowButtons = true;

  TTVChangedEvent FOnChange;
  TTVChangingEvent FOnChanging;
  TTVExpandingEvent FOnExpanding;
  TTVExpandedEvent FOnExpanded;
  TTVCollapsingEvent FOnCollapsing;
  TTVExpandedEvent FOnCollapsed;
  TTVExpandedEvent FOnDeletion;
  TTVEditingEvent FOnEditing;
  TTVEditedEvent FOnEdited;
};

class TTreeView : public TCustomTreeView {
  CL_CLASS(TTreeView, TCustomTreeView)
 public:
  using TCustomTreeView::TCustomTreeView;
};

}  // namespace cl
