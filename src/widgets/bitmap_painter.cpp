#include "widgets/bitmap_painter.h"

#include <cmath>
#include <numbers>

#include <wx/brush.h>

namespace zrv::bitmaps {
namespace {

double radians(double deg) {
  return deg * std::numbers::pi / 180.0;
}

}  // namespace

void Painter::fillAndStroke(const wxGraphicsPath& path, const wxColour& fill, const wxColour& line,
                            double width) {
  if (fill.IsOk()) {
    gc_.SetBrush(wxBrush(fill));
    gc_.FillPath(path);
  }
  if (line.IsOk()) {
    gc_.SetPen(gc_.CreatePen(wxGraphicsPenInfo(line).Width(width).Join(wxJOIN_ROUND)));
    gc_.StrokePath(path);
  }
}

void Painter::rect(double x, double y, double w, double h, const wxColour& fill,
                   const wxColour& line, double width) {
  wxGraphicsPath path = gc_.CreatePath();
  path.AddRectangle(x, y, w, h);
  fillAndStroke(path, fill, line, width);
}

void Painter::roundRect(double x, double y, double w, double h, double radius, const wxColour& fill,
                        const wxColour& line, double width) {
  wxGraphicsPath path = gc_.CreatePath();
  path.AddRoundedRectangle(x, y, w, h, radius);
  fillAndStroke(path, fill, line, width);
}

void Painter::ellipse(double cx, double cy, double rx, double ry, const wxColour& fill,
                      const wxColour& line, double width) {
  wxGraphicsPath path = gc_.CreatePath();
  path.AddEllipse(cx - rx, cy - ry, 2 * rx, 2 * ry);
  fillAndStroke(path, fill, line, width);
}

void Painter::polygon(std::initializer_list<Pt> points, const wxColour& fill, const wxColour& line,
                      double width) {
  polygon(std::span<const Pt>(points.begin(), points.size()), fill, line, width);
}

void Painter::polygon(std::span<const Pt> points, const wxColour& fill, const wxColour& line,
                      double width) {
  if (points.empty()) return;
  wxGraphicsPath path = gc_.CreatePath();
  path.MoveToPoint(points[0].x, points[0].y);
  for (size_t i = 1; i < points.size(); ++i)
    path.AddLineToPoint(points[i].x, points[i].y);
  path.CloseSubpath();
  fillAndStroke(path, fill, line, width);
}

void Painter::polyline(std::initializer_list<Pt> points, const wxColour& line, double width) {
  if (points.size() < 2) return;
  wxGraphicsPath path = gc_.CreatePath();
  auto it = points.begin();
  path.MoveToPoint(it->x, it->y);
  for (++it; it != points.end(); ++it)
    path.AddLineToPoint(it->x, it->y);
  gc_.SetPen(
      gc_.CreatePen(wxGraphicsPenInfo(line).Width(width).Cap(wxCAP_ROUND).Join(wxJOIN_ROUND)));
  gc_.StrokePath(path);
}

void Painter::arc(double cx, double cy, double r, double fromDeg, double toDeg,
                  const wxColour& colour, double width) {
  wxGraphicsPath path = gc_.CreatePath();
  path.AddArc(cx, cy, r, radians(fromDeg), radians(toDeg), true);
  gc_.SetPen(gc_.CreatePen(wxGraphicsPenInfo(colour).Width(width).Cap(wxCAP_BUTT)));
  gc_.StrokePath(path);
}

void Painter::verticalGradient(double x, double y, double w, double h, double radius,
                               const wxColour& top, const wxColour& bottom) {
  gc_.SetBrush(gc_.CreateLinearGradientBrush(x, y, x, y + h, top, bottom));
  gc_.SetPen(wxNullPen);
  wxGraphicsPath path = gc_.CreatePath();
  path.AddRoundedRectangle(x, y, w, h, radius);
  gc_.FillPath(path);
}

void Painter::text(const wxString& s, double cx, double cy, double height, const wxColour& colour,
                   bool bold) {
  const wxGraphicsFont font = gc_.CreateFont(height, "Liberation Sans",
                                             bold ? wxFONTFLAG_BOLD : wxFONTFLAG_DEFAULT, colour);
  gc_.SetFont(font);
  double w = 0, h = 0, descent = 0, leading = 0;
  gc_.GetTextExtent(s, &w, &h, &descent, &leading);
  gc_.DrawText(s, cx - w / 2, cy - (h - descent) / 2 - descent / 2);
}

void paintDocument(Painter& p, double x, double y, double w, double h) {
  const double fold = w * 0.35;
  p.polygon({{x, y}, {x + w - fold, y}, {x + w, y + fold}, {x + w, y + h}, {x, y + h}},
            colour::kPaper, colour::kGrey, 1);
  p.polygon({{x + w - fold, y}, {x + w - fold, y + fold}, {x + w, y + fold}}, colour::kLightGrey,
            colour::kGrey, 1);
}

void paintCalendarPage(Painter& p, double x, double y, double w, double h, int columns, int rows) {
  const double head = h * 0.28;
  p.roundRect(x, y, w, h, w * 0.08, colour::kPaper, colour::kGrey, 1);
  p.roundRect(x, y, w, head, w * 0.08, colour::kRed);
  p.rect(x, y + head * 0.5, w, head * 0.5, colour::kRed);
  const double cellW = (w - 2) / columns;
  const double cellH = (h - head - 2) / rows;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      p.rect(x + 1 + c * cellW + cellW * 0.2, y + head + 1 + r * cellH + cellH * 0.2, cellW * 0.6,
             cellH * 0.6, colour::kGrey);
    }
  }
}

