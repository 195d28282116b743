// The error handling of the installed program, driven like a user: the test-only switch
// ZORVANE_TEST_FAULT makes "&System-Informationen" fail. The error window names the throwing
// function and lets the command run again; "&Default" leaves the reminders running; an error
// that allows neither ends the program with a complete "Error.log", which the next start offers
// and mails with the failed run's logbook; a crash and an error inside the error handling end
// the program with status 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/system_clock.h"
#include "reminder/recurrence.h"
#include "store/base/codepage.h"
#include "support/installed_program.h"
#include "support/local_smtp.h"
#include "ui_test_util.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;
namespace fs = std::filesystem;

class Faulty : public test::InstalledProgram {
 public:
  Faulty(const std::string& fault, const std::string& settings = "[SETUP]\r\nLOGBUCH=1\r\n")
      : test::InstalledProgram(settings) {
    env["ZORVANE_TEST_FAULT"] = fault;
    // A recording opener of documents in front of the desktop's.
    fs::create_directories(dir / "bin");
    std::ofstream(dir / "bin/xdg-open")
        << "#!/bin/sh\necho \"$@\" >> " << (dir / "opened.txt") << "\n";
    fs::permissions(dir / "bin/xdg-open", fs::perms::owner_all);
    env["PATH"] = (dir / "bin").string() + ":" + std::getenv("PATH");
  }
  // "&Hilfe" > "&System-Informationen", then the error window.
  unsigned long failSystemInfo() {
    EXPECT_TRUE(test::activate(env, mainWindow));
    keys({"alt+h"});
    keys({"s"});
    const unsigned long window = watch.waitShown("Laufzeitfehler", 30s);
    if (window) {
      EXPECT_TRUE(test::activate(env, window));
    }
    return window;
  }
  std::string errorLog() const { return cp1252ToUtf8(dir.read("Error.log")); }
  bool ended(int status) {
    const auto s = program->waitFor(60s);
    return s && *s == status;
  }
};

TEST(DiagEndToEnd, TheErrorWindowNamesTheThrowerAndRetryRunsTheCommandAgain) {
  Faulty p("SysInfo:once");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_NE(p.startShown(), 0u);
  const unsigned long window = p.failSystemInfo();
  ASSERT_NE(window, 0u) << "no error window";
  test::keepScreenshot(p.env, p.watch, window, "e2e_diag_error_window");
  const std::string report = p.errorLog();
  EXPECT_NE(report.find("Aufgerufen von zrv::raiseTestFault("), std::string::npos) << report;
  EXPECT_NE(report.find("Fehlerbeschreibung: Error ZORVANE/9999  Testfehler: raiseTestFault"),
            std::string::npos);
  EXPECT_NE(report.find("     [   1] = C   \"once\""), std::string::npos);
  p.keys({"alt+w"});
  ASSERT_TRUE(p.closed("Laufzeitfehler"));
  ASSERT_TRUE(test::waitUntil([&] { return fs::exists(p.dir / "opened.txt"); }, 30s));
  EXPECT_EQ(p.dir.read("opened.txt"), (p.dir / "SysInfo.txt").string() + "\n");
  const std::string info = cp1252ToUtf8(p.dir.read("SysInfo.txt"));
  test::keepArtifact("e2e_diag_SysInfo.txt", info);
  EXPECT_NE(info.find("           WinVer() = "), std::string::npos) << info;
  EXPECT_NE(info.find("     Total Physical = "), std::string::npos) << info;
  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
}

