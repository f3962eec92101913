#include "toolbars/core/menu_text.h"

#include "classlib/core/string_utils.h"

namespace tbr::menus {

MenuItemText SplitMenuItemText(std::string_view text) {
  const size_t tab = text.find('\t');
  if (tab == std::string_view::npos) return MenuItemText{std::string(text), ""};
  return MenuItemText{std::string(text.substr(0, tab)), std::string(text.substr(tab + 1))};
}

std::string DisplayedCaption(std::string_view caption) {
  std::string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') shown += '&';
      ++i;
      if (i >= caption.size()) break;
      if (caption[i] == '&') continue;
    }
    shown += caption[i];
  }
  return shown;
}

std::string StripAmpersands(std::string_view text) {
  std::string stripped;
  for (char c : text) {
    if (c != '&') stripped += c;
  }
  return stripped;
}

std::string ItemBitmapResourceName(std::string_view name) {
  std::string resource = "MEX_";
  for (char c : name) {
    if (c >= 'a' && c <= 'z') resource += static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') resource += c;
  }
  return resource;
}

ResourceName ParseResourceName(std::string_view text) {
  ResourceName result;
  if (text.empty() || text[0] != '#') {
    result.Name = std::string(text);
    return result;
  }
  const std::string_view digits = text.substr(1);
  uint32_t id = 0;
  bool valid = !digits.empty() && digits.size() <= 5;
  for (char c : digits) {
    if (c < '0' || c > '9') valid = false;
    if (valid) id = id * 10 + static_cast<uint32_t>(c - '0');
  }
  if (!valid || id == 0 || id > 0xFFFF) {
    result.Kind = ResourceName::rnInvalid;
    result.Name = std::string(text);
    return result;
  }
  result.Kind = ResourceName::rnId;
  result.Id = static_cast<uint16_t>(id);
  return result;
}

std::string StatusBarHintText(std::string_view longHint) {
  const std::string trimmed = cl::Trim(longHint);
  std::string text;
  for (size_t i = 0; i < trimmed.size(); ++i) {
    if (trimmed.compare(i, 2, "&#") == 0) {
      text += ' ';
      i += 4;  // "&#" and three more, as far as the text goes
      continue;
    }
    text += trimmed[i];
  }
  return text;
}

}  // namespace tbr::menus