void paintPerson(Painter& p, double cx, double top, double size, const wxColour& colour) {
  const double head = size * 0.22;
  p.circle(cx, top + head, head, colour);
  wxGraphicsPath body = p.gc().CreatePath();
  const double bodyTop = top + head * 2 + size * 0.06;
  const double half = size * 0.36;
  body.MoveToPoint(cx - half, top + size);
  body.AddLineToPoint(cx - half, bodyTop + half * 0.8);
  body.AddArc(cx, bodyTop + half * 0.8, half, std::numbers::pi, 0, true);
  body.AddLineToPoint(cx + half, top + size);
  body.CloseSubpath();
  p.gc().SetBrush(wxBrush(colour));
  p.gc().FillPath(body);
}

void paintEnvelope(Painter& p, double x, double y, double w, double h) {
  p.rect(x, y, w, h, colour::kPaper, colour::kGrey, 1);
  p.polyline({{x + 0.5, y + 0.5}, {x + w / 2, y + h * 0.6}, {x + w - 0.5, y + 0.5}}, colour::kBlue,
             1.2);
}

void paintArrow(Painter& p, double x1, double x2, double y, double thickness,
                const wxColour& colour) {
  const double dir = x2 >= x1 ? 1 : -1;
  const double headLen = thickness * 1.3;
  const double neck = x2 - dir * headLen;
  const double t = thickness / 2;
  p.polygon({{x1, y - t},
             {neck, y - t},
             {neck, y - thickness},
             {x2, y},
             {neck, y + thickness},
             {neck, y + t},
             {x1, y + t}},
            colour);
}

void paintTick(Painter& p, double x, double y, double size, const wxColour& colour, double width) {
  p.polyline({{x, y + size * 0.55}, {x + size * 0.38, y + size * 0.9}, {x + size, y + size * 0.1}},
             colour, width);
}

void paintCross(Painter& p, double cx, double cy, double size, const wxColour& colour,
                double width) {
  const double h = size / 2;
  p.line(cx - h, cy - h, cx + h, cy + h, colour, width);
  p.line(cx - h, cy + h, cx + h, cy - h, colour, width);
}

void paintAlarmClock(Painter& p, double x, double y, double size) {
  const double s = size / 32.0;
  auto X = [&](double v) { return x + v * s; };
  auto Y = [&](double v) { return y + v * s; };
  // Bells, legs, face, hands.
  p.circle(X(7), Y(8), 5 * s, colour::kYellow, colour::kBrown, 1 * s);
  p.circle(X(25), Y(8), 5 * s, colour::kYellow, colour::kBrown, 1 * s);
  p.line(X(9), Y(27), X(6), Y(31), colour::kInk, 2.5 * s);
  p.line(X(23), Y(27), X(26), Y(31), colour::kInk, 2.5 * s);
  p.circle(X(16), Y(18), 12 * s, colour::kRed);
  p.circle(X(16), Y(18), 9.5 * s, colour::kPaper);
  for (int i = 0; i < 12; i += 3) {
    const double a = radians(i * 30.0);
    p.line(X(16 + 7.5 * std::cos(a)), Y(18 + 7.5 * std::sin(a)), X(16 + 9 * std::cos(a)),
           Y(18 + 9 * std::sin(a)), colour::kInk, 1.2 * s);
  }
  p.line(X(16), Y(18), X(16), Y(11.5), colour::kInk, 2 * s);
  p.line(X(16), Y(18), X(20.5), Y(20.5), colour::kInk, 2 * s);
  p.circle(X(16), Y(18), 1.4 * s, colour::kInk);
}

void paintQuestionMark(Painter& p, double cx, double cy, double height, const wxColour& colour) {
  const double stroke = height * 0.15;
  const double r = height * 0.22;
  const double hookY = cy - height * 0.2;
  // The hook from its left end over the top round to the lower right, then down to the stem.
  p.arc(cx, hookY, r, 190, 60, colour, stroke);
  const double endX = cx + r * 0.5, endY = hookY + r * 0.87;
  p.polyline({{endX, endY}, {cx, endY + height * 0.1}, {cx, cy + height * 0.16}}, colour, stroke);
  p.circle(cx, cy + height * 0.36, stroke * 0.7, colour);
}

}  // namespace zrv::bitmaps
