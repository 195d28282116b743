// A user's appointment table is named after his surname: chkUmlaut turns "Vor- und Nachname"
// into a table name of at most 8 characters that is always a plain file name of the program
// directory.
#pragma once

#include <string>
#include <string_view>

namespace zrv {

// The table of a workstation whose user left his name empty.
inline constexpr const char* kDefaultUserFile = "ZORVANE";

// chkUmlaut: the name (UTF-8) trimmed and in upper case (lower-case umlauts too), Ä Ö Ü and ß
// spelt AE OE UE SS, its last word (the surname), without the characters a Windows file name
// cannot hold (\ / : * ? " < > | and control characters), cut to its first 8 characters.
// "ZORVANE" when nothing is left, or only "." or "..".
std::string chkUmlaut(std::string_view name);

// Whether a table name read from the user registry (written anywhere) is a plain file name of
// the program directory: not empty, no character chkUmlaut drops, not "." or "..".
bool plainUserFile(std::string_view file);

}  // namespace zrv
