// The interval of the due-check timer from the setting Timer (NS_TIMER seconds). A value the
// timer cannot run with (0, negative, unreadable, or so large that no check would ever come)
// is replaced by the nearest usable one, and the logbook says so.
#pragma once

namespace zrv {

class Logbook;

inline constexpr int kMinTimerSeconds = 1;
inline constexpr int kMaxTimerSeconds = 3600;

// Seconds between two due checks, within kMinTimerSeconds .. kMaxTimerSeconds.
int dueTimerSeconds(int NS_TIMER, Logbook& log);

}  // namespace zrv
