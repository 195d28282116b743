// The error report a failed run left ("Error.log"), offered at the next start: deleted, printed
// or mailed to the program's support with the failed run's logbook. A report that was not
// printed or mailed stays, and the question comes again at the next start.
#pragma once

#include <filesystem>
#include <optional>

namespace zrv {

struct Context;
class PrintPort;
class MailDispatch;

// The failed run's logbook, set aside while its report waits.
inline constexpr const char* kAsideLogbookFile = "ZorvaneFehler.Log";

// Before the settings are read (which starts a new logbook): when a report waits, its run's
// logbook is set aside, unless an earlier one already is (that one belongs to the report).
void setLogbookAside(const Context& ctx);

// Whether ".\ERROR.LOG" exists (in any case).
bool errorReportWaiting(const Context& ctx);

// The question of "Programmfehler": the choice (1 delete, 2 print, 3 mail), nothing when the
// user cancelled.
class ErrorReportQuestion {
 public:
  virtual ~ErrorReportQuestion() = default;
  virtual std::optional<int> choose(int preselected) = 0;
};

struct ErrorReportPorts {
  ErrorReportQuestion& question;
  PrintPort& printer;
  MailDispatch& mail;
};

// PRINTERR: when a report waits, asks what becomes of it (the choice of NS_ERROR preselected)
// and carries the answer out.
void printErr(Context& ctx, ErrorReportPorts ports);

// DOWITHLOG: 1 deletes the report; 2 prints it and deletes it once printed; 3 asks, mails it
// with the set-aside logbook and deletes it once sent (deleted too when the answer is No). True
// when the report is gone.
bool doWithLog(Context& ctx, int choice, ErrorReportPorts ports);

}  // namespace zrv
