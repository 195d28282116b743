// The installed program mails a due appointment: started with an appointment whose trigger is
// now and whose e-mail address is set, and with a mail account on a local SMTP server, it sends
// the mail without raising the alert and deals with the appointment.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zrv