TEST(DiagEndToEnd, AfterDefaultADueAppointmentStillAlerts) {
  Faulty p("SysInfo:always", "[SYSTEM]\r\nTimer=1\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  SystemClock clock;
  Appointment a;
  a.DATE = clock.today();
  const int in = clock.now().secondsOfDay + 60;  // due within the next minute
  a.TIME = a.TIMEVON = formatTimeOfDay(in % 86400).substr(0, 5);
  if (in >= 86400) a.DATE = a.DATE + 1;
  a.TEXT = "Nach dem Fehler";
  a.VORLAGE = kOnce;
  a.TERMINART = "TA4";
  test::writeTable(p.dir / "ZORVANE", test::withTrigger(a, clock), clock);
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_NE(p.startShown(), 0u);
  ASSERT_NE(p.failSystemInfo(), 0u);
  p.keys({"alt+d"});
  ASSERT_TRUE(p.closed("Laufzeitfehler"));
  EXPECT_NE(p.watch.waitShown("Aktueller Termin", 120s), 0u) << p.log();
}

TEST(DiagEndToEnd, AnErrorWithoutChoicesEndsTheRunAndTheNextStartMailsTheReport) {
  test::LocalSmtpOptions options;
  options.password = "e2e-Geheimnis";
  auto smtp = std::make_unique<test::LocalSmtp>(options);
  ASSERT_TRUE(smtp->ready()) << smtp->whyNotReady();
  const std::string mail =
      "[MailSupport]\r\nName=Erika Mustermann\r\nReply=erika@example.org\r\n"
      "SendTo=support@example.org\r\nUser=zorvane\r\nPass=" +
      options.password + "\r\nOnline=1\r\nSMTP=";
  Faulty p("SysInfo:end", "[SETUP]\r\nLOGBUCH=1\r\n" + mail + smtp->server() + "\r\n");
  SystemClock clock;
  std::vector<Appointment> records(3);
  for (int i = 0; i < 3; ++i) {
    records[i].DATE = clock.today() + (i + 2);
    records[i].TIME = records[i].TIMEVON = "10:00";
    records[i].TEXT = "Termin " + std::to_string(i);
    records[i].VORLAGE = kOnce;
    records[i] = test::withTrigger(records[i], clock);
  }
  test::writeTable(p.dir / "ZORVANE", records, clock);
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_NE(p.startShown(), 0u);
  const unsigned long window = p.failSystemInfo();
  ASSERT_NE(window, 0u);
  test::keepScreenshot(p.env, p.watch, window, "e2e_diag_end_only");
  p.keys({"Return"});  // "&Ende", the only button
  ASSERT_TRUE(p.ended(1)) << p.log();
  const std::string report = p.errorLog();
  test::keepArtifact("e2e_diag_Error.log", report);
  for (const char* heading :
       {"Stack Aufrufe", "System-Informationen", "Benutzte Variablen", "Linked RDDs",
        "Benutzte DataBanken", "Speicher-Analyse", "   Pfad und Name: ", "   Groesse: ",
        "   Zeitpunkt des Fehlers: ", "Anzahl laufender Windows-Applikationen: "})
    EXPECT_NE(report.find(heading), std::string::npos) << heading;
  const auto dump = test::run({"/usr/bin/python3",
                               (fs::path(ZRV_SOURCE_DIR) / "tests/store/dbf_dump.py").string(),
                               (p.dir / "ZORVANE.TER").string()});
  const auto count = dump.output.find("count ");
  ASSERT_NE(count, std::string::npos) << dump.output;
  const std::string n = dump.output.substr(count + 6, dump.output.find(' ', count + 6) - count - 6);
  EXPECT_NE(report.find(std::string(11 - n.size(), ' ') + n + "      .F.   .F."), std::string::npos)
      << n << "\n"
      << report;
  EXPECT_NE(report.find("=> dtos(DTER->TDATE)"), std::string::npos);
  EXPECT_NE(report.find("ZORVANE.NT1\r\n"), std::string::npos);

  // The next start offers the report; "&Abbrechen" keeps it.
  auto offer = [&] {
    p.start();
    const unsigned long d = p.watch.waitShown("Programmfehler", 60s);
    if (d) {
      EXPECT_TRUE(test::activate(p.env, d));
    }
    return d;
  };
  const unsigned long first = offer();
  ASSERT_NE(first, 0u) << "no offer at the next start";
  test::keepScreenshot(p.env, p.watch, first, "e2e_diag_offer");
  p.keys({"Escape"});
  auto carryOn = [&] {
    p.mainWindow = p.watch.waitShown(test::kTitle, 60s);
    ASSERT_NE(p.mainWindow, 0u);
    ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
  };
  ASSERT_NO_FATAL_FAILURE(carryOn());
  EXPECT_TRUE(fs::exists(p.dir / "Error.log"));

  // To be printed, but the printer selection is left with Escape: kept.
  ASSERT_NE(offer(), 0u);
  p.keys({"alt+d", "Return"});
  const unsigned long printer = p.watch.waitShown("Drucken", 30s);
  ASSERT_NE(printer, 0u) << "no printer selection";
  ASSERT_TRUE(test::activate(p.env, printer));
  p.keys({"Escape"});
  ASSERT_NO_FATAL_FAILURE(carryOn());
  EXPECT_TRUE(fs::exists(p.dir / "Error.log"));

  // Mailed while the server is down: kept.
  smtp.reset();
  ASSERT_NE(offer(), 0u);
  p.keys({"alt+e", "Return"});
  ASSERT_NE(p.watch.waitShown("Email-Versand", 30s), 0u);
  p.keys({"alt+j"});
  const unsigned long problem = p.watch.waitShown("Problem", 60s);
  if (problem) {
    test::activate(p.env, problem);
    p.keys({"Return"});
  }
  ASSERT_NO_FATAL_FAILURE(carryOn());
  EXPECT_TRUE(fs::exists(p.dir / "Error.log"));

  // Mailed to a server that answers: sent with the failed run's logbook, then gone.
  test::LocalSmtp up(options);
  ASSERT_TRUE(up.ready());
  std::string ini = p.dir.read("ZORVANE.INI");
  ini.replace(ini.find("SMTP=") + 5, ini.find("\r\n", ini.find("SMTP=")) - ini.find("SMTP=") - 5,
              up.server());
  p.dir.write("ZORVANE.INI", ini);
  fs::remove(p.dir / "ZORVANE.SAV");
  ASSERT_NE(offer(), 0u);
  p.keys({"alt+e", "Return"});
  ASSERT_NE(p.watch.waitShown("Email-Versand", 30s), 0u);
  p.keys({"alt+j"});
  ASSERT_TRUE(up.waitForMessages(1, 90s)) << p.log();
  const test::ReceivedMail got = up.received().at(0);
  EXPECT_EQ(got.read("subject.txt"), "Programmfehler in " + test::kTitle);
  EXPECT_NE(got.read("body.txt").find("Stack Aufrufe"), std::string::npos);
  EXPECT_NE(got.read("attach/ZorvaneFehler.Log").find("Laufzeitfehler"), std::string::npos);
  ASSERT_NO_FATAL_FAILURE(carryOn());
  EXPECT_FALSE(fs::exists(p.dir / "Error.log"));
  EXPECT_FALSE(fs::exists(p.dir / "ZorvaneFehler.Log"));
}

TEST(DiagEndToEnd, ACrashAndAnErrorInTheErrorHandlingEndWithStatusOne) {
  Faulty crash("SysInfo:segv");
  ASSERT_TRUE(crash.ready()) << crash.whyNotReady();
  ASSERT_NE(crash.startShown(), 0u);
  ASSERT_TRUE(test::activate(crash.env, crash.mainWindow));
  crash.keys({"alt+h"});
  crash.keys({"s"});
  ASSERT_TRUE(crash.ended(1));
  const std::string report = crash.errorLog();
  EXPECT_NE(report.find("Speicherzugriffsfehler (SIGSEGV)"), std::string::npos) << report;
  EXPECT_NE(report.find("Aufgerufen von zrv::raiseTestFault("), std::string::npos) << report;
  EXPECT_TRUE(fs::exists(crash.dir / "Zorvane.Run"));  // the next start checks the indexes

  Faulty twice("SysInfo:twice");
  ASSERT_NE(twice.startShown(), 0u);
  ASSERT_TRUE(test::activate(twice.env, twice.mainWindow));
  twice.keys({"alt+h"});
  twice.keys({"s"});
  ASSERT_TRUE(twice.ended(1));
}

}  // namespace
}  // namespace zrv
