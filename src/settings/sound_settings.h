// The sound settings without their window: the sound table "ZRVPARAM.DBF" held open exclusively
// as DSND with its temporary index while the window is open, its rows in key order, the current
// row with its caption and file (CSNAME, CSFILE), the dialog's actions (QLSNDACTU) and what
// each button may do on the current row. Every change is committed at once.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/file_choice.h"

namespace zrv {

struct Context;
class SoundPlayer;
class Table;

inline constexpr const char* kSoundSettingsUnavailable =
    "Die Sound-Einstellungen können im Moment nicht geöffnet werden.";
inline constexpr const char* kSoundPathRefused =
    "Der Pfad der Sound-Datei ist zu lang oder enthält ungültige Zeichen.";

struct SoundRow {
  std::uint32_t recno = 0;
  int BEREICH = 0;  // area; 0 is the master row
  int NUMMER = 0;   // number in the area; 0 is the area's header row
  std::string OPTION;
  std::string SOUND;
  bool AKTIV = false;
  bool MARKED = false;
  bool SWITCH = false;
};

// The list's mark of a row: "Mark1" ticked and on, "Mark2" ticked but off, "Mark0" not ticked.
const char* soundMark(const SoundRow& row);

// How a row's text is coloured: switchable rows by their kind, the others as fixed.
enum class SoundRowKind { Master, Header, Entry, Fixed };
SoundRowKind soundRowKind(const SoundRow& row);

// What the buttons show and allow on the current row.
struct SoundButtons {
  bool ticked = false;         // the tick shows "S_OK", otherwise "S_NOK"
  bool tickEnabled = false;    // an entry that can be switched
  bool fileEnabled = false;    // not a header row
  bool playEnabled = false;    // CSFILE is not empty
  bool deleteEnabled = false;  // an entry after the first of its area with a file
};

class SoundSettings {
 public:
  // Opens the sound table exclusively and builds its temporary index; LS_ALARMON follows the
  // master row and the first row is current. nullptr when the table is missing, held by
  // another program or unreadable (the logbook says why); nothing is changed then.
  static std::unique_ptr<SoundSettings> open(Context& ctx);
  // Closes without the steps of close() when it was not called.
  ~SoundSettings();
  SoundSettings(const SoundSettings&) = delete;
  SoundSettings& operator=(const SoundSettings&) = delete;

  const std::vector<SoundRow>& rows() const { return rows_; }
  std::size_t current() const { return current_; }
  const std::string& CSNAME() const { return CSNAME_; }
  const std::string& CSFILE() const { return CSFILE_; }
  SoundButtons buttons() const;
  // The open table, indexed on the slot key, for qlPlaySound.
  Table& table() { return *table_; }

  // Action 2: `row` becomes current; CSNAME and CSFILE show it.
  void select(std::size_t row);
  // A double click on `row`: the action of its area. The master row switches every sound and
  // the list goes to the top; an area's header row ticks or unticks the area and switches its
  // switchable entries; an entry is ticked or unticked, except the program start (1, 1).
  void doubleClick(std::size_t row);
  // Action 9: the user picks a wave file for the current entry (QLGETSOUND), which is then
  // switched on and played as its slot. A file the SOUND field cannot hold intact is refused:
  // the text to tell, and the old file stays.
  std::optional<std::string> chooseFile(SoundPlayer& player, const FileDialogPort& dialog);
  // The tick button: ticks or unticks the current row.
  void toggleTick();
  // "&Löschen": the current entry loses its file and is switched off and unticked.
  void clearSound();
  // The play button: the current row's file.
  void playCurrent(SoundPlayer& player);

  // Leaving the dialog: SYSTEM AlarmOn := LS_ALARMON, the table closed, the index deleted.
  void close();

 private:
  SoundSettings(Context& ctx, std::unique_ptr<Table> table);
  bool load();
  // Writes the fields of the rows changed by `change` and commits; the rows are read anew.
  void change(const std::vector<std::pair<std::size_t, SoundRow>>& rows);
  void switchArea(std::size_t header);
  bool fitsSoundField(const std::string& sound) const;

  Context& ctx_;
  std::unique_ptr<Table> table_;
  std::vector<SoundRow> rows_;
  std::size_t current_ = 0;
  std::string CSNAME_;
  std::string CSFILE_;
};

}  // namespace zrv
