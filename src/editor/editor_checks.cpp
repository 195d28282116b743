#include "editor/editor_checks.h"

#include "editor/editor_values.h"

namespace zrv {

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
  if (!typedTime(v.time)) {
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
  return std::nullopt;
}

}  // namespace zrv
