// The printouts' commands: the five entries of the menu "D&rucken". They print through the
// printer and the period dialog that the main window owns.
#pragma once

#include "ports/print_port.h"

namespace zrv {

class Commands;

// Gives the printouts' commands their actions; the devices must outlive `commands`.
void registerPrintCommands(Commands& commands, PrintDevices devices);

}  // namespace zrv
