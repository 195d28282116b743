#include "editor/editor_window.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <initializer_list>

#include "app/context.h"
#include "app/help.h"
#include "editor/details_window.h"
#include "editor/file_choice.h"
#include "ports/window_services.h"
#include "reminder/sound_slots.h"
#include "store/base/clock.h"
#include "store/base/date_time.h"
#include "widgets/bitmaps.h"
#include "widgets/call_after.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {

// Window size in pixels; control places in layout units (row, column, width × height).
constexpr int kWidth = 381, kHeight = 385;
constexpr int kBoxTop = -3;
constexpr int kOffset = 50;  // below and right of the main window's top left corner
constexpr int kButtonRow = 180, kButtonWidth = 35, kRowHeight = 10;
// "Programm" and "Parameter" need a little more room than the other captions in the system's
// font: their fields start a few units further right and end before the chooser buttons.
constexpr int kKindLabelWidth = 34, kKindFieldColumn = 37, kKindFieldWidth = 138;

wxString utf8(const std::string& s) {
  return wxString::FromUTF8(s);
}

std::string text(const TBmpGet* field) {
  return field->GetValue().utf8_string();
}

// The tooltip shows over the text part of the field as well.
void tip(TBmpGet* field, const wxString& text) {
  field->SetToolTip(text);
  field->text()->SetToolTip(text);
}

TVBoxStyle editorBoxStyle() {
  TVBoxStyle look;
  look.caption = " ";
  look.captionColour = wxColour(255, 255, 0);
  look.background = {*wxWHITE, wxColour(165, 192, 170)};
  return look;
}

// Where the text box lies for each kind: the large one alone, or a shorter one above the
// program or file fields.
wxRect textPlace(const BoxDialog& dialog, TextMode mode) {
  switch (mode) {
    case TextMode::Program:
      return dialog.place(75, 3, 184, 35);
    case TextMode::File:
      return dialog.place(75, 3, 184, 45);
    case TextMode::Plain:
      break;
  }
  return dialog.place(80, 3, 184, 65);
}

}  // namespace

EditorWindow::EditorWindow(wxWindow* parent, EditorSession& session, Context& ctx,
                           SoundPlayer& sound, bool mailOk, WindowServices& services)
    : BoxDialog(parent, wxS("Termin-Verwaltung"), wxSize(kWidth, kHeight), kBoxTop, 0,
                editorBoxStyle()),
      session_(session),
      ctx_(ctx),
      sound_(sound),
      services_(services),
      colours_(entryColours(ctx.lists)) {
  buildTop();
  emailLabel_->SetForegroundColour(mailOk ? *wxBLACK : wxColour(128, 128, 128));
  email_->Enable(mailOk);
  buildKindFields();
  buildBottom();
  buildButtons();
  showValues();
  mode_ = zrvMist(session_.values(), ctx_.lists);
  applyMode();

  if (parent && parent->IsShownOnScreen()) {
    SetPosition(parent->GetPosition() + wxPoint(kOffset, kOffset));
  } else {
    centre();
  }
  collect();  // the values as the fields show them, blanks and all
  opened_ = session_.values();
  openedDate_ = date_->GetValue();
  date_->SetFocus();
}

