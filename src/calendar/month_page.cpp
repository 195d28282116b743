#include "calendar/month_page.h"

#include "reminder/age_marker.h"
#include "reminder/text_util.h"
#include "store/base/date_time.h"

namespace zrv {
namespace {

std::string longDate(const Date& d) {
  return qlCDow(d) + ", " + std::to_string(d.day()) + ". " + germanMonth(d.month()) + " " +
         padLeft(d.year(), 5);
}

// The bitmap and tooltip by the day's kind alone, before its appointments are looked at.
void markDay(CalendarCell& cell, const Date& d, const PageInputs& in) {
  const int h = in.holidays ? qlScan(*in.holidays, d) : 0;
  const Holiday* holiday = h ? &(*in.holidays)[static_cast<std::size_t>(h - 1)] : nullptr;
  const bool isToday = d == in.today;
  if (holiday && isToday) {
    cell.bitmap = holiday->kind == kPublicHoliday ? "KHeuFei" : "KHeuFei2";
    cell.tooltip = holiday->name;
  } else if (isToday) {
    cell.bitmap = "KHeute";
    cell.tooltip = "Heute";
  } else if (d == in.preset) {
    cell.bitmap = "KVorgabe";
    cell.tooltip = "aktuelles Termindatum";
  } else if (!holiday) {
    cell.bitmap = "KDatum";
    cell.tooltip = longDate(d);
  } else {
    cell.bitmap = holiday->kind == kPublicHoliday ? "KFeier" : "KFeier2";
    cell.tooltip = holiday->name;
  }
}

void markAppointments(CalendarCell& cell, const Date& d, const PageInputs& in) {
  const int found = in.appointments ? qlScan(*in.appointments, d) : 0;
  if (!found) return;
  cell.bitmap = "KPrivat";
  cell.tooltip = makeAge((*in.appointments)[static_cast<std::size_t>(found - 1)].text, d);
  if (d == in.preset) {
    cell.bitmap = "KVorgabe";
    cell.tooltip = "Heute / Termindatum";
  }
}

}  // namespace

DayNumbers makeKalen(const Date& date) {
  DayNumbers days{};
  if (date.empty()) return days;
  const Date first = *Date::fromYmd(date.year(), date.month(), 1);
  int offset = first.dow() - 1;  // Sunday 1 .. Saturday 7 -> Monday 1 .. Sunday 7
  if (offset == 0) offset = 7;
  const int last = lastDom(date);
  for (int n = 1; n <= last; ++n)
    days[static_cast<std::size_t>(offset + n - 2)] = n;
  return days;
}

MonthPage showKalen(const Date& date, const DayNumbers& days, const PageInputs& in) {
  MonthPage page;
  if (date.empty()) return page;
  page.title =
      germanMonth(date.month()) + " " + padLeft(date.year(), 4) + (isLeep(date) ? " +" : "");
  for (int k = 1; k <= kCalendarCells; ++k) {
    CalendarCell& cell = page.cells[static_cast<std::size_t>(k - 1)];
    cell.day = days[static_cast<std::size_t>(k - 1)];
    if (cell.day == 0) {
      cell.bitmap = "KAussen";
      continue;
    }
    const Date d = *Date::fromYmd(date.year(), date.month(), cell.day);
    markDay(cell, d, in);
    markAppointments(cell, d, in);
    // Each row shows the week of its last day inside the month.
    const int row = k % 7 == 0 ? k / 7 : k / 7 + 1;
    page.weeks[static_cast<std::size_t>(row - 1)] = std::to_string(weekDay(d));
    cell.caption = std::to_string(cell.day);
  }
  return page;
}

std::string todayLine(const Date& today) {
  if (today.empty()) return "Heute ist: ";
  return "Heute ist: " + firstChars(qlCDow(today), 2) + "., " + padLeft(today.day(), 3) + ". " +
         firstChars(germanMonth(today.month()), 3) + ". " + padLeft(today.year(), 5);
}

const std::array<LegendRow, 9>& legendRows() {
  static const std::array<LegendRow, 9> kRows{{
      {"KAussen", "Nicht vorhanden"},
      {"KDatum", "normales Datum"},
      {"KHeute", "Heute - aktuelles Datum"},
      {"KFeier", "Feiertag"},
      {"KFeier2", "inoffizieller Feiertag"},
      {"KHeuFei", "Heute ist ein Feiertag"},
      {"KHeuFei2", "Heute inoffiz. Feiertag"},
      {"KPrivat", "vorhandene Termine"},
      {"KKWoche", "Kalenderwoche"},
  }};
  return kRows;
}

}  // namespace zrv
