#include "editor/details_window.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>

#include <algorithm>
#include <memory>

#include "editor/editor_checks.h"
#include "reminder/recurrence.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {

constexpr int kDateWidth = 42;  // wide enough for "dd.mm.yyyy" beside the calendar button

TVBoxStyle detailsBoxStyle(const wxString& title) {
  TVBoxStyle look;
  look.caption = title;
  look.captionColour = *wxBLACK;
  look.background = {*wxWHITE, wxColour(80, 80, 80)};
  return look;
}

}  // namespace

DetailsWindow::DetailsWindow(wxWindow* parent, const wxString& title, const wxSize& size,
                             const EditorValues& values, DetailsOptions options,
                             WindowServices& services)
    : BoxDialog(parent, title, size, 0, 0, detailsBoxStyle(title)),
      values_(values),
      options_(std::move(options)),
      services_(services) {}

void DetailsWindow::label(int row, int column, int width, const wxString& text) {
  const wxRect r = place(row, column, width, 7);
  new wxStaticText(box(), wxID_ANY, text, r.GetPosition(), r.GetSize(), wxST_NO_AUTORESIZE);
}

TBmpGet* DetailsWindow::dateField(int row, int column, const Date& value) {
  const wxRect r = place(row, column, kDateWidth, 10);
  auto* f = new TBmpGet(box(), wxID_ANY, wxString::FromUTF8(value.toDisplay()), r.GetPosition(),
                        r.GetSize());
  f->setPattern("99.99.9999");
  f->setColours(options_.colours.text, options_.colours.back);
  f->setBitmap("KALENDSM", [this](TBmpGet& field) {
    const auto picked = services_.pickDate(this, Date::fromDisplay(field.GetValue().utf8_string()));
    if (picked && !picked->empty()) field.SetValue(wxString::FromUTF8(picked->toDisplay()));
  });
  f->Bind(wxEVT_TEXT, [this](wxCommandEvent& e) {
    updateSave();
    e.Skip();
  });
  return f;
}

TBmpGet* DetailsWindow::numberField(int row, int column, int value, const std::string& pattern) {
  const wxRect r = place(row, column, 33, 10);
  auto* f =
      new TBmpGet(box(), wxID_ANY, wxString::Format("%d", value), r.GetPosition(), r.GetSize());
  f->setPattern(pattern);
  f->setColours(options_.colours.text, options_.colours.back);
  f->Bind(wxEVT_TEXT, [this](wxCommandEvent& e) {
    updateSave();
    e.Skip();
  });
  return f;
}

wxCheckBox* DetailsWindow::checkBox(int row, int column, const wxString& text, bool ticked) {
  const wxRect r = place(row, column, 42, 10);
  auto* box = new wxCheckBox(this->box(), wxID_ANY, text, r.GetPosition(), r.GetSize());
  box->SetSize(std::max(r.GetWidth(), box->GetBestSize().x), r.GetHeight());
  box->SetValue(ticked);
  box->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { updateSave(); });
  return box;
}

void DetailsWindow::buttons(int row, int saveColumn, int cancelColumn) {
  wxRect r = place(row, saveColumn, 35, 10);
  save_ = new wxButton(box(), wxID_ANY, wxS("&Speichern"), r.GetPosition(), r.GetSize());
  save_->SetToolTip(wxS("Details speichern"));
  save_->SetDefault();
  r = place(row, cancelColumn, 35, 10);
  cancel_ = new wxButton(box(), wxID_ANY, wxS("&Abbrechen"), r.GetPosition(), r.GetSize());
  cancel_->SetToolTip(wxS("Ohne Speichern beenden"));
  save_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { save(); });
  cancel_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(wxID_CANCEL); });
}

std::optional<Date> DetailsWindow::dateOf(TBmpGet* field) {
  const auto date = typedDate(field->GetValue().utf8_string());
  if (date) return date;
  services_.tell(this, Severity::Problem, "Problem", kInvalidDateMessage);
  field->SetFocus();
  return std::nullopt;
}

int DetailsWindow::numberOf(const TBmpGet* field) {
  return typedNumber(field->GetValue().utf8_string()).value_or(0);
}

bool DetailsWindow::endBeforeDate(const TBmpGet* field) const {
  const auto end = typedDate(field->GetValue().utf8_string());
  return end && !values_.date.empty() && *end < values_.date;
}

void DetailsWindow::spreadColumns(const std::vector<std::vector<wxWindow*>>& columns) {
  int nextLeft = 0;
  for (const auto& column : columns) {
    int left = 0, width = 0;
    for (wxWindow* w : column) {
      left = std::max({left, w->GetPosition().x, nextLeft});
      width = std::max(width, w->GetSize().x);
    }
    for (wxWindow* w : column)
      w->Move(left, w->GetPosition().y);
    nextLeft = left + width + unitsToPx(this, 2);
  }
  fitWidth();
}

void DetailsWindow::fitWidth() {
  int right = 0;
  for (wxWindow* child : box()->GetChildren())
    right = std::max(right, child->GetRect().GetRight());
  const int needed = right + unitsToPx(this, 4);
  const wxSize client = GetClientSize();
  if (needed > client.x) {
    SetClientSize(needed, client.y);
    // The buttons keep their place at the right edge.
    const int shift = needed - client.x;
    for (wxButton* b : {save_, cancel_}) {
      if (b) b->Move(b->GetPosition().x + shift, b->GetPosition().y);
    }
  }
}

bool DetailsWindow::save() {
  if (!save_->IsEnabled()) return false;
  EditorValues copy = values_;
  if (!store(copy)) return false;
  result_ = copy;
  finish(wxID_OK);
  return true;
}

bool details(wxWindow* parent, EditorValues& values, const Date& today,
             const DetailsOptions& options, WindowServices& services) {
  std::unique_ptr<DetailsWindow> window;
  switch (values.recurrence) {
    case kOnce:
      services.tell(parent, Severity::Information, "Information", "Keine Wiedervorlage");
      return false;
    case kDaily:
      window = std::make_unique<DayDetailsWindow>(parent, values, today, options, services);
      break;
    case kWeekly:
      window = std::make_unique<WeekDetailsWindow>(parent, values, options, services);
      break;
    case kMonthly:
      window = std::make_unique<MonthDetailsWindow>(parent, values, today, options, services);
      break;
    case kYearly:
      window = std::make_unique<YearDetailsWindow>(parent, values, options, services);
      break;
    default:
      return false;
  }
  window->ShowModal();
  if (!window->result()) return false;
  values = *window->result();
  return true;
}

}  // namespace zrv
