#include "network/user_registry.h"

#include <thread>
#include <utility>

#include "app/context.h"
#include "store/base/codepage.h"
#include "store/base/file_names.h"
#include "store/base/file_stamp.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr const char* kPlace = "UserList";
constexpr std::chrono::milliseconds kPause{15};

IndexDef byName() {
  return IndexDef{"USERNAME", "", false, {}};
}

// Runs `attempt` until it is not refused for a lock held elsewhere, or `patience` is over.
template <class Attempt>
auto patiently(std::chrono::milliseconds patience, Attempt attempt) -> decltype(attempt()) {
  const auto end = std::chrono::steady_clock::now() + patience;
  for (;;) {
    auto r = attempt();
    if (r.code() != StatusCode::kLocked || std::chrono::steady_clock::now() >= end) return r;
    std::this_thread::sleep_for(kPause);
  }
}

// The seek key of a name: the field's whole width, so that "Max" does not find "Maxi".
std::string nameKey(std::string_view name) {
  std::string bytes = utf8ToCp1252(name);
  bytes.resize(kUserNameWidth, ' ');
  return cp1252ToUtf8(bytes);
}

template <class Record>
UserEntry entryOf(std::uint32_t recno, const Record& r) {
  UserEntry e;
  e.recno = recno;
  if (auto name = r.getString("USERNAME")) e.name = *name;
  if (auto file = r.getString("USERFILE")) e.file = *file;
  return e;
}

}  // namespace

Structure userListStructure() {
  return {{"USERNAME", 'C', kUserNameWidth, 0}, {"USERFILE", 'C', kUserFileWidth, 0}};
}

Status createUserList(const fs::path& dir, const Clock& clock) {
  const fs::path file = dir / kUserListFile;
  if (Status s = Table::create(file, userListStructure(), clock); !s) return s;
  auto t = Table::open(file, clock, {OpenMode::kExclusive, kUserAlias, {}});
  if (!t) return t.status();
  Status s = (*t)->createIndex(dir / kUserListIndex, byName());
  if (Status c = (*t)->close(); s) s = c;
  return s;
}

Result<UserRegistry> UserRegistry::open(Context& ctx, Use use, std::chrono::milliseconds patience) {
  const fs::path file = findFile(ctx.CRUNIN, kUserListFile);
  const fs::path index = findFile(ctx.CRUNIN, kUserListIndex);
  Date seenDate = ctx.run.DS_USRDATE;
  std::string seenTime = ctx.run.CS_USRTIME;
  const bool changed = qlFileUpdate(file, seenDate, seenTime);
  std::error_code ec;
  const bool rebuild = use == Use::kExclusive || changed || !fs::exists(index, ec);

  Table::Options options;
  options.mode = rebuild ? OpenMode::kExclusive : OpenMode::kShared;
  options.alias = kUserAlias;
  options.onNote = [&ctx](const std::string& note) { ctx.log.log(kPlace, note); };
  auto opened = patiently(patience, [&] { return Table::open(file, ctx.clock, options); });
  if (!opened) return opened.status();
  std::unique_ptr<Table> table = std::move(opened).value();
  const IndexDef def = byName();
  if (Status s = rebuild ? table->createIndex(index, def) : table->openIndex(index, &def); !s) {
    (void)table->close();
    return s;
  }
  if (rebuild) {
    ctx.run.DS_USRDATE = seenDate;
    ctx.run.CS_USRTIME = seenTime;
  }
  return UserRegistry(std::move(table), patience);
}

UserRegistry::UserRegistry(std::unique_ptr<Table> table, std::chrono::milliseconds patience)
    : table_(std::move(table)), patience_(patience) {}
UserRegistry::UserRegistry(UserRegistry&&) noexcept = default;
UserRegistry& UserRegistry::operator=(UserRegistry&&) noexcept = default;
UserRegistry::~UserRegistry() = default;

Result<std::vector<UserEntry>> UserRegistry::entries() {
  auto recnos = table_->orderRecnos(1);
  if (!recnos) return recnos.status();
  std::vector<UserEntry> all;
  all.reserve(recnos->size());
  for (const std::uint32_t recno : *recnos) {
    auto record = table_->readAt(recno);
    if (!record) return record.status();
    all.push_back(entryOf(recno, *record));
  }
  return all;
}

Result<std::optional<UserEntry>> UserRegistry::find(std::string_view name) {
  if (Status s = table_->setOrder(1); !s) return s;
  const Result<bool> found = table_->seek(nameKey(name));
  if (!found) return found.status();
  if (!*found) return std::optional<UserEntry>();
  return std::optional<UserEntry>(entryOf(table_->recNo(), *table_));
}

Result<bool> UserRegistry::addUnlessPresent(std::string_view name, std::string_view file) {
  if (Status s = patiently(patience_, [&] { return table_->lockFile(); }); !s) return s;
  struct Unlock {
    Table& t;
    ~Unlock() { t.unlockAll(); }
  } unlock{*table_};
  auto present = find(name);
  if (!present) return present.status();
  if (*present) return false;
  Status s = table_->append();
  if (s) s = table_->setString("USERNAME", name);
  if (s) s = table_->setString("USERFILE", file);
  if (s) s = table_->commit();
  if (!s) return s;
  return true;
}

Status UserRegistry::remove(std::uint32_t recno) {
  if (Status s = table_->goTo(recno); !s) return s;
  if (table_->eof() || table_->isDeleted()) return {};
  if (Status s = table_->deleteRecord(); !s) return s;
  return table_->commit();
}

Status UserRegistry::close() {
  return table_ ? table_->close() : Status();
}

}  // namespace zrv
