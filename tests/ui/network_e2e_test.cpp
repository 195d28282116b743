// Two workstations on one network installation, as two users run it: one shared program
// directory made by `cmake --install`, two homes (each with its own XDG_CONFIG_HOME), each program
// on a display of its own, driven with keys. They register, run at once, switch to each other's
// table, clean the registry and uninstall; the files are read back with python3-dbfread.
// Screenshots of the set-up dialog and the user list are kept in test-artifacts/.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "store/base/clock.h"
#include "store/base/file_io.h"
#include "store/xbase/table.h"
#include "support/installed_program.h"
#include "support/table_rig.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

using test::kTitle;

constexpr const char* kSetUp = "Benutzer-Einstellungen";
constexpr const char* kUserList = "Benutzerliste";

// One workstation: its home, its display and the program running on it.
struct Workstation {
  explicit Workstation(const fs::path& programDir) : program(programDir / "zorvane") {
    env = display.environment();
    env["HOME"] = home.path().string();
    env["XDG_CONFIG_HOME"] = (home / ".config").string();
    env["SDL_AUDIODRIVER"] = "dummy";
    // The logbook on, the wake-up off: both homes would share one systemd user manager.
    fs::create_directories(folder());
    home.write(".config/zorvane/ZORVANE.INI", "[SETUP]\r\nLOGBUCH=1\r\nWakeUp=0\r\n");
  }

  fs::path folder() const { return home / ".config/zorvane"; }
  std::string log() const { return home.read(".config/zorvane/Zorvane.Log"); }
  bool logHas(const std::string& text) const { return log().find(text) != std::string::npos; }

