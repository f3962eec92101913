// TTreeNode and TTreeNodes: the items of a tree view as objects. The nodes are the model: text, data, images,
// the has-children flag and the expanded state live here, and the tree view's window only mirrors them (each
// system item's lParam is its node), so the nodes survive a re-created window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "classlib/core/object.h"

namespace cl {

class TCustomTreeView;
class TTreeNodes;

class TTreeNode : public TObject {
  CL_CLASS(TTreeNode, TObject)
 public:
  TTreeNodes* Owner() const { return FOwner; }
  TCustomTreeView* TreeView() const;

  const std::string& Text() const { return FText; }
  void SetText(const std::string& text);
  void* Data() const { return FData; }
  void SetData(void* data) { FData = data; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);
  int SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int index);
  // Whether the node shows an expand button; adding a child sets it, deleting the last child clears it.
  bool HasChildren() const { return FHasChildren; }
  void SetHasChildren(bool hasChildren);
  bool Expanded() const;
  // Asks the tree's CanExpand or CanCollapse first and fires its Expand or Collapse after.
  void SetExpanded(bool expanded);

  TTreeNode* Parent() const { return FParent; }
  int Count() const { return static_cast<int>(FChildren.size()); }
  // A bad index raises EListError.
  TTreeNode* Item(int index) const;
  // The position among its siblings, and the depth (0 for a root).
  int Index() const;
  int Level() const;
  TTreeNode* getFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* getNextSibling() const;
  TTreeNode* getPrevSibling() const;
  // The next node in pre-order (children before the next sibling), or null after the last.
  TTreeNode* GetNext() const;
  // The system item while the tree has a window, else null.
  HTREEITEM ItemId() const { return FItemId; }

  // Removes the node and its children; the tree's Delete (OnDeletion) runs for each, children first.
  void Delete();
  void DeleteChildren();

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  TTreeNode(TTreeNodes* owner, TTreeNode* parent) : FOwner(owner), FParent(parent) {}
  const std::vector<TTreeNode*>& Siblings() const;

  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::vector<TTreeNode*> FChildren;
  std::string FText;
  void* FData = nullptr;
  int FImageIndex = 0;
  int FSelectedIndex = 0;
  bool FHasChildren = false;
  bool FExpanded = false;  // the state to show; read from the window while one exists
  bool FDeleting = false;
  HTREEITEM FItemId = nullptr;
};

class TTreeNodes : public TObject {
  CL_CLASS(TTreeNodes, TObject)
 public:
  explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}
  void BeforeDestruction() override;

  TCustomTreeView* Owner() const { return FOwner; }
  // All nodes, at every level.
  int Count() const;
  // The node at index in pre-order; a bad index raises EListError.
  TTreeNode* Item(int index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }

  // A new last sibling of sibling (a root when sibling is null).
  TTreeNode* Add(TTreeNode* sibling, const std::string& text) { return AddObject(sibling, text, nullptr); }
  TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
  // A new last child of parent (a root when parent is null).
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text) { return AddChildObject(parent, text, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
  void Clear();

  // Stops the window from redrawing until the matching EndUpdate; makes the tree's window when it has none.
  void BeginUpdate();
  void EndUpdate();

 private:
  friend class TTreeNode;
  void DeleteNode(TTreeNode* node);
  void NotifyDeletion(TTreeNode* node);
  static void FreeSubtree(TTreeNode* node);

  TCustomTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  int FUpdateCount = 0;
};

}  // namespace cl
