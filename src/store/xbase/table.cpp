// Creating and opening tables, field access, and the Table facade over TableImpl.
#include "store/xbase/table.h"

#include <algorithm>
#include <cctype>
#include <mutex>

#include "store/base/ascii_case.h"
#include "store/base/codepage.h"
#include "store/base/file_names.h"
#include "store/base/file_ops.h"
#include "store/xbase/field_codec.h"
#include "store/xbase/open_tables.h"
#include "store/xbase/table_impl.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace fs = std::filesystem;

namespace {

// The memo file beside a table: same stem, ".DBT" in the case of the table's extension.
fs::path memoPathFor(const fs::path& table) {
  const std::string ext = table.extension().string();
  const bool lower = !ext.empty() && std::none_of(ext.begin(), ext.end(), [](char c) {
    return std::isupper(static_cast<unsigned char>(c));
  });
  return findFile(table.parent_path(), table.stem().string() + (lower ? ".dbt" : ".DBT"));
}

Status noRecord() {
  return status::invalid("Es ist kein Datensatz ausgewählt.");
}

// What the open found of a journal left by a crash of a program that had the table open
// exclusively: whether the last session ended uncleanly, and for a journal set aside the German
// text the user is told.
struct JournalFindings {
  bool unclean = false;
  std::string setAside;
};

std::string journalNote(const std::string& name, const RedoJournal::Recovery& r) {
  const std::string aside = " Es wurde als " + name + ".~jx beiseitegelegt.";
  switch (r.why) {
    case RedoJournal::Recovery::Aside::kForeign:
      return "Das Änderungsprotokoll der Datei " + name +
             " gehört nicht zu dieser Datei (sie wurde ersetzt) und wurde nicht angewendet." +
             aside;
    case RedoJournal::Recovery::Aside::kDamaged:
      return "Das Änderungsprotokoll der Datei " + name + " ist beschädigt. " +
             (r.applied > 0 ? "Die " + std::to_string(r.applied) +
                                  " vollständigen Änderungen vor der beschädigten Stelle wurden "
                                  "übernommen."
                            : std::string("Vor der beschädigten Stelle stand keine vollständige "
                                          "Änderung.")) +
             aside;
    case RedoJournal::Recovery::Aside::kUnsafe:
      return "Das Änderungsprotokoll der Datei " + name + " wollte " + r.unsafe +
             " und wurde nicht angewendet." + aside;
    case RedoJournal::Recovery::Aside::kNo:
      break;
  }
  return "Die Datei " + name + " wurde nach einem Abbruch um " + std::to_string(r.applied) +
         " gesicherte Änderungen ergänzt.";
}

Result<JournalFindings> recoverJournal(const fs::path& file, const Table::Options& options) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(RedoJournal::fileFor(file), ec))) return JournalFindings{};
  if (options.mode != OpenMode::kExclusive) {
    return Status{StatusCode::kLocked, "Die Datei " + file.filename().string() +
                                           " wurde nicht ordentlich geschlossen; sie muss zuerst "
                                           "exklusiv geöffnet werden."};
  }
  auto recovered = RedoJournal::recover(file);
  if (!recovered) return recovered.status();
  JournalFindings found;
  found.unclean = recovered->setAside || recovered->applied > 0;
  if (!found.unclean) return found;
  const std::string note = journalNote(file.filename().string(), *recovered);
  if (options.onNote) options.onNote(note);
  if (recovered->setAside) found.setAside = note;
  return found;
}

// Records behind the header's count (the count lowered by another program or by damage) would
// be overwritten by the next append. In exclusive use they are taken in: the file is first
// copied to "<table>.BAK", then the count raised. Returns how many were taken in.
Result<std::uint32_t> adoptTrailingRecords(DbfFile& dbf, const Clock& clock,
                                           const Table::Options& options) {
  if (options.mode != OpenMode::kExclusive) return 0u;
  auto beyond = dbf.recordsBeyondCount();
  if (!beyond || *beyond == 0) return beyond;
  fs::path backup = dbf.path();
  backup += ".BAK";
  std::error_code ec;
  fs::copy_file(dbf.path(), backup, fs::copy_options::overwrite_existing, ec);
  if (ec) return status::io(backup, "angelegt", ec.value());
  const std::uint32_t before = dbf.recordCount();
  if (Status s = dbf.setRecordCount(before + *beyond, clock.today()); !s) return s;
  if (Status s = dbf.file().sync(); !s) return s;
  if (options.onNote) {
    options.onNote(
        "In der Datei " + dbf.path().filename().string() + " standen " + std::to_string(*beyond) +
        " Datensätze hinter den " + std::to_string(before) +
        " im Dateikopf gezählten; sie wurden übernommen (die Datei vorher gesichert als " +
        backup.filename().string() + ").");
  }
  return beyond;
}

}  // namespace

