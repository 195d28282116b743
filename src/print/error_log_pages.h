// The page model of the error report: its lines as the file holds them, longer ones cut at 70
// characters, 50 lines a page from the top, without a page head.
#pragma once

#include <string_view>

#include "ports/print_port.h"

namespace zrv {

inline constexpr int kErrorLogLineWidth = 70;
inline constexpr int kErrorLogLinesPerPage = 50;

// `text` as the file holds it (Windows-1252).
PrintJob errorLogPrintout(std::string_view cp1252);

}  // namespace zrv
