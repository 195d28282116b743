#include "editor/editor_checks.h"

#include "editor/editor_values.h"
#include "reminder/recurrence.h"

namespace zrv {
namespace {

// The calendar ends with the years 1 and 9999: the trigger (the time less a lead time of less
// than a day, so at most one day earlier) and the end date a repeating kind sets by default
// must still lie within them.
std::optional<EditorProblem> calendarProblem(const EditorValues& v, const std::string& time,
                                             int lead) {
  const int minuteOfDay =
      (time[0] - '0') * 600 + (time[1] - '0') * 60 + (time[3] - '0') * 10 + (time[4] - '0');
  if (lead > minuteOfDay && (v.date - 1).empty()) {
    return EditorProblem{EditorField::Date,
                         "Mit dieser Vorwarnzeit läge die Erinnerung vor dem 01.01.0001. Bitte "
                         "ein späteres Datum eingeben !"};
  }
  RepetitionValues defaults;
  if (v.recurrence > kOnce && v.recurrence <= kYearly &&
      makeRepDate(v.date, v.recurrence, defaults).empty()) {
    return EditorProblem{EditorField::Date,
                         "Das Enddatum der Wiedervorlage läge nach dem 31.12.9999. Bitte ein "
                         "früheres Datum eingeben !"};
  }
  return std::nullopt;
}

}  // namespace

bool fitsField(const std::string& text, std::size_t width) {
  std::size_t chars = 0;
  for (unsigned char c : text)
    chars += (c & 0xC0) != 0x80 ? 1 : 0;
  return chars <= width;
}

std::string tooLongMessage(std::size_t width) {
  return "Der Pfad ist zu lang: höchstens " + std::to_string(width) + " Zeichen !";
}

std::optional<EditorProblem> checkEditorValues(const EditorValues& v) {
  if (v.date.empty()) {
    return EditorProblem{EditorField::Date, kInvalidDateMessage};
  }
  const auto time = typedTime(v.time);
  if (!time) {
    return EditorProblem{EditorField::Time, "Bitte eine gültige Uhrzeit eingeben (hh:mm) !"};
  }
  const auto lead = typedNumber(v.leadTime);
  if (!lead || *lead > 999) {
    return EditorProblem{EditorField::LeadTime,
                         "Bitte eine Vorwarnzeit von 0 bis 999 Minuten eingeben !"};
  }
  const auto notAfter = typedNumber(v.notAfter);
  if (!notAfter || *notAfter > kMaxNotAfter) {
    return EditorProblem{EditorField::NotAfter,
                         "Ein verpaßter Termin kann höchstens 999 Minuten nach seiner Zeit "
                         "noch vorgelegt werden. Bitte einen Wert von 0 bis 999 eingeben !"};
  }
  return calendarProblem(v, *time, *lead);
}

}  // namespace zrv
