#include "ui/table_follower.h"

#include <stdexcept>

#include "app/context.h"
#include "reminder/due_check.h"
#include "reminder/reminder_env.h"
#include "store/appointments/appointment_table.h"
#include "ui/main_frame.h"

namespace zrv {

TableFollower::TableFollower(MainFrame& frame, MakeEnv makeEnv)
    : frame_(frame), makeEnv_(std::move(makeEnv)) {}

TableFollower::~TableFollower() = default;

void TableFollower::start(Context& ctx) {
  if (ctx.DTER) env_ = makeEnv_(*ctx.DTER);
  frame_.attach(env_.get());
}

void TableFollower::dueCheck(Context& ctx) {
  if (env_ && ctx.DTER) chkAll(*env_);
}

void TableFollower::tableClosing(Context&) {
  frame_.attach(nullptr);
}

void TableFollower::tableChanged(Context& ctx) {
  if (!ctx.DTER) {
    if (!env_) return;  // there was none before either
    // Nothing may go on reading a closed table: the exception boundary ends the program.
    frame_.attach(nullptr);
    throw std::runtime_error("Es konnte keine Termindatei geöffnet werden.");
  }
  if (env_) {
    env_->follow(*ctx.DTER);
  } else {
    env_ = makeEnv_(*ctx.DTER);
  }
  frame_.followTable(env_.get());
}

}  // namespace zrv
