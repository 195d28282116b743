#include "remote/cli_service.h"

#include <optional>

#include "app/context.h"
#include "editor/details_rules.h"
#include "editor/editor_checks.h"
#include "editor/editor_record.h"
#include "editor/editor_values.h"
#include "editor/file_choice.h"
#include "ical/ics_codec.h"
#include "reminder/appointment_kinds.h"
#include "reminder/memo_line.h"
#include "reminder/record_lock.h"
#include "reminder/recurrence.h"
#include "reminder/sound_slots.h"
#include "remote/cli_output.h"
#include "remote/json.h"
#include "store/appointments/appointment_table.h"
#include "store/base/file_io.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr std::size_t kMaxIcsFile = 64 * 1024 * 1024;

class Run {
 public:
  Run(CliTarget& t, const CliRequest& r) : t_(t), r_(r), ctx_(t.ctx), table_(t.table) {}

  CliResponse go() {
    switch (r_.command) {
      case CliCommand::Next:
        next();
        break;
      case CliCommand::List:
        list();
        break;
      case CliCommand::Add:
        add();
        break;
      case CliCommand::FileAway:
      case CliCommand::Delete:
        fileOrDelete(r_.command == CliCommand::Delete);
        break;
      case CliCommand::ExportIcs:
        exportIcs();
        break;
      case CliCommand::ImportIcs:
        importIcs();
        break;
      default:
        fail(kExitBadArguments, "Dieser Befehl geht nicht an die Termindatei.");
    }
    return res_;
  }

 private:
  void fail(int code, const std::string& text) {
    res_.exitCode = code;
    res_.err += text + "\n";
  }
  void say(const std::string& human, const Json& json) {
    res_.out += (r_.json ? json.dump(true) : human) + "\n";
  }
  bool stored(const Status& s) {
    if (s) return true;
    ctx_.log.log(kCliTag, "Speichern - FEHLER: " + s.message());
    fail(kExitTableUnreachable, s.message());
    return false;
  }
  std::string line(std::uint32_t recno, const Appointment& a) const {
    return appointmentLine(ShownAppointment{recno, a}, ctx_.lists);
  }
  Json json(std::uint32_t recno, const Appointment& a) const {
    return appointmentJson(ShownAppointment{recno, a}, ctx_.lists);
  }

  void next() {
    const CurrentRecord first = table_.firstCurrent();
    if (!first.status) {
      fail(kExitTableUnreachable, first.status.message());
      return;
    }
    if (first.recno == 0) {
      res_.exitCode = kExitNothingFound;
      say("Kein Termin steht an.", Json::object().set("next", nullptr));
      return;
    }
    say(line(first.recno, first.appointment),
        Json::object().set("next", json(first.recno, first.appointment)));
  }

  // Today's appointments are the current ones dated today: the index of today's view names the
  // day it was built on, which a table opened only for this command may not have seen.
  void list() {
    const int order = r_.view == 3 ? orderForView(3) : orderForView(1);
    Result<std::vector<std::uint32_t>> recnos = table_.table().orderRecnos(order);
    if (!recnos) {
      fail(kExitTableUnreachable, recnos.status().message());
      return;
    }
    const Date today = ctx_.clock.today();
    std::string human;
    Json rows = Json::array();
    for (const std::uint32_t recno : *recnos) {
      bool deleted = false;
      Result<Appointment> a = table_.readAt(recno, &deleted);
      if (!a || deleted) continue;
      if (r_.view == 2 && a->DATE != today) continue;
      if (!r_.from.empty() && a->DATE < r_.from) continue;
      if (!r_.to.empty() && a->DATE > r_.to) continue;
      if (r_.json) {
        rows.push(json(recno, *a));
      } else {
        human += line(recno, *a) + "\n";
      }
    }
    static const char* const kViews[] = {"aktuelle", "heutige", "abgelegte"};
    const bool none = r_.json ? rows.items().empty() : human.empty();
    if (none) res_.exitCode = kExitNothingFound;
    if (r_.json) {
      say("", Json::object().set("view", kViews[r_.view - 1]).set("appointments", rows));
    } else if (none) {
      res_.out += "Keine Termine.\n";
    } else {
      res_.out += human;
    }
  }

