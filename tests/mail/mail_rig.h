// A program directory with a context, a recording user interface, a real SMTP server on
// 127.0.0.1 and the real transport to it: what the mail tests send through.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/context.h"
#include "app/ini_file.h"
#include "mail/curl_transport.h"
#include "mail/mail_env.h"
#include "platform/off_thread.h"
#include "ports/user_interface.h"
#include "store/base/clock.h"
#include "store/base/logbook.h"
#include "support/local_smtp.h"
#include "support/logbook_capture.h"
#include "support/test_dir.h"

namespace zrv::test {

class RecordingUi : public UserInterface {
 public:
  void message(const std::string& title, const std::string& text, Severity) override {
    messages.emplace_back(title, text);
  }
  bool ask(const std::string& title, const std::string& text, bool) override {
    questions.emplace_back(title, text);
    return answer;
  }
  void statusText(const std::string& text) override { status.push_back(text); }
  void statusPane(StatusPane, const std::string&) override {}
  void busy(bool on) override { busyDepth += on ? 1 : -1; }

  std::vector<std::pair<std::string, std::string>> messages;
  std::vector<std::pair<std::string, std::string>> questions;
  std::vector<std::string> status;
  int busyDepth = 0;
  bool answer = true;
};

class CountingWait : public WaitPort {
 public:
  void waitOneSecond() override {}
  void whileWaiting() override { ++calls; }
  int calls = 0;
};

class ScriptedSenderDialog : public SenderDialog {
 public:
  std::optional<SenderEntry> ask(const std::string& header, const SenderEntry& entry) override {
    shown.emplace_back(header, entry);
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<std::optional<SenderEntry>> answers;
  std::vector<std::pair<std::string, SenderEntry>> shown;
};

struct MailRig {
  explicit MailRig(LocalSmtpOptions options = {},
                   CurlTransportOptions transportOptions = {std::chrono::seconds(20), ""})
      : smtp(options), transport([&] {
          if (options.tls) transportOptions.caFile = smtp.caFile().string();
          return transportOptions;
        }()) {
    ctx.CINIFILE = dir / "ZORVANE.INI";
    log.setEnabled(true);
    log.log("Zorvane", "");  // a new logbook
  }
  ~MailRig() {
    std::error_code ec;
    std::filesystem::current_path(startDir, ec);
  }

  // A complete account on the local server, "Online" on (no question).
  void account(const std::string& name = "Erika Mustermann",
               const std::string& reply = "erika@example.org") {
    IniFile ini(ctx.CINIFILE, 0600);
    ini.write("MailSupport", "Name", name);
    ini.write("MailSupport", "Reply", reply);
    ini.write("MailSupport", "SMTP", smtp.server());
    ini.write("MailSupport", "User", smtp.options().user);
    ini.write("MailSupport", "Pass", smtp.options().password);
    ini.write("MailSupport", "Online", "1");
  }
  void set(const std::string& key, const std::string& value) {
    IniFile(ctx.CINIFILE, 0600).write("MailSupport", key, value);
  }
  std::vector<std::string> logLines() const { return readLogbookLines(log.file(), 0); }

  std::filesystem::path startDir = std::filesystem::current_path();
  TestDir dir;
  FixedClock clock{"10.06.2024", "09:30:15"};
  RecordingUi ui;
  Logbook log{dir / "Zorvane.Log", kRelease, clock};
  Context ctx{dir.path() / "", clock, log, ui};
  LocalSmtp smtp;
  CurlMailTransport transport;
  CountingWait wait;
  ScriptedSenderDialog dialog;
  MailEnv env{ctx, transport, wait, dialog};
};

}  // namespace zrv::test