wxStaticText* EditorWindow::label(int row, int column, int width, const wxString& caption) {
  const wxRect r = place(row, column, width, 7);
  return new wxStaticText(box(), wxID_ANY, caption, r.GetPosition(), r.GetSize(),
                          wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
}

TBmpGet* EditorWindow::field(int row, int column, int width, int height, const std::string& value,
                             const std::string& pattern) {
  const wxRect r = place(row, column, width, height);
  auto* f = new TBmpGet(box(), wxID_ANY, utf8(value), r.GetPosition(), r.GetSize());
  if (!pattern.empty()) f->setPattern(pattern);
  f->setColours(colours_.text, colours_.back);
  return f;
}

wxButton* EditorWindow::pictureButton(int row, int column, const char* bitmap,
                                      const wxString& tip) {
  const wxRect r = place(row, column, 10, 10);
  // Flat, so that the toolkit's button padding leaves room for the picture.
  auto* b = new wxBitmapButton(box(), wxID_ANY, bitmapByName(bitmap, wxSize(14, 14)),
                               r.GetPosition(), r.GetSize(), wxBU_EXACTFIT | wxBORDER_NONE);
  b->SetToolTip(tip);
  return b;
}

// The first key typed into the field replaces its whole content.
void EditorWindow::replaceOnFirstKey(TBmpGet* f) {
  f->text()->Bind(wxEVT_SET_FOCUS, [f](wxFocusEvent& e) {
    callAfter(*f->text(), [f] { f->text()->SelectAll(); });
    e.Skip();
  });
}

// A date, time or number that cannot be right is refused when the user leaves its field, and
// the field keeps the focus; going to "&Abbrechen" is always possible.
void EditorWindow::checkOnLeaving(TBmpGet* f, EditorField which) {
  f->text()->Bind(wxEVT_KILL_FOCUS, [this, which](wxFocusEvent& e) {
    e.Skip();
    if (complaining_ || picking_ || e.GetWindow() == cancelButton() || !IsShown()) return;
    callAfter(*this, [this, which] {
      if (complaining_ || picking_ || IsBeingDeleted() || !IsShown()) return;
      if (which == EditorField::Date) {
        (void)takeDate(true);
        return;
      }
      collect();
      const auto problem = checkEditorValues(session_.values());
      if (problem && problem->field == which) {
        complain(problem->message, which == EditorField::Time       ? time_
                                   : which == EditorField::LeadTime ? lead_
                                                                    : notAfter_);
      }
    });
  });
}

void EditorWindow::buildTop() {
  label(7, 3, 26, wxS("Datum"));
  date_ = field(5, 31, 42, 10, "", "99.99.9999");
  date_->setBitmap("KALENDSM", [this](TBmpGet&) { pickDate(); });
  tip(date_, wxS("Datum eingeben / Kalender anzeigen"));
  checkOnLeaving(date_, EditorField::Date);
  label(7, 75, 24, wxS("Uhrzeit"));
  time_ = field(5, 100, 20, 10, "", "99:99");
  tip(time_, wxS("Uhrzeit des Termins"));
  checkOnLeaving(time_, EditorField::Time);
  label(7, 124, 33, wxS("Vorwarnzeit"));
  lead_ = field(5, 158, 17, 10, "", "999");
  tip(lead_, wxS("Vorwarnzeit in Minuten"));
  checkOnLeaving(lead_, EditorField::LeadTime);
  label(7, 178, 10, wxS("min"));

  label(20, 3, 26, wxS("Art"));
  wxRect r = place(18, 31, 118, 12);
  wxArrayString kinds;
  for (const auto& k : ctx_.lists.ATERMART)
    kinds.Add(utf8(k));
  kind_ = new wxChoice(box(), wxID_ANY, r.GetPosition(), r.GetSize(), kinds);
  kind_->SetToolTip(wxS("Art des Termins"));
  kind_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { changeKind(); });
  r = place(19, 153, 9, 9);
  kindBitmap_ = new wxStaticBitmap(box(), wxID_ANY, wxBitmap(), r.GetPosition(), r.GetSize());

  label(32, 3, 26, wxS("Vorlage"));
  r = place(30, 31, 118, 12);
  wxArrayString kindsOfRecurrence;
  for (const auto& k : ctx_.lists.AVORLAGE)
    kindsOfRecurrence.Add(utf8(k));
  recurrence_ = new wxChoice(box(), wxID_ANY, r.GetPosition(), r.GetSize(), kindsOfRecurrence);
  recurrence_->SetToolTip(wxS("Art der Wiedervorlage"));
  recurrence_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { changeRecurrence(); });
  r = place(31, 153, kButtonWidth, kRowHeight);
  details_ = new wxButton(box(), wxID_ANY, wxS("&Details"), r.GetPosition(), r.GetSize());
  details_->SetToolTip(wxS("Details zur Wiedervorlage"));
  details_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { showDetails(); });

  label(45, 3, 40, wxS("Wiederholung"));
  r = place(45, 45, 142, 8);
  repetition_ = new wxStaticText(box(), wxID_ANY, "", r.GetPosition(), r.GetSize(),
                                 wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
  repetition_->SetFont(smallBoldFont());

  emailLabel_ = label(58, 3, 27, wxS("Email an"));
  email_ = field(56, 31, 156, 10, "");
  tip(email_, wxS("Email-Versand des Termintextes"));
  email_->text()->SetMaxLength(kEmailWidth);
  replaceOnFirstKey(email_);

  r = textPlace(*this, TextMode::Plain);
  text_ = new wxTextCtrl(box(), wxID_ANY, "", r.GetPosition(), r.GetSize(),
                         wxTE_MULTILINE | wxTE_WORDWRAP);
  text_->SetForegroundColour(colours_.text);
  text_->SetBackgroundColour(colours_.back);
}

