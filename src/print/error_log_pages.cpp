#include "print/error_log_pages.h"

#include <algorithm>
#include <string>

#include "print/page_writer.h"
#include "reminder/text_util.h"
#include "store/base/codepage.h"

namespace zrv {
namespace {

// The next line of `text` (without its CR LF, LF or CR); `text` moves past it.
std::string_view nextLine(std::string_view& text) {
  const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
  const std::string_view line = text.substr(0, end);
  std::size_t next = end;
  if (next < text.size()) next += text.substr(next, 2) == "\r\n" ? 2 : 1;
  text.remove_prefix(next);
  return line;
}

}  // namespace

PrintJob errorLogPrintout(std::string_view cp1252) {
  const std::string utf8 = cp1252ToUtf8(cp1252);
  std::string_view text = utf8;
  PageWriter w(PageLayout{std::nullopt, PageFont::Printer, 1, kErrorLogLinesPerPage});
  while (!text.empty()) {
    std::string_view line = nextLine(text);
    do {  // an empty line is printed too
      const std::size_t piece = utf8PrefixBytes(line, kErrorLogLineWidth);
      w.text(8, std::string(line.substr(0, piece)));
      w.advance();
      line.remove_prefix(piece);
    } while (!line.empty());
  }
  return PrintJob{"Fehlerprotokoll", w.takePages()};
}

}  // namespace zrv
