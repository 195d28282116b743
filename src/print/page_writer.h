// Fills the pages of a printout row by row: the page head on every page when the printout has
// one, and a new page before a text would pass the page's last row, so no line is lost.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/print_port.h"

namespace zrv {

struct PageLayout {
  std::optional<std::string> heading;  // the page head's text; none: no head
  PageFont font = PageFont::Printer;   // of every text, the heading's included
  int firstRow = 4;                    // where writing starts on every page
  int lastRow = 58;                    // the last row a text or a rule may take
};

inline constexpr int kHeadingRow = 1;
inline constexpr int kHeadingColumn = 8;
inline constexpr int kRuleFrom = 8;  // the rules between appointments, columns 8 to 78
inline constexpr int kRuleTo = 78;

class PageWriter {
 public:
  explicit PageWriter(PageLayout layout);

  int row() const { return row_; }
  void advance(int rows = 1) { row_ += rows; }
  // `text` at the current row; a new page first when the row lies past the last one.
  void text(int column, std::string text);
  // A rule at the current row; none past the last row, where the page's end separates.
  void rule(int from = kRuleFrom, int to = kRuleTo);
  // The pages written, at least one.
  std::vector<PrintPage> takePages() { return std::move(pages_); }

 private:
  void newPage();

  PageLayout layout_;
  std::vector<PrintPage> pages_;
  int row_ = 0;
};

}  // namespace zrv