void EditorWindow::buildKindFields() {
  programLabel_ = label(117, 3, kKindLabelWidth, wxS("Programm"));
  program_ = field(116, kKindFieldColumn, kKindFieldWidth, 10, "");
  program_->text()->SetMaxLength(kProgramWidth);
  replaceOnFirstKey(program_);
  programButton_ = pictureButton(116, 177, "S_OPEN", wxS("Programm suchen"));
  programButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { chooseProgram(); });
  paramsLabel_ = label(130, 3, kKindLabelWidth, wxS("Parameter"));
  params_ = field(129, kKindFieldColumn, kKindFieldWidth, 10, "");
  params_->text()->SetMaxLength(kParamsWidth);
  replaceOnFirstKey(params_);
  paramsButton_ = pictureButton(129, 177, "S_OPEN", wxS("Programm-Parameter"));
  paramsButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { chooseFile(params_); });

  fileLabel_ = label(130, 3, kKindLabelWidth, wxS("Datei"));
  file_ = field(129, kKindFieldColumn, kKindFieldWidth, 10, "");
  file_->text()->SetMaxLength(kProgramWidth);
  replaceOnFirstKey(file_);
  fileChooser_ = pictureButton(129, 177, "S_OPEN", wxS("Versand-Datei"));
  fileChooser_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { chooseFile(file_); });
}

void EditorWindow::buildBottom() {
  // The caption decides where the field goes: it may need more room than on the drawing board.
  wxStaticText* before = label(150, 3, 80, wxS("Nicht vorlegen wenn mehr als"));
  const int captionEnd = before->GetPosition().x + before->GetBestSize().x;
  before->SetSize(before->GetBestSize().x, before->GetSize().y);
  notAfter_ = field(149, 83, 15, 10, "", "9999");
  if (notAfter_->GetPosition().x < captionEnd + 4)
    notAfter_->Move(captionEnd + 4, notAfter_->GetPosition().y);
  checkOnLeaving(notAfter_, EditorField::NotAfter);
  wxStaticText* after = label(150, 100, 80, wxS("Minuten vergangen sind !"));
  const int fieldEnd = notAfter_->GetRect().GetRight() + 6;
  if (after->GetPosition().x < fieldEnd) after->Move(fieldEnd, after->GetPosition().y);

  label(164, 3, 26, wxS("Alarm"));
  const wxRect r = place(163, 31, 132, 10);
  alarm_ = new wxStaticText(box(), wxID_ANY, "", r.GetPosition(), r.GetSize(),
                            wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE | wxBORDER_SIMPLE);
  alarm_->SetForegroundColour(colours_.text);
  alarm_->SetBackgroundColour(colours_.back);
  soundButton_ = pictureButton(163, 165, "S_OPEN", wxS("Sounddatei suchen"));
  soundButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { chooseSound(); });
  play_ = pictureButton(163, 177, "S_PLAY", wxS("Sounddatei abspielen"));
  play_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    (void)qlPlaySound(ctx_, sound_, kSoundFile, 0, session_.values().alarmFile);
  });
}

void EditorWindow::buildButtons() {
  struct ButtonPlace {
    int column;
    const wchar_t* caption;
    const wchar_t* tip;
  };
  const ButtonPlace places[] = {{5, L"&Speichern", L"Termin speichern"},
                                {42, L"&Reaktivieren", L"Termin reaktivieren"},
                                {79, L"Ab&legen", L"Termin ablegen"},
                                {116, L"&Hilfe", L"Hilfe anzeigen"},
                                {153, L"&Abbrechen", L"Ohne Speichern beenden"}};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const wxRect r = place(kButtonRow, places[i].column, kButtonWidth, kRowHeight);
    buttons_[i] = new wxButton(box(), wxID_ANY, places[i].caption, r.GetPosition(), r.GetSize());
    buttons_[i]->SetToolTip(places[i].tip);
  }
  saveButton()->SetDefault();
  saveButton()->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { save(SaveMode::Save); });
  reactivateButton()->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { save(SaveMode::Reactivate); });
  fileButton()->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { save(SaveMode::File); });
  helpButton()->Bind(wxEVT_BUTTON,
                     [this](wxCommandEvent&) { services_.showHelp(help_topic::kEditor); });
  cancelButton()->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { cancel(); });
}

