// The user registry shared by workstations: registrations of two processes at once, read back
// with independent readers (python3-dbfread and the NTX walker), the adoption of a table when a
// name is registered again, and a registry another workstation keeps.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <set>

#include "app/ini_file.h"
#include "app/table_in_use.h"
#include "network/network_rig.h"
#include "network/user_names.h"
#include "network/user_switch.h"
#include "store/xbase/table.h"
#include "support/lock_holder.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string nameOf(const std::string& prefix, int i) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%03d", i);
  return prefix + " Benutzer" + digits;
}

// A workstation process: registers its 200 names and one both register; its status tells how
// many registrations failed.
pid_t registerInChild(const test::SharedDirectory& shared, const std::string& prefix) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  int failed = 0;
  {
    test::Workstation w(shared, prefix);
    for (int i = 0; i <= 200; ++i) {
      const std::string name = i == 100 ? "Gerda Müller" : nameOf(prefix, i);
      w.ctx.settings.CS_USER = name;
      w.ctx.settings.CS_USERFILE = chkUmlaut(name);
      if (!writeLanSet(w.ctx)) ++failed;
    }
  }
  ::_exit(std::min(failed, 100));
}

TEST(UserRegistry, TwoWorkstationsRegisteringAtOnceAddEveryNameOnce) {
  test::SharedDirectory shared;
  const pid_t a = registerInChild(shared, "Anna");
  const pid_t b = registerInChild(shared, "Bert");
  for (const pid_t pid : {a, b}) {
    int status = -1;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "registrations that failed";
  }

  const auto dump = test::readWithDbfread(shared.program / kUserListFile);
  ASSERT_EQ(dump.deleted, 0) << dump.output;
  std::multiset<std::string> names;
  for (const auto& r : dump.records)
    names.insert(r.at("USERNAME"));
  EXPECT_EQ(dump.count, 401);
  EXPECT_EQ(names.size(), 401u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 401u) << "a name twice";
  EXPECT_EQ(names.count("Gerda Müller"), 1u);
  const auto gerda = std::find_if(dump.records.begin(), dump.records.end(),
                                  [](const auto& r) { return r.at("USERNAME") == "Gerda Müller"; });
  EXPECT_EQ(gerda->at("USERFILE"), "MUELLER");

  // The index holds each record once, in name order.
  std::string fault;
  const auto entries = test::walkNtx(shared.program / kUserListIndex, &fault);
  ASSERT_EQ(entries.size(), 401u) << fault;
  EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(),
                             [](const auto& x, const auto& y) { return x.first < y.first; }));
  std::set<std::uint32_t> recnos;
  for (const auto& e : entries)
    recnos.insert(e.second);
  EXPECT_EQ(recnos.size(), 401u);
  EXPECT_EQ(*recnos.rbegin(), 401u);
}

// Two users of one surname: registering a name that is there already adds no entry; its table
// is adopted with a note record.
TEST(UserRegistry, ANameRegisteredAgainAdoptsItsTable) {
  test::SharedDirectory shared;
  test::Workstation first(shared, "eins");
  test::Workstation second(shared, "zwei");
  ASSERT_TRUE(first.registerAs("Jürgen Weiß"));
  ASSERT_TRUE(first.ctx.DTER);
  EXPECT_EQ(first.ctx.settings.CN_FILE, "WEISS");
  ASSERT_TRUE(closeTableInUse(first.ctx));

  ASSERT_TRUE(second.registerAs("Jürgen Weiß"));
  const auto users = readUserList(second.ctx);
  ASSERT_TRUE(users) << users.message();
  ASSERT_EQ(users->size(), 1u);
  EXPECT_EQ((*users)[0], (UserEntry{1, "Jürgen Weiß", "WEISS"}));
  ASSERT_TRUE(closeTableInUse(second.ctx));
  const auto table = test::readWithDbfread(shared.program / "WEISS.TER");
  ASSERT_EQ(table.count, 2) << table.output;
  for (const auto& r : table.records)
    EXPECT_EQ(r.at("TEXT"), "Sie haben eine neue, leere Termindatei erzeugt.");
  EXPECT_EQ(IniFile(second.ctx.CINIFILE).read("USER", "FILE", ""), "WEISS");
  EXPECT_EQ(IniFile(second.ctx.CINIFILE).read("USER", "NAME", ""), "Jürgen Weiß");
}

// Once a workstation has seen the registry, it reads it shared beside another; a change made
// elsewhere has it rebuild the index under an exclusive open first.
TEST(UserRegistry, OnlyAChangeElsewhereTakesTheRegistryExclusively) {
  test::SharedDirectory shared;
  test::Workstation a(shared, "eins");
  test::Workstation b(shared, "zwei");
  for (test::Workstation* w : {&a, &b}) {
    auto seen = UserRegistry::open(w->ctx, UserRegistry::Use::kLookup);
    ASSERT_TRUE(seen) << seen.message();
    ASSERT_TRUE(seen->close());
  }
  auto reading = UserRegistry::open(a.ctx, UserRegistry::Use::kLookup, 0ms);
  ASSERT_TRUE(reading) << reading.message();
  auto beside = UserRegistry::open(b.ctx, UserRegistry::Use::kLookup, 0ms);
  EXPECT_TRUE(beside) << beside.message();
  if (beside) {
    ASSERT_TRUE(beside->close());
  }
  ASSERT_TRUE(reading->close());

  std::filesystem::last_write_time(shared.program / kUserListFile,
                                   std::filesystem::file_time_type::clock::now() - 1h);
  reading = UserRegistry::open(a.ctx, UserRegistry::Use::kLookup, 0ms);
  ASSERT_TRUE(reading) << reading.message();
  EXPECT_EQ(UserRegistry::open(b.ctx, UserRegistry::Use::kLookup, 0ms).code(), StatusCode::kLocked);
  ASSERT_TRUE(reading->close());
}

// A registry another workstation keeps is waited for (about two seconds), then the user is told;
// a registration that fails ends the program.
TEST(UserRegistry, ARegistryKeptElsewhereIsToldAfterWaiting) {
  test::SharedDirectory shared;
  test::Workstation w(shared, "eins");
  test::TableFileHolder other(shared.program / kUserListFile);
  ASSERT_TRUE(other.holding());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(userList(w.ctx, w.window));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 1900ms);
  EXPECT_EQ(w.ui.messages.back().text, kRegistryBusy);
  EXPECT_FALSE(w.registerAs("Max Meier"));
  EXPECT_EQ(w.ui.messages.back().text,
            "Im Moment kann kein neuer Benutzer registriert werden.\nVersuchen es später "
            "nocheinmal !\nZorvane wird nun beendet.");
  EXPECT_FALSE(w.ctx.DTER);
  EXPECT_FALSE(fs::exists(shared.program / "MEIER.TER"));
}

}  // namespace
}  // namespace zrv
