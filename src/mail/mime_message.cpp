#include "mail/mime_message.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>

#include "store/base/codepage.h"

namespace zrv {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr std::size_t kWordBytes = 39;  // UTF-8 bytes per encoded word: 52 base64 characters

bool isAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Header values lose line breaks and other control characters.
std::string oneLine(std::string_view text) {
  std::string out;
  for (char c : text) {
    out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
  }
  return out;
}

// An address without line breaks and angle brackets.
std::string bareAddress(std::string_view address) {
  std::string out;
  for (char c : oneLine(address)) {
    if (c != '<' && c != '>' && c != ' ') out += c;
  }
  return out;
}

std::size_t utf8CharLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// "Name <address>", the name as a quoted string or as encoded words.
std::string mailbox(std::string_view name, std::string_view address) {
  const std::string line = oneLine(name);
  const std::string addr = "<" + bareAddress(address) + ">";
  if (line.find_first_not_of(' ') == std::string::npos) return addr;
  const bool plain = isAscii(line) && line.find("=?") == std::string::npos;
  return (plain ? quoted(line) : encodeHeaderText(line)) + " " + addr;
}

std::string hex2(unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  return {kHex[c >> 4], kHex[c & 0x0F]};
}

// Quoted-printable of a text with CR LF line ends: lines of at most 76 characters, blanks at a
// line's end encoded so that no transport strips them.
std::string quotedPrintable(std::string_view text) {
  std::string out;
  std::size_t column = 0;
  auto put = [&](const std::string& piece) {
    if (column + piece.size() > 75) {
      out += "=\r\n";
      column = 0;
    }
    out += piece;
    column += piece.size();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += kCrLf;
      column = 0;
      ++i;
      continue;
    }
    const bool lineEnd = i + 1 == text.size() || text[i + 1] == '\r';
    const bool literal = (c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !lineEnd);
    put(literal ? std::string(1, static_cast<char>(c)) : "=" + hex2(c));
  }
  return out;
}

std::string base64Lines(std::string_view bytes) {
  const std::string flat = base64(bytes);
  std::string out;
  for (std::size_t i = 0; i < flat.size(); i += 76)
    out += flat.substr(i, 76) + kCrLf;
  return out;
}

// RFC 5322 date in English whatever the locale: "Mon, 10 Jun 2024 09:30:15 +0200".
std::string mailDate(std::time_t when) {
  static constexpr std::array<const char*, 7> kDays{"Sun", "Mon", "Tue", "Wed",
                                                    "Thu", "Fri", "Sat"};
  static constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm t{};
  localtime_r(&when, &t);
  const long offset = t.tm_gmtoff / 60;
  const long abs = offset < 0 ? -offset : offset;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", kDays[t.tm_wday],
                t.tm_mday, kMonths[t.tm_mon], t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec,
                offset < 0 ? '-' : '+', abs / 60, abs % 60);
  return buf;
}

// The file name parameters of an attachment: a quoted name when it is ASCII, else the UTF-8
// form of RFC 2231 beside an encoded-word form for older readers.
std::string percentEncoded(std::string_view text) {
  std::string out;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const bool keep = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                      c == '.' || c == '-' || c == '_';
    out += keep ? std::string(1, ch) : "%" + hex2(c);
  }
  return out;
}

std::string attachmentPart(const MailAttachment& a, const std::string& boundary) {
  const std::string name = oneLine(a.fileName);
  std::string type = "Content-Type: application/octet-stream; name=";
  std::string disposition = "Content-Disposition: attachment; filename";
  if (isAscii(name)) {
    type += quoted(name);
    disposition += "=" + quoted(name);
  } else {
    type += quoted(encodeHeaderText(name));
    disposition += "*=UTF-8''" + percentEncoded(name);
  }
  return "--" + boundary + kCrLf + type + kCrLf + disposition + kCrLf +
         "Content-Transfer-Encoding: base64" + kCrLf + kCrLf + base64Lines(a.bytes);
}

