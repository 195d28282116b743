// What every window needs of the program around it: the calendar as date picker, a page of the
// help book, a file chooser and message boxes with their severity. The program gives its windows
// the wx services (ui/wx_window_services.h); a window made without them gets the plain ones
// (widgets/plain_window_services.h: no date picked, no help, the toolkit's file chooser, a
// message box); tests give the recording fake (tests/support/window_services_fake.h).
// `owner` is the window a request comes from, which the dialog it opens is placed over; null
// for none. Texts are UTF-8.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "ports/user_interface.h"
#include "store/base/date.h"

class wxWindow;

namespace zrv {

class WindowServices {
 public:
  virtual ~WindowServices() = default;

  // Lets the user pick a day, starting from `current`; nullopt when no other day was chosen
  // (the field keeps its date).
  virtual std::optional<Date> pickDate(wxWindow* owner, const Date& current) = 0;
  // The help book's page of `topic` (a name of helpTopics()).
  virtual void showHelp(const std::string& topic) = 0;
  // A file-open dialog with its title, the folder it starts in and a wx filter list
  // ("Soundfile (*.WAV) |*.wav"); the chosen path, "" when cancelled.
  virtual std::string chooseFile(wxWindow* owner, const std::string& title,
                                 const std::filesystem::path& startDir,
                                 const std::string& filter) = 0;
  // A message box with an OK button in the style of `severity`.
  virtual void tell(wxWindow* owner, Severity severity, const std::string& title,
                    const std::string& text) = 0;
  // A yes/no question; `defaultYes` preselects the answer. True for yes.
  virtual bool ask(wxWindow* owner, const std::string& title, const std::string& text,
                   bool defaultYes) = 0;
};

}  // namespace zrv