// ---- TableImpl: files and fields --------------------------------------------------------

TableImpl::TableImpl(const Clock& clock, Table::Options options, DbfFile dbf,
                     std::optional<MemoFile> memo)
    : clock_(clock), options_(std::move(options)), dbf_(std::move(dbf)), memo_(std::move(memo)) {
  const Structure& fields = dbf_.header().fields;
  for (std::size_t i = 0; i < fields.size(); ++i)
    fieldByName_[fields[i].name] = static_cast<int>(i);
  if (options_.mode == OpenMode::kExclusive) {
    RedoJournal::Limits limits;
    limits.bytes = options_.journalCheckpointBytes;
    journal_ = std::make_unique<RedoJournal>(dbf_.path(), limits);
    attachJournal();
  }
}

int TableImpl::field(std::string_view name) const {
  // Names are nearly always given as stored (upper case); only the others are converted.
  char exact[16];
  if (name.size() < sizeof exact) {
    std::copy(name.begin(), name.end(), exact);
    if (const auto it = fieldByName_.find(std::string(exact, name.size()));
        it != fieldByName_.end()) {
      return it->second;
    }
  }
  const auto it = fieldByName_.find(asciiUpper(name));
  return it == fieldByName_.end() ? -1 : it->second;
}

Result<int> TableImpl::fieldOf(std::string_view name, const char* types) const {
  const int f = field(name);
  if (f < 0) {
    return status::invalid("Die Datei " + dbf_.path().filename().string() + " hat kein Feld " +
                           asciiUpper(name) + ".");
  }
  if (std::string_view(types).find(dbf_.header().fields[f].type) == std::string_view::npos) {
    return status::invalid("Das Feld " + asciiUpper(name) + " hat den Typ " +
                           std::string(1, dbf_.header().fields[f].type) + ".");
  }
  return f;
}

std::string_view TableImpl::rawIn(std::string_view record, int f) const {
  const auto& h = dbf_.header();
  return record.substr(h.offsets[f], static_cast<std::size_t>(h.fields[f].width));
}

void TableImpl::putRaw(int f, std::string_view bytes) {
  const auto& h = dbf_.header();
  record_.replace(h.offsets[f], static_cast<std::size_t>(h.fields[f].width), bytes);
  dirty_ = true;
}

Result<std::string> TableImpl::memoIn(std::string_view record, int f, std::uint32_t recno,
                                      const std::map<int, std::string>& pending) const {
  if (const auto it = pending.find(f); it != pending.end()) return it->second;
  const auto block = parseMemoBlock(rawIn(record, f));
  if (!block) {
    return status::corrupt(
        dbf_.path(), "Datensatz " + std::to_string(recno) + " hat einen ungültigen Memoverweis");
  }
  if (*block == 0) return std::string();
  if (!memo_) return status::missing(memoPathFor(dbf_.path()));
  return memo_->read(*block);
}

Status TableImpl::requireRecord() const {
  return eof_ || recno_ == 0 ? noRecord() : Status();
}

std::string TableImpl::blankRecord() const {
  return std::string(dbf_.header().recordLength, ' ');
}

void TableImpl::phantom() {
  recno_ = dbf_.recordCount() + 1;
  record_ = blankRecord();
  original_ = record_;
  eof_ = true;
  bof_ = false;
  dirty_ = false;
  appended_ = false;
  pendingMemos_.clear();
}

void TableImpl::positionOn(std::uint32_t recno, std::string record) {
  recno_ = recno;
  original_ = record;
  record_ = std::move(record);
  eof_ = false;
  bof_ = false;
  dirty_ = false;
  appended_ = false;
  pendingMemos_.clear();
}

Status TableImpl::readRecord(std::uint32_t recno, std::string& out) const {
  return dbf_.readRecord(recno, out);
}

// ---- creating and opening ---------------------------------------------------------------

