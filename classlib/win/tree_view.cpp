// TCustomTreeView: the system tree view mirroring the TTreeNodes model, and its notifications turned into the
// protected virtuals and the events.
#include "classlib/win/tree_view.h"

#include <utility>

#include "classlib/win/colors.h"

namespace cl {
namespace {

// Sets a flag for the life of a scope, restoring its old value after.
template <class T>
class ValueScope {
 public:
  ValueScope(T& target, T value) : FTarget(target), FOld(std::exchange(target, value)) {}
  ValueScope(const ValueScope&) = delete;
  ValueScope& operator=(const ValueScope&) = delete;
  ~ValueScope() { FTarget = FOld; }

 private:
  T& FTarget;
  T FOld;
};

TVITEMA ItemFields(TTreeNode* node) {
  TVITEMA item{};
  item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  item.hItem = node->ItemId();
  item.pszText = const_cast<char*>(node->Text().c_str());
  item.iImage = node->ImageIndex();
  item.iSelectedImage = node->SelectedIndex();
  item.cChildren = node->HasChildren() ? 1 : 0;
  item.lParam = reinterpret_cast<LPARAM>(node);
  return item;
}

}  // namespace

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), FItems(New<TTreeNodes>(this)), FImageChangeLink(New<TChangeLink>()) {
  StoreBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  // No capture of its own: the system's tree holds the mouse itself while it tells a click from a drag and takes
  // the button's release with it, so a capture taken here would never be let go and would swallow the next click.
  FControlStyle = {csClickEvents, csDoubleClicks};
  FImageChangeLink->SetOnChange(TNotifyEvent([this](TObject*) { ApplyImages(); }));
}

void TCustomTreeView::BeforeDestruction() {
  SetImages(nullptr);
  inherited::BeforeDestruction();
  // The window is gone; the nodes still tell OnDeletion, so data kept in them can be released.
  FItems->Clear();
  FreeAndNil(FItems);
  FreeAndNil(FImageChangeLink);
}

void TCustomTreeView::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.SystemClassName = WC_TREEVIEWA;
  params.Style |= WS_TABSTOP;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  if (FShowLines) params.Style |= TVS_HASLINES;
  if (FShowRoot) params.Style |= TVS_LINESATROOT;
  if (FShowButtons) params.Style |= TVS_HASBUTTONS;
  if (!FReadOnly) params.Style |= TVS_EDITLABELS;
  if (!FHideSelection) params.Style |= TVS_SHOWSELALWAYS;
}

void TCustomTreeView::CreateWnd() {
  inherited::CreateWnd();
  HWND wnd = Handle();
  // Notifications in the ANSI form, whose texts are std::string's.
  SendMessageA(wnd, CCM_SETUNICODEFORMAT, FALSE, 0);
  ApplyImages();
  ValueScope rebuilding(FRebuilding, true);
  for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->getNextSibling()) InsertItem(node);
  for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->GetNext()) {
    if (node->FExpanded && node->Count() > 0)
      SendMessageA(wnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->FItemId));
  }
  if (FSelectedNode) SendMessageA(wnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FSelectedNode->FItemId));
}

void TCustomTreeView::DestroyWnd() {
  // The window's state goes back into the model before the items go.
  FSelectedNode = Selected();
  for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->GetNext()) node->FExpanded = node->Expanded();
  {
    ValueScope rebuilding(FRebuilding, true);
    inherited::DestroyWnd();
  }
  for (TTreeNode* node = FItems->GetFirstNode(); node; node = node->GetNext()) node->FItemId = nullptr;
}

void TCustomTreeView::InsertItem(TTreeNode* node) {
  if (!HandleAllocated()) return;
  if (node->FParent && !node->FParent->FItemId) return;
  TVINSERTSTRUCTA insert{};
  insert.hParent = node->FParent ? node->FParent->FItemId : TVI_ROOT;
  TTreeNode* previous = node->getPrevSibling();
  insert.hInsertAfter = previous ? previous->FItemId : TVI_FIRST;
  insert.item = ItemFields(node);
  insert.item.mask &= ~TVIF_HANDLE;
  node->FItemId =
      reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  for (TTreeNode* child : node->FChildren) InsertItem(child);
}

void TCustomTreeView::UpdateItem(TTreeNode* node) {
  if (!HandleAllocated() || !node->FItemId) return;
  TVITEMA item = ItemFields(node);
  item.mask |= TVIF_HANDLE;
  SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TCustomTreeView::RemoveItem(TTreeNode* node) {
  if (!HandleAllocated() || !node->FItemId) return;
  SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->FItemId));
}

void TCustomTreeView::NodeDeleted(TTreeNode* node) {
  if (FSelectedNode == node) FSelectedNode = nullptr;
  if (FExpandingInCode == node) FExpandingInCode = nullptr;
  Delete(node);
}

bool TCustomTreeView::ItemExpanded(const TTreeNode* node) const {
  const LRESULT state =
      SendMessageA(BoundWindow(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->FItemId), TVIS_EXPANDED);
  return (state & TVIS_EXPANDED) != 0;
}

void TCustomTreeView::ExpandNode(TTreeNode* node, bool expand) {
  if (node->Expanded() == expand) return;
  if (expand ? !CanExpand(node) : !CanCollapse(node)) return;
  if (ComponentState().Contains(csDestroying) || node->FDeleting) return;
  node->FExpanded = expand;
  if (HandleAllocated() && node->FItemId) {
    // Some systems report a TVM_EXPAND like a user's action: that report must not run the virtuals again.
    ValueScope inCode(FExpandingInCode, node);
    SendMessageA(Handle(), TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(node->FItemId));
  }
  if (ComponentState().Contains(csDestroying) || node->FDeleting) return;
  if (expand) {
    Expand(node);
  } else {
    Collapse(node);
  }
}

