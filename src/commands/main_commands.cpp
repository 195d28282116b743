// The main window's commands, entry by entry: the menu bar, the button bar, its drop-down
// menus, the context menu of the list and the list's keys.
#include "app/context.h"
#include "app/file_commands.h"
#include "app/maker.h"
#include "commands/commands.h"
#include "ports/command_window.h"
#include "ports/launcher_port.h"
#include "ports/user_interface.h"
#include "print/printouts.h"
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

using Action = std::function<void(CommandScope&)>;
using Id = CommandId;

struct Flags {
  bool timerWrapped = false;
  bool checkMissed = false;
  bool leavesWeek = true;
};
constexpr Flags kWrapped{true, false, true};
constexpr Flags kWrappedMissed{true, true, true};
constexpr Flags kPlain{false, false, true};
constexpr Flags kInPlace{false, false, false};  // the week overview stays
constexpr Flags kWrappedInPlace{true, false, false};
constexpr Flags kWrappedMissedInPlace{true, true, false};

void notYet(CommandScope& s) {
  s.ctx.ui.message("Hinweis", kNotYetAvailable);
}

// ---- actions ------------------------------------------------------------------------------

void editNew(CommandScope& s) {
  if (s.env) s.window.editAppointment(0, true);
}

void editCurrent(CommandScope& s) {
  if (s.env) s.window.editAppointment(s.env->DTER.recNo(), false);
}

void deleteCurrent(CommandScope& s) {
  if (s.env) delTermin(*s.env);
}

