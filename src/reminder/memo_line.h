// An appointment text laid out in lines with word wrap: its first line as the list, the alert
// and the logbook show it (79 characters), and all of its lines as the printouts show them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zrv {

inline constexpr std::size_t kMemoLineWidth = 79;

// The first line of `text` wrapped at `width` characters (UTF-8 characters, not bytes): it ends
// at the first line break, or at the last blank that lets it fit, or after `width` characters
// when one word is longer than that. No padding is added.
std::string firstLine(std::string_view text, std::size_t width = kMemoLineWidth);

// Every line of `text` by the same rules: each paragraph (ended by a line break) wrapped at
// `width` characters, the blanks at a wrap dropped; an empty paragraph is an empty line, a break
// at the very end adds none. Tabs stay as they are. An empty text is one empty line.
std::vector<std::string> memoLines(std::string_view text, std::size_t width);

}  // namespace zrv
