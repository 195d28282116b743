// The versions an update check compares: the program's own, taken from its release title, and
// the one the maker publishes in the version file. Both are seven characters shaped as
// "2.00.65" (a digit, a dot, two digits, a dot, two digits), so that they compare as texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zrv {

// The seven characters after the "v" that introduces the version number in `release`
// ("QLS Zorvane v2.00.65" gives "2.00.65"); "" when there is none.
std::string ownVersion(std::string_view release);

// The published version in the text of a version file: of the 24 characters from the tag
// "<Program_Version>" (from the text's start when the tag is missing), the 7 after the first
// ">". Nothing unless they are shaped like a version: a page without the tag (a wrong server,
// a portal's login page) publishes nothing.
std::optional<std::string> publishedVersion(std::string_view text);

// Whether `published` is newer than `own`: both shaped like a version, compared character by
// character (2.01.00 is newer than 2.00.65; a version is not newer than itself).
bool isNewer(std::string_view published, std::string_view own);

}  // namespace zrv
