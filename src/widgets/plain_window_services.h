// The window services of a window that was given none: no date is picked, no help is shown,
// the toolkit's file chooser and message boxes. The program's own services build on them.
#pragma once

#include "ports/window_services.h"

namespace zrv {

class PlainWindowServices : public WindowServices {
 public:
  std::optional<Date> pickDate(wxWindow*, const Date&) override { return std::nullopt; }
  void showHelp(const std::string&) override {}
  std::string chooseFile(wxWindow* owner, const std::string& title,
                         const std::filesystem::path& startDir, const std::string& filter) override;
  void tell(wxWindow* owner, Severity severity, const std::string& title,
            const std::string& text) override;
  bool ask(wxWindow* owner, const std::string& title, const std::string& text,
           bool defaultYes) override;
};

// The plain services every window falls back to (they keep no state).
WindowServices& plainWindowServices();

// The wx icon style of a message of `severity`.
long severityIcon(Severity severity);

}  // namespace zrv
