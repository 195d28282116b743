// The page model of PRINTSETUP: the settings in use, one a line, the sounds of the program's
// events as the sound table holds them, and four lines about the product.
#pragma once

#include "ports/print_port.h"

namespace zrv {

struct Context;

PrintJob setupPrintout(const Context& ctx);

}  // namespace zrv
