#include "diag/crash_report.h"

#include "app/context.h"
#include "diag/error_log.h"

namespace zrv {
namespace {

const Context* crashed = nullptr;
int depth = 24;

}  // namespace

void reportCrashesOf(const Context* ctx, int colourDepth) {
  crashed = ctx;
  depth = colourDepth;
}

void writeCrashReport(const char* description, const CallStack& stack) {
  if (!crashed) return;
  ErrorObject e;
  e.subSystem = "ZORVANE";
  e.description = description;
  e.stack = stack;
  writeErrorLog(crashed->CRUNIN, errorLogText(gatherErrorReport(*crashed, e, depth)));
}

}  // namespace zrv
