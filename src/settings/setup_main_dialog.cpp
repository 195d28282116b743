#include "settings/setup_main_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/simplebook.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <initializer_list>

#include "app/context.h"
#include "app/help.h"
#include "ports/window_services.h"
#include "settings/setup_main.h"
#include "settings/setup_tabs_ctrl.h"
#include "store/base/logbook.h"
#include "widgets/bitmaps.h"
#include "widgets/dialog_look.h"
#include "widgets/modal_windows.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {

const wxColour kDialogBack(115, 140, 222);
const wxColour kTabBack(51, 209, 233);
const wxColour kPageBack(123, 173, 222);
const wxColour kWithoutWakeUp(192, 192, 192);  // texts of the wake-up without the facility

constexpr int kWidth = 300;  // layout units of the client area
constexpr int kMargin = 5;
constexpr int kPageHeight = 140;
constexpr int kField = 10;  // height of an entry field and of a line of controls
constexpr int kIndent = 8;  // where a page's controls begin
constexpr int kTextWidth = kWidth - 2 * kMargin - 2 * kIndent;

wxString utf8(const std::string& s) {
  return wxString::FromUTF8(s);
}

wxIcon iconOf(const char* picture) {
  wxIcon icon;
  icon.CopyFromBitmap(bitmapByName(picture, wxSize(32, 32)));
  return icon;
}

// Pixels right of `w`, where the next part of its line begins.
int after(const wxWindow* w) {
  return w->GetRect().GetRight() + 1 + unitsToPx(w, 3);
}

// A text of one line at `x` pixels in the line `row`, as wide as it needs, centred on the line's
// entry fields.
wxStaticText* label(wxWindow* page, int row, int x, const wxString& caption) {
  auto* t = new wxStaticText(page, wxID_ANY, caption);
  t->SetForegroundColour(*wxBLACK);
  // As wide as the text in the page's font (the toolkit measures its own before the first show).
  t->SetSize(page->GetTextExtent(caption) + wxSize(2, 2));
  const wxRect line = unitRect(page, row, 0, 0, kField);
  t->Move(x, line.y + (line.height - t->GetSize().y) / 2);
  return t;
}

// A text across the page that wraps at its width; `lines` tall.
wxStaticText* paragraph(wxWindow* page, int row, int lines, const wxString& caption) {
  const wxRect r = unitRect(page, row, kIndent, kTextWidth, 0);
  auto* t =
      new wxStaticText(page, wxID_ANY, caption, r.GetPosition(),
                       wxSize(r.width, lines * page->GetCharHeight() + 2), wxST_NO_AUTORESIZE);
  t->SetForegroundColour(*wxBLACK);
  t->Wrap(r.width);
  return t;
}

wxCheckBox* check(wxWindow* page, int row, const char* name, const wxString& caption, bool& value,
                  std::function<void()> after = {}) {
  const wxRect r = unitRect(page, row, kIndent, kTextWidth, kField);
  auto* c = new wxCheckBox(page, wxID_ANY, caption, r.GetPosition(), r.GetSize(), 0,
                           wxDefaultValidator, name);
  c->SetForegroundColour(*wxBLACK);
  c->SetValue(value);
  c->Bind(wxEVT_CHECKBOX, [c, &value, after](wxCommandEvent&) {
    value = c->IsChecked();
    if (after) after();
  });
  return c;
}

// Radio buttons for the values 1, 2, 3 ... of `value`: one under the other from `row`, or side
// by side in `row` when `across`.
void radios(wxWindow* page, const char* name, int row, bool across,
            std::initializer_list<const char*> captions, int& value) {
  int n = 0;
  int x = unitsToPx(page, kIndent + 8);
  for (const char* caption : captions) {
    ++n;
    const wxRect line = unitRect(page, across ? row : row + 14 * (n - 1), 0, 0, kField);
    auto* b = new wxRadioButton(page, wxID_ANY, wxString::FromUTF8(caption), wxPoint(x, line.y),
                                wxDefaultSize, n == 1 ? wxRB_GROUP : 0, wxDefaultValidator,
                                wxString(name) << n);
    b->SetForegroundColour(*wxBLACK);
    b->SetValue(value == n);
    b->Bind(wxEVT_RADIOBUTTON, [&value, n](wxCommandEvent&) { value = n; });
    if (across) x = after(b) + unitsToPx(page, 8);
  }
}

