// The installed program's appointment editor as a user meets it: appointments are created with
// Insert, an existing one is filed with Enter and "Ab&legen" and brought back from the filed
// view with "&Reaktivieren", recurrence details are set in their windows, all with keys only;
// the table is then read with an independent dBASE reader.
// Screenshots of the editor and the details windows are kept in test-artifacts/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "app/context.h"
#include "platform/system_clock.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/logbook.h"
#include "support/process.h"
#include "support/test_dir.h"
#include "support/virtual_display.h"
#include "support/window_watch.h"
#include "ui_test_util.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kTitle = "QLS Zorvane v2.00.65";
const std::string kEditor = "Termin-Verwaltung";

std::string binaryDir() {
  const char* env = std::getenv("ZRV_BINARY_DIR");
  return env ? env : ZRV_BINARY_DIR;
}

// One record as the independent reader gives it: field name -> value text.
using Record = std::map<std::string, std::string>;

std::vector<Record> readTable(const fs::path& file) {
  const fs::path script = fs::path(ZRV_SOURCE_DIR) / "tests" / "store" / "dbf_dump.py";
  const auto r = test::run({"/usr/bin/python3", script.string(), file.string()});
  EXPECT_EQ(r.status, 0) << r.output;
  std::vector<Record> records;
  std::istringstream lines(r.output);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("record ")) {
      records.emplace_back();
    } else if (!records.empty() && line.find('=') != std::string::npos) {
      records.back()[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
  }
  return records;
}

const Record* withField(const std::vector<Record>& records, const std::string& field,
                        const std::string& value) {
  for (const Record& r : records) {
    if (r.count(field) && r.at(field) == value) return &r;
  }
  return nullptr;
}

const Record* withText(const std::vector<Record>& records, const std::string& text) {
  return withField(records, "TEXT", text);
}

std::string iso(const Date& d) {
  const std::string s = d.dtos();
  return s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2);
}

// Digits of a date as typed into a "99.99.9999" field.
std::string typed(const Date& d) {
  const std::string s = d.toDisplay();
  return s.substr(0, 2) + s.substr(3, 2) + s.substr(6, 4);
}

class Desk {
 public:
  Desk() {
    const auto installed = test::run({"cmake", "--install", binaryDir(), "--prefix", dir.path()});
    EXPECT_EQ(installed.status, 0) << installed.output;
    dir.write("ZORVANE.SAV", "[SETUP]\r\nLOGBUCH=1\r\n");
    Appointment a;
    a.DATE = clock.today() + 30;
    a.TIME = a.TIMEVON = "10:00";
    a.TEXT = "Zahnarzt";
    a.VORLAGE = 1;
    a.TERMINART = "TA7";
    Logbook off(dir.path() / "unused.log", kRelease, clock);
    applyTriggerRule(a, off);
    Appointment filed = a;
    filed.DATE = clock.today() + 60;
    filed.TEXT = "Steuerberater";
    filed.QUIT = true;
    applyTriggerRule(filed, off);
    EXPECT_TRUE(Table::create(appointmentTableFile(dir.path() / "ZORVANE"), terStruct(), clock));
    auto table = AppointmentTable::open(dir.path() / "ZORVANE", clock, {});
    EXPECT_TRUE(table) << table.message();
    if (table) {
      EXPECT_TRUE((*table)->append(a));
      EXPECT_TRUE((*table)->append(filed));
      EXPECT_TRUE((*table)->commit());
      EXPECT_TRUE((*table)->close());
    }
    env = display.environment();
    env["XDG_CONFIG_HOME"] = (dir / "config").string();
    env["SDL_AUDIODRIVER"] = "dummy";
  }
  bool ready() const { return display.ready() && watch.ready(); }
  void start() {
    program =
        std::make_unique<test::Process>(std::vector<std::string>{(dir / "zorvane").string()}, env);
    mainWindow = watch.waitShown(kTitle, 60s);
  }

