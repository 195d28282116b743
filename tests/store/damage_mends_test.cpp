// What the store makes of files that an interrupted append, another program or damage left:
// no blank appointment from an append cut short, records behind the header's count taken in
// rather than overwritten, and an appointment whose memo cannot be read still listed.
#include <gtest/gtest.h>

#include "crash_support.h"
#include "store/appointments/appointment_record.h"
#include "store/xbase/xbase_layout.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;
namespace fs = std::filesystem;

class DamageMends : public ::testing::Test {
 protected:
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  const Date today = *Date::fromYmd(2024, 3, 15);
  std::vector<std::string> notes;

  void SetUp() override {
    must(Table::create(dir / "ZORVANE.TER", terStruct(), clock));
    auto t = open();
    for (int i = 0; i < 5; ++i) {
      Appointment a;
      a.DATE = a.TDATE = today + i;
      a.TIME = a.TTIME = "10:0" + std::to_string(i);
      a.TEXT = "Termin " + std::to_string(i);
      must(t->append(a));
    }
    must(t->close());
  }

  std::unique_ptr<AppointmentTable> open(OpenMode mode = OpenMode::kExclusive) {
    AppointmentTable::Options o;
    o.mode = mode;
    o.onNote = [this](const std::string& n) { note(n); };
    return must(AppointmentTable::open(dir / "ZORVANE", clock, o));
  }
  // What the open tells, less the day's rebuild of .NT3 / .NT4 that every exclusive open tells.
  void note(const std::string& n) {
    if (n.find(".NT3 und .NT4") == std::string::npos) notes.push_back(n);
  }
};

TEST_F(DamageMends, AnAppendCutShortLeavesNoBlankAppointment) {
  auto writer = open(OpenMode::kShared);
  ASSERT_OK(writer->table().append());  // the blank record is in the file, its content not yet
  auto reader = open(OpenMode::kShared);
  bool deleted = false;
  ASSERT_OK(reader->readAt(6, &deleted));
  EXPECT_TRUE(deleted);
  EXPECT_EQ(must(reader->orderRecnos()).size(), 5u);
  ASSERT_OK(writer->table().setString("TTIME", "11:00"));
  ASSERT_OK(writer->table().flush());
  ASSERT_OK(reader->readAt(6, &deleted));
  EXPECT_FALSE(deleted);
}

TEST_F(DamageMends, RecordsBehindTheCountAreTakenInNotOverwritten) {
  {
    std::string bytes = dir.read("ZORVANE.TER");
    xbase::put32(bytes.data() + xbase::dbf::kOffRecordCount, 3);  // another program lowered it
    dir.write("ZORVANE.TER", bytes);
  }
  auto t = open();
  EXPECT_EQ(t->table().recCount(), 5u);
  EXPECT_EQ(t->table().adoptedRecords(), 2u);
  EXPECT_TRUE(fs::exists(dir / "ZORVANE.TER.BAK"));
  ASSERT_FALSE(notes.empty());
  EXPECT_NE(notes[0].find("übernommen"), std::string::npos) << notes[0];
  EXPECT_TRUE(must(test::mismatchedIndexes(*t)).empty());
  EXPECT_EQ(must(t->orderRecnos()).size(), 5u);
  Appointment a;
  a.DATE = a.TDATE = today;
  a.TEXT = "neu";
  ASSERT_OK(t->append(a));
  EXPECT_EQ(t->recNo(), 6u);
  EXPECT_EQ(must(t->readAt(4)).TEXT, "Termin 3");
}

TEST_F(DamageMends, AnUnreadableMemoStillShowsDateAndTime) {
  {
    auto t = test::openTable(dir / "ZORVANE.TER", clock);
    ASSERT_OK(t->goTo(2));
    const std::string raw = must(t->getRaw("TEXT"));
    ASSERT_OK(t->close());
    std::string bytes = dir.read("ZORVANE.TER");
    const std::size_t header = xbase::get16(bytes.data() + xbase::dbf::kOffHeaderLength);
    const std::size_t length = xbase::get16(bytes.data() + xbase::dbf::kOffRecordLength);
    const std::size_t at = bytes.find(raw, header + length);  // in record 2
    ASSERT_LT(at, header + 2 * length);
    bytes.replace(at, raw.size(), "    999999");  // a block far past the end of the memo file
    dir.write("ZORVANE.TER", bytes);
  }
  auto t = open();
  int unreadable = 0;
  for (std::uint32_t r = 1; r <= 5; ++r) {
    const Appointment a = must(t->readAt(r));
    EXPECT_FALSE(a.TTIME.empty());
    EXPECT_FALSE(a.DATE.empty());
    unreadable += a.TEXT == "(Text nicht lesbar)";
  }
  EXPECT_EQ(unreadable, 1);
  (void)t->readAt(1);
  (void)t->readAt(2);
  ASSERT_EQ(notes.size(), 1u);  // once per record, not at every read
  EXPECT_NE(notes[0].find("nicht lesbar"), std::string::npos) << notes[0];
}

// After an unclean end (the run marker outlived its run) the indexes are checked against the
// table: an index file that missed the last appointments is rebuilt, with a logbook line.
TEST_F(DamageMends, AfterAnUncleanEndAnIndexOutOfStepIsRebuilt) {
  const std::string stale = dir.read("ZORVANE.NT1");
  {
    auto t = open();
    Appointment a;
    a.DATE = a.TDATE = today;
    a.TEXT = "danach";
    ASSERT_OK(t->append(a));
    ASSERT_OK(t->close());
  }
  dir.write("ZORVANE.NT1", stale);  // the file a crash of another writer left behind
  {
    auto t = open();  // a clean end: nothing is checked
    EXPECT_EQ(must(test::mismatchedIndexes(*t)), std::vector<int>{1});
  }
  AppointmentTable::Options o;
  o.verify = true;
  o.onNote = [this](const std::string& n) { note(n); };
  auto t = must(AppointmentTable::open(dir / "ZORVANE", clock, o));
  EXPECT_TRUE(must(test::mismatchedIndexes(*t)).empty());
  EXPECT_EQ(must(t->orderRecnos()).size(), 6u);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("ZORVANE.NT1 wurde neu aufgebaut"), std::string::npos) << notes[0];
}

}  // namespace
}  // namespace zrv
