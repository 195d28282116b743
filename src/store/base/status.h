// Outcome of a storage operation: success, or an error code with a German message the layers
// above can show or log as it is. "Not found" (a key, a record) is never an error; a missing
// file that must exist is.
#pragma once

#include <cassert>
#include <filesystem>
#include <string>
#include <utility>
#include <variant>

namespace zrv {

enum class StatusCode {
  kOk = 0,
  kMissing,          // a file that must exist does not
  kExists,           // a file that must not exist does
  kIoError,          // the operating system refused a read, write, sync or rename
  kCorrupt,          // a file's bytes do not form a valid table, memo or index
  kLocked,           // another program holds the file or the record
  kBadExpression,    // an index key or condition that cannot be evaluated
  kInvalidArgument,  // the caller asked for something impossible (unknown field, wrong type ...)
  kUnsupported,      // a valid file of a kind this engine does not handle
};

class [[nodiscard]] Status {
 public:
  Status() = default;  // success
  Status(StatusCode code, std::string message) : code_(code), message_(std::move(message)) {}

  static Status ok() { return {}; }
  bool isOk() const { return code_ == StatusCode::kOk; }
  explicit operator bool() const { return isOk(); }
  StatusCode code() const { return code_; }
  // German, UTF-8; empty on success.
  const std::string& message() const { return message_; }

 private:
  StatusCode code_ = StatusCode::kOk;
  std::string message_;
};

// A value or the Status that explains why there is none. `operator bool` tells success, not
// the value (mind Result<bool>: use `*r` for the value).
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}      // NOLINT: implicit on purpose
  Result(Status error) : v_(std::move(error)) {  // NOLINT
    assert(!std::get<Status>(v_).isOk());
  }

  bool isOk() const { return v_.index() == 0; }
  explicit operator bool() const { return isOk(); }

  // Only on success.
  const T& value() const& { return std::get<0>(v_); }
  T& value() & { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  const T& operator*() const& { return value(); }
  T& operator*() & { return value(); }
  const T* operator->() const { return &value(); }
  T* operator->() { return &value(); }

  // Success, or the error.
  Status status() const { return isOk() ? Status() : std::get<1>(v_); }
  StatusCode code() const { return isOk() ? StatusCode::kOk : std::get<1>(v_).code(); }
  const std::string& message() const {
    static const std::string none;
    return isOk() ? none : std::get<1>(v_).message();
  }

 private:
  std::variant<T, Status> v_;
};

// The messages the engine uses, so that the same situation always reads the same.
// `file` is shown by its name only (no directory).
namespace status {
using Path = std::filesystem::path;
Status missing(const Path& file);
Status exists(const Path& file);
// `action` is "gelesen", "geschrieben", "angelegt" ...
Status io(const Path& file, const char* action, int errnoValue);
Status corrupt(const Path& file, const std::string& detail);
Status lockedFile(const Path& file);
Status lockedRecord(const Path& file, unsigned long recno);
Status badExpression(const std::string& expression, const std::string& detail);
Status invalid(const std::string& detail);
Status unsupported(const Path& file, const std::string& detail);
}  // namespace status

}  // namespace zrv
