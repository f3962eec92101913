// The text rules of the owner-drawn menus: an item's text split into caption and shortcut, the caption as it is
// drawn, the names item bitmaps and bitmap resources are found by, and the item hint as the status bar shows it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tbr::menus {

struct MenuItemText {
  std::string Caption;   // before the first tab
  std::string ShortCut;  // after it ("" without a tab)
};
MenuItemText SplitMenuItemText(std::string_view text);

// What drawing a caption with its accelerator shows: "&&" is one '&', a single '&' only underlines the next
// character and takes no room.
std::string DisplayedCaption(std::string_view caption);

// The text with every '&' removed.
std::string StripAmpersands(std::string_view text);

// The bitmap resource of an item: "MEX_" and the letters of the name in capitals, everything else dropped
// ("Open1" is "MEX_OPEN").
std::string ItemBitmapResourceName(std::string_view name);

// A bitmap resource name as a property holds it: "#" and a number is the numeric id (1 to 65535), "#" and
// anything else is not valid, every other text is a name.
struct ResourceName {
  enum TKind { rnName, rnId, rnInvalid } Kind = rnName;
  std::string Name;
  uint16_t Id = 0;
};
ResourceName ParseResourceName(std::string_view text);

// The long hint trimmed, with every "&#" and the three characters after it (an escaped character such as
// "&#13;") shown as one blank.
std::string StatusBarHintText(std::string_view longHint);

}  // namespace tbr::menus
