// The printouts of the menu "D&rucken" and the error report, each sent to the printer the user
// chooses: PRINTADAY, PRINTNXTWEEK, PRINTDEFINED, PRINTSETUP and PRINTERRORLOG. They read the
// appointment table without moving its current record and leave the list's view alone. A job
// that fails is told ("Der Ausdruck ist fehlgeschlagen.", title "Problem"); a cancelled one is
// not.
#pragma once

#include <filesystem>
#include <optional>

#include "ports/print_port.h"

namespace zrv {

struct Context;
class AppointmentTable;

// The outcome of the job, or nullopt when none was started (nothing to print, the period
// dialog cancelled, or the table could not be read, which is told).

// The day's appointments; a day without any is told: "Für den dd.mm.yyyy wurden keine Termine
// gefunden !" (title "Problem").
std::optional<PrintOutcome> printADay(Context& ctx, AppointmentTable& table, const Date& day,
                                      PrintPort& printer);
// The coming week; without an appointment at or after its start nothing happens.
std::optional<PrintOutcome> printNxtWeek(Context& ctx, AppointmentTable& table, PrintPort& printer);
// A period the user chooses in the period dialog (from today to today at first).
std::optional<PrintOutcome> printDefined(Context& ctx, AppointmentTable& table,
                                         PrintDevices devices);
// The settings page.
PrintOutcome printSetup(Context& ctx, PrintPort& printer);

// The error report `file`: Failed (and told) when it cannot be read. Needs no main window, so
// the start-up may print it before there is one; whoever keeps the report unless it was
// printed looks at the outcome.
PrintOutcome printErrorLog(Context& ctx, PrintPort& printer, const std::filesystem::path& file);

}  // namespace zrv
