// The update's command "&Zorvane Update suchen" (DOWNLOADIT): the update dialog, and after it,
// when the installer arrived, the installer started and the program ended. It reaches the
// windows through UpdateWindows, which the update dialog's file implements (update_dialog.h).
#pragma once

#include <functional>

namespace zrv {

class Commands;
class UpdateView;
class WaitPort;
struct Context;

class UpdateWindows {
 public:
  virtual ~UpdateWindows() = default;
  // Shows the update dialog until it is closed. Its "&Start" runs `start` once with the dialog as
  // its view; when `start` says the installer arrived, the dialog closes itself and this returns
  // true.
  virtual bool downloadDialog(const std::function<bool(UpdateView&)>& start) = 0;
  // Closes the main window once the current command is over, as its close box does.
  virtual void endProgram() = 0;
};

// DOWNLOADIT: the dialog; after it the installer is started and the program ends, unless the
// backup failed.
void downloadIt(Context& ctx, UpdateWindows& windows, WaitPort& wait);

// Gives "&Zorvane Update suchen" its action; `windows` and `wait` must outlive `commands`.
void registerUpdateCommands(Commands& commands, UpdateWindows& windows, WaitPort& wait);

}  // namespace zrv
