#include "reminder/list_row.h"

#include "reminder/age_marker.h"
#include "reminder/memo_line.h"
#include "reminder/text_util.h"
#include "store/base/date_time.h"

namespace zrv {

ListRow listRowOf(const Appointment& a) {
  ListRow row;
  row.kindCode = rtrimBlanks(a.TERMINART);
  if (a.LAUTO) {
    row.flag = "A";
  } else if (a.WARNMIN > 0) {
    row.flag = "V";
  }
  const std::string weekday = qlCDow(a.DATE);
  row.day = weekday.substr(0, utf8PrefixBytes(weekday, 2));
  const std::string date = a.DATE.toDisplay();
  if (date.size() == 10) row.date = date.substr(0, 6) + date.substr(8, 2);
  row.time = a.TIMEVON.substr(0, 5);
  row.text = makeAge(firstLine(a.TEXT), a.DATE);
  return row;
}

}  // namespace zrv
