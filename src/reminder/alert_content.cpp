#include "reminder/alert_content.h"

#include <string>

#include "app/context.h"
#include "reminder/age_marker.h"
#include "reminder/appointment_kinds.h"
#include "reminder/finished.h"
#include "reminder/recurrence.h"
#include "reminder/repetition.h"
#include "reminder/text_util.h"

namespace zrv {

std::string alertTitle(int mode, int warnMin) {
  if (mode == kAlertMissed) return "Verpaßter Termin";
  std::string title = "Aktueller Termin";
  if (warnMin > 0)
    title += " in " + std::to_string(warnMin) + (warnMin == 1 ? " Minute" : " Minuten");
  return title;
}

AlertContent buildAlertContent(const Appointment& a, int mode, const Context& ctx) {
  AlertContent c;
  c.mode = mode;
  c.title = alertTitle(mode, a.WARNMIN);
  c.date = a.DATE.toDisplay();
  c.time = a.TIMEVON.substr(0, 5);
  c.kindText = kindText(ctx.lists, a.TERMINART);
  c.kindCode = rtrimBlanks(a.TERMINART);
  c.repetitionText = makeVorlTxt(a);
  // An overdue series says how many of its occurrences passed unseen; "&Gelesen" skips them.
  const int missed = missedOccurrences(a, ctx.clock);
  if (missed > 0) {
    c.repetitionText += " - " + std::to_string(missed) +
                        (missed == 1 ? " Wiederholung verpasst" : " Wiederholungen verpasst");
  }
  c.text = makeAge(a.TEXT, a.DATE);
  // A repeating appointment on its last occurrence is finished like a once-only one, so its
  // button says so.
  c.repeating = a.VORLAGE > kOnce && !isFinished(a, ctx.settings.LS_VWORIG, ctx.log);
  c.autoEnabled = ctx.settings.NS_AUTOMIN > 0;
  return c;
}

}  // namespace zrv
