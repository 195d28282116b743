#include "editor/editor_checks.h"

#include <cctype>

#include "editor/editor_values.h"
#include "reminder/recurrence.h"

namespace zrv {
namespace {

// Digits with blanks anywhere; nullopt without a digit or with anything else.
std::optional<int> digits(const std::string& part) {
  int value = 0;
  bool any = false;
  for (char c : part) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      if (value > 99999) return std::nullopt;
      value = value * 10 + (c - '0');
      any = true;
    } else if (c != ' ') {
      return std::nullopt;
    }
  }
  return any ? std::optional<int>(value) : std::nullopt;
}

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

std::optional<Date> typedDate(const std::string& typed) {
  if (typed.size() != 10 || typed[2] != '.' || typed[5] != '.') return std::nullopt;
  const std::string yearText = typed.substr(6, 4);
  if (yearText.find(' ') != std::string::npos) return std::nullopt;
  const auto day = digits(typed.substr(0, 2));
  const auto month = digits(typed.substr(3, 2));
  const auto year = digits(yearText);
  if (!day || !month || !year) return std::nullopt;
  return Date::fromYmd(*year, *month, *day);
}

std::optional<std::string> typedTime(const std::string& typed) {
  if (typed.size() != 5 || typed[2] != ':') return std::nullopt;
  const auto hours = digits(typed.substr(0, 2));
  const auto minutes = digits(typed.substr(3, 2));
  if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
  auto two = [](int n) {
    return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
  };
  return two(*hours) + ":" + two(*minutes);
}

std::optional<int> typedNumber(const std::string& typed) {
  if (typed.find_first_not_of(' ') == std::string::npos) return 0;
  return digits(typed);
}

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
    return EditorProblem{EditorField::Date, "Bitte ein gültiges Datum eingeben (TT.MM.JJJJ) !"};
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
