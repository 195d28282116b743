#include "diag/stack_names.h"

#include <mutex>

#include "diag/stack_module.h"
#include "store/base/shared_library.h"

namespace zrv {
namespace {

ResolveFrames resolver = nullptr;

struct Collected {
  std::vector<StackLine> lines;
  bool handlerSeen = false;  // the frames so far belong to the error handling itself
};

// Frames of the error handling: capturing the stack and the wrapper of the throw routine.
bool handlingFrame(std::string_view name) {
  return name.find("captureCallStack") != std::string_view::npos ||
         name.find("__cxa_throw") != std::string_view::npos ||
         name.find("noteThrow") != std::string_view::npos ||
         name.find("ErrorObject::ErrorObject") != std::string_view::npos || name == "ErrorObject" ||
         name.find("reportAndEnd") != std::string_view::npos ||
         name.find("onFatalSignal") != std::string_view::npos ||
         name.find("onTerminate") != std::string_view::npos;
}

void collect(void* user, int, const char* function, const char*, int line) {
  auto& c = *static_cast<Collected*>(user);
  const std::string_view name = function ? function : "";
  if (handlingFrame(name)) {
    c.lines.clear();  // everything up to here was the handling's
    return;
  }
  // The standard library's own calls say nothing about the program.
  if (name.empty() || name.starts_with("std::") || name.starts_with("__")) return;
  c.lines.push_back({shortRoutineName(name), line});
}

}  // namespace

bool loadTraceReader(const std::filesystem::path& programDir) {
  static std::once_flag once;
  std::call_once(once, [&] {
    static SharedLibrary library;
    if (library.open((programDir / kTraceModuleFile).c_str())) {
      library.resolve(kResolveFrames, resolver);
    }
  });
  return resolver != nullptr;
}

std::vector<StackLine> stackLines(const CallStack& stack, std::size_t limit) {
  if (!resolver || stack.count <= 0) return {};
  Collected c;
  resolver(stack.frames.data(), stack.count, collect, &c);
  if (c.lines.size() > limit) c.lines.resize(limit);
  return c.lines;
}

std::string stackLineText(const StackLine& line) {
  return line.routine + "(" + std::to_string(line.line) + ")";
}

std::string shortRoutineName(std::string_view demangled) {
  std::string name(demangled);
  constexpr std::string_view anonymous = "(anonymous namespace)::";
  for (auto at = name.find(anonymous); at != std::string::npos; at = name.find(anonymous))
    name.erase(at, anonymous.size());
  // Template arguments go, and with them the parameter lists inside them.
  std::string plain;
  int angle = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const bool isOperator = i >= 8 && name.compare(i - 8, 8, "operator") == 0;
    if (name[i] == '<' && !isOperator) ++angle;
    if (angle == 0) plain += name[i];
    if (name[i] == '>' && angle > 0 && !isOperator) --angle;
  }
  // A return type in front ("void zrv::f"), as templates are demangled.
  const auto space = plain.find(' ');
  if (space != std::string::npos && space < plain.find('(')) plain.erase(0, space + 1);
  // The parameter list begins at the first "("; "operator()" keeps its own parentheses.
  for (std::size_t i = 1; i < plain.size(); ++i) {
    if (plain[i] != '(') continue;
    const std::string_view head(plain.data(), i);
    if (i + 1 < plain.size() && plain[i + 1] == ')' &&
        (head == "operator" || head.ends_with("::operator"))) {
      return plain.substr(0, i + 2);
    }
    return plain.substr(0, i);
  }
  return plain;
}

}  // namespace zrv
