// The editor's entry: opens the session on the table, shows the window modally, and closes
// the session the way the window ended.
#include <wx/window.h>

#include "app/context.h"
#include "app/help.h"
#include "editor/edit_termin.h"
#include "editor/editor_window.h"
#include "mail/mail_settings.h"
#include "reminder/reminder_env.h"

namespace zrv {

bool editTermin(wxWindow* owner, ReminderEnv& env, std::uint32_t recno, bool isNew, bool /*isCopy*/,
                const std::string& startText, WindowServices& services) {
  auto session = EditorSession::open(env, recno, isNew, startText);
  if (!session) return false;
  bool saved = false;
  {
    // F1 opens the editor's page while it is open (its details windows set their own).
    ScopedHelpTopic topic(env.ctx.help, help_topic::kEditor, env.ctx.help.topic());
    EditorWindow window(owner, *session, env.ctx, env.ports.sound, zrvSmtpOk(env.ctx), services);
    saved = window.ShowModal() == wxID_OK;
  }
  if (!saved) session->cancel();
  return saved;
}

}  // namespace zrv
