// The mailer command line as the logbook records it, and the parts of the message that no
// server test shows plainly: line ends, the code page, header texts that try to add headers.
#include <gtest/gtest.h>

#include "mail/mime_message.h"
#include "mail/send_mail_command.h"

namespace zrv {
namespace {

MailFields fields() {
  return MailFields{"erika@example.org",
                    "smtp.example.org",
                    "chef@example.org",
                    "QLS Zorvane v2.00.65",
                    "SendMail.txt",
                    {},
                    "erika",
                    "s3cret",
                    "erika@example.org",
                    "Erika Mustermann"};
}

TEST(SendMailCommand, WithoutAttachmentsTheLineEndsWithTheDisplaySender) {
  EXPECT_EQ(sendMailCommandLine(fields()),
            "SndMail -f erika@example.org -X smtp.example.org -r chef@example.org -s \"QLS Zorvane "
            "v2.00.65\" -b SendMail.txt -u erika -p s3cret -h LOGIN -R erika@example.org -F "
            "\"Erika Mustermann <erika@example.org>\"");
}

TEST(SendMailCommand, AttachmentsFollowInOrderAndTheLoggedLineHidesThePassword) {
  MailFields m = fields();
  m.attachments = {"/tmp/a b.pdf", "Zorvane.log"};
  const std::string line = sendMailCommandLine(m);
  EXPECT_TRUE(line.ends_with("<erika@example.org>\" -a \"/tmp/a b.pdf\" -a \"Zorvane.log\""))
      << line;
  const std::string logged = loggedCommandLine(m);
  EXPECT_EQ(logged.find("s3cret"), std::string::npos);
  EXPECT_NE(logged.find(" -u erika -p **** -h LOGIN "), std::string::npos) << logged;
}

TEST(SendMailCommand, AQuoteInTheSubjectIsNotEscaped) {
  MailFields m = fields();
  m.subject = "Sag \"Hallo\"";
  EXPECT_NE(sendMailCommandLine(m).find(" -s \"Sag \"Hallo\"\" -b "), std::string::npos);
}

TEST(MimeMessage, BodyLinesEndInCrLfAndWindows1252BecomesUtf8) {
  EXPECT_EQ(bodyText("a\rb\r\nc\nd\xE4\x80"), "a\r\nb\r\nc\r\nd\xC3\xA4\xE2\x82\xAC");
}

TEST(MimeMessage, AHeaderTextCannotAddAHeaderOfItsOwn) {
  MessageInput in;
  in.fromName = "Eve\r\nBcc: victim@example.org";
  in.fromAddress = "eve@example.org";
  in.to = "chef@example.org\r\nBcc: other@example.org";
  in.subject = "Hallo\r\nBcc: third@example.org";
  in.bodyText = "x";
  const std::string m = buildMessage(in);
  EXPECT_EQ(m.find("\r\nBcc:"), std::string::npos) << m;
}

TEST(MimeMessage, LongUmlautSubjectsAreSplitIntoEncodedWordsOfWholeCharacters) {
  std::string subject;
  for (int i = 0; i < 30; ++i)
    subject += "\xC3\xA4";  // 30 x "ä", 60 bytes
  const std::string encoded = encodeHeaderText(subject);
  // 39 bytes per word would cut a character in two: the first word takes 38.
  EXPECT_EQ(encoded, "=?UTF-8?B?" + base64(subject.substr(0, 38)) + "?=\r\n =?UTF-8?B?" +
                         base64(subject.substr(38)) + "?=");
  EXPECT_EQ(encodeHeaderText("plain ASCII"), "plain ASCII");
}

}  // namespace
}  // namespace zrv
