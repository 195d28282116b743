// The resident shell as a user meets it, with the installed program on a display of its own:
// questions over the window that raised them and in German, a window that stays reachable when
// the notification area ends, "Zum aktuellen Termin", the window's place across restarts and
// tray cycles, a stop request while a dialog of the toolkit's own is open, and alerts at their
// minute. Files are read back with an independent reader, screens with OCR.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>

#include "platform/system_clock.h"
#include "store/base/clock.h"
#include "support/installed_program.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::kTitle;

Appointment appointment(const Clock& clock, const Date& date, const std::string& time,
                        const std::string& text) {
  Appointment a;
  a.DATE = date;
  a.TIME = a.TIMEVON = time;
  a.TEXT = text;
  a.TERMINART = "TA4";
  return test::withTrigger(a, clock);
}

// What the independent reader says of the table: "count N deleted M" and the live records.
std::string dump(const test::TestDir& dir) {
  return test::run({"/usr/bin/python3", std::string(ZRV_SOURCE_DIR) + "/tests/store/dbf_dump.py",
                    "--display", (dir / "ZORVANE.TER").string()})
      .output;
}

// The words a person reads in the screenshot `name` (scaled 3x for OCR).
std::string readScreenshot(const std::string& name) {
  const fs::path shot = test::artifactDir() / (name + ".png");
  const fs::path big = test::artifactDir() / (name + "_ocr.png");
  test::run({"convert", shot.string(), "-resize", "300%", big.string()});
  const std::string text =
      test::run({"tesseract", big.string(), "-", "-l", "deu", "--psm", "11"}, {}, 60s).output;
  fs::remove(big);
  return text;
}

bool hasWord(const std::string& text, const std::string& word) {
  return std::regex_search(text, std::regex("\\b" + word + "\\b"));
}

