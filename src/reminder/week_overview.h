// The week overview's content: the seven days of the current week (Monday to Sunday), what
// each day box lists, and where the boxes lie in the content panel. Sizes are layout units of
// two pixels computed with real-valued division, as the boxes are laid out.
#pragma once

#include <array>
#include <string>

#include "store/base/date.h"
#include "store/base/status.h"

namespace zrv {

class AppointmentTable;

inline constexpr int kDaysOfWeek = 7;

// Monday of the week of `today` (a Sunday belongs to the week that began six days before).
Date weekStart(const Date& today);

// The captions of the day boxes: "Montag (06.12.)" ... "Sonntag (12.12.)"; Thursday carries
// two blanks before its parenthesis, as the overview has always shown it.
std::array<std::string, kDaysOfWeek> dayCaptions(const Date& monday);

// What a day box lists of one appointment (a leading blank, the time, " - ", the text chosen
// by WEEKSHOW with the age filled in and trailing blanks removed, then CR LF): WEEKSHOW 1 the
// first line wrapped at 35 characters, 2 the first line at 79 characters, anything else the
// whole text.
std::string weekLine(const std::string& timeVon, const std::string& text, const Date& date,
                     int weekShow);

// The texts of the seven day boxes, collected in one walk over the controlling order of
// `table` from its first record to its end; the table stays on its first record afterwards, as
// the overview leaves it. A read failure ends the walk and is returned; the texts collected up
// to it are kept.
struct WeekTexts {
  std::array<std::string, kDaysOfWeek> days;
  Status status;
};
WeekTexts collectWeekTexts(AppointmentTable& table, const Date& monday, int weekShow);

// A day frame in layout units.
struct UnitBox {
  double top = 0, left = 0, bottom = 0, right = 0;
};

// Frames and text boxes of the seven days in a panel of the content area `height` × `width`
// pixels: Monday to Wednesday down the left column, Thursday and Friday on the right, Saturday
// and Sunday sharing the right column's third cell. Text boxes lie 8 units below and 3 units
// right of their frame's corner, all as wide as Monday's frame less 5 units.
struct WeekLayout {
  std::array<UnitBox, kDaysOfWeek> frames;
  double textWidth = 0;
  std::array<double, kDaysOfWeek> textHeights{};
};
WeekLayout weekLayout(int height, int width);

}  // namespace zrv
