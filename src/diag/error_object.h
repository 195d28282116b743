// The program's error type: what went wrong, where, and what the user may do about it (run the
// operation again, or let it give its default result). Its call stack is taken when it is made,
// so the report names the place of the error. Any other exception becomes one through
// currentError(), with the stack its throw left.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "platform/call_stack.h"

namespace zrv {

// An argument of the failed operation: its type letter (C text, N number, D date, L logical,
// O object, A list) and its value as text (the class name of an object, the length of a list).
struct ErrorValue {
  char type = 'C';
  std::string text;
};

class ErrorObject : public std::exception {
 public:
  ErrorObject();  // takes the call stack
  const char* what() const noexcept override { return description.c_str(); }

  int genCode = 0;  // general code: 5 division by zero, 21 open failed, 40 append lock failed
  int osCode = 0;   // operating-system code: 32 sharing violation, 5 access denied
  std::string subSystem;
  int subCode = 0;
  int severity = 2;
  std::string description;
  std::string filename;
  std::string operation;
  std::optional<std::vector<ErrorValue>> args;
  bool canRetry = false;
  bool canDefault = false;
  CallStack stack;
};

// Inside a catch block: the exception being handled as an error object. Another exception gets
// its type as subsystem, its text as description, and the flags `canRetry` and `canDefault`.
ErrorObject currentError(bool canRetry, bool canDefault);

// "Error ZORVANE/3  Text: Datei" and its forms (ERRORMESSAGE).
std::string errorMessage(const ErrorObject& e);

// A value as the report describes it (CGETINFO): a text in double quotes, an object as
// "Class: " + its class, a list as "Len: " + its length in four places, else the text.
std::string cGetInfo(const ErrorValue& v);

// Errors that need neither report nor dialog (division by zero; an open refused by another
// workstation or an append lock, when the error allows a default): the operation takes its
// default result.
bool absorbedError(const ErrorObject& e);

}  // namespace zrv
