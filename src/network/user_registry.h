// The user registry "USERLIST.DBF" (DUSR) of the program directory, shared by every workstation,
// with its index "USERLIST.NTX" on USERNAME: one entry per user, naming his appointment table.
// It is opened for one operation and closed again, so that no workstation keeps the others out
// while it waits for its user.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/base/status.h"
#include "store/xbase/table_structure.h"

namespace zrv {

class Clock;
class Table;
struct Context;

inline constexpr const char* kUserListFile = "USERLIST.DBF";
inline constexpr const char* kUserListIndex = "USERLIST.NTX";
inline constexpr const char* kUserAlias = "DUSR";
inline constexpr int kUserNameWidth = 30;
inline constexpr int kUserFileWidth = 8;
// How long an open (and the lock of a registration) is tried while another workstation holds
// the registry.
inline constexpr std::chrono::milliseconds kRegistryPatience{2000};
// Told when the registry stays held (or is missing).
inline constexpr const char* kRegistryBusy =
    "Die Benutzerliste kann im Moment nicht geöffnet werden. Versuchen Sie es später noch "
    "einmal.";

// USERNAME C(30) the name as entered, USERFILE C(8) the base name of the user's table.
Structure userListStructure();

// Creates the empty registry of an installation, `dir`/USERLIST.DBF with its index. Fails with
// kExists when the table exists.
Status createUserList(const std::filesystem::path& dir, const Clock& clock);

struct UserEntry {
  std::uint32_t recno = 0;
  std::string name;  // USERNAME without trailing blanks
  std::string file;  // USERFILE without trailing blanks
  friend bool operator==(const UserEntry&, const UserEntry&) = default;
};

class UserRegistry {
 public:
  enum class Use {
    kLookup,     // shared, unless the file changed since this run last saw it (below)
    kExclusive,  // exclusive, the index rebuilt: for removing entries
  };

  // Opens the registry of ctx.CRUNIN. For a lookup: when USERLIST.DBF changed since this run
  // last saw it (qlFileUpdate with DS_USRDATE / CS_USRTIME; always at the first use of a run)
  // or the index is missing, it is opened exclusively and its index rebuilt, otherwise shared
  // with its index. The date and time are remembered only once the index is rebuilt. An open
  // refused because another workstation holds the file is tried again for `patience`; then
  // kLocked. kMissing when the installation has no registry.
  static Result<UserRegistry> open(Context& ctx, Use use,
                                   std::chrono::milliseconds patience = kRegistryPatience);

  UserRegistry(UserRegistry&&) noexcept;
  UserRegistry& operator=(UserRegistry&&) noexcept;
  ~UserRegistry();

  // Every entry, in name order.
  Result<std::vector<UserEntry>> entries();
  // The entry whose USERNAME is `name` (trailing blanks aside); nullopt when there is none.
  Result<std::optional<UserEntry>> find(std::string_view name);
  // Adds the entry `name` with the table `file` unless one of that name exists; the look-up
  // and the append happen under the registry's file lock (waited for as the open is), so that
  // two workstations registering one name at once add it once. True when it was added.
  Result<bool> addUnlessPresent(std::string_view name, std::string_view file);
  // Deletes the entry `recno` (it leaves the file with the pack at exit) and commits.
  Status remove(std::uint32_t recno);
  Status close();

 private:
  UserRegistry(std::unique_ptr<Table> table, std::chrono::milliseconds patience);
  std::unique_ptr<Table> table_;
  std::chrono::milliseconds patience_;
};

}  // namespace zrv
