#include "widgets/xbase_colours.h"

#include "store/base/ascii_case.h"

namespace zrv {
namespace {

// The sixteen colours of the classic text-mode palette, normal and bright.
struct Rgb {
  unsigned char r, g, b;
};
constexpr Rgb kNormal[8] = {{0, 0, 0},   {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                            {128, 0, 0}, {128, 0, 128}, {128, 128, 0}, {192, 192, 192}};
constexpr Rgb kBright[8] = {{128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                            {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};

std::string_view trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ')
    s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ')
    s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<wxColour> xbaseColour(std::string_view letters) {
  // Bits: blue 1, green 2, red 4, as the letters combine them; N alone is black.
  int bits = 0;
  bool bright = false;
  bool any = false;
  for (char c : trim(letters)) {
    switch (asciiUpper(c)) {
      case 'N':
        any = true;
        break;
      case 'B':
        bits |= 1;
        any = true;
        break;
      case 'G':
        bits |= 2;
        any = true;
        break;
      case 'R':
        bits |= 4;
        any = true;
        break;
      case 'W':
        bits |= 7;
        any = true;
        break;
      case 'Y':
        bits |= 6;
        bright = true;
        any = true;
        break;  // yellow is bright brown
      case '+':
      case '*':
        bright = true;
        break;
      default:
        return std::nullopt;
    }
  }
  if (!any) return std::nullopt;
  const Rgb c = bright ? kBright[bits] : kNormal[bits];
  return wxColour(c.r, c.g, c.b);
}

std::optional<ColourPair> xbaseColours(std::string_view letters) {
  const auto slash = letters.find('/');
  const auto fore = xbaseColour(letters.substr(0, slash));
  if (!fore) return std::nullopt;
  if (slash == std::string_view::npos) return ColourPair{*fore, wxColour(255, 255, 255)};
  const auto back = xbaseColour(letters.substr(slash + 1));
  if (!back) return std::nullopt;
  return ColourPair{*fore, *back};
}

}  // namespace zrv
