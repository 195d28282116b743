#include "editor/editor_session.h"

#include "app/context.h"
#include "editor/editor_record.h"
#include "ports/user_interface.h"
#include "reminder/record_changes.h"
#include "reminder/record_lock.h"
#include "reminder/reminder_env.h"
#include "reminder/sound_slots.h"
#include "reminder/views.h"
#include "store/appointments/appointment_table.h"
#include "store/base/clock.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "EditTermin";
constexpr const char* kGoneText =
    "Der Termin wurde inzwischen an einem anderen Arbeitsplatz gelöscht. Ihre Eingaben werden "
    "nicht gespeichert.";
constexpr const char* kChangedQuestion =
    "Der Termin wurde inzwischen an einem anderen Arbeitsplatz geändert.\n"
    "Sollen Ihre Eingaben die Änderung überschreiben ?";

}  // namespace

std::optional<EditorSession> EditorSession::open(ReminderEnv& env, std::uint32_t recno, bool isNew,
                                                 const std::string& startText) {
  Context& ctx = env.ctx;
  if (isNew) {
    ctx.log.log(kPlace, "Neuer Termin");
    EditorSession s(env, env.DTER.recNo(), true);
    s.values_ = newAppointmentValues(ctx.clock.today(), ctx.clock.hhmm(), startText,
                                     ctx.settings.NS_MIN, qlGetPSound(ctx, 8, 1));
    return s;
  }
  ctx.log.log(kPlace, "Termin ändern");
  EditorSession s(env, recno, false);
  if (!checkStored(env, kPlace, env.DTER.goTo(recno), true)) return std::nullopt;
  Result<Appointment> a = env.DTER.read();
  if (!checkStored(env, kPlace, a.status(), true)) return std::nullopt;
  s.original_ = *a;
  s.values_ = valuesOf(*a, ctx.lists);
  return s;
}

SaveResult EditorSession::save(SaveMode mode) {
  Context& ctx = env_->ctx;
  (void)qlPlaySound(ctx, env_->ports.sound, 1, 2);
  EditorValues v = values_;
  if (mode == SaveMode::Reactivate) v.filed = false;
  if (mode == SaveMode::File) v.filed = true;
  const SaveResult result = isNew_ ? appendNew(v) : rewrite(v);
  if (result != SaveResult::Saved) return result;
  values_ = v;
  ctx.log.log(kPlace, "Termin gespeichert " + std::to_string(recno_));
  if (mode == SaveMode::Reactivate) (void)setFilter(*env_, 1);
  return result;
}

SaveResult EditorSession::appendNew(const EditorValues& v) {
  Context& ctx = env_->ctx;
  const Appointment a = appointmentFrom(v, ctx.lists, Appointment{}, ctx.log);
  ctx.log.log(kPlace, "Vorwarntermin gespeichert " + std::to_string(recno_));
  if (!checkStored(*env_, kPlace, env_->DTER.append(a), true) ||
      !checkStored(*env_, kPlace, env_->DTER.commit(), true)) {
    cancel();
    return SaveResult::Refused;
  }
  savedRecno_ = env_->DTER.recNo();
  return SaveResult::Saved;
}

SaveResult EditorSession::rewrite(const EditorValues& v) {
  Context& ctx = env_->ctx;
  if (!checkStored(*env_, kPlace, env_->DTER.goTo(recno_), true)) return SaveResult::Refused;
  RecordLock lock(env_->DTER);
  if (!lock.locked()) {
    ctx.ui.message(kLockedTitle, kCannotSaveAppointment);
    return SaveResult::Refused;
  }
  // Another workstation may have deleted or changed the record while the editor was open.
  Result<Appointment> now = env_->DTER.read();
  if (!checkStored(*env_, kPlace, now.status(), true)) return SaveResult::Refused;
  if (env_->DTER.isDeleted()) {
    ctx.log.log(kPlace, "Termin inzwischen gelöscht - nicht gespeichert");
    ctx.ui.message("Achtung", kGoneText);
    return SaveResult::Refused;
  }
  if (!(*now == original_) && !ctx.ui.ask("Achtung", kChangedQuestion, false)) {
    ctx.log.log(kPlace, "Termin inzwischen geändert - nicht gespeichert");
    return SaveResult::Refused;
  }
  const Appointment a = appointmentFrom(v, ctx.lists, *now, ctx.log);
  ctx.log.log(kPlace, "Vorwarntermin gespeichert " + std::to_string(recno_));
  if (!checkStored(*env_, kPlace, saveCurrent(*env_, a), true)) return SaveResult::Refused;
  lock.release();
  savedRecno_ = recno_;
  original_ = a;
  return SaveResult::Saved;
}

void EditorSession::cancel() {
  if (recno_ != 0) (void)env_->DTER.goTo(recno_);
}

}  // namespace zrv
