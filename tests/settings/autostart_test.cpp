// The autostart entry for real in a configuration folder of its own: the desktop's validator
// accepts it, the desktop's launcher (gio) starts through it a program whose folder has blanks,
// "%", "$", quotes and a backslash in its name, in that folder; switching AStart off removes it;
// a folder that cannot take the entry, or an entry that cannot be removed, is told.
#include "platform/xdg_autostart.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <thread>

#include "app/context.h"
#include "settings/setup_main.h"
#include "support/process.h"
#include "support/test_context.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(Autostart, TheEntryValidatesStartsThisProgramInItsFolderAndGoesAgain) {
  test::TestContext t;
  XdgAutostart autostart(t.dir / "config");
  for (const std::string name : {"Mein Zorvane 100% $HOME \"neu\" `x` a\\b", "Zorvane 'neu' \\1"}) {
    const fs::path folder = t.dir / name;
    fs::create_directories(folder);
    const fs::path program = folder / "zorvane";
    const fs::path started = t.dir / "started";
    // The program notes where it runs and with which name it was started.
    t.dir.write(name + "/zorvane", "#!/bin/sh\npwd > \"" + started.string() +
                                       "\"\nprintf '%s\\n' \"$0\" >> \"" + started.string() +
                                       "\"\n");
    fs::permissions(program, fs::perms::owner_all);

    t.ctx.CS_EXEPATH = program;
    t.ctx.settings.LS_ASTART = true;
    EXPECT_EQ(updateAutostart(t.ctx, false, autostart), std::nullopt);
    ASSERT_TRUE(fs::exists(t.dir / "config/autostart/zorvane.desktop"));
    const auto valid = test::run({"desktop-file-validate", autostart.file().string()});
    EXPECT_EQ(valid.status, 0) << valid.output;
    EXPECT_EQ(valid.output, "");

    fs::remove(started);
    const auto launched = test::run({"gio", "launch", autostart.file().string()}, {}, 30s);
    ASSERT_EQ(launched.status, 0) << launched.output
                                  << t.dir.read("config/autostart/zorvane.desktop");
    ASSERT_TRUE(test::waitUntil(
        [&] { return t.dir.read("started").size() > folder.string().size(); }, 10s));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(t.dir.read("started"), folder.string() + "\n" + program.string() + "\n");
  }

  // Unchanged: nothing happens; switched off: the entry goes, also when it is gone already.
  EXPECT_EQ(updateAutostart(t.ctx, true, autostart), std::nullopt);
  t.ctx.settings.LS_ASTART = false;
  EXPECT_EQ(updateAutostart(t.ctx, true, autostart), std::nullopt);
  EXPECT_FALSE(fs::exists(autostart.file()));
  EXPECT_EQ(updateAutostart(t.ctx, true, autostart), std::nullopt);
}

TEST(Autostart, AnEntryThatCannotBeWrittenOrRemovedIsTold) {
  test::TestContext t;
  t.ctx.CS_EXEPATH = t.dir / "zorvane";
  // "autostart" is a file, not a folder: no entry can go there (whoever runs the test).
  fs::create_directories(t.dir / "config");
  t.dir.write("config/autostart", "kein Ordner");
  XdgAutostart blocked(t.dir / "config");
  t.ctx.settings.LS_ASTART = true;
  EXPECT_EQ(updateAutostart(t.ctx, false, blocked),
            (SettingsNotice{"Registrierung", "Autostart-Eintrag konnte nicht angelegt werden !"}));

  // An entry that is a folder with something in it cannot be removed.
  XdgAutostart stuck(t.dir / "other");
  fs::create_directories(t.dir / "other/autostart/zorvane.desktop");
  t.dir.write("other/autostart/zorvane.desktop/inhalt", "x");
  t.ctx.settings.LS_ASTART = false;
  EXPECT_EQ(updateAutostart(t.ctx, true, stuck),
            (SettingsNotice{"Registrierung",
                            "Registry-Eintrag konnte nicht entfernt werden, kein Problem !"}));
  // A path that an entry cannot hold is refused, not written half.
  EXPECT_EQ(execLine("/opt/zor\nvane/zorvane"), std::nullopt);
  EXPECT_FALSE(XdgAutostart(t.dir / "third").write("/opt/zor\nvane/zorvane"));
}

}  // namespace
}  // namespace zrv
