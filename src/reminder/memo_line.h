// The first line of an appointment text as the list, the alert and the logbook show it: the
// text laid out with word wrap at 79 characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zrv {

inline constexpr std::size_t kMemoLineWidth = 79;

// The first line of `text` wrapped at `width` characters (UTF-8 characters, not bytes): it ends
// at the first line break, or at the last blank that lets it fit, or after `width` characters
// when one word is longer than that. No padding is added.
std::string firstLine(std::string_view text, std::size_t width = kMemoLineWidth);

}  // namespace zrv
