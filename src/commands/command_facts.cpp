// The facts of every command of the main window, entry by entry: the menu bar, the button bar,
// its drop-down menus, the context menu of the list and the list's keys. They are final; the
// actions come from the registrations.
#include "commands/commands.h"

namespace zrv {
namespace {

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

struct Facts {
  CommandId id;
  const char* tag;
  Flags flags;
};

constexpr Facts kFacts[] = {
    // Menu "&Datei"
    {Id::FileNew, "MNeu", kWrapped},
    {Id::FileOpen, "MOpen", kWrappedMissed},
    {Id::FileDelete, "MDel", kWrapped},
    {Id::FileUser, "MUser", kWrapped},
    {Id::FileHide, "", kInPlace},
    {Id::FileUninstall, "", kPlain},
    {Id::FileExit, "", kInPlace},
    // Menu "&Termine"
    {Id::AppointmentNew, "MNewTer", kWrappedMissed},
    {Id::AppointmentEdit, "MEditTer", kWrappedMissed},
    {Id::AppointmentDelete, "MDelTer", kPlain},
    {Id::AppointmentFromClipboard, "", kWrapped},
    {Id::AppointmentToClipboard, "", kWrapped},
    {Id::AppointmentCalendar, "MKalen", kWrapped},
    // Menu "&Gehe zu"
    {Id::GoFirst, "", kPlain},
    {Id::GoPrevious, "", kPlain},
    {Id::GoNext, "", kPlain},
    {Id::GoLast, "", kPlain},
    {Id::GoCurrentAppointment, "MAHAV", kPlain},
    // Menu "&Anzeige"
    {Id::ViewCurrent, "MAktTer", kPlain},
    {Id::ViewToday, "MHeuTer", kPlain},
    {Id::ViewFiled, "MAbgTer", kPlain},
    {Id::ViewWeekOverview, "", kInPlace},
    // Menu "D&rucken"
    {Id::PrintToday, "PrintHeute", kWrapped},
    {Id::PrintTomorrow, "PrintMorgen", kWrapped},
    {Id::PrintNextWeek, "PrintNxtWeek", kWrapped},
    {Id::PrintPeriod, "PrintDef", kWrapped},
    {Id::PrintSetup, "PrintSetup", kWrapped},
    // Menu "&Einstellungen"
    {Id::SettingsGeneral, "MSetup", kWrapped},
    {Id::SettingsNetwork, "SetLan", kWrapped},
    {Id::SettingsSound, "SetSound", kWrapped},
    {Id::SettingsOptimizeUsers, "SetUser", kWrapped},
    // Menu "&Hilfe"
    {Id::HelpContents, "", kInPlace},
    {Id::HelpIndex, "", kInPlace},
    {Id::HelpAbout, "About", kInPlace},
    {Id::HelpSystemInfo, "SysInfo", kWrappedInPlace},
    {Id::HelpHomepage, "", kInPlace},
    {Id::HelpSupportMail, "", kInPlace},
    {Id::HelpUpdate, "", kWrappedInPlace},
    // The button bar
    {Id::BarNew, "BarNew", kWrappedMissed},
    {Id::BarEdit, "BarEdit", kWrappedMissed},
    {Id::BarDelete, "BarDel", kPlain},
    {Id::BarToClipboard, "", kPlain},
    {Id::BarFromClipboard, "", kPlain},
    {Id::BarFirst, "", kPlain},
    {Id::BarPrevious, "", kPlain},
    {Id::BarNext, "", kPlain},
    {Id::BarLast, "", kPlain},
    {Id::BarViews, "BarAHAV", kPlain},
    {Id::BarWeekOverview, "", kInPlace},
    {Id::BarUserOrFile, "BarUserList", kWrappedMissed},
    {Id::BarCalendar, "BarKalen", kWrapped},
    {Id::BarSettings, "BarSetup", kWrapped},
    {Id::BarHelp, "", kInPlace},
    {Id::BarHide, "", kInPlace},
    // The bar's drop-down menus
    {Id::PopupViewCurrent, "PopUp1", kPlain},
    {Id::PopupViewToday, "PopUp2", kPlain},
    {Id::PopupViewFiled, "PopUp3", kPlain},
    {Id::PopupSettingsGeneral, "SearchM1", kWrapped},
    {Id::PopupSettingsNetwork, "SearchM2", kWrapped},
    {Id::PopupSettingsSound, "SearchM3", kWrapped},
    // The list's context menu (the list shows, so nothing to leave)
    {Id::ContextRunNow, "", kInPlace},
    {Id::ContextNew, "RMenNeu", kWrappedMissedInPlace},
    {Id::ContextEdit, "RMenEdit 1", kWrappedMissedInPlace},
    {Id::ContextDelete, "RMenDel", kInPlace},
    {Id::ContextFile, "", kInPlace},
    {Id::ContextReactivate, "", kInPlace},
    {Id::ContextViewCurrent, "RMenShowAct", kInPlace},
    {Id::ContextViewToday, "RMenShowHeu", kInPlace},
    {Id::ContextViewFiled, "RMenShowAbg", kInPlace},
    {Id::ContextWeekOverview, "", kInPlace},
    {Id::ContextNextAppointment, "RMenNext", kInPlace},
    // The list's keys: Insert adds, Delete deletes; Enter and the edit button edit
    {Id::ListInsertKey, "CheckLbxKeys1", kWrappedMissed},
    {Id::ListDeleteKey, "CheckLbxKeys1", kWrappedInPlace},
    {Id::ListEditButton, "DlgBtn", kWrappedMissedInPlace},
    {Id::ListEditTab, "DlgTab", kWrappedMissedInPlace},
    // The command line's changes, carried out by the running program
    {Id::CommandLineChange, "CLI", kWrappedMissedInPlace},
};

}  // namespace

Commands commandFacts() {
  Commands all;
  for (const Facts& f : kFacts) {
    all.add(Command{f.id, f.tag, f.flags.timerWrapped, f.flags.checkMissed, f.flags.leavesWeek,
                    notYetAvailable});
  }
  return all;
}

}  // namespace zrv
