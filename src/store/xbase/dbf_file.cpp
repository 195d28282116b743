#include "store/xbase/dbf_file.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "store/base/ascii_case.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace {

using namespace xbase;

bool validNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The width rules of dBASE III, plus the Clipper extension of C fields up to 65535.
const char* widthProblem(char type, int width, int decimals) {
  switch (type) {
    case 'C':
      return width >= 1 && width <= 65535 && decimals == 0 ? nullptr : "Breite eines Textfelds";
    case 'N':
      return width >= 1 && width <= 20 && decimals >= 0 && (decimals == 0 || decimals < width - 1)
                 ? nullptr
                 : "Breite eines Zahlenfelds";
    case 'D':
      return width == 8 ? nullptr : "Breite eines Datumsfelds";
    case 'L':
      return width == 1 ? nullptr : "Breite eines logischen Felds";
    case 'M':
      return width == 10 ? nullptr : "Breite eines Memofelds";
    default:
      return "Feldtyp";
  }
}

void putUpdateDate(char* header, const Date& today) {
  const Date d = today.empty() ? *Date::fromYmd(2000, 1, 1) : today;
  header[dbf::kOffUpdateYmd] = static_cast<char>((d.year() - 1900) & 0xFF);
  header[dbf::kOffUpdateYmd + 1] = static_cast<char>(d.month());
  header[dbf::kOffUpdateYmd + 2] = static_cast<char>(d.day());
}

}  // namespace

bool DbfHeader::hasMemo() const {
  return std::any_of(fields.begin(), fields.end(), [](const FieldDef& f) { return f.type == 'M'; });
}

Status checkStructure(const Structure& fields) {
  if (fields.empty()) return status::invalid("Eine Tabelle braucht mindestens ein Feld.");
  std::set<std::string> names;
  std::uint32_t length = 1;
  for (const FieldDef& f : fields) {
    const std::string name = asciiUpper(f.name);
    if (name.empty() || name.size() > 10 || !std::all_of(name.begin(), name.end(), validNameChar) ||
        !std::isalpha(static_cast<unsigned char>(name[0]))) {
      return status::invalid("Ungültiger Feldname \"" + f.name + "\".");
    }
    if (!names.insert(name).second) {
      return status::invalid("Der Feldname " + name + " kommt doppelt vor.");
    }
    if (const char* p = widthProblem(f.type, f.width, f.decimals)) {
      return status::invalid(std::string("Ungültige ") + p + " bei Feld " + name + ".");
    }
    length += static_cast<std::uint32_t>(f.width);
  }
  if (length > dbf::kMaxRecordLength) return status::invalid("Die Datensätze wären zu lang.");
  return {};
}

std::string encodeDbfHeader(const Structure& fields, std::uint32_t recordCount, const Date& today) {
  const std::size_t headerLength = dbf::kHeaderSize + fields.size() * dbf::kDescriptorSize + 1;
  std::string h(headerLength, '\0');
  bool memo = false;
  std::uint32_t recordLength = 1;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const FieldDef& f = fields[i];
    char* d = h.data() + dbf::kHeaderSize + i * dbf::kDescriptorSize;
    const std::string name = asciiUpper(f.name);
    std::copy(name.begin(), name.end(), d + dbf::kOffFieldName);
    d[dbf::kOffFieldType] = f.type;
    // Wide C fields (Clipper): the decimals byte holds the high byte of the width.
    d[dbf::kOffFieldWidth] = static_cast<char>(f.width & 0xFF);
    d[dbf::kOffFieldDecimals] =
        static_cast<char>(f.type == 'C' ? (f.width >> 8) & 0xFF : f.decimals & 0xFF);
    memo = memo || f.type == 'M';
    recordLength += static_cast<std::uint32_t>(f.width);
  }
  h[dbf::kOffVersion] = static_cast<char>(memo ? dbf::kVersionMemo : dbf::kVersionPlain);
  putUpdateDate(h.data(), today);
  put32(h.data() + dbf::kOffRecordCount, recordCount);
  put16(h.data() + dbf::kOffHeaderLength, static_cast<std::uint32_t>(headerLength));
  put16(h.data() + dbf::kOffRecordLength, recordLength);
  h[headerLength - 1] = dbf::kHeaderEnd;
  return h;
}

