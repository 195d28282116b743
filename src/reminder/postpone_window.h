// The window "Termin verlegen": asks for the new date and time of an appointment. "&Speichern"
// becomes possible once either field has been changed and checks both; "&Abbrechen", Escape and
// the close box leave without a result.
#pragma once

#include <optional>
#include <string>

#include "ports/alert_port.h"
#include "widgets/box_dialog.h"
#include "widgets/dialog_look.h"
#include "widgets/plain_window_services.h"

class wxButton;

namespace zrv {

class TBmpGet;

struct PostponeWindowOptions {
  EntryColours colours = defaultEntryColours();
};

class PostponeWindow : public BoxDialog {
 public:
  // `time` is the start time "HH:MM". `services` (the calendar of the date field, the message
  // boxes) must outlive the window.
  PostponeWindow(wxWindow* parent, const Date& date, const std::string& time,
                 PostponeWindowOptions options = {},
                 WindowServices& services = plainWindowServices());

  // The saved date and time ("HH:MM"); nullopt until the user has saved.
  const std::optional<Postponement>& result() const { return result_; }

  TBmpGet* dateField() const { return date_; }
  TBmpGet* timeField() const { return time_; }
  wxButton* saveButton() const { return save_; }
  wxButton* cancelButton() const { return cancel_; }

  // What "&Speichern" does: checks the fields, keeps the result and closes; false (with a
  // message) when a field holds no valid date or time.
  bool save();

 private:
  void buildFields(const Date& date, const std::string& time);
  void buildButtons();
  void pickDate(TBmpGet& field);
  void complain(const std::string& text, TBmpGet* field);

  PostponeWindowOptions options_;
  WindowServices& services_;
  TBmpGet* date_ = nullptr;
  TBmpGet* time_ = nullptr;
  wxButton* save_ = nullptr;
  wxButton* cancel_ = nullptr;
  std::optional<Postponement> result_;
};

// A time typed as "99:99" checked and written "HH:MM"; blanks count as missing digits
// (" 9:05" is "09:05"). nullopt when hours or minutes are missing or out of range.
std::optional<std::string> checkedTime(const std::string& typed);

}  // namespace zrv
