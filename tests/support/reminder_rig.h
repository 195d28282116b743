// A program directory for the reminder engine's tests: a real appointment table and sound table
// in a temporary folder, a scripted clock, a logbook that is on, and scripted fakes behind every
// port, wired into one ReminderEnv.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/context.h"
#include "reminder/reminder_env.h"
#include "store/appointments/appointment_table.h"
#include "store/base/clock.h"
#include "store/base/logbook.h"
#include "support/reminder_fakes.h"
#include "support/test_dir.h"

namespace zrv::test {

// An appointment as the editor stores it: TIME and TIMEVON the entered time, every weekday and
// month marked, an interval of one week, kind "Keine Zuordnung". Date "dd.mm.yyyy", time "HH:MM".
Appointment makeAppointment(const std::string& date, const std::string& time,
                            const std::string& text, int vorlage = 1, int warnMin = 0);

class ReminderRig {
 public:
  // A new table ZORVANE.TER (opened in `mode`) and the shipped sound table with every slot
  // switched on; the clock stands at `date` / `time`, view 1 is current.
  explicit ReminderRig(const std::string& date = "10.06.2024", const std::string& time = "09:00:00",
                       OpenMode mode = OpenMode::kExclusive);
  ~ReminderRig();
  ReminderRig(const ReminderRig&) = delete;
  ReminderRig& operator=(const ReminderRig&) = delete;

  std::filesystem::path base() const { return dir.path() / "ZORVANE"; }
  // Applies the trigger rule, appends and commits; returns the record number.
  std::uint32_t add(Appointment a);
  // The record as stored now; the table is left on it.
  Appointment at(std::uint32_t recno);
  bool isDeleted(std::uint32_t recno);
  // Logbook lines "(place) text" written since the rig was built or the last clearLog().
  std::vector<std::string> logLines() const;
  void clearLog();
  // Sets MARKED and AKTIV of one slot of the sound table, or its SOUND.
  void setSlot(int area, int number, bool on);
  void setSlotSound(int area, int number, const std::string& sound);
  void removeSlot(int area, int number);

  TestDir dir;
  FixedClock clock;
  ScriptedUserInterface ui;
  Logbook log;
  Context ctx;
  FakeTimer timer;
  FakeMainWindow window;
  ScriptedAlert alert;
  RecordingSoundPlayer sound;
  FakeLauncher launcher;
  RecordingMail mail;
  FakeWakeUp wakeUp;
  NoWait wait;
  std::unique_ptr<AppointmentTable> table;
  std::unique_ptr<ReminderEnv> env;

 private:
  template <class F>
  void editSlot(int area, int number, F change);
};

}  // namespace zrv::test
