#include "store/appointments/appointment_record.h"

#include <cmath>

namespace zrv {
namespace {

// Reading one member by field name from the current record (Table) or a record read without
// moving (RecordView); a field the table lacks is left alone.
template <class Source>
class FieldMapper {
 public:
  FieldMapper(const Source& t, Status* memoProblem) : t_(t), memoProblem_(memoProblem) {}
  const Status& status() const { return status_; }

  // A memo that cannot be read (a pointer past the end of the memo file, no end mark) leaves
  // the rest of the record readable: its text says so, the problem goes to `memoProblem`.
  void memo(const char* name, std::string& out) {
    if (!ok(name)) return;
    auto v = t_.getString(name);
    if (v) {
      out = std::move(*v);
    } else if (v.code() == StatusCode::kCorrupt) {
      out = kUnreadableText;
      if (memoProblem_) *memoProblem_ = v.status();
    } else {
      status_ = v.status();
    }
  }

  void text(const char* name, std::string& out, std::size_t padTo = 0) {
    if (!ok(name)) return;
    auto v = t_.getString(name);
    if (!v) {
      status_ = v.status();
      return;
    }
    out = std::move(*v);
    if (out.size() < padTo) out.resize(padTo, ' ');
  }
  void number(const char* name, int& out) {
    if (!ok(name)) return;
    auto v = t_.getNumber(name);
    if (v) out = static_cast<int>(std::lround(*v));
    if (!v) status_ = v.status();
  }
  void date(const char* name, Date& out) {
    if (!ok(name)) return;
    auto v = t_.getDate(name);
    if (v) out = *v;
    if (!v) status_ = v.status();
  }
  void logical(const char* name, bool& out) {
    if (!ok(name)) return;
    auto v = t_.getLogical(name);
    if (v) out = *v;
    if (!v) status_ = v.status();
  }

 private:
  bool ok(const char* name) const { return status_ && t_.hasField(name); }
  const Source& t_;
  Status* memoProblem_;
  Status status_;
};

class FieldWriter {
 public:
  explicit FieldWriter(Table& t) : t_(t) {}
  const Status& status() const { return status_; }

  void set(const char* name, const Value& v) {
    if (status_ && t_.hasField(name)) status_ = t_.set(name, v);
  }
  void number(const char* name, int v) { set(name, Value(static_cast<double>(v))); }
  // The memo is rewritten only when its text changed: every rewrite takes new blocks.
  void memo(const char* name, const std::string& text) {
    if (!status_ || !t_.hasField(name)) return;
    auto current = t_.getString(name);
    if (current && *current == text) return;
    status_ = t_.setString(name, text);
  }

