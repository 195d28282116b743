// The month calendar's bitmaps: the day-cell markers (12 × 12 grid), its navigation buttons and
// the small calendar on date fields (16 × 16 grid).
#include <array>

#include "widgets/bitmap_painter.h"

namespace zrv::bitmaps {
namespace {

using namespace colour;

// A day cell; the day's number is drawn over its middle, so the marks stay at the edge.
void cell(Painter& p, const wxColour& fill, const wxColour& line, double width = 1) {
  p.roundRect(1, 1, 10, 10, 2, fill, line, width);
}

void outside(Painter& p) {
  cell(p, kLightGrey, kLightGrey);
}
void ordinary(Painter& p) {
  cell(p, kPaper, kGrey);
}
void today(Painter& p) {
  cell(p, kYellow, kOrange);
}
void holiday(Painter& p) {
  cell(p, kRed, wxColour(150, 20, 20));
}
void otherDay(Painter& p) {
  cell(p, wxColour(255, 170, 90), kOrange);
}

// Today's yellow as a wide frame around the holiday's colour.
void todayHoliday(Painter& p) {
  cell(p, kRed, kYellow, 2);
}

void todayOtherDay(Painter& p) {
  cell(p, wxColour(255, 170, 90), kYellow, 2);
}

void appointments(Painter& p) {
  cell(p, kLightBlue, kBlue, 1.5);
}

// The calendar's week column: bright magenta ("W*+/RB").
void weekNumber(Painter& p) {
  cell(p, wxColour(255, 0, 255), wxColour(128, 0, 128));
}

void preset(Painter& p) {
  cell(p, wxColour(190, 235, 195), kGreen, 1.5);
}

void chevron(Painter& p, double tipX, double dir) {
  p.polygon({{tipX, 8}, {tipX - dir * 6, 2.5}, {tipX - dir * 6, 13.5}}, kBlue);
}

void monthBack(Painter& p) {
  chevron(p, 4.5, -1);
}
void monthOn(Painter& p) {
  chevron(p, 11.5, 1);
}

void yearBack(Painter& p) {
  chevron(p, 1.5, -1);
  chevron(p, 8, -1);
}

void yearOn(Painter& p) {
  chevron(p, 8, 1);
  chevron(p, 14.5, 1);
}

void toToday(Painter& p) {
  p.circle(8, 8, 6.5, kPaper, kBlue, 1.5);
  p.circle(8, 8, 3, kYellow, kOrange, 1);
}

void calendarHelp(Painter& p) {
  p.circle(8, 8, 7, kBlue);
  paintQuestionMark(p, 8, 8, 10, kPaper);
}

void close(Painter& p) {
  p.circle(8, 8, 7, kRed);
  paintCross(p, 8, 8, 6, kPaper, 2);
}

void smallCalendar(Painter& p) {
  paintCalendarPage(p, 0.5, 0.5, 15, 15, 3, 3);
}

constexpr BitmapDef cellDef(const char* name, PaintFn fn) {
  return {name, 12, 12, 12, 12, fn};
}
constexpr BitmapDef def(const char* name, PaintFn fn) {
  return {name, 16, 16, 16, 16, fn};
}

constexpr std::array kDefs{
    cellDef("KAussen", outside),
    cellDef("KDatum", ordinary),
    cellDef("KHeute", today),
    cellDef("KFeier", holiday),
    cellDef("KFeier2", otherDay),
    cellDef("KHeuFei", todayHoliday),
    cellDef("KHeuFei2", todayOtherDay),
    cellDef("KPrivat", appointments),
    cellDef("KKWoche", weekNumber),
    cellDef("KVorgabe", preset),
    def("M_Minus", monthBack),
    def("M_Plus", monthOn),
    // The upper year button (Y_Plus) goes back a year, the lower one (Y_Minus) on.
    def("Y_Minus", yearOn),
    def("Y_Plus", yearBack),
    def("M_Today", toToday),
    def("KHilfe", calendarHelp),
    def("K_Close", close),
    BitmapDef{"KALENDSM", 12, 12, 16, 16, smallCalendar},
};

}  // namespace

std::span<const BitmapDef> calendarBitmaps() {
  return kDefs;
}

}  // namespace zrv::bitmaps
