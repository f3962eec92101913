#include "controls/core/ini_out_text.h"

#include <cstring>

#include "classlib/core/colors.h"
#include "classlib/core/component.h"
#include "classlib/core/conversions.h"
#include "classlib/core/cursors.h"
#include "classlib/core/string_list.h"
#include "classlib/core/string_utils.h"
#include "controls/core/text_routines.h"

namespace ctl {
namespace {

using cl::rtti::TPropInfo;
using cl::rtti::TTypeInfo;

constexpr char kFieldSeparator = ';';
constexpr char kPartSeparator = '|';
constexpr char kTrueLetters[] = "1TYty";
constexpr size_t kItemFields = 7;

bool IsType(const TPropInfo& prop, const TTypeInfo& type) {
  return prop.PropType == &type;
}

std::string WithoutTrailingSeparator(std::string text) {
  if (!text.empty() && text.back() == kPartSeparator) text.pop_back();
  return text;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string SetToText(const TTypeInfo& members, uint64_t mask) {
  std::string text = "[";
  bool first = true;
  for (int i = 0; i < cl::rtti::EnumCount(members) && i < 64; ++i) {
    if (!(mask & (uint64_t{1} << i))) continue;
    if (!first) text += ',';
    text += cl::rtti::GetEnumName(members, i);
    first = false;
  }
  return text + "]";
}

// Every member whose name occurs anywhere in the text is present.
uint64_t TextToSet(const TTypeInfo& members, const std::string& text) {
  uint64_t mask = 0;
  for (int i = 0; i < cl::rtti::EnumCount(members) && i < 64; ++i) {
    if (cl::Pos(cl::rtti::GetEnumName(members, i), text) > 0) mask |= uint64_t{1} << i;
  }
  return mask;
}

std::optional<std::string> ObjectPropertyText(cl::TObject* value) {
  if (!value) return std::nullopt;
  if (auto* component = dynamic_cast<cl::TComponent*>(value)) return component->Name();
  if (auto* strings = dynamic_cast<cl::TStrings*>(value))
    return WithoutTrailingSeparator(ReplaceAll(strings->Text(), "\r\n", "|"));
  return ObjectToText(value);
}

std::string IntegerText(const TPropInfo& prop, int64_t value) {
  std::string name;
  if (IsType(prop, cl::rtti::tiColor) && cl::ColorToIdent(static_cast<cl::TColor>(value), name)) return name;
  if (IsType(prop, cl::rtti::tiCursor) && cl::CursorToIdent(static_cast<cl::TCursor>(value), name)) return name;
  return cl::IntToStr(value);
}

int64_t TextToInteger(const TPropInfo& prop, const std::string& text) {
  if (IsType(prop, cl::rtti::tiColor)) {
    cl::TColor color = 0;
    if (cl::IdentToColor(text, color)) return color;
  } else if (IsType(prop, cl::rtti::tiCursor)) {
    cl::TCursor cursor = 0;
    if (cl::IdentToCursor(text, cursor)) return cursor;
  }
  return cl::StrToInt(text);
}

void TextToClass(cl::TObject* object, const TPropInfo& prop, const std::string& text, cl::TComponent* form) {
  if (form) {
    cl::TComponent* named = form->FindComponent(text);
    if (named && (!prop.PropType->ClassType || named->InheritsFrom(prop.PropType->ClassType()))) {
      cl::rtti::SetObjectProp(object, prop, named);
      return;
    }
  }
  // No component of the property's class has that name: the text describes the object the property holds.
  cl::TObject* held = cl::rtti::GetObjectProp(object, prop);
  if (!held) return;
  if (auto* strings = dynamic_cast<cl::TStrings*>(held)) {
    strings->SetText(ReplaceAll(text, "|", "\r\n"));
  } else if (!dynamic_cast<cl::TComponent*>(held)) {
    TextToObject(held, text, form);
  }
}

void TextToMethod(cl::TObject* object, const TPropInfo& prop, const std::string& text, cl::TComponent* form) {
  if (!form || text.empty()) return;
  const cl::rtti::TMethod method = cl::rtti::MethodAddress(form, text);
  // A method the form does not publish, or one of another signature, leaves the event as it was.
  if (method.Code) cl::rtti::SetMethodProp(object, prop, method);
}

}  // namespace

bool TIniOutItem::Used() const {
  return !(Component.empty() && Property.empty() && Key.empty() && ValueName.empty());
}

TIniOutItem ParseIniOutItem(std::string_view line) {
  std::vector<std::string> fields = SplitString(line, kFieldSeparator);
  fields.resize(std::max(fields.size(), kItemFields));
  for (std::string& field : fields) field = cl::Trim(field);
  return TIniOutItem{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
}

std::optional<std::string> PropertyToText(cl::TObject* object, const TPropInfo& prop) {
  const TTypeInfo& type = *prop.PropType;
  switch (type.Kind) {
    case cl::rtti::tkInteger:
      return IntegerText(prop, cl::rtti::GetOrdProp(object, prop));
    case cl::rtti::tkChar:
      return std::string(1, static_cast<char>(cl::rtti::GetOrdProp(object, prop)));
    case cl::rtti::tkEnumeration: {
      const int64_t value = cl::rtti::GetOrdProp(object, prop);
      if (&type == &cl::rtti::tiBoolean) return std::string(value ? "1" : "0");
      const std::string name = cl::rtti::GetEnumName(type, value);
      // A value outside the type names the type's lowest value.
      return name.empty() ? cl::rtti::GetEnumName(type, 0) : name;
    }
    case cl::rtti::tkFloat:
      return cl::FloatToStr(cl::rtti::GetFloatProp(object, prop));
    case cl::rtti::tkString:
      return cl::rtti::GetStrProp(object, prop);
    case cl::rtti::tkSet:
      return type.CompType ? SetToText(*type.CompType, static_cast<uint64_t>(cl::rtti::GetOrdProp(object, prop)))
                           : std::string("[]");
    case cl::rtti::tkClass:
      return ObjectPropertyText(cl::rtti::GetObjectProp(object, prop));
    case cl::rtti::tkMethod: {
      const cl::rtti::TMethod method = cl::rtti::GetMethodProp(object, prop);
      return std::string(method.Data && method.Code ? method.Name : "");
    }
    case cl::rtti::tkUnknown:
      break;
  }
  return std::string();
}

std::string ObjectToText(cl::TObject* object) {
  if (!object) return {};
  std::string text;
  for (const TPropInfo* prop : cl::rtti::GetPropList(object->ClassInfo()))
    text += PropertyToText(object, *prop).value_or("") + kPartSeparator;
  return WithoutTrailingSeparator(text);
}

void TextToProperty(cl::TObject* object, const TPropInfo& prop, const std::string& text, cl::TComponent* form) {
  const TTypeInfo& type = *prop.PropType;
  switch (type.Kind) {
    case cl::rtti::tkInteger:
      if (!text.empty()) cl::rtti::SetOrdProp(object, prop, TextToInteger(prop, text));
      break;
    case cl::rtti::tkChar:
      if (!text.empty()) cl::rtti::SetOrdProp(object, prop, static_cast<unsigned char>(text[0]));
      break;
    case cl::rtti::tkEnumeration:
      if (&type == &cl::rtti::tiBoolean) {
        cl::rtti::SetOrdProp(object, prop, !text.empty() && std::strchr(kTrueLetters, text[0]) != nullptr);
      } else if (const int64_t value = cl::rtti::GetEnumValue(type, text); value >= 0) {
        cl::rtti::SetOrdProp(object, prop, value);
      }
      break;
    case cl::rtti::tkFloat:
      cl::rtti::SetFloatProp(object, prop, cl::StrToFloat(text));
      break;
    case cl::rtti::tkString:
      cl::rtti::SetStrProp(object, prop, text);
      break;
    case cl::rtti::tkSet:
      if (type.CompType) cl::rtti::SetOrdProp(object, prop, static_cast<int64_t>(TextToSet(*type.CompType, text)));
      break;
    case cl::rtti::tkClass:
      TextToClass(object, prop, text, form);
      break;
    case cl::rtti::tkMethod:
      TextToMethod(object, prop, text, form);
      break;
    case cl::rtti::tkUnknown:
      break;
  }
}

void TextToObject(cl::TObject* object, const std::string& text, cl::TComponent* form) {
  if (!object) return;
  const std::vector<std::string> fields = SplitString(text, kPartSeparator);
  const std::vector<const TPropInfo*> props = cl::rtti::GetPropList(object->ClassInfo());
  for (size_t i = 0; i < props.size() && i < fields.size(); ++i) {
    const cl::rtti::TTypeKind kind = props[i]->PropType->Kind;
    if (kind == cl::rtti::tkClass || kind == cl::rtti::tkMethod) break;
    try {
      TextToProperty(object, *props[i], cl::Trim(fields[i]), form);
    } catch (const cl::Exception&) {
      // This property keeps its value; the others are still read.
    }
  }
}

}  // namespace ctl
