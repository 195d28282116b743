// The network commands: "&Benutzer" (switch user), "&Deinstallieren", "Benutzer-&Datei
// optimieren", and the button bar's user button, which switches users in network mode and
// chooses another table otherwise.
#pragma once

namespace zrv {

class Commands;
class UserWindows;

// Gives the network commands their actions; `windows` must outlive `commands`. Runs after the
// main window's own registration: the bar's button keeps its file choice outside network mode.
void registerNetworkCommands(Commands& commands, UserWindows& windows);

}  // namespace zrv
