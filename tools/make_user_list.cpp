// Build-time generator of the user registry installed with the program: writes an empty
// "USERLIST.DBF" with its index "USERLIST.NTX" into the folder given as its argument (replacing
// an older build's).
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "network/user_registry.h"
#include "store/base/clock.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  for (const char* name : {zrv::kUserListFile, zrv::kUserListIndex})
    std::filesystem::remove(dir / name, ec);
  // A fixed header date keeps the generated files the same from build to build.
  const zrv::FixedClock clock("01.01.2024", "00:00:00");
  const zrv::Status s = zrv::createUserList(dir, clock);
  if (!s) {
    std::fprintf(stderr, "%s: %s\n", dir.string().c_str(), s.message().c_str());
    return 1;
  }
  return 0;
}
