// TTreeNode and TTreeNodes: the tree's model, passing each change on to the tree view's window.
#include "classlib/win/tree_nodes.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"
#include "classlib/win/tree_view.h"

namespace cl {
namespace {

[[noreturn]] void RaiseIndexError(int index) {
  throw EListError(Format("List index out of bounds (%d)", {index}));
}

}  // namespace

TCustomTreeView* TTreeNode::TreeView() const {
  return FOwner->Owner();
}

void TTreeNode::SetText(const std::string& text) {
  FText = text;
  TreeView()->UpdateItem(this);
}

void TTreeNode::SetImageIndex(int index) {
  FImageIndex = index;
  TreeView()->UpdateItem(this);
}

void TTreeNode::SetSelectedIndex(int index) {
  FSelectedIndex = index;
  TreeView()->UpdateItem(this);
}

void TTreeNode::SetHasChildren(bool hasChildren) {
  FHasChildren = hasChildren;
  TreeView()->UpdateItem(this);
}

bool TTreeNode::Expanded() const {
  return FItemId && TreeView()->HandleAllocated() ? TreeView()->ItemExpanded(this) : FExpanded;
}

void TTreeNode::SetExpanded(bool expanded) {
  TreeView()->ExpandNode(this, expanded);
}

TTreeNode* TTreeNode::Item(int index) const {
  if (index < 0 || index >= Count()) RaiseIndexError(index);
  return FChildren[index];
}

const std::vector<TTreeNode*>& TTreeNode::Siblings() const {
  return FParent ? FParent->FChildren : FOwner->FRoots;
}

int TTreeNode::Index() const {
  const auto& siblings = Siblings();
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

TTreeNode* TTreeNode::getNextSibling() const {
  const auto& siblings = Siblings();
  const size_t next = static_cast<size_t>(Index()) + 1;
  return next < siblings.size() ? siblings[next] : nullptr;
}

TTreeNode* TTreeNode::getPrevSibling() const {
  const int index = Index();
  return index > 0 ? Siblings()[index - 1] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (TTreeNode* child = getFirstChild()) return child;
  for (const TTreeNode* node = this; node; node = node->FParent) {
    if (TTreeNode* sibling = node->getNextSibling()) return sibling;
  }
  return nullptr;
}

void TTreeNode::Delete() {
  FOwner->DeleteNode(this);
}

void TTreeNode::DeleteChildren() {
  while (!FChildren.empty()) FOwner->DeleteNode(FChildren.back());
}

void TTreeNodes::BeforeDestruction() {
  inherited::BeforeDestruction();
  for (TTreeNode* root : FRoots) FreeSubtree(root);
  FRoots.clear();
}

int TTreeNodes::Count() const {
  int count = 0;
  for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext()) ++count;
  return count;
}

TTreeNode* TTreeNodes::Item(int index) const {
  TTreeNode* node = index >= 0 ? GetFirstNode() : nullptr;
  for (int i = 0; node && i < index; ++i) node = node->GetNext();
  if (!node) RaiseIndexError(index);
  return node;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data) {
  return AddChildObject(sibling ? sibling->FParent : nullptr, text, data);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data) {
  auto* node = new TTreeNode(this, parent);
  node->FText = text;
  node->FData = data;
  (parent ? parent->FChildren : FRoots).push_back(node);
  FOwner->InsertItem(node);
  if (parent && !parent->FHasChildren) parent->SetHasChildren(true);
  return node;
}

void TTreeNodes::Clear() {
  while (!FRoots.empty()) DeleteNode(FRoots.back());
}

void TTreeNodes::BeginUpdate() {
  if (FUpdateCount++ == 0) SendMessageA(FOwner->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0 || !FOwner->HandleAllocated()) return;
  SendMessageA(FOwner->Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(FOwner->Handle(), nullptr, TRUE);
}

void TTreeNodes::DeleteNode(TTreeNode* node) {
  if (node->FDeleting) return;
  // Everyone hears of the deletion while the whole subtree is still in place.
  NotifyDeletion(node);
  FOwner->RemoveItem(node);
  auto& siblings = node->FParent ? node->FParent->FChildren : FRoots;
  siblings.erase(std::find(siblings.begin(), siblings.end(), node));
  if (TTreeNode* parent = node->FParent; parent && parent->FChildren.empty() && !parent->FDeleting) {
    parent->FExpanded = false;
    parent->SetHasChildren(false);
  }
  FreeSubtree(node);
}

void TTreeNodes::NotifyDeletion(TTreeNode* node) {
  node->FDeleting = true;
  for (TTreeNode* child : node->FChildren) NotifyDeletion(child);
  FOwner->NodeDeleted(node);
}

void TTreeNodes::FreeSubtree(TTreeNode* node) {
  for (TTreeNode* child : node->FChildren) FreeSubtree(child);
  node->FChildren.clear();
  node->Free();
}

}  // namespace cl
