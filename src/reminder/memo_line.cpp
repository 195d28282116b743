#include "reminder/memo_line.h"

#include <algorithm>

#include "reminder/text_util.h"

namespace zrv {
namespace {

// A soft line break that the memo editor of the other platform stores as byte 0x8D (here the
// character U+008D), usually followed by a line feed.
constexpr std::string_view kSoftBreak = "\xC2\x8D";

// Where the first paragraph ends (a hard break CR LF, LF or CR, or a soft break) and where the
// next one begins.
struct ParagraphEnd {
  std::size_t end;
  std::size_t next;
};

ParagraphEnd paragraphEnd(std::string_view text) {
  const std::size_t hard = text.find_first_of("\r\n");
  const std::size_t soft = text.find(kSoftBreak);
  if (hard == std::string_view::npos && soft == std::string_view::npos) {
    return {text.size(), text.size()};
  }
  if (soft < hard) {
    std::size_t next = soft + kSoftBreak.size();
    if (text.substr(next, 2) == "\r\n") {
      next += 2;
    } else if (next < text.size() && text[next] == '\n') {
      ++next;
    }
    return {soft, next};
  }
  const bool crlf = text.substr(hard, 2) == "\r\n";
  return {hard, hard + (crlf ? 2 : 1)};
}

// One line of a paragraph wrapped at `width`, and where the rest of the paragraph begins.
struct Wrapped {
  std::string line;
  std::size_t rest;
};

Wrapped wrapOnce(std::string_view paragraph, std::size_t width) {
  const std::size_t fits = utf8PrefixBytes(paragraph, width);
  if (fits == paragraph.size()) return {std::string(paragraph), paragraph.size()};
  // A blank right after the last character that fits still allows the break there.
  const std::size_t withNext = utf8PrefixBytes(paragraph, width + 1);
  const std::size_t blank = paragraph.substr(0, withNext).find_last_of(' ');
  if (blank != std::string_view::npos) {
    std::string line = rtrimBlanks(paragraph.substr(0, blank));
    if (!line.empty()) return {std::move(line), blank + 1};
  }
  return {std::string(paragraph.substr(0, fits)), fits};
}

}  // namespace

std::string firstLine(std::string_view text, std::size_t width) {
  return wrapOnce(text.substr(0, paragraphEnd(text).end), width).line;
}

std::vector<std::string> memoLines(std::string_view text, std::size_t width) {
  width = std::max<std::size_t>(width, 1);  // every line takes at least one character
  std::vector<std::string> lines;
  do {
    const ParagraphEnd end = paragraphEnd(text);
    std::string_view paragraph = text.substr(0, end.end);
    do {
      Wrapped w = wrapOnce(paragraph, width);
      lines.push_back(std::move(w.line));
      paragraph.remove_prefix(w.rest);
      // A wrapped line's successor starts at its first word.
      const std::size_t word = paragraph.find_first_not_of(' ');
      paragraph.remove_prefix(word == std::string_view::npos ? paragraph.size() : word);
    } while (!paragraph.empty());
    text.remove_prefix(end.next);
  } while (!text.empty());
  return lines;
}

}  // namespace zrv
