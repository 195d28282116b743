#include "reminder/age_marker.h"

#include "reminder/text_util.h"

namespace zrv {

std::string makeAge(const std::string& text, const Date& appointmentDate) {
  const std::size_t marker = text.find(kAgeMarker);
  if (marker == std::string::npos) return text;
  int birthYear = 0;
  for (std::size_t i = marker + 1; i < text.size() && i <= marker + 4; ++i) {
    if (text[i] < '0' || text[i] > '9') break;
    birthYear = birthYear * 10 + (text[i] - '0');
  }
  const int age = appointmentDate.year() - birthYear;
  // The four characters after the marker are counted as characters, so that a non-ASCII
  // character among them is dropped whole.
  const std::string_view afterMarker = std::string_view(text).substr(marker + 1);
  const std::string_view rest = afterMarker.substr(utf8PrefixBytes(afterMarker, 4));
  return trimBlanks(text.substr(0, marker) + std::to_string(age) +
                    std::string(rest.substr(0, utf8PrefixBytes(rest, 255))));
}

}  // namespace zrv
