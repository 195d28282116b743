// The diagnostics' commands: "&System-Informationen" writes "SysInfo.txt" and opens it.
#pragma once

namespace zrv {

class Commands;
class ProgramLauncher;

// `launcher` opens the file; `colourDepth` is the display's bits per pixel. Both must outlive
// `commands`.
void registerDiagCommands(Commands& commands, ProgramLauncher& launcher, int colourDepth);

}  // namespace zrv
