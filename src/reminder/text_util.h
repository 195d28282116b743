// Small text helpers of the reminder rules: blanks as the tables pad them, and counting UTF-8
// characters where a rule counts characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zrv {

// True when the text holds nothing but blanks (a padded, unfilled field).
bool isBlank(std::string_view text);
// Without trailing blanks.
std::string rtrimBlanks(std::string_view text);
// Without leading and trailing blanks.
std::string trimBlanks(std::string_view text);
// The byte length of the first `count` characters of a UTF-8 text (the whole text when shorter).
std::size_t utf8PrefixBytes(std::string_view text, std::size_t count);
// The first `count` characters of a UTF-8 text.
std::string firstChars(std::string_view text, std::size_t count);
// A number right-aligned in `width` places (wider numbers in full).
std::string padLeft(int n, std::size_t width);

}  // namespace zrv
