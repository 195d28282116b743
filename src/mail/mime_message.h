// The mail as it goes over the wire: headers with non-ASCII texts encoded as RFC 2047 words, the
// body as UTF-8 text with CR LF line ends, attachments as base64 MIME parts with their file
// names. Pure functions of their input, so that the message can be checked byte for byte.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace zrv {

struct MailAttachment {
  std::string fileName;  // the name the recipient sees (UTF-8, no directory)
  std::string bytes;
};

struct MessageInput {
  std::string fromName;     // display name, may be empty
  std::string fromAddress;  //
  std::string to;           //
  std::string replyTo;      // may be empty: no Reply-To header
  std::string subject;      //
  std::string bodyText;     // UTF-8 with CR LF line ends (see bodyText())
  std::vector<MailAttachment> attachments;
  std::time_t date = 0;   // the Date header, in the local time zone
  std::string messageId;  // the Message-ID header with its angle brackets; none when empty
};

// The body file's Windows-1252 bytes as UTF-8, with CR, LF and CR LF line ends all made CR LF.
std::string bodyText(std::string_view cp1252);

// A header text as it may stand in a header: unchanged when it is plain ASCII, otherwise one or
// more RFC 2047 encoded words (UTF-8, base64) separated by folding white space. Line breaks in
// the text become blanks, so that no text can add a header of its own.
std::string encodeHeaderText(std::string_view utf8);

// The addresses of a recipient text: one address, or several separated by "," or ";"; without
// blanks, angle brackets and line breaks.
std::vector<std::string> recipientList(std::string_view to);

// A Message-ID of its own for every mail ("<time.random@domain>"), the domain taken from the
// sender's address: some servers refuse a mail without one.
std::string newMessageId(std::string_view fromAddress, std::time_t when);

// The complete message, headers and body, lines ended by CR LF.
std::string buildMessage(const MessageInput& input);

std::string base64(std::string_view bytes);

}  // namespace zrv