 private:
  Table& t_;
  Status status_;
};

}  // namespace

Structure terStruct() {
  return {
      {"TDATE", 'D', 8, 0},       {"TTIME", 'C', 5, 0},       {"LAUTO", 'L', 1, 0},
      {"DATE", 'D', 8, 0},        {"TIME", 'C', 5, 0},        {"TIMEVON", 'C', 5, 0},
      {"TEXT", 'M', 10, 0},       {"VORLAGE", 'N', 2, 0},     {"VORLNACH", 'N', 3, 0},
      {"REPEAT", 'N', 1, 0},      {"REPDATE", 'D', 8, 0},     {"REPTIME", 'C', 8, 0},
      {"WARNMIN", 'N', 3, 0},     {"ALARM", 'L', 1, 0},       {"ALARMFILE", 'C', 100, 0},
      {"PROGSTART", 'C', 255, 0}, {"PROGPARAM", 'C', 100, 0}, {"TERMINART", 'C', 5, 0},
      {"NICHTMEHR", 'N', 3, 0},   {"QUIT", 'L', 1, 0},        {"DAYINTVALL", 'N', 3, 0},
      {"WEKINTVALL", 'N', 2, 0},  {"WEEKDAYS", 'C', 7, 0},    {"MONINTVALL", 'N', 2, 0},
      {"MONTHDAY", 'N', 2, 0},    {"MONTH", 'C', 12, 0},      {"ENDDAT", 'D', 8, 0},
      {"EMAIL", 'C', 50, 0},
  };
}

namespace {

template <class Source>
Result<Appointment> readFrom(const Source& table, Status* memoProblem) {
  Appointment a;
  FieldMapper<Source> m(table, memoProblem);
  m.date("TDATE", a.TDATE);
  m.text("TTIME", a.TTIME);
  m.logical("LAUTO", a.LAUTO);
  m.date("DATE", a.DATE);
  m.text("TIME", a.TIME);
  m.text("TIMEVON", a.TIMEVON);
  m.memo("TEXT", a.TEXT);
  m.number("VORLAGE", a.VORLAGE);
  m.number("VORLNACH", a.VORLNACH);
  m.number("REPEAT", a.REPEAT);
  m.date("REPDATE", a.REPDATE);
  m.text("REPTIME", a.REPTIME);
  m.number("WARNMIN", a.WARNMIN);
  m.logical("ALARM", a.ALARM);
  m.text("ALARMFILE", a.ALARMFILE);
  m.text("PROGSTART", a.PROGSTART);
  m.text("PROGPARAM", a.PROGPARAM);
  m.text("TERMINART", a.TERMINART);
  m.number("NICHTMEHR", a.NICHTMEHR);
  m.logical("QUIT", a.QUIT);
  m.number("DAYINTVALL", a.DAYINTVALL);
  m.number("WEKINTVALL", a.WEKINTVALL);
  m.text("WEEKDAYS", a.WEEKDAYS, 7);
  m.number("MONINTVALL", a.MONINTVALL);
  m.number("MONTHDAY", a.MONTHDAY);
  m.text("MONTH", a.MONTH, 12);
  m.date("ENDDAT", a.ENDDAT);
  m.text("EMAIL", a.EMAIL);
  if (!m.status()) return m.status();
  return a;
}

}  // namespace

Result<Appointment> readAppointment(const Table& table, Status* memoProblem) {
  return readFrom(table, memoProblem);
}

Result<Appointment> readAppointment(const RecordView& record, Status* memoProblem) {
  return readFrom(record, memoProblem);
}

Status writeAppointment(Table& table, const Appointment& a) {
  if (table.eof()) return status::invalid("Es ist kein Datensatz ausgewählt.");
  FieldWriter w(table);
  w.set("TDATE", a.TDATE);
  w.set("TTIME", a.TTIME);
  w.set("LAUTO", a.LAUTO);
  w.set("DATE", a.DATE);
  w.set("TIME", a.TIME);
  w.set("TIMEVON", a.TIMEVON);
  w.memo("TEXT", a.TEXT);
  w.number("VORLAGE", a.VORLAGE);
  w.number("VORLNACH", a.VORLNACH);
  w.number("REPEAT", a.REPEAT);
  w.set("REPDATE", a.REPDATE);
  w.set("REPTIME", a.REPTIME);
  w.number("WARNMIN", a.WARNMIN);
  w.set("ALARM", a.ALARM);
  w.set("ALARMFILE", a.ALARMFILE);
  w.set("PROGSTART", a.PROGSTART);
  w.set("PROGPARAM", a.PROGPARAM);
  w.set("TERMINART", a.TERMINART);
  w.number("NICHTMEHR", a.NICHTMEHR);
  w.set("QUIT", a.QUIT);
  w.number("DAYINTVALL", a.DAYINTVALL);
  w.number("WEKINTVALL", a.WEKINTVALL);
  w.set("WEEKDAYS", a.WEEKDAYS);
  w.number("MONINTVALL", a.MONINTVALL);
  w.number("MONTHDAY", a.MONTHDAY);
  w.set("MONTH", a.MONTH);
  w.set("ENDDAT", a.ENDDAT);
  w.set("EMAIL", a.EMAIL);
  return w.status();
}

}  // namespace zrv
