#include "diag/error_log.h"

#include <cstdio>

#include "app/context.h"
#include "platform/machine_facts.h"
#include "store/appointments/appointment_table.h"
#include "store/base/codepage.h"
#include "store/base/date.h"
#include "store/base/file_io.h"
#include "store/base/file_names.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr const char* kDriverName = "DBFNTX";  // the engine: dBASE III tables, NTX indexes

// `text` right-aligned in `width`; a longer text in full.
std::string right(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}
std::string right(std::uint64_t n, std::size_t width) {
  return right(std::to_string(n), width);
}
std::string padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}
std::string flag(bool b) {
  return b ? ".T." : ".F.";
}

class Lines {
 public:
  void operator()(const std::string& line) { text_ += line + "\r\n"; }
  void heading(const std::string& title) {
    (*this)("");
    (*this)(title);
    (*this)(std::string(title.size(), '='));
  }
  std::string text() && { return std::move(text_); }

 private:
  std::string text_;
};

void systemPart(Lines& line, const ErrorReport& r) {
  const TSystemInfo& s = r.info;
  line.heading("System-Informationen");
  line("CPU Type: " + s.CPUIdentifier() + " ");
  line("CPU Name: " + s.CPUName());
  line("");
  line("Hardware Speicher: ");
  const char* labels[] = {
      "Total Physical: ",        "Verfügbar Physical: ", "Total Auslagerung: ",
      "Verfügbar Auslagerung: ", "Total virtuell: ",     "Verfügbar virtuell: "};
  for (int i = 0; i < 6; ++i)
    line(labels[i] + std::to_string(s.Memory(i + 1)) + " MB");
  line("");
  line("Betriebssystem: ");
  line("MsDos Version: " + s.KernelRelease());
  line("Windows Version: " + s.WinVer());
  line("Windows Versions-Nr.: " + s.VerNum());
  line("");
  const std::uint64_t total = s.Memory(1);
  line("Freie System Resourcen: % " + (total ? std::to_string(s.Memory(2) * 100 / total) : ""));
  line("      GDI    Resourcen: % ");
  line("      User   Resourcen: % ");
  line("");
  line("Anzahl laufender Windows-Applikationen: " + right(r.processes.size(), 3));
  for (std::size_t i = 0; i < r.processes.size(); ++i)
    line("    " + right(i + 1, 3) + " " + r.processes[i]);
}

void tablesPart(Lines& line, const ErrorReport& r) {
  line.heading("Linked RDDs");
  line(std::string("   ") + kDriverName);
  line.heading("Benutzte DataBanken");
  int slot = 0;
  for (const OpenTableFacts& t : r.tables) {
    line("");
    line(right(++slot, 3) + ": " + (t.alias == r.currentAlias ? "=> " : "   ") +
         padded(t.alias, 15) + std::string(20, ' ') + "RddName: " + kDriverName);
    line("     ==============================");
    line("     Satznr.  RecCount    BOF   EOF");
    line("    " + right(t.recno, 5) + std::string(6, ' ') + right(t.recCount, 5) +
         std::string(6, ' ') + flag(t.bof) + "   " + flag(t.eof));
    line("");
    line("     Benutzte Indexe " + std::string(23, ' ') + "TagName");
    for (const OpenIndexFacts& i : t.indexes)
      line(std::string(8, ' ') + (i.controlling ? "=> " : "   ") + padded(i.key, 35) +
           i.file.filename().string());
    line("");
    line("     Benutzte Relationen");
  }
}

void memoryPart(Lines& line, const ErrorReport& r) {
  line.heading("Speicher-Analyse");
  line("   Static memory:");
  line("      Actual  Value: " + withThousands(r.memory.residentNow) + " bytes");
  line("      Highest Value: " + withThousands(r.memory.residentPeak) + " bytes");
  line("   Dynamic memory consume:");
  line("      Actual  Value: " + withThousands(r.memory.heapNow) + " bytes");
  line("      Highest Value: " + withThousands(r.memory.heapPeak) + " bytes");
}

}  // namespace

std::string withThousands(std::uint64_t n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

ErrorReport gatherErrorReport(const Context& ctx, const ErrorObject& error, int colourDepth) {
  ErrorReport r;
  r.release = ctx.CRELEASE;
  r.program = ctx.CS_EXEPATH;
  std::error_code ec;
  const auto size = fs::file_size(r.program, ec);
  r.programSize = ec ? 0 : size;
  r.fileLimit = openFileLimit();
  r.when = ctx.clock.now();
  r.error = error;
  r.stack = stackLines(error.stack);
  r.info = TSystemInfo(readSystemFacts(colourDepth));
  r.processes = userProcesses();
  r.tables = openTables();
  if (ctx.DTER) r.currentAlias = ctx.DTER->table().alias();
  r.memory = processMemory();
  return r;
}

std::string errorLogText(const ErrorReport& r) {
  Lines line;
  line(r.release);
  line(std::string(r.release.size(), '='));
  line("   Pfad und Name: " + r.program.string());
  line("   Groesse: " + withThousands(r.programSize) + " Bytes");
  line("   Max Datei-Handles verfuegbar: ( SetHandleCount() ) " + right(r.fileLimit, 3));
  line("   Zeitpunkt des Fehlers: " + r.when.date.toDisplay() + ", " +
       formatTimeOfDay(r.when.secondsOfDay));
  line("   Fehlerbeschreibung: " + errorMessage(r.error));
  if (r.error.args) {
    line("   Args:");
    for (std::size_t i = 0; i < r.error.args->size(); ++i) {
      const ErrorValue& v = (*r.error.args)[i];
      line("     [" + right(i + 1, 4) + "] = " + v.type + "   " + cGetInfo(v));
    }
  }
  line.heading("Stack Aufrufe");
  for (const StackLine& s : r.stack)
    line("   Aufgerufen von " + stackLineText(s));
  systemPart(line, r);
  line.heading("Benutzte Variablen");
  line("   Prozedur      Type    Wert");
  line("   ==========================");
  for (const StackLine& s : r.stack)
    line("   " + s.routine);
  line("   (Parameter und lokale Variablen hält das Programm zur Laufzeit nicht fest.)");
  tablesPart(line, r);
  memoryPart(line, r);
  return std::move(line).text();
}

bool writeErrorLog(const fs::path& dir, const std::string& text) {
  return replaceFileAtomically(findFile(dir, kErrorLogFile), utf8ToCp1252(text));
}

}  // namespace zrv
