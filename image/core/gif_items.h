// Base classes of every GIF block object and of the lists that own them.
#pragma once

#include <string>
#include <vector>

#include "classlib/core/object.h"

namespace cl {
class TStream;
}

namespace img {

class TGIFImageCore;

// GIF versions as the blocks report them; written as "87a" and "89a".
enum TGIFVersion { gvUnknown = 0, gv87a = 1, gv89a = 2 };

class TGIFItem : public cl::TPersistent {
  CL_CLASS(TGIFItem, cl::TPersistent)
 public:
  explicit TGIFItem(TGIFImageCore* image) : FImage(image) {}

  TGIFImageCore* Image() const { return FImage; }
  virtual TGIFVersion GetVersion() const { return gv87a; }
  // Passes the problem on to the owning image's warning, with this item as sender.
  virtual void Warning(int severity, const std::string& message);
  virtual void SaveToStream(cl::TStream& stream) = 0;
  virtual void LoadFromStream(cl::TStream& stream) = 0;

 private:
  TGIFImageCore* FImage;
};

// An owning list of block objects.
class TGIFList : public cl::TPersistent {
  CL_CLASS(TGIFList, cl::TPersistent)
 public:
  explicit TGIFList(TGIFImageCore* image) : FImage(image) {}
  ~TGIFList() override;

  TGIFImageCore* Image() const { return FImage; }
  TGIFItem* Items(int index) const { return FItems.at(static_cast<std::size_t>(index)); }
  int Count() const { return static_cast<int>(FItems.size()); }
  int Add(TGIFItem* item);
  // Frees the items, first to last.
  void Clear();
  void Delete(int index);
  TGIFItem* First() const { return FItems.empty() ? nullptr : FItems.front(); }

  virtual void Warning(int severity, const std::string& message);
  // Every item in list order.
  virtual void SaveToStream(cl::TStream& stream);

 private:
  TGIFImageCore* FImage;
  std::vector<TGIFItem*> FItems;
};

}  // namespace img
