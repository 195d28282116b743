// A program directory for the tests of the table commands: a context with a fixed clock, a
// logbook that is on, a settings file in the directory and a user interface that records what
// it is shown and answers questions from a script. Beside it the independent readers and
// writers of tables (python3-dbfread, python3-dbf and the NTX walker); a second process that
// holds a table open is support/lock_holder.h.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/context.h"
#include "ports/user_interface.h"
#include "store/base/clock.h"
#include "store/base/logbook.h"
#include "store/xbase/table_structure.h"
#include "support/test_dir.h"

namespace zrv {
class AppointmentTable;
}

namespace zrv::test {

class RecordingUserInterface : public UserInterface {
 public:
  struct Shown {
    std::string title, text;
    friend bool operator==(const Shown&, const Shown&) = default;
  };
  void message(const std::string& title, const std::string& text, Severity) override {
    messages.push_back({title, text});
  }
  // The next scripted answer, or the preselected one when the script is used up.
  bool ask(const std::string& title, const std::string& text, bool defaultYes) override;
  void statusText(const std::string& text) override { statusTexts.push_back(text); }
  void statusPane(StatusPane pane, const std::string& text) override { panes[pane] = text; }
  void busy(bool on) override { busyDepth += on ? 1 : -1; }

  std::vector<Shown> messages;
  std::vector<Shown> questions;
  std::vector<bool> questionDefaults;
  std::deque<bool> answers;
  std::vector<std::string> statusTexts;
  std::map<StatusPane, std::string> panes;
  int busyDepth = 0;
};

struct TableRig {
  TableRig();
  ~TableRig();  // back to the directory the test started in (start-up changes it)
  TableRig(const TableRig&) = delete;
  TableRig& operator=(const TableRig&) = delete;

  // The logbook lines written so far, as "(place) text".
  std::vector<std::string> logLines() const;
  bool logged(const std::string& place, const std::string& text) const;
  bool exists(const std::string& name) const { return std::filesystem::exists(dir / name); }
  // The names in the directory, sorted.
  std::vector<std::string> files() const;

  std::filesystem::path startDir = std::filesystem::current_path();
  TestDir dir;
  FixedClock clock{"10.06.2024", "09:30:15"};
  RecordingUserInterface ui;
  Logbook log;
  Context ctx;
};

// dbfread's view of a table: fields "NAME:T:W:D,...", the counts, and every live record as
// field -> value (dates dd.mm.yyyy, logicals T/F, empty values "").
struct DbfDump {
  std::string fields;
  int count = -1;
  int deleted = -1;
  std::vector<std::map<std::string, std::string>> records;
  std::string output;  // everything the reader printed (for failure messages)
};
DbfDump readWithDbfread(const std::filesystem::path& table);

// A structure in python3-dbf's form: "TDATE D; TTIME C(5); VORLAGE N(2,0); ...".
std::string pythonFieldList(const Structure& fields);

// Writes a table with python3-dbf: `fieldList` in its form ("TDATE D; TTIME C(5); ..."), one
// entry per record "NAME=value|NAME=value" (dates dd.mm.yyyy, logicals T/F; "*" first: deleted).
// Returns the writer's output; "" on success.
std::string writeWithPythonDbf(const std::filesystem::path& table, const std::string& fieldList,
                               const std::vector<std::string>& records);

// The independent NTX walker's entries (key without trailing blanks, record number), or an
// empty list and `fault` set when it found the file damaged.
std::vector<std::pair<std::string, std::uint32_t>> walkNtx(const std::filesystem::path& ntx,
                                                           std::string* fault = nullptr);

// The record numbers of a view of the open table, first to last.
std::vector<std::uint32_t> viewOrder(AppointmentTable& table, int view);

}  // namespace zrv::test
