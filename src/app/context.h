// The program-wide context: created once at start-up and passed by reference to every
// operation. It holds the settings, the run state, the fixed lists and the ports through
// which the core reaches the clock, the logbook and the user.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/help.h"
#include "app/settings.h"
#include "store/base/date.h"

namespace zrv {

class AppointmentTable;
class Clock;
class Logbook;
class SettingsListener;
class TableListener;
class UserInterface;

inline constexpr const char* kRelease = "QLS Zorvane v2.00.65";  // CRELEASE

// State of the run that is not a setting.
struct RunState {
  Date DN_DATE;               // trigger date of the next due appointment
  std::string CN_TIME;        // its trigger time
  long NN_REC = 0;            // its record number (0: none)
  int NN_WEEK = 0;            // calendar-week count of today
  std::string CN_WEEK;        // the same as text, shown as "KW " + CN_WEEK
  Date DS_STARTDATE;          // the remembered day; a new day is noticed against it
  bool LS_PACK = false;       // something was deleted: pack at exit
  bool LS_WNDSHOWN = true;    // main window shown normally
  bool LS_WNDHIDDEN = false;  // main window hidden in the tray
  int NS_WNDSTATE = 0;        // 2 started normal, 3 started hidden
  bool LS_1ALAOK = false;     // quarter-hour chime flags: this quarter has chimed
  bool LS_2ALAOK = false;
  bool LS_3ALAOK = false;
  bool LS_4ALAOK = false;
  bool LWINXP = false;      // the platform offers a wake-up facility
  bool uncleanEnd = false;  // the last run left its run marker: check the table's indexes
  // An update's installer was started from the run's files: this run's end leaves it in place.
  bool installerStarted = false;
  Date DS_USRDATE;          // last seen date of USERLIST.DBF (empty: not seen in this run)
  std::string CS_USRTIME;   // and its time
  // The workstation was uninstalled: its settings file is gone and is not written again.
  bool uninstalled = false;
};

// The fixed lists, 0-based here (the rules' 1-based index n is element n - 1).
struct FixedLists {
  std::vector<std::string> AVORLAGE;  // recurrence kinds
  std::vector<std::string> ATERMART;  // appointment kinds
  std::vector<std::string> AT_TART;   // their bitmap names, the codes stored in TERMINART
  int NCOLF = 1;                      // text colour of dialog entry fields
  unsigned NCOLB = 0xD0FFFF;          // background: RGB(255,255,208) as 0x00BBGGRR
};

struct Context {
  // Out of line, as is the destructor, which closes DTER: both need the complete table type.
  Context(std::filesystem::path programDir, const Clock& clock, Logbook& log, UserInterface& ui);
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  std::filesystem::path CRUNIN;  // the program directory, the current directory of the run
  std::string CRELEASE = kRelease;
  std::filesystem::path CS_EXEPATH;  // full path of the running program
  std::filesystem::path CINIFILE;    // the settings file in use (chosen by checkIni)
  // The workstation settings file, used when the program directory holds no ZORVANE.INI;
  // checkIni fills in the default (workstationIniPath()) when it is empty.
  std::filesystem::path workstationIni;
  // The folder of the run's own files (app/run_files.h): the run marker, the logbook, the
  // wake-up script, SysInfo.txt, the mail bodies, the sound index, the error report and the
  // update files. The program directory; the workstation's folder beside its settings file
  // whenever that file is in use. Starts as the program directory; set by chooseSettingsFile.
  std::filesystem::path runFiles;

  Settings settings;
  RunState run;
  FixedLists lists;

  // The open appointment table (CN_FILE), opened by checkDbf for the rest of the run or until
  // another table is opened; empty while no table could be opened. Whoever keeps a reference
  // to the table must take it anew after checkDbf.
  std::unique_ptr<AppointmentTable> DTER;
  // Follows every change of the table in use (useTable); never null: a NoTableListener until
  // the program sets its own.
  TableListener* tableListener;
  // Follows every change of the settings while the program runs (settingsChanged); never null: a
  // NoSettingsListener until the program sets its own.
  SettingsListener* settingsListener;

  const Clock& clock;
  Logbook& log;
  UserInterface& ui;
  Help help;  // the help book: the current topic (F1) and its viewer
};

}  // namespace zrv
