#include "support/table_rig.h"

#include <algorithm>
#include <sstream>

#include "store/appointments/appointment_table.h"
#include "store/base/codepage.h"
#include "store/xbase/table.h"
#include "support/process.h"

namespace zrv::test {
namespace fs = std::filesystem;
namespace {

fs::path sourceDir() {
  const char* env = std::getenv("ZRV_SOURCE_DIR");
  return env ? env : ZRV_SOURCE_DIR;
}

RunResult python(const std::string& script, std::vector<std::string> args) {
  args.insert(args.begin(), {"/usr/bin/python3", (sourceDir() / "tests" / script).string()});
  return run(args);
}

std::string unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    out += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
  }
  return out;
}

}  // namespace

bool RecordingUserInterface::ask(const std::string& title, const std::string& text,
                                 bool defaultYes) {
  questions.push_back({title, text});
  questionDefaults.push_back(defaultYes);
  if (answers.empty()) return defaultYes;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

TableRig::TableRig()
    : log(dir / "Zorvane.Log", kRelease, clock), ctx(dir.path() / "", clock, log, ui) {
  ctx.CINIFILE = dir / "ZORVANE.INI";
  ctx.workstationIni = dir / "home/.config/zorvane/ZORVANE.INI";
  log.setEnabled(true);
  log.log("Test", "");  // starts the logbook file
}

TableRig::~TableRig() {
  std::error_code ec;
  fs::current_path(startDir, ec);
}

std::vector<std::string> TableRig::logLines() const {
  std::vector<std::string> out;
  std::istringstream in(cp1252ToUtf8(dir.read("Zorvane.Log")));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 9 && line[2] == ':' && line[5] == ':' && line[9] == '(') {
      out.push_back(line.substr(9));
    }
  }
  return out;
}

bool TableRig::logged(const std::string& place, const std::string& text) const {
  const auto lines = logLines();
  return std::find(lines.begin(), lines.end(), "(" + place + ") " + text) != lines.end();
}

std::vector<std::string> TableRig::files() const {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir.path()))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

DbfDump readWithDbfread(const fs::path& table) {
  DbfDump dump;
  const RunResult r = python("store/dbf_dump.py", {"--display", table.string()});
  dump.output = r.output;
  if (r.status != 0) return dump;
  std::istringstream in(r.output);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("fields ", 0) == 0) {
      dump.fields = line.substr(7);
    } else if (line.rfind("count ", 0) == 0) {
      std::sscanf(line.c_str(), "count %d deleted %d", &dump.count, &dump.deleted);
    } else if (line.rfind("record ", 0) == 0) {
      dump.records.emplace_back();
    } else if (const auto eq = line.find('='); eq != std::string::npos && !dump.records.empty()) {
      dump.records.back()[line.substr(0, eq)] = unescape(line.substr(eq + 1));
    }
  }
  return dump;
}

std::string pythonFieldList(const Structure& fields) {
  std::string list;
  for (const FieldDef& f : fields) {
    if (!list.empty()) list += "; ";
    list += f.name + " " + f.type;
    if (f.type == 'C') list += "(" + std::to_string(f.width) + ")";
    if (f.type == 'N')
      list += "(" + std::to_string(f.width) + "," + std::to_string(f.decimals) + ")";
  }
  return list;
}

std::string writeWithPythonDbf(const fs::path& table, const std::string& fieldList,
                               const std::vector<std::string>& records) {
  std::vector<std::string> args{table.string(), fieldList};
  args.insert(args.end(), records.begin(), records.end());
  const RunResult r = python("app/old_table_write.py", args);
  return r.status == 0 ? "" : "python3-dbf failed: " + r.output;
}

std::vector<std::pair<std::string, std::uint32_t>> walkNtx(const fs::path& ntx,
                                                           std::string* fault) {
  std::vector<std::pair<std::string, std::uint32_t>> entries;
  const RunResult r = python("store/ntx_walk.py", {ntx.string()});
  if (r.status != 0) {
    if (fault) *fault = r.output;
    return entries;
  }
  std::istringstream in(r.output);
  std::string line;
  while (std::getline(in, line)) {
    const auto bar = line.rfind('|');
    if (bar == std::string::npos || line.rfind("key ", 0) == 0 || line.rfind("for ", 0) == 0) {
      continue;
    }
    std::string key = line.substr(0, bar);
    key.erase(key.find_last_not_of(' ') + 1);
    entries.emplace_back(key, static_cast<std::uint32_t>(std::stoul(line.substr(bar + 1))));
  }
  return entries;
}

std::vector<std::uint32_t> viewOrder(AppointmentTable& table, int view) {
  std::vector<std::uint32_t> order;
  if (!table.setView(view)) return order;
  while (!table.eof()) {
    order.push_back(table.recNo());
    if (!table.skip(1)) break;
  }
  return order;
}

}  // namespace zrv::test
