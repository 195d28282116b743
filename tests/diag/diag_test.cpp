// The diagnostics' rules: the report's layout where masks used to cut numbers, the error
// message, the fate of a waiting report at the next start, and the system information's
// version tests and speed rounding.
#include <gtest/gtest.h>

#include "diag/error_log.h"
#include "diag/error_report.h"
#include "diag/stack_names.h"
#include "diag/system_info.h"
#include "support/print_fakes.h"
#include "support/reminder_fakes.h"
#include "support/test_context.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ErrorLog, KeepsLargeNumbersWholeAndListsArgumentsTablesAndCalls) {
  ErrorReport r;
  r.release = "QLS Zorvane v2.00.65";
  r.program = "/opt/zorvane/zorvane";
  r.programSize = 12345678;
  r.fileLimit = 1024;
  r.when = Moment{Date::fromDisplay("07.12.2026"), 3600 + 2 * 60 + 3};
  r.error.subSystem = "DBFNTX";
  r.error.subCode = 1020;
  r.error.description = "Datentypfehler";
  r.error.operation = "Seek";
  r.error.args = std::vector<ErrorValue>{{'C', "Müller"}, {'N', "12"}, {'O', "TTrayIcon"}};
  r.stack = {{"zrv::chkNext", 88}, {"zrv::runUserCommand", 12}};
  r.tables = {{"DTER",
               "/x/ZORVANE.TER",
               123456,
               123457,
               false,
               true,
               {{"dtos(DTER->TDATE)+DTER->TTIME", "/x/ZORVANE.NT1", true},
                {"DTER->TEXT", "/x/ZORVANE.NT2", false}}}};
  r.currentAlias = "DTER";
  const std::string t = errorLogText(r);
  EXPECT_TRUE(t.starts_with("QLS Zorvane v2.00.65\r\n====================\r\n"));
  EXPECT_TRUE(has(t, "   Groesse: 12,345,678 Bytes\r\n"));
  EXPECT_TRUE(has(t, "( SetHandleCount() ) 1024\r\n"));
  EXPECT_TRUE(has(t, "   Zeitpunkt des Fehlers: 07.12.2026, 01:02:03\r\n"));
  EXPECT_TRUE(has(t, "   Fehlerbeschreibung: Error DBFNTX/1020  Datentypfehler: Seek\r\n"));
  EXPECT_TRUE(has(t,
                  "     [   1] = C   \"Müller\"\r\n     [   2] = N   12\r\n"
                  "     [   3] = O   Class: TTrayIcon\r\n"));
  EXPECT_TRUE(has(t,
                  "\r\nStack Aufrufe\r\n=============\r\n   Aufgerufen von zrv::chkNext(88)\r\n"
                  "   Aufgerufen von zrv::runUserCommand(12)\r\n"));
  EXPECT_TRUE(has(t, "  1: => DTER" + std::string(11 + 20, ' ') + "RddName: DBFNTX\r\n"));
  EXPECT_TRUE(has(t, "    123456      123457      .F.   .T.\r\n"));
  EXPECT_TRUE(has(t,
                  "        => dtos(DTER->TDATE)+DTER->TTIME      ZORVANE.NT1\r\n"
                  "           DTER->TEXT                         ZORVANE.NT2\r\n"));
  EXPECT_TRUE(t.ends_with("      Highest Value: 0 bytes\r\n"));
}

TEST(ErrorLog, MessageFormsAndNamesOfRoutines) {
  ErrorObject e;
  EXPECT_EQ(errorMessage(e),
            "Error ???"
            "/???");
  e.severity = 1;
  e.subSystem = "BASE";
  e.filename = "ZORVANE.TER";
  e.operation = "USE";
  EXPECT_EQ(errorMessage(e), "Warning BASE/???: ZORVANE.TER");
  e.osCode = 32;
  e.subCode = 1001;
  e.description = "Open error";
  EXPECT_EQ(errorMessage(e), "(DOS Error 32) BASE/1001  Open error: ZORVANE.TER");
  EXPECT_EQ(shortRoutineName("zrv::(anonymous namespace)::raiseTestFault(std::string const&)"),
            "zrv::raiseTestFault");
  EXPECT_EQ(shortRoutineName("std::vector<int, std::allocator<int> >::at(unsigned long)"),
            "std::vector::at");
  EXPECT_EQ(shortRoutineName("void zrv::runRetrying<zrv::Commands::run(zrv::CommandId) const::"
                             "{lambda()#1}>(char const*, zrv::X&&)"),
            "zrv::runRetrying");
  EXPECT_EQ(shortRoutineName("zrv::f()::{lambda()#1}::operator()() const"), "zrv::f");
  EXPECT_EQ(shortRoutineName("operator()"), "operator()");
}

struct AnsweringUi : test::CountingUserInterface {
  bool ask(const std::string&, const std::string& text, bool) override {
    asked = text;
    return yes;
  }
  bool yes = true;
  std::string asked;
};

