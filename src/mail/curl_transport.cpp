#include "mail/curl_transport.h"

#include <algorithm>
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
  MessageInput input{
      mail.name,         from, to, trimmed(mail.reply), mail.subject, bodyText(*body), {},
      std::time(nullptr)};
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
  lib->easySetopt(c, CURLOPT_TIMEOUT_MS, bound);
  lib->easySetopt(c, CURLOPT_CONNECTTIMEOUT_MS, bound);
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
  return static_cast<int>(lib->easyPerform(c));
}

}  // namespace zrv
