#include "diag/test_fault.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "diag/error_object.h"

namespace zrv {
namespace {

bool windowFault = false;

[[gnu::noinline]] void raiseTestFault(const std::string& mode) {
  if (mode == "segv") {
    int* volatile nowhere = nullptr;
    *nowhere = 1;
  }
  ErrorObject e;
  e.subSystem = "ZORVANE";
  e.subCode = 9999;
  e.description = "Testfehler";
  e.operation = "raiseTestFault";
  e.args = std::vector<ErrorValue>{{'C', mode}, {'N', "42"}, {'L', ".T."}};
  e.canRetry = mode != "end";
  e.canDefault = mode != "end";
  throw e;
}

}  // namespace

void installTestFault(Commands& commands) {
  const char* value = std::getenv("ZORVANE_TEST_FAULT");
  if (!value) return;
  const std::string setting = value;
  const auto colon = setting.find(':');
  const std::string tag = setting.substr(0, colon);
  const std::string mode = colon == std::string::npos ? "once" : setting.substr(colon + 1);
  for (int id = 0; id < 2000; ++id) {
    const Command* c = commands.find(static_cast<CommandId>(id));
    if (!c || c->tag != tag) continue;
    auto failed = std::make_shared<bool>(false);
    commands.add(c->id, [action = c->action, mode, failed](CommandScope& s) {
      if (mode == "always" || !*failed) {
        *failed = true;
        if (mode == "twice") windowFault = true;
        raiseTestFault(mode);
      }
      if (action) action(s);
    });
    return;
  }
}

bool testFaultInErrorWindow() {
  const bool fault = windowFault;
  windowFault = false;
  return fault;
}

}  // namespace zrv
