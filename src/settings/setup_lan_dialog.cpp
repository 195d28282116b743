#include "settings/setup_lan_dialog.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include "app/context.h"
#include "app/help.h"
#include "ports/window_services.h"
#include "settings/setup_main.h"
#include "widgets/bitmaps.h"
#include "widgets/dialog_look.h"
#include "widgets/modal_windows.h"
#include "widgets/tvbox_ctrl.h"

namespace zrv {
namespace {

const wxColour kBack(123, 173, 222);
constexpr int kWidth = 220;  // layout units of the client area
constexpr int kHeight = 112;

}  // namespace

SetupLanDialog::SetupLanDialog(wxWindow* parent, Context& ctx, WindowServices& services)
    : wxDialog(parent, wxID_ANY, wxS("Zorvane - Netzwerk-Einstellungen"), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE, "SETUPLAN") {
  SetFont(smallFont());
  wxIcon icon;
  icon.CopyFromBitmap(bitmapByName("Setup", wxSize(32, 32)));
  SetIcon(icon);
  SetBackgroundColour(kBack);
  SetForegroundColour(*wxBLACK);
  SetClientSize(unitRect(this, 0, 0, kWidth, kHeight).GetSize());

  // The group: its caption in black on the frame, the question and the choices on it.
  TVBoxStyle look;
  look.caption = wxS("Netzwerk-Einstellungen");
  look.captionColour = *wxBLACK;
  look.transparent = true;
  auto* group = new TVBox(this, unitRect(this, 4, 6, kWidth - 12, 82), look);
  const wxRect q = unitRect(group, 12, 8, kWidth - 28, 20);
  auto* question = new wxStaticText(
      group, wxID_ANY,
      wxS("Was soll geschehen, wenn Ihre Termindatei von einem anderen Benutzer aktualisiert "
          "wurde ?"),
      q.GetPosition(), q.GetSize(), wxST_NO_AUTORESIZE);
  question->SetForegroundColour(*wxBLACK);
  question->Wrap(q.width);

  int& value = ctx.settings.NS_LANACTUAL;
  const int shown = shownLanChoice(value);
  const wxString captions[] = {wxS(" S&oundeffekt ausgeben"), wxS(" &Terminliste anzeigen"),
                               wxS(" &Nichts")};
  for (int n = 1; n <= 3; ++n) {
    const wxRect r = unitRect(group, 24 + 14 * n, 16, 160, 10);
    auto* b = new wxRadioButton(group, wxID_ANY, captions[n - 1], r.GetPosition(), r.GetSize(),
                                n == 1 ? wxRB_GROUP : 0, wxDefaultValidator,
                                wxString("NS_LANACTUAL") << n);
    b->SetForegroundColour(*wxBLACK);
    b->SetValue(shown == n);
    b->Enable(ctx.settings.LS_LAN);
    b->Bind(wxEVT_RADIOBUTTON, [&value, n](wxCommandEvent&) { value = n; });
  }

  const auto button = [this](int id, int column, const wxString& caption) {
    const wxRect place = unitRect(this, kHeight - 20, column, 52, 14);
    return new wxButton(this, id, caption, place.GetPosition(), place.GetSize());
  };
  wxButton* save = button(kLanSaveId, 6, wxS("&Speichern"));
  wxButton* help = button(kLanHelpId, 84, wxS("&Hilfe"));
  wxButton* cancel = button(kLanCancelId, kWidth - 58, wxS("&Abbrechen"));
  save->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(true); });
  help->Bind(wxEVT_BUTTON,
             [&services](wxCommandEvent&) { services.showHelp(help_topic::kNetwork); });
  cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(false); });
  SetEscapeId(kLanCancelId);
  SetAffirmativeId(kLanSaveId);
  CentreOnParent();
  save->SetFocus();
}

void SetupLanDialog::finish(bool save) {
  saved_ = save;
  const int code = save ? wxID_OK : wxID_CANCEL;
  endDialog(*this, code);
}

void setupLan(wxWindow* parent, Context& ctx, WindowServices& services) {
  bool saved = false;
  {
    const ScopedHelpTopic topic(ctx.help, help_topic::kNetwork, help_topic::kMain);
    SetupLanDialog dialog(parent, ctx, services);
    dialog.ShowModal();
    saved = dialog.saved();
  }
  if (!saved) return;
  if (const std::optional<SettingsNotice> notice = saveLanSettings(ctx)) {
    services.tell(parent, Severity::Problem, notice->title, notice->text);
  }
}

}  // namespace zrv
