// The SMTP transport against a real server on 127.0.0.1: what arrives is read back by the
// server's own MIME reader, so encodings are checked by someone other than their writer.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "mail/curl_transport.h"
#include "mail_rig.h"
#include "platform/off_thread.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;
using test::LocalSmtp;
using test::LocalSmtpOptions;

MailFields mailTo(const LocalSmtp& smtp, const std::string& bodyFile) {
  return MailFields{"erika@example.org",
                    smtp.server(),
                    "chef@example.org",
                    "Termin \"Zahnarzt\" \xC3\xBC"
                    "berm\xC3\xB6rgen",
                    bodyFile,
                    {},
                    smtp.options().user,
                    smtp.options().password,
                    "antwort@example.org",
                    "J\xC3\xBCrgen M\xC3\xBCller"};
}

// A port on which nothing listens.
int closedPort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  ::close(s);
  return ntohs(a.sin_port);
}

TEST(CurlTransport, UmlautsQuotesAttachmentsAndTwoRecipientsArriveIntact) {
  LocalSmtp smtp;
  ASSERT_TRUE(smtp.ready()) << smtp.whyNotReady();
  test::TestDir files;
  // Windows-1252 body with CR line ends and a trailing blank, as the dispatch writes it.
  const auto body = files.write("SendMail.txt",
                                "Gr\xFC\xDF"
                                "e\rZeile 2 \x80\r ");
  std::string binary;
  for (int i = 0; i < 3000; ++i)
    binary += static_cast<char>(i * 7 % 256);
  MailFields m = mailTo(smtp, body.string());
  m.to = "chef@example.org; assistenz@example.org";
  m.attachments = {files.write("Plan \xC3\xA4.bin", binary).string(),
                   files.write("notiz.txt", "kurz").string()};

  CurlMailTransport transport;
  ASSERT_EQ(transport.send(m), kTransportSent);
  ASSERT_EQ(transport.send(m), kTransportSent);
  ASSERT_TRUE(smtp.waitForMessages(2, 30s));
  const test::ReceivedMail got = smtp.received().at(0);
  // Each mail carries a Message-ID of its own in the sender's domain.
  const auto messageId = [](const test::ReceivedMail& mail) -> std::string {
    const std::string raw = mail.read("raw.eml");
    const auto at = raw.find("\r\nMessage-ID: ");
    if (at == std::string::npos) return "";
    return raw.substr(at + 14, raw.find("\r\n", at + 2) - at - 14);
  };
  EXPECT_TRUE(messageId(got).starts_with("<") && messageId(got).ends_with("@example.org>"))
      << got.read("raw.eml").substr(0, 400);
  EXPECT_NE(messageId(got), messageId(smtp.received().at(1)));

  EXPECT_EQ(got.read("envelope.txt"), "erika@example.org\nchef@example.org\nassistenz@example.org");
  EXPECT_EQ(got.read("to.txt"), "chef@example.org, assistenz@example.org");
  EXPECT_EQ(got.read("login.txt"), "zorvane");
  EXPECT_EQ(got.read("subject.txt"), m.subject);
  EXPECT_EQ(got.read("from-name.txt"), "J\xC3\xBCrgen M\xC3\xBCller");
  EXPECT_EQ(got.read("from-address.txt"), "erika@example.org");
  EXPECT_EQ(got.read("reply-to.txt"), "antwort@example.org");
  EXPECT_EQ(got.read("body-type.txt"), "text/plain; charset=utf-8");
  EXPECT_EQ(got.read("body.txt"),
            "Gr\xC3\xBC\xC3\x9F"
            "e\r\nZeile 2 \xE2\x82\xAC\r\n ");
  EXPECT_EQ(got.read("attach/Plan \xC3\xA4.bin"), binary);
  EXPECT_EQ(got.read("attach/notiz.txt"), "kurz");
}