void EditorWindow::showValues() {
  const EditorValues& v = session_.values();
  date_->ChangeValue(utf8(v.date.toDisplay()));
  time_->ChangeValue(utf8(v.time));
  lead_->ChangeValue(utf8(v.leadTime));
  kind_->SetSelection(v.kind - 1);
  kindBitmap_->SetBitmap(bitmapByName(kindCode(ctx_.lists, v.kind), kindBitmap_->GetSize()));
  recurrence_->SetSelection(v.recurrence - 1);
  details_->Enable(v.recurrence >= 3 && v.recurrence <= 6);
  repetition_->SetLabel(utf8(v.repetitionText));
  email_->ChangeValue(utf8(v.email));
  text_->ChangeValue(utf8(v.text));
  program_->ChangeValue(utf8(v.program));
  params_->ChangeValue(utf8(v.params));
  file_->ChangeValue(utf8(v.file));
  notAfter_->ChangeValue(utf8(v.notAfter));
  alarm_->SetLabel(utf8(v.alarmFile));
  play_->Enable(!v.alarmFile.empty());
  reactivateButton()->Enable(v.filed);
  fileButton()->Enable(!v.filed);
}

// The fields' contents into the editor values (the date only when it names a real day).
void EditorWindow::collect() {
  EditorValues& v = session_.values();
  v.time = text(time_);
  v.leadTime = text(lead_);
  v.email = text(email_);
  v.text = text_->GetValue().utf8_string();
  v.program = text(program_);
  v.params = text(params_);
  v.file = text(file_);
  v.notAfter = text(notAfter_);
}

void EditorWindow::applyMode() {
  const bool program = mode_ == TextMode::Program;
  const bool file = mode_ == TextMode::File;
  text_->SetSize(textPlace(*this, mode_));
  for (wxWindow* w : std::initializer_list<wxWindow*>{programLabel_, program_, programButton_,
                                                      paramsLabel_, params_, paramsButton_}) {
    w->Show(program);
  }
  for (wxWindow* w : std::initializer_list<wxWindow*>{fileLabel_, file_, fileChooser_}) {
    w->Show(file);
  }
  text_->ChangeValue(utf8(session_.values().text));
  program_->ChangeValue(utf8(session_.values().program));
  file_->ChangeValue(utf8(session_.values().file));
  Refresh();
}

// The typed date into the editor values; a new date sets the recurrence defaults anew.
bool EditorWindow::takeDate(bool complainIfWrong) {
  const auto date = typedDate(text(date_));
  if (!date) {
    if (complainIfWrong) complain(kInvalidDateMessage, date_);
    return false;
  }
  EditorValues& v = session_.values();
  if (*date != v.date) {
    v.date = *date;
    resetRepetition(v);
    rebuildRepetitionText(v);
    repetition_->SetLabel(utf8(v.repetitionText));
  }
  return true;
}

// A date typed wrongly is told first; the calendar then opens on today. While it is open,
// leaving the date field raises no message of its own.
void EditorWindow::pickDate() {
  const std::string typed = text(date_);
  const auto date = typedDate(typed);
  if (!date && typed.find_first_of("0123456789") != std::string::npos) {
    complain(kInvalidDateMessage, date_);
  }
  picking_ = true;
  const auto picked = services_.pickDate(this, date.value_or(Date()));
  picking_ = false;
  if (!picked || picked->empty()) return;
  date_->SetValue(utf8(picked->toDisplay()));
  (void)takeDate(false);
}

void EditorWindow::changeKind() {
  collect();
  const int kind = kind_->GetSelection() + 1;
  mode_ = zrv::changeKind(session_.values(), ctx_.lists, kind,
                          [this](int n) { return qlGetPSound(ctx_, 8, n); });
  kindBitmap_->SetBitmap(bitmapByName(kindCode(ctx_.lists, kind), kindBitmap_->GetSize()));
  alarm_->SetLabel(utf8(session_.values().alarmFile));
  play_->Enable(!session_.values().alarmFile.empty());
  applyMode();
}

void EditorWindow::changeRecurrence() {
  EditorValues& v = session_.values();
  v.recurrence = recurrence_->GetSelection() + 1;
  resetRepetition(v);
  rebuildRepetitionText(v);
  repetition_->SetLabel(utf8(v.repetitionText));
  details_->Enable(v.recurrence >= 3 && v.recurrence <= 6);
}

