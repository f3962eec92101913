// Type-safe Format: "%[-][width][.prec]type" with d u x X s f g e n p and "%%". The argument list carries each
// value's kind, and a conversion that does not fit its argument raises EConvertError.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace cl {

class FormatArg {
 public:
  enum class Kind { Signed, Unsigned, Float, String, Pointer };

  template <class T>
  requires std::signed_integral<T> &&(!std::same_as<T, char>)FormatArg(T value) : FKind(Kind::Signed), FSigned(value) {}
  template <class T>
  requires std::unsigned_integral<T> &&(!std::same_as<T, bool>)FormatArg(T value)
      : FKind(Kind::Unsigned), FUnsigned(value) {}
  template <class T>
  requires std::is_enum_v<T> FormatArg(T value) : FKind(Kind::Signed), FSigned(static_cast<int64_t>(value)) {}
  FormatArg(bool) = delete;
  FormatArg(char value) : FKind(Kind::String), FString(1, value) {}
  FormatArg(double value) : FKind(Kind::Float), FFloat(value) {}
  FormatArg(long double value) : FKind(Kind::Float), FFloat(value) {}
  FormatArg(const char* value) : FKind(Kind::String), FString(value ? value : "") {}
  FormatArg(std::string_view value) : FKind(Kind::String), FString(value) {}
  FormatArg(const std::string& value) : FKind(Kind::String), FString(value) {}
  FormatArg(const void* value) : FKind(Kind::Pointer), FPointer(value) {}

  Kind GetKind() const { return FKind; }
  int64_t Signed() const { return FSigned; }
  uint64_t Unsigned() const { return FUnsigned; }
  long double Float() const { return FFloat; }
  const std::string& String() const { return FString; }
  const void* Pointer() const { return FPointer; }

 private:
  Kind FKind;
  int64_t FSigned = 0;
  uint64_t FUnsigned = 0;
  long double FFloat = 0;
  std::string FString;
  const void* FPointer = nullptr;
};

std::string Format(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace cl
