#include "classlib/core/rtti.h"

#include "classlib/core/string_utils.h"

namespace cl {

const rtti::TClassInfo* TObject::StaticClassInfo() {
  static const rtti::TClassInfo* const info = new rtti::TClassInfo{"TObject", nullptr, {}, {}};
  return info;
}

namespace rtti {
namespace {

std::vector<std::string> EnumNames(const TTypeInfo& info) {
  std::vector<std::string> names;
  if (!info.EnumNames) return names;
  std::string_view text = info.EnumNames;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    names.push_back(Trim(text.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return names;
}

[[noreturn]] void Unsupported(const TPropInfo& prop, const char* what) {
  throw EPropertyError(Format("Property %s cannot be %s this way", {prop.Name, what}));
}

template <class F>
const F& Accessor(const F& accessor, const TPropInfo& prop, const char* what) {
  if (!accessor) Unsupported(prop, what);
  return accessor;
}

}  // namespace

int EnumCount(const TTypeInfo& info) {
  return static_cast<int>(EnumNames(info).size());
}

std::string GetEnumName(const TTypeInfo& info, int64_t value) {
  const std::vector<std::string> names = EnumNames(info);
  if (value < 0 || value >= static_cast<int64_t>(names.size())) return {};
  return names[static_cast<size_t>(value)];
}

int64_t GetEnumValue(const TTypeInfo& info, std::string_view name) {
  const std::vector<std::string> names = EnumNames(info);
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameText(names[i], name)) return static_cast<int64_t>(i);
  }
  return -1;
}

const TClassInfo* BuildClassInfo(const char* name, const TClassInfo* parent, void (*publish)(Builder&)) {
  // Never freed: class information lives as long as the program.
  auto* info = new TClassInfo{name, parent, {}, {}};
  Builder builder(*info);
  publish(builder);
  return info;
}

std::vector<const TPropInfo*> GetPropList(const TClassInfo* info) {
  std::vector<const TPropInfo*> props;
  if (!info) return props;
  props = GetPropList(info->Parent);
  for (const TPropInfo& prop : info->Props) props.push_back(&prop);
  return props;
}

const TPropInfo* GetPropInfo(const TClassInfo* info, std::string_view name) {
  for (const TClassInfo* c = info; c; c = c->Parent) {
    for (const TPropInfo& prop : c->Props) {
      if (SameText(prop.Name, name)) return &prop;
    }
  }
  return nullptr;
}

const TPropInfo* GetPropInfo(const TObject* object, std::string_view name) {
  return object ? GetPropInfo(object->ClassInfo(), name) : nullptr;
}

int64_t GetOrdProp(TObject* object, const TPropInfo& prop) {
  return Accessor(prop.GetOrd, prop, "read as an ordinal")(object);
}

void SetOrdProp(TObject* object, const TPropInfo& prop, int64_t value) {
  Accessor(prop.SetOrd, prop, "written as an ordinal")(object, value);
}

std::string GetStrProp(TObject* object, const TPropInfo& prop) {
  return Accessor(prop.GetStr, prop, "read as a string")(object);
}

void SetStrProp(TObject* object, const TPropInfo& prop, const std::string& value) {
  Accessor(prop.SetStr, prop, "written as a string")(object, value);
}

long double GetFloatProp(TObject* object, const TPropInfo& prop) {
  return Accessor(prop.GetFloat, prop, "read as a number")(object);
}

void SetFloatProp(TObject* object, const TPropInfo& prop, long double value) {
  Accessor(prop.SetFloat, prop, "written as a number")(object, value);
}

TObject* GetObjectProp(TObject* object, const TPropInfo& prop) {
  return Accessor(prop.GetObject, prop, "read as an object")(object);
}

void SetObjectProp(TObject* object, const TPropInfo& prop, TObject* value) {
  const auto& setter = Accessor(prop.SetObject, prop, "written as an object");
  if (value && prop.PropType->ClassType && !value->InheritsFrom(prop.PropType->ClassType())) throw EInvalidCast();
  setter(object, value);
}

TMethod GetMethodProp(TObject* object, const TPropInfo& prop) {
  return Accessor(prop.GetMethod, prop, "read as a method")(object);
}

bool SetMethodProp(TObject* object, const TPropInfo& prop, const TMethod& method) {
  const auto& setter = Accessor(prop.SetMethod, prop, "written as a method");
  if (!method.Code) {
    prop.SetMethod(object, std::any());
    return true;
  }
  if (method.Signature != prop.PropType || !method.Bind) return false;
  setter(object, method.Bind());
  return true;
}

TMethod MethodAddress(TObject* object, std::string_view name) {
  if (!object) return {};
  for (const TClassInfo* c = object->ClassInfo(); c; c = c->Parent) {
    for (const TMethodEntry& entry : c->Methods) {
      if (!SameText(entry.Name, name)) continue;
      TMethod method;
      method.Data = object;
      method.Code = entry.Code;
      method.Name = entry.Name.c_str();
      method.Signature = entry.Signature;
      method.Bind = [object, &entry] { return entry.Bind(object); };
      return method;
    }
  }
  return {};
}

}  // namespace rtti
}  // namespace cl
