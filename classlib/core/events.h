// Events: a callable plus an identity (object and method), so that an event can be tested for empty, compared,
// copied and chained. CL_EVENT(Method) binds `this` and a member function and records the method's name; a lambda
// gets an identity of its own that its copies share.
#pragma once

#include <atomic>
#include <concepts>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <utility>

namespace cl {

class TObject;

template <class Sig>
class Event;

template <class R, class... A>
class Event<R(A...)> {
 public:
  using Function = std::function<R(A...)>;

  Event() = default;
  Event(std::nullptr_t) {}
  template <class F>
  requires(!std::same_as<std::decay_t<F>, Event> && !std::same_as<std::decay_t<F>, std::nullptr_t> &&
           std::is_invocable_r_v<R, F&, A...>) Event(F function)
      : FFunction(std::move(function)), FLambdaId(NextLambdaId()) {}

  // An event bound to a method: `data` is the object, `code` identifies the method, `name` is its name.
  static Event ForMethod(Function function, const void* data, const void* code, const char* name) {
    Event e;
    e.FFunction = std::move(function);
    e.FData = data;
    e.FCode = code;
    e.FName = name;
    return e;
  }

  explicit operator bool() const { return static_cast<bool>(FFunction); }

  // Calls a copy of the target, so that a handler that destroys this event's owner keeps running safely.
  R operator()(A... args) const {
    Function target = FFunction;
    return target(std::forward<A>(args)...);
  }

  bool operator==(const Event& other) const {
    return static_cast<bool>(*this) == static_cast<bool>(other) && FData == other.FData && FCode == other.FCode &&
           FLambdaId == other.FLambdaId;
  }

  const void* Data() const { return FData; }
  const void* Code() const { return FCode; }
  // The bound method's name; "" for a lambda or an empty event.
  const char* MethodName() const { return FName; }

 private:
  static uint64_t NextLambdaId() {
    static std::atomic<uint64_t> counter{0};
    return ++counter;
  }

  Function FFunction;
  const void* FData = nullptr;
  const void* FCode = nullptr;
  const char* FName = "";
  uint64_t FLambdaId = 0;
};

using TNotifyEvent = Event<void(TObject* Sender)>;

namespace detail {

// One distinct address per method: the identity of a bound method.
template <auto Method>
struct MethodTag {
  static constexpr char Id = 0;
};

template <class M>
struct MethodBinder;

template <class C, class R, class... A>
struct MethodBinder<R (C::*)(A...)> {
  template <R (C::*Method)(A...)>
  static Event<R(A...)> Bind(C* object, const char* name) {
    return Event<R(A...)>::ForMethod([object](A... args) -> R { return (object->*Method)(std::forward<A>(args)...); },
                                     object, &MethodTag<Method>::Id, name);
  }
};

}  // namespace detail

template <auto Method, class C>
auto BindMethod(C* object, const char* name) {
  using Binder = detail::MethodBinder<decltype(Method)>;
  return Binder::template Bind<Method>(object, name);
}

}  // namespace cl

// Binds a method of the current object: Button1->SetOnClick(CL_EVENT(Button1Click)).
#define CL_EVENT(Method) ::cl::BindMethod<&std::remove_cvref_t<decltype(*this)>::Method>(this, #Method)
