// TPicture and the picture-format registry.
#include "classlib/win/picture.h"

#include <algorithm>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/icon.h"
#include "classlib/win/metafile.h"

namespace cl {
namespace {

struct FileFormat {
  std::string Extension;  // lower case, no dot
  std::string Description;
  TGraphicClass Class;
};

struct ClipboardFormat {
  UINT Format;
  TGraphicClass Class;
};

struct Registry {
  std::vector<FileFormat> Files;  // in registration order; searched from the back
  std::vector<ClipboardFormat> Clipboard;
};

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The class library's own kinds are registered before any unit starts.
Registry& TheRegistry() {
  static Registry* registry = [] {
    auto* r = new Registry;  // never freed: no static destructor runs at exit
    r->Files.push_back({"bmp", "Bitmaps", GraphicClassOf<TBitmap>()});
    r->Files.push_back({"ico", "Icons", GraphicClassOf<TIcon>()});
    r->Files.push_back({"wmf", "Metafiles", GraphicClassOf<TMetafile>()});
    r->Files.push_back({"emf", "Enhanced Metafiles", GraphicClassOf<TMetafile>()});
    r->Clipboard.push_back({CF_BITMAP, GraphicClassOf<TBitmap>()});
    r->Clipboard.push_back({CF_ENHMETAFILE, GraphicClassOf<TMetafile>()});
    return r;
  }();
  return *registry;
}

// Extension of a file name without the dot: after the last '.' that follows the last '\' or ':'.
std::string ExtensionOf(const std::string& fileName) {
  const size_t dot = fileName.find_last_of(".\\:");
  if (dot == std::string::npos || fileName[dot] != '.') return "";
  return fileName.substr(dot + 1);
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicClass graphicClass) {
  TheRegistry().Files.push_back({LowerAscii(extension), description, graphicClass});
}

void TPicture::RegisterClipboardFormat(UINT format, TGraphicClass graphicClass) {
  TheRegistry().Clipboard.push_back({format, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
  Registry& r = TheRegistry();
  std::erase_if(r.Files, [&](const FileFormat& f) { return f.Class == graphicClass; });
  std::erase_if(r.Clipboard, [&](const ClipboardFormat& f) { return f.Class == graphicClass; });
}

TGraphicClass TPicture::FileFormatClass(const std::string& extension) {
  const std::string key = LowerAscii(extension);
  const std::vector<FileFormat>& files = TheRegistry().Files;
  for (auto it = files.rbegin(); it != files.rend(); ++it)
    if (it->Extension == key) return it->Class;
  return {};
}

TGraphicClass TPicture::ClipboardFormatClass(UINT format) {
  const std::vector<ClipboardFormat>& formats = TheRegistry().Clipboard;
  for (auto it = formats.rbegin(); it != formats.rend(); ++it)
    if (it->Format == format) return it->Class;
  return {};
}

std::vector<UINT> TPicture::ClipboardFormats() {
  std::vector<UINT> formats;
  const std::vector<ClipboardFormat>& all = TheRegistry().Clipboard;
  for (auto it = all.rbegin(); it != all.rend(); ++it)
    if (std::find(formats.begin(), formats.end(), it->Format) == formats.end()) formats.push_back(it->Format);
  return formats;
}

void TPicture::TakeGraphic(OwnedGraphic graphic) {
  if (graphic) {
    graphic->SetOnChange([this](TObject* sender) { Changed(sender); });
    graphic->SetOnProgress([this](TObject* sender, TProgressStage stage, uint8_t percent, bool redraw,
                                  const TRect& rect, const std::string& message) {
      if (FOnProgress) FOnProgress(sender, stage, percent, redraw, rect, message);
    });
  }
  FGraphic = std::move(graphic);
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* source) {
  if (!source) {
    TakeGraphic(nullptr);
    return;
  }
  OwnedGraphic copy(source->GraphicClass().Create());
  copy->Assign(source);
  TakeGraphic(std::move(copy));
}

template <class T>
T* TPicture::ForceType() {
  if (auto* graphic = dynamic_cast<T*>(FGraphic.get())) return graphic;
  TakeGraphic(OwnedGraphic(New<T>()));
  return static_cast<T*>(FGraphic.get());
}

TBitmap* TPicture::Bitmap() {
  return ForceType<TBitmap>();
}
void TPicture::SetBitmap(TBitmap* bitmap) {
  SetGraphic(bitmap);
}
TIcon* TPicture::Icon() {
  return ForceType<TIcon>();
}
void TPicture::SetIcon(TIcon* icon) {
  SetGraphic(icon);
}
TMetafile* TPicture::Metafile() {
  return ForceType<TMetafile>();
}
void TPicture::SetMetafile(TMetafile* metafile) {
  SetGraphic(metafile);
}

int TPicture::Width() const {
  return FGraphic ? FGraphic->Width() : 0;
}
int TPicture::Height() const {
  return FGraphic ? FGraphic->Height() : 0;
}

void TPicture::Assign(const TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
  } else if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
    SetGraphic(picture->Graphic());
  } else if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
    SetGraphic(const_cast<TGraphic*>(graphic));
  } else {
    inherited::Assign(source);
  }
}

void TPicture::AssignTo(TPersistent* dest) const {
  if (auto* graphic = dynamic_cast<TGraphic*>(dest); graphic && FGraphic) {
    graphic->Assign(FGraphic.get());
    return;
  }
  inherited::AssignTo(dest);
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::string extension = ExtensionOf(fileName);
  const TGraphicClass graphicClass = FileFormatClass(extension);
  if (!graphicClass.Class) throw EInvalidGraphic("Unknown picture file extension (.%s)", {extension});
  OwnedGraphic graphic(graphicClass.Create());
  graphic->LoadFromFile(fileName);  // the old graphic stays when this raises
  TakeGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) {
  if (FGraphic && !FGraphic->Empty()) FGraphic->SaveToFile(fileName);
}

void TPicture::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  const TGraphicClass graphicClass = ClipboardFormatClass(format);
  if (!graphicClass.Class) throw EInvalidGraphic("Unsupported clipboard format");
  OwnedGraphic graphic(graphicClass.Create());
  graphic->LoadFromClipboardFormat(format, data, palette);
  TakeGraphic(std::move(graphic));
}

void TPicture::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  format = 0;
  data = nullptr;
  palette = nullptr;
  if (FGraphic) FGraphic->SaveToClipboardFormat(format, data, palette);
}

void TPicture::Changed(TObject* sender) {
  if (FOnChange) FOnChange(this);
}

}  // namespace cl
