// The sound settings "Zorvane - Sound-Einstellungen" (SETUPSOUND): the list of the sound table
// with its marks and row colours, the current row's caption and file below it, the picture
// buttons to choose a file, to play it and to tick the row, and "&Löschen", "&Hilfe",
// "&Beenden". Every action goes to the SoundSettings it shows.
#pragma once

#include <wx/dialog.h>

#include "widgets/dialog_look.h"

class wxBitmapButton;
class wxButton;
class wxListCtrl;

namespace zrv {

struct Context;
class SoundPlayer;
class SoundSettings;
class TBmpGet;
class WindowServices;

inline constexpr int kSoundOpenId = 921;
inline constexpr int kSoundPlayId = 922;
inline constexpr int kSoundTickId = 923;
inline constexpr int kSoundDeleteId = 924;
inline constexpr int kSoundHelpId = 925;
inline constexpr int kSoundEndId = 926;

class SoundSettingsWindow : public wxDialog {
 public:
  // `settings` must outlive the window.
  SoundSettingsWindow(wxWindow* parent, SoundSettings& settings, SoundPlayer& player,
                      WindowServices& services, const EntryColours& colours);

  wxListCtrl* list() const { return list_; }
  TBmpGet* nameField() const { return name_; }
  // The tick's picture: "S_OK" or "S_NOK".
  const char* tickPicture() const { return tickPicture_; }

  // What the list's events do, also for tests: a row chosen, a row double-clicked.
  void rowChosen(long row);
  void rowActivated(long row);

 private:
  void fillRow(long row);
  void fillList();
  void showCurrent();
  void chooseFile();

  SoundSettings& settings_;
  SoundPlayer& player_;
  WindowServices& services_;
  wxListCtrl* list_ = nullptr;
  TBmpGet* name_ = nullptr;
  TBmpGet* file_ = nullptr;
  wxBitmapButton* open_ = nullptr;
  wxBitmapButton* play_ = nullptr;
  wxBitmapButton* tick_ = nullptr;
  wxButton* delete_ = nullptr;
  const char* tickPicture_ = "S_NOK";
};

// SETUPSOUND as a whole: the sound table opened (or the user told that it cannot be now), the
// help topic "Sound-Einstellungen" while the window is open (then "Hauptauswahl"), and after it
// SYSTEM AlarmOn written, the table closed and its index deleted.
void setupSound(wxWindow* parent, Context& ctx, WindowServices& services, SoundPlayer& player);

}  // namespace zrv
