#include "platform/fatal_signals.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <vector>

namespace zrv {
namespace {

CrashReport crashReport = nullptr;
constexpr int kFatal[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr unsigned kReportSeconds = 10;  // a report that takes longer hangs

[[noreturn]] void reportAndEnd(const char* description, const CallStack& stack) {
  ::alarm(kReportSeconds);  // SIGALRM's default action ends the process
  if (crashReport) crashReport(description, stack);
  ::_exit(1);
}

void onFatalSignal(int signal) {
  reportAndEnd(fatalSignalText(signal), captureCallStack());
}

[[noreturn]] void onTerminate() {
  // std::terminate may come from a thread or from an exception nothing caught.
  static bool once = false;
  if (once) ::_exit(1);
  once = true;
  // An exception that nothing caught is reported where it was thrown.
  reportAndEnd("Programmabbruch (std::terminate)",
               std::current_exception() ? stackOfLastThrow() : captureCallStack());
}

}  // namespace

const char* fatalSignalText(int signal) {
  switch (signal) {
    case SIGSEGV:
      return "Speicherzugriffsfehler (SIGSEGV)";
    case SIGBUS:
      return "Busfehler (SIGBUS)";
    case SIGFPE:
      return "Rechenfehler (SIGFPE)";
    case SIGILL:
      return "Unerlaubter Befehl (SIGILL)";
    case SIGABRT:
      return "Programmabbruch (SIGABRT)";
    default:
      return "Schwerer Fehler";
  }
}

void watchFatalSignals(CrashReport report) {
  crashReport = report;
  static std::vector<char> altStack(256 * 1024);
  stack_t ss{};
  ss.ss_sp = altStack.data();
  ss.ss_size = altStack.size();
  ::sigaltstack(&ss, nullptr);
  struct sigaction sa {};
  sa.sa_handler = onFatalSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_ONSTACK | SA_RESETHAND;
  for (int s : kFatal)
    ::sigaction(s, &sa, nullptr);
  std::set_terminate(onTerminate);
}

}  // namespace zrv
