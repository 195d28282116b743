// One open month calendar without its window: the shown month, the preset and result dates, the
// holiday table of the shown year, the month's appointments and the page computed from them.
// Navigation rebuilds what it needs, the holidays whenever the shown year changes.
#pragma once

#include <functional>
#include <string>

#include "calendar/holidays.h"
#include "calendar/month_appointments.h"
#include "calendar/month_page.h"
#include "store/base/date.h"

namespace zrv {

class Clock;

// Collects the appointments of a date's month (kalGetTermine on the table in use), with the
// failure that kept some of them back.
using MonthSource = std::function<MonthCollection(const Date& date)>;

enum class CalendarStep { kMonthBack, kToday, kMonthOn, kYearBack, kYearOn };

class CalendarModel {
 public:
  // Opens on the month of `preset` (today's month when it is empty). `clock` must outlive the
  // model; an empty source marks no appointments.
  CalendarModel(const Date& preset, const Clock& clock, MonthSource source);

  // One press of a navigation button; the keyboard's day goes along. False (nothing changes)
  // when the step would leave the years the calendar can show.
  bool navigate(CalendarStep step);
  // The keyboard's day: it starts on the preset date (today without one) and always lies in the
  // month shown. Moving it by days (arrows) or months (page keys) shows its month; false when
  // the move would leave the years the calendar can show.
  const Date& focused() const { return shown_; }
  bool moveFocus(long days);
  bool moveFocusMonths(int months);
  // The cell (1..42) of the keyboard's day.
  int focusedCell() const;
  // Return on the keyboard's day: it becomes the result.
  void chooseFocused() { result_ = shown_; }
  // Why the month's appointments could not all be collected, once: the first failure since the
  // calendar opened, or "" when there was none or it has been told already.
  std::string untoldProblem();
  // SHOWDAY: the result becomes cell k's date (1..42); the empty date for a cell outside the
  // month. Returns the result.
  Date showDay(int k);

  const MonthPage& page() const { return page_; }
  const Date& shown() const { return shown_; }
  const Date& preset() const { return preset_; }
  // The clicked day, or the preset date while none was clicked.
  const Date& result() const { return result_; }
  const HolidayTable& holidays() const { return holidays_; }
  int holidayYear() const { return holidayYear_; }
  const MonthAppointments& appointments() const { return appointments_; }
  Date today() const;

 private:
  void refresh();
  bool showFocused(const Date& next);

  const Clock& clock_;
  MonthSource source_;
  Date preset_;
  Date result_;
  Date shown_;
  DayNumbers days_{};
  HolidayTable holidays_;
  int holidayYear_ = 0;
  MonthAppointments appointments_;
  MonthPage page_;
  std::string problem_;
  bool told_ = false;
};

}  // namespace zrv
