// The general settings "Zorvane - Allgemeine Einstellungen" (SETUPMAIN): five pages under their
// tabs, every control writing its setting at once (the mail page its working copies), and
// "&Speichern", "&Hilfe", "&Abbrechen" below. The controls are named after the values they
// write ("LS_ASTART", "NS_TIMER", "CM_NAME", "NS_ERROR2" ...).
#pragma once

#include <functional>

#include <wx/dialog.h>

#include "mail/mail_settings.h"

class wxButton;
class wxSimplebook;

namespace zrv {

struct Context;
class AutostartPort;
class SetupTabs;
class TBmpGet;
class WindowServices;

inline constexpr int kSetupSaveId = 901;
inline constexpr int kSetupHelpId = 902;
inline constexpr int kSetupCancelId = 903;

// Sends the test mail with the working copies of the mail page.
using TestMailSender = std::function<void(const MailSettingsCopy&)>;

class SetupMainDialog : public wxDialog {
 public:
  // `mail` (the working copies) must outlive the dialog.
  SetupMainDialog(wxWindow* parent, Context& ctx, MailSettingsCopy& mail, WindowServices& services,
                  TestMailSender testMail);

  // Whether "&Speichern" closed it.
  bool saved() const { return saved_; }
  SetupTabs* tabs() const { return tabs_; }
  wxSimplebook* pages() const { return pages_; }
  wxButton* testMailButton() const { return testMail_; }
  // Shows `page` as a click on its tab does.
  void showPage(int page);

 private:
  wxWindow* programPage();
  wxWindow* appointmentsPage();
  wxWindow* weekPage();
  wxWindow* mailPage();
  wxWindow* errorsPage();
  wxWindow* newPage();
  void addButtons(int pagesBottom);
  void onCharHook(wxKeyEvent& event);
  bool pageHasMnemonic(wxChar letter) const;
  void finish(bool save);

  Context& ctx_;
  MailSettingsCopy& mail_;
  WindowServices& services_;
  TestMailSender sendTestMail_;
  SetupTabs* tabs_ = nullptr;
  wxSimplebook* pages_ = nullptr;
  wxButton* testMail_ = nullptr;
  TBmpGet* wakeUpMinutes_ = nullptr;
  bool saved_ = false;
};

// SETUPMAIN as a whole: the mail working copies loaded, the help topic "Allgemeine
// Einstellungen" while the dialog is open (then "Hauptauswahl"), the settings file written
// after "&Speichern", and the autostart entry written or removed when AStart was switched,
// saved or not. Problems are told through `services`.
void setupMain(wxWindow* parent, Context& ctx, WindowServices& services, AutostartPort& autostart,
               const TestMailSender& testMail);

}  // namespace zrv
