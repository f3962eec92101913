// GIF files through the format library's GIF32 module. Until the build has that module, both calls fail with
// the library's "not available" code, like any failed reader or writer.
#pragma once

#include <windows.h>

namespace img {

// The first frame of a GIF file; null on failure, with the library's error code in errorCode.
HBITMAP LoadGIFFile(const char* fileName, int& errorCode);
// Writes bitmap into slot pageIndex of a GIF file; false on failure, with the library's error code in errorCode.
bool SaveGIFFile(const char* fileName, HBITMAP bitmap, int pageIndex, int& errorCode);

}  // namespace img
