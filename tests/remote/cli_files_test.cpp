// The installed program's command line without a running program: a table with every recurrence
// kind goes out as iCalendar and comes back into an empty table field for field (read with
// dbfread, not with our engine); calcurse imports the same file and lists the appointments on
// the days we expect; a file written by python3-icalendar comes in with its time zone converted
// and its BYSETPOS event refused by UID; --add follows the editor's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/system_clock.h"
#include "reminder/recurrence.h"
#include "store/base/logbook.h"
#include "support/installed_program.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

const fs::path kSource = ZRV_SOURCE_DIR;

// An installed program directory with its default settings and the logbook on.
struct ProgramDir {
  ProgramDir() {
    const auto r = test::installInto(dir.path());
    EXPECT_EQ(r.status, 0) << r.output;
    dir.write("ZORVANE.INI", "[SETUP]\r\nLOGBUCH=1\r\n");
  }
  test::RunResult cli(std::vector<std::string> args, const test::EnvChanges& env = {}) const {
    args.insert(args.begin(), (dir / "zorvane").string());
    return test::run(args, env, 60s);
  }
  // The appointment table as dbfread reads it: the record lines of the dump.
  std::string records() const {
    const auto r = test::run({"/usr/bin/python3", (kSource / "tests/store/dbf_dump.py").string(),
                              (dir / "ZORVANE.TER").string()});
    EXPECT_EQ(r.status, 0) << r.output;
    return r.output.substr(r.output.find("record 1") == std::string::npos
                               ? r.output.size()
                               : r.output.find("record 1"));
  }
  // One field of one record in the dump ("VORLAGE=4").
  std::string field(int record, const std::string& name) const {
    const std::string all = records();
    const auto start = all.find("record " + std::to_string(record) + "\n");
    if (start == std::string::npos) return "(no record)";
    const auto at = all.find("\n" + name + "=", start);
    if (at == std::string::npos) return "(no field)";
    const auto from = at + name.size() + 2;
    return all.substr(from, all.find('\n', from) - from);
  }
  test::TestDir dir;
};

Appointment appointment(const std::string& date, const std::string& time, const std::string& text,
                        int kind, const std::string& code) {
  Appointment a;
  a.DATE = Date::fromDisplay(date);
  a.TIME = a.TIMEVON = time;
  a.TEXT = text;
  a.VORLAGE = kind;
  a.REPDATE = a.DATE;
  a.TERMINART = code;
  a.NICHTMEHR = 10;
  a.ALARMFILE = ".\\sounds\\Gong.wav";
  return a;
}

// One appointment of each kind, as the editor and its details windows store them, with lead
// times, umlauts, a filed one, a program start and a mailed one.
std::vector<Appointment> everyKind(const Clock& clock) {
  std::vector<Appointment> all;
  Appointment once =
      appointment("04.01.2027", "14:00", "Zahnarzt Dr. Müller\r\nÄrger mit ß", kOnce, "TA7");
  once.WARNMIN = 15;
  all.push_back(once);
  Appointment hourly = appointment("04.01.2027", "08:00", "Tabletten", kHourly, "TA6");
  hourly.REPDATE = hourly.DATE + 10;
  all.push_back(hourly);
  Appointment daily = appointment("06.01.2027", "07:30", "Gymnastik", kDaily, "TA5");
  daily.WEEKDAYS = "-X-X-X-";  // Monday, Wednesday, Friday
  daily.DAYINTVALL = 1;
  daily.REPDATE = Date::fromDisplay("31.12.2027");
  all.push_back(daily);
  Appointment weekly = appointment("05.01.2027", "09:30", "Jour fixe", kWeekly, "TA4");
  weekly.WEKINTVALL = 2;
  weekly.WARNMIN = 30;
  weekly.REPDATE = Date::fromDisplay("04.01.2028");
  all.push_back(weekly);
  Appointment monthly = appointment("31.01.2027", "18:00", "Monatsabschluss", kMonthly, "TA3");
  monthly.MONTH = "X-X-X-X-X-X-";
  monthly.MONTHDAY = 99;  // the last day of the month
  monthly.REPDATE = Date::fromDisplay("31.01.2029");
  all.push_back(monthly);
  Appointment yearly = appointment("12.03.2027", "00:00", "Geburtstag Jörg", kYearly, "TA60");
  yearly.MONTHDAY = 12;
  yearly.REPDATE = Date::fromDisplay("12.03.2047");
  all.push_back(yearly);
  Appointment filed = appointment("02.01.2027", "11:00", "Erledigt: Steuer", kOnce, "TA1");
  filed.QUIT = true;
  all.push_back(filed);
  Appointment program = appointment("08.01.2027", "06:00", "Sicherung", kOnce, "TA20");
  program.PROGSTART = "/usr/bin/true";
  program.PROGPARAM = "--quiet \"a b\"";
  all.push_back(program);
  Appointment mailed = appointment("07.01.2027", "12:15", "Bericht; Teil 1, 2", kOnce, "TA10");
  mailed.EMAIL = "chef@example.org";
  mailed.NICHTMEHR = 5;
  mailed.ALARM = true;
  mailed.ALARMFILE = "";
  all.push_back(mailed);
  for (Appointment& a : all)
    a = test::withTrigger(a, clock);
  return all;
}