// The client windows bottom to top, as the window manager stacks them.
std::vector<unsigned long> stacking(const test::EnvChanges& env) {
  const std::string out =
      test::run({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"}, env, 5s).output;
  std::vector<unsigned long> ids;
  const std::regex id("0x[0-9a-f]+");
  for (auto it = std::sregex_iterator(out.begin(), out.end(), id); it != std::sregex_iterator();
       ++it)
    ids.push_back(std::stoul(it->str(), nullptr, 16));
  return ids;
}

long stackPlace(const test::EnvChanges& env, unsigned long window) {
  const auto ids = stacking(env);
  const auto at = std::find(ids.begin(), ids.end(), window);
  return at == ids.end() ? -1 : at - ids.begin();
}

// A notification area (trayer) on the display; its panel grows once an icon is embedded.
class TrayHost {
 public:
  explicit TrayHost(const test::EnvChanges& env) : env_(env) { start(); }
  void start() {
    host_ = std::make_unique<test::Process>(
        std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype",
                                 "request", "--height", "32", "--SetDockType", "false",
                                 "--transparent", "false"},
        env_);
  }
  void end() {
    host_->terminate();
    (void)host_->waitFor(10s);
  }
  // The icon's middle on the screen once one is embedded.
  std::optional<std::pair<std::string, std::string>> icon() {
    std::optional<std::pair<std::string, std::string>> at;
    test::waitUntil(
        [&] {
          const auto tree = test::run({"xwininfo", "-root", "-tree"}, env_, 5s).output;
          const std::regex panel(
              R"re("panel": \("panel" "trayer"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))re");
          std::smatch m;
          if (!std::regex_search(tree, m, panel) || std::stoi(m[1]) < 16) return false;
          at.emplace(std::to_string(std::stoi(m[3]) + std::stoi(m[1]) / 2),
                     std::to_string(std::stoi(m[4]) + std::stoi(m[2]) / 2));
          return true;
        },
        60s);
    return at;
  }
  void click() {
    const auto at = icon();
    ASSERT_TRUE(at) << "no tray icon";
    ASSERT_EQ(
        test::run({"xdotool", "mousemove", at->first, at->second, "click", "1"}, env_, 10s).status,
        0);
  }

 private:
  const test::EnvChanges& env_;
  std::unique_ptr<test::Process> host_;
};

// The delete question of an alert opens over the always-on-top alert, belongs to it, and asks
// "Ja"/"Nein"; Return deletes the appointment.
TEST(ShellEndToEnd, TheAlertsDeleteQuestionOpensAboveItAndAsksInGerman) {
  test::InstalledProgram p("[SYSTEM]\r\nTimer=1\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  SystemClock clock;
  test::writeTable(p.dir / "ZORVANE", appointment(clock, clock.today(), clock.hhmm(), "Zahnarzt"),
                   clock);
  ASSERT_NE(p.startShown(), 0u);
  const unsigned long alert = p.watch.waitShown("Aktueller Termin", 60s);
  ASSERT_NE(alert, 0u) << "no alert";
  ASSERT_TRUE(test::activate(p.env, alert));
  p.keys({"alt+l"});  // "&Löschen"
  const unsigned long question = p.watch.waitShown("schen", 30s);
  ASSERT_NE(question, 0u) << "no question";
  std::this_thread::sleep_for(500ms);
  EXPECT_GT(stackPlace(p.env, question), stackPlace(p.env, alert))
      << "the question lies under the alert";
  const std::string owner =
      test::run({"xprop", "-id", std::to_string(question), "WM_TRANSIENT_FOR"}, p.env, 5s).output;
  std::ostringstream alertId;
  alertId << std::hex << alert;
  EXPECT_NE(owner.find("0x" + alertId.str()), std::string::npos) << owner;
  test::keepScreenshot(p.env, p.watch, question, "e2e_delete_question");
  const std::string words = readScreenshot("e2e_delete_question");
  EXPECT_TRUE(hasWord(words, "Ja") && hasWord(words, "Nein")) << words;
  EXPECT_FALSE(hasWord(words, "Yes") || hasWord(words, "No")) << words;

  ASSERT_TRUE(test::activate(p.env, question));
  p.keys({"Return"});
  ASSERT_TRUE(p.closed("Aktueller Termin"));
  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
  EXPECT_NE(dump(p.dir).find("count 0 deleted 0"), std::string::npos) << dump(p.dir);  // packed
}

// Hidden to the tray, then the notification area ends: the window comes back on screen. When a
// tray host returns the icon is there again and hides the window on a click.
TEST(ShellEndToEnd, TheWindowComesBackWhenTheTrayHostEndsAndTheIconWhenOneReturns) {
  test::InstalledProgram p("[SYSTEM]\r\nAsIcon=Yes\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  TrayHost tray(p.env);
  p.start();
  ASSERT_TRUE(tray.icon()) << "no tray icon";
  ASSERT_TRUE(test::waitUntil([&] { return p.logHas("DlgAfterActivate"); }, 30s));
  ASSERT_EQ(p.watch.wmState(p.watch.find(kTitle)), 0) << "the window is not hidden";

  tray.end();
  const unsigned long window = p.watch.waitShown(kTitle, 20s);
  ASSERT_NE(window, 0u) << "the window stayed hidden without a notification area";
  EXPECT_EQ(p.watch.wmState(window), test::WindowWatch::kNormal);
  EXPECT_TRUE(p.logHas("(TrayIcon) Der Infobereich ist nicht mehr vorhanden")) << p.log();

  tray.start();
  ASSERT_NO_FATAL_FAILURE(tray.click());
  EXPECT_TRUE(test::waitUntil([&] { return p.watch.wmState(window) == 0; }, 20s))
      << "the icon did not come back";
  ASSERT_NO_FATAL_FAILURE(p.endOnTerm());
}

// "Zum aktuellen Termin" puts the list's cursor on the next appointment, which "Termin ins
// ClipBoard kopieren" then copies.
TEST(ShellEndToEnd, ZumAktuellenTerminSelectsTheNextAppointment) {
  test::InstalledProgram p("[SETUP]\r\nLOGBUCH=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  SystemClock clock;
  const Date later = clock.today() + 3;
  test::writeTable(p.dir / "ZORVANE",
                   {appointment(clock, later, "10:00", "Erster Termin"),
                    appointment(clock, later, "11:00", "Zweiter Termin"),
                    appointment(clock, later, "12:00", "Dritter Termin")},
                   clock);
  const unsigned long window = p.startShown();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(test::waitUntil([&] { return p.logHas("DlgAfterActivate"); }, 30s));
  ASSERT_TRUE(test::activate(p.env, window));
  p.keys({"Down", "Down"});
  p.keys({"alt+g", "a"});  // "Gehe zu" / "Zum aktuellen Termin"
  ASSERT_TRUE(test::waitUntil([&] { return p.logHas("call von: MAHAV"); }, 10s));
  // "Termine" / "Termin ins ClipBoard &kopieren" (the first of two entries with that letter)
  p.keys({"alt+t", "k", "Return"});
  std::string copied;
  EXPECT_TRUE(test::waitUntil(
      [&] {
        copied = test::run({"xclip", "-o", "-selection", "clipboard"}, p.env, 5s).output;
        return copied.find("Termin") != std::string::npos;
      },
      10s));
  EXPECT_NE(copied.find("Erster Termin"), std::string::npos) << copied;
  ASSERT_NE(p.watch.waitShown("Kopieren", 20s), 0u);  // the copy is confirmed
  p.keys({"Return"});
  ASSERT_TRUE(p.closed("Kopieren"));
  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
}

// Where the window manager shows the window (its frame included) and what the settings hold.
struct Place {
  test::WindowWatch::Rect frame;
  std::string saved;  // Top,Left,Bottom,Right of the settings file
};

std::string savedRect(const test::TestDir& dir) {
  const std::string ini = dir.read("ZORVANE.INI");
  std::string out;
  for (const char* key : {"Top=", "Left=", "Bottom=", "Right="}) {
    const auto at = ini.find(key);
    out += at == std::string::npos ? "?" : ini.substr(at, ini.find('\r', at) - at);
    out += ' ';
  }
  return out;
}

std::string text(const test::WindowWatch::Rect& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
         std::to_string(r.height);
}

// The window keeps its place and size exactly across tray hide/show cycles and a restart.
TEST(ShellEndToEnd, PlaceAndSizeSurviveTrayCyclesAndARestart) {
  test::InstalledProgram p(
      "[SYSTEM]\r\nTop=150\r\nLeft=220\r\nBottom=649\r\nRight=859\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  TrayHost tray(p.env);
  unsigned long window = p.startShown();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(test::waitUntil([&] { return p.logHas("DlgAfterActivate"); }, 30s));
  std::this_thread::sleep_for(1s);
  const auto first = p.watch.frameRect(window);
  EXPECT_EQ(text(first), "220,150 640x500") << "the saved place was not taken";
  for (int cycle = 0; cycle < 3; ++cycle) {
    ASSERT_NO_FATAL_FAILURE(tray.click());
    ASSERT_TRUE(test::waitUntil([&] { return p.watch.wmState(window) == 0; }, 20s));
    ASSERT_NO_FATAL_FAILURE(tray.click());
    ASSERT_TRUE(test::waitUntil(
        [&] { return p.watch.wmState(window) == test::WindowWatch::kNormal; }, 20s));
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(text(p.watch.frameRect(window)), text(first)) << "after cycle " << cycle + 1;
  }
  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
  const std::string saved = savedRect(p.dir);
  EXPECT_EQ(saved, "Top=150 Left=220 Bottom=649 Right=859 ");

  window = p.startShown();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(test::waitUntil([&] { return p.logHas("DlgAfterActivate"); }, 30s));
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(text(p.watch.frameRect(window)), text(first)) << "after a restart";
  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
  EXPECT_EQ(savedRect(p.dir), saved);
}

// A stop request ends the toolkit's own dialogs like the program's windows: the file chooser
// (in German) and a yes/no question, which then counts as "no".
TEST(ShellEndToEnd, AStopRequestEndsTheFileChooserAndAQuestion) {
  SystemClock clock;
  for (const bool question : {false, true}) {
    SCOPED_TRACE(question ? "question" : "file chooser");
    test::InstalledProgram p("[SETUP]\r\nLOGBUCH=1\r\n");
    ASSERT_TRUE(p.ready()) << p.whyNotReady();
    test::writeTable(p.dir / "ZORVANE", appointment(clock, clock.today() + 2, "10:00", "Bleibt"),
                     clock);
    const unsigned long window = p.startShown();
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(test::waitUntil([&] { return p.logHas("DlgAfterActivate"); }, 30s));
    if (question) {
      ASSERT_NE(p.open(window, {"Delete"}, "Frage"), 0u) << "no question";
    } else {
      const unsigned long chooser =
          p.openThroughMenu(window, "alt+d", "odiaeresis", "Termin-Datei");
      ASSERT_NE(chooser, 0u) << "no file chooser";
      test::keepScreenshot(p.env, p.watch, chooser, "e2e_file_chooser");
      const std::string words = readScreenshot("e2e_file_chooser");
      EXPECT_TRUE(hasWord(words, "Abbrechen")) << words;
      EXPECT_FALSE(hasWord(words, "Cancel") || hasWord(words, "Open") || hasWord(words, "Recent"))
          << words;
    }
    ASSERT_NO_FATAL_FAILURE(p.endOnTerm());
    EXPECT_NE(dump(p.dir).find("count 1 deleted 0"), std::string::npos) << dump(p.dir);
    EXPECT_TRUE(p.log().ends_with(" (Zorvane) Beendet\r\n")) << p.log();
  }
}

// With an interval of an hour, an appointment overdue at the start is presented right after it,
// and the next one at its minute.
TEST(ShellEndToEnd, AlertsComeAtTheirMinuteAndRightAfterTheStart) {
  test::InstalledProgram p("[SYSTEM]\r\nTimer=3600\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  SystemClock clock;
  // The next minute that is at least 20 seconds away.
  const Moment now = clock.now();
  const int wait = 60 - now.secondsOfDay % 60 + (now.secondsOfDay % 60 > 40 ? 60 : 0);
  const long at = now.secondsOfDay + wait;
  const Date nextDate = at >= 86400 ? now.date + 1 : now.date;
  const std::string nextTime = formatTimeOfDay(static_cast<int>(at % 86400)).substr(0, 5);
  test::writeTable(p.dir / "ZORVANE",
                   {appointment(clock, clock.today(), "00:00", "Schon vorbei"),
                    appointment(clock, nextDate, nextTime, "Gleich")},
                   clock);
  if (nextDate != clock.today()) GTEST_SKIP() << "too close to midnight";
  p.start();
  const unsigned long first = p.watch.waitShown("Termin", 20s);
  ASSERT_NE(first, 0u) << "the overdue appointment waited for the periodic check";
  ASSERT_NE(p.open(first, {"alt+l"}, "schen"), 0u) << "no delete question";
  p.keys({"Return"});
  ASSERT_TRUE(p.closed("Termin"));
  const unsigned long second = p.watch.waitShown("Aktueller Termin", 90s);
  const Moment shown = clock.now();
  ASSERT_NE(second, 0u) << "no alert at " << nextTime;
  EXPECT_EQ(formatTimeOfDay(shown.secondsOfDay).substr(0, 5), nextTime) << "not at its minute";
  ASSERT_NO_FATAL_FAILURE(p.endOnTerm());
}

}  // namespace
}  // namespace zrv
