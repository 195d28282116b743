// A program directory in a temporary folder with a context around it: a fixed clock, a
// logbook in that directory, a silent user interface, and a workstation settings file inside
// the folder (never the real home). The current directory is restored afterwards.
#pragma once

#include <filesystem>
#include <string>

#include "app/context.h"
#include "ports/user_interface.h"
#include "store/base/clock.h"
#include "store/base/logbook.h"
#include "support/test_dir.h"

namespace zrv::test {

// Counts the busy calls, so that tests can check that every wait cursor is taken back.
class CountingUserInterface : public SilentUserInterface {
 public:
  void busy(bool on) override { depth += on ? 1 : -1; }
  int depth = 0;
};

struct TestContext {
  TestContext()
      : log(dir.path() / "Zorvane.Log", kRelease, clock), ctx(dir.path() / "", clock, log, ui) {
    ctx.workstationIni = dir / "home/.config/zorvane/ZORVANE.INI";
  }
  ~TestContext() {
    std::error_code ec;
    std::filesystem::current_path(startDir, ec);
  }
  TestContext(const TestContext&) = delete;
  TestContext& operator=(const TestContext&) = delete;

  std::string read(const std::string& name) const { return dir.read(name); }
  bool exists(const std::string& name) const { return std::filesystem::exists(dir / name); }

  std::filesystem::path startDir = std::filesystem::current_path();
  TestDir dir;
  FixedClock clock{"10.06.2024", "09:30:15"};
  CountingUserInterface ui;
  Logbook log;
  Context ctx;
};

}  // namespace zrv::test