TEST(CommandLineFiles, ExportThenImportIntoAnEmptyTableGivesTheSameRecords) {
  SystemClock clock;
  ProgramDir from, to;
  test::writeTable(from.dir / "ZORVANE", everyKind(clock), clock);
  const fs::path ics = from.dir / "alle.ics";
  const auto out = from.cli({"--export-ics", ics.string()});
  ASSERT_EQ(out.status, 0) << out.output;
  EXPECT_NE(out.output.find("9 Termine nach"), std::string::npos) << out.output;
  test::keepArtifact("cli_export.ics", from.dir.read("alle.ics"));

  test::writeTable(to.dir / "ZORVANE", std::vector<Appointment>{}, clock);
  const auto in = to.cli({"--import-ics", ics.string()});
  ASSERT_EQ(in.status, 0) << in.output;
  EXPECT_EQ(to.records(), from.records());
  EXPECT_NE(to.dir.read("Zorvane.Log").find("(CLI) Import aus " + ics.string() + ": 9 Termine"),
            std::string::npos);
}

// calcurse (Debian) reads our export: each appointment on its own day, and the repetitions on
// the days our rules give them. (calcurse knows no hourly repetition: that one is left out.)
TEST(CommandLineFiles, CalcurseImportsTheExportAndListsTheAppointmentsOnTheirDays) {
  SystemClock clock;
  ProgramDir p;
  std::vector<Appointment> all = everyKind(clock);
  std::erase_if(all, [](const Appointment& a) { return a.VORLAGE == kHourly; });
  test::writeTable(p.dir / "ZORVANE", all, clock);
  const fs::path ics = p.dir / "alle.ics";
  ASSERT_EQ(p.cli({"--export-ics", ics.string()}).status, 0);
  const fs::path cal = p.dir / "calcurse";
  fs::create_directories(cal);
  std::ofstream(cal / "apts").flush();
  std::ofstream(cal / "todo").flush();
  const auto imported = test::run({"calcurse", "-D", cal.string(), "-q", "-i", ics.string()});
  ASSERT_EQ(imported.status, 0) << imported.output;
  auto day = [&](const std::string& ddmmyyyy) {
    std::string d = ddmmyyyy;
    std::replace(d.begin(), d.end(), '.', '/');
    return test::run({"calcurse", "-D", cal.string(), "--input-datefmt", "2", "--format-apt",
                      "%S %m\n", "--format-recur-apt", "%S %m\n", "-a", "-d", d})
        .output;
  };
  // Every appointment on its own date, at its own time.
  for (const Appointment& a : all) {
    const std::string title = a.TEXT.substr(0, a.TEXT.find('\r'));
    const std::string time = a.TIME == "00:00" ? "" : a.TIME + " ";  // a day's event
    EXPECT_NE(day(a.DATE.toDisplay()).find(time + title), std::string::npos)
        << title << " on " << a.DATE.toDisplay() << ":\n"
        << day(a.DATE.toDisplay());
  }
  // Daily on Monday, Wednesday and Friday only; every second week; the last day of every second
  // month; every year.
  EXPECT_NE(day("08.01.2027").find("07:30 Gymnastik"), std::string::npos);
  EXPECT_EQ(day("07.01.2027").find("Gymnastik"), std::string::npos);
  EXPECT_NE(day("19.01.2027").find("09:30 Jour fixe"), std::string::npos);
  EXPECT_EQ(day("12.01.2027").find("Jour fixe"), std::string::npos);
  EXPECT_NE(day("31.03.2027").find("18:00 Monatsabschluss"), std::string::npos);
  EXPECT_NE(day("30.11.2027").find("18:00 Monatsabschluss"), std::string::npos);
  EXPECT_EQ(day("28.02.2027").find("Monatsabschluss"), std::string::npos);
  EXPECT_NE(day("12.03.2030").find("Geburtstag J\xC3\xB6rg"), std::string::npos)
      << day("12.03.2030");
}

