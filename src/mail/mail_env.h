// What the mail dispatch works with: the program context (settings file, logbook, user), the
// transport, the wait that keeps the window painted while a mail goes out, and the sender
// dialog. The program builds one for the run; tests pass fakes and a transport to a local server.
#pragma once

#include <optional>
#include <string>

namespace zrv {

struct Context;
class MailTransport;
class WaitPort;

// The sender's name and address as the sender dialog shows and returns them.
struct SenderEntry {
  std::string name;
  std::string address;
};

// The window "EMail-Einstellungen" of MAILSETUP.
class SenderDialog {
 public:
  virtual ~SenderDialog() = default;
  // Shows the dialog with the header line and the fields filled from `entry`, the focus in the
  // address field. The entered values on "&Speichern"; nothing on "&Beenden" or closing.
  virtual std::optional<SenderEntry> ask(const std::string& header, const SenderEntry& entry) = 0;
};

struct MailEnv {
  Context& ctx;
  MailTransport& transport;
  WaitPort& wait;
  SenderDialog& senderDialog;
};

}  // namespace zrv