TEST(CurlTransport, StartTlsIsUsedWhenOfferedAndTheCertificateIsChecked) {
  LocalSmtpOptions tls;
  tls.tls = true;
  LocalSmtp smtp(tls);
  ASSERT_TRUE(smtp.ready()) << smtp.whyNotReady();
  test::TestDir files;
  const MailFields m = mailTo(smtp, files.write("SendMail.txt", "Hallo ").string());

  // The server refuses a login before STARTTLS: an arriving mail went through TLS.
  CurlMailTransport trusting({20s, smtp.caFile().string()});
  EXPECT_EQ(trusting.send(m), kTransportSent);
  ASSERT_TRUE(smtp.waitForMessages(1, 30s));
  EXPECT_EQ(smtp.received().at(0).read("login.txt"), "zorvane");

  // A certificate nobody vouches for stops the mail before the password is sent.
  CurlMailTransport system;
  EXPECT_NE(system.send(m), kTransportSent);
  EXPECT_EQ(smtp.received().size(), 1u);
}

TEST(CurlTransport, AWrongPasswordOrAMissingFileDeliversNothing) {
  LocalSmtp smtp;
  ASSERT_TRUE(smtp.ready()) << smtp.whyNotReady();
  test::TestDir files;
  MailFields m = mailTo(smtp, files.write("SendMail.txt", "x").string());
  CurlMailTransport transport;
  m.password = "falsch";
  EXPECT_EQ(transport.send(m), 67);  // login denied
  m.password = smtp.options().password;
  m.attachments = {(files / "fehlt.pdf").string()};
  EXPECT_EQ(transport.send(m), kAttachmentUnreadable);
  m.attachments.clear();
  m.bodyFile = (files / "fehlt.txt").string();
  EXPECT_EQ(transport.send(m), kBodyUnreadable);
  m.server = " ";
  EXPECT_EQ(transport.send(m), kNoServer);
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(smtp.received().empty());
}

TEST(CurlTransport, AServerThatIsDownOrSilentFailsWithinTheBoundWhileTheWaitGoesOn) {
  test::TestDir files;
  LocalSmtp unused;
  MailFields m = mailTo(unused, files.write("SendMail.txt", "x").string());
  CurlMailTransport transport({2s, ""});

  m.server = "127.0.0.1:" + std::to_string(closedPort());
  EXPECT_EQ(transport.send(m), 7);  // no connection

  LocalSmtpOptions quiet;
  quiet.silent = true;
  LocalSmtp silent(quiet);
  ASSERT_TRUE(silent.ready()) << silent.whyNotReady();
  m.server = silent.server();
  test::CountingWait wait;
  const auto start = std::chrono::steady_clock::now();
  const int code = runOffThread([&] { return transport.send(m); }, wait);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(code, 28);  // timed out
  EXPECT_GE(took, 1900ms);
  EXPECT_LT(took, 6s);
  EXPECT_GT(wait.calls, 40);  // about every 20 ms for two seconds

  // Silent in the middle of the exchange, after the login.
  LocalSmtpOptions stalling;
  stalling.stall = true;
  LocalSmtp stalled(stalling);
  ASSERT_TRUE(stalled.ready()) << stalled.whyNotReady();
  m.server = stalled.server();
  const auto begin = std::chrono::steady_clock::now();
  EXPECT_EQ(transport.send(m), 28);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, 6s);
}

TEST(CurlTransport, ServerNamesBecomeSmtpUrls) {
  EXPECT_EQ(smtpUrl("mail.example.org"), "smtp://mail.example.org:25");
  EXPECT_EQ(smtpUrl(" mail.example.org:587 "), "smtp://mail.example.org:587");
  EXPECT_EQ(smtpUrl("mail.example.org:465"), "smtps://mail.example.org:465");
  EXPECT_EQ(smtpUrl("[::1]:2525"), "smtp://[::1]:2525");
}

}  // namespace
}  // namespace zrv
