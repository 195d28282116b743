// The first records of new tables: the samples of the very first start, checked by an
// independent reader, the note of every other new table, and first start through start-up.
#include "app/first_start.h"

#include <gtest/gtest.h>

#include "app/check_dbf.h"
#include "app/sample_appointments.h"
#include "app/startup.h"
#include "store/appointments/appointment_table.h"
#include "store/base/file_io.h"
#include "support/table_rig.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

Date d(const char* text) {
  return Date::fromDisplay(text);
}

TEST(SampleAppointments, AreDatedFromTodayAndNow) {
  const FixedClock clock("10.06.2024", "09:30:15");
  const auto s = sampleAppointments(clock);
  ASSERT_EQ(s.size(), 4u);

  EXPECT_EQ(s[0].TDATE, d("11.06.2024"));
  EXPECT_EQ(s[0].DATE, d("11.06.2024"));
  EXPECT_EQ(s[0].TTIME, "09:30");
  EXPECT_EQ(s[0].TIME, "09:30");
  EXPECT_EQ(s[0].TIMEVON, "09:30");
  EXPECT_EQ(s[0].VORLAGE, 4);
  EXPECT_EQ(s[0].VORLNACH, 1);
  EXPECT_EQ(s[0].REPDATE, d("11.06.2025"));  // today + 366
  EXPECT_EQ(s[0].TERMINART, "TA10");
  EXPECT_EQ(s[0].ALARMFILE, ".\\sounds\\Wichtig.wav");
  EXPECT_EQ(s[0].NICHTMEHR, 60);
  EXPECT_EQ(s[0].DAYINTVALL, 1);
  EXPECT_EQ(s[0].WEKINTVALL, 1);
  EXPECT_TRUE(s[0].TEXT.ends_with("\r\n\r\nEinige Beispieltermine haben wir bereits eingefügt."));

  // The second one alarms three days before its own date.
  EXPECT_EQ(s[1].TDATE, d("12.06.2024"));
  EXPECT_EQ(s[1].TTIME, "12:00");
  EXPECT_EQ(s[1].DATE, d("15.06.2024"));
  EXPECT_EQ(s[1].TIME, "12:00");
  EXPECT_EQ(s[1].TIMEVON, "12:00");
  EXPECT_EQ(s[1].VORLNACH, 0);
  EXPECT_EQ(s[1].TERMINART, "TA40");
  EXPECT_EQ(s[1].ALARMFILE, ".\\sounds\\InfoTerm.wav");

  // 3 May has passed: next year's.
  EXPECT_EQ(s[2].DATE, d("03.05.2025"));
  EXPECT_EQ(s[2].TDATE, s[2].DATE);
  EXPECT_EQ(s[2].TTIME, "01:00");
  EXPECT_EQ(s[2].VORLAGE, 6);
  EXPECT_EQ(s[2].REPDATE, d("03.05.2065"));
  EXPECT_EQ(s[2].TERMINART, "TA60");
  EXPECT_EQ(s[2].ALARMFILE, ".\\Sounds\\HBIRTHD1.wav");
  EXPECT_EQ(s[2].NICHTMEHR, 300);
  EXPECT_EQ(s[2].DAYINTVALL, 0);
  const auto hash = s[2].TEXT.find('#');
  ASSERT_NE(hash, std::string::npos);
  EXPECT_EQ(s[2].TEXT.substr(hash + 1, 4).find_first_not_of("0123456789"), std::string::npos);

  EXPECT_EQ(s[3].DATE, d("20.12.2024"));
  EXPECT_EQ(s[3].TDATE, s[3].DATE);
  EXPECT_EQ(s[3].TIME, "16:00");
  EXPECT_EQ(s[3].REPDATE, d("20.12.2064"));
  EXPECT_EQ(s[3].REPEAT, 1);
  EXPECT_EQ(s[3].WEEKDAYS, "XXXXXXX");
  EXPECT_EQ(s[3].NICHTMEHR, 0);
  EXPECT_EQ(s[3].TERMINART, "TA50");
  EXPECT_EQ(s[3].ALARMFILE, ".\\Sounds\\BesuchI.wav");
  EXPECT_EQ(s[3].TEXT, "Es weihnachtet sehr, Zeit endlich die Geschenke zu kaufen !");

  for (const Appointment& a : s) {
    EXPECT_TRUE(a.ALARM);
    EXPECT_EQ(a.WARNMIN, 0);
    EXPECT_FALSE(a.QUIT);
    EXPECT_TRUE(a.PROGSTART.empty() && a.EMAIL.empty());
    // Neutral texts: no addresses of a maker.
    for (const char* address : {"@", "www", "http"})
      EXPECT_EQ(a.TEXT.find(address), std::string::npos) << a.TEXT;
  }
}

