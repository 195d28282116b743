#include "reminder/week_overview.h"

#include "reminder/age_marker.h"
#include "reminder/memo_line.h"
#include "reminder/text_util.h"
#include "store/appointments/appointment_table.h"

namespace zrv {

Date weekStart(const Date& today) {
  if (today.dow() == 1) return today - 6;
  return today - today.dow() + 2;
}

std::array<std::string, kDaysOfWeek> dayCaptions(const Date& monday) {
  static constexpr const char* kNames[kDaysOfWeek] = {"Montag (",      "Dienstag (", "Mittwoch (",
                                                      "Donnerstag  (", "Freitag (",  "Samstag (",
                                                      "Sonntag ("};
  std::array<std::string, kDaysOfWeek> captions;
  for (int i = 0; i < kDaysOfWeek; ++i) {
    captions[i] = std::string(kNames[i]) + (monday + i).toDisplay().substr(0, 6) + ")";
  }
  return captions;
}

std::string weekLine(const std::string& timeVon, const std::string& text, const Date& date,
                     int weekShow) {
  std::string shown;
  if (weekShow == 1) {
    shown = firstLine(text, 35);
  } else if (weekShow == 2) {
    shown = firstLine(text);
  } else {
    shown = text;
  }
  return " " + timeVon.substr(0, 5) + " - " + rtrimBlanks(makeAge(shown, date)) + "\r\n";
}

WeekTexts collectWeekTexts(AppointmentTable& table, const Date& monday, int weekShow) {
  WeekTexts out;
  const Date sunday = monday + (kDaysOfWeek - 1);
  const auto recnos = table.orderRecnos();
  out.status = recnos.status();
  for (const std::uint32_t recno : recnos ? *recnos : std::vector<std::uint32_t>{}) {
    const Result<Appointment> a = table.readAt(recno);
    if (!a) {
      out.status = a.status();
      break;
    }
    if (!a->DATE.empty() && a->DATE >= monday && a->DATE <= sunday) {
      out.days[static_cast<std::size_t>(a->DATE - monday)] +=
          weekLine(a->TIMEVON, a->TEXT, a->DATE, weekShow);
    }
  }
  if (Status s = table.goTop(); out.status && !s) out.status = s;
  return out;
}

WeekLayout weekLayout(int height, int width) {
  const double a = (height - 66) / 6.0 - 1;
  const double b = width / 4.0 - 3;
  const double right = 2 * b + 5;
  const double split = 3 * a + 4 - a / 2;  // Saturday above, Sunday below
  WeekLayout l;
  l.frames = {{
      {0, 0, a, b},
      {a + 2, 0, 2 * a + 2, b},
      {2 * a + 4, 0, 3 * a + 4, b},
      {0, b + 5, a, right},
      {a + 2, b + 5, 2 * a + 2, right},
      {2 * a + 4, b + 5, split, right},
      {split + 2, b + 5, 3 * a + 4, right},
  }};
  const UnitBox& monday = l.frames[0];
  l.textWidth = monday.right - monday.left - 5;
  const double weekday = monday.bottom + monday.top - 10;
  l.textHeights = {weekday,
                   weekday,
                   weekday,
                   weekday,
                   weekday,
                   (monday.bottom + monday.top) / 2 - 10,
                   (monday.bottom + monday.top) / 2 - 12};
  return l;
}

}  // namespace zrv
