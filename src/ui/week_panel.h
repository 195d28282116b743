// The week overview: seven framed day boxes, Monday to Sunday of the current week, each listing
// that day's appointments. Escape or Enter leaves it for the list.
#pragma once

#include <wx/panel.h>

#include <array>
#include <functional>
#include <string>

#include "reminder/week_overview.h"

class wxStaticBox;
class wxTextCtrl;

namespace zrv {

class WeekPanel : public wxPanel {
 public:
  // `captions` and `texts` as the week overview computes them (texts with CR LF line ends);
  // `leave` runs on Escape or Enter.
  WeekPanel(wxWindow* parent, const std::array<std::string, kDaysOfWeek>& captions,
            const std::array<std::string, kDaysOfWeek>& texts, std::function<void()> leave);

  // Places the boxes for a content area of `size` pixels.
  void layoutFor(const wxSize& size);

  wxStaticBox* frame(int day) const { return frames_[static_cast<std::size_t>(day)]; }
  wxTextCtrl* textBox(int day) const { return boxes_[static_cast<std::size_t>(day)]; }

 private:
  void onCharHook(wxKeyEvent& event);

  std::array<wxStaticBox*, kDaysOfWeek> frames_{};
  std::array<wxTextCtrl*, kDaysOfWeek> boxes_{};
  std::function<void()> leave_;
};

}  // namespace zrv