Status Table::create(const fs::path& file, const Structure& fields, const Clock& clock) {
  if (Status s = checkStructure(fields); !s) return s;
  if (fileExists(file.parent_path(), file.filename().string())) return status::exists(file);
  // What a crash left of an earlier table of this name must not be applied to the new one.
  std::error_code ec;
  fs::remove(RedoJournal::fileFor(file), ec);
  fs::remove(withSuffix(file, ".~pack"), ec);
  auto f = OsFile::create(file);
  if (!f) return f.status();
  std::string bytes = encodeDbfHeader(fields, 0, clock.today());
  bytes += xbase::dbf::kEndOfFile;
  if (Status s = f->writeAt(0, bytes.data(), bytes.size()); !s) return s;
  std::vector<OsFile*> toSync{&*f};
  std::optional<MemoFile> memo;
  if (std::any_of(fields.begin(), fields.end(), [](const FieldDef& d) { return d.type == 'M'; })) {
    // A memo file without its table is a leftover; the new table starts a new one.
    const fs::path memoPath = memoPathFor(file);
    std::error_code ec;
    fs::remove(memoPath, ec);
    auto m = MemoFile::create(memoPath);
    if (!m) return m.status();
    memo.emplace(std::move(*m));
    toSync.push_back(&memo->file());
  }
  if (Status s = syncFiles(toSync); !s) return s;
  return fileOps().syncDirectory(file.parent_path());
}

Result<std::unique_ptr<Table>> Table::open(const fs::path& file, const Clock& clock,
                                           Options options) {
  const bool exclusive = options.mode == OpenMode::kExclusive;
  auto f = OsFile::open(file, OsFile::Access::kReadWrite);
  if (!f) return f.status();
  if (Status s = f->shareLock(exclusive); !s) return s;
  // A program that is packing holds the old and the new files locked, so a pack found
  // unfinished here was cut short; it is finished, then the new file is opened. Changes
  // committed before a crash are taken from the journal.
  if (pendingPack(file)) {
    if (Status s = recoverPack(file, options.mode); !s) return s;
    f = OsFile::open(file, OsFile::Access::kReadWrite);
    if (!f) return f.status();
    if (Status s = f->shareLock(exclusive); !s) return s;
  }
  if (Status s = recoverIndexes(file, options.mode); !s) return s;
  auto unclean = recoverJournal(file, options);
  if (!unclean) return unclean.status();
  auto dbf = DbfFile::attach(std::move(*f));
  if (!dbf) return dbf.status();
  auto adopted = adoptTrailingRecords(*dbf, clock, options);
  if (!adopted) return adopted.status();
  std::optional<MemoFile> memo;
  if (dbf->header().hasMemo()) {
    auto m = MemoFile::open(memoPathFor(file), OsFile::Access::kReadWrite);
    if (!m) return m.status();
    if (Status s = m->file().shareLock(exclusive); !s) return s;
    memo.emplace(std::move(*m));
  }
  if (options.alias.empty()) options.alias = asciiUpper(file.stem().string());
  auto impl =
      std::make_unique<TableImpl>(clock, std::move(options), std::move(*dbf), std::move(memo));
  impl->uncleanEnd_ = unclean->unclean || *adopted > 0;
  impl->adopted_ = *adopted;
  impl->journalSetAside_ = std::move(unclean->setAside);
  if (Status s = impl->goTop(); !s) return s;
  return std::unique_ptr<Table>(new Table(std::move(impl)));
}

namespace {

std::mutex openTablesMutex;
std::vector<const Table*>& openTableList() {
  static std::vector<const Table*> list;
  return list;
}

void forgetOpenTable(const Table* t) {
  std::lock_guard lock(openTablesMutex);
  auto& list = openTableList();
  list.erase(std::remove(list.begin(), list.end(), t), list.end());
}

}  // namespace

std::vector<OpenTableFacts> openTables() {
  std::lock_guard lock(openTablesMutex);
  std::vector<OpenTableFacts> facts;
  for (const Table* t : openTableList()) {
    OpenTableFacts f{t->alias(), t->file(), t->recNo(), t->recCount(), t->bof(), t->eof(), {}};
    for (int i = 1; i <= t->orderCount(); ++i)
      f.indexes.push_back({t->indexDef(i).key, t->indexFile(i), t->order() == i});
    facts.push_back(std::move(f));
  }
  return facts;
}

Table::Table(std::unique_ptr<TableImpl> impl) : impl_(std::move(impl)) {
  std::lock_guard lock(openTablesMutex);
  openTableList().push_back(this);
}

Table::~Table() {
  forgetOpenTable(this);
  if (impl_ && !impl_->closed_) (void)close();
}

Status Table::close() {
  if (impl_->closed_) return {};
  forgetOpenTable(this);
  Status s = impl_->flush();
  if (s && impl_->journal_) {
    s = impl_->checkpoint();
    if (s) s = impl_->journal_->discard();
  }
  impl_->unlockAll();
  impl_->indexes_.clear();
  impl_->memo_.reset();
  impl_->dbf_.file().close();
  impl_->closed_ = true;
  return s;
}