TEST(SampleAppointments, BirthdayOfThisYearUntilItHasPassedChristmasAlwaysThisYear) {
  const auto early = sampleAppointments(FixedClock("03.05.2024", "23:00"));
  EXPECT_EQ(early[2].DATE, d("03.05.2024"));
  const auto late = sampleAppointments(FixedClock("21.12.2024", "08:00"));
  EXPECT_EQ(late[2].DATE, d("03.05.2025"));
  EXPECT_EQ(late[3].DATE, d("20.12.2024"));
  EXPECT_EQ(late[0].REPDATE, d("22.12.2025"));
}

TEST(SampleAppointments, NoteOfANewTable) {
  const Appointment n = newTableNote(FixedClock("31.12.2024", "23:59:40"));
  EXPECT_EQ(n.TDATE, d("01.01.2025"));
  EXPECT_EQ(n.DATE, d("01.01.2025"));
  EXPECT_EQ(n.TTIME, "23:59");
  EXPECT_EQ(n.TIME, "23:59");
  EXPECT_EQ(n.TIMEVON, "23:59");
  EXPECT_EQ(n.TEXT, "Sie haben eine neue, leere Termindatei erzeugt.");
  EXPECT_EQ(n.VORLAGE, 1);
  EXPECT_EQ(n.REPEAT, 1);
  EXPECT_EQ(n.TERMINART, "TA40");
  EXPECT_TRUE(n.ALARM);
  EXPECT_EQ(n.ALARMFILE, ".\\SOUNDS\\CARHORN.WAV");
}

struct FirstStartTest : ::testing::Test {
  test::TableRig r;
};

TEST_F(FirstStartTest, TheDefaultTableGetsTheSamplesReadableByAnotherReader) {
  r.dir.write("zorvane", "the program file, whose name must not bend the table's");
  EXPECT_TRUE(buildDbase(r.ctx, "Zorvane"));
  EXPECT_EQ(r.ctx.settings.CN_FILE, "ZORVANE");
  for (const char* f :
       {"ZORVANE.TER", "ZORVANE.DBT", "ZORVANE.NT1", "ZORVANE.NT2", "ZORVANE.NT3", "ZORVANE.NT4"}) {
    EXPECT_TRUE(r.exists(f)) << f;
  }
  EXPECT_TRUE(r.ui.messages.empty());
  EXPECT_FALSE(r.ctx.DTER);

  const auto dump = test::readWithDbfread(r.dir / "ZORVANE.TER");
  ASSERT_EQ(dump.count, 4) << dump.output;
  EXPECT_EQ(dump.deleted, 0);
  EXPECT_EQ(dump.fields.substr(0, 32), "TDATE:D:8:0,TTIME:C:5:0,LAUTO:L:");
  EXPECT_NE(dump.fields.find(",EMAIL:C:50:0"), std::string::npos);
  const auto& welcome = dump.records[0];
  EXPECT_EQ(welcome.at("TDATE"), "11.06.2024");
  EXPECT_EQ(welcome.at("TTIME"), "09:30");
  EXPECT_EQ(welcome.at("VORLAGE"), "4");
  EXPECT_EQ(welcome.at("REPDATE"), "11.06.2025");
  EXPECT_EQ(welcome.at("ALARM"), "T");
  EXPECT_EQ(welcome.at("ALARMFILE"), ".\\sounds\\Wichtig.wav");
  EXPECT_EQ(welcome.at("TEXT"), sampleAppointments(r.clock)[0].TEXT);
  EXPECT_NE(welcome.at("TEXT").find("über das Menü"), std::string::npos);
  EXPECT_EQ(dump.records[1].at("DATE"), "15.06.2024");
  EXPECT_EQ(dump.records[2].at("NICHTMEHR"), "300");
  EXPECT_EQ(dump.records[3].at("WEEKDAYS"), "XXXXXXX");
  EXPECT_EQ(dump.records[3].at("REPEAT"), "1");
  EXPECT_EQ(dump.records[3].at("EMAIL"), "");

  // The indexes were kept current while the samples were appended.
  const auto current = test::walkNtx(r.dir / "ZORVANE.NT1");
  ASSERT_EQ(current.size(), 4u);
  EXPECT_EQ(current[0], (std::pair<std::string, std::uint32_t>{"2024061109:30", 1}));
  EXPECT_EQ(current[2], (std::pair<std::string, std::uint32_t>{"2024122016:00", 4}));
  EXPECT_EQ(current[3], (std::pair<std::string, std::uint32_t>{"2025050301:00", 3}));
  EXPECT_TRUE(test::walkNtx(r.dir / "ZORVANE.NT2").empty());
}