// A number field of `digits` places at `x` pixels in the line `row`, writing `value` at every
// change.
TBmpGet* numberField(wxWindow* page, int row, int x, int digits, const char* name, int& value,
                     const EntryColours& colours) {
  const wxRect r = unitRect(page, row, 0, 6 * digits + 6, kField);
  auto* f = new TBmpGet(page, wxID_ANY, wxString() << value, wxPoint(x, r.y), r.GetSize());
  f->SetName(name);
  f->setPattern(std::string(digits, '9'));
  f->setColours(colours.text, colours.back);
  f->Bind(wxEVT_TEXT,
          [f, &value](wxCommandEvent&) { value = fieldNumber(f->GetValue().utf8_string()); });
  return f;
}

}  // namespace

SetupMainDialog::SetupMainDialog(wxWindow* parent, Context& ctx, MailSettingsCopy& mail,
                                 WindowServices& services, TestMailSender testMail)
    : wxDialog(parent, wxID_ANY, wxS("Zorvane - Allgemeine Einstellungen"), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE, "SETUPMAIN"),
      ctx_(ctx),
      mail_(mail),
      services_(services),
      sendTestMail_(std::move(testMail)) {
  SetFont(smallFont());
  SetIcon(iconOf("Setup"));
  SetBackgroundColour(kDialogBack);
  SetForegroundColour(*wxBLACK);

  tabs_ = new SetupTabs(this, unitRect(this, kMargin, kMargin, 0, 0).GetPosition(),
                        {wxS("&Programm"), wxS("&Termine"), wxS("&Wochenübersicht"), wxS("&Emails"),
                         wxS("Programm&fehler")},
                        {*wxBLACK, kTabBack, kDialogBack});
  const wxRect book = unitRect(this, kMargin, kMargin, kWidth - 2 * kMargin, kPageHeight);
  pages_ = new wxSimplebook(this, wxID_ANY, wxPoint(book.x, book.y + tabs_->GetSize().y),
                            book.GetSize(), wxBORDER_SIMPLE);
  pages_->SetBackgroundColour(kPageBack);
  pages_->AddPage(programPage(), tabs_->caption(0));
  pages_->AddPage(appointmentsPage(), tabs_->caption(1));
  pages_->AddPage(weekPage(), tabs_->caption(2));
  pages_->AddPage(mailPage(), tabs_->caption(3));
  pages_->AddPage(errorsPage(), tabs_->caption(4));
  tabs_->onChange([this](int page) { pages_->ChangeSelection(page); });
  addButtons(pages_->GetRect().GetBottom());
  Bind(wxEVT_CHAR_HOOK, &SetupMainDialog::onCharHook, this);
  CentreOnParent();
  tabs_->SetFocus();
}

wxWindow* SetupMainDialog::newPage() {
  auto* page = new wxPanel(pages_);
  page->SetBackgroundColour(kPageBack);
  page->SetForegroundColour(*wxBLACK);
  return page;
}

wxWindow* SetupMainDialog::programPage() {
  wxWindow* page = newPage();
  Settings& s = ctx_.settings;
  const int x = unitsToPx(page, kIndent);
  label(page, 8, x, wxS("Wie soll sich Zorvane beim Programmstart verhalten ?"));
  check(page, 24, "LS_ASTART", wxS(" Zorvane beim Start von Windows automatisch laden"),
        s.LS_ASTART);
  check(page, 38, "LS_ASICON", wxS(" Zorvane nach dem Start verstecken"), s.LS_ASICON);
  wxStaticText* timer = label(page, 56, x, wxS("Timer-Intervall"));
  TBmpGet* seconds =
      numberField(page, 56, after(timer), 2, "NS_TIMER", s.NS_TIMER, entryColours(ctx_.lists));
  label(page, 56, after(seconds), wxS("Sekunden  (empfohlen: 15 - 60 Sek.)"));
  return page;
}

