// The picture classes Orvane registers when it starts. The registry searches the latest registration first, so
// the order decides: ".jpg" and ".jpeg" go to the JPEG bitmap and ".gif" to the read-only GIF bitmap. The GIF
// image comes first: Orvane opens GIF files through it directly.
#pragma once

namespace viewer {

void RegisterPictureFormats();

}  // namespace viewer
