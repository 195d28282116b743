// What the reminder engine needs of the alert window and the "Termin verlegen" window.
// The engine fills an AlertContent and hands the window an AlertActions object; the window
// runs an action when its button is pressed and closes when the action returns true.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/base/date.h"

namespace zrv {

struct AlertContent {
  int mode = 2;                // 1 missed appointment, 2 current appointment
  std::string title;           // "Verpaßter Termin" / "Aktueller Termin[ in N Minuten]"
  std::string date;            // "dd.mm.yyyy"
  std::string time;            // "HH:MM" (the entered time TIMEVON)
  std::string kindText;        // e.g. "privat"
  std::string kindCode;        // e.g. "TA7"; also the name of the kind's bitmap
  std::string repetitionText;  // e.g. "jede Woche bis Mittwoch, 31. Dezember 2025"
  std::string text;            // the appointment text with the age filled in
  bool repeating = false;   // moves on when dealt with: first button "&Gelesen", else "&Löschen"
  bool autoEnabled = true;  // NS_AUTOMIN > 0
};

enum class AlertAction { Kill, Auto, Move, File };

class AlertActions {
 public:
  virtual ~AlertActions() = default;
  // Runs the button's action on the shown record; true: done, close the window.
  virtual bool run(AlertAction action) = 0;
};

// A date and time entered in "Termin verlegen". The window has checked both: a real date, and
// the time written "HH:MM" with hours 0-23 and minutes 0-59 (" 9:05" typed arrives as "09:05").
struct Postponement {
  Date date;
  std::string time;
};

// One line of "Während Sie weg waren": a missed appointment.
struct MissedRow {
  std::uint32_t recno = 0;
  std::string date;  // "dd.mm.yyyy"
  std::string time;  // "HH:MM"
  std::string text;  // the first line
  std::string kind;  // the kind's name
};

enum class MissedChoice {
  ConfirmAll,  // "Alle bestätigen": each moves on as "&Gelesen" moves it
  OneByOne,    // "Einzeln ansehen", or the window closed: the alerts one after another
};

class AlertPort {
 public:
  virtual ~AlertPort() = default;
  // Shows the modal, topmost alert until an action returns true or the user closes it
  // (close box or Escape: nothing changes).
  virtual void showAlert(const AlertContent& content, AlertActions& actions) = 0;
  // Shows "Termin verlegen" with the start values; nullopt when the user cancelled.
  virtual std::optional<Postponement> askPostponement(const Date& date,
                                                      const std::string& time) = 0;
  // "Während Sie weg waren": the missed appointments in one modal window. A front end without
  // that window answers OneByOne, which keeps the alerts one after another.
  virtual MissedChoice showMissedSummary(const std::vector<MissedRow>& /*rows*/) {
    return MissedChoice::OneByOne;
  }
};

}  // namespace zrv
