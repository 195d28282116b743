// One run of the appointment editor on the table: what it remembers when it opens, and its
// three endings — saving (also "&Reaktivieren" and "Ab&legen"), and closing without saving.
// Nothing reaches the table before a save; a new appointment is appended only with its content,
// so that no empty record can stay behind.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "editor/editor_values.h"
#include "store/appointments/appointment.h"

namespace zrv {

struct ReminderEnv;

enum class SaveMode {
  Save,        // "&Speichern"
  Reactivate,  // "&Reaktivieren": filed := false, then view 1
  File,        // "Ab&legen": filed := true
};

enum class SaveResult {
  Saved,
  Refused,  // locked elsewhere, deleted or changed elsewhere, or a storage failure: the user
            // was told and nothing was written
};

class EditorSession {
 public:
  // Opens the editor's work on DTER: for a new appointment the current record is remembered
  // and the values are those of a new appointment with `startText`; otherwise record `recno`
  // becomes current and its values are read. Logs "Neuer Termin" / "Termin ändern". nullopt
  // (the user was told) when the record cannot be read.
  static std::optional<EditorSession> open(ReminderEnv& env, std::uint32_t recno, bool isNew,
                                           const std::string& startText);

  EditorValues& values() { return values_; }
  const EditorValues& values() const { return values_; }
  bool isNew() const { return isNew_; }
  // The record the editor was opened on (the remembered one for a new appointment).
  std::uint32_t recno() const { return recno_; }
  // The record the save wrote (the appended one for a new appointment); 0 before.
  std::uint32_t savedRecno() const { return savedRecno_; }

  // Writes the values (which must have passed checkEditorValues) with the mode's filed flag.
  // Plays the sound of a saved appointment first.
  SaveResult save(SaveMode mode);
  // Makes the remembered record current again.
  void cancel();

 private:
  EditorSession(ReminderEnv& env, std::uint32_t recno, bool isNew)
      : env_(&env), recno_(recno), isNew_(isNew) {}
  SaveResult appendNew(const EditorValues& v);
  SaveResult rewrite(const EditorValues& v);

  ReminderEnv* env_;
  std::uint32_t recno_;
  bool isNew_;
  EditorValues values_;
  Appointment original_;  // the record as read when the editor opened
  std::uint32_t savedRecno_ = 0;
};

}  // namespace zrv
