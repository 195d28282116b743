// The command layer: what runs around a command (the week overview left, the timer paused,
// missed and next appointments searched with the command's tag).
#include "commands/commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "reminder/reminder_env.h"
#include "support/command_window_fake.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::FakeTimer;
using test::makeAppointment;

class CommandsTest : public ::testing::Test {
 protected:
  bool run(CommandId id, std::uint32_t recno = 0) {
    CommandScope scope{rig.ctx, rig.env.get(), window, recno};
    return commands.run(id, scope);
  }
  bool logged(const std::string& line) const {
    const auto lines = rig.logLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  test::ReminderRig rig;
  test::FakeCommandWindow window{rig.timer};
  Commands commands = window.allCommands();
};

TEST_F(CommandsTest, InsertKeyLeavesTheWeekPausesTheTimerAndSearchesAfterwards) {
  rig.timer.start();
  ASSERT_TRUE(run(CommandId::ListInsertKey));
  EXPECT_EQ(window.calls, (std::vector<std::string>{"leaveWeek", "edit 0 new timer off"}));
  EXPECT_TRUE(rig.timer.on);
  EXPECT_TRUE(logged("(ChkOlds) Verpassten Termin suchen"));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: CheckLbxKeys1"));
}

TEST_F(CommandsTest, DeleteKeyStaysInPlaceAndSearchesTwiceAfterADeletion) {
  const std::uint32_t recno = rig.add(makeAppointment("11.06.2024", "10:00", "weg damit"));
  ASSERT_TRUE(rig.table->goTo(recno));
  rig.ui.answers = {true};
  ASSERT_TRUE(run(CommandId::ListDeleteKey));
  EXPECT_TRUE(window.calls.empty());
  EXPECT_TRUE(rig.isDeleted(recno));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: CheckLbxKeys2"));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: CheckLbxKeys1"));
  EXPECT_FALSE(logged("(ChkOlds) Verpassten Termin suchen"));
}

TEST_F(CommandsTest, TheContextMenuEditsTheClickedRecord) {
  rig.add(makeAppointment("11.06.2024", "10:00", "eins"));
  const std::uint32_t second = rig.add(makeAppointment("12.06.2024", "10:00", "zwei"));
  ASSERT_TRUE(rig.table->goTop());
  ASSERT_TRUE(run(CommandId::ContextEdit, second));
  EXPECT_EQ(window.calls, (std::vector<std::string>{"edit 2 timer off"}));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: RMenEdit 1"));
}

TEST_F(CommandsTest, SettingsOpenInsideTheTimersWrappingTheBarOneAfterTheOther) {
  rig.timer.start();
  for (CommandId id : {CommandId::SettingsGeneral, CommandId::PopupSettingsNetwork,
                       CommandId::SettingsSound, CommandId::BarSettings}) {
    ASSERT_TRUE(run(id)) << static_cast<int>(id);
  }
  rig.ctx.settings.LS_LAN = true;
  ASSERT_TRUE(run(CommandId::BarSettings));
  const std::vector<std::string> expected{
      "leaveWeek",           "setupMain timer off", "leaveWeek",
      "setupLan timer off",  "leaveWeek",           "setupSound timer off",
      "leaveWeek",           "setupMain timer off", "setupSound timer off",
      "leaveWeek",           "setupMain timer off", "setupLan timer off",
      "setupSound timer off"};
  EXPECT_EQ(window.calls, expected);
  EXPECT_TRUE(rig.timer.on);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: SearchM2"));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: BarSetup"));
  EXPECT_FALSE(run(static_cast<CommandId>(42)));
}

TEST_F(CommandsTest, PrintoutsGoToTheWindowsPrinterInsideTheTimersWrapping) {
  rig.add(makeAppointment("11.06.2024", "10:00", "Zahnarzt"));
  rig.timer.start();
  ASSERT_TRUE(run(CommandId::PrintToday));
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{
                                 "Problem: Für den 10.06.2024 wurden keine Termine gefunden !"});
  ASSERT_TRUE(run(CommandId::PrintTomorrow));
  ASSERT_TRUE(run(CommandId::PrintSetup));
  ASSERT_TRUE(run(CommandId::PrintPeriod));  // the dialog cancelled: nothing printed
  ASSERT_EQ(window.printer.jobs.size(), 2u);
  EXPECT_EQ(window.printer.jobs[0].pages[0].texts[1].text, "10:00");
  EXPECT_EQ(window.period.asked.size(), 1u);
  EXPECT_TRUE(rig.timer.on);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: PrintMorgen"));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: PrintDef"));
}

TEST_F(CommandsTest, WithoutATableOnlyTheActionRuns) {
  CommandScope scope{rig.ctx, nullptr, window, 0};
  window.chosen = "";
  ASSERT_TRUE(commands.run(CommandId::FileOpen, scope));
  ASSERT_TRUE(commands.run(CommandId::AppointmentNew, scope));
  EXPECT_EQ(window.calls, (std::vector<std::string>{"leaveWeek", "choose", "leaveWeek"}));
  EXPECT_FALSE(logged("(ChkNext) Nächsten Termin suchen - call von: MOpen"));
}

}  // namespace
}  // namespace zrv