// ---- structure --------------------------------------------------------------------------

const fs::path& Table::file() const {
  return impl_->dbf_.path();
}
OpenMode Table::mode() const {
  return impl_->options_.mode;
}
const std::string& Table::alias() const {
  return impl_->options_.alias;
}
const Structure& Table::structure() const {
  return impl_->dbf_.header().fields;
}
int Table::fieldCount() const {
  return static_cast<int>(structure().size());
}
int Table::fieldIndex(std::string_view name) const {
  return impl_->field(name);
}

// ---- fields -----------------------------------------------------------------------------

Result<std::string> Table::getString(std::string_view name) const {
  auto f = impl_->fieldOf(name, "CM");
  if (!f) return f.status();
  if (structure()[*f].type == 'C') return cp1252ToUtf8(field::trimRight(impl_->raw(*f)));
  auto text = impl_->memoText(*f);
  if (!text) return text.status();
  return cp1252ToUtf8(*text);
}

Result<std::string> Table::getRaw(std::string_view name) const {
  auto f = impl_->fieldOf(name, "CNDLM");
  if (!f) return f.status();
  return std::string(impl_->raw(*f));
}

Result<double> Table::getNumber(std::string_view name) const {
  auto f = impl_->fieldOf(name, "N");
  if (!f) return f.status();
  return field::parseNumber(impl_->raw(*f));
}

Result<Date> Table::getDate(std::string_view name) const {
  auto f = impl_->fieldOf(name, "D");
  if (!f) return f.status();
  return field::parseDate(impl_->raw(*f));
}

Result<bool> Table::getLogical(std::string_view name) const {
  auto f = impl_->fieldOf(name, "L");
  if (!f) return f.status();
  return field::parseLogical(impl_->raw(*f));
}

Result<Value> Table::get(std::string_view name) const {
  const int f = impl_->field(name);
  if (f < 0) return impl_->fieldOf(name, "").status();
  switch (structure()[f].type) {
    case 'N': {
      auto v = getNumber(name);
      if (!v) return v.status();
      return Value(*v);
    }
    case 'D': {
      auto v = getDate(name);
      if (!v) return v.status();
      return Value(*v);
    }
    case 'L': {
      auto v = getLogical(name);
      if (!v) return v.status();
      return Value(*v);
    }
    default: {
      auto v = getString(name);
      if (!v) return v.status();
      return Value(std::move(*v));
    }
  }
}

Status Table::setString(std::string_view name, std::string_view utf8) {
  if (Status s = impl_->requireRecord(); !s) return s;
  auto f = impl_->fieldOf(name, "CM");
  if (!f) return f.status();
  std::string text = utf8ToCp1252(utf8);
  if (structure()[*f].type == 'C') {
    impl_->putRaw(*f, field::padText(text, static_cast<std::size_t>(structure()[*f].width)));
  } else {
    impl_->pendingMemos_[*f] = std::move(text);
    impl_->dirty_ = true;
  }
  return {};
}

Status Table::setNumber(std::string_view name, double value) {
  if (Status s = impl_->requireRecord(); !s) return s;
  auto f = impl_->fieldOf(name, "N");
  if (!f) return f.status();
  const FieldDef& d = structure()[*f];
  std::string text;
  if (!field::formatNumber(value, d.width, d.decimals, text)) {
    return status::invalid("Der Wert " + std::to_string(value) + " passt nicht in das Feld " +
                           d.name + ".");
  }
  impl_->putRaw(*f, text);
  return {};
}

Status Table::setDate(std::string_view name, const Date& value) {
  if (Status s = impl_->requireRecord(); !s) return s;
  auto f = impl_->fieldOf(name, "D");
  if (!f) return f.status();
  impl_->putRaw(*f, field::formatDate(value));
  return {};
}

Status Table::setLogical(std::string_view name, bool value) {
  if (Status s = impl_->requireRecord(); !s) return s;
  auto f = impl_->fieldOf(name, "L");
  if (!f) return f.status();
  impl_->putRaw(*f, value ? "T" : "F");
  return {};
}

Status Table::set(std::string_view name, const Value& value) {
  switch (typeOf(value)) {
    case ValueType::kChar:
      return setString(name, std::get<std::string>(value));
    case ValueType::kNumber:
      return setNumber(name, std::get<double>(value));
    case ValueType::kDate:
      return setDate(name, std::get<Date>(value));
    case ValueType::kLogical:
      return setLogical(name, std::get<bool>(value));
  }
  return status::invalid("Unbekannter Werttyp.");
}

