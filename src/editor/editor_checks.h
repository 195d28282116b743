// The checks the editor makes before it saves: a real date whose trigger and default end date
// stay within the calendar, a real time of day, and a number of minutes that fits the record's
// field. Each problem comes with the German message for the
// user and the field that keeps the focus.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "store/base/date.h"

namespace zrv {

struct EditorValues;

enum class EditorField { Date, Time, LeadTime, NotAfter };

struct EditorProblem {
  EditorField field;
  std::string message;
};

// A date typed as "dd.mm.yyyy" (blanks count as missing digits; the year needs all four);
// nullopt when it names no real day ("31.02.2026").
std::optional<Date> typedDate(const std::string& typed);
// A time typed as "HH:MM" written with two digits each; nullopt outside 00:00 .. 23:59.
std::optional<std::string> typedTime(const std::string& typed);
// The number in a field of digits and blanks; a blank field is 0, anything else nullopt.
std::optional<int> typedNumber(const std::string& typed);

// The first problem of the values, in the order of the fields; nullopt when all are sound.
std::optional<EditorProblem> checkEditorValues(const EditorValues& v);

inline constexpr int kMaxNotAfter = 999;  // NICHTMEHR holds three digits

// Widths of the text fields in characters: the table cuts longer texts, which would leave a
// path that names nothing.
inline constexpr std::size_t kEmailWidth = 50, kProgramWidth = 255, kParamsWidth = 100,
                             kAlarmFileWidth = 100;
// Whether `text` (UTF-8) fits into a field of `width` characters.
bool fitsField(const std::string& text, std::size_t width);
// The message for a chosen path longer than its field.
std::string tooLongMessage(std::size_t width);

}  // namespace zrv
