// The line protocol between the command line and the running program over the program's local
// socket: the client writes one request, the program answers with one response, each a JSON
// object on one line.
//   request:  {"cmd":"add","json":false,"add":{"text":"...","date":"07.12.2026",...}}
//   response: {"exit":0,"out":"...","err":""}
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "remote/cli_request.h"

namespace zrv {

// Lines longer than this are not read (a request is a few hundred bytes; a --list answer of a
// large table is the longest line).
inline constexpr std::size_t kMaxRequestLine = 64 * 1024;
inline constexpr std::size_t kMaxResponseLine = 256 * 1024 * 1024;

std::string requestLine(const CliRequest& r);
// nullopt for a line that is no request this program knows.
std::optional<CliRequest> requestOf(std::string_view line);

std::string responseLine(const CliResponse& r);
std::optional<CliResponse> responseOf(std::string_view line);

}  // namespace zrv