void EditorWindow::showDetails() {
  collect();
  if (!takeDate(true)) return;
  ScopedHelpTopic topic(ctx_.help, help_topic::kRepetition, ctx_.help.topic());
  if (details(this, session_.values(), ctx_.clock.today(), DetailsOptions{colours_}, services_)) {
    date_->ChangeValue(utf8(session_.values().date.toDisplay()));
    repetition_->SetLabel(utf8(session_.values().repetitionText));
  }
}

void EditorWindow::chooseProgram() {
  const std::string chosen = zrvProgStart(
      ctx_, "Programm suchen", text(program_),
      [this](const std::string& title, const std::filesystem::path& start,
             const std::string& filter) { return chooseFileWith(title, start, filter); });
  if (chosen.empty()) return;
  if (!fitsField(chosen, kProgramWidth)) {
    complain(tooLongMessage(kProgramWidth), program_);
    return;
  }
  program_->SetValue(utf8(chosen));
}

// The parameter and file choosers start in the user's home folder: a drive root means nothing
// here.
void EditorWindow::chooseFile(TBmpGet* target) {
  const std::string chosen =
      chooseFileWith("Datei suchen", wxGetHomeDir().utf8_string(), kAnyFileFilter);
  if (chosen.empty()) return;
  const std::size_t width = target == params_ ? kParamsWidth : kProgramWidth;
  if (!fitsField(chosen, width)) {
    complain(tooLongMessage(width), target);
    return;
  }
  target->SetValue(utf8(chosen));
}

void EditorWindow::chooseSound() {
  EditorValues& v = session_.values();
  v.alarmFile = qlGetSound(
      ctx_, sound_, v.alarmFile,
      [this](const std::string& title, const std::filesystem::path& start,
             const std::string& filter) { return chooseFileWith(title, start, filter); });
  alarm_->SetLabel(utf8(v.alarmFile));
  play_->Enable(!v.alarmFile.empty());
}

std::string EditorWindow::chooseFileWith(const std::string& title,
                                         const std::filesystem::path& start,
                                         const std::string& filter) {
  return services_.chooseFile(this, title, start, filter);
}

void EditorWindow::complain(const std::string& message, wxWindow* focus) {
  complaining_ = true;
  services_.tell(this, Severity::Problem, "Problem", message);
  if (focus) focus->SetFocus();
  complaining_ = false;
}

bool EditorWindow::hasEntries() {
  collect();
  if (date_->GetValue() != openedDate_) return true;
  if (session_.isNew() && !session_.values().text.empty()) return true;
  return !(session_.values() == opened_);
}

void EditorWindow::closeRequested() {
  if (hasEntries() &&
      !services_.ask(this, "Achtung", "Änderungen verwerfen ?", /*defaultYes=*/false)) {
    return;
  }
  cancel();
}

// Whether the appointment's own date and time lie before the current minute: saved so, it would
// ring at once.
bool EditorWindow::inThePast() {
  const EditorValues& v = session_.values();
  const auto time = typedTime(v.time);
  return time && minutesSince(v.date, *time, ctx_.clock.now()) > 0;
}

bool EditorWindow::save(SaveMode mode) {
  const wxButton* button = mode == SaveMode::Save         ? saveButton()
                           : mode == SaveMode::Reactivate ? reactivateButton()
                                                          : fileButton();
  if (!button->IsEnabled()) return false;
  collect();
  if (!takeDate(true)) return false;
  if (const auto problem = checkEditorValues(session_.values())) {
    wxWindow* focus = problem->field == EditorField::Time       ? time_
                      : problem->field == EditorField::LeadTime ? lead_
                      : problem->field == EditorField::Date     ? date_
                                                                : notAfter_;
    complain(problem->message, focus);
    return false;
  }
  // A filed appointment rings no more: filing one in the past needs no question.
  if (mode != SaveMode::File && inThePast() &&
      !services_.ask(this, "Achtung", "Der Termin liegt in der Vergangenheit. Trotzdem speichern ?",
                     /*defaultYes=*/true)) {
    time_->SetFocus();
    return false;
  }
  const SaveResult result = session_.save(mode);
  finish(result == SaveResult::Saved ? wxID_OK : wxID_CANCEL);
  return result == SaveResult::Saved;
}

}  // namespace zrv
