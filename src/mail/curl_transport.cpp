#include "mail/curl_transport.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "mail/mime_message.h"
#include "platform/curl_library.h"

namespace zrv {
namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::string> readFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

struct Upload {
  const std::string& data;
  std::size_t sent = 0;
};

std::size_t readUpload(char* buffer, std::size_t size, std::size_t count, void* user) {
  auto* up = static_cast<Upload*>(user);
  const std::size_t n = std::min(size * count, up->data.size() - up->sent);
  std::memcpy(buffer, up->data.data() + up->sent, n);
  up->sent += n;
  return n;
}

// The bound on a server that stops answering: libcurl 7.88 counts its own response time-out
// from the DATA command on, so that it would cut off every upload longer than the bound. Instead
// every sign of life counts: a command, an answer or a piece of the message going either way,
// and the bytes the system still holds for the server shrinking (the server reads what was
// handed over before it answers). The transfer is given up after the bound without one.
class Inactivity {
 public:
  explicit Inactivity(std::chrono::milliseconds bound) : bound_(bound) {}
  void alive() { last_ = std::chrono::steady_clock::now(); }
  void connection(curl_socket_t socket) { socket_ = socket; }
  bool expired() {
    const long unsent = unsentBytes(socket_);
    if (unsent != unsent_) {
      unsent_ = unsent;
      alive();
    }
    if (std::chrono::steady_clock::now() - last_ <= bound_) return false;
    expired_ = true;
    return true;
  }
  bool hasExpired() const { return expired_; }

 private:
  curl_socket_t socket_ = CURL_SOCKET_BAD;
  std::chrono::milliseconds bound_;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
  long unsent_ = -1;
  bool expired_ = false;
};

int noteTraffic(CURL*, curl_infotype type, char*, std::size_t, void* user) {
  if (type != CURLINFO_TEXT) static_cast<Inactivity*>(user)->alive();
  return 0;
}

int noteConnection(void* user, curl_socket_t socket, curlsocktype) {
  static_cast<Inactivity*>(user)->connection(socket);
  return CURL_SOCKOPT_OK;
}

int checkInactivity(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<Inactivity*>(user)->expired() ? 1 : 0;
}

constexpr long kDayInSeconds = 24L * 60 * 60;

struct CurlCleanup {
  void operator()(CURL* c) const { curlLibrary()->easyCleanup(c); }
};
struct ListCleanup {
  void operator()(curl_slist* l) const { curlLibrary()->slistFreeAll(l); }
};

}  // namespace

std::string smtpUrl(const std::string& server) {
  const std::string s = trimmed(server);
  if (s.empty()) return "";
  if (s.starts_with("smtp://") || s.starts_with("smtps://")) return s;
  const std::size_t colon = s.rfind(':');
  const bool hasPort = colon != std::string::npos && s.find(']', colon) == std::string::npos &&
                       (s.front() == '[' || s.find(':') == colon);
  const std::string port = hasPort ? s.substr(colon + 1) : "25";
  const std::string host = hasPort ? s.substr(0, colon) : s;
  return (port == "465" ? "smtps://" : "smtp://") + host + ":" + port;
}

// libcurl is loaded and started at the first mail (curl_library.h), so that a run that sends
// none pays nothing for it.
CurlMailTransport::CurlMailTransport(CurlTransportOptions options) : options_(std::move(options)) {}

