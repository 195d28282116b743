// The command line's arguments: which command, with which options, checked for form (a known
// command, values where they are needed, dates as TT.MM.JJJJ). What the values mean for an
// appointment is checked later by the editor's rules.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "remote/cli_request.h"

namespace zrv {

struct FixedLists;

struct ParsedArguments {
  CliRequest request;
  std::string error;  // German, "" when the arguments are sound
};

// `args` without the program name. Relative file names are made absolute against `workingDir`,
// since the running program works in its own directory.
ParsedArguments parseArguments(const std::vector<std::string>& args, const FixedLists& lists,
                               const std::filesystem::path& workingDir);

// The help text: German, or English when `english`.
std::string helpText(bool english);
// Whether the help is to be English: the locale's language (LC_ALL, LC_MESSAGES, LANG in this
// order, the first one set) is not German.
bool helpInEnglish(const char* lcAll, const char* lcMessages, const char* lang);

// The weekday mask (Sunday first) of "Mo,Di,..."; "" when a name is unknown.
std::string weekdayMaskOf(const std::string& names);
// The month mask (January first) of "1,3,..."; "" when a number is not 1..12.
std::string monthMaskOf(const std::string& numbers);

}  // namespace zrv
