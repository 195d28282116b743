#include "commands/commands.h"

#include "app/escaped_error.h"

#include "app/context.h"
#include "ports/command_window.h"
#include "ports/user_interface.h"
#include "reminder/due_check.h"
#include "reminder/next_appointment.h"
#include "reminder/reminder_env.h"
#include "store/appointments/appointment_table.h"

namespace zrv {

void Commands::add(Command c) {
  const CommandId id = c.id;
  commands_.insert_or_assign(id, std::move(c));
}

bool Commands::add(CommandId id, CommandAction action) {
  const auto it = commands_.find(id);
  if (it == commands_.end()) return false;
  it->second.action = std::move(action);
  return true;
}

const Command* Commands::find(CommandId id) const {
  const auto it = commands_.find(id);
  return it == commands_.end() ? nullptr : &it->second;
}

bool Commands::run(CommandId id, CommandScope& scope) const {
  const Command* c = find(id);
  if (!c) return false;
  if (c->leavesWeek) scope.window.leaveWeekOverview();
  // An error in the action goes to the error window, which may have it run again.
  const auto action = [&] {
    if (c->action) runRetrying("Befehl", [&] { c->action(scope); });
  };
  ReminderEnv* env = scope.env;
  if (!env) {
    action();
  } else if (c->timerWrapped && !c->tag.empty()) {
    runUserCommand(*env, c->tag, c->checkMissed, action);
  } else if (c->timerWrapped) {
    qlSwitchTimer(*env, false);
    action();
    qlSwitchTimer(*env, true);
  } else {
    action();
    if (!c->tag.empty()) chkNext(*env, c->tag);
  }
  return true;
}

void notYetAvailable(CommandScope& s) {
  s.ctx.ui.message("Hinweis", kNotYetAvailable);
}

CommandAction onClicked(CommandAction then) {
  return [then = std::move(then)](CommandScope& s) {
    if (!s.env) return;
    (void)s.env->DTER.goTo(s.recno);
    then(s);
  };
}

void aroundContextMenu(ReminderEnv* env, const std::function<void()>& show) {
  if (env) qlSwitchTimer(*env, false);
  show();
  if (!env) return;
  qlSwitchTimer(*env, true);
  chkNext(*env, "BuildRMenu");
}

}  // namespace zrv
