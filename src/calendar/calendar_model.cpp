#include "calendar/calendar_model.h"

#include "store/base/clock.h"
#include "store/base/date_time.h"

namespace zrv {

CalendarModel::CalendarModel(const Date& preset, const Clock& clock, MonthSource source)
    : clock_(clock),
      source_(std::move(source)),
      preset_(preset),
      result_(preset),
      shown_(preset.empty() ? clock.today() : preset) {
  refresh();
}

Date CalendarModel::today() const {
  return clock_.today();
}

bool CalendarModel::navigate(CalendarStep step) {
  Date next;
  switch (step) {
    case CalendarStep::kMonthBack:
      next = addMonth(shown_, -1);
      break;
    case CalendarStep::kToday:
      next = today();
      break;
    case CalendarStep::kMonthOn:
      next = addMonth(shown_, 1);
      break;
    case CalendarStep::kYearBack:
      next = addYear(shown_, -1);
      break;
    case CalendarStep::kYearOn:
      next = addYear(shown_, 1);
      break;
  }
  if (next.empty()) return false;
  shown_ = next;
  refresh();
  return true;
}

Date CalendarModel::showDay(int k) {
  const int day = k >= 1 && k <= kCalendarCells ? days_[static_cast<std::size_t>(k - 1)] : 0;
  result_ = day ? *Date::fromYmd(shown_.year(), shown_.month(), day) : Date();
  return result_;
}

// The appointments, the day grid, the holidays when the year changed, then the page.
void CalendarModel::refresh() {
  appointments_ = source_ ? source_(shown_) : MonthAppointments{};
  days_ = makeKalen(shown_);
  if (shown_.year() != holidayYear_) {
    holidays_ = makeFTage(shown_.year());
    holidayYear_ = shown_.year();
  }
  page_ = showKalen(shown_, days_, PageInputs{today(), preset_, &holidays_, &appointments_});
}

}  // namespace zrv