Result<DbfHeader> decodeDbfHeader(std::string_view bytes, std::uint64_t fileSize,
                                  const std::filesystem::path& file) {
  if (bytes.size() < dbf::kHeaderSize) return status::corrupt(file, "der Dateikopf fehlt");
  DbfHeader h;
  h.version = static_cast<unsigned char>(bytes[dbf::kOffVersion]);
  if (h.version != dbf::kVersionPlain && h.version != dbf::kVersionMemo) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", h.version);
    if ((h.version & 0x07) == 0x03 || h.version == 0x30 || h.version == 0x31 || h.version == 0xF5 ||
        h.version == 0x04 || h.version == 0x05) {
      return status::unsupported(file, std::string("Dateiversion ") + buf);
    }
    return status::corrupt(file, std::string("unbekannte Dateiversion ") + buf);
  }
  h.recordCount = get32(bytes.data() + dbf::kOffRecordCount);
  h.headerLength = get16(bytes.data() + dbf::kOffHeaderLength);
  h.recordLength = get16(bytes.data() + dbf::kOffRecordLength);
  if (h.headerLength < dbf::kHeaderSize + dbf::kDescriptorSize + 1 ||
      h.headerLength > bytes.size()) {
    return status::corrupt(file, "die Länge des Dateikopfs ist ungültig");
  }
  std::set<std::string> names;
  std::uint32_t offset = 1;
  for (std::size_t pos = dbf::kHeaderSize;
       pos + dbf::kDescriptorSize <= h.headerLength && bytes[pos] != dbf::kHeaderEnd;
       pos += dbf::kDescriptorSize) {
    const char* d = bytes.data() + pos;
    std::string_view rawName(d + dbf::kOffFieldName, dbf::kFieldNameSize);
    rawName = rawName.substr(0, std::min(rawName.find('\0'), rawName.size()));
    const std::string name = asciiUpper(rawName);
    if (name.empty() || name.size() > 10 || !std::all_of(name.begin(), name.end(), validNameChar)) {
      return status::corrupt(file, "ein Feldname ist ungültig");
    }
    if (!names.insert(name).second) return status::corrupt(file, "Feld " + name + " doppelt");
    FieldDef f;
    f.name = name;
    f.type = asciiUpper(d[dbf::kOffFieldType]);
    const int width = static_cast<unsigned char>(d[dbf::kOffFieldWidth]);
    const int decimals = static_cast<unsigned char>(d[dbf::kOffFieldDecimals]);
    if (f.type == 'F') f.type = 'N';  // dBASE IV float: the same text form
    if (f.type == 'C') {
      f.width = width + 256 * decimals;
    } else {
      f.width = width;
      f.decimals = decimals;
    }
    if (f.type != 'C' && f.type != 'N' && f.type != 'D' && f.type != 'L' && f.type != 'M') {
      return status::unsupported(
          file, "Feld " + name + " hat den Typ " + std::string(1, d[dbf::kOffFieldType]));
    }
    if (const char* p = widthProblem(f.type, f.width, f.decimals)) {
      return status::corrupt(file, std::string(p) + " " + name + " ist ungültig");
    }
    h.offsets.push_back(offset);
    offset += static_cast<std::uint32_t>(f.width);
    h.fields.push_back(std::move(f));
  }
  if (h.fields.empty()) return status::corrupt(file, "die Tabelle hat keine Felder");
  if (offset != h.recordLength) {
    return status::corrupt(file, "die Datensatzlänge passt nicht zu den Feldern");
  }
  const std::uint64_t needed = h.headerLength + std::uint64_t(h.recordCount) * h.recordLength;
  if (fileSize < needed) {
    return status::corrupt(
        file, "die Datei ist kürzer als ihre " + std::to_string(h.recordCount) + " Datensätze");
  }
  return h;
}