wxWindow* SetupMainDialog::appointmentsPage() {
  wxWindow* page = newPage();
  Settings& s = ctx_.settings;
  const EntryColours colours = entryColours(ctx_.lists);
  const int x = unitsToPx(page, kIndent);
  const int inner = unitsToPx(page, kIndent + 12);
  check(page, 8, "LS_SHOWOLD", wxS(" Verpaßte Termine vom Tage vorlegen"), s.LS_SHOWOLD);
  wxStaticText* t = label(page, 22, inner, wxS("aber nicht, wenn mehr als"));
  TBmpGet* f = numberField(page, 22, after(t), 3, "NS_MIN", s.NS_MIN, colours);
  label(page, 22, after(f), wxS("Min. vergangen sind !"));
  check(page, 40, "LS_SLOESCH", wxS(" Erledigte Termine sofort löschen"), s.LS_SLOESCH);
  t = label(page, 58, x, wxS("Automatische Wiedervorlage nach"));
  f = numberField(page, 58, after(t), 3, "NS_AUTOMIN", s.NS_AUTOMIN, colours);
  label(page, 58, after(f), wxS("Min."));

  // The wake-up needs the platform's facility; its minutes also the box.
  const bool facility = wakeUpBoxEnabled(ctx_);
  wxCheckBox* wakeUp =
      check(page, 76, "LS_WAKEUP", wxS(" Rechner für einen Termin aus StandBy aufwecken"),
            s.LS_WAKEUP, [this] { wakeUpMinutes_->Enable(wakeUpMinutesEnabled(ctx_)); });
  wakeUp->Enable(facility);
  wxStaticText* minutesText = label(page, 90, inner, wxS("Vorgabezeit für Aufwecken aus Standby"));
  wakeUpMinutes_ =
      numberField(page, 90, after(minutesText), 3, "NS_WAKEUPM", s.NS_WAKEUPM, colours);
  wakeUpMinutes_->Enable(wakeUpMinutesEnabled(ctx_));
  wxStaticText* minutesUnit = label(page, 90, after(wakeUpMinutes_), wxS("Min."));
  if (!facility) {
    for (wxWindow* w : std::initializer_list<wxWindow*>{wakeUp, minutesText, minutesUnit})
      w->SetForegroundColour(kWithoutWakeUp);
  }
  return page;
}

wxWindow* SetupMainDialog::weekPage() {
  wxWindow* page = newPage();
  label(page, 8, unitsToPx(page, kIndent),
        wxS("Wie sollen Termine in der Wochenübersicht angezeigt werden ?"));
  radios(page, "NS_WEEKSHOW", 26, false,
         {" &Kurz - nur 35 Zeichen", " &Gekürzt - nur 1. Zeile", " K&omplett - der ganze Text"},
         ctx_.settings.NS_WEEKSHOW);
  return page;
}

wxWindow* SetupMainDialog::mailPage() {
  wxWindow* page = newPage();
  const EntryColours colours = entryColours(ctx_.lists);
  const int x = unitsToPx(page, kIndent);
  label(page, 6, x, wxS("Ihre Daten für den Email-Versand"));
  MailAccount& m = mail_.account;
  int row = 20;
  const int fieldX = unitsToPx(page, kIndent + 60);
  const auto field = [&](const char* name, const char* caption, std::string& value) {
    label(page, row, x, wxString::FromUTF8(caption));
    const wxRect r = unitRect(page, row, 0, 180, kField);
    auto* f = new TBmpGet(page, wxID_ANY, utf8(value), wxPoint(fieldX, r.y), r.GetSize());
    f->SetName(name);
    f->text()->SetMaxLength(kMailFieldChars);
    f->setColours(colours.text, colours.back);
    f->Bind(wxEVT_TEXT, [this, f, &value](wxCommandEvent&) {
      value = f->GetValue().utf8_string();
      testMail_->Enable(zrvSmtpOk(mail_.account));
    });
    row += 14;
  };
  field("CM_NAME", "Absender", m.Name);
  field("CM_REPLY", "Email-Adresse", m.Reply);
  field("CM_SMTP", "SMTP-Server", m.SMTP);
  field("CM_USER", "Benutzer-Name", m.User);
  field("CM_PASS", "Passwort", m.Pass);
  wxCheckBox* online =
      check(page, row, "LM_ONLINE", wxS(" Ständige Internet-Verbindung"), mail_.LM_ONLINE);
  online->SetSize(online->GetBestSize().x, -1);
  online->Move(fieldX, online->GetPosition().y);
  const wxRect r = unitRect(page, row + 16, 0, 70, 13);
  testMail_ = new wxButton(page, wxID_ANY, wxS("Test&mail senden"), wxPoint(fieldX, r.y),
                           r.GetSize(), 0, wxDefaultValidator, "TESTMAIL");
  testMail_->Enable(zrvSmtpOk(m));
  testMail_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    if (sendTestMail_) sendTestMail_(mail_);
  });
  return page;
}

wxWindow* SetupMainDialog::errorsPage() {
  wxWindow* page = newPage();
  Settings& s = ctx_.settings;
  paragraph(page, 6, 3,
            wxS("Wählen Sie jetzt die Vorgehensweise beim Auftreten eines Programmfehlers. Bei "
                "einem Programmfehler wird eine Fehlerdate mit Namen ERROR.LOG erstellt. Senden "
                "Sie uns diese Datei zu, damit wir den Fehler korrigieren können !"));
  std::string advice =
      "Wir empfehlen die Option 'Löschen'. Wenn ein Programmfehler gemeldet wird, können Sie "
      "diesen dann trotzdem an unseren Support übermitteln.";
  if (const std::string support = supportSentence(); !support.empty()) advice += " " + support;
  paragraph(page, 36, 3, utf8(advice));
  radios(page, "NS_ERROR", 66, true, {"&Löschen", "A&rchivieren", "&Email-Versand"}, s.NS_ERROR);
  check(page, 86, "LS_LOGBUCH", wxS(" Alle A&ktivitäten von Zorvane protokollieren"), s.LS_LOGBUCH,
        [this] { ctx_.log.setEnabled(ctx_.settings.LS_LOGBUCH); });
  check(page, 100, "LS_SHOWLOG", wxS(" Protokoll beim &Beenden von Zorvane anzeigen"),
        s.LS_SHOWLOG);
  return page;
}

