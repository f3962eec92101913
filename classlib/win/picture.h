// TPicture: holds one graphic of any registered kind, and the picture-format registry that chooses the kind by
// file extension or clipboard format. The registry is searched latest registration first, so the unit that
// registers last owns an extension.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "classlib/core/events.h"
#include "classlib/core/object.h"
#include "classlib/win/graphics.h"

namespace cl {

class TBitmap;
class TIcon;
class TMetafile;

class TPicture : public TPersistent {
  CL_CLASS(TPicture, TPersistent)
 public:
  TPicture();
  ~TPicture() override;

  TGraphic* Graphic() const { return FGraphic.get(); }
  // Makes a new graphic of source's class and assigns source to it (the picture never shares source); the old
  // graphic is freed; null empties the picture. Fires OnChange.
  void SetGraphic(TGraphic* source);
  // The picture's bitmap: any graphic that is no TBitmap (or TBitmap descendant) is replaced by an empty bitmap.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* bitmap);
  TIcon* Icon();
  void SetIcon(TIcon* icon);
  TMetafile* Metafile();
  void SetMetafile(TMetafile* metafile);
  // 0 when the picture is empty.
  int Width() const;
  int Height() const;

  // A picture or graphic is copied in; null empties the picture.
  void Assign(const TPersistent* source) override;
  // Reads the file with the class registered (latest first) for its extension; EInvalidGraphic "Unknown picture
  // file extension (.%s)" for an unregistered one. A failed load keeps the old graphic.
  void LoadFromFile(const std::string& fileName);
  // Does nothing for an empty picture.
  void SaveToFile(const std::string& fileName);
  // Replaces the graphic by one of the class registered for format, read from the clipboard data.
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  const TProgressEvent& OnProgress() const { return FOnProgress; }
  void SetOnProgress(TProgressEvent handler) { FOnProgress = std::move(handler); }

  // extension without the dot, any case.
  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 TGraphicClass graphicClass);
  static void RegisterClipboardFormat(UINT format, TGraphicClass graphicClass);
  // Removes every file and clipboard registration of the class.
  static void UnregisterGraphicClass(TGraphicClass graphicClass);
  // The class registered last for an extension (without dot, any case) or a clipboard format; Class null if none.
  static TGraphicClass FileFormatClass(const std::string& extension);
  static TGraphicClass ClipboardFormatClass(UINT format);
  static bool SupportsClipboardFormat(UINT format) { return ClipboardFormatClass(format).Class != nullptr; }
  // Clipboard formats with a registered class, latest registration first.
  static std::vector<UINT> ClipboardFormats();

 protected:
  void AssignTo(TPersistent* dest) const override;
  virtual void Changed(TObject* sender);

 private:
  struct GraphicOwner {
    void operator()(TGraphic* graphic) const { graphic->Free(); }
  };
  using OwnedGraphic = std::unique_ptr<TGraphic, GraphicOwner>;
  // Hooks a new graphic's events, frees the old one and reports the change.
  void TakeGraphic(OwnedGraphic graphic);
  template <class T>
  T* ForceType();

  OwnedGraphic FGraphic;
  TNotifyEvent FOnChange;
  TProgressEvent FOnProgress;
};

}  // namespace cl
