#include "editor/editor_values.h"

#include "app/context.h"
#include "reminder/appointment_kinds.h"
#include "reminder/recurrence.h"
#include "reminder/text_util.h"

namespace zrv {

EditorValues newAppointmentValues(const Date& today, const std::string& now,
                                  const std::string& startText, int notAfterDefault,
                                  const std::string& defaultSound) {
  EditorValues v;
  v.date = today;
  v.time = now.substr(0, 5);
  v.leadTime = "0";
  v.rep.end = today;
  v.text = startText;
  v.notAfter = std::to_string(notAfterDefault);
  v.alarmFile = defaultSound;
  return v;
}

EditorValues valuesOf(const Appointment& a, const FixedLists& lists) {
  EditorValues v;
  v.date = a.DATE;
  v.time = a.TIMEVON.substr(0, 5);
  v.leadTime = std::to_string(a.WARNMIN);
  v.kind = kindPosition(lists, a.TERMINART);
  const bool knownKind = a.VORLAGE >= 1 && a.VORLAGE <= static_cast<int>(lists.AVORLAGE.size());
  v.recurrence = knownKind ? a.VORLAGE : kOnce;
  v.rep = repetitionOf(a);
  v.repetitionText = makeVorlTxt(a.VORLAGE, repetitionOf(a));
  v.email = rtrimBlanks(a.EMAIL);
  v.text = shownLines(a.TEXT);
  v.program = rtrimBlanks(a.PROGSTART);
  v.params = rtrimBlanks(a.PROGPARAM);
  v.file = rtrimBlanks(a.PROGSTART);
  v.notAfter = std::to_string(a.NICHTMEHR);
  v.alarmFile = rtrimBlanks(a.ALARMFILE);
  v.filed = a.QUIT;
  v.vorlNach = a.VORLNACH;
  v.alarm = a.ALARM;
  return v;
}

std::string shownLines(const std::string& stored) {
  std::string shown;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '\r') {
      shown += '\n';
      if (i + 1 < stored.size() && stored[i + 1] == '\n') ++i;
    } else {
      shown += stored[i];
    }
  }
  return shown;
}

std::string storedLines(const std::string& shown) {
  std::string stored;
  for (char c : shownLines(shown)) {
    if (c == '\n') stored += '\r';
    stored += c;
  }
  return stored;
}

std::string kindCode(const FixedLists& lists, int kind) {
  if (kind < 1 || kind > static_cast<int>(lists.AT_TART.size())) return "";
  return lists.AT_TART[static_cast<std::size_t>(kind) - 1];
}

TextMode textModeOf(const FixedLists& lists, int kind) {
  const std::string code = kindCode(lists, kind);
  if (code == kKindProgramStart) return TextMode::Program;
  if (code == kKindFileDispatch) return TextMode::File;
  return TextMode::Plain;
}

TextMode zrvMist(EditorValues& v, const FixedLists& lists) {
  const TextMode mode = textModeOf(lists, v.kind);
  if (v.kind == v.shownKind) return mode;
  if (mode == TextMode::File) {
    v.program.clear();
    if (v.text.empty()) v.text = "Dateiversand";
  } else if (mode == TextMode::Program) {
    v.file.clear();
    if (v.text.empty()) v.text = "Programmstart";
  }
  v.shownKind = v.kind;
  return mode;
}

TextMode changeKind(EditorValues& v, const FixedLists& lists, int kind,
                    const std::function<std::string(int)>& defaultSound) {
  v.kind = kind;
  if (defaultSound) v.alarmFile = defaultSound(kind);
  return zrvMist(v, lists);
}

void resetRepetition(EditorValues& v) {
  makeRepDate(v.date, v.recurrence, v.rep);
  // The default day of month would move a monthly appointment to the first of each month.
  if (v.recurrence == kMonthly && !v.date.empty()) v.rep.monthDay = v.date.day();
}

void rebuildRepetitionText(EditorValues& v) {
  v.repetitionText = makeVorlTxt(v.recurrence, v.rep);
}

}  // namespace zrv
