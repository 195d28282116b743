#include "reminder/show_termin.h"

#include <string>

#include "app/context.h"
#include "app/setting_keys.h"
#include "app/settings_file.h"
#include "reminder/alert_actions.h"
#include "reminder/alert_content.h"
#include "reminder/appointment_kinds.h"
#include "reminder/appointment_mail.h"
#include "reminder/finished.h"
#include "reminder/memo_line.h"
#include "reminder/record_changes.h"
#include "reminder/record_lock.h"
#include "reminder/recurrence.h"
#include "reminder/reminder_env.h"
#include "reminder/sound_slots.h"
#include "reminder/start_exe.h"
#include "reminder/text_util.h"
#include "store/appointment_table.h"
#include "store/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "ShowTermin";

bool isKind(const Appointment& a, const char* code) {
  return rtrimBlanks(a.TERMINART) == code;
}

void playAlarmFile(ReminderEnv& env, const Appointment& a) {
  qlPlaySound(env.ctx, env.ports.sound, kSoundFile, 0, a.ALARMFILE);
}

void mailAppointment(ReminderEnv& env, const Appointment& a) {
  const SettingsFile ini = settingsFile(env.ctx);
  const std::string name = ini.text(keys::MailName);
  const std::string reply = ini.text(keys::MailReply);
  if (isKind(a, kKindFileDispatch)) playAlarmFile(env, a);
  // A mail that cannot be sent is reported by the dispatch; the flow goes on either way.
  (void)sendAppointmentMail(a, env.ctx.CRELEASE, name, reply, env.ctx.CRUNIN, env.ctx.log,
                            env.ports.mail);
}

void startProgram(ReminderEnv& env, const Appointment& a) {
  env.ctx.log.log(kPlace, "PrgStart: " + a.PROGSTART);
  playAlarmFile(env, a);
  startExe(env, a.PROGSTART, a.PROGPARAM);
}

// A mailed appointment is dealt with without a window: finished ones are deleted or filed,
// others move on to their next occurrence.
void finishMailed(ReminderEnv& env) {
  finishWithoutAsking(env, FinishLines{kPlace, "Termin automatisch gelöscht", "Termin abgelegt",
                                       "neuen Termin erzeugen", "neuer Termin wurde erzeugt"});
}

void raiseAlert(ReminderEnv& env, const Appointment& a, const AlertContent& content,
                std::uint32_t recno) {
  env.ctx.log.log(kPlace,
                  "Melden: " + a.TDATE.toDisplay() + " " + a.TTIME + " " + firstLine(a.TEXT));
  playAlarmFile(env, a);
  RecordAlertActions actions(env, recno);
  {
    // F1 opens the alert's page while it is up, the contents afterwards.
    ScopedHelpTopic topic(env.ctx.help, help_topic::kAlert, help_topic::kContents);
    env.ports.alert.showAlert(content, actions);
  }
  qlPlaySound(env.ctx, env.ports.sound, 1, 2);
}

}  // namespace

bool showTermin(ReminderEnv& env, std::uint32_t recno, int mode) {
  AppointmentTable& t = env.DTER;
  const Status moved = t.goTo(recno);
  if (!moved) {
    env.ctx.log.log(kPlace, moved.message());
    return true;
  }
  if (t.eof() || t.isDeleted()) return true;
  Result<Appointment> read = t.read();
  if (!checkStored(env, kPlace, read.status(), false)) return true;
  const Appointment& a = *read;
  if (a.QUIT) return true;

  const AlertContent content = buildAlertContent(a, mode, env.ctx);
  const bool mailed = !isBlank(a.EMAIL);
  if (mailed) mailAppointment(env, a);
  if (isKind(a, kKindProgramStart)) {
    startProgram(env, a);
  } else if (mailed) {
    finishMailed(env);
  } else {
    raiseAlert(env, a, content, recno);
  }
  return true;
}

}  // namespace zrv
