// The context menu's own commands (run now, file away, reactivate) on a shared table, with a
// record that another process holds, the enabling rules of the menus in single-user and
// network mode, and the byte form of a saved menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/maker.h"
#include "commands/commands.h"
#include "commands/menu_codec.h"
#include "commands/menu_tables.h"
#include "reminder/reminder_env.h"
#include "support/command_window_fake.h"
#include "support/lock_holder.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::makeAppointment;

class ContextCommands : public ::testing::Test {
 protected:
  bool run(CommandId id, std::uint32_t recno) {
    CommandScope scope{rig.ctx, rig.env.get(), window, recno};
    return commands.run(id, scope);
  }
  bool logged(const std::string& line) const {
    const auto lines = rig.logLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  test::ReminderRig rig{"10.06.2024", "10:17:00", OpenMode::kShared};
  test::FakeCommandWindow window{rig.timer};
  Commands commands = window.allCommands();
};

TEST_F(ContextCommands, FilingAndReactivatingWorkOnTheClickedRecordAndSearchAfterwards) {
  const auto first = rig.add(makeAppointment("11.06.2024", "10:00", "eins"));
  const auto second = rig.add(makeAppointment("12.06.2024", "10:00", "zwei"));
  ASSERT_TRUE(rig.table->goTo(first));
  ASSERT_TRUE(run(CommandId::ContextFile, second));
  EXPECT_FALSE(rig.at(first).QUIT);
  EXPECT_TRUE(rig.at(second).QUIT);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: RMenAbleg"));
  ASSERT_TRUE(run(CommandId::ContextReactivate, second));
  EXPECT_FALSE(rig.at(second).QUIT);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: RMenReact"));
}

TEST_F(ContextCommands, ARecordHeldElsewhereStaysAsItIsWithoutAWord) {
  Appointment start = makeAppointment("20.06.2024", "08:00", "Sicherung");
  start.TERMINART = "TA20";
  start.PROGSTART = "/usr/bin/true";
  const auto rec = rig.add(start);
  const Appointment before = rig.at(rec);
  {
    test::RecordLockHolder other(rig.base(), rec);
    ASSERT_TRUE(other.holding());
    rig.timer.start();
    ASSERT_TRUE(run(CommandId::ContextFile, rec));
    ASSERT_TRUE(run(CommandId::ContextRunNow, rec));
  }
  EXPECT_EQ(rig.at(rec), before);
  EXPECT_TRUE(rig.ui.messages.empty());
  EXPECT_TRUE(rig.timer.on);
  EXPECT_FALSE(logged("(ChkNext) Nächsten Termin suchen - call von: RMenAbleg"));
  EXPECT_FALSE(logged("(ChkNext) Nächsten Termin suchen - call von: RMenSofort"));
}

TEST_F(ContextCommands, RunNowMovesTheTriggerToThisMinuteAndLogsIt) {
  Appointment start = makeAppointment("20.06.2024", "08:00", "Sicherung");
  start.TERMINART = "TA20";
  start.PROGSTART = "/usr/bin/true";
  const auto rec = rig.add(start);
  rig.timer.start();
  ASSERT_TRUE(run(CommandId::ContextRunNow, rec));
  EXPECT_EQ(rig.at(rec).TDATE.toDisplay(), "10.06.2024");
  EXPECT_EQ(rig.at(rec).TTIME, "10:17");
  EXPECT_TRUE(logged("(BuildRMenu) Nächster Start: 10.06.2024 um: 10:17 als: /usr/bin/true"));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: RMenSofort"));
  EXPECT_TRUE(rig.timer.on);
}

TEST_F(ContextCommands, TheContextMenuPausesTheTimerWhileOpenAndSearchesWhenClosed) {
  rig.timer.start();
  bool onWhileOpen = true;
  aroundContextMenu(rig.env.get(), [&] { onWhileOpen = rig.timer.on; });
  EXPECT_FALSE(onWhileOpen);
  EXPECT_TRUE(rig.timer.on);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: BuildRMenu"));
}

TEST_F(ContextCommands, TheHelpMenuOpensTheMakersPageAndAMailToTheSupportWithTheRelease) {
  ASSERT_TRUE(run(CommandId::HelpHomepage, 0));
  ASSERT_TRUE(run(CommandId::HelpSupportMail, 0));
  // A build names the maker's addresses or none; without them the user is told so.
  const bool named = !makerWebPage().empty() && !supportAccount().address.empty();
  if (!named) {
    EXPECT_TRUE(rig.launcher.requests.empty());
    EXPECT_EQ(rig.ui.messages.size(), 2u);
    return;
  }
  ASSERT_EQ(rig.launcher.requests.size(), 2u);
  EXPECT_EQ(rig.launcher.requests[0].target, makerWebPage());
  EXPECT_EQ(rig.launcher.requests[1].target.rfind("mailto:", 0), 0u);
  EXPECT_NE(rig.launcher.requests[1].target.find("?subject=QLS%20Zorvane%20v2.00.65"),
            std::string::npos);
}

const MenuEntry& entryOf(CommandId id) {
  for (const MenuTable& t : menuBarTable()) {
    if (const MenuEntry* e = findEntry(t.entries, id)) return *e;
  }
  static const MenuEntry none;
  return none;
}

TEST(MenuRules, NetworkEntriesFollowTheModeAndRunNowOnlyProgramStartsAndFileDispatch) {
  for (const bool network : {false, true}) {
    const MenuFacts facts{network, nullptr};
    for (CommandId id :
         {CommandId::FileUser, CommandId::FileUninstall, CommandId::SettingsNetwork}) {
      EXPECT_EQ(isEnabled(entryOf(id).rule, facts), network) << static_cast<int>(id);
    }
    EXPECT_TRUE(isEnabled(entryOf(CommandId::FileNew).rule, facts));
    EXPECT_EQ(findEntry(dropDownTable(2, network), CommandId::PopupSettingsNetwork) != nullptr,
              network);
    const BarButton userOrFile = buttonBarTable(network)[11];
    EXPECT_EQ(userOrFile.bitmap, network ? "USERLIST" : "TDATEIEN");
    EXPECT_EQ(userOrFile.tooltip, network ? "Benutzer wechseln" : "Termindatei wechseln");
  }
  const auto menu = contextMenuTable();
  const EnableRule runNow = findEntry(menu, CommandId::ContextRunNow)->rule;
  Appointment a;
  for (const char* kind : {"TA20", "TA22", "TA70", "TA21", "TA7", ""}) {
    a.TERMINART = kind;
    const bool runnable = std::string(kind) == "TA20" || std::string(kind) == "TA22";
    EXPECT_EQ(isEnabled(runNow, MenuFacts{false, &a}), runnable) << kind;
  }
  EXPECT_FALSE(isEnabled(runNow, MenuFacts{}));
  a.QUIT = true;
  EXPECT_FALSE(isEnabled(findEntry(menu, CommandId::ContextFile)->rule, MenuFacts{false, &a}));
  EXPECT_TRUE(isEnabled(findEntry(menu, CommandId::ContextReactivate)->rule, MenuFacts{false, &a}));
  EXPECT_NE(findEntry(menu, CommandId::ContextWeekOverview), nullptr);  // in the sub-menu
}

TEST(MenuCodec, ObjectsListsAndValuesRoundTripInTheirByteForm) {
  auto item = std::make_shared<SavedObject>(SavedObject{
      "TMENUITEM", {{"NID", SavedValue::ofNumber(101)}, {"CPROMPT", SavedValue::ofText("&Neu")}}});
  SavedObject menu{"TMENU",
                   {{"AITEMS", SavedValue{'A', "", {SavedValue{'O', "", {}, item}}, {}}},
                    {"CVARNAME", SavedValue::ofText("oMenu")}}};
  const std::string bytes = encodeObject(menu);
  // "O", length, class name length, "TMENU", two properties.
  EXPECT_EQ(bytes.substr(0, 1), "O");
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]) + 256 * static_cast<unsigned char>(bytes[2]),
            bytes.size() - 3);
  EXPECT_EQ(bytes.substr(3, 7), std::string("\x05\x00TMENU", 7));
  EXPECT_EQ(bytes.substr(10, 2), std::string("\x02\x00", 2));
  EXPECT_NE(bytes.find(std::string("C\x04\x00&Neu", 7)), std::string::npos);

  const auto back = decodeObject(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->className, "TMENU");
  ASSERT_NE(back->find("CVARNAME"), nullptr);
  EXPECT_EQ(back->find("CVARNAME")->text, "oMenu");
  const SavedValue* items = back->find("AITEMS");
  ASSERT_TRUE(items && items->list.size() == 1 && items->list[0].object);
  EXPECT_EQ(items->list[0].object->find("NID")->text, "101");
  EXPECT_FALSE(decodeObject(bytes.substr(0, bytes.size() - 1)));
  EXPECT_FALSE(decodeObject(bytes + "x"));
}

}  // namespace
}  // namespace zrv
