// What one call of the command line asks for, as the argument parser reads it and the line
// protocol carries it to the running program, and the documented exit codes.
#pragma once

#include <cstdint>
#include <string>

#include "store/base/date.h"

namespace zrv {

// The exit codes of `zorvane` with arguments.
enum ExitCode : int {
  kExitDone = 0,
  kExitBadArguments = 1,
  kExitTableUnreachable = 2,
  kExitNothingFound = 3,
};

enum class CliCommand {
  Windows,  // no arguments: the program with its window
  Help,
  Version,
  Next,
  List,
  Add,
  FileAway,
  Delete,
  ExportIcs,
  ImportIcs,
  Raise,  // a second start without arguments: the running window comes to the front
};

// Whether the command changes the table (a reading command never waits long for the window
// thread).
bool changesTable(CliCommand c);

// --add: the values as typed; the editor's rules check and complete them.
struct AddRequest {
  std::string text;
  std::string date;        // "TT.MM.JJJJ"
  std::string time;        // "HH:MM"
  std::string lead = "0";  // minutes as typed
  int repeat = 1;          // VORLAGE 1..6
  std::string weekdays;    // mask, Sunday first ("" = the default of the kind)
  int every = 0;           // weekly: every n-th week (0: the default)
  std::string months;      // mask, January first ("" = the default)
  std::string until;       // "TT.MM.JJJJ" ("" = the default end date)
  std::string kind;        // code ("TA7"), "" = "Keine Zuordnung"
  std::string sound;       // path as given ("" = the kind's default sound)
  bool soundGiven = false;
  std::string mail;
};

struct CliRequest {
  CliCommand command = CliCommand::Windows;
  bool json = false;
  int view = 1;   // --list: 1 aktuelle, 2 heutige, 3 abgelegte
  Date from, to;  // --list: the appointments' own dates, empty = open
  AddRequest add;
  std::uint32_t recno = 0;  // --file-away, --delete
  std::string file;         // --export-ics, --import-ics: an absolute path
};

// What the command answers: the text for standard output and for standard error (each ends with
// a line break when not empty), and the exit code.
struct CliResponse {
  int exitCode = kExitDone;
  std::string out;
  std::string err;
};

}  // namespace zrv
