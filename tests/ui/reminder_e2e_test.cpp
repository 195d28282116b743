// The installed program reminding of a weekly appointment, as a user meets it: started with a
// table whose appointment is due now and a timer of one second, the alert "Aktueller Termin"
// appears over the main window, Alt+G ("&Gelesen") confirms it, and the appointment moves on by
// a week. Screenshots of the main window and of the alert are kept in test-artifacts/.
#include <gtest/gtest.h>

#include "platform/system_clock.h"
#include "reminder/recurrence.h"
#include "store/appointments/appointment_table.h"
#include "support/installed_program.h"
#include "ui_test_util.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::activate;
using test::keepScreenshot;
using test::kTitle;

// A weekly appointment whose trigger is this minute.
Appointment dueNow(const Clock& clock) {
  Appointment a;
  a.DATE = clock.today();
  a.TIME = a.TIMEVON = clock.hhmm();
  a.TEXT = "Wochenbesprechung\nRaum 2, Unterlagen mitbringen";
  a.VORLAGE = kWeekly;
  a.REPEAT = 1;
  a.WEKINTVALL = 1;
  a.REPDATE = clock.today() + 365;
  a.WEEKDAYS = "XXXXXXX";
  a.MONTH = "XXXXXXXXXXXX";
  a.TERMINART = "TA4";
  return a;
}

Appointment onlyAppointment(const fs::path& dir, const Clock& clock) {
  auto table = AppointmentTable::open(dir / "ZORVANE", clock, {});
  EXPECT_TRUE(table) << table.message();
  if (!table) return {};
  EXPECT_TRUE((*table)->goTop());
  auto a = (*table)->read();
  EXPECT_TRUE(a);
  EXPECT_TRUE((*table)->skip(1));
  EXPECT_TRUE((*table)->eof()) << "more than one appointment";
  (void)(*table)->close();
  return a ? *a : Appointment{};
}

// The installed program with a weekly appointment due now (for `email` when not empty).
class InstalledProgram : public test::InstalledProgram {
 public:
  explicit InstalledProgram(const std::string& settings, const std::string& email = "")
      : test::InstalledProgram(settings), due(dueNow(clock)) {
    due.EMAIL = email;
    test::writeTable(dir / "ZORVANE", test::withTrigger(due, clock), clock);
  }

  SystemClock clock;
  Appointment due;
};

