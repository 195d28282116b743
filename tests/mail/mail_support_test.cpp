// The mail dispatch from the caller's side to a real SMTP server: appointment mails, the test
// mail, the recipient override, the sender dialog's rules, failures and the error report.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/ini_file.h"
#include "mail/mail_settings.h"
#include "mail/mail_support.h"
#include "mail/send_mail.h"
#include "mail_rig.h"
#include "reminder/appointment_mail.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::MailRig;

const std::string kFailure =
    "Die Email konnte nicht versandt werden !\n"
    "Prüfen Sie Ihre Email-Daten in den Einstellungen !\n"
    "Fehlercode: ";

Appointment appointment(const std::string& text, const std::string& email) {
  Appointment a;
  a.DATE = a.TDATE = Date::fromDisplay("10.06.2024");
  a.TIME = a.TIMEVON = a.TTIME = "10:00";
  a.TEXT = text;
  a.WARNMIN = 30;
  a.TERMINART = "TA4";
  a.EMAIL = email;
  return a;
}

int mailAppointment(MailRig& rig, const Appointment& a) {
  MailSupport dispatch(rig.env);
  const MailAccount m = readMailAccount(rig.ctx);
  return sendAppointmentMail(a, rig.ctx.CRELEASE, m.Name, m.Reply,
                             {rig.ctx.runFiles, rig.ctx.CRUNIN}, rig.log, dispatch);
}

testing::AssertionResult logged(const MailRig& rig, const std::string& line) {
  const auto lines = rig.logLines();
  if (std::find(lines.begin(), lines.end(), line) != lines.end()) {
    return testing::AssertionSuccess();
  }
  auto failure = testing::AssertionFailure() << "not in the logbook:";
  for (const std::string& l : lines)
    failure << "\n" << l;
  return failure;
}

TEST(MailSupport, AnAppointmentMailAndAFileDispatchWithItsFileArrive) {
  MailRig rig;
  ASSERT_TRUE(rig.smtp.ready()) << rig.smtp.whyNotReady();
  rig.account("J\xC3\xBCrgen M\xC3\xBCller");
  ASSERT_EQ(mailAppointment(rig, appointment("Zahnarzt M\xC3\xBCller\nBitte Karte mitbringen",
                                             "  chef@example.org ")),
            0);
  std::string pdf(5000, '\0');
  for (std::size_t i = 0; i < pdf.size(); ++i)
    pdf[i] = static_cast<char>(i * 13);
  fs::create_directory(rig.dir / "docs");
  rig.dir.write("docs/Bericht.pdf", pdf);
  Appointment dispatch = appointment("Bericht senden", "chef@example.org");
  dispatch.TERMINART = "TA22";
  dispatch.PROGSTART = ".\\DOCS\\bericht.pdf";
  ASSERT_EQ(mailAppointment(rig, dispatch), 0);

  ASSERT_TRUE(rig.smtp.waitForMessages(2, 30s));
  const auto got = rig.smtp.received();
  EXPECT_EQ(got[0].read("envelope.txt"), "erika@example.org\nchef@example.org");
  EXPECT_EQ(got[0].read("subject.txt"), "QLS Zorvane v2.00.65");
  EXPECT_EQ(got[0].read("from-name.txt"), "J\xC3\xBCrgen M\xC3\xBCller");
  EXPECT_EQ(got[0].read("body.txt"),
            "Datum: 10.06.2024\r\nUhrzeit: 10:00\r\nVorwarnzeit: 30\r\n\r\nTermintext:\r\n"
            "Zahnarzt M\xC3\xBCller\r\nBitte Karte mitbringen \r\n");  // a blank appended
  EXPECT_EQ(got[1].read("attach/Bericht.pdf"), pdf);
  EXPECT_FALSE(fs::exists(rig.dir / "SendMail.txt"));
  EXPECT_FALSE(fs::exists(rig.dir / "Email.txt"));

  EXPECT_TRUE(logged(rig, "(SendMail) SndMail -f erika@example.org -X " + rig.smtp.server() +
                              " -r chef@example.org -s \"QLS Zorvane v2.00.65\" -b " +
                              (rig.dir / "SendMail.txt").string() +
                              " -u zorvane -p **** -h LOGIN -R erika@example.org -F \"J\xC3\xBC"
                              "rgen M\xC3\xBCller <erika@example.org>\""));
  EXPECT_EQ(rig.ui.status, (std::vector<std::string>{kSendingText, kAfterSendingText, kSendingText,
                                                     kAfterSendingText}));
  EXPECT_EQ(rig.ui.busyDepth, 0);
  EXPECT_TRUE(rig.ui.messages.empty());
  EXPECT_TRUE(rig.ui.questions.empty());  // "Online" is 1
}