constexpr const char* kTextHeaders =
    "Content-Type: text/plain; charset=UTF-8\r\n"
    "Content-Transfer-Encoding: quoted-printable\r\n";

}  // namespace

std::string base64(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (n > 1) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (n > 2) v |= static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += n > 1 ? kAlphabet[(v >> 6) & 63] : '=';
    out += n > 2 ? kAlphabet[v & 63] : '=';
  }
  return out;
}

std::string bodyText(std::string_view cp1252) {
  const std::string utf8 = cp1252ToUtf8(cp1252);
  std::string out;
  out.reserve(utf8.size() + utf8.size() / 16);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      out += kCrLf;
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else if (utf8[i] == '\n') {
      out += kCrLf;
    } else {
      out += utf8[i];
    }
  }
  return out;
}

std::string encodeHeaderText(std::string_view utf8) {
  const std::string line = oneLine(utf8);
  if (isAscii(line) && line.find("=?") == std::string::npos) return line;
  std::string out;
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t end = i;
    while (end < line.size()) {
      const std::size_t next = end + utf8CharLength(static_cast<unsigned char>(line[end]));
      if (next - i > kWordBytes) break;
      end = next;
    }
    if (end == i) end = std::min(line.size(), i + kWordBytes);  // a broken sequence
    if (!out.empty()) out += "\r\n ";
    out += "=?UTF-8?B?" + base64(std::string_view(line).substr(i, end - i)) + "?=";
    i = end;
  }
  return out;
}

std::vector<std::string> recipientList(std::string_view to) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= to.size()) {
    const std::size_t end = std::min(to.find_first_of(",;", start), to.size());
    std::string address = bareAddress(to.substr(start, end - start));
    if (!address.empty()) out.push_back(std::move(address));
    start = end + 1;
  }
  return out;
}

std::string newMessageId(std::string_view fromAddress, std::time_t when) {
  const std::string address = bareAddress(fromAddress);
  const std::size_t at = address.rfind('@');
  std::string domain = at == std::string::npos ? "" : address.substr(at + 1);
  if (domain.empty()) domain = "zorvane.invalid";
  std::random_device random;
  char unique[40];
  std::snprintf(unique, sizeof unique, "%lld.%08x%08x", static_cast<long long>(when), random(),
                random());
  return "<" + std::string(unique) + "@" + domain + ">";
}

std::string buildMessage(const MessageInput& in) {
  std::string m;
  m += "Date: " + mailDate(in.date) + kCrLf;
  if (!in.messageId.empty()) m += "Message-ID: " + oneLine(in.messageId) + kCrLf;
  m += "From: " + mailbox(in.fromName, in.fromAddress) + kCrLf;
  std::string to;
  for (const std::string& address : recipientList(in.to)) {
    to += (to.empty() ? "<" : ", <") + address + ">";
  }
  m += "To: " + to + kCrLf;
  if (!bareAddress(in.replyTo).empty()) m += "Reply-To: <" + bareAddress(in.replyTo) + ">" + kCrLf;
  m += "Subject: " + encodeHeaderText(in.subject) + kCrLf;
  m += "MIME-Version: 1.0\r\n";
  if (in.attachments.empty()) {
    return m + kTextHeaders + kCrLf + quotedPrintable(in.bodyText);
  }
  // Neither quoted-printable nor base64 can produce "=_", so the boundary never occurs inside.
  const std::string boundary = "=_zrv_" + std::to_string(static_cast<long long>(in.date));
  m += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"" + kCrLf + kCrLf;
  m += "--" + boundary + kCrLf + kTextHeaders + kCrLf + quotedPrintable(in.bodyText) + kCrLf;
  for (const MailAttachment& a : in.attachments)
    m += attachmentPart(a, boundary);
  return m + "--" + boundary + "--" + kCrLf;
}

}  // namespace zrv
