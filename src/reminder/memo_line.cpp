#include "reminder/memo_line.h"

#include "reminder/text_util.h"

namespace zrv {
namespace {

// The first paragraph: up to a hard line break (CR LF, LF or CR) or a soft break that the
// memo editor of the other platform stores as byte 0x8D, here the character U+008D.
std::string_view firstParagraph(std::string_view text) {
  const std::size_t hard = text.find_first_of("\r\n");
  const std::size_t soft = text.find("\xC2\x8D");
  return text.substr(0, std::min(hard, soft));
}

}  // namespace

std::string firstLine(std::string_view text, std::size_t width) {
  const std::string_view paragraph = firstParagraph(text);
  const std::size_t fits = utf8PrefixBytes(paragraph, width);
  if (fits == paragraph.size()) return std::string(paragraph);
  // A blank right after the last character that fits still allows the break there.
  const std::size_t withNext = utf8PrefixBytes(paragraph, width + 1);
  const std::size_t blank = paragraph.substr(0, withNext).find_last_of(' ');
  if (blank != std::string_view::npos) {
    std::string line = rtrimBlanks(paragraph.substr(0, blank));
    if (!line.empty()) return line;
  }
  return std::string(paragraph.substr(0, fits));
}

}  // namespace zrv
