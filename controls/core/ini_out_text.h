// The text forms of TIniOut: its item lines, and published properties as one line of registry text and back,
// whatever their type.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "classlib/core/rtti.h"

namespace cl {
class TComponent;
}

namespace ctl {

// One item line: seven fields separated by ";", each without leading and trailing characters below code 33.
struct TIniOutItem {
  std::string Component;  // a component of the form, or the form's own name
  std::string Property;
  std::string Default;  // the text when the registry has no value
  std::string Key;      // the key path under the root key, as written
  std::string ValueName;
  std::string Unused;
  std::string ReadOnly;  // "1": never written back

  // An item is used unless its component, property, key and value name are all empty.
  bool Used() const;
  bool IsReadOnly() const { return ReadOnly == "1"; }
};

TIniOutItem ParseIniOutItem(std::string_view line);

// The text of a property: colours and cursors by name where they have one, Booleans as "1"/"0", enumerations by
// name, sets as "[a,b]", components by name, string lists with "|" between lines, other objects as their
// properties joined by "|", methods by name. Nothing for a property that holds no object (such an item is not
// written).
std::optional<std::string> PropertyToText(cl::TObject* object, const cl::rtti::TPropInfo& prop);
// Every published property of the object in list order, joined by "|".
std::string ObjectToText(cl::TObject* object);

// Sets a property from its text. Component and method names are looked up on `form`; a component of another class
// than the property's, a method of another signature and an unknown enumeration name leave the property unchanged.
// A text that cannot be converted raises and leaves the property unchanged.
void TextToProperty(cl::TObject* object, const cl::rtti::TPropInfo& prop, const std::string& text,
                    cl::TComponent* form);
// Field i of the "|"-separated text into published property i, until a class or method property or the end of the
// fields; a field that cannot be converted leaves its property unchanged.
void TextToObject(cl::TObject* object, const std::string& text, cl::TComponent* form);

}  // namespace ctl
