#include "widgets/input_pattern.h"

#include <algorithm>
#include <cctype>

namespace zrv {
namespace {

bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

size_t InputPattern::slotAtOrAfter(size_t pos) const {
  while (pos < pattern_.size() && !isSlot(pos))
    ++pos;
  return pos;
}

std::string InputPattern::blank() const {
  return fit("");
}

std::string InputPattern::fit(std::string_view text) const {
  std::string out(pattern_.size(), ' ');
  for (size_t i = 0; i < pattern_.size(); ++i) {
    if (!isSlot(i)) {
      out[i] = pattern_[i];
    } else if (i < text.size() && isDigit(text[i])) {
      out[i] = text[i];
    }
  }
  return out;
}

std::optional<InputPattern::Edit> InputPattern::type(std::string_view text, size_t cursor,
                                                     char c) const {
  std::string out = fit(text);
  cursor = std::min(cursor, pattern_.size());
  if (!isDigit(c)) return separator(std::move(out), cursor, c);
  const size_t slot = slotAtOrAfter(cursor);
  if (slot >= pattern_.size()) return std::nullopt;
  out[slot] = c;
  return Edit{out, slotAtOrAfter(slot + 1)};
}

std::optional<InputPattern::Edit> InputPattern::separator(std::string out, size_t cursor,
                                                          char c) const {
  // Right after that very character (the digits before it filled their places): nothing to do.
  if (cursor > 0 && !isSlot(cursor - 1) && pattern_[cursor - 1] == c) return Edit{out, cursor};
  size_t end = cursor;
  while (end < pattern_.size() && isSlot(end))
    ++end;
  if (end >= pattern_.size() || pattern_[end] != c) return std::nullopt;
  size_t start = end;
  while (start > 0 && isSlot(start - 1))
    --start;
  // The group's digits typed before the cursor stand right-aligned, led by zeros: "9:" is "09:".
  std::string digits;
  for (size_t i = start; i < cursor; ++i) {
    if (isDigit(out[i])) digits += out[i];
  }
  if (!digits.empty()) {
    digits.insert(0, end - start - digits.size(), '0');
    out.replace(start, end - start, digits);
  }
  return Edit{out, slotAtOrAfter(end + 1)};
}

InputPattern::Edit InputPattern::backspace(std::string_view text, size_t cursor) const {
  std::string out = fit(text);
  size_t pos = std::min(cursor, pattern_.size());
  while (pos > 0) {
    --pos;
    if (isSlot(pos)) {
      out[pos] = ' ';
      return Edit{out, pos};
    }
  }
  return Edit{out, slotAtOrAfter(0)};
}

InputPattern::Edit InputPattern::erase(std::string_view text, size_t from, size_t to) const {
  std::string out = fit(text);
  for (size_t i = from; i < to && i < pattern_.size(); ++i) {
    if (isSlot(i)) out[i] = ' ';
  }
  return Edit{out, std::min(from, pattern_.size())};
}

InputPattern::Edit InputPattern::paste(std::string_view text, size_t cursor,
                                       std::string_view clip) const {
  std::string out = fit(text);
  size_t slot = slotAtOrAfter(cursor);
  for (char c : clip) {
    if (slot >= pattern_.size()) break;
    if (!isDigit(c)) continue;
    out[slot] = c;
    slot = slotAtOrAfter(slot + 1);
  }
  return Edit{out, slot};
}

InputPattern::Absorbed InputPattern::absorb(std::string_view before, std::string_view after,
                                            size_t insertAt) const {
  // Where the change starts and how much stayed unchanged at the end.
  size_t start = 0, tail = 0;
  const bool pureInsert =
      after.size() > before.size() && insertAt <= before.size() &&
      after.substr(0, insertAt) == before.substr(0, insertAt) &&
      after.substr(insertAt + after.size() - before.size()) == before.substr(insertAt);
  if (pureInsert) {
    start = insertAt;
    tail = before.size() - insertAt;
  } else {
    while (start < before.size() && start < after.size() && before[start] == after[start]) {
      ++start;
    }
    while (tail < before.size() - start && tail < after.size() - start &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
      ++tail;
    }
  }
  Absorbed result{erase(before, start, before.size() - tail), false};
  for (char c : after.substr(start, after.size() - tail - start)) {
    if (auto typed = type(result.edit.text, result.edit.cursor, c)) {
      result.edit = std::move(*typed);
    } else if (c != '9' && pattern_.find(c) != std::string::npos) {
      // A fixed character of the pattern (the colon of a pasted time): already in place.
    } else {
      result.refused = true;
    }
  }
  return result;
}

}  // namespace zrv
