// The program's settings, filled from the settings file at start-up (checkIni) and written
// back key by key where the user changes them. Names are the globals they stand for.
#pragma once

#include <string>

#include "store/base/date.h"

namespace zrv {

struct Settings {
  // [ZORVANE]
  std::string CN_FILE = "ZORVANE";  // base name of the appointment table
  // [SYSTEM]
  bool LS_ASTART = false;   // AStart: start with the desktop session
  bool LS_ASICON = false;   // AsIcon: start hidden in the tray
  bool LS_INTRAY = false;   // InTray: "hide" puts the window into the tray
  int NS_TIMER = 30;        // Timer: seconds between two due checks
  int NS_TODAY = 1;         // Today: list view 1 current, 2 today's, 3 filed
  Date lastOn;              // LastOn: date of the last exit (written only)
  bool LS_ALARMON = false;  // AlarmOn: sounds on
  // [SETUP]
  int NS_ERROR = 1;         // Errors: 1 delete, 2 archive, 3 mail the error log
  bool LS_LOGBUCH = false;  // LOGBUCH (1/0)
  bool LS_SHOWLOG = false;  // SHOWLOG (1/0): open the logbook at exit
  bool LS_SHOWOLD = false;  // SHOWOLD: look for missed appointments
  int NS_MIN = 10;          // NACHMIN: default NICHTMEHR of a new appointment (minutes)
  int NS_AUTOMIN = 10;      // AUTOMIN: minutes of the alert's "Aut&o" button; 0 disables it
  bool LS_WAKEUP = false;   // WakeUp (1/0)
  int NS_WAKEUPM = 2;       // WakeUpMin: minutes before the alarm to wake the computer
  bool LS_SLOESCH = false;  // SLOESCH: delete finished once-only appointments
  bool LS_VWORIG = false;   // VWORIG: once-only finished only when TIME equals TIMEVON
  int NS_WEEKSHOW = 1;      // WEEKSHOW: 1 first 35 characters, 2 first line, 3 whole text
  int NS_LANACTUAL = 3;     // LANACTUAL: 1 sound, 2 pop up, else nothing on a file change
  bool LS_SUMMARY = true;   // SUMMARY: several missed appointments in one window
  // [USER]
  std::string CS_USER;      // NAME; empty becomes 30 blanks
  std::string CS_USERFILE;  // FILE
  // network mode (workstation setting)
  bool LS_LAN = false;
  // [MailSupport] Online (1/0); the other mail keys are read where they are used
  bool LM_ONLINE = false;

  friend bool operator==(const Settings&, const Settings&) = default;
};

}  // namespace zrv
