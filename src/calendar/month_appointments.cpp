#include "calendar/month_appointments.h"

#include <system_error>

#include "app/context.h"
#include "reminder/memo_line.h"
#include "reminder/text_util.h"
#include "store/appointments/appointment_table.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

// The header keeps the condition as written; dDAT is bound to the first of the month.
IndexDef monthIndexDef(const Date& first) {
  return IndexDef{"dtos(DTER->DATE)",
                  "month(DTER->DATE) = month(dDAT) .and. .not. DTER->QUIT",
                  false,
                  {{"dDAT", first}}};
}

// The first appointment of each day of `first`'s month and year: the index holds the month of
// every year ordered by date, so a seek finds each day, and the other years and a day's later
// appointments (which the calendar never shows) are passed over without being read.
Status collect(Table& t, const Date& first, MonthAppointments& out) {
  Date day = first;
  while (day.month() == first.month()) {
    auto found = t.seek(day.dtos(), true);
    if (!found) return found.status();
    if (t.eof()) break;
    auto date = t.getDate("DATE");
    if (!date) return date.status();
    if (date->month() != first.month() || date->year() != first.year()) break;
    auto memo = t.getString("TEXT");
    auto prog = t.getString("PROGSTART");
    auto param = t.getString("PROGPARAM");
    if (!memo) return memo.status();
    if (!prog) return prog.status();
    if (!param) return param.status();
    out.push_back({*date, calendarText(*memo, *prog, *param)});
    day = *date + 1;
  }
  return Status::ok();
}

}  // namespace

fs::path calendarIndexFile(const fs::path& base) {
  return findFile(base.parent_path(), base.filename().string() + ".KAL");
}

std::string calendarText(const std::string& memo, const std::string& progStart,
                         const std::string& progParam) {
  if (trimBlanks(progStart).empty()) return firstLine(memo);
  // Stored paths may come from Windows: the file name follows the last "\" (or "/").
  const std::size_t slash = progStart.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? progStart : progStart.substr(slash + 1);
  return "~.." + trimBlanks(name) + " " + progParam;
}

MonthCollection kalGetTermine(AppointmentTable& table, const Date& date) {
  MonthCollection result;
  if (date.empty()) return result;
  Table& t = table.table();
  const std::uint32_t recno = t.recNo();
  const int order = t.order();
  const int standardOrders = t.orderCount();
  const Date first = *Date::fromYmd(date.year(), date.month(), 1);
  const fs::path kal = calendarIndexFile(table.base());

  // The month index joins the open indexes as the next order and controls while it is read.
  result.status = t.createTemporaryIndex(kal, monthIndexDef(first));
  if (result.status) result.status = collect(t, first, result.appointments);

  // Back to the standard indexes in every case, also after a failed build.
  Status restored;
  if (t.orderCount() > standardOrders) restored = t.closeIndex(standardOrders + 1);
  std::error_code ec;
  fs::remove(kal, ec);
  if (restored && t.orderCount() != 4) restored = table.reopenIndexes();
  if (restored && order <= t.orderCount()) restored = t.setOrder(order);
  if (restored) restored = t.goTo(recno);
  if (result.status && !restored) result.status = restored;
  return result;
}

std::function<MonthCollection(const Date&)> tableMonthSource(Context& ctx) {
  return [&ctx](const Date& date) {
    if (!ctx.DTER) return MonthCollection{};
    MonthCollection month = kalGetTermine(*ctx.DTER, date);
    if (!month.status) ctx.log.log("KalGetTermine", month.status.message());
    return month;
  };
}

}  // namespace zrv
