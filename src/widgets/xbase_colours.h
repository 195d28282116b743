// The classic xBase colour letters ("N", "B", "G", "BG", "R", "RB", "GR", "W", with "+" or "*"
// for the bright variant) and colour pairs such as "N*/W" (foreground/background), as wx colours.
#pragma once

#include <optional>
#include <string_view>

#include <wx/colour.h>

namespace zrv {

struct ColourPair {
  wxColour fore;
  wxColour back;
};

// One colour such as "GR+" or "w*"; letters in any order and case. nullopt when unreadable.
std::optional<wxColour> xbaseColour(std::string_view letters);
// "fore/back"; a missing back part gives white. nullopt when either part is unreadable.
std::optional<ColourPair> xbaseColours(std::string_view letters);

}  // namespace zrv
