// The window "Programmfehler" that offers the report of a failed run at the next start: delete
// it, print it or mail it to the support.
#pragma once

#include "diag/error_report.h"

class wxWindow;

namespace zrv {

struct Context;

class WxErrorReportQuestion : public ErrorReportQuestion {
 public:
  explicit WxErrorReportQuestion(Context& ctx) : ctx_(ctx) {}
  std::optional<int> choose(int preselected) override;

 private:
  Context& ctx_;
};

}  // namespace zrv
