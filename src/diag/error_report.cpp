#include "diag/error_report.h"

#include "app/context.h"
#include "diag/error_log.h"
#include "ports/mail_port.h"
#include "ports/print_port.h"
#include "ports/user_interface.h"
#include "print/error_log_pages.h"
#include "store/base/file_io.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

void deleteReport(const Context& ctx) {
  std::error_code ec;
  fs::remove(findFile(ctx.CRUNIN, kErrorLogFile), ec);
  fs::remove(findFile(ctx.CRUNIN, kAsideLogbookFile), ec);
}

bool printErrorLog(const Context& ctx, PrintPort& printer) {
  const auto text = readWholeFile(findFile(ctx.CRUNIN, kErrorLogFile));
  if (!text) return false;
  return printer.print(errorLogPrintout(*text)) == PrintOutcome::Printed;
}

bool mailErrorLog(Context& ctx, MailDispatch& mail) {
  MailRequest r;
  r.subject = "Programmfehler in " + ctx.CRELEASE;
  r.bodyFile = findFile(ctx.CRUNIN, kErrorLogFile);
  if (fileExists(ctx.CRUNIN, kAsideLogbookFile)) {
    r.attachments.push_back(findFile(ctx.CRUNIN, kAsideLogbookFile).string());
  }
  return mail.send(r) == kMailSent;
}

}  // namespace

void setLogbookAside(const Context& ctx) {
  if (!fileExists(ctx.CRUNIN, kErrorLogFile) || fileExists(ctx.CRUNIN, kAsideLogbookFile)) return;
  const fs::path logbook = ctx.log.file();
  std::error_code ec;
  if (!fs::exists(logbook, ec)) return;
  fs::rename(logbook, ctx.CRUNIN / kAsideLogbookFile, ec);
}

bool errorReportWaiting(const Context& ctx) {
  return fileExists(ctx.CRUNIN, kErrorLogFile);
}

void printErr(Context& ctx, ErrorReportPorts ports) {
  if (!errorReportWaiting(ctx)) return;
  const int preselected =
      ctx.settings.NS_ERROR >= 1 && ctx.settings.NS_ERROR <= 3 ? ctx.settings.NS_ERROR : 1;
  if (const std::optional<int> choice = ports.question.choose(preselected)) {
    doWithLog(ctx, *choice, ports);
  }
}

bool doWithLog(Context& ctx, int choice, ErrorReportPorts ports) {
  bool gone = true;
  if (choice == 2) {
    gone = printErrorLog(ctx, ports.printer);
  } else if (choice == 3 &&
             ctx.ui.ask("Email-Versand",
                        "Möchten Sie das Fehlerprotokoll nun per Email versenden ?", false)) {
    gone = mailErrorLog(ctx, ports.mail);
  }
  if (gone) deleteReport(ctx);
  return gone;
}

}  // namespace zrv
