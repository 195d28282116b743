#include "print/appointment_pages.h"

#include "app/context.h"
#include "print/page_writer.h"
#include "reminder/memo_line.h"
#include "reminder/text_util.h"
#include "store/appointments/appointment_table.h"
#include "store/base/clock.h"
#include "store/base/date_time.h"

namespace zrv {
namespace {

constexpr int kCurrentOrder = 1;  // .NT1: the appointments not filed away, by trigger

// "Mo." for a Monday.
std::string shortWeekday(const Date& date) {
  return firstChars(qlCDow(date), 2) + ".";
}

std::string releaseHeading(const Context& ctx, const char* what, const PrintPeriod& p) {
  return "Zorvane" + ctx.CRELEASE + " - Termine für " + what + " vom " + headingDate(p.from) +
         " bis zum " + headingDate(p.to);
}

// The appointments one after another: `lead` writes what stands before the text at the
// current row, the text follows wrapped at `width` from column `column`; a rule under each, a
// second one where the date changes.
template <class Lead>
std::vector<PrintPage> listPages(const std::string& heading, PageFont font,
                                 const std::vector<Appointment>& list, Lead lead, int column,
                                 std::size_t width, bool ruleBetweenDays) {
  PageWriter w(PageLayout{heading, font});
  for (std::size_t i = 0; i < list.size(); ++i) {
    const Appointment& a = list[i];
    lead(w, a);
    for (std::string& line : memoLines(a.TEXT, width)) {
      w.text(column, std::move(line));
      w.advance();
    }
    w.advance();
    w.rule();
    if (ruleBetweenDays && i + 1 < list.size() && list[i + 1].DATE != a.DATE) {
      w.advance();
      w.rule();
    }
    w.advance();
  }
  return w.takePages();
}

Printout rangePrintout(AppointmentTable& table, const PrintPeriod& p, const std::string& heading,
                       bool withDate) {
  PrintSelection s = selectForPrint(table, p.from, p.to);
  if (!s.status) return {s.status, std::nullopt};
  if (!s.anyFromStart) return {};
  const auto lead = [withDate](PageWriter& w, const Appointment& a) {
    w.text(8, shortWeekday(a.DATE));
    if (withDate) w.text(12, a.DATE.toDisplay().substr(0, 5) + " " + a.TIME.substr(0, 5));
  };
  const int column = withDate ? 23 : 13;
  const std::size_t width = withDate ? 69 : 75;
  return {{},
          PrintJob{heading,
                   listPages(heading, PageFont::Sans, s.appointments, lead, column, width, true)}};
}

}  // namespace

PrintSelection selectForPrint(AppointmentTable& table, const Date& from, const Date& to) {
  PrintSelection s;
  Table& t = table.table();
  auto recnos = t.orderRange(kCurrentOrder, (from - 1).dtos(), (to + 1).dtos());
  if (!recnos) {
    s.status = recnos.status();
    return s;
  }
  for (std::uint32_t recno : *recnos) {
    Result<Appointment> a = table.readAt(recno);
    if (!a) {
      s.status = a.status();
      return s;
    }
    if (a->DATE >= from && a->DATE <= to) s.appointments.push_back(std::move(*a));
  }
  s.anyFromStart = !s.appointments.empty();
  if (!s.anyFromStart) {
    auto later = t.orderRange(kCurrentOrder, from.dtos(), "99999999", 1);
    if (!later) {
      s.status = later.status();
      return s;
    }
    s.anyFromStart = !later->empty();
  }
  return s;
}

std::string headingDate(const Date& date) {
  return padLeft(date.day(), 3) + ". " + firstChars(germanMonth(date.month()), 3) + "." +
         padLeft(date.year(), 5);
}

Printout dayPrintout(AppointmentTable& table, const Date& day) {
  PrintSelection s = selectForPrint(table, day, day);
  if (!s.status || s.appointments.empty()) return {s.status, std::nullopt};
  const std::string heading = "Zorvane - Termine für den" + padLeft(day.day(), 3) + ". " +
                              germanMonth(day.month()) + padLeft(day.year(), 5);
  const auto lead = [](PageWriter& w, const Appointment& a) { w.text(8, a.TIME.substr(0, 5)); };
  return {{},
          PrintJob{heading,
                   listPages(heading, PageFont::Printer, s.appointments, lead, 14, 60, false)}};
}

PrintPeriod nextWeek(const Date& today) {
  const int dow = today.dow();  // 1 Sunday .. 7 Saturday
  const Date start = dow == 1 ? today : today + (7 - dow);
  return {start, start + 6};
}

Printout weekPrintout(const Context& ctx, AppointmentTable& table) {
  const PrintPeriod week = nextWeek(ctx.clock.today());
  return rangePrintout(table, week, releaseHeading(ctx, "die Woche", week), false);
}

Printout periodPrintout(const Context& ctx, AppointmentTable& table, const PrintPeriod& period) {
  return rangePrintout(table, period, releaseHeading(ctx, "den Zeitraum", period), true);
}

}  // namespace zrv
