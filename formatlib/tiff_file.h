// Shared pieces of the TIFF module over libtiff: an owned TIFF handle and the page reader and writer.
#pragma once

#include <windows.h>

#include <tiffio.h>

#include "formatlib/core/dib_image.h"

namespace fl {

// An open TIFF file, closed on destruction. Opening silences libtiff's messages (failures travel as codes).
class TiffHandle {
 public:
  // Fails with `error` when libtiff cannot open the file.
  TiffHandle(const char* name, const char* mode, ErrorCode error);
  TiffHandle(const TiffHandle&) = delete;
  TiffHandle& operator=(const TiffHandle&) = delete;
  ~TiffHandle();
  TIFF* Get() const { return tiff_; }
  // Closes now and reports whether libtiff flushed everything.
  bool Close();

 private:
  TIFF* tiff_;
};

// Page count; a file libtiff cannot open fails with kNotTiffFile.
int CountTiffPages(const char* name);
// Selects page `pageIndex` (from 0) after checking it against the page count.
void SelectTiffPage(const TiffHandle& file, int pageIndex);
// Reads the selected page into a new bitmap; `squarePixels` stretches pages of unequal resolutions.
HBITMAP ReadTiffPage(const TiffHandle& file, bool squarePixels);
// Writes `image` as a new file or, when `name` is an existing TIFF file, as its last page.
void WriteTiffPage(const char* name, const DibImage& image, int compression);

}  // namespace fl
