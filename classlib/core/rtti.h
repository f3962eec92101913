// The published-property registry: what a class publishes (properties with their types and accessors, and
// methods), read and written by name at run time. A class opens with CL_PUBLISHED_CLASS(T, Base) and lists its
// properties and methods in `static void Publish(cl::rtti::Builder& b)`; classes that publish nothing share
// their base's list.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "classlib/core/events.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/object.h"
#include "classlib/core/set.h"

namespace cl::rtti {

enum TTypeKind { tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod };

// A property's type: its kind and name, the value names of an enumeration ("alNone, alTop, ..." for the values 0,
// 1, ...), the enumeration a set's members come from, the class a class property holds.
struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  const char* Name = "";
  const char* EnumNames = nullptr;
  const TTypeInfo* CompType = nullptr;
  const TClass* (*ClassType)() = nullptr;
};

inline constexpr TTypeInfo tiInteger{tkInteger, "Integer"};
inline constexpr TTypeInfo tiColor{tkInteger, "TColor"};
inline constexpr TTypeInfo tiCursor{tkInteger, "TCursor"};
inline constexpr TTypeInfo tiBoolean{tkEnumeration, "Boolean", "False, True"};
inline constexpr TTypeInfo tiChar{tkChar, "Char"};
inline constexpr TTypeInfo tiString{tkString, "string"};
inline constexpr TTypeInfo tiFloat{tkFloat, "Extended"};

constexpr TTypeInfo SetInfo(const TTypeInfo& members, const char* name) {
  return TTypeInfo{tkSet, name, nullptr, &members};
}

// The type of a property that holds an object of class T (or of a descendant).
template <class T>
inline constexpr TTypeInfo ClassTypeInfo{tkClass, "class", nullptr, nullptr, &T::StaticClass};
template <class T>
constexpr const TTypeInfo& ClassInfo() {
  return ClassTypeInfo<T>;
}
// The type of an event property of event type E; its address is the signature that a method must fit.
template <class E>
inline constexpr TTypeInfo MethodTypeInfo{tkMethod, "method"};
template <class E>
constexpr const TTypeInfo& MethodInfo() {
  return MethodTypeInfo<E>;
}

// Number of values of an enumeration and the name of one; "" outside the range.
int EnumCount(const TTypeInfo& info);
std::string GetEnumName(const TTypeInfo& info, int64_t value);
// The value of a name (ASCII case-insensitive); -1 for a name the enumeration does not have.
int64_t GetEnumValue(const TTypeInfo& info, std::string_view name);

// A method as an event holds it or as MethodAddress finds it: the object, the method's identity and published
// name, and, from MethodAddress, the event type it fits and how to bind it.
struct TMethod {
  const void* Data = nullptr;
  const void* Code = nullptr;
  const char* Name = "";
  const TTypeInfo* Signature = nullptr;
  std::function<std::any()> Bind;
};

inline const char* MethodName(const TMethod& method) {
  return method.Name;
}

