// The appointment table: a whole appointment through the file, the four trigger-ordered
// indexes with their conditions and the views that select them, older structures read by
// field name, and index files that are missing or damaged when the table is opened.
#include "store/appointments/appointment_table.h"

#include <gtest/gtest.h>

#include <sstream>

#include "store/appointments/appointment_record.h"
#include "store/appointments/trigger.h"
#include "store/base/file_io.h"
#include "store/base/file_stamp.h"
#include "store/base/logbook.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;

Appointment sample(const std::string& title, Date date, const std::string& time, bool quit = false,
                   int vorlage = 1) {
  Appointment a;
  a.DATE = a.TDATE = date;
  a.TIME = a.TTIME = a.TIMEVON = time;
  a.TEXT = title + "\r\nzweite Zeile";
  a.VORLAGE = vorlage;
  a.QUIT = quit;
  return a;
}

class AppointmentTableTest : public ::testing::Test {
 protected:
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  std::filesystem::path base = dir / "ZORVANE";
  std::vector<std::string> notes;
  std::vector<std::string> dayNotes;  // today's indexes built at every open
  const Date today = *Date::fromYmd(2024, 3, 15);

  std::unique_ptr<AppointmentTable> open(bool rebuild = false) {
    AppointmentTable::Options o;
    o.rebuildIndexes = rebuild;
    o.onNote = [this](const std::string& n) {
      (n.rfind("Die Indexe .NT3 und .NT4", 0) == 0 ? dayNotes : notes).push_back(n);
    };
    return must(AppointmentTable::open(base, clock, o));
  }

  std::vector<std::string> titles(AppointmentTable& t) {
    std::vector<std::string> v;
    for (must(t.goTop()); !t.eof(); must(t.skip())) {
      const std::string text = must(t.read()).TEXT;
      v.push_back(text.substr(0, text.find('\r')));
    }
    return v;
  }
};

TEST_F(AppointmentTableTest, EveryFieldOfAnAppointmentSurvivesTheFile) {
  const Structure s = terStruct();
  ASSERT_EQ(s.size(), 28u);
  int length = 1;
  for (const FieldDef& f : s)
    length += f.width;
  EXPECT_EQ(length, 619);  // deletion flag and 618 bytes of fields
  ASSERT_OK(Table::create(appointmentTableFile(base), s, clock));
  Appointment a;
  a.TDATE = today - 1;
  a.TTIME = "23:50";
  a.LAUTO = true;
  a.DATE = today;
  a.TIME = "00:05";
  a.TIMEVON = "00:05";
  a.TEXT = "Zahnarzt Dr. Müller\r\nBitte Überweisung mitnehmen – 20 €";
  a.VORLAGE = 4;
  a.VORLNACH = 120;
  a.REPEAT = 1;
  a.REPDATE = *Date::fromYmd(2024, 12, 31);
  a.WARNMIN = 15;
  a.ALARM = true;
  a.ALARMFILE = ".\\sounds\\gong.wav";
  a.PROGSTART = "C:\\Programme\\Rechner.exe";
  a.PROGPARAM = "/s /x";
  a.TERMINART = "TA70";
  a.NICHTMEHR = 30;
  a.QUIT = false;
  a.DAYINTVALL = 2;
  a.WEKINTVALL = 3;
  a.WEEKDAYS = " X X   ";
  a.MONTHDAY = 31;
  a.MONTH = "X          X";
  a.EMAIL = "hans.mueller@example.org";
  {
    auto t = open();
    ASSERT_OK(t->append(a));
    ASSERT_OK(t->commit());
  }
  auto t = open();
  ASSERT_FALSE(t->eof());
  EXPECT_EQ(must(t->read()), a);
  // Masks keep their positions even when their last characters are blanks.
  Appointment b = sample("b", today, "08:00");
  b.WEEKDAYS = "X";
  ASSERT_OK(t->append(b));
  EXPECT_EQ(must(t->read()).WEEKDAYS, "X      ");
  EXPECT_EQ(must(t->read()).MONTH, std::string(12, ' '));
  // Too large a number is refused, not cut.
  b.WARNMIN = 1000;
  EXPECT_EQ(t->write(b).code(), StatusCode::kInvalidArgument);
}

