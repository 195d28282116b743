// The installed program's calendar and copy confirmation as a user meets them: a month whose
// appointments cannot be collected (the month index cannot be made in the program directory) is
// told once before the calendar opens, the calendar is steered with keys, and the confirmation
// of a very long copy stays a small window.
#include <gtest/gtest.h>

#include <thread>

#include "platform/system_clock.h"
#include "support/installed_program.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;
using test::activate;
using test::keepScreenshot;

TEST(CalendarEndToEnd, AMonthWithoutMarksIsToldOnceAndALongCopyStaysSmall) {
  test::InstalledProgram p("[SETUP]\r\nLOGBUCH=1\r\n");
  SystemClock clock;
  Appointment a;
  a.DATE = clock.today() + 1;
  a.TIME = a.TIMEVON = "10:00";
  a.VORLAGE = 1;
  for (int i = 1; i <= 100; ++i)
    a.TEXT += "Tagesordnungspunkt " + std::to_string(i) + "\r\n";
  test::writeTable(p.dir / "ZORVANE", test::withTrigger(a, clock), clock);
  // A folder (not empty, so that it stays) holds the month index's name.
  std::filesystem::create_directory(p.dir / "ZORVANE.KAL");
  p.dir.write("ZORVANE.KAL/belegt", "x");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_NE(p.startShown(), 0u) << "no main window";

  // "Termin ins ClipBoard &kopieren" (its letter is shared with "&Kalender anzeigen").
  ASSERT_TRUE(activate(p.env, p.mainWindow));
  p.keys({"alt+t", "k", "Return"});
  const unsigned long copied = p.watch.waitShown("Kopieren", 30s);
  ASSERT_NE(copied, 0u) << "the copy was not told";
  std::this_thread::sleep_for(500ms);
  keepScreenshot(p.env, p.watch, copied, "e2e_copy_long_text");
  EXPECT_LT(p.watch.frameRect(copied).height, 1024 / 2) << "the confirmation quotes it all";
  ASSERT_TRUE(activate(p.env, copied));
  p.keys({"Return"});
  ASSERT_TRUE(p.closed("Kopieren"));

  // "&Kalender anzeigen": the message first, then the calendar; the next month tells nothing.
  // On a busy machine the menu may not be open yet when the letters come: then again.
  unsigned long told = 0;
  for (int attempt = 0; attempt < 3 && told == 0 && p.calendarWindow() == 0; ++attempt) {
    ASSERT_TRUE(activate(p.env, p.mainWindow));
    p.keys({"alt+t"});
    std::this_thread::sleep_for(500ms * (attempt + 1));
    p.keys({"End", "Return"});  // the menu's last entry
    told = p.watch.waitShown("Problem", 10s);
    if (told == 0 && p.calendarWindow() == 0) p.keys({"Escape", "Escape"});
  }
  ASSERT_NE(told, 0u) << "the calendar showed a month without marks and said nothing";
  std::this_thread::sleep_for(500ms);
  keepScreenshot(p.env, p.watch, told, "e2e_calendar_without_marks");
  EXPECT_EQ(p.calendarWindow(), 0u) << "the calendar opened over the message";
  ASSERT_TRUE(activate(p.env, told));
  p.keys({"Return"});
  ASSERT_TRUE(p.closed("Problem"));
  unsigned long calendar = 0;
  ASSERT_TRUE(test::waitUntil([&] { return (calendar = p.calendarWindow()) != 0; }, 30s));
  ASSERT_TRUE(activate(p.env, calendar));
  p.keys({"Page_Down", "Page_Down"});
  EXPECT_EQ(p.watch.waitShown("Problem", 2s), 0u) << "told again";
  keepScreenshot(p.env, p.watch, calendar, "e2e_calendar_next_months");
  p.keys({"Escape"});
  ASSERT_TRUE(test::waitUntil([&] { return p.calendarWindow() == 0; }, 30s));

  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
  EXPECT_TRUE(p.logHas("(KalGetTermine)")) << p.log();
}

}  // namespace
}  // namespace zrv
