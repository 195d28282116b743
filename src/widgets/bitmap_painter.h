// Drawing helpers for the program's own bitmaps. Every bitmap is painted in code on a design grid
// (16 × 16 for the small ones) and scaled to the size asked for, so it stays sharp at any size.
#pragma once

#include <initializer_list>
#include <span>

#include <wx/colour.h>
#include <wx/graphics.h>

namespace zrv::bitmaps {

// The palette all bitmaps share, so that they look like one family.
namespace colour {
inline const wxColour kInk(45, 45, 55);
inline const wxColour kGrey(128, 128, 136);
inline const wxColour kLightGrey(214, 214, 220);
inline const wxColour kPaper(255, 255, 255);
inline const wxColour kBlue(40, 110, 210);
inline const wxColour kLightBlue(140, 185, 245);
inline const wxColour kGreen(40, 160, 70);
inline const wxColour kRed(215, 45, 45);
inline const wxColour kOrange(245, 140, 20);
inline const wxColour kYellow(250, 205, 30);
inline const wxColour kPurple(135, 65, 170);
inline const wxColour kBrown(150, 95, 45);
inline const wxColour kPink(240, 120, 170);
}  // namespace colour

struct Pt {
  double x, y;
};

// Paints in design-grid coordinates; a null colour means "no fill" or "no outline".
class Painter {
 public:
  explicit Painter(wxGraphicsContext& gc) : gc_(gc) {}
  wxGraphicsContext& gc() { return gc_; }

  void rect(double x, double y, double w, double h, const wxColour& fill,
            const wxColour& line = wxNullColour, double width = 1);
  void roundRect(double x, double y, double w, double h, double radius, const wxColour& fill,
                 const wxColour& line = wxNullColour, double width = 1);
  void ellipse(double cx, double cy, double rx, double ry, const wxColour& fill,
               const wxColour& line = wxNullColour, double width = 1);
  void circle(double cx, double cy, double r, const wxColour& fill,
              const wxColour& line = wxNullColour, double width = 1) {
    ellipse(cx, cy, r, r, fill, line, width);
  }
  void polygon(std::initializer_list<Pt> points, const wxColour& fill,
               const wxColour& line = wxNullColour, double width = 1);
  void polygon(std::span<const Pt> points, const wxColour& fill,
               const wxColour& line = wxNullColour, double width = 1);
  // An open line through the points with round ends.
  void polyline(std::initializer_list<Pt> points, const wxColour& line, double width);
  void line(double x1, double y1, double x2, double y2, const wxColour& colour, double width) {
    polyline({{x1, y1}, {x2, y2}}, colour, width);
  }
  // An arc of a circle, angles in degrees clockwise from three o'clock.
  void arc(double cx, double cy, double r, double fromDeg, double toDeg, const wxColour& colour,
           double width);
  void verticalGradient(double x, double y, double w, double h, double radius, const wxColour& top,
                        const wxColour& bottom);
  // Text centred on (cx, cy), `height` grid units tall.
  void text(const wxString& s, double cx, double cy, double height, const wxColour& colour,
            bool bold = true);

 private:
  void fillAndStroke(const wxGraphicsPath& path, const wxColour& fill, const wxColour& line,
                     double width);
  wxGraphicsContext& gc_;
};

// Shapes several bitmaps share.
void paintDocument(Painter& p, double x, double y, double w, double h);
void paintCalendarPage(Painter& p, double x, double y, double w, double h, int columns, int rows);
void paintPerson(Painter& p, double cx, double top, double size, const wxColour& colour);
void paintEnvelope(Painter& p, double x, double y, double w, double h);
// A thick arrow from (x1, y) to (x2, y) with its head at x2 (pointing left when x2 < x1).
void paintArrow(Painter& p, double x1, double x2, double y, double thickness,
                const wxColour& colour);
void paintTick(Painter& p, double x, double y, double size, const wxColour& colour, double width);
void paintCross(Painter& p, double cx, double cy, double size, const wxColour& colour,
                double width);
void paintAlarmClock(Painter& p, double x, double y, double size);
// A question mark `height` high centred on (cx, cy), drawn as strokes (no font needed).
void paintQuestionMark(Painter& p, double cx, double cy, double height, const wxColour& colour);

using PaintFn = void (*)(Painter&);

// One named bitmap: its natural size in pixels and the design grid it is painted on.
struct BitmapDef {
  const char* name;
  int width, height;
  double gridWidth, gridHeight;
  PaintFn paint;
};

// The bitmap families, each defined in its own file.
std::span<const BitmapDef> kindBitmaps();
std::span<const BitmapDef> barBitmaps();
std::span<const BitmapDef> calendarBitmaps();
std::span<const BitmapDef> dialogBitmaps();

}  // namespace zrv::bitmaps
