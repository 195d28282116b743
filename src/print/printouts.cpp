#include "print/printouts.h"

#include <string>

#include "app/context.h"
#include "ports/user_interface.h"
#include "print/appointment_pages.h"
#include "print/error_log_pages.h"
#include "print/setup_page.h"
#include "store/base/clock.h"
#include "store/base/file_io.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kFailed = "Der Ausdruck ist fehlgeschlagen.";

PrintOutcome send(Context& ctx, PrintPort& printer, const PrintJob& job, const char* place) {
  const PrintOutcome outcome = printer.print(job);
  if (outcome == PrintOutcome::Failed) {
    ctx.log.log(place, kFailed);
    ctx.ui.message("Problem", kFailed, Severity::Problem);
  }
  return outcome;
}

std::optional<PrintOutcome> sendPrintout(Context& ctx, PrintPort& printer, const Printout& p,
                                         const char* place) {
  if (!p.status) {
    ctx.log.log(place, p.status.message());
    ctx.ui.message("Problem", p.status.message(), Severity::Problem);
    return std::nullopt;
  }
  if (!p.job) return std::nullopt;
  return send(ctx, printer, *p.job, place);
}

}  // namespace

std::optional<PrintOutcome> printADay(Context& ctx, AppointmentTable& table, const Date& day,
                                      PrintPort& printer) {
  const Printout p = dayPrintout(table, day);
  if (p.status && !p.job) {
    ctx.ui.message("Problem", "Für den " + day.toDisplay() + " wurden keine Termine gefunden !",
                   Severity::Problem);
    return std::nullopt;
  }
  return sendPrintout(ctx, printer, p, "PrintADay");
}

std::optional<PrintOutcome> printNxtWeek(Context& ctx, AppointmentTable& table,
                                         PrintPort& printer) {
  return sendPrintout(ctx, printer, weekPrintout(ctx, table), "PrintNxtWeek");
}

std::optional<PrintOutcome> printDefined(Context& ctx, AppointmentTable& table,
                                         PrintDevices devices) {
  const Date today = ctx.clock.today();
  const std::optional<PrintPeriod> period = devices.period.askPeriod(today, today);
  if (!period) return std::nullopt;
  return sendPrintout(ctx, devices.printer, periodPrintout(ctx, table, *period), "PrintDefined");
}

PrintOutcome printSetup(Context& ctx, PrintPort& printer) {
  return send(ctx, printer, setupPrintout(ctx), "PrintSetup");
}

PrintOutcome printErrorLog(Context& ctx, PrintPort& printer, const std::filesystem::path& file) {
  const std::optional<std::string> text = readWholeFile(file);
  if (!text) {
    ctx.log.log("PrintErrorLog", "Kann " + file.filename().string() + " nicht lesen.");
    ctx.ui.message("Problem", kFailed, Severity::Problem);
    return PrintOutcome::Failed;
  }
  return send(ctx, printer, errorLogPrintout(*text), "PrintErrorLog");
}

}  // namespace zrv
