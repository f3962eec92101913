// Pictures that GDI draws for us: metafiles and text files rendered into new bitmaps.
#pragma once

#include <windows.h>

namespace fl {

// A Windows metafile (plain or placeable) or an enhanced metafile, played at 96 dpi onto a white 24-bit bitmap.
HBITMAP RenderMetafile(const char* fileName);
// The text of the file drawn black on white into a monochrome bitmap.
HBITMAP RenderTextFile(const char* fileName, bool fixedPitch);

}  // namespace fl