// ---- forwarding -------------------------------------------------------------------------

Status Table::createIndex(const fs::path& file, const IndexDef& def) {
  return impl_->createIndexes({{file, def}});
}
Status Table::createIndexes(const std::vector<std::pair<fs::path, IndexDef>>& files) {
  return impl_->createIndexes(files);
}
Status Table::openIndex(const fs::path& file, const IndexDef* fallback) {
  return impl_->openIndex(file, fallback, true);
}

Status Table::openIndexToRebuild(const fs::path& file, const IndexDef* fallback) {
  return impl_->openIndex(file, fallback, false);
}

Status Table::openIndexUnchecked(const fs::path& file, const IndexDef* fallback) {
  return impl_->openIndex(file, fallback, false);
}
Status Table::createTemporaryIndex(const fs::path& file, const IndexDef& def) {
  return impl_->createIndexes({{file, def}}, false);
}
Status Table::closeIndexes() {
  return impl_->closeIndexes();
}
Status Table::closeIndex(int order) {
  return impl_->closeIndex(order);
}
Status Table::reindex() {
  return impl_->reindex();
}

Status Table::reindex(const std::vector<int>& orders, bool durable) {
  return impl_->reindexOrders(orders, durable);
}
int Table::orderCount() const {
  return static_cast<int>(impl_->indexes_.size());
}
int Table::order() const {
  return impl_->order_;
}
Status Table::setOrder(int order) {
  if (order < 0 || order > orderCount()) {
    return status::invalid("Die Sortierung " + std::to_string(order) + " gibt es nicht.");
  }
  if (Status s = impl_->flush(); !s) return s;
  impl_->order_ = order;
  return {};
}
const IndexDef& Table::indexDef(int order) const {
  return impl_->indexes_.at(order - 1)->plan.def;
}
const fs::path& Table::indexFile(int order) const {
  return impl_->indexes_.at(order - 1)->file;
}

Status Table::goTop() {
  return impl_->goTop();
}
Status Table::goBottom() {
  return impl_->goBottom();
}
Status Table::skip(long n) {
  return impl_->skip(n);
}
Status Table::goTo(std::uint32_t recno) {
  return impl_->goTo(recno);
}
Result<bool> Table::seek(std::string_view key, bool soft) {
  return impl_->seek(key, soft);
}
bool Table::eof() const {
  return impl_->eof_;
}
bool Table::bof() const {
  return impl_->bof_;
}
std::uint32_t Table::recNo() const {
  return impl_->recno_;
}
std::uint32_t Table::recCount() const {
  return impl_->dbf_.recordCount();
}
bool Table::isDeleted() const {
  return !impl_->eof_ && !impl_->record_.empty() && impl_->record_[0] == xbase::dbf::kDeleted;
}

Status Table::append() {
  return impl_->append();
}
Status Table::deleteRecord() {
  return impl_->setDeleted(true);
}
Status Table::recall() {
  return impl_->setDeleted(false);
}
Status Table::flush() {
  return impl_->flush();
}
Status Table::commit() {
  return impl_->commit();
}
Status Table::checkpointIfDue() {
  return impl_->checkpointIfDue();
}
bool Table::checkpointDue() const {
  return impl_->checkpointDue();
}
Status Table::pack() {
  return impl_->pack();
}

bool Table::uncleanEnd() const {
  return impl_->uncleanEnd_;
}
std::uint32_t Table::adoptedRecords() const {
  return impl_->adopted_;
}
const std::string& Table::journalSetAside() const {
  return impl_->journalSetAside_;
}
Status Table::verify() {
  return impl_->verify();
}
Result<bool> Table::indexMatches(int order) {
  if (order < 1 || order > orderCount()) {
    return status::invalid("Die Sortierung " + std::to_string(order) + " gibt es nicht.");
  }
  if (Status s = impl_->flush(); !s) return s;
  return impl_->indexMatches(*impl_->indexes_[order - 1]);
}

Status Table::lockRecord(std::uint32_t recno) {
  return impl_->lockRecord(recno);
}
void Table::unlockRecord(std::uint32_t recno) {
  impl_->unlockRecord(recno);
}
Status Table::lockFile() {
  return impl_->lockFile();
}
void Table::unlockAll() {
  impl_->unlockAll();
}
bool Table::holdsLock(std::uint32_t recno) const {
  return impl_->fileLocked_ || impl_->locks_.count(recno) > 0;
}

}  // namespace zrv