// A file as another calendar writes it: the weekly meeting at 09:30 Berlin time comes in at
// 03:30 New York time with its alarm as lead time, the all-day birthday at 00:00 without lead
// time, and the BYSETPOS event is refused with its UID.
TEST(CommandLineFiles, AnIcsWrittenByPythonIcalendarComesInConvertedAndRefusesByUid) {
  SystemClock clock;
  ProgramDir p;
  test::writeTable(p.dir / "ZORVANE", std::vector<Appointment>{}, clock);
  const fs::path ics = p.dir / "fremd.ics";
  const auto written = test::run(
      {"/usr/bin/python3", (kSource / "tests/remote/write_foreign_ics.py").string(), ics.string()});
  ASSERT_EQ(written.status, 0) << written.output;
  const auto in = p.cli({"--import-ics", ics.string()}, {{"TZ", "America/New_York"}});
  EXPECT_EQ(in.status, 0) << in.output;
  EXPECT_NE(in.output.find("Termin setpos-1@example.org nicht übernommen: die Regel wählt "
                           "Termine mit BYSETPOS aus"),
            std::string::npos)
      << in.output;
  EXPECT_EQ(p.field(1, "TIME"), "03:30");
  EXPECT_EQ(p.field(1, "DATE"), "2027-01-05");
  EXPECT_EQ(p.field(1, "TTIME"), "03:15");
  EXPECT_EQ(p.field(1, "WARNMIN"), "15");
  EXPECT_EQ(p.field(1, "VORLAGE"), "4");
  EXPECT_EQ(p.field(1, "WEKINTVALL"), "1");
  EXPECT_EQ(p.field(1, "REPDATE"), "2027-06-29");  // 30 June 00:00 UTC is the 29th in New York
  EXPECT_EQ(p.field(1, "TEXT"), "Teamrunde\\r\\nRaum S\\xfcd, bitte p\\xfcnktlich");
  EXPECT_EQ(p.field(2, "TIME"), "00:00");
  EXPECT_EQ(p.field(2, "WARNMIN"), "0");
  EXPECT_EQ(p.field(2, "VORLAGE"), "6");
  EXPECT_EQ(p.field(3, "TEXT"), "(no record)");
  EXPECT_NE(p.dir.read("Zorvane.Log").find("(CLI) Termin setpos-1@example.org nicht"),
            std::string::npos);
}

