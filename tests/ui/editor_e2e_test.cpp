// The installed program's appointment editor as a user meets it: appointments are created with
// Insert, an existing one is filed with Enter and "Ab&legen" and brought back from the filed
// view with "&Reaktivieren", recurrence details are set in their windows, all with keys only;
// the table is then read with an independent dBASE reader. A second scenario goes through what
// guards the user's entries: a series without end stays endless, Escape and the close box ask,
// a time in the past is confirmed, the time field takes a time as typed, an invalid date is told
// before the calendar opens, F1 opens each window's own page.
// Screenshots of the editor and the details windows are kept in test-artifacts/.
#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "platform/system_clock.h"
#include "store/base/date_time.h"
#include "support/installed_program.h"
#include "support/table_rig.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;
using test::activate;
using test::keepScreenshot;

const std::string kEditor = "Termin-Verwaltung";

// One record as the independent reader gives it: field name -> value text.
using Record = std::map<std::string, std::string>;

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

// Digits of a date as typed into a "99.99.9999" field.
std::string typed(const Date& d) {
  const std::string s = d.toDisplay();
  return s.substr(0, 2) + s.substr(3, 2) + s.substr(6, 4);
}

// The installed program with the logbook on and two appointments a month apart: a current one
// and a filed one.
class Desk : public test::InstalledProgram {
 public:
  Desk() : test::InstalledProgram("[SETUP]\r\nLOGBUCH=1\r\n") {
    Appointment a;
    a.DATE = clock.today() + 30;
    a.TIME = a.TIMEVON = "10:00";
    a.TEXT = "Zahnarzt";
    a.VORLAGE = 1;
    a.TERMINART = "TA7";
    Appointment filed = a;
    filed.DATE = clock.today() + 60;
    filed.TEXT = "Steuerberater";
    filed.QUIT = true;
    test::writeTable(dir / "ZORVANE",
                     {test::withTrigger(a, clock), test::withTrigger(filed, clock)}, clock);
  }
  // Opens a window with `key` from the main window; its id, 0 when it did not come.
  unsigned long openFromMain(const std::string& key, const std::string& title) {
    return open(mainWindow, {key}, title);
  }

  SystemClock clock;
};

