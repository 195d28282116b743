// The mail of a due appointment: its body file, logbook line and hand-over to the dispatch.
#include "reminder/appointment_mail.h"

#include <gtest/gtest.h>

#include "ports/mail_port.h"
#include "store/base/codepage.h"
#include "store/base/file_io.h"
#include "support/logbook_capture.h"

namespace zrv {
namespace {

Date d(int y, int m, int day) {
  return *Date::fromYmd(y, m, day);
}

Appointment due(const std::string& kind) {
  Appointment a;
  a.DATE = d(2024, 5, 3);
  a.TIME = "07:45";
  a.TIMEVON = "08:00";
  a.WARNMIN = 15;
  a.TERMINART = kind;
  a.TEXT = "Grüße an Jürgen #1970";
  a.EMAIL = "anna@example.org";
  return a;
}

// Records the request and what the body file held while it was sent.
class RecordingDispatch : public MailDispatch {
 public:
  int send(const MailRequest& r) override {
    requests.push_back(r);
    bodyBytes = readWholeFile(r.bodyFile).value_or("<missing>");
    return result;
  }
  std::vector<MailRequest> requests;
  std::string bodyBytes;
  int result = kMailSent;
};

TEST(MailBody, OrdinaryAppointmentNamesItsLeadTime) {
  EXPECT_EQ(appointmentMailBody(due("TA7")),
            "Datum: 03.05.2024\rUhrzeit: 08:00\rVorwarnzeit: 15\r\rTermintext:\r"
            "Grüße an Jürgen 54");
}

TEST(MailBody, ProgramStartAndFileDispatchNameTheirFile) {
  Appointment a = due("TA20");
  a.PROGSTART = "/usr/bin/backup   ";
  EXPECT_EQ(appointmentMailBody(a),
            "Programmstart: /usr/bin/backup\rDatum: 03.05.2024\rUhrzeit: 08:00\r\r"
            "Termintext:\rGrüße an Jürgen 54");
  a.TERMINART = "TA22 ";
  a.PROGSTART = ".\\Berichte\\Mai.pdf";
  EXPECT_EQ(appointmentMailBody(a),
            "Dateiversand: .\\Berichte\\Mai.pdf\rDatum: 03.05.2024\rUhrzeit: 08:00\r\r"
            "Termintext:\rGrüße an Jürgen 54");
}

TEST(MailBody, SecondAgeMarkerIsFilledForMailedTexts) {
  Appointment a = due("TA7");
  a.TEXT = "#1970 und #1980";
  EXPECT_NE(appointmentMailBody(a).find("Termintext:\r54 und 44"), std::string::npos);
  a.TERMINART = "TA20";
  EXPECT_NE(appointmentMailBody(a).find("Termintext:\r54 und #1980"), std::string::npos);
}

TEST(MailLogLine, EachKindNamesWhatIsSent) {
  Appointment a = due("TA7");
  EXPECT_EQ(appointmentMailLogLine(a, "Anna", "a@b.de"),
            "Mail für Termin: Anna a@b.de anna@example.org");
  a.TERMINART = "TA20";
  a.PROGSTART = "/usr/bin/backup";
  a.PROGPARAM = "-q";
  EXPECT_EQ(appointmentMailLogLine(a, "Anna", "a@b.de"),
            "Mail für PrgStart: /usr/bin/backup Param: -q");
  a.TERMINART = "TA22";
  EXPECT_EQ(appointmentMailLogLine(a, "Anna", "a@b.de"),
            "Mail für MailVersand: Anna a@b.de /usr/bin/backup");
}

TEST(AppointmentMail, BodyFileIsWindows1252WhileSendingAndErasedAfterwards) {
  test::LogbookCapture cap;
  RecordingDispatch dispatch;
  const Appointment a = due("TA7");
  EXPECT_EQ(sendAppointmentMail(a, "QLS Zorvane v2.00.65", "Anna", "a@b.de",
                                {cap.dir().path(), cap.dir().path()}, cap.log(), dispatch),
            kMailSent);
  ASSERT_EQ(dispatch.requests.size(), 1u);
  const MailRequest& r = dispatch.requests[0];
  EXPECT_EQ(r.subject, "QLS Zorvane v2.00.65");
  EXPECT_EQ(r.senderName, "Anna");
  EXPECT_EQ(r.replyTo, "a@b.de");
  EXPECT_EQ(r.recipient, "anna@example.org");
  EXPECT_TRUE(r.attachments.empty());
  EXPECT_EQ(r.bodyFile.filename(), "Email.txt");
  EXPECT_EQ(dispatch.bodyBytes, utf8ToCp1252(appointmentMailBody(a)));
  EXPECT_NE(dispatch.bodyBytes.find("Gr\xFC\xDF"
                                    "e"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(r.bodyFile));
  EXPECT_TRUE(cap.has("ShowTermin", "Mail für Termin: Anna a@b.de anna@example.org"));
}

// The body goes among the workstation's own files, the attachment is found in the program
// directory.
TEST(AppointmentMail, FileDispatchAttachesItsFileAndFailuresArePassedOn) {
  test::LogbookCapture cap;
  RecordingDispatch dispatch;
  dispatch.result = 67;  // the transport's code for a refused login
  Appointment a = due("TA22");
  a.PROGSTART = "  .\\berichte\\Mai.pdf  ";
  cap.dir().write("Mai.pdf", "x");
  std::filesystem::create_directory(cap.dir() / "Berichte");
  cap.dir().write("Berichte/Mai.pdf", "%PDF");
  std::filesystem::create_directory(cap.dir() / "station");
  EXPECT_EQ(sendAppointmentMail(a, "s", "", "", {cap.dir() / "station", cap.dir().path()},
                                cap.log(), dispatch),
            67);
  ASSERT_EQ(dispatch.requests.size(), 1u);
  EXPECT_EQ(dispatch.requests[0].attachments,
            std::vector<std::string>{(cap.dir() / "Berichte" / "Mai.pdf").string()});
  EXPECT_EQ(dispatch.requests[0].bodyFile, cap.dir() / "station" / "Email.txt");
  EXPECT_FALSE(std::filesystem::exists(cap.dir() / "Email.txt"));
}

TEST(AppointmentMail, UnwritableBodyFileSendsNothing) {
  test::LogbookCapture cap;
  RecordingDispatch dispatch;
  const auto missing = cap.dir() / "no" / "such" / "dir";
  EXPECT_EQ(sendAppointmentMail(due("TA7"), "s", "", "", {missing, missing}, cap.log(), dispatch),
            kMailBodyNotWritten);
  EXPECT_TRUE(dispatch.requests.empty());
  EXPECT_TRUE(cap.has("ShowTermin",
                      "Email.txt kann nicht geschrieben werden - keine Mail an anna@example.org"));
}

TEST(SmtpOk, FalseAsSoonAsOneValueIsEmpty) {
  const MailAccount full{"Anna", "a@b.de", "smtp.b.de", "anna", "geheim"};
  EXPECT_TRUE(zrvSmtpOk(full));
  for (int i = 0; i < 5; ++i) {
    MailAccount m = full;
    std::string* fields[] = {&m.Name, &m.Reply, &m.SMTP, &m.User, &m.Pass};
    *fields[i] = i % 2 ? "" : "   ";
    EXPECT_FALSE(zrvSmtpOk(m)) << "value " << i;
  }
}

}  // namespace
}  // namespace zrv
