// Scripted stand-ins for the printer and the period dialog: the printer keeps every job it is
// given and answers with a set outcome; the period dialog answers with a set period or cancels.
#pragma once

#include <optional>
#include <vector>

#include "ports/print_port.h"

namespace zrv::test {

class RecordingPrinter : public PrintPort {
 public:
  PrintOutcome print(const PrintJob& job) override {
    jobs.push_back(job);
    return outcome;
  }
  std::vector<PrintJob> jobs;
  PrintOutcome outcome = PrintOutcome::Printed;
};

class ScriptedPeriod : public PrintPeriodPort {
 public:
  std::optional<PrintPeriod> askPeriod(const Date& from, const Date& to) override {
    asked.push_back({from, to});
    return answer;
  }
  std::optional<PrintPeriod> answer;
  std::vector<PrintPeriod> asked;
};

}  // namespace zrv::test
