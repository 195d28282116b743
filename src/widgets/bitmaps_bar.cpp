// The bitmaps of the button bar and the menus, painted on a 24 × 24 grid.
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "widgets/bitmap_painter.h"

namespace zrv::bitmaps {
namespace {

using namespace colour;

void star(Painter& p, double cx, double cy, double r) {
  std::array<Pt, 10> pts{};
  for (int i = 0; i < 10; ++i) {
    const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const double rr = i % 2 ? r * 0.45 : r;
    pts[i] = {cx + rr * std::cos(a), cy + rr * std::sin(a)};
  }
  p.polygon(pts, kYellow, kOrange, 1);
}

void pencil(Painter& p) {
  p.polygon({{9, 20}, {10, 16}, {19.5, 6.5}, {22.5, 9.5}, {13, 19}}, kOrange, kBrown, 1);
  p.polygon({{9, 20}, {10, 16}, {13, 19}}, wxColour(240, 210, 170));
  p.line(18, 8, 21, 11, kBrown, 1);
}

void newDoc(Painter& p) {
  paintDocument(p, 4, 3, 13, 18);
  star(p, 17.5, 6.5, 5.5);
}

void editDoc(Painter& p) {
  paintDocument(p, 3, 2, 12, 18);
  for (double y : {9.0, 12.0, 15.0})
    p.line(5.5, y, 11, y, kLightGrey, 1.2);
  pencil(p);
}

void deleteEntry(Painter& p) {
  paintDocument(p, 3, 2, 12, 18);
  paintCross(p, 15, 15, 9, kRed, 3.2);
}

void clipboard(Painter& p) {
  p.roundRect(3, 3, 15, 19, 1.5, kBrown);
  p.rect(5, 6, 11, 14, kPaper);
  p.roundRect(7, 1.5, 7, 4, 1, kGrey);
  for (double y : {10.0, 13.0, 16.0})
    p.line(7, y, 13, y, kLightGrey, 1.2);
}

void toClip(Painter& p) {
  clipboard(p);
  p.gc().PushState();
  p.gc().Translate(18.5, 4);
  p.gc().Rotate(std::numbers::pi / 2);
  paintArrow(p, 0, 10, 0, 3.4, kGreen);
  p.gc().PopState();
}

void fromClip(Painter& p) {
  clipboard(p);
  paintArrow(p, 11, 23, 17, 3.4, kBlue);
}

void triangle(Painter& p, double tipX, double baseX) {
  p.polygon({{tipX, 12}, {baseX, 5}, {baseX, 19}}, kBlue);
}

void first(Painter& p) {
  p.rect(4, 5, 3, 14, kBlue);
  triangle(p, 8, 19);
}
void prev(Painter& p) {
  triangle(p, 6, 17);
}
void next(Painter& p) {
  triangle(p, 18, 7);
}
void last(Painter& p) {
  triangle(p, 16, 5);
  p.rect(17, 5, 3, 14, kBlue);
}

void views(Painter& p) {  // all, today's or filed appointments: a list and a filter
  for (double y : {4.0, 9.0, 14.0, 19.0}) {
    p.rect(2, y - 1, 3, 3, kGrey);
    p.line(7, y + 0.5, 13, y + 0.5, kGrey, 1.6);
  }
  p.polygon({{12, 6}, {23, 6}, {19, 12}, {19, 20}, {16, 22}, {16, 12}}, kBlue, kInk, 1);
}

void week(Painter& p) {
  p.roundRect(1.5, 3, 21, 18, 1.5, kPaper, kGrey, 1);
  p.rect(2, 3.5, 20, 4.5, kGreen);
  for (int d = 0; d < 7; ++d) {
    const double h = d < 5 ? 9 : 5;
    p.rect(3.5 + d * 2.75, 19.5 - h, 1.9, h, d < 5 ? kLightBlue : kOrange);
  }
}

void userList(Painter& p) {
  paintPerson(p, 15.5, 2, 17, kGreen);
  paintPerson(p, 8.5, 5, 18, kBlue);
}

void tableFiles(Painter& p) {  // the appointment files: a database drum
  const wxColour body(90, 140, 200);
  p.rect(4, 5, 16, 14, body);
  p.ellipse(12, 19, 8, 3, body);
  for (double y : {9.5, 14.0})
    p.arc(12, y, 8, 0, 180, kPaper, 1);
  p.ellipse(12, 5, 8, 3, kLightBlue, body, 1);
}

void calendar(Painter& p) {
  paintCalendarPage(p, 2, 2.5, 20, 19.5, 5, 4);
}

void setup(Painter& p) {  // a gear wheel
  std::vector<Pt> pts;
  constexpr int kTeeth = 8;
  for (int i = 0; i < kTeeth * 4; ++i) {
    const double a = i * std::numbers::pi * 2 / (kTeeth * 4);
    const double r = (i % 4 == 0 || i % 4 == 1) ? 10.5 : 7.8;
    pts.push_back({12 + r * std::cos(a), 12 + r * std::sin(a)});
  }
  p.polygon(pts, kGrey, kInk, 1);
  p.circle(12, 12, 3.5, kPaper, kInk, 1);
}

void help(Painter& p) {
  p.circle(12, 12, 10, kBlue);
  paintQuestionMark(p, 12, 12, 15, kPaper);
}

void intoTray(Painter& p) {
  p.roundRect(3, 2, 18, 12, 1.5, kPaper, kGrey, 1);
  p.rect(3.5, 2.5, 17, 3, kBlue);
  p.rect(1, 19, 22, 4, kGrey);
  p.polygon({{9.5, 9}, {14.5, 9}, {14.5, 13}, {18, 13}, {12, 19}, {6, 13}, {9.5, 13}}, kGreen);
}

void exitDoor(Painter& p) {
  p.rect(3, 2, 11, 20, wxColour(205, 160, 110), kBrown, 1.2);
  p.circle(11.5, 12, 1, kBrown);
  paintArrow(p, 9, 23, 12, 3.6, kRed);
}

void web(Painter& p) {
  p.circle(12, 12, 10, kLightBlue, kBlue, 1.4);
  p.ellipse(12, 12, 4.5, 10, wxNullColour, kBlue, 1.2);
  p.line(12, 2, 12, 22, kBlue, 1.2);
  p.line(2, 12, 22, 12, kBlue, 1.2);
  p.line(4, 7, 20, 7, kBlue, 1);
  p.line(4, 17, 20, 17, kBlue, 1);
}

void email(Painter& p) {
  paintEnvelope(p, 2, 5, 20, 14);
}

void update(Painter& p) {  // two arrows chasing each other
  p.arc(12, 12, 8, 200, 340, kGreen, 3);
  p.polygon({{20.5, 7}, {21.5, 14}, {15, 11.5}}, kGreen);
  p.arc(12, 12, 8, 20, 160, kGreen, 3);
  p.polygon({{3.5, 17}, {2.5, 10}, {9, 12.5}}, kGreen);
}

constexpr BitmapDef def(const char* name, PaintFn fn) {
  return {name, 22, 22, 24, 24, fn};
}

constexpr std::array kDefs{
    def("NEW", newDoc),
    def("EDIT", editDoc),
    def("DELETE", deleteEntry),
    def("TOCLIP", toClip),
    def("FROMCLIP", fromClip),
    def("FIRST", first),
    def("PREV", prev),
    def("NEXT", next),
    def("LAST", last),
    def("AHAV", views),
    def("WEEK", week),
    def("TDATEIEN", tableFiles),
    def("SETUP", setup),
    def("HELP", help),
    def("INTOTRAY", intoTray),
    def("EXIT", exitDoor),
    def("WEB", web),
    def("EMAIL", email),
    def("UPDATE", update),
    // Also shown large: the user list dialog's picture and the calendar window's icon.
    BitmapDef{"USERLIST", 32, 32, 24, 24, userList},
    BitmapDef{"KALENDER", 32, 32, 24, 24, calendar},
};

}  // namespace

std::span<const BitmapDef> barBitmaps() {
  return kDefs;
}

}  // namespace zrv::bitmaps
