#include "reminder/missed_summary.h"

#include <set>
#include <vector>

#include "app/context.h"
#include "ports/alert_port.h"
#include "reminder/appointment_kinds.h"
#include "reminder/memo_line.h"
#include "reminder/record_changes.h"
#include "reminder/reminder_env.h"
#include "reminder/text_util.h"
#include "store/appointments/appointment_table.h"
#include "store/base/date_time.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "Weg";

long secondsOf(const Moment& m) {
  return m.date.serial() * 86400L + m.secondsOfDay;
}

// The current appointments whose trigger has passed, in trigger order; with SHOWOLD on only
// those the missed-appointment search would present (within their NICHTMEHR minutes).
std::vector<MissedRow> missedRows(ReminderEnv& env) {
  Context& ctx = env.ctx;
  std::vector<MissedRow> rows;
  std::set<std::uint32_t> seen;
  for (;;) {
    const CurrentRecord first = env.DTER.firstCurrent(seen);
    if (!first.status || first.recno == 0) break;
    const Appointment& a = first.appointment;
    const long late = minutesSince(a.TDATE, a.TTIME, ctx.clock.now());
    if (late < 0) break;
    seen.insert(first.recno);
    if (ctx.settings.LS_SHOWOLD && a.NICHTMEHR > 0 && late > a.NICHTMEHR) continue;
    rows.push_back(MissedRow{first.recno, a.DATE.toDisplay(), a.TIMEVON.substr(0, 5),
                             firstLine(a.TEXT), kindText(ctx.lists, rtrimBlanks(a.TERMINART))});
  }
  return rows;
}

}  // namespace

bool wokeUp(const Moment& lastTick, const Moment& now, int timerSeconds) {
  const long gap = secondsOf(now) - secondsOf(lastTick);
  return gap > 3L * (timerSeconds > 0 ? timerSeconds : 30) + 60;
}

bool offerMissedSummary(ReminderEnv& env) {
  Context& ctx = env.ctx;
  if (!ctx.settings.LS_SUMMARY) return false;
  const std::vector<MissedRow> rows = missedRows(env);
  if (rows.size() < 2) return false;
  ctx.log.log(kPlace, "Während Sie weg waren: " + std::to_string(rows.size()) + " Termine");
  if (env.ports.alert.showMissedSummary(rows) != MissedChoice::ConfirmAll) {
    ctx.log.log(kPlace, "Einzeln ansehen");
    return false;
  }
  const std::uint32_t remembered = env.DTER.recNo();
  for (const MissedRow& row : rows) {
    if (!env.DTER.goTo(row.recno) || env.DTER.eof() || env.DTER.isDeleted()) continue;
    ctx.log.log(kPlace, "Bestätigt: " + row.date + " " + row.time + " " + row.text);
    finishWithoutAsking(env, FinishLines{kPlace, "Termin gelöscht", "Termin abgelegt", nullptr,
                                         "Termin weitergeschoben"});
  }
  (void)env.DTER.goTo(remembered);
  return true;
}

}  // namespace zrv
