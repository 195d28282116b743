// Where the appointment editor hands over to parts built elsewhere: the calendar as date
// picker, the help book, the file-open dialog and the message boxes. An empty hook falls back
// to a plain behaviour (no date picked, no help, the toolkit's file dialog, a message box).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "editor/file_choice.h"
#include "store/base/date.h"

class wxString;
class wxWindow;

namespace zrv {

struct EditorSeams {
  // The calendar: lets the user pick a date starting from `current`; nullopt keeps the field.
  std::function<std::optional<Date>(wxWindow* parent, const Date& current)> pickDate;
  // Opens a help topic by name ("Neuer Termin", "Details TagTermin").
  std::function<void(const std::string& topic)> showHelp;
  // A file-open dialog; empty: the toolkit's own.
  FileDialogPort fileDialog;
  // Tells the user about a wrong entry (title, text); empty: a message box.
  std::function<void(const std::string& title, const std::string& text)> complain;
};

// The seams every editor opened without its own uses; the program wires the calendar and the
// help book here once they exist.
EditorSeams& defaultEditorSeams();

// The help topics of the editor and of the details windows.
inline constexpr const char* kHelpNewAppointment = "Neuer Termin";
inline constexpr const char* kHelpDetails = "Details TagTermin";

}  // namespace zrv
