// The program's printer: the toolkit's printer selection (GTK offers "In Datei drucken" beside
// the printers), then every page of the job on the chosen printer. No preview.
#pragma once

#include "ports/print_port.h"

class wxWindow;

namespace zrv {

class WxPrintPort : public PrintPort {
 public:
  // `parent` owns the printer selection; null when there is no window yet (the error report
  // at start-up).
  explicit WxPrintPort(wxWindow* parent) : parent_(parent) {}
  PrintOutcome print(const PrintJob& job) override;

 private:
  wxWindow* parent_;
};

}  // namespace zrv
