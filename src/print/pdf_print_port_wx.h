// A printer that writes each job into a PDF file without asking anything: A4 with a printable
// area a quarter inch inside its edges, drawn through cairo. The printouts as the tests read
// them back with poppler's tools.
#pragma once

#include <filesystem>

#include "ports/print_port.h"

namespace zrv {

class PdfPrintPort : public PrintPort {
 public:
  explicit PdfPrintPort(std::filesystem::path file) : file_(std::move(file)) {}
  // Replaces the file with the job's pages; Failed when it cannot be written.
  PrintOutcome print(const PrintJob& job) override;
  int jobs() const { return jobs_; }
  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
  int jobs_ = 0;
};

}  // namespace zrv
