// Changing the table in use while the reminder runs: the due check follows the new table at
// its next tick, and a table that cannot be opened leaves the previous one in use.
#include <gtest/gtest.h>

#include "app/context.h"
#include "app/file_commands.h"
#include "app/table_in_use.h"
#include "reminder/due_check.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/xbase/table.h"
#include "support/lock_holder.h"
#include "support/reminder_rig.h"
#include "support/table_rig.h"

namespace zrv {
namespace {

using test::makeAppointment;

// What the program does when the table changes: the reminder engine follows it.
struct FollowTable : TableListener {
  explicit FollowTable(ReminderEnv& e) : env(e) {}
  void tableChanged(Context& ctx) override {
    ++changes;
    if (ctx.DTER) env.follow(*ctx.DTER);
  }
  void tableClosing(Context&) override {}
  ReminderEnv& env;
  int changes = 0;
};

class TableSwitchTest : public ::testing::Test {
 protected:
  TableSwitchTest() {
    // The rig's table becomes the table in use, as checkDbf leaves it.
    rig.ctx.settings.CN_FILE = "ZORVANE";
    rig.ctx.DTER = std::move(rig.table);
    rig.env->follow(*rig.ctx.DTER);
    rig.ctx.tableListener = &follow;
    add(*rig.ctx.DTER, "Termin in ZORVANE");
  }

  // An appointment due at 09:05 today (the rig's clock stands at 09:00).
  void add(AppointmentTable& t, const std::string& text) {
    Appointment a = makeAppointment("10.06.2024", "09:05", text);
    applyTriggerRule(a, rig.log);
    ASSERT_TRUE(t.append(a));
    ASSERT_TRUE(t.commit());
  }

  // A second table in the program directory with one due appointment.
  void makeTable(const std::string& name, const std::string& text) {
    const auto base = rig.dir.path() / name;
    ASSERT_TRUE(Table::create(appointmentTableFile(base), terStruct(), rig.clock));
    AppointmentTable::Options options;
    auto t = AppointmentTable::open(base, rig.clock, options);
    ASSERT_TRUE(t);
    add(**t, text);
    ASSERT_TRUE((*t)->close());
  }

  // "Öffnen" as the menu runs it: inside the timer's wrapping, which goes on with the engine.
  void open(const std::string& name) {
    runUserCommand(*rig.env, "DBFOpen", false,
                   [&] { dbfOpen(rig.ctx, (rig.dir.path() / (name + ".TER")).string()); });
  }

  // The texts of the alerts a tick at 09:05 raises.
  std::vector<std::string> tick() {
    rig.clock.set("10.06.2024", "09:05:00");
    rig.alert.shown.clear();
    chkAll(*rig.env);
    std::vector<std::string> texts;
    for (const AlertContent& c : rig.alert.shown)
      texts.push_back(c.text);
    return texts;
  }

  test::ReminderRig rig;
  FollowTable follow{*rig.env};
};

TEST_F(TableSwitchTest, AnotherTableIsFollowedByTheNextTick) {
  makeTable("MEIER", "Termin in MEIER");
  open("MEIER");
  EXPECT_EQ(follow.changes, 1);
  ASSERT_TRUE(rig.ctx.DTER);
  EXPECT_EQ(rig.ctx.DTER->base().filename(), "MEIER");
  EXPECT_EQ(&rig.env->DTER, rig.ctx.DTER.get());
  EXPECT_EQ(rig.ctx.settings.CN_FILE, "MEIER");
  EXPECT_EQ(tick(), std::vector<std::string>{"Termin in MEIER"});
  EXPECT_TRUE(rig.ui.messages.empty());
}

TEST_F(TableSwitchTest, ATableHeldByAnotherProgramLeavesThePreviousOneInUse) {
  makeTable("HELD", "Termin in HELD");
  test::TableHolder other(rig.dir.path() / "HELD");
  ASSERT_TRUE(other.holding());
  open("HELD");
  ASSERT_TRUE(rig.ctx.DTER);
  EXPECT_EQ(rig.ctx.DTER->base().filename(), "ZORVANE");
  EXPECT_EQ(&rig.env->DTER, rig.ctx.DTER.get());
  EXPECT_EQ(rig.ctx.settings.CN_FILE, "ZORVANE");
  ASSERT_GE(rig.ui.messages.size(), 2u);  // why, and which table stays in use
  EXPECT_NE(rig.ui.messages.front().find("HELD"), std::string::npos) << rig.ui.messages.front();
  EXPECT_NE(rig.ui.messages.back().find("Sie arbeiten weiter mit der Termindatei ZORVANE"),
            std::string::npos)
      << rig.ui.messages.back();
  EXPECT_EQ(tick(), std::vector<std::string>{"Termin in ZORVANE"});
}

}  // namespace
}  // namespace zrv