// The buttons below the pages, whose bottom edge lies at `pagesBottom` pixels; they end the
// dialog's client area.
void SetupMainDialog::addButtons(int pagesBottom) {
  const int top = pagesBottom + unitsToPx(this, 6);
  const auto button = [this, top](int id, int column, const wxString& caption) {
    const wxRect r = unitRect(this, 0, column, 52, 14);
    return new wxButton(this, id, caption, wxPoint(r.x, top), r.GetSize());
  };
  const int right = kWidth - kMargin - 52;
  wxButton* save = button(kSetupSaveId, right - 2 * 56, wxS("&Speichern"));
  wxButton* help = button(kSetupHelpId, right - 56, wxS("&Hilfe"));
  wxButton* cancel = button(kSetupCancelId, right, wxS("&Abbrechen"));
  save->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(true); });
  help->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { services_.showHelp(help_topic::kSettings); });
  cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(false); });
  SetEscapeId(kSetupCancelId);
  SetAffirmativeId(kSetupSaveId);
  SetClientSize(unitsToPx(this, kWidth), cancel->GetRect().GetBottom() + 1 + unitsToPx(this, 5));
}

void SetupMainDialog::showPage(int page) {
  tabs_->select(page);
}

bool SetupMainDialog::pageHasMnemonic(wxChar letter) const {
  const auto has = [letter](const wxWindowList& children) {
    for (const wxWindow* w : children) {
      if (w->IsShown() && w->IsEnabled() && mnemonicOf(w->GetLabel()) == letter) return true;
    }
    return false;
  };
  return has(pages_->GetCurrentPage()->GetChildren()) || has(GetChildren());
}

// Ctrl+PgDn and Ctrl+PgUp (or Ctrl+Tab) turn the pages; Alt with a tab's letter shows its page
// unless a control of the page shown or a button below has that letter.
void SetupMainDialog::onCharHook(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  const int pages = static_cast<int>(tabs_->pageCount());
  if (event.GetModifiers() == wxMOD_CONTROL && (key == WXK_PAGEDOWN || key == WXK_TAB)) {
    tabs_->select((tabs_->selection() + 1) % pages);
    tabs_->SetFocus();
    return;
  }
  if ((event.GetModifiers() == wxMOD_CONTROL && key == WXK_PAGEUP) ||
      (event.GetModifiers() == (wxMOD_CONTROL | wxMOD_SHIFT) && key == WXK_TAB)) {
    tabs_->select((tabs_->selection() + pages - 1) % pages);
    tabs_->SetFocus();
    return;
  }
  if (event.GetModifiers() == wxMOD_ALT && key < 128 && wxIsalpha(key)) {
    const wxChar letter = static_cast<wxChar>(wxTolower(key));
    const int page = tabs_->pageOfMnemonic(letter);
    if (page >= 0 && !pageHasMnemonic(letter)) {
      tabs_->select(page);
      tabs_->SetFocus();
      return;
    }
  }
  event.Skip();
}

void SetupMainDialog::finish(bool save) {
  saved_ = save;
  const int code = save ? wxID_OK : wxID_CANCEL;
  endDialog(*this, code);
}

void setupMain(wxWindow* parent, Context& ctx, WindowServices& services, AutostartPort& autostart,
               const TestMailSender& testMail) {
  const bool autostartWas = ctx.settings.LS_ASTART;
  MailSettingsCopy mail = loadMailCopies(ctx);
  bool saved = false;
  {
    const ScopedHelpTopic topic(ctx.help, help_topic::kSettings, help_topic::kMain);
    SetupMainDialog dialog(parent, ctx, mail, services, testMail);
    dialog.ShowModal();
    saved = dialog.saved();
  }
  const auto tell = [&](const std::optional<SettingsNotice>& notice) {
    if (notice) services.tell(parent, Severity::Problem, notice->title, notice->text);
  };
  if (saved) tell(saveMainSettings(ctx, mail));
  tell(updateAutostart(ctx, autostartWas, autostart));
}

}  // namespace zrv
