// The checks the editor makes before it saves: a real date whose trigger and default end date
// stay within the calendar, a real time of day, and a number of minutes that fits the record's
// field. Each problem comes with the German message for the
// user and the field that keeps the focus.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "reminder/typed_input.h"
#include "store/base/date.h"

namespace zrv {

struct EditorValues;

enum class EditorField { Date, Time, LeadTime, NotAfter };

struct EditorProblem {
  EditorField field;
  std::string message;
};

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
