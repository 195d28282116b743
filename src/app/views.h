// The three list views of the appointment table: which order of DTER each selects and the
// text the status bar's view pane shows for it.
#pragma once

#include "store/base/status.h"

namespace zrv {

struct Context;
class AppointmentTable;

inline constexpr int kViewCurrent = 1;  // "Aktuelle": not filed
inline constexpr int kViewToday = 2;    // "Heutige": today's, not filed
inline constexpr int kViewFiled = 3;    // "Abgelegte": filed

inline bool isView(int view) {
  return view >= kViewCurrent && view <= kViewFiled;
}

// The view pane's text: "Aktuelle", "Heutige", "Abgelegte"; "" for anything else.
const char* viewText(int view);

// Makes the valid `view` current: its order controls `table`, the table stands on its first
// record, NS_TODAY := view and the view pane shows its text. On a storage failure nothing but
// the order may have changed.
Status applyView(Context& ctx, AppointmentTable& table, int view);

}  // namespace zrv
