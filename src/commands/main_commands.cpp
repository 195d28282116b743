// The actions of the main window's own commands: the list, the views, the week overview, the
// table files, the help, the about box, hiding and ending. Their facts are in command_facts.cpp.
#include <initializer_list>

#include "app/context.h"
#include "app/file_commands.h"
#include "app/maker.h"
#include "commands/commands.h"
#include "ports/command_window.h"
#include "ports/launcher_port.h"
#include "ports/user_interface.h"
#include "reminder/alert_actions.h"
#include "reminder/due_check.h"
#include "reminder/next_appointment.h"
#include "reminder/record_lock.h"
#include "reminder/reminder_env.h"
#include "reminder/views.h"
#include "store/appointments/appointment_table.h"
#include "store/base/clock.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

using Action = CommandAction;
using Id = CommandId;

// ---- actions ------------------------------------------------------------------------------

void deleteCurrent(CommandScope& s) {
  if (s.env) delTermin(*s.env);
}

Action view(int number) {
  return [number](CommandScope& s) {
    if (s.env) setFilter(*s.env, number);
  };
}

Action moveTo(ListMove m) {
  return [m](CommandScope& s) { s.window.moveInList(m); };
}

void weekOverview(CommandScope& s) {
  s.window.showWeekOverview();
}

void hide(CommandScope& s) {
  s.window.hideWindow();
}

void exitProgram(CommandScope& s) {
  s.window.closeWindow();
}

void fileNew(CommandScope& s) {
  const std::string chosen = s.window.chooseTableFile(TableFileChoice::New);
  ReminderEnv* env = s.env;
  dateiNeu(s.ctx, chosen, [env](Context&, std::string_view caller) {
    if (env) chkNext(*env, caller);
  });
}

void about(CommandScope& s) {
  s.window.showAbout();
}

void toClipboard(CommandScope& s) {
  if (s.env) s.window.copyToClipboard();
}

void fromClipboard(CommandScope& s) {
  if (s.env) s.window.pasteFromClipboard();
}

void helpContents(CommandScope& s) {
  s.ctx.help.showContents();
}

void helpIndex(CommandScope& s) {
  s.ctx.help.showIndex();
}

void fileOpen(CommandScope& s) {
  dbfOpen(s.ctx, s.window.chooseTableFile(TableFileChoice::Open));
}

void fileDelete(CommandScope& s) {
  dateiDel(s.ctx, s.window.chooseTableFile(TableFileChoice::Delete));
}

// The bar's user/file button: the user list in network mode, else another table.
void userOrFile(CommandScope& s) {
  if (s.ctx.settings.LS_LAN) {
    notYetAvailable(s);
  } else {
    fileOpen(s);
  }
}

// Files the clicked record away (or back): under its lock, committed, then the next
// appointment is looked for. A record another user holds stays as it is, without a word.
Action setFiled(bool filed, const char* caller) {
  return [filed, caller](CommandScope& s) {
    if (!s.env) return;
    ReminderEnv& env = *s.env;
    RecordLock lock(env.DTER);
    if (!lock.locked()) return;
    Result<Appointment> a = env.DTER.read();
    if (!a) return;
    a.value().QUIT = filed;
    if (!env.DTER.write(a.value()) || !env.DTER.commit()) return;
    lock.release();
    chkNext(env, caller);
  };
}

// A program start or file dispatch due now: its trigger becomes this minute, under its lock,
// with the timer paused, and the due check picks it up.
void runNow(CommandScope& s) {
  if (!s.env) return;
  ReminderEnv& env = *s.env;
  qlSwitchTimer(env, false);
  (void)env.DTER.goTo(s.recno);
  {
    RecordLock lock(env.DTER);
    Result<Appointment> a = lock.locked() ? env.DTER.read() : Result<Appointment>(lock.status());
    if (a) {
      a.value().TDATE = s.ctx.clock.today();
      a.value().TTIME = s.ctx.clock.hhmm();
      s.ctx.log.log("BuildRMenu", "Nächster Start: " + a.value().TDATE.toDisplay() +
                                      " um: " + a.value().TTIME + " als: " + a.value().PROGSTART);
      if (env.DTER.write(a.value()) && env.DTER.commit()) {
        lock.release();
        chkNext(env, "RMenSofort");
      }
    }
  }
  qlSwitchTimer(env, true);
}

