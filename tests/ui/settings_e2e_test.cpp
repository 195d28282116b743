// The settings windows of the installed program, used with the keyboard and the mouse: the
// general settings from the menu (Alt+E, A) through all five pages (Ctrl+PgDn), "aber nicht,
// wenn mehr als" changed and saved, the test mail sent to a local SMTP server; in network mode
// the bar's SETUP button opens the general, the network and the sound settings one after the
// other, and a double click on the master row switches every sound on, which the settings file
// and an independent reader of the sound table (dbfread) see. Screenshots of the five pages,
// the network settings and the sound settings are kept in test-artifacts/.
#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "support/installed_program.h"
#include "support/local_smtp.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Where a window's client area lies on the screen.
std::pair<int, int> origin(const test::EnvChanges& env, unsigned long window) {
  const std::string info = test::run({"xwininfo", "-id", std::to_string(window)}, env, 5s).output;
  std::smatch x, y;
  std::regex_search(info, x, std::regex(R"(Absolute upper-left X:\s+(-?\d+))"));
  std::regex_search(info, y, std::regex(R"(Absolute upper-left Y:\s+(-?\d+))"));
  return {x.empty() ? 0 : std::stoi(x[1]), y.empty() ? 0 : std::stoi(y[1])};
}

void clickAt(const test::EnvChanges& env, unsigned long window, int dx, int dy, int clicks = 1) {
  const auto [x, y] = origin(env, window);
  EXPECT_EQ(test::run({"xdotool", "mousemove", std::to_string(x + dx), std::to_string(y + dy),
                       "click", "--repeat", std::to_string(clicks), "--delay", "120", "1"},
                      env, 10s)
                .status,
            0);
}

TEST(SettingsEndToEnd, TheGeneralSettingsThroughEveryPageSavedAndATestMailSent) {
  test::LocalSmtpOptions options;
  options.password = "e2e-Geheimnis";
  test::LocalSmtp smtp(options);
  ASSERT_TRUE(smtp.ready()) << smtp.whyNotReady();
  test::InstalledProgram p(
      "[SETUP]\r\nLOGBUCH=1\r\nNACHMIN=10\r\n[MailSupport]\r\nName=Erika Mustermann\r\n"
      "Reply=erika@example.org\r\nSMTP=" +
      smtp.server() + "\r\nUser=zorvane\r\nPass=" + options.password + "\r\nOnline=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_NE(p.startShown(), 0u) << "no main window";
  std::this_thread::sleep_for(500ms);

  const unsigned long dialog =
      p.openThroughMenu(p.mainWindow, "alt+e", "a", "Allgemeine Einstellungen");
  ASSERT_NE(dialog, 0u) << "no general settings";
  const char* pages[] = {"programm", "termine", "wochenuebersicht", "emails", "programmfehler"};
  for (int page = 0; page < 5; ++page) {
    if (page > 0) p.keys({"ctrl+Next"});
    std::this_thread::sleep_for(300ms);
    test::keepScreenshot(p.env, p.watch, dialog, std::string("e2e_settings_") + pages[page]);
    if (page == 1) {  // into "aber nicht, wenn mehr als": 25 minutes
      p.keys({"Tab", "Tab", "Home"});
      p.type("25");
    }
    if (page == 3) {
      p.keys({"alt+m"});
      ASSERT_TRUE(smtp.waitForMessages(1, 60s)) << p.log();
      ASSERT_TRUE(test::activate(p.env, dialog));
    }
  }
  p.keys({"alt+s"});
  ASSERT_TRUE(p.closed("Allgemeine Einstellungen"));
  EXPECT_NE(p.dir.read("ZORVANE.INI").find("NACHMIN=25\r\n"), std::string::npos)
      << p.dir.read("ZORVANE.INI");
  const test::ReceivedMail mail = smtp.received().at(0);
  EXPECT_EQ(mail.read("subject.txt"), test::kTitle + " - TestEmail");
  EXPECT_EQ(mail.read("envelope.txt"), "erika@example.org\nerika@example.org");
  EXPECT_TRUE(
      p.logHas("(ChkNext) N\xE4"
               "chsten Termin suchen - call von: MSetup"));
  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
}

TEST(SettingsEndToEnd, TheSetupButtonInNetworkModeOpensAllThreeAndTheMasterRowSwitchesSounds) {
  // A registered workstation: it opens its user's table instead of asking for his name.
  test::InstalledProgram p(
      "[SYSTEM]\r\nNetwork=Yes\r\nAlarmOn=No\r\n[SETUP]\r\nLOGBUCH=1\r\n"
      "[USER]\r\nNAME=Erika Muster\r\nFILE=ZORVANE\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_NE(p.startShown(), 0u) << "no main window";
  std::this_thread::sleep_for(1s);
  ASSERT_TRUE(test::activate(p.env, p.mainWindow));
  // The bar's SETUP button, below the menu bar: the fourteenth button, after four gaps.
  clickAt(p.env, p.mainWindow, 398, 42);
  const unsigned long general = p.watch.waitShown("Allgemeine Einstellungen", 30s);
  ASSERT_NE(general, 0u) << "the SETUP button opened nothing";
  ASSERT_TRUE(test::activate(p.env, general));
  p.keys({"Escape"});
  const unsigned long network = p.watch.waitShown("Netzwerk-Einstellungen", 30s);
  ASSERT_NE(network, 0u) << "no network settings after the general ones";
  ASSERT_TRUE(test::activate(p.env, network));
  test::keepScreenshot(p.env, p.watch, network, "e2e_settings_network");
  p.keys({"Escape"});
  const unsigned long sounds = p.watch.waitShown("Sound-Einstellungen", 30s);
  ASSERT_NE(sounds, 0u) << "no sound settings after the network ones";
  ASSERT_TRUE(test::activate(p.env, sounds));
  std::this_thread::sleep_for(300ms);
  test::keepScreenshot(p.env, p.watch, sounds, "e2e_settings_sounds_before");
  clickAt(p.env, sounds, 150, 42, 2);  // a double click on the master row
  ASSERT_TRUE(test::waitUntil(
      [&] {
        const auto dump =
            test::run({"/usr/bin/python3", std::string(ZRV_SOURCE_DIR) + "/tests/store/dbf_dump.py",
                       (p.dir / "ZRVPARAM.DBF").string()},
                      p.env, 20s);
        return dump.status == 0 && dump.output.find("AKTIV=F") == std::string::npos;
      },
      20s))
      << "the master row did not switch every sound on";
  test::keepScreenshot(p.env, p.watch, sounds, "e2e_settings_sounds");
  p.keys({"Escape"});
  ASSERT_TRUE(p.closed("Sound-Einstellungen"));
  EXPECT_NE(p.dir.read("ZORVANE.INI").find("AlarmOn=Yes\r\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(p.dir / "ZRVPARAM.NTX"));
  ASSERT_NO_FATAL_FAILURE(p.endOnTerm());
}

}  // namespace
}  // namespace zrv