  // Gives `window` the keyboard and waits until the window manager reports it active.
  bool activate(unsigned long window) {
    const std::string id = std::to_string(window);
    return test::waitUntil(
        [&] {
          (void)test::run({"xdotool", "windowactivate", "--sync", id}, env, 10s);
          const auto active = test::run({"xdotool", "getactivewindow"}, env, 5s);
          return active.status == 0 && active.output.substr(0, active.output.find('\n')) == id;
        },
        30s);
  }
  void keys(std::vector<std::string> names) {
    names.insert(names.begin(), {"xdotool", "key", "--delay", "80"});
    const auto r = test::run(names, env, 30s);
    EXPECT_EQ(r.status, 0) << r.output;
    std::this_thread::sleep_for(300ms);
  }
  void type(const std::string& text) {
    const auto r = test::run({"xdotool", "type", "--delay", "80", text}, env, 30s);
    EXPECT_EQ(r.status, 0) << r.output;
    std::this_thread::sleep_for(300ms);
  }
  bool listed(const std::string& title) {
    return test::run({"wmctrl", "-l"}, env, 5s).output.find(title) != std::string::npos;
  }
  // Opens a window with `key` from the main window; its id, 0 when it did not come.
  unsigned long open(const std::string& key, const std::string& title) {
    if (!activate(mainWindow)) return 0;
    keys({key});
    const unsigned long w = watch.waitShown(title, 30s);
    if (w != 0 && !activate(w)) return 0;
    std::this_thread::sleep_for(300ms);
    return w;
  }
  bool closed(const std::string& title) {
    return test::waitUntil([&] { return !listed(title); }, 30s);
  }
  void screenshot(unsigned long window, const std::string& name) {
    const auto r = watch.frameRect(window);
    ASSERT_GT(r.width, 0) << name;
    const auto file = test::artifactDir() / (name + ".png");
    const std::string crop = std::to_string(r.width) + "x" + std::to_string(r.height) + "+" +
                             std::to_string(r.x) + "+" + std::to_string(r.y);
    const auto shot =
        test::run({"import", "-window", "root", "-crop", crop, "+repage", file.string()}, env, 20s);
    EXPECT_EQ(shot.status, 0) << shot.output;
  }
  // Ends the program by closing its window; true when it ended normally.
  bool finish() {
    (void)test::run({"wmctrl", "-F", "-c", kTitle}, env, 5s);
    const auto status = program->waitFor(60s);
    return status && *status == 0;
  }

  SystemClock clock;
  test::TestDir dir;
  test::VirtualDisplay display;
  test::WindowWatch watch{display.name()};
  test::EnvChanges env;
  std::unique_ptr<test::Process> program;
  unsigned long mainWindow = 0;
};

