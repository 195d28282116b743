// A shared program directory with its user registry, and workstations on it: each with its own
// context (clock, logbook, recording user interface), its own home with the workstation
// settings file in use, network mode on, and the scripted user windows of the command fake.
#pragma once

#include <filesystem>
#include <string>

#include "app/context.h"
#include "network/user_registry.h"
#include "network/user_setup.h"
#include "store/base/clock.h"
#include "store/base/logbook.h"
#include "support/command_window_fake.h"
#include "support/table_rig.h"
#include "support/test_dir.h"

namespace zrv::test {

struct SharedDirectory {
  SharedDirectory() {
    std::filesystem::create_directories(program);
    EXPECT_TRUE(createUserList(program, clock));
  }
  TestDir dir;
  std::filesystem::path program = dir / "program";
  FixedClock clock{"10.06.2024", "09:30:15"};
};

struct Workstation {
  Workstation(const SharedDirectory& shared, const std::string& home)
      : folder(shared.dir / home / ".config/zorvane"),
        log(folder / "Zorvane.Log", kRelease, clock),
        ctx(shared.program / "", clock, log, ui),
        window(timer) {
    std::filesystem::create_directories(folder);
    ctx.workstationIni = folder / "ZORVANE.INI";
    ctx.CINIFILE = ctx.workstationIni;
    ctx.runFiles = folder;
    ctx.settings.LS_LAN = true;
    log.setEnabled(true);
    log.log("Test", "");
  }
  ~Workstation() {
    std::error_code ec;
    std::filesystem::current_path(startDir, ec);
  }
  // Registers `name` through the set-up dialog's "&Speichern".
  bool registerAs(const std::string& name) {
    window.setUpAnswer = {UserSetUpAnswer::Ending::kSaved, name};
    return setUpUser(ctx, window);
  }

  std::filesystem::path startDir = std::filesystem::current_path();
  std::filesystem::path folder;
  FixedClock clock{"10.06.2024", "09:30:15"};
  RecordingUserInterface ui;
  Logbook log;
  Context ctx;
  FakeTimer timer;
  FakeCommandWindow window;
};

}  // namespace zrv::test