// The desktop's opener (xdg-open) with the maker's page or a mail to the support; what went
// wrong goes to the logbook under `place`.
void openAddress(CommandScope& s, const std::string& address, const char* place) {
  if (!s.env) return;
  if (address.empty()) {  // this build names no maker's address
    s.ctx.ui.message("Hinweis", "Für diese Ausgabe ist keine Adresse hinterlegt.");
    return;
  }
  const LaunchResult r = s.env->ports.launcher.launch(LaunchRequest{address, "", s.ctx.CRUNIN});
  if (!r.started) s.ctx.log.log(place, r.problem);
}

void homepage(CommandScope& s) {
  openAddress(s, makerWebPage(), "Homepage");
}

// The mail program with the support's address and the release as its subject.
void supportMail(CommandScope& s) {
  std::string subject;
  for (const char c : s.ctx.CRELEASE) {
    if (c == ' ') {
      subject += "%20";
    } else {
      subject += c;
    }
  }
  const std::string& support = supportAccount().address;
  openAddress(s, support.empty() ? "" : "mailto:" + support + "?subject=" + subject, "Email");
}

// "Zum aktuellen Termin": the next appointment becomes the current record, so that the search
// for it that follows every command puts the list's cursor on its row.
void goToNextAppointment(CommandScope& s) {
  if (!s.env) return;
  const CurrentRecord next = s.env->DTER.firstCurrent();
  if (next.recno != 0) (void)s.env->DTER.goTo(next.recno);
}

void deleteByKey(CommandScope& s) {
  if (s.env && delTermin(*s.env)) chkNext(*s.env, "CheckLbxKeys2");
}

}  // namespace

void registerMainWindowCommands(Commands& all) {
  // Each action with the entries of the menus, the bar, its drop-down menus, the context menu and
  // the list's keys that run it.
  const auto add = [&all](const Action& action, std::initializer_list<Id> ids) {
    for (Id id : ids)
      all.add(id, action);
  };
  add(fileNew, {Id::FileNew});
  add(fileOpen, {Id::FileOpen});
  add(fileDelete, {Id::FileDelete});
  add(userOrFile, {Id::BarUserOrFile});
  add(hide, {Id::FileHide, Id::BarHide});
  add(exitProgram, {Id::FileExit});
  add(deleteCurrent, {Id::AppointmentDelete, Id::BarDelete});
  add(onClicked(deleteCurrent), {Id::ContextDelete});
  add(deleteByKey, {Id::ListDeleteKey});
  add(fromClipboard, {Id::AppointmentFromClipboard, Id::BarFromClipboard});
  add(toClipboard, {Id::AppointmentToClipboard, Id::BarToClipboard});
  add(moveTo(ListMove::First), {Id::GoFirst, Id::BarFirst});
  add(moveTo(ListMove::Previous), {Id::GoPrevious, Id::BarPrevious});
  add(moveTo(ListMove::Next), {Id::GoNext, Id::BarNext});
  add(moveTo(ListMove::Last), {Id::GoLast, Id::BarLast});
  add(goToNextAppointment, {Id::GoCurrentAppointment});
  add(view(1), {Id::ViewCurrent, Id::BarViews, Id::PopupViewCurrent, Id::ContextViewCurrent,
                Id::ContextNextAppointment});
  add(view(2), {Id::ViewToday, Id::PopupViewToday, Id::ContextViewToday});
  add(view(3), {Id::ViewFiled, Id::PopupViewFiled, Id::ContextViewFiled});
  add(weekOverview, {Id::ViewWeekOverview, Id::BarWeekOverview, Id::ContextWeekOverview});
  add(helpContents, {Id::HelpContents, Id::BarHelp});
  add(helpIndex, {Id::HelpIndex});
  add(about, {Id::HelpAbout});
  add(homepage, {Id::HelpHomepage});
  add(supportMail, {Id::HelpSupportMail});
  add(runNow, {Id::ContextRunNow});
  add(onClicked(setFiled(true, "RMenAbleg")), {Id::ContextFile});
  add(onClicked(setFiled(false, "RMenReact")), {Id::ContextReactivate});
}

Commands mainWindowCommands() {
  Commands all = commandFacts();
  registerMainWindowCommands(all);
  return all;
}

}  // namespace zrv
