#include "commands/commands.h"

#include "ports/command_window.h"
#include "reminder/due_check.h"
#include "reminder/next_appointment.h"

namespace zrv {

void Commands::add(Command c) {
  const CommandId id = c.id;
  commands_.insert_or_assign(id, std::move(c));
}

const Command* Commands::find(CommandId id) const {
  const auto it = commands_.find(id);
  return it == commands_.end() ? nullptr : &it->second;
}

bool Commands::run(CommandId id, CommandScope& scope) const {
  const Command* c = find(id);
  if (!c) return false;
  if (c->leavesWeek) scope.window.leaveWeekOverview();
  const auto action = [&] {
    if (c->action) c->action(scope);
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

void aroundContextMenu(ReminderEnv* env, const std::function<void()>& show) {
  if (env) qlSwitchTimer(*env, false);
  show();
  if (!env) return;
  qlSwitchTimer(*env, true);
  chkNext(*env, "BuildRMenu");
}

}  // namespace zrv
