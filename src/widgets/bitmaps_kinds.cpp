// The appointment-kind bitmaps (named by the kind codes stored with each appointment) and the
// list marks, painted on a 16 × 16 grid.
#include <array>
#include <cmath>
#include <numbers>

#include "widgets/bitmap_painter.h"

namespace zrv::bitmaps {
namespace {

using namespace colour;

void noKind(Painter& p) {  // "Keine Zuordnung"
  p.circle(8, 8, 5.5, kLightGrey, kGrey, 1.2);
  p.line(5.5, 8, 10.5, 8, kGrey, 1.5);
}

void privat(Painter& p) {
  paintPerson(p, 8, 1.5, 13.5, kBlue);
}

void phone(Painter& p) {
  p.polygon({{4, 9}, {12, 9}, {14, 14.5}, {2, 14.5}}, kInk);
  p.circle(8, 11.8, 1.8, kPaper);
  p.roundRect(1.5, 4, 13, 3, 1.5, kInk);
  p.rect(3, 5.5, 2.5, 3.5, kInk);
  p.rect(10.5, 5.5, 2.5, 3.5, kInk);
}

void door(Painter& p, double x) {
  p.rect(x, 2, 6, 12.5, wxColour(205, 160, 110), kBrown, 1);
  p.circle(x + 4.5, 8.5, 0.8, kBrown);
}

void visitOut(Painter& p) {  // "Besuch auswärts": leaving through the door
  door(p, 1.5);
  paintArrow(p, 6, 15.5, 8.5, 3, kOrange);
}

void visitIn(Painter& p) {  // "Besuch intern": coming in through the door
  door(p, 8.5);
  paintArrow(p, 0.5, 10, 8.5, 3, kGreen);
}

void meeting(Painter& p) {  // "Sitzung": heads around a table
  p.circle(3, 5, 2, kBlue);
  p.circle(8, 3, 2, kGreen);
  p.circle(13, 5, 2, kOrange);
  p.ellipse(8, 11, 6.5, 3.5, wxColour(205, 160, 110), kBrown, 1);
}

void info(Painter& p) {
  p.circle(8, 8, 7, kBlue);
  p.circle(8, 4.5, 1.3, kPaper);
  p.rect(6.9, 6.8, 2.2, 6, kPaper);
}

void fair(Painter& p) {  // "Messe": a pennant on its pole
  p.line(3.5, 1.5, 3.5, 15, kInk, 1.5);
  p.polygon({{4, 1.5}, {14.5, 4.8}, {4, 8.5}}, kPurple);
  p.rect(1.5, 14, 5, 1.5, kInk);
}

void exclamation(Painter& p, double top, double bottom, const wxColour& c) {
  p.line(8, top, 8, bottom, c, 2.4);
  p.circle(8, bottom + 2.6, 1.3, c);
}

void veryImportant(Painter& p) {
  p.circle(8, 8, 7.2, kRed);
  exclamation(p, 3.6, 9, kPaper);
}

void important(Painter& p) {
  p.polygon({{8, 1}, {15.3, 14.5}, {0.7, 14.5}}, kYellow, kOrange, 1.2);
  exclamation(p, 5.5, 9.6, kInk);
}

void holiday(Painter& p) {  // "Urlaub": the sun
  for (int i = 0; i < 8; ++i) {
    const double a = i * std::numbers::pi / 4;
    p.line(8 + 5 * std::cos(a), 8 + 5 * std::sin(a), 8 + 7.3 * std::cos(a), 8 + 7.3 * std::sin(a),
           kOrange, 1.5);
  }
  p.circle(8, 8, 4, kYellow, kOrange, 1);
}

void birthday(Painter& p) {  // "Geburtstag": a cake with a candle
  p.roundRect(2, 8.5, 12, 6.5, 1, kPink, wxColour(190, 70, 120), 1);
  p.polyline({{2.5, 11}, {5, 12}, {8, 11}, {11, 12}, {13.5, 11}}, kPaper, 1.3);
  p.rect(7.2, 4, 1.6, 4.5, kBlue);
  p.ellipse(8, 2.5, 1.2, 1.8, kOrange);
}

void programStart(Painter& p) {
  p.roundRect(1, 2, 14, 12, 1.5, kPaper, kGrey, 1);
  p.rect(1.5, 2.5, 13, 2.5, kBlue);
  p.polygon({{6, 6.5}, {11.5, 9.8}, {6, 13}}, kGreen);
}

void fileDispatch(Painter& p) {  // "Dateiversand": a document on its way
  paintDocument(p, 1.5, 1.5, 8.5, 12.5);
  paintArrow(p, 6, 15.5, 11, 2.6, kBlue);
}

void bell(Painter& p) {
  p.polygon({{3, 12}, {4.5, 10}, {4.5, 6.5}, {8, 3}, {11.5, 6.5}, {11.5, 10}, {13, 12}}, kYellow,
            kBrown, 1);
  p.circle(8, 13.5, 1.5, kBrown);
  p.circle(8, 2.5, 1, kBrown);
}

void note(Painter& p) {
  p.polygon({{2, 2}, {14, 2}, {14, 10}, {10, 14}, {2, 14}}, wxColour(255, 240, 140), kBrown, 1);
  for (double y : {5.0, 7.5, 10.0})
    p.line(4, y, 11, y, kGrey, 1);
}

void crossedOut(Painter& p) {
  p.circle(8, 8, 6, kLightGrey, kGrey, 1.2);
  paintCross(p, 8, 8, 5, kGrey, 1.6);
}

void box(Painter& p) {
  p.roundRect(2, 2, 12, 12, 1.5, kPaper, kGrey, 1.2);
}

void mark0(Painter& p) {
  box(p);
}

void mark1(Painter& p) {
  box(p);
  paintTick(p, 3.8, 4, 8.5, kGreen, 2.2);
}

void mark2(Painter& p) {
  box(p);
  paintTick(p, 3.8, 4, 8.5, kGrey, 2.2);
}

constexpr BitmapDef def(const char* name, PaintFn fn) {
  return {name, 16, 16, 16, 16, fn};
}

constexpr std::array kDefs{
    def("TA70", noKind),       def("TA7", privat),        def("TA6", phone),
    def("TA5", visitOut),      def("TA50", visitIn),      def("TA4", meeting),
    def("TA40", info),         def("TA3", fair),          def("TA1", veryImportant),
    def("TA10", important),    def("TA30", holiday),      def("TA60", birthday),
    def("TA20", programStart), def("TA22", fileDispatch), def("TA2", bell),
    def("TA8", note),          def("TA80", crossedOut),   def("Mark0", mark0),
    def("Mark1", mark1),       def("Mark2", mark2),
};

}  // namespace

std::span<const BitmapDef> kindBitmaps() {
  return kDefs;
}

}  // namespace zrv::bitmaps
