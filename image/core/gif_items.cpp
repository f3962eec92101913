#include "image/core/gif_items.h"

#include "image/core/gif_image_core.h"

namespace img {

void TGIFItem::Warning(int severity, const std::string& message) {
  if (FImage) FImage->Warning(this, severity, message);
}

TGIFList::~TGIFList() {
  Clear();
}

int TGIFList::Add(TGIFItem* item) {
  FItems.push_back(item);
  return Count() - 1;
}

void TGIFList::Clear() {
  while (!FItems.empty()) Delete(0);
}

void TGIFList::Delete(int index) {
  TGIFItem* item = Items(index);
  // Freed before it leaves the list, as a frame's extensions look themselves up while they go.
  cl::Free(item);
  FItems.erase(FItems.begin() + index);
}

void TGIFList::Warning(int severity, const std::string& message) {
  if (FImage) FImage->Warning(this, severity, message);
}

void TGIFList::SaveToStream(cl::TStream& stream) {
  for (TGIFItem* item : FItems) item->SaveToStream(stream);
}

}  // namespace img
