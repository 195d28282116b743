#include "diag/error_object.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace zrv {
namespace {

// The demangled name of the exception type being handled.
std::string currentTypeName() {
  const std::type_info* type = abi::__cxa_current_exception_type();
  if (!type) return "";
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(
      abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), std::free);
  return status == 0 && name ? name.get() : type->name();
}

}  // namespace

ErrorObject::ErrorObject() : stack(captureCallStack()) {}

ErrorObject currentError(bool canRetry, bool canDefault) {
  const std::exception_ptr current = std::current_exception();
  try {
    if (current) std::rethrow_exception(current);
  } catch (const ErrorObject& e) {
    return e;
  } catch (const std::exception& e) {
    ErrorObject o;
    o.subSystem = currentTypeName();
    o.description = e.what();
    o.canRetry = canRetry;
    o.canDefault = canDefault;
    o.stack = stackOfThrow(&e);
    return o;
  } catch (...) {
  }
  ErrorObject o;
  o.subSystem = currentTypeName();
  o.description = "unbekannte Ursache";
  o.canRetry = canRetry;
  o.canDefault = canDefault;
  o.stack = CallStack{};
  return o;
}

std::string errorMessage(const ErrorObject& e) {
  std::string m = e.osCode != 0    ? "(DOS Error " + std::to_string(e.osCode) + ") "
                  : e.severity > 1 ? "Error "
                                   : "Warning ";
  m += e.subSystem.empty() ? "???" : e.subSystem;
  m += e.subCode != 0 ? "/" + std::to_string(e.subCode) : "/???";
  if (!e.description.empty()) m += "  " + e.description;
  if (!e.filename.empty()) {
    m += ": " + e.filename;
  } else if (!e.operation.empty()) {
    m += ": " + e.operation;
  }
  return m;
}

std::string cGetInfo(const ErrorValue& v) {
  switch (v.type) {
    case 'C':
      return "\"" + v.text + "\"";
    case 'O':
      return "Class: " + v.text;
    case 'A': {
      char len[16];
      std::snprintf(len, sizeof len, "%4s", v.text.c_str());
      return std::string("Len: ") + len;
    }
    default:
      return v.text;
  }
}

bool absorbedError(const ErrorObject& e) {
  if (e.genCode == 5) return true;
  if (e.genCode == 21 && (e.osCode == 32 || e.osCode == 5) && e.canDefault) return true;
  return e.genCode == 40 && e.canDefault;
}

}  // namespace zrv
