// How the core prints: pages described on a grid of 60 rows by 80 columns of the printable
// area, handed over as one job; and the question for the period of a printout. The program
// passes the printer and the period dialog; tests pass a PDF file and a scripted answer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/base/date.h"

namespace zrv {

// The page grid: a row (LV) is the printable height / 60, a column (CH) the width / 80.
inline constexpr int kPageRows = 60;
inline constexpr int kPageColumns = 80;

// The two fonts of the printouts: the printer's own font (a fixed-pitch one) and the sans-serif
// one of the week, period and settings pages. Both 12 point.
enum class PageFont { Printer, Sans };

// A text whose top left corner stands at (row, column).
struct PageText {
  int row = 0;
  int column = 0;
  std::string text;  // UTF-8
  PageFont font = PageFont::Printer;
  friend bool operator==(const PageText&, const PageText&) = default;
};

// A horizontal line at `row` from column `from` to column `to`.
struct PageRule {
  int row = 0;
  int from = 0;
  int to = 0;
  friend bool operator==(const PageRule&, const PageRule&) = default;
};

struct PrintPage {
  // The frame of the page head: from one device pixel below the top, columns 7 to 79, two
  // rows high; its heading is the page's first text (row 1, column 8).
  bool headFrame = false;
  std::vector<PageText> texts;
  std::vector<PageRule> rules;
};

struct PrintJob {
  std::string title;  // the job's name in the printer's queue
  std::vector<PrintPage> pages;
};

enum class PrintOutcome { Printed, Cancelled, Failed };

class PrintPort {
 public:
  virtual ~PrintPort() = default;
  // Lets the user choose a printer (no preview) and prints every page of `job`. Cancelled when
  // the user closed the printer selection without printing.
  virtual PrintOutcome print(const PrintJob& job) = 0;
};

struct PrintPeriod {
  Date from;
  Date to;
};

class PrintPeriodPort {
 public:
  virtual ~PrintPeriodPort() = default;
  // The period dialog, starting with `from` and `to`; it accepts only a sound period. nullopt
  // when the user cancelled.
  virtual std::optional<PrintPeriod> askPeriod(const Date& from, const Date& to) = 0;
};

// What the printout commands work with.
struct PrintDevices {
  PrintPort& printer;
  PrintPeriodPort& period;
};

}  // namespace zrv