TEST(EditorEndToEnd, AppointmentsAreCreatedFiledAndGivenTheirRecurrenceWithKeys) {
  Desk desk;
  ASSERT_TRUE(desk.ready()) << desk.whyNotReady();
  ASSERT_NE(desk.startShown(), 0u) << "no main window";
  const Date today = desk.clock.today();
  Date monday = today + 1;
  while (monday.dow() != 2)
    monday = monday + 1;
  const Date april10 = *Date::fromYmd(today.year() + 1, 4, 10);

  // Enter on the only current appointment, then "Ab&legen".
  unsigned long editor = desk.openFromMain("Return", kEditor);
  ASSERT_NE(editor, 0u) << "Enter opened no editor";
  desk.keys({"alt+l"});
  ASSERT_TRUE(desk.closed(kEditor));

  // The filed view through the menu "&Anzeige", "Nur a&bgelegte Termine": the one just filed
  // comes first (the other filed one is a month later); "&Reaktivieren" brings it back.
  ASSERT_TRUE(activate(desk.env, desk.mainWindow));
  desk.keys({"alt+a", "b"});
  std::this_thread::sleep_for(500ms);
  keepScreenshot(desk.env, desk.watch, desk.mainWindow, "e2e_editor_filed_view");
  editor = desk.openFromMain("Return", kEditor);
  ASSERT_NE(editor, 0u) << "Enter in the filed view opened no editor";
  desk.keys({"alt+r"});
  ASSERT_TRUE(desk.closed(kEditor));

  // 14:00 with 15 minutes' warning tomorrow.
  editor = desk.openFromMain("Insert", kEditor);
  ASSERT_NE(editor, 0u) << "Insert opened no editor";
  desk.keys({"Home"});
  desk.type(typed(today + 1));
  desk.keys({"Tab"});
  desk.type("1400");
  desk.keys({"Tab"});
  desk.type("15");
  desk.keys({"Tab", "Tab", "Tab"});  // kind, recurrence, text
  desk.type("Vorwarnung 15");
  keepScreenshot(desk.env, desk.watch, editor, "e2e_editor");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed(kEditor));

  // 01:00 with 90 minutes' warning: the alarm comes the evening before.
  ASSERT_NE(desk.openFromMain("Insert", kEditor), 0u);
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
  ASSERT_NE(desk.openFromMain("Insert", kEditor), 0u);
  desk.type("Verworfen");
  desk.keys({"alt+a"});
  ASSERT_TRUE(desk.closed(kEditor));

  // A program start: the typed lead time is not kept.
  editor = desk.openFromMain("Insert", kEditor);
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
  keepScreenshot(desk.env, desk.watch, editor, "e2e_editor_program");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed(kEditor));

  // Daily on Wednesday and Friday, entered for a Monday: it moves to the Wednesday.
  ASSERT_NE(desk.openFromMain("Insert", kEditor), 0u);
  desk.keys({"Home"});
  desk.type(typed(monday));
  desk.keys({"Tab", "Tab", "Tab", "Tab", "Home", "Down", "Down"});  // "täglich"
  desk.keys({"Tab", "Tab"});
  desk.type("Mittwoch und Freitag");
  desk.keys({"alt+d"});
  unsigned long details = desk.watch.waitShown("Details", 30s);
  ASSERT_NE(details, 0u) << "no details window";
  ASSERT_TRUE(activate(desk.env, details));
  // Montag, Dienstag off; Mittwoch on; Donnerstag off; Freitag on; Samstag, Sonntag off.
  desk.keys({"Tab", "space", "Tab", "space", "Tab", "Tab", "space", "Tab", "Tab", "space", "Tab",
             "space"});
  keepScreenshot(desk.env, desk.watch, details, "e2e_details_daily");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed("Details"));
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed(kEditor));

  // Monthly on day 99 from 10 April: the last of April, "Ultimo".
  editor = desk.openFromMain("Insert", kEditor);
  ASSERT_NE(editor, 0u);
  desk.keys({"Home"});
  desk.type(typed(april10));
  desk.keys({"Tab", "Tab", "Tab", "Tab", "Home", "Down", "Down", "Down", "Down"});  // "monatlich"
  desk.keys({"Tab", "Tab"});
  desk.type("Miete");
  desk.keys({"alt+d"});
  details = desk.watch.waitShown("Details", 30s);
  ASSERT_NE(details, 0u) << "no details window";
  ASSERT_TRUE(activate(desk.env, details));
  desk.type("99");
  desk.keys({"Tab"});
  keepScreenshot(desk.env, desk.watch, details, "e2e_details_monthly");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed("Details"));
  std::this_thread::sleep_for(300ms);
  keepScreenshot(desk.env, desk.watch, editor, "e2e_editor_monthly");
  desk.keys({"alt+s"});
  ASSERT_TRUE(desk.closed(kEditor));

  std::this_thread::sleep_for(500ms);
  keepScreenshot(desk.env, desk.watch, desk.mainWindow, "e2e_editor_main_window");
  ASSERT_NO_FATAL_FAILURE(desk.closeMainWindow());
  const std::string log = desk.log();
  test::keepArtifact("e2e_editor_Zorvane.Log", log);

  const auto table = test::readWithDbfread(desk.dir / "ZORVANE.TER");
  const auto& records = table.records;
  EXPECT_EQ(records.size(), 7u) << "five new appointments beside the two given, none cancelled\n"
                                << table.output;
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
  EXPECT_EQ(lead15->at("DATE"), (today + 1).toDisplay());
  EXPECT_EQ(lead15->at("TIME"), "14:00");
  EXPECT_EQ(lead15->at("TIMEVON"), "14:00");
  EXPECT_EQ(lead15->at("WARNMIN"), "15");
  EXPECT_EQ(lead15->at("TDATE"), (today + 1).toDisplay());
  EXPECT_EQ(lead15->at("TTIME"), "13:45");
  EXPECT_EQ(lead15->at("QUIT"), "F");

  const Record* lead90 = withText(records, "Vorwarnung 90");
  ASSERT_TRUE(lead90);
  EXPECT_EQ(lead90->at("TDATE"), (today + 1).toDisplay());
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
  EXPECT_EQ(daily->at("DATE"), (monday + 2).toDisplay());

  const Record* monthly = withText(records, "Miete");
  ASSERT_TRUE(monthly);
  EXPECT_EQ(monthly->at("VORLAGE"), "5");
  EXPECT_EQ(monthly->at("DATE"), Date::fromYmd(today.year() + 1, 4, 30)->toDisplay());
  EXPECT_EQ(monthly->at("MONTHDAY"), "99");
  EXPECT_EQ(monthly->at("REPDATE"), Date::fromYmd(today.year() + 3, 4, 30)->toDisplay());

  EXPECT_NE(log.find("(EditTermin) Neuer Termin"), std::string::npos);
  EXPECT_NE(log.find("(EditTermin) Termin "
                     "\xE4"
                     "ndern"),
            std::string::npos);
  EXPECT_NE(
      log.find("(EditTermin) Vorwarntermin berechnen " + (today + 1).toDisplay() + " 14:00:00"),
      std::string::npos);
}

