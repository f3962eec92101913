// Drawing a picture through a monochrome mask: where a mask bit is set the destination stays, elsewhere the
// source is copied, stretched to the destination's size.
#pragma once

#include <windows.h>

namespace img {

// How TransparentStretchBlt draws: MaskBlt needs the NT family and an unstretched copy; the AND/OR pair of
// stretched blits works everywhere. Automatic picks MaskBlt when it can.
enum class TTransparentBltPath { Automatic, MaskBlt, AndOr };

// Copies the source rectangle to the destination rectangle except where the mask (selected into maskDC, at
// maskX, maskY) has set bits. The destination's text and background colours stay as they were. Every DC and
// bitmap made on the way is released, also when a GDI call fails (EOutOfResources). Returns true.
bool TransparentStretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                           int sourceWidth, int sourceHeight, HDC maskDC, int maskX, int maskY,
                           TTransparentBltPath path = TTransparentBltPath::Automatic);

}  // namespace img
