#include "remote/cli_output.h"

#include <cstdio>

#include "app/context.h"
#include "reminder/appointment_kinds.h"
#include "reminder/memo_line.h"
#include "reminder/recurrence.h"
#include "reminder/text_util.h"
#include "remote/json.h"
#include "store/base/date_time.h"

namespace zrv {
namespace {

std::string iso(const Date& d) {
  if (d.empty()) return "";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year(), d.month(), d.day());
  return buf;
}

std::string repeatName(const Appointment& a, const FixedLists& lists) {
  if (a.VORLAGE < 1 || a.VORLAGE > static_cast<int>(lists.AVORLAGE.size())) return "einmal";
  return lists.AVORLAGE[static_cast<std::size_t>(a.VORLAGE) - 1];
}

std::string weekdayShort(const Date& d) {
  static const char* const kDays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  return d.empty() ? "  " : kDays[d.dow() - 1];
}

}  // namespace

Json appointmentJson(const ShownAppointment& s, const FixedLists& lists) {
  const Appointment& a = s.a;
  Json j = Json::object();
  j.set("nr", static_cast<long>(s.recno));
  j.set("date", iso(a.DATE)).set("time", a.TIME.substr(0, 5));
  j.set("trigger_date", iso(a.TDATE)).set("trigger_time", a.TTIME.substr(0, 5));
  j.set("title", firstLine(a.TEXT));
  std::string text;
  for (char c : a.TEXT) {
    if (c != '\r') text += c;
  }
  j.set("text", text);
  j.set("kind", kindText(lists, rtrimBlanks(a.TERMINART)));
  j.set("kind_code", rtrimBlanks(a.TERMINART));
  j.set("repeat", repeatName(a, lists));
  j.set("until", iso(a.REPDATE));
  j.set("lead", a.WARNMIN);
  j.set("filed", a.QUIT);
  return j;
}

std::string appointmentLine(const ShownAppointment& s, const FixedLists& lists) {
  const Appointment& a = s.a;
  char head[64];
  std::snprintf(head, sizeof head, "%6u  %s %s  %s  ", s.recno, weekdayShort(a.DATE).c_str(),
                a.DATE.toDisplay().c_str(), a.TIME.substr(0, 5).c_str());
  std::string line = head + firstLine(a.TEXT) + "  [" + kindText(lists, rtrimBlanks(a.TERMINART));
  if (a.VORLAGE != kOnce) line += ", " + repeatName(a, lists);
  if (a.WARNMIN > 0) line += ", " + std::to_string(a.WARNMIN) + " min vorher";
  if (a.QUIT) line += ", abgelegt";
  return line + "]";
}

}  // namespace zrv