struct ReportRig : ::testing::Test {
  struct Question : ErrorReportQuestion {
    std::optional<int> choose(int preselected) override {
      shown = preselected;
      return answer;
    }
    std::optional<int> answer;
    int shown = 0;
  } question;
  test::TestContext t;
  AnsweringUi ui;
  Context ctx{t.dir.path() / "", t.clock, t.log, ui};
  test::RecordingPrinter printer;
  test::RecordingMail mail;
  ErrorReportPorts ports{question, printer, mail};

  void failedRun() {
    t.dir.write("Error.log", "Fehlerbericht\r\n");
    t.dir.write("Zorvane.Log", "Logbuch des Absturzes\r\n");
    setLogbookAside(ctx);
  }
};

TEST_F(ReportRig, AReportThatWasNotPrintedOrMailedStays) {
  failedRun();
  EXPECT_FALSE(t.exists("Zorvane.Log"));
  t.dir.write("Zorvane.Log", "neuer Lauf\r\n");
  setLogbookAside(ctx);  // an earlier copy is never overwritten
  EXPECT_EQ(t.read("ZorvaneFehler.Log"), "Logbuch des Absturzes\r\n");

  ctx.settings.NS_ERROR = 2;
  printErr(ctx, ports);  // cancelled
  EXPECT_EQ(question.shown, 2);
  printer.outcome = PrintOutcome::Cancelled;
  EXPECT_FALSE(doWithLog(ctx, 2, ports));
  mail.result = 67;
  EXPECT_FALSE(doWithLog(ctx, 3, ports));
  EXPECT_EQ(ui.asked, "Möchten Sie das Fehlerprotokoll nun per Email versenden ?");
  ASSERT_EQ(mail.sent.size(), 1u);
  EXPECT_EQ(mail.sent[0].request.subject, "Programmfehler in QLS Zorvane v2.00.65");
  EXPECT_EQ(mail.sent[0].request.attachments,
            std::vector<std::string>{(t.dir / "ZorvaneFehler.Log").string()});
  EXPECT_TRUE(t.exists("Error.log"));

  mail.result = kMailSent;
  EXPECT_TRUE(doWithLog(ctx, 3, ports));
  EXPECT_FALSE(t.exists("Error.log"));
  EXPECT_FALSE(t.exists("ZorvaneFehler.Log"));
}

TEST_F(ReportRig, DeletedWhenChosenPrintedOrDeclined) {
  failedRun();
  question.answer = 2;
  ctx.settings.NS_ERROR = 7;
  printErr(ctx, ports);
  EXPECT_EQ(question.shown, 1);
  EXPECT_EQ(printer.jobs.size(), 1u);
  EXPECT_FALSE(t.exists("Error.log"));
  failedRun();
  ui.yes = false;
  EXPECT_TRUE(doWithLog(ctx, 3, ports));
  EXPECT_TRUE(mail.sent.empty());
  EXPECT_FALSE(t.exists("Error.log"));
  question.shown = 0;
  printErr(ctx, ports);  // nothing waits: no question
  EXPECT_EQ(question.shown, 0);
}

TEST(SystemInfo, VersionTestsAndSpeed) {
  auto info = [](unsigned platform, unsigned major, unsigned minor, unsigned build) {
    SystemFacts f;
    f.prettyName = "Debian GNU/Linux 12 (bookworm)";
    TSystemInfo s(f);
    s.nPlatform = platform;
    s.nMajor = major;
    s.nMinor = minor;
    s.nBuild = build;
    return s;
  };
  EXPECT_EQ(info(2, 5, 1, 2600).WinVer(), "Windows XP");
  EXPECT_TRUE(info(2, 5, 1, 2600).IsWinXP());
  EXPECT_EQ(info(1, 4, 10, 2222).WinVer(), "Windows 98 Second Edition");
  EXPECT_EQ(info(1, 4, 0, 950).WinVer(), "Windows 95");
  EXPECT_EQ(info(0, 6, 1, 0).WinVer(), "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(roundedToTens(1994), 1990);
  EXPECT_EQ(roundedToTens(1995), 2000);

  SystemFacts f;
  f.kernelRelease = "6.1.0-13-amd64";
  f.kernelVersion = "#1 SMP Debian";
  f.processors = 1;
  f.cpuMHz = 2904.4;
  f.commitLimit = 3000ull << 20;
  f.committed = 1000ull << 20;
  const TSystemInfo s(f);
  EXPECT_EQ(s.VerNum(), "6.1.0 #1 SMP Debian");
  EXPECT_EQ(s.SpeedCPU(), 2900);
  EXPECT_FALSE(s.IsDualCPU());
  EXPECT_EQ(s.Memory(6), 2000u);
  const std::string text = sysInfoText(s);
  EXPECT_TRUE(has(text, "\r\n           WinVer() = \r\n           VerNum() = 6.1.0 #1 SMP"));
  EXPECT_TRUE(has(text, "\r\n        IsDualCPU() = NO\r\n"));
  EXPECT_TRUE(has(text, "\r\n  Available Virtual = 2000 MB\r\n"));
}

}  // namespace
}  // namespace zrv
