// The appointment kinds: the kind text for a stored kind code, and the codes whose appointments
// carry side actions.
#pragma once

#include <string>

namespace zrv {

struct FixedLists;

inline constexpr const char* kKindProgramStart = "TA20";  // "Programmstart": starts PROGSTART
inline constexpr const char* kKindFileDispatch = "TA22";  // "Dateiversand": mails PROGSTART
inline constexpr const char* kNoKindText = "Keine Zuordnung";

// 1-based position of the kind whose code equals `code` without trailing blanks; 1 (the first
// kind, "Keine Zuordnung") for an empty or unknown code.
int kindPosition(const FixedLists& lists, const std::string& code);
// The kind text for a stored code; the first kind's text for an empty or unknown code.
std::string kindText(const FixedLists& lists, const std::string& code);

}  // namespace zrv
