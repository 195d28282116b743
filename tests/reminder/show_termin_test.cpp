// A due appointment's side actions and the appointments dealt with without a window: mailed
// ones, program starts and file dispatches.
#include "reminder/show_termin.h"

#include <gtest/gtest.h>

#include "app/ini_file.h"
#include "mail/mail_settings.h"
#include "mail/unconfigured_mail.h"
#include "reminder/recurrence.h"
#include "reminder/start_exe.h"
#include "store/base/codepage.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::makeAppointment;
using test::ReminderRig;

bool hasLine(const ReminderRig& rig, const std::string& line) {
  const auto lines = rig.logLines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class SideActions : public ::testing::Test {
 protected:
  SideActions() : rig("10.06.2024", "08:00:00") {
    IniFile ini(rig.ctx.CINIFILE);
    ini.write("MailSupport", "Name", "Anna Berg");
    ini.write("MailSupport", "Reply", "anna@example.org");
  }
  std::uint32_t add(Appointment a) { return rig.add(std::move(a)); }
  ReminderRig rig;
};

TEST_F(SideActions, OrdinaryMailedAppointmentIsMailedSilentlyAndMovesOn) {
  Appointment a = makeAppointment("10.06.2024", "08:15", "Bericht abgeben", kWeekly, 15);
  a.EMAIL = "chef@example.org";
  a.ALARMFILE = ".\\sounds\\Termin.wav";
  const auto rec = add(a);
  showTermin(*rig.env, rec, 2);
  EXPECT_TRUE(rig.alert.shown.empty());
  EXPECT_TRUE(rig.sound.played.empty());
  ASSERT_EQ(rig.mail.sent.size(), 1u);
  const MailRequest& m = rig.mail.sent[0].request;
  EXPECT_EQ(m.subject, "QLS Zorvane v2.00.65");
  EXPECT_EQ(m.senderName, "Anna Berg");
  EXPECT_EQ(m.replyTo, "anna@example.org");
  EXPECT_EQ(m.recipient, "chef@example.org");
  EXPECT_TRUE(m.attachments.empty());
  EXPECT_NE(rig.mail.sent[0].body.find("\rVorwarnzeit: 15\r"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(rig.dir / "Email.txt"));
  EXPECT_EQ(rig.at(rec).DATE, Date::fromDisplay("17.06.2024"));
  EXPECT_TRUE(hasLine(rig, "(ShowTermin) neuen Termin erzeugen"));
  EXPECT_TRUE(hasLine(rig, "(ShowTermin) neuer Termin wurde erzeugt"));
}

TEST_F(SideActions, MailedOnceOnlyIsFiledOrDeleted) {
  Appointment a = makeAppointment("10.06.2024", "08:00", "Einmal");
  a.EMAIL = "chef@example.org";
  const auto filed = add(a);
  showTermin(*rig.env, filed, 2);
  EXPECT_TRUE(rig.at(filed).QUIT);
  EXPECT_TRUE(hasLine(rig, "(ShowTermin) Termin abgelegt"));

  rig.ctx.settings.LS_SLOESCH = true;
  const auto deleted = add(a);
  showTermin(*rig.env, deleted, 2);
  EXPECT_TRUE(rig.isDeleted(deleted));
  EXPECT_TRUE(rig.ctx.run.LS_PACK);
  EXPECT_TRUE(hasLine(rig, "(KillTermin) Termin automatisch gelöscht"));
  EXPECT_TRUE(rig.alert.shown.empty());
  EXPECT_TRUE(rig.ui.questions.empty());
}

TEST_F(SideActions, MailedSeriesStopsAtItsEndDate) {
  Appointment a = makeAppointment("10.06.2024", "08:00", "Letzte Woche", kWeekly);
  a.EMAIL = "chef@example.org";
  a.REPDATE = Date::fromDisplay("15.06.2024");
  const auto rec = add(a);
  showTermin(*rig.env, rec, 2);
  const Appointment after = rig.at(rec);
  EXPECT_TRUE(after.QUIT);
  EXPECT_EQ(after.DATE, Date::fromDisplay("10.06.2024"));
}

TEST_F(SideActions, FileDispatchPlaysItsSoundAndAttachesTheFile) {
  Appointment a = makeAppointment("10.06.2024", "08:00", "Monatsbericht");
  a.TERMINART = "TA22";
  a.PROGSTART = ".\\Berichte\\Mai.pdf";
  a.ALARMFILE = "  .\\sounds\\DateiVer.wav ";
  a.EMAIL = "chef@example.org";
  const auto rec = add(a);
  showTermin(*rig.env, rec, 2);
  EXPECT_TRUE(rig.alert.shown.empty());
  ASSERT_EQ(rig.sound.played.size(), 1u);
  EXPECT_EQ(rig.sound.played[0], rig.dir / "sounds/DateiVer.wav");
  ASSERT_EQ(rig.mail.sent.size(), 1u);
  EXPECT_EQ(rig.mail.sent[0].request.attachments,
            std::vector<std::string>{(rig.dir / "Berichte/Mai.pdf").string()});
  EXPECT_TRUE(rig.at(rec).QUIT);
}

TEST_F(SideActions, ProgramStartRunsTheProgramInItsDirectoryWithoutAWindow) {
  Appointment a = makeAppointment("10.06.2024", "08:00", "Sicherung", kDaily);
  a.TERMINART = "TA20";
  a.PROGSTART = ".\\bin\\backup.sh";
  a.PROGPARAM = " --schnell ";
  a.ALARMFILE = ".\\sounds\\PrgStart.wav";
  const auto rec = add(a);
  showTermin(*rig.env, rec, 2);
  EXPECT_TRUE(rig.alert.shown.empty());
  EXPECT_TRUE(rig.mail.sent.empty());
  EXPECT_EQ(rig.sound.names(), std::vector<std::string>{"PrgStart.wav"});
  ASSERT_EQ(rig.launcher.requests.size(), 1u);
  const LaunchRequest& r = rig.launcher.requests[0];
  EXPECT_EQ(r.target, (rig.dir / "bin/backup.sh").string());
  EXPECT_EQ(r.parameters, "--schnell");
  EXPECT_EQ(r.directory, rig.dir / "bin");
  EXPECT_TRUE(hasLine(rig, "(ShowTermin) PrgStart: .\\bin\\backup.sh"));
  EXPECT_TRUE(
      hasLine(rig, "(StartEXE) \"backup.sh\" \"--schnell\" in: " + (rig.dir / "bin").string()));
  EXPECT_EQ(rig.at(rec).DATE, Date::fromDisplay("11.06.2024"));
  EXPECT_EQ(rig.at(rec).TTIME, "08:00");
}

TEST_F(SideActions, FinishedProgramStartIsStartedOnceAndFiled) {
  Appointment a = makeAppointment("10.06.2024", "08:00", "Einmal starten");
  a.TERMINART = "TA20";
  a.PROGSTART = "/usr/bin/true";
  a.EMAIL = "chef@example.org";
  const auto rec = add(a);
  showTermin(*rig.env, rec, 2);
  showTermin(*rig.env, rec, 2);  // filed now: not started again
  EXPECT_EQ(rig.launcher.requests.size(), 1u);
  EXPECT_EQ(rig.launcher.requests[0].parameters, "");
  EXPECT_TRUE(hasLine(rig, "(StartEXE) \"true\" in: /usr/bin"));
  EXPECT_EQ(rig.mail.sent.size(), 1u);
  EXPECT_NE(rig.mail.sent[0].body.find("Programmstart: /usr/bin/true\r"), std::string::npos);
  EXPECT_TRUE(rig.at(rec).QUIT);
}

TEST_F(SideActions, ProgramThatCannotStartIsReportedAndPresentedAsAnAlert) {
  rig.launcher.result = {false, 0, "Programm nicht gefunden"};
  rig.ctx.settings.LS_SLOESCH = true;
  Appointment a = makeAppointment("10.06.2024", "08:00", "Fehlt");
  a.TERMINART = "TA20";
  a.PROGSTART = ".\\fehlt.sh";
  const auto rec = add(a);
  rig.alert.scripts.push_back({{AlertAction::File}, {}});
  showTermin(*rig.env, rec, 2);
  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_EQ(rig.ui.messages[0].rfind("Programmstart: ", 0), 0u);
  EXPECT_NE(rig.ui.messages[0].find("Programm nicht gefunden"), std::string::npos);
  EXPECT_TRUE(hasLine(rig, "(StartEXE) Programm nicht gefunden"));
  // Not finished silently: the user sees the alert and decides (here: files it).
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_TRUE(hasLine(rig, "(ShowTermin) Programm nicht gestartet - Termin wird gemeldet"));
  EXPECT_FALSE(rig.isDeleted(rec));
  EXPECT_TRUE(rig.at(rec).QUIT);
}

TEST_F(SideActions, BareProgramNameNotInTheProgramDirectoryIsLeftToTheSearchPath) {
  Appointment a = makeAppointment("10.06.2024", "08:00", "Editor", kDaily);
  a.TERMINART = "TA20";
  a.PROGSTART = "notepad.exe";
  const auto rec = add(a);
  showTermin(*rig.env, rec, 2);
  ASSERT_EQ(rig.launcher.requests.size(), 1u);
  EXPECT_EQ(rig.launcher.requests[0].target, "notepad.exe");
  EXPECT_EQ(rig.launcher.requests[0].directory, rig.ctx.CRUNIN);
  EXPECT_EQ(rig.at(rec).DATE, Date::fromDisplay("11.06.2024"));
}

TEST_F(SideActions, EmptyProgramStartsNothing) {
  ASSERT_TRUE(rig.table->goTo(add(makeAppointment("10.06.2024", "08:00", "Leer"))).isOk());
  startExe(*rig.env, "   ", "");
  EXPECT_TRUE(rig.launcher.requests.empty());
  EXPECT_EQ(rig.ui.messages.size(), 1u);
}

TEST_F(SideActions, FiledDeletedAndMissingRecordsAreLeftAlone) {
  Appointment filed = makeAppointment("10.06.2024", "08:00", "Abgelegt");
  filed.QUIT = true;
  const auto f = add(filed);
  const auto d = add(makeAppointment("10.06.2024", "08:00", "Gelöscht"));
  ASSERT_TRUE(rig.table->goTo(d).isOk());
  ASSERT_TRUE(rig.table->deleteRecord().isOk());
  ASSERT_TRUE(rig.table->commit().isOk());
  for (std::uint32_t rec : {f, d, 99u})
    showTermin(*rig.env, rec, 2);
  EXPECT_TRUE(rig.alert.shown.empty());
  EXPECT_TRUE(rig.sound.played.empty());
}

TEST_F(SideActions, AlertPlaysTheAppointmentSoundThenTheClosingSound) {
  Appointment a = makeAppointment("10.06.2024", "08:00", "Mit Ton");
  a.ALARMFILE = ".\\SOUNDS\\termin.WAV";
  const auto rec = add(a);
  showTermin(*rig.env, rec, 1);
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_EQ(rig.alert.shown[0].title, "Verpaßter Termin");
  EXPECT_EQ(rig.sound.played.size(), 2u);
  EXPECT_EQ(rig.sound.names().back(), "Gelesen.wav");
  EXPECT_TRUE(hasLine(rig, "(ShowTermin) Melden: 10.06.2024 08:00 Mit Ton"));
}

TEST(MailSettings, SmtpOkNeedsAllFiveValues) {
  ReminderRig rig;
  IniFile ini(rig.ctx.CINIFILE);
  const char* keys[] = {"Name", "Reply", "SMTP", "User", "Pass"};
  for (const char* k : keys)
    ini.write("MailSupport", k, "x");
  EXPECT_TRUE(zrvSmtpOk(rig.ctx));
  for (const char* k : keys) {
    ini.write("MailSupport", k, "");
    EXPECT_FALSE(zrvSmtpOk(rig.ctx)) << k;
    ini.write("MailSupport", k, "x");
  }
  ini.write("MailSupport", "Name", std::string(150, 'n'));
  EXPECT_EQ(readMailAccount(rig.ctx).Name.size(), 100u);
}

TEST(UnconfiguredMail, AppointmentThatCouldNotBeMailedIsPresentedLikeAnUnmailedOne) {
  ReminderRig rig("10.06.2024", "08:00:00");
  UnconfiguredMailDispatch none(rig.log);
  ReminderEnv env(rig.ctx, *rig.table,
                  ReminderPorts{rig.timer, rig.window, rig.alert, rig.sound, rig.launcher, none,
                                rig.wakeUp, rig.wait});
  Appointment a = makeAppointment("10.06.2024", "08:00", "Ohne Mail");
  a.EMAIL = "chef@example.org";
  a.ALARMFILE = ".\\sounds\\Termin.wav";
  const auto rec = rig.add(a);
  showTermin(env, rec, 2);
  EXPECT_TRUE(hasLine(rig,
                      "(MailSupport) Mailversand nicht eingerichtet - keine Mail an "
                      "chef@example.org"));
  EXPECT_TRUE(hasLine(rig, "(ShowTermin) Mail nicht versandt (Code 1) - Termin wird gemeldet"));
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_EQ(rig.alert.shown[0].title, "Aktueller Termin");
  EXPECT_EQ(rig.sound.names().front(), "Termin.wav");
  // The user closed the alert without acting: the appointment stays as it was.
  EXPECT_FALSE(rig.at(rec).QUIT);
  EXPECT_EQ(rig.at(rec).DATE, Date::fromDisplay("10.06.2024"));
}

TEST_F(SideActions, MailRefusedByTheTransportLeavesTheSeriesToTheUser) {
  rig.mail.result = 7;
  Appointment a = makeAppointment("10.06.2024", "08:00", "Bericht", kWeekly);
  a.EMAIL = "chef@example.org";
  const auto rec = add(a);
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  showTermin(*rig.env, rec, 2);
  EXPECT_EQ(rig.mail.sent.size(), 1u);
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_EQ(rig.at(rec).DATE, Date::fromDisplay("17.06.2024"));
}

}  // namespace
}  // namespace zrv
