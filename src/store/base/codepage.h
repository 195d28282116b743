// Windows-1252 <-> UTF-8. Everything the program keeps on disk as text is Windows-1252, so
// the files stay interchangeable with those written on Windows; inside, text is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zrv {

// A character that Windows-1252 cannot hold becomes '?'. Invalid UTF-8 bytes become '?'.
std::string utf8ToCp1252(std::string_view utf8);
// Bytes 0x81, 0x8D, 0x8F, 0x90, 0x9D (unassigned in 1252) map to the C1 controls of the same
// number.
std::string cp1252ToUtf8(std::string_view cp1252);

}  // namespace zrv
