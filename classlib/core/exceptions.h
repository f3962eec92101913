// The class library's exception hierarchy. Every failure inside the library and the components built on it is
// reported by one of these classes; a handler shows Message() unchanged.
#pragma once

#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

#include "classlib/core/format.h"

namespace cl {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  // CreateFmt: the message is Format(format, args).
  Exception(std::string_view format, std::initializer_list<FormatArg> args) : FMessage(Format(format, args)) {}

  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string message) { FMessage = std::move(message); }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
};

// Declares an exception class that adds nothing but its type.
#define CL_EXCEPTION_CLASS(Name, Base) \
  class Name : public Base {           \
   public:                             \
    using Base::Base;                  \
  };

// Silent exception: the application's exception guard ignores it.
class EAbort : public Exception {
 public:
  using Exception::Exception;
  EAbort() : Exception("Operation aborted") {}
};

class EOutOfMemory : public Exception {
 public:
  using Exception::Exception;
  EOutOfMemory() : Exception("Out of memory") {}
};

class EInvalidCast : public Exception {
 public:
  using Exception::Exception;
  EInvalidCast() : Exception("Invalid class typecast") {}
};

CL_EXCEPTION_CLASS(EInvalidPointer, Exception)
CL_EXCEPTION_CLASS(EConvertError, Exception)
CL_EXCEPTION_CLASS(EListError, Exception)
CL_EXCEPTION_CLASS(EStreamError, Exception)
CL_EXCEPTION_CLASS(EFCreateError, EStreamError)
CL_EXCEPTION_CLASS(EFOpenError, EStreamError)
CL_EXCEPTION_CLASS(EReadError, EStreamError)
CL_EXCEPTION_CLASS(EWriteError, EStreamError)
CL_EXCEPTION_CLASS(EInvalidGraphic, Exception)
CL_EXCEPTION_CLASS(EInvalidGraphicOperation, Exception)
CL_EXCEPTION_CLASS(EInvalidOperation, Exception)
CL_EXCEPTION_CLASS(ERegistryException, Exception)
CL_EXCEPTION_CLASS(EPrinter, Exception)
CL_EXCEPTION_CLASS(EClipboardException, Exception)
CL_EXCEPTION_CLASS(EComponentError, Exception)
CL_EXCEPTION_CLASS(EThread, Exception)

class EOutOfResources : public EOutOfMemory {
 public:
  using EOutOfMemory::EOutOfMemory;
  EOutOfResources() : EOutOfMemory("Out of system resources") {}
};

// An input/output failure with the operating system's error code.
class EInOutError : public Exception {
 public:
  EInOutError(std::string message, int errorCode) : Exception(std::move(message)), FErrorCode(errorCode) {}
  int ErrorCode() const { return FErrorCode; }

 private:
  int FErrorCode;
};

// Raises the silent EAbort.
[[noreturn]] void Abort();

}  // namespace cl
