// A crash (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) or std::terminate: the program cannot go on,
// but it leaves its report before it ends. The handler runs on a stack of its own (a stack
// overflow can still be reported), once (SA_RESETHAND: a second crash inside it ends the process
// the default way), and an alarm ends a report that hangs. The process then ends with status 1.
#pragma once

#include "platform/call_stack.h"

namespace zrv {

// What a crash leaves: `description` names the signal in German ("Speicherzugriffsfehler
// (SIGSEGV)"), `stack` the calls at the fault.
using CrashReport = void (*)(const char* description, const CallStack& stack);

// Installs the handlers; `report` runs inside them.
void watchFatalSignals(CrashReport report);

// The description of a fatal signal.
const char* fatalSignalText(int signal);

}  // namespace zrv