  // The details windows' rules for the options of the recurrence.
  std::optional<std::string> details(EditorValues& v) {
    const AddRequest& a = r_.add;
    const Date today = ctx_.clock.today();
    const Date until = Date::fromDisplay(a.until);
    switch (v.recurrence) {
      case kHourly:
        if (!until.empty()) v.rep.end = until;
        break;
      case kDaily: {
        DayDetails d = dayDetailsOf(v, today);
        if (!a.weekdays.empty()) {
          for (std::size_t i = 0; i < 7; ++i)
            d.weekdays[i] = a.weekdays[i] == 'X';
        }
        if (!until.empty()) d.end = until;
        if (!canSave(d)) return "Es ist kein Wochentag gewählt.";
        saveDetails(v, d, today);
        break;
      }
      case kWeekly: {
        WeekDetails d = weekDetailsOf(v);
        if (a.every) d.interval = a.every;
        if (!until.empty()) d.end = until;
        if (!canSave(d)) return "Wöchentlich braucht ein Enddatum und einen Abstand ab 1.";
        saveDetails(v, d);
        break;
      }
      case kMonthly: {
        MonthDetails d = monthDetailsOf(v);
        if (!a.months.empty()) {
          for (std::size_t i = 0; i < 12; ++i)
            d.months[i] = a.months[i] == 'X';
        }
        if (!until.empty()) d.end = until;
        if (!canSave(d)) return "Es ist kein Monat gewählt.";
        saveDetails(v, d, today);
        break;
      }
      case kYearly: {
        YearDetails d = yearDetailsOf(v);
        if (!until.empty()) d.end = until;
        if (!canSave(d)) return "Jährlich braucht ein Enddatum.";
        saveDetails(v, d);
        break;
      }
      default:
        break;
    }
    return std::nullopt;
  }

  void add() {
    const AddRequest& a = r_.add;
    const std::optional<Date> date = typedDate(a.date);
    if (!date) {
      fail(kExitBadArguments, "Das Datum " + a.date + " ist kein gültiger Tag.");
      return;
    }
    EditorValues v = newAppointmentValues(ctx_.clock.today(), ctx_.clock.hhmm(), a.text,
                                          ctx_.settings.NS_MIN, "");
    v.date = *date;
    v.time = a.time;
    v.leadTime = a.lead;
    v.kind = a.kind.empty() ? 1 : kindPosition(ctx_.lists, a.kind);
    v.alarmFile = a.soundGiven ? (a.sound.empty() ? "" : storedPath(a.sound, ctx_.CRUNIN))
                               : qlGetPSound(ctx_, 8, v.kind);
    v.email = a.mail;
    v.recurrence = a.repeat;
    resetRepetition(v);
    if (auto problem = details(v)) {
      fail(kExitBadArguments, *problem);
      return;
    }
    zrvMist(v, ctx_.lists);
    rebuildRepetitionText(v);
    if (auto problem = checkEditorValues(v)) {
      fail(kExitBadArguments, problem->message);
      return;
    }
    if (!fitsField(v.email, kEmailWidth) || !fitsField(v.alarmFile, kAlarmFileWidth)) {
      fail(kExitBadArguments, !fitsField(v.email, kEmailWidth) ? tooLongMessage(kEmailWidth)
                                                               : tooLongMessage(kAlarmFileWidth));
      return;
    }
    const Appointment appointment = appointmentFrom(v, ctx_.lists, Appointment{}, ctx_.log);
    if (!stored(table_.append(appointment)) || !stored(table_.commit())) return;
    const std::uint32_t recno = table_.recNo();
    ctx_.log.log(kCliTag, "Neuer Termin " + std::to_string(recno) + ": " +
                              appointment.DATE.toDisplay() + " " + appointment.TIME + " " +
                              firstLine(appointment.TEXT));
    say("Termin angelegt:\n" + line(recno, appointment),
        Json::object().set("added", json(recno, appointment)));
  }

