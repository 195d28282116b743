#include "store/base/status.h"

#include <cerrno>
#include <cstring>

namespace zrv::status {
namespace {

std::string name(const Path& file) {
  return file.filename().string();
}

// German wording for the errors a user can do something about; the system's text otherwise.
std::string reason(int e) {
  switch (e) {
    case ENOENT:
      return "Datei oder Verzeichnis nicht gefunden";
    case EACCES:
    case EPERM:
      return "keine Berechtigung";
    case ENOSPC:
      return "kein Platz mehr auf dem Datenträger";
    case EROFS:
      return "der Datenträger ist schreibgeschützt";
    case EIO:
      return "Ein-/Ausgabefehler des Datenträgers";
    case EDQUOT:
      return "Speicherkontingent erschöpft";
    case ELOOP:
      return "sie ist eine symbolische Verknüpfung, der das Programm nicht folgt";
    case EISDIR:
      return "sie ist keine gewöhnliche Datei";
    default:
      return std::strerror(e);
  }
}

}  // namespace

Status missing(const Path& file) {
  return {StatusCode::kMissing, "Die Datei " + name(file) + " wurde nicht gefunden."};
}

Status exists(const Path& file) {
  return {StatusCode::kExists, "Die Datei " + name(file) + " existiert bereits."};
}

Status io(const Path& file, const char* action, int errnoValue) {
  return {StatusCode::kIoError, "Die Datei " + name(file) + " kann nicht " + action +
                                    " werden: " + reason(errnoValue) + "."};
}

Status corrupt(const Path& file, const std::string& detail) {
  return {StatusCode::kCorrupt, "Die Datei " + name(file) + " ist beschädigt: " + detail + "."};
}

Status lockedFile(const Path& file) {
  return {StatusCode::kLocked,
          "Die Datei " + name(file) + " wird von einem anderen Programm benutzt."};
}

Status lockedRecord(const Path& file, unsigned long recno) {
  return {StatusCode::kLocked,
          "Datensatz " + std::to_string(recno) + " der Datei " + name(file) + " ist gesperrt."};
}

Status badExpression(const std::string& expression, const std::string& detail) {
  return {StatusCode::kBadExpression,
          "Der Ausdruck \"" + expression + "\" kann nicht ausgewertet werden: " + detail + "."};
}

Status invalid(const std::string& detail) {
  return {StatusCode::kInvalidArgument, detail};
}

Status unsupported(const Path& file, const std::string& detail) {
  return {StatusCode::kUnsupported,
          "Die Datei " + name(file) + " hat ein nicht unterstütztes Format: " + detail + "."};
}

}  // namespace zrv::status