// An hourly appointment on the calendar's last day and one on its first with a lead time: the
// default end date and the trigger that fall outside the calendar are stored empty, and an
// independent reader reads the whole table.
TEST_F(AppointmentTableTest, DatesAtTheEndsOfTheCalendarKeepTheTableReadable) {
  Appointment last = sample("Silvester 9999", *Date::fromYmd(9999, 12, 31), "23:30", false, 2);
  last.REPDATE = last.DATE + 10;
  Appointment first = sample("Anfang", *Date::fromYmd(1, 1, 1), "00:05");
  first.WARNMIN = 15;
  Logbook quiet({}, {}, clock);
  applyTriggerRule(first, quiet);
  ASSERT_OK(Table::create(appointmentTableFile(base), terStruct(), clock));
  {
    auto t = open();
    must(t->append(last));
    must(t->append(first));
    must(t->close());
  }
  const auto r = test::runPython("dbf_dump.py", test::quoted(dir / "ZORVANE.TER"));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("DATE=9999-12-31\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("REPDATE=None\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("TDATE=None\n"), std::string::npos) << r.out;
}

TEST_F(AppointmentTableTest, IndexesAndViewsFollowTriggerAndConditions) {
  ASSERT_OK(Table::create(appointmentTableFile(base), terStruct(), clock));
  {
    auto t = open();
    ASSERT_OK(t->append(sample("today late", today, "18:00")));
    ASSERT_OK(t->append(sample("tomorrow", today + 1, "07:00")));
    ASSERT_OK(t->append(sample("today early", today, "08:00")));
    ASSERT_OK(t->append(sample("filed", today - 3, "09:00", true)));
    ASSERT_OK(t->append(sample("past once", today - 2, "09:00")));
    ASSERT_OK(t->append(sample("past weekly", today - 2, "10:00", false, 4)));
    ASSERT_OK(t->append(sample("same trigger", today, "08:00")));
    ASSERT_OK(t->commit());
  }
  auto t = open(true);  // built from the whole table in one go
  ASSERT_OK(t->setView(1));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"past once", "past weekly", "today early",
                                                  "same trigger", "today late", "tomorrow"}));
  ASSERT_OK(t->setView(2));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"today early", "same trigger", "today late"}));
  ASSERT_OK(t->setView(3));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"filed"}));
  ASSERT_OK(t->table().setOrder(4));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"past once"}));

  // Filing an appointment moves it between the views at once.
  ASSERT_OK(t->setView(2));
  Appointment a = must(t->read());
  a.QUIT = true;
  ASSERT_OK(t->lockRecord());
  ASSERT_OK(t->write(a));
  ASSERT_OK(t->commit());
  t->unlockRecord();
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"same trigger", "today late"}));
  ASSERT_OK(t->setView(3));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"filed", "today early"}));
  ASSERT_OK(t->close());

  const auto walked = test::runPython("ntx_walk.py", test::quoted(appointmentIndexFile(base, 4)));
  ASSERT_EQ(walked.exitCode, 0) << walked.out;
  EXPECT_EQ(walked.out.substr(0, walked.out.find("depth")),
            "key dtos(DTER->TDATE)+DTER->TTIME\n"
            "for DTER->DATE<date() .and. .not. DTER->QUIT .and. DTER->VORLAGE=1\n");
  EXPECT_NE(walked.out.find("2024031309:00|5"), std::string::npos);
}

TEST_F(AppointmentTableTest, TodaysIndexesAreBuiltForTheDayOfOpeningAndOnRequest) {
  ASSERT_OK(Table::create(appointmentTableFile(base), terStruct(), clock));
  {
    auto t = open();
    ASSERT_OK(t->append(sample("yesterday once", today - 1, "09:00")));
    ASSERT_OK(t->append(sample("today", today, "09:00")));
    ASSERT_OK(t->append(sample("tomorrow", today + 1, "09:00")));
    ASSERT_OK(t->commit());
  }
  clock.set("16.03.2024", "00:05");  // a restart after midnight
  auto t = open();
  EXPECT_EQ(dayNotes.size(), 2u);
  ASSERT_OK(t->setView(2));
  EXPECT_EQ(titles(*t), std::vector<std::string>{"tomorrow"});
  ASSERT_OK(t->table().setOrder(4));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"yesterday once", "today"}));

  // The next midnight while the table stays open: the rebuild keeps order and record.
  clock.set("17.03.2024", "00:00:05");
  ASSERT_OK(t->setView(2));
  ASSERT_OK(t->goTo(1));
  ASSERT_OK(t->rebuildDayIndexes());
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_EQ(t->table().order(), 3);
  EXPECT_EQ(titles(*t), std::vector<std::string>{});
  ASSERT_OK(t->table().setOrder(4));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"yesterday once", "today", "tomorrow"}));
}