// --add goes through the editor's rules: the daily details move the date to the first chosen
// weekday, the trigger is the time less the lead time, the kind's default sound is
// chosen; what the editor would refuse is refused with exit code 1; missing records give 3.
TEST(CommandLineFiles, AddFollowsTheEditorsRulesAndTheExitCodesAreThoseDocumented) {
  SystemClock clock;
  ProgramDir p;
  test::writeTable(p.dir / "ZORVANE", std::vector<Appointment>{}, clock);
  const auto added = p.cli({"--add", "Gymnastik für Rücken", "--date", "04.01.2027", "--time",
                            "07:30", "--lead", "45", "--repeat", "täglich", "--weekdays", "Mi,Fr",
                            "--until", "30.06.2027", "--kind", "Besuch intern"});
  ASSERT_EQ(added.status, 0) << added.output;
  EXPECT_EQ(p.field(1, "DATE"), "2027-01-06");  // Monday 4th -> Wednesday, the first chosen day
  EXPECT_EQ(p.field(1, "WEEKDAYS"), "---X-X-");
  EXPECT_EQ(p.field(1, "REPDATE"), "2027-06-30");
  EXPECT_EQ(p.field(1, "TDATE"), "2027-01-06");
  EXPECT_EQ(p.field(1, "TTIME"), "06:45");
  EXPECT_EQ(p.field(1, "TERMINART"), "TA50");
  EXPECT_EQ(p.field(1, "DAYINTVALL"), "1");
  EXPECT_NE(p.field(1, "ALARMFILE"), "");

  const auto monthly = p.cli({"--add", "Miete", "--date", "31.01.2027", "--time", "08:00",
                              "--repeat", "monatlich", "--months", "1,4,7,10"});
  ASSERT_EQ(monthly.status, 0) << monthly.output;
  EXPECT_EQ(p.field(2, "MONTH"), "X--X--X--X--");
  EXPECT_EQ(p.field(2, "MONTHDAY"), "31");

  EXPECT_EQ(p.cli({"--add", "x", "--date", "31.02.2027", "--time", "08:00"}).status, 1);
  EXPECT_EQ(p.cli({"--add", "x", "--date", "01.02.2027", "--time", "25:00"}).status, 1);
  EXPECT_EQ(
      p.cli({"--add", "x", "--date", "01.02.2027", "--time", "08:00", "--lead", "1000"}).status, 1);
  EXPECT_EQ(p.cli({"--list", "--date", "01.02.2027"}).status, 1);
  EXPECT_EQ(p.cli({"--next", "--list"}).status, 1);
  EXPECT_EQ(p.cli({"--frobnicate"}).status, 1);
  EXPECT_EQ(p.cli({"--delete", "7"}).status, 3);
  EXPECT_EQ(p.cli({"--list", "--view", "abgelegte"}).status, 3);

  EXPECT_EQ(p.cli({"--file-away", "1"}).status, 0);
  EXPECT_EQ(p.field(1, "QUIT"), "T");
  const auto filed = p.cli({"--list", "--view", "abgelegte"});
  EXPECT_NE(filed.output.find("Gymnastik für Rücken"), std::string::npos) << filed.output;
  EXPECT_EQ(p.cli({"--delete", "2"}).status, 0);
  // Deleted records leave the file at the end of the command, as at the end of a run.
  EXPECT_EQ(p.field(2, "TEXT"), "(no record)");
  EXPECT_EQ(p.cli({"--next"}).status, 3);
  const std::string log = p.dir.read("Zorvane.Log");
  EXPECT_NE(log.find("(CLI) Neuer Termin 1: 06.01.2027 07:30 Gymnastik f\xFCr R\xFC"
                     "cken"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("(CLI) Termin 2 gel\xF6scht: Miete"), std::string::npos) << log;

  const auto help = p.cli({"--help"}, {{"LANG", "de_DE.UTF-8"}, {"LC_ALL", std::nullopt}});
  EXPECT_NE(help.output.find("Rückgabewerte: 0 erledigt"), std::string::npos);
  const auto english = p.cli({"--help"}, {{"LANG", "en_GB.UTF-8"}, {"LC_ALL", std::nullopt}});
  EXPECT_NE(english.output.find("Exit codes: 0 done"), std::string::npos);
}

}  // namespace
}  // namespace zrv
