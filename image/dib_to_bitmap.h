// Turns the packed DIB that the PNG reader hands over into a bitmap of the screen's format with the DIB's colours
// as its palette.
#pragma once

#include <windows.h>

namespace cl {
class TBitmap;
}

namespace img {

// Fills target with the pictures of dib (bitmap and palette, both taken over by target) and frees dib, also when
// the conversion fails. A DIB whose header, colour table or bits do not fit its block raises EInvalidGraphic.
void PackedDibToBitmap(HGLOBAL dib, cl::TBitmap* target);

}  // namespace img
