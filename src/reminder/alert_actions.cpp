#include "reminder/alert_actions.h"

#include <cstdio>
#include <optional>
#include <string>

#include "app/context.h"
#include "ports/user_interface.h"
#include "reminder/finished.h"
#include "reminder/record_changes.h"
#include "reminder/record_lock.h"
#include "reminder/recurrence.h"
#include "reminder/reminder_env.h"
#include "reminder/sound_slots.h"
#include "reminder/text_util.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/clock.h"
#include "store/base/date_time.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kDeleteQuestion = "Diesen Termin löschen ?";

// The current record, read after it was locked; nullopt (shown to the user) when unreadable.
std::optional<Appointment> readLocked(ReminderEnv& env, std::string_view place) {
  Result<Appointment> a = env.DTER.read();
  if (!checkStored(env, place, a.status(), true)) return std::nullopt;
  return std::move(a).value();
}

// True when `lock` holds the record. Otherwise another program holds it: `failLine` (when
// given) goes into the logbook under `place` and the user is told `text` ("Datensatz gesperrt").
bool lockedOrTold(ReminderEnv& env, const RecordLock& lock, const char* place, const char* failLine,
                  const char* text) {
  if (lock.locked()) return true;
  if (failLine) env.ctx.log.log(place, failLine);
  env.ctx.ui.message(kLockedTitle, text);
  return false;
}

// "HH:MM" from what was typed into the "99:99" field: hours from the first two characters,
// minutes from the fourth and fifth (blanks allowed). nullopt when that is not a time of day.
std::optional<std::string> normalisedTime(const std::string& typed) {
  auto number = [&](std::size_t pos) -> int {
    int value = 0;
    bool digit = false;
    for (std::size_t i = pos; i < pos + 2 && i < typed.size(); ++i) {
      const char c = typed[i];
      if (c == ' ') continue;
      if (c < '0' || c > '9') return -1;
      value = value * 10 + (c - '0');
      digit = true;
    }
    return digit ? value : -1;
  };
  if (typed.size() < 4) return std::nullopt;
  const int h = number(0);
  const int m = number(3);
  if (h < 0 || h > 23 || m < 0 || m > 59) return std::nullopt;
  char text[6];
  std::snprintf(text, sizeof text, "%02d:%02d", h, m);
  return std::string(text);
}

// Where the postponement puts the appointment: its own date and time lie WARNMIN minutes before
// the entered moment, the entered time stays as TIMEVON, and the trigger follows by the trigger
// rule.
void moveTo(Appointment& a, const Date& date, const std::string& hhmm, Logbook& log) {
  Date day = date;
  std::string time = hhmm + ":00";
  addMin(day, time, -a.WARNMIN, log);
  a.DATE = day;
  a.TIME = time.substr(0, 5);
  a.TIMEVON = hhmm;
  applyTriggerRule(a, log);
  a.LAUTO = false;
}

}  // namespace

bool killTermin(ReminderEnv& env) {
  constexpr const char* kPlace = "KillTermin";
  Context& ctx = env.ctx;
  ctx.log.log(kPlace, "Termin löschen");
  RecordLock lock(env.DTER);
  if (!lockedOrTold(env, lock, kPlace, nullptr, kCannotSaveChanges)) return false;
  std::optional<Appointment> a = readLocked(env, kPlace);
  if (!a) return false;
  Status s;
  if (isFinished(*a, ctx.settings.LS_VWORIG, ctx.log)) {
    if (ctx.settings.LS_SLOESCH) {
      s = deleteCurrent(env);
      ctx.log.log(kPlace, "Termin automatisch gelöscht");
    } else if (ctx.ui.ask("Löschen", kDeleteQuestion, true)) {
      s = deleteCurrent(env);
      ctx.log.log(kPlace, "Termin gelöscht");
    } else {
      a->QUIT = true;
      s = env.DTER.write(*a);
      ctx.log.log(kPlace, "Termin abgelegt");
    }
  } else {
    ctx.log.log(kPlace, "neuen Termin erzeugen");
    qlGenTermFromNow(*a, ctx.clock, ctx.log);
    s = env.DTER.write(*a);
    ctx.log.log(kPlace, "neuer Termin wurde erzeugt");
  }
  ctx.log.log(kPlace, "neuen Termin schreiben");
  if (s) s = commitCurrent(env);
  ctx.log.log(kPlace, "Datensatz freigeben");
  lock.release();
  ctx.log.log(kPlace, "fertig");
  return checkStored(env, kPlace, s, true);
}

