#include "support/installed_program.h"

#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "app/context.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/logbook.h"

namespace zrv::test {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

void keepArtifact(const std::string& name, const std::string& text) {
  std::ofstream(artifactDir() / name, std::ios::binary) << text;
}

RunResult installInto(const fs::path& dir, const std::string& component) {
  std::vector<std::string> argv{"cmake", "--install", binaryDir(), "--prefix", dir.string()};
  if (!component.empty()) {
    argv.push_back("--component");
    argv.push_back(component);
  }
  return run(argv);
}

void writeTable(const fs::path& base, const std::vector<Appointment>& records, const Clock& clock) {
  ASSERT_TRUE(Table::create(appointmentTableFile(base), terStruct(), clock));
  auto table = AppointmentTable::open(base, clock, {});
  ASSERT_TRUE(table) << table.message();
  for (const Appointment& a : records)
    ASSERT_TRUE((*table)->append(a));
  ASSERT_TRUE((*table)->commit());
  ASSERT_TRUE((*table)->close());
}

void writeTable(const fs::path& base, const Appointment& a, const Clock& clock) {
  writeTable(base, std::vector<Appointment>{a}, clock);
}

Appointment withTrigger(Appointment a, const Clock& clock) {
  const TestDir scratch;
  Logbook off(scratch / "unused.log", kRelease, clock);
  applyTriggerRule(a, off);
  return a;
}

bool windowListed(const EnvChanges& env, const std::string& title) {
  return run({"wmctrl", "-l"}, env, 5s).output.find(title) != std::string::npos;
}

bool activate(const EnvChanges& env, unsigned long window) {
  const std::string id = std::to_string(window);
  return waitUntil(
      [&] {
        (void)run({"xdotool", "windowactivate", "--sync", id}, env, 10s);
        const auto active = run({"xdotool", "getactivewindow"}, env, 5s);
        return active.status == 0 && active.output.substr(0, active.output.find('\n')) == id;
      },
      30s);
}

void keepScreenshot(const EnvChanges& env, WindowWatch& watch, unsigned long window,
                    const std::string& name) {
  const auto r = watch.frameRect(window);
  ASSERT_GT(r.width, 0) << name;
  const auto file = artifactDir() / (name + ".png");
  const std::string crop = std::to_string(r.width) + "x" + std::to_string(r.height) + "+" +
                           std::to_string(r.x) + "+" + std::to_string(r.y);
  const auto shot =
      run({"import", "-window", "root", "-crop", crop, "+repage", file.string()}, env, 20s);
  EXPECT_EQ(shot.status, 0) << shot.output;
}

InstalledProgram::InstalledProgram(const std::string& settings) {
  const auto installed = installInto(dir.path());
  EXPECT_EQ(installed.status, 0) << installed.output;
  if (!settings.empty()) dir.write("ZORVANE.SAV", settings);
  env = display.environment();
  env["XDG_CONFIG_HOME"] = (dir / "config").string();
  env["SDL_AUDIODRIVER"] = "dummy";
}

std::string InstalledProgram::whyNotReady() const {
  return "Xvfb with openbox did not start:\n" + display.diagnostics();
}

void InstalledProgram::start() {
  program = std::make_unique<Process>(std::vector<std::string>{(dir / "zorvane").string()}, env);
}

unsigned long InstalledProgram::startShown() {
  start();
  mainWindow = watch.waitShown(kTitle, 60s);
  return mainWindow;
}

void InstalledProgram::keys(std::vector<std::string> names) {
  names.insert(names.begin(), {"xdotool", "key", "--delay", "80"});
  const auto r = run(names, env, 30s);
  EXPECT_EQ(r.status, 0) << r.output;
  std::this_thread::sleep_for(300ms);
}

void InstalledProgram::type(const std::string& text) {
  const auto r = run({"xdotool", "type", "--delay", "80", text}, env, 30s);
  EXPECT_EQ(r.status, 0) << r.output;
  std::this_thread::sleep_for(300ms);
}

unsigned long InstalledProgram::open(unsigned long from, const std::vector<std::string>& names,
                                     const std::string& title) {
  if (!activate(env, from)) return 0;
  keys(names);
  const unsigned long w = watch.waitShown(title, 30s);
  if (w != 0 && !activate(env, w)) return 0;
  std::this_thread::sleep_for(300ms);
  return w;
}

unsigned long InstalledProgram::openThroughMenu(unsigned long from, const std::string& menuKey,
                                                const std::string& letter,
                                                const std::string& title) {
  unsigned long w = 0;
  for (int attempt = 0; attempt < 3 && w == 0; ++attempt) {
    if (!activate(env, from)) return 0;
    run({"xdotool", "key", menuKey}, env, 10s);
    std::this_thread::sleep_for(300ms + 500ms * attempt);
    run({"xdotool", "key", letter}, env, 10s);
    w = watch.waitShown(title, 10s);
    if (w == 0) run({"xdotool", "key", "Escape", "Escape"}, env, 10s);
  }
  if (w != 0 && !activate(env, w)) return 0;
  std::this_thread::sleep_for(500ms);
  return w;
}

bool InstalledProgram::closed(const std::string& title) const {
  return waitUntil([&] { return !windowListed(env, title); }, 30s);
}

unsigned long InstalledProgram::calendarWindow() const {
  const std::string list = run({"wmctrl", "-l"}, env, 5s).output;
  for (std::size_t at = list.find(kTitle); at != std::string::npos;
       at = list.find(kTitle, at + 1)) {
    const std::size_t line = list.rfind('\n', at) + 1;
    const unsigned long id = std::stoul(list.substr(line, list.find(' ', line) - line), 0, 16);
    if (id != mainWindow) return id;
  }
  return 0;
}

void InstalledProgram::closeMainWindow() {
  const auto closed = run({"wmctrl", "-F", "-c", kTitle}, env, 5s);
  ASSERT_EQ(closed.status, 0) << closed.output;
  const auto status = program->waitFor(60s);
  ASSERT_TRUE(status.has_value()) << "the program did not end after its window was closed";
  EXPECT_EQ(*status, 0);
}

void InstalledProgram::endOnTerm() {
  program->terminate();
  const auto status = program->waitFor(60s);
  ASSERT_TRUE(status.has_value()) << "the program did not end on a term";
  EXPECT_EQ(*status, 0);
}

}  // namespace zrv::test
