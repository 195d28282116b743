#include "reminder/alert_window.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "widgets/bitmaps.h"
#include "widgets/tvbox_ctrl.h"

namespace zrv {
namespace {

// Window size in pixels; control places in layout units (row, column, width × height).
constexpr int kWidth = 353, kHeight = 305;
constexpr int kBoxTop = -3, kBoxColumns = 175;  // the box's top row; its width in columns
constexpr int kRowHeight = 10;
constexpr int kValueColumn = 45;
// The kind bitmap sits at the right end of its row, inside the box; the kind text stops short
// of it and the repetition text at the box's edge.
constexpr int kBitmapColumn = kBoxColumns - 13;
constexpr int kButtonRow = 140, kButtonWidth = 30;

wxString utf8(const std::string& s) {
  return wxString::FromUTF8(s);
}

TVBoxStyle alertBoxStyle() {
  TVBoxStyle look;
  look.captionColour = wxColour(255, 255, 0);
  look.background = {wxColour(255, 128, 128), wxColour(128, 0, 128)};
  return look;
}

wxString alertTitle(const AlertContent& content) {
  if (!content.title.empty()) return utf8(content.title);
  return content.mode == 1 ? wxS("Verpaßter Termin") : wxS("Aktueller Termin");
}

}  // namespace

AlertWindow::AlertWindow(wxWindow* parent, const AlertContent& content, AlertActions& actions,
                         AlertWindowOptions options, WindowServices& services)
    : BoxDialog(parent, alertTitle(content), wxSize(kWidth, kHeight), kBoxTop, 0, alertBoxStyle(),
                wxSTAY_ON_TOP),
      actions_(actions),
      options_(std::move(options)),
      services_(services) {
  // Labels and buttons in "Ms Sans Serif" 8 point (the dialogs' small font is a height).
  const wxFont eightPoint = dialogFont("Ms Sans Serif", 8, false);
  SetFont(eightPoint);
  box()->SetFont(eightPoint);
  buildLabels(content);
  buildButtons(content);
  Bind(wxEVT_SHOW, [this](wxShowEvent& e) {
    if (e.IsShown() && !raisedOnShow_) {
      raisedOnShow_ = true;
      Raise();
    }
    e.Skip();
  });
  centre();
  text_->SetFocus();
}

wxStaticText* AlertWindow::addLabel(int row, int column, int width, const wxString& text,
                                    bool value) {
  const wxRect r = place(row, column, width, kRowHeight);
  auto* label = new wxStaticText(box(), wxID_ANY, text, r.GetPosition(), r.GetSize(),
                                 wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
  if (value) {
    label->SetFont(dialogFont("Ms Sans Serif", 8, true));
    label->SetForegroundColour(*wxWHITE);
  }
  return label;
}

void AlertWindow::buildLabels(const AlertContent& content) {
  addLabel(9, 2, 40, wxS("Datum"), false);
  addLabel(9, kValueColumn, 40, utf8(content.date), true);
  addLabel(9, 87, 10, wxS("um"), false);
  addLabel(9, 99, 20, utf8(content.time), true);
  addLabel(9, 120, 12, wxS("Uhr"), false);
  addLabel(22, 2, 40, wxS("Terminart"), false);
  addLabel(22, kValueColumn, kBitmapColumn - kValueColumn - 2, utf8(content.kindText), true);
  addLabel(34, 2, 42, wxS("Wiederholung:"), false);
  addLabel(34, kValueColumn, kBoxColumns - kValueColumn - 2, utf8(content.repetitionText), true);

  const wxRect bmp = place(22, kBitmapColumn, 10, 10);
  kindBitmap_ = new wxStaticBitmap(box(), wxID_ANY, bitmapByName(content.kindCode, bmp.GetSize()),
                                   bmp.GetPosition(), bmp.GetSize());

  const wxRect r = place(52, 3, 170, 80);
  text_ = new wxTextCtrl(box(), wxID_ANY, utf8(content.text), r.GetPosition(), r.GetSize(),
                         wxTE_MULTILINE | wxTE_READONLY | wxTE_WORDWRAP);
  text_->SetFont(dialogFontPx("Arial", 25, true));
  text_->SetForegroundColour(options_.colours.text);
  text_->SetBackgroundColour(options_.colours.back);
}

wxButton* AlertWindow::addButton(int column, const wxString& caption, const wxString& tip) {
  const wxRect r = place(kButtonRow, column, kButtonWidth, kRowHeight);
  auto* button = new wxButton(box(), wxID_ANY, caption, r.GetPosition(), r.GetSize());
  button->SetToolTip(tip);
  return button;
}

void AlertWindow::buildButtons(const AlertContent& content) {
  kill_ =
      addButton(17, content.repeating ? wxS("&Gelesen") : wxS("&Löschen"),
                content.repeating ? wxS("Diesen Termin bestätigen") : wxS("Diesen Termin löschen"));
  auto_ = addButton(49, wxS("Aut&o"), wxS("Diesen Termin automatisch wieder vorlegen"));
  auto_->Enable(content.autoEnabled);
  move_ = addButton(81, wxS("&Verlegen"), wxS("Diesen Termin verlegen"));
  file_ = addButton(113, wxS("&Ablegen"), wxS("Diesen Termin ablegen, nicht löschen"));
  help_ = addButton(145, wxS("&Hilfe"), wxS("Hilfe anzeigen"));

  kill_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { runAction(AlertAction::Kill); });
  auto_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { runAction(AlertAction::Auto); });
  move_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { runAction(AlertAction::Move); });
  file_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { runAction(AlertAction::File); });
  help_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { services_.showHelp("Terminalarm"); });
}

void AlertWindow::runAction(AlertAction action) {
  if (running_) return;  // a nested window of the action is still open
  running_ = true;
  const bool done = actions_.run(action);
  running_ = false;
  if (done) {
    actionDone_ = true;
    finish(wxID_OK);
  }
}

}  // namespace zrv
