#include "support/reminder_rig.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/check_ini.h"
#include "reminder/recurrence.h"
#include "reminder/sound_table.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/trigger.h"
#include "store/xbase/table.h"
#include "support/logbook_capture.h"

namespace zrv::test {
namespace {

void check(const Status& s, const char* what) {
  if (!s) throw std::runtime_error(std::string(what) + ": " + s.message());
}

std::unique_ptr<Table> openSounds(const std::filesystem::path& dir, const Clock& clock) {
  auto t = Table::open(dir / kSoundTableFile, clock, {OpenMode::kExclusive, kSoundAlias, {}});
  check(t.status(), "ZRVPARAM.DBF");
  return std::move(t).value();
}

}  // namespace

Appointment makeAppointment(const std::string& date, const std::string& time,
                            const std::string& text, int vorlage, int warnMin) {
  Appointment a;
  a.DATE = Date::fromDisplay(date);
  a.TIME = a.TIMEVON = time;
  a.TEXT = text;
  a.VORLAGE = vorlage;
  a.REPEAT = vorlage > kOnce ? 1 : 0;
  a.WARNMIN = warnMin;
  a.WEEKDAYS = "XXXXXXX";
  a.MONTH = "XXXXXXXXXXXX";
  a.WEKINTVALL = 1;
  a.TERMINART = "TA70";
  a.ALARM = true;
  return a;
}

ReminderRig::ReminderRig(const std::string& date, const std::string& time, OpenMode mode)
    : clock(date, time),
      log(dir.path() / "Zorvane.Log", kRelease, clock),
      ctx(dir.path() / "", clock, log, ui) {
  ctx.lists = buildFixedLists();
  ctx.CINIFILE = dir.path() / "ZORVANE.INI";
  ctx.workstationIni = dir.path() / "home/ZORVANE.INI";
  ctx.run.DS_STARTDATE = clock.today();
  ctx.run.DN_DATE = clock.today();
  ctx.run.CN_TIME = clock.timeText();
  log.setEnabled(true);
  clearLog();

  check(Table::create(appointmentTableFile(base()), terStruct(), clock), "ZORVANE.TER");
  AppointmentTable::Options options;
  options.mode = mode;
  auto opened = AppointmentTable::open(base(), clock, options);
  check(opened.status(), "AppointmentTable::open");
  table = std::move(opened).value();
  env = std::make_unique<ReminderEnv>(
      ctx, *table, ReminderPorts{timer, window, alert, sound, launcher, mail, wakeUp, wait});

  check(createSoundTable(dir.path() / kSoundTableFile, clock), "createSoundTable");
  auto sounds = openSounds(dir.path(), clock);
  for (check(sounds->goTop(), "goTop"); !sounds->eof(); check(sounds->skip(1), "skip")) {
    check(sounds->setLogical("AKTIV", true), "AKTIV");
    check(sounds->setLogical("MARKED", true), "MARKED");
  }
  check(sounds->close(), "close");
}

ReminderRig::~ReminderRig() {
  env.reset();
  if (table) (void)table->close();
}

std::uint32_t ReminderRig::add(Appointment a) {
  applyTriggerRule(a, log);
  check(table->append(a), "append");
  check(table->commit(), "commit");
  table->unlockRecord();  // a shared table locks the appended record for its writer
  return table->recNo();
}

Appointment ReminderRig::at(std::uint32_t recno) {
  check(table->goTo(recno), "goTo");
  auto a = table->read();
  check(a.status(), "read");
  return *a;
}

bool ReminderRig::isDeleted(std::uint32_t recno) {
  check(table->goTo(recno), "goTo");
  return table->isDeleted();
}

std::vector<std::string> ReminderRig::logLines() const {
  return readLogbookLines(log.file(), 3);
}

void ReminderRig::clearLog() {
  log.log("Test", "");
}

template <class F>
void ReminderRig::editSlot(int area, int number, F change) {
  auto sounds = openSounds(dir.path(), clock);
  for (check(sounds->goTop(), "goTop"); !sounds->eof(); check(sounds->skip(1), "skip")) {
    if (*sounds->getNumber("BEREICH") == area && *sounds->getNumber("NUMMER") == number) {
      change(*sounds);
    }
  }
  check(sounds->close(), "close");
}

void ReminderRig::setSlot(int area, int number, bool on) {
  editSlot(area, number, [&](Table& t) {
    check(t.setLogical("AKTIV", on), "AKTIV");
    check(t.setLogical("MARKED", on), "MARKED");
  });
}

void ReminderRig::setSlotSound(int area, int number, const std::string& sound) {
  editSlot(area, number, [&](Table& t) { check(t.setString("SOUND", sound), "SOUND"); });
}

void ReminderRig::removeSlot(int area, int number) {
  editSlot(area, number, [&](Table& t) { check(t.deleteRecord(), "delete"); });
}

}  // namespace zrv::test
