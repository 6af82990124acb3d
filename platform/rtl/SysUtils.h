// Exceptions, string and number conversions of the run-time library.
#pragma once

#include <utility>

#include "platform/rtl/SystemTypes.h"

namespace rtl {

// The root of every exception the system raises. Thrown by value, caught by
// reference; ClassName gives the framework's class name for messages.
class Exception {
 public:
  explicit Exception(String AMessage, int AHelpContext = 0)
      : FMessage(std::move(AMessage)), FHelpContext(AHelpContext) {}
  virtual ~Exception() = default;

  const String& Message() const { return FMessage; }
  void SetMessage(String AMessage) { FMessage = std::move(AMessage); }
  int HelpContext() const { return FHelpContext; }
  virtual const wchar_t* ClassName() const { return L"Exception"; }

 private:
  String FMessage;
  int FHelpContext;
};

#define RTL_DECLARE_EXCEPTION(AName, ABase)                               \
  class AName : public ABase {                                           \
   public:                                                               \
    using ABase::ABase;                                                  \
    const wchar_t* ClassName() const override { return L## #AName; }     \
  }

// EAbort is the silent exception: handlers that report errors ignore it.
RTL_DECLARE_EXCEPTION(EAbort, Exception);
RTL_DECLARE_EXCEPTION(EConvertError, Exception);
RTL_DECLARE_EXCEPTION(EListError, Exception);
RTL_DECLARE_EXCEPTION(EInvalidOperation, Exception);
RTL_DECLARE_EXCEPTION(EInvalidCast, Exception);
RTL_DECLARE_EXCEPTION(EInvalidPointer, Exception);
RTL_DECLARE_EXCEPTION(EAbstractError, Exception);
RTL_DECLARE_EXCEPTION(EOutOfMemory, Exception);
RTL_DECLARE_EXCEPTION(EVariantError, Exception);
RTL_DECLARE_EXCEPTION(EArgumentException, Exception);
RTL_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException);
RTL_DECLARE_EXCEPTION(ENotSupportedException, Exception);
RTL_DECLARE_EXCEPTION(EIntError, Exception);
RTL_DECLARE_EXCEPTION(EDivByZero, EIntError);
RTL_DECLARE_EXCEPTION(ERangeError, EIntError);
RTL_DECLARE_EXCEPTION(EIntOverflow, EIntError);
RTL_DECLARE_EXCEPTION(EMathError, Exception);
RTL_DECLARE_EXCEPTION(EInvalidOp, EMathError);
RTL_DECLARE_EXCEPTION(EZeroDivide, EMathError);
RTL_DECLARE_EXCEPTION(EOverflow, EMathError);

// An operating-system call failed; ErrorCode is what GetLastError said.
class EOSError : public Exception {
 public:
  EOSError(String AMessage, unsigned long AErrorCode) : Exception(std::move(AMessage)), FErrorCode(AErrorCode) {}
  unsigned long ErrorCode() const { return FErrorCode; }
  const wchar_t* ClassName() const override { return L"EOSError"; }

 private:
  unsigned long FErrorCode;
};

// Raises EAbort with the text "Operation aborted".
[[noreturn]] void Abort();

// The system's text for an operating-system error code.
String SysErrorMessage(unsigned long AErrorCode);

// Raises EOSError for GetLastError (or the code given): "System Error.  Code:
// %d.\r\n%s" with the system's text; a zero code gives "A call to an OS
// function failed".
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(unsigned long AErrorCode);

// try/finally: runs the action when the scope ends, also when an exception
// passes. An action that throws while another exception unwinds ends the
// program, as two exceptions in flight must.
template <class F>
class Finally {
 public:
  explicit Finally(F AAction) : FAction(std::move(AAction)) {}
  Finally(const Finally&) = delete;
  Finally& operator=(const Finally&) = delete;
  ~Finally() noexcept(false) { FAction(); }

 private:
  F FAction;
};

}  // namespace rtl

// Format, the format settings and the floating-point conversions.
#include "platform/rtl/SysUtilsFormat.h"
