// Appointment tables by name: a table is known by its name (CN_FILE: upper case, no
// extension) and lives in the program directory as <name>.TER with .DBT, .NT1 .. .NT4 and the
// calendar's .KAL, all found without regard to case.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace zrv {

// The extensions of a table's files.
const std::array<const char*, 7>& tableFileExtensions();

// Upper case as the Windows character set has it (ä -> Ä, é -> É); UTF-8 in and out.
std::string upperName(std::string_view utf8);

// The table name of a path chosen in a file dialog: the file name without its directory
// ("/" and "\" both separate) and without a ".TER" ending, trimmed, in upper case, and cut to
// its first `maxLength` characters (0: not cut). "" when nothing is left.
std::string tableNameOf(std::string_view chosen, std::size_t maxLength = 0);

// Whether two table names name the same table (the whole names, without regard to case).
bool sameTableName(std::string_view a, std::string_view b);

// The base path (directory and name, no extension) of the table `name` of the program
// directory. Directories in the name resolve the way stored paths do; the name keeps its
// spelling.
std::filesystem::path tableBase(const std::filesystem::path& programDir, std::string_view name);

// Whether the table's ".TER" file exists.
bool tableExists(const std::filesystem::path& programDir, std::string_view name);

// Deletes every file of the table: each entry of the table's directory whose name is the
// table's name followed by one of the extensions, whatever the case of either. Missing files
// are no error; false when an existing one could not be deleted.
bool deleteTableFiles(const std::filesystem::path& programDir, std::string_view name);

}  // namespace zrv
