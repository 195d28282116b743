#include "reminder/show_termin.h"

#include <string>

#include "app/context.h"
#include "app/setting_keys.h"
#include "app/settings_file.h"
#include "ports/mail_port.h"
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
#include "store/appointments/appointment_table.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "ShowTermin";

bool isKind(const Appointment& a, const char* code) {
  return rtrimBlanks(a.TERMINART) == code;
}

void playAlarmFile(ReminderEnv& env, const Appointment& a) {
  qlPlaySound(env.ctx, env.ports.sound, kSoundFile, 0, a.ALARMFILE);
}

// Whether the mail went out. A mail that was not sent (no transport, the user declined to go
// online, a transport error) leaves the appointment to be presented like an unmailed one.
bool mailAppointment(ReminderEnv& env, const Appointment& a) {
  const SettingsFile ini = settingsFile(env.ctx);
  const std::string name = ini.text(keys::MailName);
  const std::string reply = ini.text(keys::MailReply);
  if (isKind(a, kKindFileDispatch)) playAlarmFile(env, a);
  const int result =
      sendAppointmentMail(a, env.ctx.CRELEASE, name, reply, {env.ctx.runFiles, env.ctx.CRUNIN},
                          env.ctx.log, env.ports.mail);
  if (result == kMailSent) return true;
  env.ctx.log.log(
      kPlace, "Mail nicht versandt (Code " + std::to_string(result) + ") - Termin wird gemeldet");
  return false;
}

// Whether the program was started (the appointment is then dealt with).
bool startProgram(ReminderEnv& env, const Appointment& a) {
  env.ctx.log.log(kPlace, "PrgStart: " + a.PROGSTART);
  playAlarmFile(env, a);
  return startExe(env, a.PROGSTART, a.PROGPARAM);
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
  const bool mailSent = !isBlank(a.EMAIL) && mailAppointment(env, a);
  if (isKind(a, kKindProgramStart)) {
    if (startProgram(env, a)) return true;
    env.ctx.log.log(kPlace, "Programm nicht gestartet - Termin wird gemeldet");
  } else if (mailSent) {
    finishMailed(env);
    return true;
  }
  raiseAlert(env, a, content, recno);
  return true;
}

}  // namespace zrv
