// "Error.log", the report of a run-time error: the program, the moment, the error and its
// arguments, the calls that led to it, the machine, the open tables and the memory, in the
// layout the report has always had. Written into the program directory in Windows-1252 with
// CR LF, replacing an earlier report as a whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "diag/error_object.h"
#include "diag/stack_names.h"
#include "diag/system_info.h"
#include "platform/machine_facts.h"
#include "store/base/clock.h"
#include "store/xbase/open_tables.h"

namespace zrv {

struct Context;

inline constexpr const char* kErrorLogFile = "Error.log";

struct ErrorReport {
  std::string release;  // CRELEASE
  std::filesystem::path program;
  std::uint64_t programSize = 0;
  long fileLimit = 0;
  Moment when;
  ErrorObject error;
  std::vector<StackLine> stack;
  TSystemInfo info{SystemFacts{}};
  std::vector<std::string> processes;
  std::vector<OpenTableFacts> tables;
  std::string currentAlias;  // the table in use ("DTER"); empty when none
  ProcessMemory memory;
};

// Everything the report tells, gathered now for `error`.
ErrorReport gatherErrorReport(const Context& ctx, const ErrorObject& error, int colourDepth);

// The report's text (UTF-8, CR LF).
std::string errorLogText(const ErrorReport& r);

// Writes `text` as "Error.log" in `dir`; a failure is ignored (false).
bool writeErrorLog(const std::filesystem::path& dir, const std::string& text);

// "1,234,567": the number in full with thousands separators.
std::string withThousands(std::uint64_t n);

}  // namespace zrv