// The context menu's commands work on the record it was opened on.
Action onClicked(Action then) {
  return [then](CommandScope& s) {
    if (!s.env) return;
    (void)s.env->DTER.goTo(s.recno);
    then(s);
  };
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

void calendar(CommandScope& s) {
  if (s.env) s.window.showCalendar();
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
    notYet(s);
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

// The printouts of the menu "D&rucken"; the appointments only while a table is open.
Action printDay(long daysAhead) {
  return [daysAhead](CommandScope& s) {
    if (s.env) {
      printADay(s.ctx, s.env->DTER, s.ctx.clock.today() + daysAhead,
                s.window.printDevices().printer);
    }
  };
}

void printWeek(CommandScope& s) {
  if (s.env) printNxtWeek(s.ctx, s.env->DTER, s.window.printDevices().printer);
}

void printPeriod(CommandScope& s) {
  if (s.env) printDefined(s.ctx, s.env->DTER, s.window.printDevices());
}

void printSettings(CommandScope& s) {
  printSetup(s.ctx, s.window.printDevices().printer);
}

void deleteByKey(CommandScope& s) {
  if (s.env && delTermin(*s.env)) chkNext(*s.env, "CheckLbxKeys2");
}

}  // namespace

Commands mainWindowCommands() {
  Commands all;
  const auto add = [&all](Id id, const char* tag, Flags f, Action a) {
    all.add(Command{id, tag, f.timerWrapped, f.checkMissed, f.leavesWeek, std::move(a)});
  };
  // Menu "&Datei"
  add(Id::FileNew, "MNeu", kWrapped, fileNew);
  add(Id::FileOpen, "MOpen", kWrappedMissed, fileOpen);
  add(Id::FileDelete, "MDel", kWrapped, fileDelete);
  add(Id::FileUser, "MUser", kWrapped, notYet);
  add(Id::FileHide, "", kInPlace, hide);
  add(Id::FileUninstall, "", kPlain, notYet);
  add(Id::FileExit, "", kInPlace, exitProgram);
  // Menu "&Termine"
  add(Id::AppointmentNew, "MNewTer", kWrappedMissed, editNew);
  add(Id::AppointmentEdit, "MEditTer", kWrappedMissed, editCurrent);
  add(Id::AppointmentDelete, "MDelTer", kPlain, deleteCurrent);
  add(Id::AppointmentFromClipboard, "", kWrapped, fromClipboard);
  add(Id::AppointmentToClipboard, "", kWrapped, toClipboard);
  add(Id::AppointmentCalendar, "MKalen", kWrapped, calendar);
  // Menu "&Gehe zu"
  add(Id::GoFirst, "", kPlain, moveTo(ListMove::First));
  add(Id::GoPrevious, "", kPlain, moveTo(ListMove::Previous));
  add(Id::GoNext, "", kPlain, moveTo(ListMove::Next));
  add(Id::GoLast, "", kPlain, moveTo(ListMove::Last));
  add(Id::GoCurrentAppointment, "MAHAV", kPlain, {});
  // Menu "&Anzeige"
  add(Id::ViewCurrent, "MAktTer", kPlain, view(1));
  add(Id::ViewToday, "MHeuTer", kPlain, view(2));
  add(Id::ViewFiled, "MAbgTer", kPlain, view(3));
  add(Id::ViewWeekOverview, "", kInPlace, weekOverview);
  // Menu "D&rucken"
  add(Id::PrintToday, "PrintHeute", kWrapped, printDay(0));
  add(Id::PrintTomorrow, "PrintMorgen", kWrapped, printDay(1));
  add(Id::PrintNextWeek, "PrintNxtWeek", kWrapped, printWeek);
  add(Id::PrintPeriod, "PrintDef", kWrapped, printPeriod);
  add(Id::PrintSetup, "PrintSetup", kWrapped, printSettings);
  // Menu "&Einstellungen"
  add(Id::SettingsGeneral, "MSetup", kWrapped, notYet);
  add(Id::SettingsNetwork, "SetLan", kWrapped, notYet);
  add(Id::SettingsSound, "SetSound", kWrapped, notYet);
  add(Id::SettingsOptimizeUsers, "SetUser", kWrapped, notYet);
  // Menu "&Hilfe"
  add(Id::HelpContents, "", kInPlace, helpContents);
  add(Id::HelpIndex, "", kInPlace, helpIndex);
  add(Id::HelpAbout, "About", kInPlace, about);
  add(Id::HelpSystemInfo, "SysInfo", kWrappedInPlace, notYet);
  add(Id::HelpHomepage, "", kInPlace, homepage);
  add(Id::HelpSupportMail, "", kInPlace, supportMail);
  add(Id::HelpUpdate, "", kWrappedInPlace, notYet);
  // The button bar
  add(Id::BarNew, "BarNew", kWrappedMissed, editNew);
  add(Id::BarEdit, "BarEdit", kWrappedMissed, editCurrent);
  add(Id::BarDelete, "BarDel", kPlain, deleteCurrent);
  add(Id::BarToClipboard, "", kPlain, toClipboard);
  add(Id::BarFromClipboard, "", kPlain, fromClipboard);
  add(Id::BarFirst, "", kPlain, moveTo(ListMove::First));
  add(Id::BarPrevious, "", kPlain, moveTo(ListMove::Previous));
  add(Id::BarNext, "", kPlain, moveTo(ListMove::Next));
  add(Id::BarLast, "", kPlain, moveTo(ListMove::Last));
  add(Id::BarViews, "BarAHAV", kPlain, view(1));
  add(Id::BarWeekOverview, "", kInPlace, weekOverview);
  add(Id::BarUserOrFile, "BarUserList", kWrappedMissed, userOrFile);
  add(Id::BarCalendar, "BarKalen", kWrapped, calendar);
  add(Id::BarSettings, "BarSetup", kWrapped, notYet);
  add(Id::BarHelp, "", kInPlace, helpContents);
  add(Id::BarHide, "", kInPlace, hide);
  // The bar's drop-down menus
  add(Id::PopupViewCurrent, "PopUp1", kPlain, view(1));
  add(Id::PopupViewToday, "PopUp2", kPlain, view(2));
  add(Id::PopupViewFiled, "PopUp3", kPlain, view(3));
  add(Id::PopupSettingsGeneral, "SearchM1", kWrapped, notYet);
  add(Id::PopupSettingsNetwork, "SearchM2", kWrapped, notYet);
  add(Id::PopupSettingsSound, "SearchM3", kWrapped, notYet);
  // The list's context menu (the list shows, so nothing to leave)
  add(Id::ContextRunNow, "", kInPlace, runNow);
  add(Id::ContextNew, "RMenNeu", kWrappedMissedInPlace, editNew);
  add(Id::ContextEdit, "RMenEdit 1", kWrappedMissedInPlace, onClicked(editCurrent));
  add(Id::ContextDelete, "RMenDel", kInPlace, onClicked(deleteCurrent));
  add(Id::ContextFile, "", kInPlace, onClicked(setFiled(true, "RMenAbleg")));
  add(Id::ContextReactivate, "", kInPlace, onClicked(setFiled(false, "RMenReact")));
  add(Id::ContextViewCurrent, "RMenShowAct", kInPlace, view(1));
  add(Id::ContextViewToday, "RMenShowHeu", kInPlace, view(2));
  add(Id::ContextViewFiled, "RMenShowAbg", kInPlace, view(3));
  add(Id::ContextWeekOverview, "", kInPlace, weekOverview);
  add(Id::ContextNextAppointment, "RMenNext", kInPlace, view(1));
  // The list's keys: Insert adds, Delete deletes; Enter and the edit button edit
  add(Id::ListInsertKey, "CheckLbxKeys1", kWrappedMissed, editNew);
  add(Id::ListDeleteKey, "CheckLbxKeys1", kWrappedInPlace, deleteByKey);
  add(Id::ListEditButton, "DlgBtn", kWrappedMissedInPlace, editCurrent);
  add(Id::ListEditTab, "DlgTab", kWrappedMissedInPlace, editCurrent);
  return all;
}

}  // namespace zrv