TEST_F(FirstStartTest, OtherTablesAndAFilledDefaultTableGetTheNote) {
  buildDbase(r.ctx, "Zorvane");
  buildDbase(r.ctx, "zorvane.ter");  // not empty any more
  auto dump = test::readWithDbfread(r.dir / "ZORVANE.TER");
  ASSERT_EQ(dump.count, 5) << dump.output;
  EXPECT_EQ(dump.records[4].at("TEXT"), "Sie haben eine neue, leere Termindatei erzeugt.");

  buildDbase(r.ctx, "Termine.TER");
  EXPECT_EQ(r.ctx.settings.CN_FILE, "TERMINE");
  dump = test::readWithDbfread(r.dir / "TERMINE.TER");
  ASSERT_EQ(dump.count, 1) << dump.output;
  EXPECT_EQ(dump.records[0].at("ALARMFILE"), ".\\SOUNDS\\CARHORN.WAV");
  EXPECT_EQ(dump.records[0].at("TDATE"), "11.06.2024");
  EXPECT_EQ(dump.records[0].at("TERMINART"), "TA40");

  const std::string before = r.dir.read("TERMINE.TER");
  EXPECT_TRUE(buildDbase(r.ctx, ""));
  EXPECT_EQ(r.ctx.settings.CN_FILE, "TERMINE");
  EXPECT_EQ(r.dir.read("TERMINE.TER"), before);
}

// An adopted table that had its indexes: the note must show in the views without a rebuild.
TEST_F(FirstStartTest, TheNoteOfAnAdoptedTableReachesItsIndexes) {
  buildDbase(r.ctx, "MEIER");
  ASSERT_TRUE(checkDbf(r.ctx));
  buildDbase(r.ctx, "MEIER");
  EXPECT_FALSE(r.ctx.DTER);  // closed for the new records
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(test::viewOrder(*r.ctx.DTER, 1), (std::vector<std::uint32_t>{1, 2}));
}

TEST_F(FirstStartTest, ADamagedTableIsNeitherFilledNorReplaced) {
  r.dir.write("ZORVANE.TER", "kein dBASE");
  buildDbase(r.ctx, "ZORVANE");
  EXPECT_EQ(r.dir.read("ZORVANE.TER"), "kein dBASE");
  ASSERT_EQ(r.ui.messages.size(), 1u);
  EXPECT_EQ(r.ui.messages[0].title, "Problem");
  EXPECT_NE(r.ui.messages[0].text.find("ZORVANE.TER ist beschädigt"), std::string::npos);
}

TEST_F(FirstStartTest, FirstStartThroughStartUpThenTheTableIsOpened) {
  r.dir.write("ZORVANE.INI", "[SETUP]\r\nLOGBUCH=1\r\n");
  r.ctx.CS_EXEPATH = r.dir / "zorvane";
  struct Steps : NoStartupSteps {
    void buildDbase(Context& ctx, const std::string& name) override { zrv::buildDbase(ctx, name); }
  } steps;
  startUp(r.ctx, steps);
  openTableAtStart(r.ctx, [](Context&) {
    ADD_FAILURE() << "no user set-up outside network mode";
    return true;
  });
  ASSERT_TRUE(r.ctx.DTER);
  EXPECT_EQ(test::viewOrder(*r.ctx.DTER, 1).size(), 4u);
  const auto lines = r.logLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "(Zorvane Start) ");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "(CheckDBF) Datenbank-Struktur prüfen: ZORVANE"),
            lines.end());
  EXPECT_TRUE(r.ui.messages.empty());
  EXPECT_EQ(r.ui.busyDepth, 0);
}

// A registered workstation opens its own table, not the one the last run ended on (another
// user's, whom it would lock out).
TEST_F(FirstStartTest, NetworkModeWithoutAUserRunsTheUserSetUpInstead) {
  buildDbase(r.ctx, "ZORVANE");
  r.ctx.settings.LS_LAN = true;
  r.ctx.settings.CS_USERFILE = "   ";
  int setUps = 0;
  const auto setUp = [&](Context&) { return ++setUps == 1; };
  EXPECT_TRUE(openTableAtStart(r.ctx, setUp));
  EXPECT_FALSE(r.ctx.DTER);
  EXPECT_FALSE(openTableAtStart(r.ctx, setUp));  // the set-up ends the program

  r.ctx.settings.CS_USERFILE = "MEIER";
  r.ctx.settings.CN_FILE = "ZORVANE";
  EXPECT_TRUE(openTableAtStart(r.ctx, setUp));
  EXPECT_EQ(setUps, 2);
  ASSERT_TRUE(r.ctx.DTER);
  EXPECT_EQ(r.ctx.settings.CN_FILE, "ZORVANE");  // MEIER has no table yet

  buildDbase(r.ctx, "MEIER");
  r.ctx.settings.CN_FILE = "ZORVANE";
  EXPECT_TRUE(openTableAtStart(r.ctx, setUp));
  EXPECT_EQ(r.ctx.settings.CN_FILE, "MEIER");
}

}  // namespace
}  // namespace zrv
