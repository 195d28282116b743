// One connection that carries lines of text both ways: the command line's connection to the
// running program. The platform gives the local socket; tests give scripted ones.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace zrv {

class LineChannel {
 public:
  virtual ~LineChannel() = default;
  // Writes `line` (ending in "\n"); false when the other side has gone.
  virtual bool sendLine(std::string_view line) = 0;
  // The next line without its "\n"; nullopt when none came within `timeout`, the other side
  // closed, or the line grew beyond `maxBytes`.
  virtual std::optional<std::string> receiveLine(std::chrono::milliseconds timeout,
                                                 std::size_t maxBytes) = 0;
};

}  // namespace zrv