TEST(EditorEndToEnd, EntriesAreGuardedAndEveryWindowOpensItsOwnHelp) {
  test::InstalledProgram p("[SETUP]\r\nLOGBUCH=1\r\n");
  SystemClock clock;
  const Date today = clock.today();
  Appointment series;  // daily without an end date: endless
  series.DATE = today + 3;
  series.TIME = series.TIMEVON = "10:00";
  series.TEXT = "Serie ohne Ende";
  series.VORLAGE = 3;
  series.WEEKDAYS = "XXXXXXX";
  series.DAYINTVALL = 1;
  test::writeTable(p.dir / "ZORVANE", test::withTrigger(series, clock), clock);
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_NE(p.startShown(), 0u) << "no main window";

  // "Termin &ändern" on the empty view of filed appointments opens nothing.
  ASSERT_TRUE(activate(p.env, p.mainWindow));
  p.keys({"alt+a", "b"});
  std::this_thread::sleep_for(500ms);
  p.keys({"alt+t", "adiaeresis"});
  ASSERT_EQ(p.watch.waitShown(kEditor, 3s), 0u) << "an editor opened on no appointment";
  EXPECT_EQ(p.watch.waitShown("Datensatz gesperrt", 1s), 0u);
  p.keys({"alt+a", "a"});
  std::this_thread::sleep_for(500ms);

  // The series: its text changed, F1 in the editor and in its details window, Escape asks
  // before the change is lost ("No" keeps the editor), then it is saved.
  unsigned long editor = p.open(p.mainWindow, {"Return"}, kEditor);
  ASSERT_NE(editor, 0u) << "Enter opened no editor";
  p.keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "ctrl+End"});  // date ... details, text
  p.type(" neu");
  // Help asked from a modal window holds the keyboard until it is closed.
  const auto helpShows = [&](const std::string& page) {
    const bool shown = p.watch.waitShown("Zorvane-Hilfe: " + page, 30s) != 0;
    test::run({"wmctrl", "-c", "Zorvane-Hilfe"}, p.env, 5s);
    EXPECT_TRUE(p.closed("Zorvane-Hilfe"));
    return shown;
  };
  p.keys({"F1"});
  EXPECT_TRUE(helpShows("Einen Termin anlegen"));
  ASSERT_TRUE(activate(p.env, editor));
  p.keys({"alt+d"});
  const unsigned long details = p.watch.waitShown("Details", 30s);
  ASSERT_NE(details, 0u) << "no details window";
  ASSERT_TRUE(activate(p.env, details));
  p.keys({"F1"});
  EXPECT_TRUE(helpShows("Wiederholungen im Detail"));
  ASSERT_TRUE(activate(p.env, details));
  p.keys({"Escape"});
  ASSERT_TRUE(p.closed("Details"));
  ASSERT_TRUE(activate(p.env, editor));
  p.keys({"Escape"});
  unsigned long question = p.watch.waitShown("Achtung", 30s);
  ASSERT_NE(question, 0u) << "Escape threw the change away without asking";
  keepScreenshot(p.env, p.watch, question, "e2e_editor_discard_question");
  ASSERT_TRUE(activate(p.env, question));
  p.keys({"Return"});  // "No" is the default
  ASSERT_TRUE(p.closed("Achtung"));
  ASSERT_TRUE(test::windowListed(p.env, kEditor));
  ASSERT_TRUE(activate(p.env, editor));
  p.keys({"alt+s"});
  ASSERT_TRUE(p.closed(kEditor));

  // A new appointment: a date that names no day is told first, the calendar then opens on today
  // and is steered with keys; the time is typed over a selection, "9:30" for 09:30; the close
  // box asks as Escape does.
  editor = p.open(p.mainWindow, {"Insert"}, kEditor);
  ASSERT_NE(editor, 0u) << "Insert opened no editor";
  p.type("99999999");
  p.keys({"F2"});  // the date field's calendar button
  const unsigned long told = p.watch.waitShown("Problem", 30s);
  ASSERT_NE(told, 0u) << "the wrong date was not told";
  std::this_thread::sleep_for(500ms);
  keepScreenshot(p.env, p.watch, told, "e2e_editor_date_before_calendar");
  EXPECT_EQ(p.calendarWindow(), 0u) << "the calendar opened with the message";
  ASSERT_TRUE(activate(p.env, told));
  p.keys({"Return"});
  unsigned long calendar = 0;
  test::waitUntil([&] { return (calendar = p.calendarWindow()) != 0; }, 30s);
  ASSERT_NE(calendar, 0u) << "no calendar after the message";
  ASSERT_TRUE(activate(p.env, calendar));
  p.keys({"Page_Down", "Home", "Right", "Down"});
  keepScreenshot(p.env, p.watch, calendar, "e2e_calendar_keyboard");
  p.keys({"Page_Down", "Return"});
  ASSERT_TRUE(test::waitUntil([&] { return p.calendarWindow() == 0; }, 30s));
  ASSERT_TRUE(activate(p.env, editor));
  p.keys({"Tab"});
  p.keys({"ctrl+a"});
  p.type("17:08");
  p.keys({"ctrl+a"});
  p.type("9:30");
  p.keys({"Tab", "Tab", "Tab", "Tab"});  // lead time, kind, recurrence, text
  p.type("Zeitfeld");
  keepScreenshot(p.env, p.watch, editor, "e2e_editor_time_typed");
  ASSERT_EQ(test::run({"wmctrl", "-c", kEditor}, p.env, 5s).status, 0);
  question = p.watch.waitShown("Achtung", 30s);
  ASSERT_NE(question, 0u) << "the close box threw the appointment away without asking";
  ASSERT_TRUE(activate(p.env, question));
  p.keys({"Return"});
  ASSERT_TRUE(p.closed("Achtung"));
  ASSERT_TRUE(activate(p.env, editor));
  p.keys({"alt+s"});
  ASSERT_TRUE(p.closed(kEditor));

  // Yesterday noon: the save asks; Escape keeps the editor, Return ("Yes") saves.
  editor = p.open(p.mainWindow, {"Insert"}, kEditor);
  ASSERT_NE(editor, 0u);
  p.type(typed(today - 1));
  p.keys({"Tab"});
  p.type("1200");
  p.keys({"Tab", "Tab", "Tab", "Tab"});
  p.type("Vergangen");
  p.keys({"alt+s"});
  question = p.watch.waitShown("Achtung", 30s);
  ASSERT_NE(question, 0u) << "a time in the past was saved without a word";
  keepScreenshot(p.env, p.watch, question, "e2e_editor_past_question");
  ASSERT_TRUE(activate(p.env, question));
  p.keys({"Escape"});
  ASSERT_TRUE(p.closed("Achtung"));
  ASSERT_TRUE(test::windowListed(p.env, kEditor)) << "the editor closed on No";
  ASSERT_TRUE(activate(p.env, editor));
  p.keys({"alt+s"});
  question = p.watch.waitShown("Achtung", 30s);
  ASSERT_NE(question, 0u);
  ASSERT_TRUE(activate(p.env, question));
  p.keys({"Return"});
  ASSERT_TRUE(p.closed(kEditor));

  // The appointment saved in the past rings at once; a stop request ends its alert too.
  ASSERT_NO_FATAL_FAILURE(p.endOnTerm());
  const auto table = test::readWithDbfread(p.dir / "ZORVANE.TER");
  test::keepArtifact("e2e_editor_guards_Zorvane.Log", p.log());
  EXPECT_EQ(table.records.size(), 3u) << table.output;
  const Record* endless = withText(table.records, "Serie ohne Ende neu");
  ASSERT_TRUE(endless) << table.output;
  EXPECT_EQ(endless->at("REPDATE"), "") << "the series got an end";
  EXPECT_EQ(endless->at("DATE"), (today + 3).toDisplay());
  const Record* timed = withText(table.records, "Zeitfeld");
  ASSERT_TRUE(timed) << table.output;
  EXPECT_EQ(timed->at("TIME"), "09:30");
  EXPECT_EQ(timed->at("DATE"), addMonth(today + 8, 1).toDisplay());
  const Record* past = withText(table.records, "Vergangen");
  ASSERT_TRUE(past) << table.output;
  EXPECT_EQ(past->at("DATE"), (today - 1).toDisplay());
  EXPECT_EQ(past->at("TIME"), "12:00");
}

}  // namespace
}  // namespace zrv
