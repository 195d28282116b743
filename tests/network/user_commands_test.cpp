// Two workstations on one program directory through the network commands: the user set-up's
// endings, switching to another user's table, uninstalling and cleaning the registry, with the
// files read back by independent readers.
#include <gtest/gtest.h>

#include "app/exit_pack.h"
#include "app/startup.h"
#include "app/table_in_use.h"
#include "network/network_rig.h"
#include "network/user_names.h"
#include "network/user_removal.h"
#include "network/user_switch.h"
#include "store/appointments/appointment_table.h"
#include "support/installed_program.h"
#include "support/lock_holder.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

bool run(test::Workstation& w, CommandId id) {
  Commands all = w.window.allCommands();
  CommandScope scope{w.ctx, nullptr, w.window};
  return all.run(id, scope);
}

std::vector<std::string> registered(test::Workstation& w) {
  std::vector<std::string> names;
  const auto all = readUserList(w.ctx);
  EXPECT_TRUE(all) << all.message();
  if (all) {
    for (const UserEntry& e : *all)
      names.push_back(e.name + "=" + e.file);
  }
  return names;
}

TEST(UserCommands, TheSetUpEndsTheProgramOnCancelAndRegistersNothingOnTheCloseBox) {
  test::SharedDirectory shared;
  test::Workstation w(shared, "eins");
  w.window.setUpAnswer = {UserSetUpAnswer::Ending::kCancelled, "Max Meier"};
  EXPECT_FALSE(setUpUser(w.ctx, w.window));
  EXPECT_EQ(w.ui.messages.back(),
            (test::RecordingUserInterface::Shown{"Problem", "Zorvane wird nun beendet !"}));
  w.window.setUpAnswer = {UserSetUpAnswer::Ending::kClosed, "Max Meier"};
  EXPECT_TRUE(setUpUser(w.ctx, w.window));
  EXPECT_FALSE(w.ctx.DTER);
  EXPECT_TRUE(registered(w).empty());
  EXPECT_FALSE(fs::exists(w.ctx.CINIFILE));
  EXPECT_EQ(w.ctx.help.topic(), "Hauptauswahl");

  // A name that would lead out of the program directory makes a plain table name.
  ASSERT_TRUE(w.registerAs("Max ../../x"));
  EXPECT_EQ(registered(w), std::vector<std::string>{"Max ../../x=....X"});
  EXPECT_TRUE(fs::exists(shared.program / "....X.TER"));
}

// A's switch to B's table is refused while B works on it, and goes through once B has let it
// go; a user without a table is told so. The bar's button switches users only in network mode.
TEST(UserCommands, SwitchingToAnotherUsersTable) {
  test::SharedDirectory shared;
  test::Workstation a(shared, "eins");
  test::Workstation b(shared, "zwei");
  ASSERT_TRUE(a.registerAs("Anna Schmidt"));
  ASSERT_TRUE(b.registerAs("Bert Brandt"));
  a.ctx.settings.CS_USER = "Zora Ohnetabelle";
  a.ctx.settings.CS_USERFILE = "OHNE";
  ASSERT_TRUE(writeLanSet(a.ctx));

  a.window.userChoice = 1;
  ASSERT_TRUE(run(a, CommandId::FileUser));
  EXPECT_EQ(a.window.userNames,
            (std::vector<std::string>{"Anna Schmidt", "Bert Brandt", "Zora Ohnetabelle"}));
  EXPECT_EQ(a.ctx.settings.CN_FILE, "SCHMIDT");  // held by B
  ASSERT_FALSE(a.ui.messages.empty());
  EXPECT_EQ(a.ui.messages.back().title, "Problem");
  ASSERT_TRUE(a.ctx.DTER);

  ASSERT_TRUE(closeTableInUse(b.ctx));
  ASSERT_TRUE(run(a, CommandId::BarUserOrFile));
  EXPECT_EQ(a.ctx.settings.CN_FILE, "BRANDT");
  a.window.userChoice = 2;
  ASSERT_TRUE(run(a, CommandId::FileUser));
  EXPECT_EQ(a.ui.messages.back().text, "Für den gewählten Benutzer existiert keine Termindatei !");
  EXPECT_EQ(a.ctx.settings.CN_FILE, "BRANDT");
  EXPECT_EQ(a.ctx.help.topic(), "Hauptauswahl");

  a.ctx.settings.LS_LAN = false;
  a.window.calls.clear();
  ASSERT_TRUE(run(a, CommandId::BarUserOrFile));
  EXPECT_EQ(a.window.calls, (std::vector<std::string>{"leaveWeek", "choose"}));
}

