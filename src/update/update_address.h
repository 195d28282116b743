// Where an update comes from: the server's base address (the administrator's in the settings,
// else the build's), the two files on it, and which addresses may be fetched at all: a file that
// is then executed travels only over HTTPS with its certificate checked.
#pragma once

#include <string>
#include <string_view>

namespace zrv {

struct Context;

inline constexpr const char* kVersionPath = "/Downloads/Zorvane.xml";
inline constexpr const char* kInstallerPath = "/Downloads/Zorvane.exe";

// The base address ("https://host[:port]", no trailing slash): [SYSTEM] UpdateServer when set,
// else the one the build names; "" when neither does.
std::string updateServer(const Context& ctx);

// The address of a file on the server: "" without a server.
std::string updateAddress(const std::string& server, const char* path);

// Whether `url` may be fetched: https to any host, http only to this machine (127.0.0.1, ::1,
// localhost: tests and a local mirror), nothing else. An address with a user name, a password
// or any character a host name cannot hold is refused as well, so that no reading of it names
// another host than the one checked.
bool fetchableAddress(std::string_view url);

}  // namespace zrv