struct TPropInfo {
  std::string Name;
  const TTypeInfo* PropType = nullptr;
  // The accessors of the property's kind (ordinal values and sets as int64, sets as their bit mask).
  std::function<int64_t(TObject*)> GetOrd;
  std::function<void(TObject*, int64_t)> SetOrd;
  std::function<std::string(TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<long double(TObject*)> GetFloat;
  std::function<void(TObject*, long double)> SetFloat;
  std::function<TObject*(TObject*)> GetObject;
  std::function<void(TObject*, TObject*)> SetObject;
  std::function<TMethod(TObject*)> GetMethod;
  std::function<void(TObject*, const std::any&)> SetMethod;
};

struct TMethodEntry {
  std::string Name;
  const TTypeInfo* Signature = nullptr;
  const void* Code = nullptr;
  std::function<std::any(TObject*)> Bind;
};

struct TClassInfo {
  std::string Name;
  const TClassInfo* Parent = nullptr;
  std::vector<TPropInfo> Props;
  std::vector<TMethodEntry> Methods;
};

// A property or method that cannot be read or written as asked.
CL_EXCEPTION_CLASS(EPropertyError, Exception)

namespace detail {

template <class M>
struct MemberTraits;
template <class C, class V>
struct MemberTraits<V (C::*)() const> {
  using Class = C;
  using Value = std::remove_cvref_t<V>;
};
template <class C, class V>
struct MemberTraits<V (C::*)()> {
  using Class = C;
  using Value = std::remove_cvref_t<V>;
};
template <class C, class P>
struct MemberTraits<void (C::*)(P)> {
  using Class = C;
  using Value = std::remove_cvref_t<P>;
};

template <class M>
struct MethodOwner;
template <class C, class R, class... A>
struct MethodOwner<R (C::*)(A...)> {
  using Class = C;
};

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<Set<E>> : std::true_type {};
template <class T>
struct IsEvent : std::false_type {};
template <class S>
struct IsEvent<Event<S>> : std::true_type {};

template <class V>
int64_t ToOrd(const V& value) {
  if constexpr (IsSet<V>::value) {
    return static_cast<int64_t>(value.Mask());
  } else {
    return static_cast<int64_t>(value);
  }
}

template <class V>
V FromOrd(int64_t value) {
  if constexpr (IsSet<V>::value) {
    return V::FromMask(static_cast<uint64_t>(value));
  } else if constexpr (std::is_same_v<V, bool>) {
    return value != 0;
  } else {
    return static_cast<V>(value);
  }
}

template <class C>
C* As(TObject* object) {
  return static_cast<C*>(object);
}

}  // namespace detail

class Builder {
 public:
  explicit Builder(TClassInfo& info) : FInfo(info) {}

  // A property read and written through member functions (setter nullptr: read-only). The value's C++ type picks
  // the accessors: integers, enumerations, bool and sets as ordinals, std::string, floating point, pointers to
  // objects, events.
  template <class G, class S>
  void Prop(const char* name, const TTypeInfo& type, G getter, S setter) {
    using GetTraits = detail::MemberTraits<G>;
    using C = typename GetTraits::Class;
    using V = typename GetTraits::Value;
    TPropInfo prop;
    prop.Name = name;
    prop.PropType = &type;
    if constexpr (std::is_same_v<V, std::string>) {
      prop.GetStr = [getter](TObject* o) { return std::string((detail::As<C>(o)->*getter)()); };
      if constexpr (!std::is_null_pointer_v<S>) {
        using SC = typename detail::MemberTraits<S>::Class;
        prop.SetStr = [setter](TObject* o, const std::string& v) { (detail::As<SC>(o)->*setter)(v); };
      }
    } else if constexpr (std::is_floating_point_v<V>) {
      prop.GetFloat = [getter](TObject* o) { return static_cast<long double>((detail::As<C>(o)->*getter)()); };
      if constexpr (!std::is_null_pointer_v<S>) {
        using SC = typename detail::MemberTraits<S>::Class;
        using P = typename detail::MemberTraits<S>::Value;
        prop.SetFloat = [setter](TObject* o, long double v) { (detail::As<SC>(o)->*setter)(static_cast<P>(v)); };
      }
    } else if constexpr (std::is_pointer_v<V>) {
      prop.GetObject = [getter](TObject* o) -> TObject* {
        return const_cast<std::remove_const_t<std::remove_pointer_t<V>>*>((detail::As<C>(o)->*getter)());
      };
      if constexpr (!std::is_null_pointer_v<S>) {
        using SC = typename detail::MemberTraits<S>::Class;
        using P = typename detail::MemberTraits<S>::Value;
        prop.SetObject = [setter](TObject* o, TObject* v) {
          auto* typed = dynamic_cast<std::remove_const_t<std::remove_pointer_t<P>>*>(v);
          if (v && !typed) throw EInvalidCast();
          (detail::As<SC>(o)->*setter)(typed);
        };
      }
    } else if constexpr (detail::IsEvent<V>::value) {
      prop.GetMethod = [getter](TObject* o) {
        const V& event = (detail::As<C>(o)->*getter)();
        TMethod method;
        method.Data = event.Data();
        method.Code = event.Code();
        method.Name = event.MethodName();
        return method;
      };
      if constexpr (!std::is_null_pointer_v<S>) {
        using SC = typename detail::MemberTraits<S>::Class;
        prop.SetMethod = [setter](TObject* o, const std::any& v) {
          (detail::As<SC>(o)->*setter)(v.has_value() ? std::any_cast<const V&>(v) : V());
        };
      }
    } else {
      prop.GetOrd = [getter](TObject* o) { return detail::ToOrd<V>((detail::As<C>(o)->*getter)()); };
      if constexpr (!std::is_null_pointer_v<S>) {
        using SC = typename detail::MemberTraits<S>::Class;
        using P = typename detail::MemberTraits<S>::Value;
        prop.SetOrd = [setter](TObject* o, int64_t v) { (detail::As<SC>(o)->*setter)(detail::FromOrd<P>(v)); };
      }
    }
    FInfo.Props.push_back(std::move(prop));
  }

