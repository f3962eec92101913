// The picture classes Tarnel registers when it starts. The registry searches the latest registration first, so
// the order decides: ".jpg" and ".jpeg" go to the JPEG bitmap and ".gif" to the GIF image.
#pragma once

namespace brw {

void RegisterPictureFormats();

}  // namespace brw
