// The settings windows' commands: "&Allgemeine Einstellungen", "&Netzwerk-Einstellungen" and
// "&Sound-Einstellungen" of the menu "&Einstellungen" and of the bar's drop-down menu, and the
// bar's SETUP button, which opens them one after the other. They open the windows through the
// port SettingsWindows, which the program gives with the wx windows.
#pragma once

namespace zrv {

class Commands;

class SettingsWindows {
 public:
  virtual ~SettingsWindows() = default;
  // SETUPMAIN: the general settings with their five pages.
  virtual void setupMain() = 0;
  // SETUPLAN: the network settings.
  virtual void setupLan() = 0;
  // SETUPSOUND: the sound settings.
  virtual void setupSound() = 0;
};

// Gives the settings commands their actions; `windows` must outlive `commands`.
void registerSettingsCommands(Commands& commands, SettingsWindows& windows);

}  // namespace zrv