  void start() { process = std::make_unique<test::Process>(std::vector{program.string()}, env); }
  void keys(std::vector<std::string> names) {
    names.insert(names.begin(), {"xdotool", "key", "--delay", "80"});
    EXPECT_EQ(test::run(names, env, 30s).status, 0);
    std::this_thread::sleep_for(300ms);
  }
  // Waits for a window titled with `title` and gives it the keyboard; its id, 0 when none came.
  unsigned long take(const std::string& title) {
    const unsigned long w = watch.waitShown(title, 60s);
    if (w == 0 || !test::activate(env, w)) return 0;
    std::this_thread::sleep_for(500ms);
    return w;
  }
  // A shown window titled exactly `title`; 0 when there is none.
  unsigned long shown(const std::string& title) {
    const auto found =
        test::run({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"}, env, 10s);
    if (found.status != 0 || found.output.empty()) return 0;
    return std::stoul(found.output.substr(0, found.output.find('\n')));
  }
  // Answers the box titled `title` with `key` once it shows; false when none came.
  bool answer(const std::string& title, const std::string& key) {
    unsigned long box = 0;
    if (!test::waitUntil([&] { return (box = shown(title)) != 0; }, 30s)) return false;
    std::this_thread::sleep_for(300ms);
    if (!test::activate(env, box)) return false;
    keys({key});
    return test::waitUntil([&] { return watch.wmState(box) != test::WindowWatch::kNormal; }, 10s);
  }
  // Registers `name` in the set-up dialog of a first start; the main window's id.
  unsigned long registerAs(const std::string& name, const std::string& shot) {
    start();
    if (take(kSetUp) == 0) return 0;
    EXPECT_EQ(test::run({"xdotool", "type", "--delay", "60", name}, env, 30s).status, 0);
    keys({"Tab"});
    if (!shot.empty()) test::keepScreenshot(env, watch, watch.find(kSetUp), shot);
    keys({"alt+s"});
    return mainWindow = watch.waitShown(kTitle, 60s);
  }
  // The user list through "Datei", "Benutzer"; its id.
  unsigned long userList() {
    if (!test::activate(env, mainWindow)) return 0;
    // "&Beenden" shares the letter, and which of the two a "b" selects depends on the menu's
    // last selection: the entry is reached from the menu's end instead.
    keys({"alt+d"});
    std::this_thread::sleep_for(700ms);
    keys({"End", "Up", "Up", "Up", "Return"});
    return take(kUserList);
  }
  std::optional<int> close() {
    (void)test::run({"wmctrl", "-F", "-c", kTitle + " Lan"}, env, 5s);
    return process->waitFor(60s);
  }

  fs::path program;
  test::TestDir home;
  test::VirtualDisplay display;
  test::WindowWatch watch{display.name()};
  test::EnvChanges env;
  std::unique_ptr<test::Process> process;
  unsigned long mainWindow = 0;
};

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

std::vector<std::string> registeredNames(const fs::path& registry) {
  const auto dump = test::readWithDbfread(registry);
  std::vector<std::string> names;
  for (const auto& r : dump.records)
    names.push_back(r.at("USERNAME") + "=" + r.at("USERFILE"));
  std::sort(names.begin(), names.end());
  return names;
}

// An entry whose table is gone, as a workstation long removed by hand would leave it.
void registerWithoutTable(const fs::path& registry) {
  const FixedClock clock("10.06.2024", "09:30:00");
  auto t = Table::open(registry, clock, {OpenMode::kExclusive, "DUSR", {}});
  ASSERT_TRUE(t) << t.message();
  ASSERT_TRUE((*t)->append());
  ASSERT_TRUE((*t)->setString("USERNAME", "Carl Clausen"));
  ASSERT_TRUE((*t)->setString("USERFILE", "CLAUSEN"));
  ASSERT_TRUE((*t)->commit());
  ASSERT_TRUE((*t)->close());
}

TEST(NetworkEndToEnd, TwoWorkstationsRegisterSwitchCleanAndUninstall) {
  test::TestDir shared;
  ASSERT_EQ(test::installInto(shared.path(), "network").status, 0);
  ASSERT_EQ(test::installInto(shared.path()).status, 0);
  const fs::path registry = shared / "USERLIST.DBF";
  ASSERT_TRUE(fs::exists(registry));
  Workstation a(shared.path());
  Workstation b(shared.path());
  ASSERT_TRUE(a.display.ready() && b.display.ready()) << a.display.diagnostics();

  // Both register and run at once, each with the run's files in its own home.
  ASSERT_NE(a.registerAs("Anna Schmidt", "e2e_network_setup_user"), 0u) << a.log();
  ASSERT_NE(b.registerAs("Bert Brandt", ""), 0u) << b.log();
  EXPECT_TRUE(fs::exists(shared / "SCHMIDT.TER"));
  EXPECT_TRUE(fs::exists(shared / "BRANDT.TER"));
  for (const Workstation* w : {&a, &b}) {
    EXPECT_TRUE(fs::exists(w->folder() / "Zorvane.Run"));
    EXPECT_TRUE(w->logHas(" (Zorvane Start) "));
  }
  EXPECT_FALSE(fs::exists(shared / "Zorvane.Run"));
  EXPECT_FALSE(fs::exists(shared / "Zorvane.Log"));
  EXPECT_FALSE(fs::exists(shared / "ZORVANE.INI"));
  // The command line of a workstation reaches the program running there: each listens on a socket
  // of its own workstation folder (here both homes share one runtime folder).
  const test::RunResult listed = test::run({a.program.string(), "--list"}, a.env, 60s);
  EXPECT_EQ(listed.status, 0) << listed.output;
  EXPECT_TRUE(a.logHas("Befehlszeile bereit")) << a.log();

  // A's switch to B's table is refused while B runs: two messages, and A stays on its own.
  const unsigned long list = a.userList();
  ASSERT_NE(list, 0u) << a.log();
  test::keepScreenshot(a.env, a.watch, list, "e2e_network_user_list");
  a.keys({"Down", "alt+w"});
  ASSERT_TRUE(a.answer("Problem", "Return")) << a.log();
  ASSERT_TRUE(a.answer("Problem", "Return")) << a.log();
  EXPECT_TRUE(
      a.logHas("BRANDT bleibt geschlossen; zur\xFC"
               "ck zu SCHMIDT"))
      << a.log();

  // Once B has ended, B's command line works on B's own table, and A's switch goes through.
  EXPECT_EQ(b.close(), 0);
  const test::RunResult added = test::run(
      {b.program.string(), "--add", "Notiz von B", "--date", "24.12.2030", "--time", "14:00"},
      b.env, 60s);
  EXPECT_EQ(added.status, 0) << added.output;
  const auto brandt = test::readWithDbfread(shared / "BRANDT.TER");
  EXPECT_TRUE(std::any_of(brandt.records.begin(), brandt.records.end(), [](const auto& r) {
    return r.at("TEXT") == "Notiz von B";
  })) << brandt.output;
  ASSERT_NE(a.userList(), 0u) << a.log();
  a.keys({"Down", "alt+w"});
  ASSERT_TRUE(test::waitUntil(
      [&] {
        return count(a.log(),
                     "Datenbank-Struktur pr\xFC"
                     "fen: BRANDT") == 2;
      },
      30s))
      << a.log();
  EXPECT_EQ(count(a.log(), "bleibt geschlossen"), 1u);
  EXPECT_EQ(a.close(), 0);
  EXPECT_FALSE(fs::exists(a.folder() / "Zorvane.Run"));

  // A's next start opens A's own table, and cleaning the registry removes the entry whose table
  // is gone (both questions answered with their preselected yes).
  registerWithoutTable(registry);
  a.start();
  a.mainWindow = a.watch.waitShown(kTitle, 60s);
  ASSERT_NE(a.mainWindow, 0u);
  ASSERT_TRUE(test::waitUntil(
      [&] {
        return a.logHas(
            "Struktur pr\xFC"
            "fen: SCHMIDT");
      },
      30s))
      << a.log();
  EXPECT_FALSE(a.logHas("fen: BRANDT"));
  ASSERT_TRUE(test::activate(a.env, a.mainWindow));
  a.keys({"alt+e"});
  std::this_thread::sleep_for(700ms);
  a.keys({"d"});
  ASSERT_TRUE(a.answer("Pflege", "Return")) << a.log();
  ASSERT_TRUE(a.answer("Problem", "Return")) << a.log();
  EXPECT_EQ(a.close(), 0);
  EXPECT_EQ(registeredNames(registry),
            (std::vector<std::string>{"Anna Schmidt=SCHMIDT", "Bert Brandt=BRANDT"}));

  // "&Deinstallieren" on B removes B's entry, table and workstation file.
  b.start();
  b.mainWindow = b.watch.waitShown(kTitle, 60s);
  ASSERT_NE(b.mainWindow, 0u);
  ASSERT_TRUE(test::activate(b.env, b.mainWindow));
  b.keys({"alt+d"});
  std::this_thread::sleep_for(700ms);
  b.keys({"d"});
  ASSERT_TRUE(b.answer("Deinstallation", "alt+j")) << b.log();
  EXPECT_EQ(b.process->waitFor(60s), 0) << b.log();
  EXPECT_TRUE(b.logHas("Benutzer Bert Brandt deinstalliert")) << b.log();
  EXPECT_FALSE(fs::exists(b.folder() / "ZORVANE.INI"));
  for (const char* ext : {".TER", ".DBT", ".NT1", ".NT2", ".NT3", ".NT4"})
    EXPECT_FALSE(fs::exists(shared / (std::string("BRANDT") + ext))) << ext;
  EXPECT_TRUE(fs::exists(shared / "SCHMIDT.TER"));
  EXPECT_EQ(registeredNames(registry), std::vector<std::string>{"Anna Schmidt=SCHMIDT"});
  EXPECT_EQ(test::readWithDbfread(registry).deleted, 0);  // packed at B's end
  test::keepArtifact("e2e_network_a.log", a.log());
  test::keepArtifact("e2e_network_b.log", b.log());
}

}  // namespace
}  // namespace zrv
