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

bool CalendarModel::moveFocus(long days) {
  return showFocused(shown_ + days);
}

bool CalendarModel::moveFocusMonths(int months) {
  return showFocused(addMonth(shown_, months));
}

// Another month is collected and laid out anew; a day of the same month needs no new page.
bool CalendarModel::showFocused(const Date& next) {
  if (next.empty()) return false;
  const bool otherMonth = next.month() != shown_.month() || next.year() != shown_.year();
  shown_ = next;
  if (otherMonth) refresh();
  return true;
}

int CalendarModel::focusedCell() const {
  for (std::size_t i = 0; i < days_.size(); ++i) {
    if (days_[i] == shown_.day()) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string CalendarModel::untoldProblem() {
  if (told_ || problem_.empty()) return "";
  told_ = true;
  return problem_;
}

Date CalendarModel::showDay(int k) {
  const int day = k >= 1 && k <= kCalendarCells ? days_[static_cast<std::size_t>(k - 1)] : 0;
  result_ = day ? *Date::fromYmd(shown_.year(), shown_.month(), day) : Date();
  return result_;
}

// The appointments, the day grid, the holidays when the year changed, then the page.
void CalendarModel::refresh() {
  MonthCollection month = source_ ? source_(shown_) : MonthCollection{};
  appointments_ = std::move(month.appointments);
  if (!month.status && problem_.empty()) problem_ = month.status.message();
  days_ = makeKalen(shown_);
  if (shown_.year() != holidayYear_) {
    holidays_ = makeFTage(shown_.year());
    holidayYear_ = shown_.year();
  }
  page_ = showKalen(shown_, days_, PageInputs{today(), preset_, &holidays_, &appointments_});
}

}  // namespace zrv
