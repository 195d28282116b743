// The installed program mails a due appointment: started with an appointment whose trigger is
// now and whose e-mail address is set, and with a mail account on a local SMTP server, it sends
// the mail without raising the alert and deals with the appointment. A file dispatch of 3 MB to
// a server behind a slow line takes longer than the transport's bound and still counts as sent.
#include <gtest/gtest.h>

#include <iostream>
#include <thread>

#include "platform/system_clock.h"
#include "reminder/recurrence.h"
#include "support/installed_program.h"
#include "support/local_smtp.h"
#include "ui_test_util.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::kTitle;

TEST(MailEndToEnd, ADueAppointmentWithAnAddressIsMailedWithoutAnAlert) {
  test::LocalSmtpOptions options;
  options.password = "e2e-Geheimnis";
  test::LocalSmtp smtp(options);
  ASSERT_TRUE(smtp.ready()) << smtp.whyNotReady();

  test::InstalledProgram p(
      "[SYSTEM]\r\nTimer=1\r\n[SETUP]\r\nLOGBUCH=1\r\n[MailSupport]\r\n"
      "Name=Erika Mustermann\r\nReply=erika@example.org\r\nSMTP=" +
      smtp.server() + "\r\nUser=zorvane\r\nPass=" + options.password + "\r\nOnline=1\r\n");
  SystemClock clock;
  Appointment a;
  a.DATE = clock.today();
  a.TIME = a.TIMEVON = clock.hhmm();
  a.TEXT = "Angebot nachfassen\nM\xC3\xBCller anrufen";
  a.VORLAGE = kOnce;
  a.TERMINART = "TA4";
  a.EMAIL = "chef@example.org";
  test::writeTable(p.dir / "ZORVANE", test::withTrigger(a, clock), clock);
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  auto& dir = p.dir;
  ASSERT_NE(p.startShown(), 0u) << "no main window";

  ASSERT_TRUE(smtp.waitForMessages(1, 90s)) << dir.read("Zorvane.Log");
  const test::ReceivedMail got = smtp.received().at(0);
  EXPECT_EQ(got.read("envelope.txt"), "erika@example.org\nchef@example.org");
  EXPECT_EQ(got.read("subject.txt"), kTitle);
  EXPECT_NE(got.read("body.txt").find("Angebot nachfassen\r\nM\xC3\xBCller anrufen"),
            std::string::npos)
      << got.read("body.txt");
  // The appointment is dealt with: nothing remains to remind of.
  ASSERT_TRUE(test::waitUntil(
      [&] {
        const std::string log = dir.read("Zorvane.Log");
        return log.find("(ShowTermin) Termin automatisch") != std::string::npos ||
               log.find("(ShowTermin) Termin abgelegt") != std::string::npos;
      },
      30s))
      << dir.read("Zorvane.Log");
  test::pump(300);
  EXPECT_FALSE(test::windowListed(p.env, "Aktueller Termin"));

  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
  const std::string log = p.log();
  test::keepArtifact("e2e_mail_Zorvane.Log", log);
  EXPECT_EQ(log.find("(ShowTermin) Melden"), std::string::npos) << log;
  EXPECT_NE(log.find("-u zorvane -p **** -h LOGIN"), std::string::npos) << log;
  EXPECT_EQ(log.find(options.password), std::string::npos) << log;
  EXPECT_FALSE(fs::exists(dir / "SendMail.txt"));
  EXPECT_FALSE(fs::exists(dir / "Email.txt"));
}

// The server reads 100 KB a second: the 3 MB file (4 MB in base64) takes about 40 s, twice the
// transport's bound of 20 s, yet the data keeps moving and the server accepts the mail. It counts
// as sent: no alert, no "Fehlercode", the appointment dealt with, and the message bar shows the
// list's hint again. The main window is painted while the mail goes out.
TEST(MailEndToEnd, ASlowFileDispatchThatTheServerAcceptsCountsAsSent) {
  test::LocalSmtpOptions options;
  options.password = "e2e-Geheimnis";
  options.rate = 100'000;
  test::LocalSmtp smtp(options);
  ASSERT_TRUE(smtp.ready()) << smtp.whyNotReady();
  test::InstalledProgram p(
      "[SYSTEM]\r\nTimer=1\r\n[SETUP]\r\nLOGBUCH=1\r\n[MailSupport]\r\n"
      "Name=Erika Mustermann\r\nReply=erika@example.org\r\nSMTP=" +
      smtp.server() + "\r\nUser=zorvane\r\nPass=" + options.password + "\r\nOnline=1\r\n");
  std::string file(3'000'000, '\0');
  for (std::size_t i = 0; i < file.size(); ++i)
    file[i] = static_cast<char>(i * 31 % 251);
  p.dir.write("Angebot.pdf", file);
  SystemClock clock;
  Appointment a;
  a.DATE = clock.today();
  a.TIME = a.TIMEVON = clock.hhmm();
  a.TEXT = "Angebot senden";
  a.VORLAGE = kOnce;
  a.TERMINART = "TA22";
  a.PROGSTART = ".\\Angebot.pdf";
  a.EMAIL = "chef@example.org";
  test::writeTable(p.dir / "ZORVANE", test::withTrigger(a, clock), clock);
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_NE(p.startShown(), 0u) << "no main window";

  ASSERT_TRUE(test::waitUntil([&] { return p.logHas("(SendMail)"); }, 60s)) << p.log();
  const auto began = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(10s);
  test::keepScreenshot(p.env, p.watch, p.mainWindow, "e2e_mail_slow_sending");
  ASSERT_TRUE(smtp.waitForMessages(1, 120s)) << p.log();
  const auto took = std::chrono::steady_clock::now() - began;
  ASSERT_TRUE(test::waitUntil([&] { return p.logHas("(ShowTermin) Termin "); }, 30s)) << p.log();
  test::pump(500);
  test::keepScreenshot(p.env, p.watch, p.mainWindow, "e2e_mail_slow_sent");
  std::cout << "the slow mail took " << std::chrono::duration<double>(took).count() << " s\n";
  EXPECT_GT(took, 25s);  // longer than the bound

  const test::ReceivedMail got = smtp.received().at(0);
  EXPECT_EQ(got.read("attach/Angebot.pdf"), file);
  const std::string raw = got.read("raw.eml");
  const auto id = raw.find("\r\nMessage-ID: <");
  EXPECT_NE(id, std::string::npos) << raw.substr(0, 600);
  EXPECT_NE(raw.find("@example.org>\r\n", id), std::string::npos) << raw.substr(0, 600);
  EXPECT_FALSE(test::windowListed(p.env, "Aktueller Termin"));
  EXPECT_FALSE(test::windowListed(p.env, "Problem"));
  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
  const std::string log = p.log();
  test::keepArtifact("e2e_mail_slow_Zorvane.Log", log);
  EXPECT_EQ(log.find("Fehlercode"), std::string::npos) << log;
  EXPECT_EQ(log.find("(ShowTermin) Melden"), std::string::npos) << log;
}

}  // namespace
}  // namespace zrv
