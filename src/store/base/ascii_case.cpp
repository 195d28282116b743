#include "store/base/ascii_case.h"

#include <algorithm>

namespace zrv {

std::string asciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    c = asciiUpper(c);
  return out;
}

std::string asciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    c = asciiLower(c);
  return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return asciiLower(x) == asciiLower(y);
         });
}

}  // namespace zrv