// The exclusive open reads only the headers of .NT3 and .NT4: their pages are replaced by the
// day's build right after, damaged or not.
TEST_F(AppointmentTableTest, DamagedPagesOfTheDayIndexesGoWithTheDaysBuild) {
  ASSERT_OK(Table::create(appointmentTableFile(base), terStruct(), clock));
  {
    auto t = open();
    ASSERT_OK(t->append(sample("later", today, "11:00")));
    ASSERT_OK(t->append(sample("earlier", today, "08:00")));
    ASSERT_OK(t->append(sample("past", today - 2, "09:00")));
    ASSERT_OK(t->commit());
  }
  for (int number : {3, 4}) {
    std::string bytes = *readWholeFile(appointmentIndexFile(base, number));
    ASSERT_GE(bytes.size(), 2048u);
    std::fill(bytes.begin() + 1024, bytes.end(), '\xFF');
    ASSERT_TRUE(replaceFileAtomically(appointmentIndexFile(base, number), bytes));
  }
  auto t = open();
  EXPECT_TRUE(notes.empty());
  ASSERT_OK(t->setView(2));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"earlier", "later"}));
  ASSERT_OK(t->table().setOrder(4));
  EXPECT_EQ(titles(*t), std::vector<std::string>{"past"});
}

TEST_F(AppointmentTableTest, TemporaryIndexWithABoundDateThenTheFourAgain) {
  ASSERT_OK(Table::create(appointmentTableFile(base), terStruct(), clock));
  auto t = open();
  EXPECT_TRUE(t->eof());  // a new table gets its four (empty) indexes
  ASSERT_OK(t->append(sample("april", *Date::fromYmd(2024, 4, 2), "09:00")));
  ASSERT_OK(t->append(sample("march b", *Date::fromYmd(2024, 3, 20), "09:00")));
  ASSERT_OK(t->append(sample("march a", *Date::fromYmd(2024, 3, 1), "09:00")));
  ASSERT_OK(t->append(sample("march filed", *Date::fromYmd(2024, 3, 2), "09:00", true)));
  ASSERT_OK(t->goTo(2));
  // The calendar's month index: its condition compares with a date bound when it is built.
  const IndexDef month{"dtos(DTER->DATE)",
                       "month(DTER->DATE) = month(dDAT) .and. .not. DTER->QUIT",
                       false,
                       {{"dDAT", *Date::fromYmd(2024, 3, 1)}}};
  ASSERT_OK(t->table().createIndex(dir / "ZORVANE.KAL", month));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"march a", "march b"}));
  ASSERT_OK(t->goTo(2));
  ASSERT_OK(t->table().closeIndexes());
  std::filesystem::remove(dir / "ZORVANE.KAL");
  ASSERT_OK(t->reopenIndexes());
  EXPECT_EQ(t->recNo(), 2u);
  EXPECT_EQ(t->table().order(), 1);
  EXPECT_EQ(t->table().orderCount(), 4);
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"march a", "march b", "april"}));
}

