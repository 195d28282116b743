// Bitmaps of the dialogs: the small picture buttons (16 × 16 grid), the error dialog's stop sign,
// the sound settings' icon, the program icon and the about box's banner.
#include <array>
#include <cmath>
#include <numbers>

#include "widgets/bitmap_painter.h"

namespace zrv::bitmaps {
namespace {

using namespace colour;

void open(Painter& p) {  // a folder
  p.polygon({{1, 3}, {6, 3}, {7.5, 5}, {14, 5}, {14, 13.5}, {1, 13.5}}, wxColour(230, 170, 40),
            kBrown, 1);
  p.polygon({{3, 7.5}, {15.5, 7.5}, {14, 13.5}, {1, 13.5}}, kYellow, kBrown, 1);
}

void play(Painter& p) {
  p.circle(8, 8, 7, kGreen);
  p.polygon({{6, 4.5}, {12, 8}, {6, 11.5}}, kPaper);
}

void ok(Painter& p) {
  paintTick(p, 2, 2.5, 12, kGreen, 2.8);
}

void notOk(Painter& p) {
  paintCross(p, 8, 8, 10, kRed, 2.6);
}

void stop(Painter& p) {  // 32 × 32: a red octagon with a white bar
  std::array<Pt, 8> pts{};
  for (int i = 0; i < 8; ++i) {
    const double a = std::numbers::pi / 8 + i * std::numbers::pi / 4;
    pts[i] = {16 + 15 * std::cos(a), 16 + 15 * std::sin(a)};
  }
  p.polygon(pts, kRed, wxColour(140, 20, 20), 1.5);
  p.roundRect(7, 13, 18, 6, 1.5, kPaper);
}

void programIcon(Painter& p) {  // 32 × 32: an alarm clock on a blue tile
  p.verticalGradient(0.5, 0.5, 31, 31, 6, wxColour(90, 150, 235), wxColour(30, 80, 170));
  paintAlarmClock(p, 3, 2, 26);
}

void sounds(Painter& p) {  // 32 × 32: the sound settings' loudspeaker on a blue tile
  p.verticalGradient(0.5, 0.5, 31, 31, 6, wxColour(90, 150, 235), wxColour(30, 80, 170));
  p.polygon({{5, 12}, {10, 12}, {17, 6}, {17, 26}, {10, 20}, {5, 20}}, kPaper, kInk, 1);
  p.arc(18, 16, 5, -45, 45, kPaper, 2);
  p.arc(18, 16, 9.5, -50, 50, kPaper, 2);
}

void about(Painter& p) {  // 320 × 110: the about box's banner
  p.verticalGradient(0, 0, 320, 110, 0, wxColour(60, 120, 215), wxColour(20, 55, 130));
  p.roundRect(16, 17, 76, 76, 14, wxColour(255, 255, 255, 40));
  paintAlarmClock(p, 20, 20, 68);
  p.text("Zorvane", 200, 46, 40, kPaper);
  p.text(wxString::FromUTF8("Terminerinnerung für den Arbeitsplatz"), 200, 82, 13,
         wxColour(220, 230, 250), false);
}

constexpr BitmapDef def(const char* name, PaintFn fn) {
  return {name, 16, 16, 16, 16, fn};
}

constexpr std::array kDefs{
    def("S_OPEN", open),
    def("S_PLAY", play),
    def("S_OK", ok),
    def("S_NOK", notOk),
    BitmapDef{"Stop_Max", 32, 32, 32, 32, stop},
    BitmapDef{"AAAAA", 32, 32, 32, 32, programIcon},
    BitmapDef{"Sounds", 32, 32, 32, 32, sounds},
    BitmapDef{"About", 320, 110, 320, 110, about},
};

}  // namespace

std::span<const BitmapDef> dialogBitmaps() {
  return kDefs;
}

}  // namespace zrv::bitmaps
