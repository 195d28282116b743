// The three list views of the appointment table and the view the list and the due check
// work on.
#pragma once

namespace zrv {

struct ReminderEnv;

inline constexpr int kViewCurrent = 1;  // "Aktuelle": not filed
inline constexpr int kViewToday = 2;    // "Heutige": today's, not filed
inline constexpr int kViewFiled = 3;    // "Abgelegte": filed

// The view pane's text: "Aktuelle", "Heutige", "Abgelegte"; "" for anything else.
const char* viewText(int view);

// Makes `view` current: its order controls DTER, the table stands on its first record,
// NS_TODAY := view and the status bar's view pane shows its text. Any other value shows
// "Fehler" (title "Filter") and changes nothing. False when the view could not be made current.
bool setFilter(ReminderEnv& env, int view);

}  // namespace zrv