TEST_F(AppointmentTableTest, OneIndexIsClosedAloneAndTheLaterOnesMoveUp) {
  ASSERT_OK(Table::create(appointmentTableFile(base), terStruct(), clock));
  auto t = open();
  ASSERT_OK(t->append(sample("march", *Date::fromYmd(2024, 3, 20), "09:00")));
  ASSERT_OK(t->append(sample("april", *Date::fromYmd(2024, 4, 2), "09:00")));
  Table& table = t->table();
  ASSERT_OK(
      table.createTemporaryIndex(dir / "ZORVANE.KAL", IndexDef{"dtos(DTER->DATE)", "", false, {}}));
  EXPECT_EQ(table.order(), 5);
  ASSERT_OK(t->goTo(2));
  ASSERT_OK(table.closeIndex(2));  // the filed view's index
  EXPECT_EQ(table.orderCount(), 4);
  EXPECT_EQ(table.order(), 4);  // the temporary one, moved up, still controls
  EXPECT_EQ(table.indexFile(4), dir / "ZORVANE.KAL");
  EXPECT_EQ(t->recNo(), 2u);
  ASSERT_OK(table.closeIndex(4));
  EXPECT_EQ(table.order(), 0);
  EXPECT_FALSE(table.closeIndex(4));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"march", "april"}));
}

TEST_F(AppointmentTableTest, OlderStructureIsReadByFieldName) {
  Structure old = terStruct();
  old.pop_back();             // no EMAIL yet
  std::swap(old[0], old[3]);  // and another field order
  ASSERT_OK(Table::create(dir / "OLD.TER", old, clock));
  auto t = test::openTable(dir / "OLD.TER", clock);
  Appointment a = sample("alt", today, "09:30");
  a.EMAIL = "dropped@example.org";
  ASSERT_OK(t->append());
  ASSERT_OK(writeAppointment(*t, a));
  ASSERT_OK(t->flush());
  Appointment back = must(readAppointment(*t));
  EXPECT_EQ(back.TEXT, a.TEXT);
  EXPECT_EQ(back.DATE, today);
  EXPECT_EQ(back.TIME, "09:30");
  EXPECT_EQ(back.EMAIL, "");
}

TEST_F(AppointmentTableTest, MissingAndDamagedIndexFilesAreBuiltAnewAndReported) {
  ASSERT_OK(Table::create(appointmentTableFile(base), terStruct(), clock));
  {
    auto t = open();
    ASSERT_OK(t->append(sample("a", today, "09:00")));
    ASSERT_OK(t->append(sample("b", today, "08:00")));
    ASSERT_OK(t->commit());
  }
  EXPECT_TRUE(notes.empty());
  // .NT2 garbled, .NT3 gone, .NT4 from another program (a descending index).
  std::string nt2 = *readWholeFile(appointmentIndexFile(base, 2));
  nt2[4] = 0x33;  // root offset no longer a page
  ASSERT_TRUE(replaceFileAtomically(appointmentIndexFile(base, 2), nt2));
  std::filesystem::remove(appointmentIndexFile(base, 3));
  std::string nt4 = *readWholeFile(appointmentIndexFile(base, 4));
  nt4[280] = 1;
  ASSERT_TRUE(replaceFileAtomically(appointmentIndexFile(base, 4), nt4));
  auto t = open();
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[0].rfind("Der Index ZORVANE.NT2 wurde neu aufgebaut: Die Datei ZORVANE.NT2 ist "
                           "beschädigt",
                           0),
            0u)
      << notes[0];
  EXPECT_EQ(notes[1], "Der Index ZORVANE.NT3 fehlte und wurde aufgebaut.");
  EXPECT_NE(notes[2].find("absteigender Index"), std::string::npos) << notes[2];
  ASSERT_OK(t->setView(2));
  EXPECT_EQ(titles(*t), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(t->table().orderCount(), 4);
  EXPECT_EQ(t->table().indexDef(3).forCondition, "DTER->DATE=date() .and. .not. DTER->QUIT");
}

TEST_F(AppointmentTableTest, FileStampNamesTheLastChange) {
  ASSERT_OK(Table::create(appointmentTableFile(base), terStruct(), clock));
  const auto stamp = fileStamp(appointmentTableFile(base));
  ASSERT_TRUE(stamp);
  EXPECT_FALSE(stamp->date.empty());
  EXPECT_EQ(stamp->time.size(), 8u);
  EXPECT_FALSE(fileStamp(dir / "NONE.TER"));
  std::filesystem::last_write_time(
      appointmentTableFile(base),
      std::filesystem::last_write_time(appointmentTableFile(base)) - std::chrono::hours(49));
  EXPECT_NE(*fileStamp(appointmentTableFile(base)), *stamp);
}

}  // namespace
}  // namespace zrv