TEST(ReminderEndToEnd, AWeeklyAppointmentIsShownConfirmedWithAltGAndMovedOnByAWeek) {
  InstalledProgram p("[SYSTEM]\r\nTimer=1\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  auto& watch = p.watch;
  auto& env = p.env;
  auto& dir = p.dir;
  const Appointment& due = p.due;

  const unsigned long mainWindow = p.startShown();
  ASSERT_NE(mainWindow, 0u) << "no main window";
  const unsigned long alert = watch.waitShown("Aktueller Termin", 60s);
  ASSERT_NE(alert, 0u) << "no alert";
  test::pump(500);  // both painted
  keepScreenshot(env, watch, mainWindow, "e2e_main_window_with_alert");
  keepScreenshot(env, watch, alert, "e2e_alert");

  ASSERT_TRUE(activate(env, alert)) << "the alert did not get the keyboard";
  const auto key = test::run({"xdotool", "key", "alt+g"}, env, 10s);
  ASSERT_EQ(key.status, 0) << key.output;
  ASSERT_TRUE(p.closed("Aktueller Termin")) << "the alert did not close";
  // After the alert the next appointment is searched again, and the list shows it.
  const std::string next =
      "(ChkNext) N\xE4"
      "chster Termin am: " +
      (due.DATE + 7).toDisplay();
  ASSERT_TRUE(
      test::waitUntil([&] { return dir.read("Zorvane.Log").find(next) != std::string::npos; }, 30s))
      << dir.read("Zorvane.Log");
  test::pump(300);
  keepScreenshot(env, watch, mainWindow, "e2e_main_window");

  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());

  const Appointment moved = onlyAppointment(dir.path(), p.clock);
  EXPECT_EQ(moved.DATE, due.DATE + 7);
  EXPECT_EQ(moved.TDATE, due.DATE + 7);
  EXPECT_EQ(moved.TIMEVON, due.TIMEVON);
  EXPECT_EQ(moved.TTIME, due.TIME);
  EXPECT_FALSE(moved.QUIT);

  const std::string log = dir.read("Zorvane.Log");
  test::keepArtifact("e2e_Zorvane.Log", log);
  EXPECT_NE(log.find("(ShowTermin) Melden: " + due.DATE.toDisplay() + " " + due.TIME +
                     " Wochenbesprechung"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("(KillTermin) Termin l\xF6schen"), std::string::npos) << log;
  EXPECT_NE(log.find("(KillTermin) neuer Termin wurde erzeugt"), std::string::npos) << log;
  EXPECT_TRUE(log.ends_with(" (Zorvane) Beendet\r\n"));
}

TEST(ReminderEndToEnd, AHiddenStartRemindsFromTheIconifiedWindowAndEndsNormallyOnATerm) {
  InstalledProgram p("[SYSTEM]\r\nTimer=1\r\nAsIcon=Yes\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  p.start();
  const unsigned long alert = p.watch.waitShown("Aktueller Termin", 60s);
  ASSERT_NE(alert, 0u) << "no alert while the window is iconified";
  // The window manager iconifies the main window in its own time, which on a busy machine may
  // come after the alert.
  long state = 0;
  EXPECT_TRUE(test::waitUntil(
      [&] {
        state = p.watch.wmState(p.watch.find(kTitle));
        return state == test::WindowWatch::kIconic;
      },
      30s))
      << "WM_STATE of the main window: " << state;
  EXPECT_TRUE(p.program->running());

  // A request to end the program while the alert is open closes the alert without an action,
  // then the program the normal way, however long that takes.
  ASSERT_NO_FATAL_FAILURE(p.endOnTerm());
  EXPECT_FALSE(fs::exists(p.dir / "Zorvane.Run"));
  const std::string log = p.dir.read("Zorvane.Log");
  EXPECT_EQ(log.find("(KillTermin)"), std::string::npos) << log;
  EXPECT_TRUE(log.ends_with(" (Zorvane) Beendet\r\n")) << log;
  const Appointment after = onlyAppointment(p.dir.path(), p.clock);
  EXPECT_EQ(after.DATE, p.due.DATE);
  EXPECT_EQ(after.TTIME, p.due.TIME);
}

// The sender is set up but no mail server: the appointment cannot be mailed, so after the
// "Problem" message it must not vanish but be presented like any other, and stay as it was until
// the user deals with it.
TEST(ReminderEndToEnd, AnAppointmentThatCouldNotBeMailedIsShownAsAnAlert) {
  InstalledProgram p(
      "[SYSTEM]\r\nTimer=1\r\n[SETUP]\r\nLOGBUCH=1\r\n[MailSupport]\r\nName=Anna Berg\r\n"
      "Reply=anna@example.org\r\nSMTP=\r\nOnline=1\r\n",
      "chef@example.org");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  p.start();
  const unsigned long problem = p.watch.waitShown("Problem", 60s);
  ASSERT_NE(problem, 0u) << "no message that the mail did not go out\n"
                         << p.dir.read("Zorvane.Log");
  ASSERT_TRUE(activate(p.env, problem)) << "the message did not get the keyboard";
  ASSERT_EQ(test::run({"xdotool", "key", "Return"}, p.env, 10s).status, 0);
  const unsigned long alert = p.watch.waitShown("Aktueller Termin", 60s);
  ASSERT_NE(alert, 0u) << "no alert for the appointment that could not be mailed\n"
                       << p.dir.read("Zorvane.Log");
  ASSERT_NO_FATAL_FAILURE(p.endOnTerm());
  const std::string log = p.dir.read("Zorvane.Log");
  EXPECT_NE(log.find("(ShowTermin) Mail nicht versandt"), std::string::npos) << log;
  const Appointment after = onlyAppointment(p.dir.path(), p.clock);
  EXPECT_FALSE(after.QUIT);
  EXPECT_EQ(after.DATE, p.due.DATE);
  EXPECT_EQ(after.EMAIL, "chef@example.org");
}

}  // namespace
}  // namespace zrv