TEST(EditorEndToEnd, AppointmentsAreCreatedFiledAndGivenTheirRecurrenceWithKeys) {
  Desk desk;
  ASSERT_TRUE(desk.ready()) << "Xvfb with openbox did not start:\n" << desk.display.diagnostics();
  desk.start();
  ASSERT_NE(desk.mainWindow, 0u) << "no main window";
  const Date today = desk.clock.today();
  Date monday = today + 1;
  while (monday.dow() != 2)
    monday = monday + 1;
  const Date april10 = *Date::fromYmd(today.year() + 1, 4, 10);

  // Enter on the only current appointment, then "Ab&legen".
  unsigned long editor = desk.open("Return", kEditor);
  ASSERT_NE(editor, 0u) << "Enter opened no editor";
  desk.keys({"alt+l"});
  ASSERT_TRUE(desk.closed(kEditor));

  // The filed view through the menu "&Anzeige", "Nur a&bgelegte Termine": the one just filed
  // comes first (the other filed one is a month later); "&Reaktivieren" brings it back.
  ASSERT_TRUE(desk.activate(desk.mainWindow));
  desk.keys({"alt+a", "b"});
  std::this_thread::sleep_for(500ms);
  desk.screenshot(desk.mainWindow, "e2e_editor_filed_view");
  editor = desk.open("Return", kEditor);
  ASSERT_NE(editor, 0u) << "Enter in the filed view opened no editor";
  desk.keys({"alt+r"});
  ASSERT_TRUE(desk.closed(kEditor));

  // 14:00 with 15 minutes' warning tomorrow.
  editor = desk.open("Insert", kEditor);
  ASSERT_NE(editor, 0u) << "Insert opened no editor";
  desk.keys({"Home"});
  desk.type(typed(today + 1));
  desk.keys({"Tab"});
  desk.type("1400");
  desk.keys({"Tab"});
  desk.type("15");
  desk.keys({"Tab", "Tab", "Tab"});  // kind, recurrence, text
  desk.type("Vorwarnung 15");
  desk.screenshot(editor, "e2e_editor");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed(kEditor));

  // 01:00 with 90 minutes' warning: the alarm comes the evening before.
  ASSERT_NE(desk.open("Insert", kEditor), 0u);
  desk.keys({"Home"});
  desk.type(typed(today + 2));
  desk.keys({"Tab"});
  desk.type("0100");
  desk.keys({"Tab"});
  desk.type("90");
  desk.keys({"Tab", "Tab", "Tab"});
  desk.type("Vorwarnung 90");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed(kEditor));

  // "&Abbrechen" on a new appointment leaves nothing behind.
  ASSERT_NE(desk.open("Insert", kEditor), 0u);
  desk.type("Verworfen");
  desk.keys({"alt+a"});
  ASSERT_TRUE(desk.closed(kEditor));

  // A program start: the typed lead time is not kept.
  editor = desk.open("Insert", kEditor);
  ASSERT_NE(editor, 0u);
  desk.keys({"Home"});
  desk.type(typed(today + 1));
  desk.keys({"Tab"});
  desk.type("1500");
  desk.keys({"Tab"});
  desk.type("30");
  desk.keys({"Tab", "End", "Up"});   // the kinds end with "Programmstart", "Dateiversand"
  desk.keys({"Tab", "Tab", "Tab"});  // recurrence, text, program
  desk.type("/bin/true");
  desk.screenshot(editor, "e2e_editor_program");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed(kEditor));

  // Daily on Wednesday and Friday, entered for a Monday: it moves to the Wednesday.
  ASSERT_NE(desk.open("Insert", kEditor), 0u);
  desk.keys({"Home"});
  desk.type(typed(monday));
  desk.keys({"Tab", "Tab", "Tab", "Tab", "Home", "Down", "Down"});  // "täglich"
  desk.keys({"Tab", "Tab"});
  desk.type("Mittwoch und Freitag");
  desk.keys({"alt+d"});
  unsigned long details = desk.watch.waitShown("Details", 30s);
  ASSERT_NE(details, 0u) << "no details window";
  ASSERT_TRUE(desk.activate(details));
  // Montag, Dienstag off; Mittwoch on; Donnerstag off; Freitag on; Samstag, Sonntag off.
  desk.keys({"Tab", "space", "Tab", "space", "Tab", "Tab", "space", "Tab", "Tab", "space", "Tab",
             "space"});
  desk.screenshot(details, "e2e_details_daily");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed("Details"));
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed(kEditor));

  // Monthly on day 99 from 10 April: the last of April, "Ultimo".
  editor = desk.open("Insert", kEditor);
  ASSERT_NE(editor, 0u);
  desk.keys({"Home"});
  desk.type(typed(april10));
  desk.keys({"Tab", "Tab", "Tab", "Tab", "Home", "Down", "Down", "Down", "Down"});  // "monatlich"
  desk.keys({"Tab", "Tab"});
  desk.type("Miete");
  desk.keys({"alt+d"});
  details = desk.watch.waitShown("Details", 30s);
  ASSERT_NE(details, 0u) << "no details window";
  ASSERT_TRUE(desk.activate(details));
  desk.type("99");
  desk.keys({"Tab"});
  desk.screenshot(details, "e2e_details_monthly");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed("Details"));
  std::this_thread::sleep_for(300ms);
  desk.screenshot(editor, "e2e_editor_monthly");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed(kEditor));

  std::this_thread::sleep_for(500ms);
  desk.screenshot(desk.mainWindow, "e2e_editor_main_window");
  ASSERT_TRUE(desk.finish()) << "the program did not end normally";
  const std::string log = desk.dir.read("Zorvane.Log");
  std::ofstream(test::artifactDir() / "e2e_editor_Zorvane.Log", std::ios::binary) << log;

  const auto records = readTable(desk.dir / "ZORVANE.TER");
  EXPECT_EQ(records.size(), 7u) << "five new appointments beside the two given, none cancelled";
  const Record* reactivated = withText(records, "Zahnarzt");
  ASSERT_TRUE(reactivated);
  EXPECT_EQ(reactivated->at("QUIT"), "F");
  EXPECT_EQ(reactivated->at("TERMINART"), "TA7");
  const Record* stillFiled = withText(records, "Steuerberater");
  ASSERT_TRUE(stillFiled);
  EXPECT_EQ(stillFiled->at("QUIT"), "T");
  // The list went back to the current appointments and the program ended in that view.
  EXPECT_NE(log.find("call von: MAbgTer"), std::string::npos);
  const std::string ini = desk.dir.read("ZORVANE.SAV");
  EXPECT_NE(ini.find("TODAY=1"), std::string::npos) << ini;

  const Record* lead15 = withText(records, "Vorwarnung 15");
  ASSERT_TRUE(lead15) << log;
  EXPECT_EQ(lead15->at("DATE"), iso(today + 1));
  EXPECT_EQ(lead15->at("TIME"), "14:00");
  EXPECT_EQ(lead15->at("TIMEVON"), "14:00");
  EXPECT_EQ(lead15->at("WARNMIN"), "15");
  EXPECT_EQ(lead15->at("TDATE"), iso(today + 1));
  EXPECT_EQ(lead15->at("TTIME"), "13:45");
  EXPECT_EQ(lead15->at("QUIT"), "F");

  const Record* lead90 = withText(records, "Vorwarnung 90");
  ASSERT_TRUE(lead90);
  EXPECT_EQ(lead90->at("TDATE"), iso(today + 1));
  EXPECT_EQ(lead90->at("TTIME"), "23:30");

  // Passing "Dateiversand" on the way gave the empty text that kind's name.
  const Record* program = withField(records, "TERMINART", "TA20");
  ASSERT_TRUE(program);
  EXPECT_EQ(program->at("TEXT"), "Dateiversand");
  EXPECT_EQ(program->at("PROGSTART"), "/bin/true");
  EXPECT_EQ(program->at("WARNMIN"), "0");
  EXPECT_EQ(program->at("TTIME"), "15:00");

  const Record* daily = withText(records, "Mittwoch und Freitag");
  ASSERT_TRUE(daily);
  EXPECT_EQ(daily->at("VORLAGE"), "3");
  EXPECT_EQ(daily->at("WEEKDAYS"), "---X-X-");
  EXPECT_EQ(daily->at("DATE"), iso(monday + 2));

  const Record* monthly = withText(records, "Miete");
  ASSERT_TRUE(monthly);
  EXPECT_EQ(monthly->at("VORLAGE"), "5");
  EXPECT_EQ(monthly->at("DATE"), iso(*Date::fromYmd(today.year() + 1, 4, 30)));
  EXPECT_EQ(monthly->at("MONTHDAY"), "99");
  EXPECT_EQ(monthly->at("REPDATE"), iso(*Date::fromYmd(today.year() + 3, 4, 30)));

  EXPECT_NE(log.find("(EditTermin) Neuer Termin"), std::string::npos);
  EXPECT_NE(log.find("(EditTermin) Termin "
                     "\xE4"
                     "ndern"),
            std::string::npos);
  EXPECT_NE(
      log.find("(EditTermin) Vorwarntermin berechnen " + (today + 1).toDisplay() + " 14:00:00"),
      std::string::npos);
}

}  // namespace
}  // namespace zrv
