// A due appointment with an e-mail address, from the due check's side: the reminder hands it to
// the real dispatch and transport, and the mail reaches a local server or is reported.
#include <gtest/gtest.h>

#include "app/ini_file.h"
#include "mail/curl_transport.h"
#include "mail/mail_support.h"
#include "mail_rig.h"
#include "reminder/show_termin.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;

struct MailedReminder {
  explicit MailedReminder(const std::string& password) {
    IniFile ini(rig.ctx.CINIFILE, 0600);
    ini.write("MailSupport", "Name", "Erika Mustermann");
    ini.write("MailSupport", "Reply", "erika@example.org");
    ini.write("MailSupport", "SMTP", smtp.server());
    ini.write("MailSupport", "User", smtp.options().user);
    ini.write("MailSupport", "Pass", password);
    ini.write("MailSupport", "Online", "1");
  }
  // Mails one appointment due now through showTermin; returns its record number.
  std::uint32_t remind() {
    Appointment a = test::makeAppointment("10.06.2024", "08:00",
                                          "Lieferung pr\xC3\xBC"
                                          "fen");
    a.EMAIL = "lager@example.org";
    const auto rec = rig.add(a);
    ReminderEnv env(rig.ctx, *rig.table,
                    ReminderPorts{rig.timer, rig.window, rig.alert, rig.sound, rig.launcher,
                                  dispatch, rig.wakeUp, rig.wait});
    showTermin(env, rec, 2);
    return rec;
  }

  test::ReminderRig rig{"10.06.2024", "08:00:00"};
  test::LocalSmtp smtp;
  CurlMailTransport transport;
  test::CountingWait wait;
  test::ScriptedSenderDialog dialog;
  MailSupport dispatch{MailEnv{rig.ctx, transport, wait, dialog}};
};

TEST(ReminderMail, ADueAppointmentIsMailedAndDealtWithWithoutAnAlert) {
  MailedReminder m("ge heim\"'");
  ASSERT_TRUE(m.smtp.ready()) << m.smtp.whyNotReady();
  const auto rec = m.remind();
  ASSERT_TRUE(m.smtp.waitForMessages(1, 30s));
  EXPECT_EQ(m.smtp.received()[0].read("envelope.txt"), "erika@example.org\nlager@example.org");
  EXPECT_TRUE(m.rig.alert.shown.empty());
  EXPECT_TRUE(m.rig.ui.messages.empty());
  EXPECT_TRUE(m.rig.at(rec).QUIT);
}

TEST(ReminderMail, ARefusedLoginIsReportedWithItsCodeNothingArrivesAndTheAlertComes) {
  MailedReminder m("falsch");
  ASSERT_TRUE(m.smtp.ready()) << m.smtp.whyNotReady();
  m.remind();
  ASSERT_FALSE(m.rig.ui.messages.empty());
  EXPECT_NE(m.rig.ui.messages[0].find("Fehlercode: 67"), std::string::npos) << m.rig.ui.messages[0];
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(m.smtp.received().empty());
  // The appointment was not mailed, so it is presented like any other.
  EXPECT_EQ(m.rig.alert.shown.size(), 1u);
}

}  // namespace
}  // namespace zrv
