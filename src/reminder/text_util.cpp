#include "reminder/text_util.h"

namespace zrv {

bool isBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string rtrimBlanks(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string trimBlanks(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return std::string();
  return rtrimBlanks(text.substr(begin));
}

std::size_t utf8PrefixBytes(std::string_view text, std::size_t count) {
  std::size_t bytes = 0;
  for (std::size_t chars = 0; bytes < text.size() && chars < count; ++chars) {
    ++bytes;
    // Continuation bytes (10xxxxxx) belong to the character just started.
    while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80)
      ++bytes;
  }
  return bytes;
}

std::string firstChars(std::string_view text, std::size_t count) {
  return std::string(text.substr(0, utf8PrefixBytes(text, count)));
}

std::string padLeft(int n, std::size_t width) {
  std::string s = std::to_string(n);
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

}  // namespace zrv