TTreeNode* TCustomTreeView::NodeFromItem(HTREEITEM item) const {
  if (!item || !BoundWindow()) return nullptr;
  TVITEMA fields{};
  fields.mask = TVIF_HANDLE | TVIF_PARAM;
  fields.hItem = item;
  if (!SendMessageA(BoundWindow(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&fields))) return nullptr;
  return reinterpret_cast<TTreeNode*>(fields.lParam);
}

TTreeNode* TCustomTreeView::Selected() {
  if (!HandleAllocated()) return FSelectedNode;
  return NodeFromItem(reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
  if (!HandleAllocated()) {
    FSelectedNode = node;
    return;
  }
  SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->FItemId : nullptr));
}

TTreeNode* TCustomTreeView::TopItem() {
  if (!HandleAllocated()) return nullptr;
  return NodeFromItem(reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

void TCustomTreeView::SetTopItem(TTreeNode* node) {
  if (!HandleAllocated() || !node || !node->FItemId) return;
  SendMessageA(Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(node->FItemId));
}

void TCustomTreeView::SetImages(TCustomImageList* images) {
  if (images == FImages) return;
  if (FImages) {
    FImages->UnRegisterChanges(FImageChangeLink);
    FImages->RemoveFreeNotification(this);
  }
  FImages = images;
  if (FImages) {
    FImages->RegisterChanges(FImageChangeLink);
    FImages->FreeNotification(this);
  }
  ApplyImages();
}

void TCustomTreeView::ApplyImages() {
  if (!HandleAllocated()) return;
  HIMAGELIST list = FImages ? FImages->Handle() : nullptr;
  SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == opRemove && component == FImages) SetImages(nullptr);
}

void TCustomTreeView::SetStyleFlag(bool& flag, bool value) {
  if (flag == value) return;
  flag = value;
  RecreateWnd();
}

bool TCustomTreeView::CanExpand(TTreeNode* node) {
  bool allow = true;
  if (FOnExpanding) FOnExpanding(this, node, allow);
  return allow;
}

void TCustomTreeView::Expand(TTreeNode* node) {
  if (FOnExpanded) FOnExpanded(this, node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* node) {
  bool allow = true;
  if (FOnCollapsing) FOnCollapsing(this, node, allow);
  return allow;
}

void TCustomTreeView::Collapse(TTreeNode* node) {
  if (FOnCollapsed) FOnCollapsed(this, node);
}

bool TCustomTreeView::CanChange(TTreeNode* node) {
  bool allow = true;
  if (FOnChanging) FOnChanging(this, node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* node) {
  if (FOnChange) FOnChange(this, node);
}

void TCustomTreeView::Delete(TTreeNode* node) {
  if (FOnDeletion) FOnDeletion(this, node);
}

bool TCustomTreeView::CanEdit(TTreeNode* node) {
  bool allow = !FReadOnly;
  if (allow && FOnEditing) FOnEditing(this, node, allow);
  return allow;
}

void TCustomTreeView::Edit(TTreeNode* node, std::string& text) {
  if (FOnEdited) FOnEdited(this, node, text);
}

void TCustomTreeView::Dispatch(TMessage& message) {
  if (message.Msg == CN_BASE + WM_NOTIFY) {
    Notify(message);
    return;
  }
  inherited::Dispatch(message);
}

void TCustomTreeView::Notify(TMessage& message) {
  const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
  // Deletions are the model's doing and already reported; while the items are rebuilt or torn down, selection
  // and expansion reports are echoes of that.
  if (FRebuilding || ComponentState().Contains(csDestroying)) return;
  DispatchScope scope(this);
  const auto* tree = reinterpret_cast<const NMTREEVIEWA*>(header);
  switch (header->code) {
    case TVN_SELCHANGINGA:
    case TVN_SELCHANGINGW:
      message.Result = !CanChange(NodeFromItem(tree->itemNew.hItem));
      return;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      Change(NodeFromItem(tree->itemNew.hItem));
      return;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      TTreeNode* node = NodeFromItem(tree->itemNew.hItem);
      if (!node || node == FExpandingInCode) return;
      if (tree->action & TVE_EXPAND) {
        message.Result = !CanExpand(node);
      } else if (tree->action & TVE_COLLAPSE) {
        message.Result = !CanCollapse(node);
      }
      return;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
      TTreeNode* node = NodeFromItem(tree->itemNew.hItem);
      if (!node || node == FExpandingInCode) return;
      node->FExpanded = ItemExpanded(node);
      if (tree->action & TVE_EXPAND) {
        Expand(node);
      } else if (tree->action & TVE_COLLAPSE) {
        Collapse(node);
      }
      return;
    }
    case TVN_BEGINLABELEDITA: {
      const auto* info = reinterpret_cast<const NMTVDISPINFOA*>(header);
      TTreeNode* node = NodeFromItem(info->item.hItem);
      message.Result = !node || !CanEdit(node);
      return;
    }
    case TVN_ENDLABELEDITA: {
      const auto* info = reinterpret_cast<const NMTVDISPINFOA*>(header);
      TTreeNode* node = NodeFromItem(info->item.hItem);
      if (!node || !info->item.pszText) return;  // a cancelled edit
      std::string text = info->item.pszText;
      Edit(node, text);
      if (!ComponentState().Contains(csDestroying) && !node->FDeleting) node->SetText(text);
      return;
    }
  }
}

}  // namespace cl
