// The actions of the main window's own commands: the list, the views, the week overview, the
// table files, the help, the about box, hiding and ending. Their facts are in command_facts.cpp.
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

void deleteByKey(CommandScope& s) {
  if (s.env && delTermin(*s.env)) chkNext(*s.env, "CheckLbxKeys2");
}

}  // namespace

void registerMainWindowCommands(Commands& all) {
  const auto add = [&all](Id id, Action a) { all.add(id, std::move(a)); };
  // Menu "&Datei"
  add(Id::FileNew, fileNew);
  add(Id::FileOpen, fileOpen);
  add(Id::FileDelete, fileDelete);
  add(Id::FileHide, hide);
  add(Id::FileExit, exitProgram);
  // Menu "&Termine"
  add(Id::AppointmentDelete, deleteCurrent);
  add(Id::AppointmentFromClipboard, fromClipboard);
  add(Id::AppointmentToClipboard, toClipboard);
  // Menu "&Gehe zu"
  add(Id::GoFirst, moveTo(ListMove::First));
  add(Id::GoPrevious, moveTo(ListMove::Previous));
  add(Id::GoNext, moveTo(ListMove::Next));
  add(Id::GoLast, moveTo(ListMove::Last));
  add(Id::GoCurrentAppointment, {});  // the search for the next appointment is all it does
  // Menu "&Anzeige"
  add(Id::ViewCurrent, view(1));
  add(Id::ViewToday, view(2));
  add(Id::ViewFiled, view(3));
  add(Id::ViewWeekOverview, weekOverview);
  // Menu "&Hilfe"
  add(Id::HelpContents, helpContents);
  add(Id::HelpIndex, helpIndex);
  add(Id::HelpAbout, about);
  add(Id::HelpHomepage, homepage);
  add(Id::HelpSupportMail, supportMail);
  // The button bar
  add(Id::BarDelete, deleteCurrent);
  add(Id::BarToClipboard, toClipboard);
  add(Id::BarFromClipboard, fromClipboard);
  add(Id::BarFirst, moveTo(ListMove::First));
  add(Id::BarPrevious, moveTo(ListMove::Previous));
  add(Id::BarNext, moveTo(ListMove::Next));
  add(Id::BarLast, moveTo(ListMove::Last));
  add(Id::BarViews, view(1));
  add(Id::BarWeekOverview, weekOverview);
  add(Id::BarUserOrFile, userOrFile);
  add(Id::BarHelp, helpContents);
  add(Id::BarHide, hide);
  // The bar's drop-down menus
  add(Id::PopupViewCurrent, view(1));
  add(Id::PopupViewToday, view(2));
  add(Id::PopupViewFiled, view(3));
  // The list's context menu
  add(Id::ContextRunNow, runNow);
  add(Id::ContextDelete, onClicked(deleteCurrent));
  add(Id::ContextFile, onClicked(setFiled(true, "RMenAbleg")));
  add(Id::ContextReactivate, onClicked(setFiled(false, "RMenReact")));
  add(Id::ContextViewCurrent, view(1));
  add(Id::ContextViewToday, view(2));
  add(Id::ContextViewFiled, view(3));
  add(Id::ContextWeekOverview, weekOverview);
  add(Id::ContextNextAppointment, view(1));
  // The list's Delete key
  add(Id::ListDeleteKey, deleteByKey);
}

Commands mainWindowCommands() {
  Commands all = commandFacts();
  registerMainWindowCommands(all);
  return all;
}

}  // namespace zrv