// Uninstalling holds the registry and the user's table first; a table of one surname stays while
// another user names it; the workstation file is gone and stays gone.
TEST(UserCommands, UninstallingRemovesTheUserTheTableAndTheWorkstationFile) {
  test::SharedDirectory shared;
  test::Workstation a(shared, "eins");
  test::Workstation b(shared, "zwei");
  test::Workstation c(shared, "drei");
  ASSERT_TRUE(a.registerAs("Anna Schmidt"));
  ASSERT_TRUE(b.registerAs("Bert Brandt"));
  ASSERT_TRUE(closeTableInUse(b.ctx));
  ASSERT_TRUE(closeTableInUse(a.ctx));
  b.window.userChoice = 0;  // B works on A's table; his own is held by someone else
  ASSERT_TRUE(run(b, CommandId::FileUser));
  ASSERT_EQ(b.ctx.settings.CN_FILE, "SCHMIDT");
  {
    test::TableHolder elsewhere(shared.program / "BRANDT");
    ASSERT_TRUE(elsewhere.holding());
    b.ui.answers = {true};
    ASSERT_TRUE(run(b, CommandId::FileUninstall));
    EXPECT_EQ(b.ui.messages.back().text, kUninstallBusy);
    EXPECT_TRUE(b.window.calls.empty() || b.window.calls.back() != "close");
    EXPECT_TRUE(fs::exists(shared.program / "BRANDT.TER"));
    EXPECT_TRUE(fs::exists(b.ctx.CINIFILE));
    EXPECT_EQ(registered(b).size(), 2u);
  }
  ASSERT_TRUE(c.registerAs("Clara Brandt"));  // shares B's table
  ASSERT_TRUE(closeTableInUse(c.ctx));

  b.ui.answers = {true};
  ASSERT_TRUE(run(b, CommandId::FileUninstall));
  EXPECT_EQ(b.ui.questions.back(),
            (test::RecordingUserInterface::Shown{"Deinstallation", "Zorvane deinstallieren ?"}));
  EXPECT_FALSE(b.ui.questionDefaults.back());
  EXPECT_EQ(b.window.calls.back(), "close");
  EXPECT_FALSE(b.ctx.DTER);
  EXPECT_FALSE(fs::exists(b.ctx.CINIFILE));
  EXPECT_TRUE(fs::exists(shared.program / "BRANDT.TER"));  // Clara's
  qlExit(b.ctx);  // the close handler writes nothing any more
  EXPECT_FALSE(fs::exists(b.ctx.CINIFILE));

  c.ui.answers = {true};
  ASSERT_TRUE(run(c, CommandId::FileUninstall));
  for (const char* ext : {".TER", ".DBT", ".NT1", ".NT4"})
    EXPECT_FALSE(fs::exists(shared.program / (std::string("BRANDT") + ext))) << ext;
  EXPECT_EQ(registered(a), std::vector<std::string>{"Anna Schmidt=SCHMIDT"});
  packTablesAtExit(c.ctx);
  const auto dump = test::readWithDbfread(shared.program / kUserListFile);
  EXPECT_EQ(dump.count, 1) << dump.output;
}

// Cleaning asks for each entry whose table is gone and deletes the chosen ones; the pack at exit
// takes them out of the file.
TEST(UserCommands, OptimizingRemovesEntriesWhoseTableIsGone) {
  test::SharedDirectory shared;
  test::Workstation a(shared, "eins");
  for (const char* name : {"Anna Schmidt", "Bert Brandt", "Carl Clausen"}) {
    a.ctx.settings.CS_USER = name;
    a.ctx.settings.CS_USERFILE = chkUmlaut(name);
    ASSERT_TRUE(writeLanSet(a.ctx));
  }
  test::writeTable(shared.program / "SCHMIDT", std::vector<Appointment>{}, a.clock);
  a.ui.answers = {true, true, false};
  ASSERT_TRUE(run(a, CommandId::SettingsOptimizeUsers));
  ASSERT_EQ(a.ui.questions.size(), 3u);
  EXPECT_EQ(a.ui.questions[0],
            (test::RecordingUserInterface::Shown{"Pflege", "Benutzerdatei optimieren ?"}));
  EXPECT_EQ(a.ui.questions[1],
            (test::RecordingUserInterface::Shown{
                "Problem",
                "Für den Benutzer Bert Brandt existiert keine Termindatei.\nBenutzer löschen ?"}));
  EXPECT_EQ(registered(a),
            (std::vector<std::string>{"Anna Schmidt=SCHMIDT", "Carl Clausen=CLAUSEN"}));
  EXPECT_TRUE(a.ctx.run.LS_PACK);
  packTablesAtExit(a.ctx);
  const auto dump = test::readWithDbfread(shared.program / kUserListFile);
  EXPECT_EQ(dump.count, 2) << dump.output;
}

}  // namespace
}  // namespace zrv
