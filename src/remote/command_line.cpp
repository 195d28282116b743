#include "remote/command_line.h"

#include <ostream>
#include <thread>

#include "app/check_dbf.h"
#include "app/check_ini.h"
#include "app/context.h"
#include "app/exit_pack.h"
#include "app/run_marker.h"
#include "app/startup.h"
#include "ical/ics_codec.h"
#include "ports/line_channel.h"
#include "ports/user_interface.h"
#include "remote/cli_arguments.h"
#include "remote/cli_service.h"
#include "remote/ics_module.h"
#include "remote/protocol.h"
#include "store/appointments/appointment_table.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

// A program that has just started holds the run marker before its socket listens.
constexpr auto kConnectPatience = std::chrono::seconds(5);
// The program answers a reading command within 2 s of the request, a change once its window
// thread has carried it out.
constexpr auto kReadAnswer = std::chrono::seconds(10);
constexpr auto kChangeAnswer = std::chrono::minutes(10);

// The messages the table's checks would show in a window go to standard error.
class StreamUserInterface : public UserInterface {
 public:
  explicit StreamUserInterface(std::string& sink) : sink_(sink) {}
  void message(const std::string&, const std::string& text, Severity) override {
    sink_ += text + "\n";
  }
  bool ask(const std::string&, const std::string&, bool defaultYes) override { return defaultYes; }
  void statusText(const std::string&) override {}
  void statusPane(StatusPane, const std::string&) override {}
  void busy(bool) override {}

 private:
  std::string& sink_;
};

fs::path runFilesOf(const CommandLineMachine& m) {
  return m.runFiles.empty() ? programDirectoryOf(m.programFile) : m.runFiles;
}

CliResponse unreachable(const std::string& why) {
  return CliResponse{kExitTableUnreachable, "", why + "\n"};
}

std::unique_ptr<LineChannel> connectPatiently(const CommandLineMachine& m, std::string& why) {
  const auto until = std::chrono::steady_clock::now() + kConnectPatience;
  for (;;) {
    if (auto c = m.connect(m.socket, why)) return c;
    if (std::chrono::steady_clock::now() > until) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

CliResponse askRunningProgram(const CommandLineMachine& m, const CliRequest& r) {
  std::string why;
  std::unique_ptr<LineChannel> channel = connectPatiently(m, why);
  if (!channel) {
    return unreachable("Zorvane läuft in diesem Programmverzeichnis, nimmt aber keine Befehle an.");
  }
  if (!channel->sendLine(requestLine(r))) return unreachable("Zorvane hat die Verbindung beendet.");
  const auto wait = changesTable(r.command) ? std::chrono::milliseconds(kChangeAnswer)
                                            : std::chrono::milliseconds(kReadAnswer);
  const std::optional<std::string> line = channel->receiveLine(wait, kMaxResponseLine);
  const std::optional<CliResponse> response = line ? responseOf(*line) : std::nullopt;
  if (!response) return unreachable("Zorvane hat nicht geantwortet.");
  return *response;
}

// No program runs here: the table is opened as a start would open it, the command carried out,
// and the table closed (packed when something was deleted).
CliResponse runOnOwnTable(const CommandLineMachine& m, const CliRequest& r, RunMarker& marker) {
  const fs::path dir = programDirectoryOf(m.programFile);
  std::string messages;
  StreamUserInterface ui(messages);
  Logbook log(logbookFile(runFilesOf(m)), kRelease, m.clock);
  Context ctx(dir, m.clock, log, ui);
  ctx.CS_EXEPATH = m.programFile;
  ctx.run.uncleanEnd = marker.stale();
  checkIni(ctx, false);
  std::error_code ec;
  if (log.enabled() && !fs::exists(log.file(), ec)) log.log(kCliTag, "");  // starts the logbook
  // A reading command costs the same however long the table is: the indexes are opened without
  // reading all their pages (the next start checks them).
  const CheckDbfOptions how{.dayIndexes = false, .checkIndexPages = changesTable(r.command)};
  // A workstation of a network installation works on its own user's table.
  if (!openTableAtStart(ctx, {}, how) || !ctx.DTER) {
    return unreachable(messages.empty() ? "Die Termindatei kann nicht geöffnet werden."
                                        : messages.substr(0, messages.size() - 1));
  }
  IcsModule module(dir / kIcsModuleFile);
  CliTarget target{ctx, *ctx.DTER, [&module](std::string& why) { return module.codec(why); },
                   m.nowUtc, m.toLocal};
  CliResponse response = runCliCommand(target, r);
  if (ctx.run.LS_PACK) {
    packTablesAtExit(ctx);
  } else {
    (void)ctx.DTER->close();
    ctx.DTER.reset();
  }
  response.err = messages + response.err;
  return response;
}

// The run marker is left as a clean end leaves it: removed, while it is still held.
void releaseMarker(const fs::path& folder) {
  std::error_code ec;
  fs::remove(findFile(folder, "Zorvane.Run"), ec);
}

}  // namespace

int runCommandLine(const std::vector<std::string>& args, const CommandLineMachine& m,
                   std::ostream& out, std::ostream& err) {
  const ParsedArguments parsed = parseArguments(args, buildFixedLists(), m.workingDir);
  if (!parsed.error.empty()) {
    err << parsed.error << "\n"
        << (helpInEnglish(m.lcAll, m.lcMessages, m.lang) ? "Help: zorvane --help\n"
                                                         : "Hilfe: zorvane --help\n");
    return kExitBadArguments;
  }
  const CliRequest& r = parsed.request;
  if (r.command == CliCommand::Help) {
    out << helpText(helpInEnglish(m.lcAll, m.lcMessages, m.lang));
    return kExitDone;
  }
  if (r.command == CliCommand::Version) {
    out << kRelease << "\n";
    return kExitDone;
  }
  const fs::path runDir = runFilesOf(m);
  CliResponse response;
  Result<RunMarker> marker = RunMarker::take(runDir);
  if (marker.code() == StatusCode::kLocked) {
    response = askRunningProgram(m, r);
  } else if (!marker) {
    response =
        unreachable("Das Programmverzeichnis ist nicht beschreibbar: " + marker.status().message());
  } else {
    response = runOnOwnTable(m, r, *marker);
    releaseMarker(runDir);
  }
  out << response.out;
  err << response.err;
  return response.exitCode;
}

bool raiseRunningWindow(const CommandLineMachine& m) {
  std::string why;
  std::unique_ptr<LineChannel> channel = connectPatiently(m, why);
  if (!channel) return false;
  CliRequest r;
  r.command = CliCommand::Raise;
  if (!channel->sendLine(requestLine(r))) return false;
  const std::optional<std::string> line = channel->receiveLine(kReadAnswer, kMaxResponseLine);
  const std::optional<CliResponse> response = line ? responseOf(*line) : std::nullopt;
  return response && response->exitCode == kExitDone;
}

}  // namespace zrv