  // A published method: b.Method<&TTarnby::Open1Click>("Open1Click").
  template <auto M>
  void Method(const char* name) {
    using C = typename detail::MethodOwner<decltype(M)>::Class;
    using E = decltype(BindMethod<M>(static_cast<C*>(nullptr), name));
    TMethodEntry entry;
    entry.Name = name;
    entry.Signature = &MethodTypeInfo<E>;
    entry.Code = &cl::detail::MethodTag<M>::Id;
    entry.Bind = [name](TObject* o) { return std::any(BindMethod<M>(detail::As<C>(o), name)); };
    FInfo.Methods.push_back(std::move(entry));
  }

 private:
  TClassInfo& FInfo;
};

// Builds a class's info once; the info lives as long as the process.
const TClassInfo* BuildClassInfo(const char* name, const TClassInfo* parent, void (*publish)(Builder&));

// The published properties, the base's first.
std::vector<const TPropInfo*> GetPropList(const TClassInfo* info);
// ASCII case-insensitive, the most derived class first; null when none has the name.
const TPropInfo* GetPropInfo(const TClassInfo* info, std::string_view name);
const TPropInfo* GetPropInfo(const TObject* object, std::string_view name);

int64_t GetOrdProp(TObject* object, const TPropInfo& prop);
void SetOrdProp(TObject* object, const TPropInfo& prop, int64_t value);
std::string GetStrProp(TObject* object, const TPropInfo& prop);
void SetStrProp(TObject* object, const TPropInfo& prop, const std::string& value);
long double GetFloatProp(TObject* object, const TPropInfo& prop);
void SetFloatProp(TObject* object, const TPropInfo& prop, long double value);
TObject* GetObjectProp(TObject* object, const TPropInfo& prop);
// An object that is not of the property's class raises EInvalidCast and changes nothing; what the setter does with
// it (assign a persistent object, keep a reference to a component) is the class's own.
void SetObjectProp(TObject* object, const TPropInfo& prop, TObject* value);
TMethod GetMethodProp(TObject* object, const TPropInfo& prop);
// False, and nothing changes, when the method does not fit the event's type; an empty method clears the event.
bool SetMethodProp(TObject* object, const TPropInfo& prop, const TMethod& method);

// The object's published method of that name (ASCII case-insensitive), bound to it; an empty method when it has
// none.
TMethod MethodAddress(TObject* object, std::string_view name);

}  // namespace cl::rtti

// Opens a class that publishes properties or methods (declared in its static Publish function).
#define CL_PUBLISHED_CLASS(T, Base)                                           \
  CL_CLASS(T, Base)                                                           \
 public:                                                                      \
  static const ::cl::rtti::TClassInfo* StaticClassInfo() {                    \
    static const ::cl::rtti::TClassInfo* const info =                         \
        ::cl::rtti::BuildClassInfo(#T, Base::StaticClassInfo(), &T::Publish); \
    return info;                                                              \
  }                                                                           \
  const ::cl::rtti::TClassInfo* ClassInfo() const override {                  \
    return StaticClassInfo();                                                 \
  }                                                                           \
  static void Publish(::cl::rtti::Builder& b);                                \
                                                                              \
 private:

// The type information of an enumeration, TAlignInfo for CL_ENUM_INFO(TAlign, alNone, alTop, ...); the names must
// follow the enumeration's values 0, 1, ...
#define CL_ENUM_INFO(T, ...) \
  inline constexpr ::cl::rtti::TTypeInfo T##Info{::cl::rtti::tkEnumeration, #T, #__VA_ARGS__};
