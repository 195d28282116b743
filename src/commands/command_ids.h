// The ids of the main window's commands, one for every entry of the menu bar, the button bar,
// its drop-down menus, the list's context menu and the list's keys. They are final: a window
// binds its entries to these numbers, whatever the command does today.
#pragma once

namespace zrv {

enum class CommandId : int {
  // Menu "&Datei"
  FileNew = 101,
  FileOpen,
  FileDelete,
  FileUser,
  FileHide,
  FileUninstall,
  FileExit,
  // Menu "&Termine"
  AppointmentNew = 201,
  AppointmentEdit,
  AppointmentDelete,
  AppointmentFromClipboard,
  AppointmentToClipboard,
  AppointmentCalendar,
  // Menu "&Gehe zu"
  GoFirst = 301,
  GoPrevious,
  GoNext,
  GoLast,
  GoCurrentAppointment,
  // Menu "&Anzeige"
  ViewCurrent = 401,
  ViewToday,
  ViewFiled,
  ViewWeekOverview,
  // Menu "D&rucken"
  PrintToday = 501,
  PrintTomorrow,
  PrintNextWeek,
  PrintPeriod,
  PrintSetup,
  // Menu "&Einstellungen"
  SettingsGeneral = 601,
  SettingsNetwork,
  SettingsSound,
  SettingsOptimizeUsers,
  // Menu "&Hilfe"
  HelpContents = 701,
  HelpIndex,
  HelpAbout,
  HelpSystemInfo,
  HelpHomepage,
  HelpSupportMail,
  HelpUpdate,
  // The button bar, left to right
  BarNew = 801,
  BarEdit,
  BarDelete,
  BarToClipboard,
  BarFromClipboard,
  BarFirst,
  BarPrevious,
  BarNext,
  BarLast,
  BarViews,
  BarWeekOverview,
  BarUserOrFile,
  BarCalendar,
  BarSettings,
  BarHelp,
  BarHide,
  // The drop-down menus of the bar: views (1), settings (2)
  PopupViewCurrent = 901,
  PopupViewToday,
  PopupViewFiled,
  PopupSettingsGeneral,
  PopupSettingsNetwork,
  PopupSettingsSound,
  // The list's context menu
  ContextRunNow = 1001,
  ContextNew,
  ContextEdit,
  ContextDelete,
  ContextFile,
  ContextReactivate,
  ContextViewCurrent,
  ContextViewToday,
  ContextViewFiled,
  ContextWeekOverview,
  ContextNextAppointment,
  // The list's keys and its own edit triggers
  ListInsertKey = 1101,
  ListDeleteKey,
  ListEditButton,
  ListEditTab,
  // A change handed over by the command line (zorvane --add and the like)
  CommandLineChange = 1201,
};

}  // namespace zrv
