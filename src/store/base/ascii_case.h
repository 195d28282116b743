// Upper and lower case of the ASCII letters alone, and text compared without regard to their
// case, whatever locale the C library is set to: names of files, fields, index expressions,
// settings and pictures. Every other byte (an umlaut in Windows-1252 or UTF-8) stays as it is.
#pragma once

#include <string>
#include <string_view>

namespace zrv {

constexpr char asciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string asciiUpper(std::string_view s);
std::string asciiLower(std::string_view s);

// Whether `a` and `b` are the same text but for the case of ASCII letters.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zrv
