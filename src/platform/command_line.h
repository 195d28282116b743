// Splitting a parameter text as typed by the user into program arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zrv {

// Splits on blanks and tabs; double quotes group a part with blanks into one argument and are
// removed ("" gives an empty argument). Backslashes are ordinary characters, so that Windows
// paths pass unchanged.
std::vector<std::string> splitParameters(std::string_view text);

}  // namespace zrv