int CurlMailTransport::send(const MailFields& mail) {
  if (trimmed(mail.server).empty()) return kNoServer;
  const std::string from = trimmed(mail.from);
  const std::string to = trimmed(mail.to);
  if (from.empty() || recipientList(to).empty()) return kNoRecipient;
  const std::optional<std::string> body = readFile(mail.bodyFile);
  if (!body) return kBodyUnreadable;
  const std::time_t now = std::time(nullptr);
  MessageInput input{mail.name,       from, to,  trimmed(mail.reply),    mail.subject,
                     bodyText(*body), {},   now, newMessageId(from, now)};
  for (const std::string& file : mail.attachments) {
    std::optional<std::string> bytes = readFile(file);
    if (!bytes || std::filesystem::is_directory(file)) return kAttachmentUnreadable;
    input.attachments.push_back({std::filesystem::path(file).filename().string(), *bytes});
  }
  const std::string message = buildMessage(input);

  const CurlLibrary* lib = curlLibrary();
  if (!lib) return kTransportUnavailable;
  std::unique_ptr<CURL, CurlCleanup> curl(lib->easyInit());
  if (!curl) return kTransportUnavailable;
  std::unique_ptr<curl_slist, ListCleanup> recipients;
  for (const std::string& address : recipientList(to)) {
    curl_slist* longer = lib->slistAppend(recipients.get(), ("<" + address + ">").c_str());
    if (!longer) return kTransportUnavailable;
    (void)recipients.release();
    recipients.reset(longer);
  }
  Upload upload{message};
  CURL* c = curl.get();
  const std::string url = smtpUrl(mail.server);
  const std::string envelopeFrom = "<" + from + ">";
  const long bound = static_cast<long>(options_.bound.count());
  lib->easySetopt(c, CURLOPT_URL, url.c_str());
  lib->easySetopt(c, CURLOPT_NOSIGNAL, 1L);
  // No bound on the whole exchange (a large attachment on a slow line may take minutes, and
  // libcurl 7.88 does not hold one during the upload anyway): one on the connection with the
  // server's greeting and login, one on any stretch without a sign of life.
  Inactivity inactivity(options_.bound);
  lib->easySetopt(c, CURLOPT_CONNECTTIMEOUT_MS, bound);
  // libcurl's own bounds would end a healthy upload: its wait for the server's answer counts from
  // the DATA command when the message's last line had to wait for room, and its speed check sees
  // nothing while the server reads what the system still holds. Silence is bounded above.
  lib->easySetopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, kDayInSeconds);
  lib->easySetopt(c, CURLOPT_VERBOSE, 1L);  // for the traffic's sign of life only
  lib->easySetopt(c, CURLOPT_DEBUGFUNCTION, noteTraffic);
  lib->easySetopt(c, CURLOPT_DEBUGDATA, &inactivity);
  lib->easySetopt(c, CURLOPT_NOPROGRESS, 0L);
  lib->easySetopt(c, CURLOPT_XFERINFOFUNCTION, checkInactivity);
  lib->easySetopt(c, CURLOPT_XFERINFODATA, &inactivity);
  lib->easySetopt(c, CURLOPT_SOCKOPTFUNCTION, noteConnection);
  lib->easySetopt(c, CURLOPT_SOCKOPTDATA, &inactivity);
  // STARTTLS whenever the server offers it, so that the login is never sent in clear text to a
  // server that could have protected it.
  lib->easySetopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
  if (!options_.caFile.empty()) lib->easySetopt(c, CURLOPT_CAINFO, options_.caFile.c_str());
  const std::string user = trimmed(mail.user);
  if (!user.empty()) {
    lib->easySetopt(c, CURLOPT_USERNAME, user.c_str());
    lib->easySetopt(c, CURLOPT_PASSWORD, mail.password.c_str());
    lib->easySetopt(c, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
  }
  lib->easySetopt(c, CURLOPT_MAIL_FROM, envelopeFrom.c_str());
  lib->easySetopt(c, CURLOPT_MAIL_RCPT, recipients.get());
  lib->easySetopt(c, CURLOPT_READFUNCTION, readUpload);
  lib->easySetopt(c, CURLOPT_READDATA, &upload);
  lib->easySetopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(message.size()));
  lib->easySetopt(c, CURLOPT_UPLOAD, 1L);
  const CURLcode rc = lib->easyPerform(c);
  // A server that fell silent is a time-out, whoever noticed it.
  if (rc == CURLE_ABORTED_BY_CALLBACK && inactivity.hasExpired()) return CURLE_OPERATION_TIMEDOUT;
  return static_cast<int>(rc);
}

}  // namespace zrv
