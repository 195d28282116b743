// Helpers shared by the storage engine's tests: status checks, opening tables, running the
// independent Python readers and writers that lie beside the tests.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "store/base/clock.h"
#include "store/base/status.h"
#include "store/xbase/table.h"

namespace zrv::test {

inline Status toStatus(const Status& s) {
  return s;
}
template <class T>
Status toStatus(const Result<T>& r) {
  return r.status();
}

#define ASSERT_OK(expr)                                       \
  do {                                                        \
    const ::zrv::Status zrv_s_ = ::zrv::test::toStatus(expr); \
    ASSERT_TRUE(zrv_s_.isOk()) << zrv_s_.message();           \
  } while (0)
#define EXPECT_OK(expr)                                       \
  do {                                                        \
    const ::zrv::Status zrv_s_ = ::zrv::test::toStatus(expr); \
    EXPECT_TRUE(zrv_s_.isOk()) << zrv_s_.message();           \
  } while (0)

// The value of a successful result; a failed one fails the test (by an exception).
template <class T>
T must(Result<T> r) {
  if (!r) {
    ADD_FAILURE() << r.message();
    throw std::runtime_error(r.message());
  }
  return std::move(r.value());
}
inline void must(const Status& s) {
  if (!s) {
    ADD_FAILURE() << s.message();
    throw std::runtime_error(s.message());
  }
}

inline std::unique_ptr<Table> openTable(const std::filesystem::path& file, const Clock& clock,
                                        OpenMode mode = OpenMode::kExclusive,
                                        std::string alias = "") {
  Table::Options o;
  o.mode = mode;
  o.alias = std::move(alias);
  return must(Table::open(file, clock, o));
}

struct ProgramOutput {
  int exitCode = -1;
  std::string out;
};

inline ProgramOutput runProgram(const std::string& command) {
  ProgramOutput r;
  FILE* p = ::popen((command + " 2>&1").c_str(), "r");
  if (!p) return r;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
    r.out.append(buf, n);
  const int status = ::pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// Runs one of the Python helpers of tests/store with Debian's interpreter (which has the
// dbfread and dbf modules).
inline ProgramOutput runPython(const std::string& script, const std::string& args) {
  const std::filesystem::path dir = std::filesystem::path(ZRV_SOURCE_DIR) / "tests" / "store";
  return runProgram("/usr/bin/python3 '" + (dir / script).string() + "' " + args);
}

inline std::string quoted(const std::filesystem::path& p) {
  return "'" + p.string() + "'";
}

}  // namespace zrv::test