Result<DbfFile> DbfFile::open(const std::filesystem::path& path, OsFile::Access access) {
  auto f = OsFile::open(path, access);
  if (!f) return f.status();
  return attach(std::move(*f));
}

Result<DbfFile> DbfFile::attach(OsFile file) {
  OsFile* f = &file;
  const std::filesystem::path path = file.path();
  auto size = f->size();
  if (!size) return size.status();
  std::string head(std::min<std::uint64_t>(*size, 65536), '\0');
  auto got = f->readAt(0, head.data(), head.size());
  if (!got) return got.status();
  head.resize(*got);
  auto h = decodeDbfHeader(head, *size, path);
  if (!h) return h.status();
  DbfFile dbf;
  dbf.file_ = std::move(file);
  dbf.header_ = std::move(*h);
  return dbf;
}

Status DbfFile::readRecord(std::uint32_t recno, std::string& out) const {
  return readRecords(recno, 1, out);
}

Status DbfFile::readRecords(std::uint32_t first, std::uint32_t count, std::string& out) const {
  const std::size_t n = std::size_t(count) * header_.recordLength;
  out.resize(n);
  auto got = file_.readAt(recordOffset(first), out.data(), n);
  if (!got) return got.status();
  if (*got != n) {
    return status::corrupt(
        path(),
        "Datensatz " + std::to_string(first + *got / header_.recordLength) + " ist unvollständig");
  }
  return {};
}

Status DbfFile::writeRecord(std::uint32_t recno, std::string_view record) {
  return file_.writeAt(recordOffset(recno), record.data(), record.size());
}

Status DbfFile::appendRecord(std::string_view record, const Date& today) {
  std::string bytes(record);
  bytes += dbf::kEndOfFile;
  if (Status s = file_.writeAt(recordOffset(header_.recordCount + 1), bytes.data(), bytes.size());
      !s) {
    return s;
  }
  ++header_.recordCount;
  return writeCount(today);
}

Result<std::uint32_t> DbfFile::recordsBeyondCount() const {
  auto size = file_.size();
  if (!size) return size.status();
  std::uint32_t n = 0;
  std::string record;
  for (;;) {
    const std::uint64_t at = recordOffset(header_.recordCount + n + 1);
    if (at + header_.recordLength > *size || n == 0xFFFFFFFFu - header_.recordCount) return n;
    record.resize(header_.recordLength);
    auto got = file_.readAt(at, record.data(), record.size());
    if (!got) return got.status();
    if (*got != record.size() || (record[0] != dbf::kActive && record[0] != dbf::kDeleted)) {
      return n;
    }
    ++n;
  }
}

Status DbfFile::setRecordCount(std::uint32_t count, const Date& today) {
  header_.recordCount = count;
  return writeCount(today);
}

Status DbfFile::writeCount(const Date& today) {
  char fixed[8];
  fixed[0] = static_cast<char>(header_.version);
  putUpdateDate(fixed, today);
  put32(fixed + dbf::kOffRecordCount, header_.recordCount);
  return file_.writeAt(0, fixed, sizeof fixed);
}

Status DbfFile::refreshCount() {
  char fixed[8];
  auto got = file_.readAt(0, fixed, sizeof fixed);
  if (!got) return got.status();
  if (*got != sizeof fixed) return status::corrupt(path(), "der Dateikopf fehlt");
  const std::uint32_t count = get32(fixed + dbf::kOffRecordCount);
  auto size = file_.size();
  if (!size) return size.status();
  if (*size < header_.headerLength + std::uint64_t(count) * header_.recordLength) {
    return status::corrupt(
        path(), "die Datei ist kürzer als ihre " + std::to_string(count) + " Datensätze");
  }
  header_.recordCount = count;
  return {};
}

}  // namespace zrv
