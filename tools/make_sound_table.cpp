// Build-time generator of the sound table installed with the program: writes "ZRVPARAM.DBF"
// with the shipped sound slots to the path given as its argument (replacing an older build's).
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "reminder/sound_table.h"
#include "store/base/clock.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <ZRVPARAM.DBF>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(out.parent_path(), ec);
  std::filesystem::remove(out, ec);
  // A fixed header date keeps the generated file the same from build to build.
  const zrv::FixedClock clock("01.01.2024", "00:00:00");
  const zrv::Status s = zrv::createSoundTable(out, clock);
  if (!s) {
    std::fprintf(stderr, "%s: %s\n", out.string().c_str(), s.message().c_str());
    std::filesystem::remove(out, ec);
    return 1;
  }
  return 0;
}
