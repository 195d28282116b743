// Fixed-shape input such as "99:99" or "99.99.9999": each '9' takes one digit, every other
// character stands fixed in its place. Typing overwrites and steps over the fixed characters;
// typing a fixed character ends its group ("9:30" gives "09:30"); deleting blanks a digit place
// without moving the rest.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zrv {

class InputPattern {
 public:
  // The text after an edit and where the cursor stands.
  struct Edit {
    std::string text;
    size_t cursor;
  };

  explicit InputPattern(std::string pattern) : pattern_(std::move(pattern)) {}

  const std::string& pattern() const { return pattern_; }
  size_t size() const { return pattern_.size(); }
  bool isSlot(size_t pos) const { return pos < pattern_.size() && pattern_[pos] == '9'; }
  // The first digit place at or after `pos`; size() when there is none.
  size_t slotAtOrAfter(size_t pos) const;
  // The pattern with blank digit places: "  :  ".
  std::string blank() const;
  // `text` brought into the shape place by place: digits stay, fixed characters are put in,
  // anything else becomes a blank.
  std::string fit(std::string_view text) const;

  // A typed character with the cursor at `cursor`. A digit fills the next digit place. The next
  // fixed character ends the group before it: the digits typed into the group so far stand
  // right-aligned, led by zeros, and the cursor goes past it (typed right after it, it changes
  // nothing). Anything else is refused.
  std::optional<Edit> type(std::string_view text, size_t cursor, char c) const;
  // Backspace: blanks the digit place before the cursor and moves there.
  Edit backspace(std::string_view text, size_t cursor) const;
  // Blanks the digit places in [from, to); the cursor goes to `from`.
  Edit erase(std::string_view text, size_t from, size_t to) const;
  // The digits of `clip` fill the digit places from the cursor on; other characters are dropped.
  Edit paste(std::string_view text, size_t cursor, std::string_view clip) const;

  // An edit the toolkit made by itself (a typed key, a paste, a drop, a cut) that turned the
  // shaped text `before` into `after`; `insertAt` is where the cursor stood for it. The removed
  // places are blanked and the inserted characters typed from there; `refused` tells whether
  // any of them was dropped.
  struct Absorbed {
    Edit edit;
    bool refused = false;
  };
  Absorbed absorb(std::string_view before, std::string_view after, size_t insertAt) const;

 private:
  std::optional<Edit> separator(std::string out, size_t cursor, char c) const;

  std::string pattern_;
};

}  // namespace zrv
