#include "reminder/postpone_window.h"

#include <wx/button.h>
#include <wx/stattext.h>

#include <cctype>

#include "widgets/tbmpget_ctrl.h"
#include "widgets/tvbox_ctrl.h"

namespace zrv {
namespace {

// Window size in pixels; control places in layout units (row, column, width × height).
constexpr int kWidth = 240, kHeight = 73;
constexpr int kBoxTop = -3;
constexpr int kFieldRow = 7, kLabelRow = 9, kButtonRow = 25;
// The date field is five units wider than the classic forty, so that a date in the system's
// font fits beside the calendar button; it still ends before the "Uhrzeit" label.
constexpr int kDateWidth = 45;

// The number in `part` when it holds at least one digit and otherwise only blanks.
std::optional<int> number(const std::string& part) {
  int value = 0;
  bool digit = false;
  for (char c : part) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      value = value * 10 + (c - '0');
      digit = true;
    } else if (c != ' ') {
      return std::nullopt;
    }
  }
  return digit ? std::optional<int>(value) : std::nullopt;
}

// A date typed as "99.99.9999"; day and month may lack a digit, the year needs all four.
std::optional<Date> checkedDate(const std::string& typed) {
  if (typed.size() != 10 || typed[2] != '.' || typed[5] != '.') return std::nullopt;
  const auto day = number(typed.substr(0, 2));
  const auto month = number(typed.substr(3, 2));
  const std::string yearText = typed.substr(6, 4);
  const auto year = number(yearText);
  if (!day || !month || !year || yearText.find(' ') != std::string::npos) return std::nullopt;
  return Date::fromYmd(*year, *month, *day);
}

TVBoxStyle postponeBoxStyle() {
  TVBoxStyle look;
  look.captionColour = *wxBLACK;
  look.background = {*wxWHITE, wxColour(80, 80, 80)};
  return look;
}

}  // namespace

std::optional<std::string> checkedTime(const std::string& typed) {
  if (typed.size() != 5 || typed[2] != ':') return std::nullopt;
  const auto hours = number(typed.substr(0, 2));
  const auto minutes = number(typed.substr(3, 2));
  if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
  auto digit = [](int v) { return static_cast<char>('0' + v); };
  return std::string{digit(*hours / 10), digit(*hours % 10), ':', digit(*minutes / 10),
                     digit(*minutes % 10)};
}

PostponeWindow::PostponeWindow(wxWindow* parent, const Date& date, const std::string& time,
                               PostponeWindowOptions options, WindowServices& services)
    : BoxDialog(parent, wxS("Termin verlegen"), wxSize(kWidth, kHeight), kBoxTop, 0,
                postponeBoxStyle()),
      options_(std::move(options)),
      services_(services) {
  buildFields(date, time);
  buildButtons();
  centre();
  date_->SetFocus();
}

void PostponeWindow::buildFields(const Date& date, const std::string& time) {
  auto label = [this](int column, int width, const wxString& text) {
    const wxRect r = place(kLabelRow, column, width, 7);
    new wxStaticText(box(), wxID_ANY, text, r.GetPosition(), r.GetSize(), wxST_NO_AUTORESIZE);
  };
  auto field = [this](int column, int width, const std::string& value, const std::string& pattern,
                      const std::string& bitmap, TBmpGet::Action action) {
    const wxRect r = place(kFieldRow, column, width, 10);
    auto* f = new TBmpGet(box(), wxID_ANY, wxString::FromUTF8(value), r.GetPosition(), r.GetSize(),
                          bitmap, std::move(action));
    f->setPattern(pattern);
    f->setColours(options_.colours.text, options_.colours.back);
    // Either field changed makes saving possible.
    f->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
      if (save_) save_->Enable();
    });
    return f;
  };
  label(4, 18, wxS("Datum"));
  date_ = field(23, kDateWidth, date.toDisplay(), "99.99.9999", "KALENDSM",
                [this](TBmpGet& f) { pickDate(f); });
  label(70, 20, wxS("Uhrzeit"));
  time_ = field(91, 25, time, "99:99", "", {});
}

void PostponeWindow::buildButtons() {
  wxRect r = place(kButtonRow, 37, 40, 10);
  save_ = new wxButton(box(), wxID_ANY, wxS("&Speichern"), r.GetPosition(), r.GetSize());
  save_->SetToolTip(wxS("Verlegung speichern"));
  save_->SetDefault();
  save_->Disable();
  r = place(kButtonRow, 79, 40, 10);
  cancel_ = new wxButton(box(), wxID_ANY, wxS("&Abbrechen"), r.GetPosition(), r.GetSize());
  cancel_->SetToolTip(wxS("Ohne Speichern beenden"));
  save_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { save(); });
  cancel_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(wxID_CANCEL); });
}

void PostponeWindow::pickDate(TBmpGet& field) {
  const auto picked = services_.pickDate(this, Date::fromDisplay(field.GetValue().utf8_string()));
  if (picked && !picked->empty()) field.SetValue(wxString::FromUTF8(picked->toDisplay()));
}

bool PostponeWindow::save() {
  if (!save_->IsEnabled()) return false;
  const auto date = checkedDate(date_->GetValue().utf8_string());
  if (!date) {
    complain("Bitte ein gültiges Datum eingeben (TT.MM.JJJJ) !", date_);
    return false;
  }
  const auto time = checkedTime(time_->GetValue().utf8_string());
  if (!time) {
    complain("Bitte eine gültige Uhrzeit eingeben (hh:mm) !", time_);
    return false;
  }
  result_ = Postponement{*date, *time};
  finish(wxID_OK);
  return true;
}

void PostponeWindow::complain(const std::string& text, TBmpGet* field) {
  services_.tell(this, Severity::Problem, "Problem", text);
  field->SetFocus();
}

}  // namespace zrv
