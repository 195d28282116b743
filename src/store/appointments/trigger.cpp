#include "store/appointments/trigger.h"

#include "store/base/date_time.h"

namespace zrv {

TriggerTime TriggerTime::of(const Date& date, std::string_view time) {
  const std::string text(time);
  return {date, timeHours(text) * 60 + timeMinutes(text)};
}

TriggerTime TriggerTime::at(const Moment& moment) {
  return {moment.date, moment.secondsOfDay / 60};
}

void applyTriggerRule(Appointment& a, Logbook& log) {
  Date date = a.DATE;
  std::string time = a.TIME;
  // An appointment that starts a program is due at its own time; the lead time only warns.
  if (a.PROGSTART.find_first_not_of(' ') == std::string::npos) subMin(date, time, a.WARNMIN, log);
  a.TDATE = date;
  a.TTIME = time.substr(0, 5);
}

}  // namespace zrv