TEST(MailSupport, TheTestMailGoesToTheSenderAndSendToRedirectsEveryMail) {
  MailRig rig;
  ASSERT_TRUE(rig.smtp.ready()) << rig.smtp.whyNotReady();
  MailSettingsCopy copy;
  copy.account = {"Erika Mustermann", "erika@example.org", rig.smtp.server(),
                  rig.smtp.options().user, rig.smtp.options().password};
  ASSERT_EQ(sendTestMail(rig.env, copy), 0);
  ASSERT_TRUE(rig.smtp.waitForMessages(1, 30s));
  auto got = rig.smtp.received().at(0);
  EXPECT_EQ(got.read("envelope.txt"), "erika@example.org\nerika@example.org");
  EXPECT_EQ(got.read("subject.txt"), "QLS Zorvane v2.00.65 - TestEmail");
  EXPECT_EQ(got.read("body.txt"),
            "Test-Email an: Erika Mustermann\r\nAbsender: erika@example.org\r\n"
            "Mailserver: " +
                rig.smtp.server() + "\r\nBenutzer: zorvane \r\n");
  // Not permanently online: asked first; the settings were saved.
  ASSERT_EQ(rig.ui.questions.size(), 1u);
  EXPECT_EQ(rig.ui.questions[0].first, "Zorvane - Mailversand");
  EXPECT_EQ(rig.ui.questions[0].second, "Haben Sie eine Internet-Verbindung hergestellt ?");
  EXPECT_EQ(IniFile(rig.ctx.CINIFILE).read("MailSupport", "Online", "?"), "0");
  EXPECT_EQ(readMailAccount(rig.ctx).Pass, rig.smtp.options().password);
  EXPECT_EQ(fs::status(rig.ctx.CINIFILE).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  rig.set("SendTo", "umleitung@example.org");
  ASSERT_EQ(sendTestMail(rig.env, copy), 0);
  ASSERT_EQ(mailAppointment(rig, appointment("Termin", "chef@example.org")), 0);
  ASSERT_TRUE(rig.smtp.waitForMessages(3, 30s));
  for (int i : {1, 2}) {
    EXPECT_EQ(rig.smtp.received()[i].read("envelope.txt"),
              "erika@example.org\numleitung@example.org");
  }
}

TEST(MailSupport, AWrongPasswordOrNoConnectionSendsNothingAndSaysSo) {
  MailRig rig;
  ASSERT_TRUE(rig.smtp.ready()) << rig.smtp.whyNotReady();
  rig.account();
  rig.set("Pass", "falsch");
  EXPECT_EQ(mailAppointment(rig, appointment("Termin", "chef@example.org")), 67);
  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_EQ(rig.ui.messages[0].first, "Problem");
  EXPECT_EQ(rig.ui.messages[0].second, kFailure + "67");
  for (const std::string& line : rig.logLines()) {
    EXPECT_EQ(line.find("falsch"), std::string::npos) << line;
  }

  // Not online by the user's answer: nothing sent, nothing said.
  rig.set("Online", "0");
  rig.ui.answer = false;
  EXPECT_EQ(mailAppointment(rig, appointment("Termin", "chef@example.org")), kNotOnline);
  EXPECT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_EQ(rig.ui.questions.size(), 1u);
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(rig.smtp.received().empty());
}

// A file dispatch to a server behind a slow line takes longer than the transport's bound, yet it
// keeps moving: the mail counts as sent once the server has taken it, and the window is let
// repaint all the while. A wrong password on the same line is refused at once.
TEST(MailSupport, ASlowUploadThatTheServerAcceptsIsSentAndAWrongPasswordFailsAtOnce) {
  test::LocalSmtpOptions slow;
  slow.rate = 100'000;  // bytes a second
  MailRig rig(slow, {2s, ""});
  ASSERT_TRUE(rig.smtp.ready()) << rig.smtp.whyNotReady();
  rig.account();
  std::string file(400'000, '\0');  // about 540 KB in base64: five seconds and more
  for (std::size_t i = 0; i < file.size(); ++i)
    file[i] = static_cast<char>(i * 31 % 251);
  rig.dir.write("Angebot.pdf", file);
  Appointment dispatch = appointment("Angebot senden", "chef@example.org");
  dispatch.TERMINART = "TA22";
  dispatch.PROGSTART = ".\\Angebot.pdf";

  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(mailAppointment(rig, dispatch), 0) << rig.smtp.received().size();
  EXPECT_GT(std::chrono::steady_clock::now() - start, 4s);
  EXPECT_TRUE(rig.ui.messages.empty()) << rig.ui.messages.at(0).second;
  ASSERT_EQ(rig.smtp.received().size(), 1u);
  EXPECT_EQ(rig.smtp.received()[0].read("attach/Angebot.pdf"), file);
  EXPECT_GT(rig.wait.calls, 150);  // the window's wait ran every 20 ms or so
  EXPECT_EQ(rig.ui.status, (std::vector<std::string>{kSendingText, kAfterSendingText}));

  rig.set("Pass", "falsch");
  const auto refused = std::chrono::steady_clock::now();
  EXPECT_EQ(mailAppointment(rig, appointment("Termin", "chef@example.org")), 67);
  EXPECT_LT(std::chrono::steady_clock::now() - refused, 2s);
  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_EQ(rig.ui.messages[0].second, kFailure + "67");
}

TEST(MailSetup, AsksUntilNameAndAddressArePlausibleAndSavesThem) {
  MailRig rig;
  rig.dialog.answers = {SenderEntry{"Erika", "erika@example.org"},
                        SenderEntry{"Erika M", "erika.example.org"}, SenderEntry{"Erika M", "e@x."},
                        SenderEntry{"E M", "erika@example.org"},
                        SenderEntry{"  Erika M  ", " e@x.de "}};
  EXPECT_TRUE(mailSetup(rig.env, "Programmfehler"));
  const std::string wrong = "Falscher Name oder falsche Email-Adresse !";
  const std::string shortText = "Sie müssen einen Namen und eine Email-Adresse eingeben !";
  ASSERT_EQ(rig.ui.messages.size(), 4u);
  EXPECT_EQ(rig.ui.messages[0].second, wrong);
  EXPECT_EQ(rig.ui.messages[1].second, wrong);
  EXPECT_EQ(rig.ui.messages[2].second, shortText);
  EXPECT_EQ(rig.ui.messages[3].second, shortText);
  ASSERT_EQ(rig.dialog.shown.size(), 5u);
  EXPECT_EQ(rig.dialog.shown[0].first,
            "QLS Zorvane v2.00.65 möchte eine Email zum Thema 'Programmfehler' versenden.");
  EXPECT_EQ(rig.dialog.shown[1].second.name, "Erika");  // shown again with what was entered
  const MailAccount m = readMailAccount(rig.ctx);
  EXPECT_EQ(m.Name, "Erika M");
  EXPECT_EQ(m.Reply, "e@x.de");
  // A sender is known now: the dialog is not shown again.
  EXPECT_FALSE(mailSetup(rig.env, "Programmfehler"));
  EXPECT_EQ(rig.dialog.shown.size(), 5u);
}

TEST(MailSupport, AnErrorReportAsksForASenderAndNeverBorrowsAnAccount) {
  MailRig rig;
  ASSERT_TRUE(rig.smtp.ready()) << rig.smtp.whyNotReady();
  rig.dir.write("Error.log", "Fehler in Zeile 1");
  rig.dir.write("Zorvane.log", "Logbuch");
  const MailRequest report{
      "Programmfehler in QLS Zorvane v2.00.65", rig.dir / "Error.log", "", "", "",
      {(rig.dir / "Zorvane.log").string()}};
  // No sender: the dialog comes, and leaving it sends nothing.
  EXPECT_EQ(mailSupport(rig.env, report), kNoSender);
  EXPECT_EQ(rig.dialog.shown.size(), 1u);
  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_EQ(rig.ui.messages[0].second,
            "Es kann keine Email ohne Absender versandt werden!\n"
            "Geben Sie zuerst in den Einstellungen Ihre Email-Daten ein!");

  // A sender but no account of any kind: the user learns where the report lies.
  rig.dialog.answers = {SenderEntry{"Erika Mustermann", "erika@example.org"}};
  EXPECT_EQ(mailSupport(rig.env, report), kNoRoute);
  ASSERT_EQ(rig.ui.messages.size(), 2u);
  EXPECT_NE(rig.ui.messages[1].second.find((rig.dir / "Error.log").string()), std::string::npos);

  // With the user's own account and a recipient it goes out through that account.
  rig.account();
  rig.set("SendTo", "support@example.org");
  EXPECT_EQ(mailSupport(rig.env, report), 0);
  ASSERT_TRUE(rig.smtp.waitForMessages(1, 30s));
  const auto got = rig.smtp.received().at(0);
  EXPECT_EQ(got.read("envelope.txt"), "erika@example.org\nsupport@example.org");
  EXPECT_EQ(got.read("attach/Zorvane.log"), "Logbuch");
  EXPECT_EQ(got.read("body.txt"), "Fehler in Zeile 1 ");
}

TEST(MailSupport, AnAppointmentMailWithoutSenderGoesToTheTransportAndFails) {
  MailRig rig;
  ASSERT_TRUE(rig.smtp.ready()) << rig.smtp.whyNotReady();
  rig.account("", "");
  EXPECT_EQ(mailAppointment(rig, appointment("Termin", "chef@example.org")), kNoRecipient);
  EXPECT_TRUE(rig.dialog.shown.empty());
  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_EQ(rig.ui.messages[0].second, kFailure + std::to_string(kNoRecipient));
}

}  // namespace
}  // namespace zrv