bool autoWieder(ReminderEnv& env) {
  constexpr const char* kPlace = "AutoWieder";
  Context& ctx = env.ctx;
  RecordLock lock(env.DTER);
  if (!lockedOrTold(env, lock, kPlace, "Automatische Wiedervorlage - Speichern - FEHLER",
                    kCannotSaveChanges)) {
    return false;
  }
  ctx.log.log(kPlace, "Automatische Wiedervorlage");
  std::optional<Appointment> a = readLocked(env, kPlace);
  if (!a) return false;
  // Real minutes from now: across a clock change the wall-clock time moves by more or less.
  const Moment then = addRealMinutes(ctx.clock.now(), ctx.settings.NS_AUTOMIN);
  a->TDATE = then.date;
  a->TTIME = formatTimeOfDay(then.secondsOfDay).substr(0, 5);
  a->LAUTO = true;
  ctx.log.log(kPlace,
              "Automatische Wiedervorlage am: " + a->TDATE.toDisplay() + " um: " + a->TTIME);
  return checkStored(env, kPlace, saveCurrent(env, *a), true);
}

bool verlTermin(ReminderEnv& env) {
  constexpr const char* kPlace = "VerlTermin";
  Context& ctx = env.ctx;
  RecordLock lock(env.DTER);
  if (!lockedOrTold(env, lock, kPlace, "Termin verlegen - FEHLER", kCannotSaveAppointment)) {
    return false;
  }
  ctx.log.log(kPlace, "Termin verlegen");
  const std::uint32_t recno = env.DTER.recNo();
  std::optional<Appointment> a = readLocked(env, kPlace);
  if (!a) return false;
  const std::optional<Postponement> entered =
      env.ports.alert.askPostponement(ctx.clock.today(), a->TIMEVON.substr(0, 5));
  if (!entered) return false;
  const std::optional<std::string> time = normalisedTime(entered->time);
  if (entered->date.empty() || !time) {
    ctx.log.log(kPlace, "Termin verlegen - ungültige Eingabe: " + entered->date.toDisplay() + " " +
                            entered->time);
    ctx.ui.message("Termin verlegen",
                   "Bitte ein gültiges Datum und eine Uhrzeit von 00:00 bis 23:59 eingeben !");
    return false;
  }
  moveTo(*a, entered->date, *time, ctx.log);
  ctx.log.log(kPlace, "Termin verlegt am: " + a->TDATE.toDisplay() + " um: " + a->TTIME);
  // The date picker may have moved the table while the window was open.
  Status s = env.DTER.goTo(recno);
  if (s) s = saveCurrent(env, *a);
  return checkStored(env, kPlace, s, true);
}

bool ablegTermin(ReminderEnv& env) {
  constexpr const char* kPlace = "AblegTermin";
  Context& ctx = env.ctx;
  RecordLock lock(env.DTER);
  if (!lockedOrTold(env, lock, kPlace, "Termin abgelegen - FEHLER", kCannotSaveAppointment)) {
    return false;
  }
  std::optional<Appointment> a = readLocked(env, kPlace);
  if (!a) return false;
  a->LAUTO = false;
  a->QUIT = true;
  const Status s = saveCurrent(env, *a);
  lock.release();
  if (!checkStored(env, kPlace, s, true)) return false;
  ctx.log.log(kPlace, "Termin abgelegt");
  return true;
}

bool delTermin(ReminderEnv& env) {
  Context& ctx = env.ctx;
  RecordLock lock(env.DTER);
  if (!lock.locked()) return false;
  if (!ctx.ui.ask("Frage", kDeleteQuestion, false)) return false;
  qlPlaySound(ctx, env.ports.sound, 1, 3);
  Status s = deleteCurrent(env);
  if (s) s = commitCurrent(env);
  return checkStored(env, "DelTermin", s, true);
}

bool RecordAlertActions::run(AlertAction action) {
  if (!checkStored(env_, "ShowTermin", env_.DTER.goTo(recno_), true)) return false;
  switch (action) {
    case AlertAction::Kill:
      return killTermin(env_);
    case AlertAction::Auto:
      return autoWieder(env_);
    case AlertAction::Move:
      return verlTermin(env_);
    case AlertAction::File:
      return ablegTermin(env_);
  }
  return false;
}

}  // namespace zrv
