#include "reminder/finished.h"

#include <string>

#include "reminder/recurrence.h"
#include "store/base/logbook.h"

namespace zrv {

bool isFinished(const Appointment& a, bool LS_VWORIG, Logbook& log) {
  if (a.VORLAGE < kOnce || a.VORLAGE > kYearly) {
    log.log("GenTermin", "Unbekannte Wiederholung " + std::to_string(a.VORLAGE) +
                             " - Termin wird wie ein einmaliger beendet");
    return true;
  }
  if (a.VORLAGE == kOnce) {
    return !(LS_VWORIG && a.TIME.substr(0, 5) != a.TIMEVON.substr(0, 5));
  }
  if (a.REPDATE.empty()) return false;
  return nextOccurrence(a, log).DATE > a.REPDATE;
}

}  // namespace zrv