  void fileOrDelete(bool remove) {
    const std::uint32_t recno = r_.recno;
    std::optional<Appointment> a;
    if (recno <= table_.table().recCount()) {
      bool deleted = false;
      Result<Appointment> read = table_.readAt(recno, &deleted);
      if (read && !deleted) a = std::move(read).value();
    }
    if (!a) {
      res_.exitCode = kExitNothingFound;
      res_.err += "Einen Termin Nr. " + std::to_string(recno) + " gibt es nicht.\n";
      return;
    }
    const std::string title = firstLine(a->TEXT);
    const char* key = remove ? "deleted" : "filed";
    if (!remove && a->QUIT) {
      say("Termin " + std::to_string(recno) + " ist schon abgelegt.",
          Json::object().set(key, static_cast<long>(recno)));
      return;
    }
    const std::uint32_t before = table_.recNo();
    if (!stored(table_.goTo(recno))) return;
    {
      RecordLock lock(table_);
      if (!lock.locked()) {
        fail(kExitTableUnreachable,
             "Termin " + std::to_string(recno) + ": Datensatz gesperrt - kein Speichern !");
      } else if (remove) {
        if (stored(table_.deleteRecord()) && stored(table_.commit())) {
          ctx_.run.LS_PACK = true;
          ctx_.log.log(kCliTag, "Termin " + std::to_string(recno) + " gelöscht: " + title);
          say("Termin " + std::to_string(recno) + " gelöscht: " + title,
              Json::object().set(key, static_cast<long>(recno)));
        }
      } else {
        Result<Appointment> now = table_.read();
        if (stored(now.status())) {
          now.value().QUIT = true;
          if (stored(table_.write(*now)) && stored(table_.commit())) {
            ctx_.log.log(kCliTag, "Termin " + std::to_string(recno) + " abgelegt: " + title);
            say("Termin " + std::to_string(recno) + " abgelegt: " + title,
                Json::object().set(key, static_cast<long>(recno)));
          }
        }
      }
    }
    if (before != 0) (void)table_.goTo(before);
  }

  const IcsCodec* codec() {
    std::string why;
    const IcsCodec* c = t_.codec ? t_.codec(why) : nullptr;
    if (!c) fail(kExitTableUnreachable, "iCalendar ist nicht verfügbar: " + why);
    return c;
  }

  void exportIcs() {
    const IcsCodec* c = codec();
    if (!c) return;
    std::vector<Appointment> all;
    const std::uint32_t count = table_.table().recCount();
    for (std::uint32_t recno = 1; recno <= count; ++recno) {
      bool deleted = false;
      Result<Appointment> a = table_.readAt(recno, &deleted);
      if (!stored(a.status())) return;
      if (!deleted) all.push_back(std::move(a).value());
    }
    const std::string text = c->exportIcs(all, ctx_.lists, t_.nowUtc());
    if (!replaceFileAtomically(r_.file, text)) {
      fail(kExitBadArguments, "Die Datei " + r_.file + " kann nicht geschrieben werden.");
      return;
    }
    const std::string n = std::to_string(all.size());
    ctx_.log.log(kCliTag, "Export nach " + r_.file + ": " + n + " Termine");
    say(n + " Termine nach " + r_.file + " geschrieben.",
        Json::object().set("exported", static_cast<long>(all.size())).set("file", r_.file));
  }

  void importIcs() {
    std::error_code ec;
    const auto size = std::filesystem::file_size(r_.file, ec);
    if (ec || size > kMaxIcsFile) {
      fail(kExitBadArguments, ec ? "Die Datei " + r_.file + " kann nicht gelesen werden."
                                 : "Die Datei " + r_.file + " ist zu groß.");
      return;
    }
    const std::optional<std::string> text = readWholeFile(r_.file);
    if (!text) {
      fail(kExitBadArguments, "Die Datei " + r_.file + " kann nicht gelesen werden.");
      return;
    }
    const IcsCodec* c = codec();
    if (!c) return;
    const IcsImportRules rules{ctx_.lists, ctx_.log, ctx_.settings.NS_MIN,
                               [this](int kind) { return qlGetPSound(ctx_, 8, kind); }, t_.toLocal};
    const IcsImport in = c->importIcs(*text, rules);
    if (!in.problem.empty()) {
      fail(kExitBadArguments, in.problem + " (" + r_.file + ")");
      return;
    }
    Json added = Json::array();
    for (const Appointment& a : in.appointments) {
      if (!stored(table_.append(a))) return;
      added.push(static_cast<long>(table_.recNo()));
    }
    if (!in.appointments.empty() && !stored(table_.commit())) return;
    Json refused = Json::array();
    for (const std::string& why : in.refusals) {
      ctx_.log.log(kCliTag, why);
      res_.err += why + "\n";
      refused.push(why);
    }
    const std::string n = std::to_string(in.appointments.size());
    ctx_.log.log(kCliTag, "Import aus " + r_.file + ": " + n + " Termine, " +
                              std::to_string(in.refusals.size()) + " abgelehnt");
    if (in.appointments.empty()) res_.exitCode = kExitNothingFound;
    say(n + " Termine übernommen, " + std::to_string(in.refusals.size()) + " abgelehnt.",
        Json::object().set("imported", added).set("refused", refused));
  }

  CliTarget& t_;
  const CliRequest& r_;
  Context& ctx_;
  AppointmentTable& table_;
  CliResponse res_;
};

}  // namespace

CliResponse runCliCommand(CliTarget& target, const CliRequest& request) {
  return Run(target, request).go();
}

}  // namespace zrv
