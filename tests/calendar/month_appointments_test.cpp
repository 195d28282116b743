// The month's appointments collected through the temporary index, and the table as the calendar
// leaves it: on its record, in the order of the view the list shows, without the index file.
#include "calendar/month_appointments.h"

#include <gtest/gtest.h>

#include "store/appointments/appointment_table.h"
#include "store/xbase/table.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::makeAppointment;

Date ymd(int y, int m, int d) {
  return *Date::fromYmd(y, m, d);
}

class MonthAppointmentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    march10 = rig.add(makeAppointment("10.03.2024", "09:00", "Zahnarzt Dr. Weiß\r\nBonusheft"));
    Appointment filed = makeAppointment("11.03.2024", "09:00", "abgelegt");
    filed.QUIT = true;
    rig.add(filed);
    rig.add(makeAppointment("01.04.2024", "09:00", "April"));
    Appointment prog = makeAppointment("05.03.2024", "08:00", "Sicherung");
    prog.PROGSTART = "C:\\Tools\\Backup.EXE ";
    prog.PROGPARAM = "-voll";
    rig.add(prog);
    rig.add(makeAppointment("31.03.2023", "09:00", "Vorjahr"));
    rig.add(makeAppointment("10.03.2024", "07:00", "zweiter Termin des Tages"));
    deleted = rig.add(makeAppointment("12.03.2024", "09:00", "gelöscht"));
    EXPECT_TRUE(rig.table->deleteRecord());
    EXPECT_TRUE(rig.table->commit());
  }

  std::filesystem::path kal() const { return rig.dir.path() / "ZORVANE.KAL"; }

  test::ReminderRig rig{"10.06.2024", "09:00:00"};
  std::uint32_t march10 = 0, deleted = 0;
};

TEST_F(MonthAppointmentsTest, EachDayOfTheMonthWithoutFiledOrDeletedOnes) {
  Table& t = rig.table->table();
  // The list shows the filed view (order 2) and stands on an appointment of March.
  ASSERT_TRUE(rig.table->setView(3));
  ASSERT_TRUE(t.setOrder(2));
  ASSERT_TRUE(rig.table->goTo(march10));

  const MonthCollection month = kalGetTermine(*rig.table, ymd(2024, 3, 20));
  ASSERT_TRUE(month.status) << month.status.message();
  ASSERT_EQ(month.appointments.size(), 2u);
  EXPECT_EQ(month.appointments[0].date, ymd(2024, 3, 5));
  EXPECT_EQ(month.appointments[0].text, "~..Backup.EXE -voll");
  // The first of the day in the index (by record number), as the day's tooltip shows it.
  EXPECT_EQ(month.appointments[1].date, ymd(2024, 3, 10));
  EXPECT_EQ(month.appointments[1].text, "Zahnarzt Dr. Weiß");
  const MonthCollection before = kalGetTermine(*rig.table, ymd(2023, 3, 1));
  ASSERT_EQ(before.appointments.size(), 1u);
  EXPECT_EQ(before.appointments[0].text, "Vorjahr");

  EXPECT_FALSE(std::filesystem::exists(kal()));
  EXPECT_EQ(t.orderCount(), 4);
  EXPECT_EQ(t.order(), 2);
  EXPECT_EQ(t.indexFile(1), appointmentIndexFile(rig.base(), 1));
  EXPECT_EQ(rig.table->recNo(), march10);
}

TEST_F(MonthAppointmentsTest, AFailedIndexLeavesTheTableAsItWas) {
  // Something of the index's name that cannot be replaced by a file.
  std::filesystem::create_directories(kal() / "busy");
  ASSERT_TRUE(rig.table->setView(2));
  ASSERT_TRUE(rig.table->goTo(march10));
  const MonthCollection month = kalGetTermine(*rig.table, ymd(2024, 3, 1));
  EXPECT_FALSE(month.status);
  EXPECT_TRUE(month.appointments.empty());
  Table& t = rig.table->table();
  EXPECT_EQ(t.orderCount(), 4);
  EXPECT_EQ(t.order(), 3);
  EXPECT_EQ(rig.table->recNo(), march10);

  // Through the context the failure goes to the logbook and on to the calendar, which shows no
  // marks.
  rig.ctx.DTER = std::move(rig.table);
  const MonthCollection viaContext = tableMonthSource(rig.ctx)(ymd(2024, 3, 1));
  EXPECT_TRUE(viaContext.appointments.empty());
  EXPECT_FALSE(viaContext.status);
  rig.table = std::move(rig.ctx.DTER);
  bool logged = false;
  for (const std::string& line : rig.logLines())
    logged = logged || line.find("KalGetTermine") != std::string::npos;
  EXPECT_TRUE(logged);
}

TEST(CalendarText, FirstMemoLineOrTheProgramStarted) {
  EXPECT_EQ(calendarText("Eins\nZwei", "", ""), "Eins");
  EXPECT_EQ(calendarText("x", ".\\bin\\tool", ""), "~..tool ");
  EXPECT_EQ(calendarText("x", "/usr/bin/xterm", "-e top"), "~..xterm -e top");
}

}  // namespace
}  // namespace zrv
