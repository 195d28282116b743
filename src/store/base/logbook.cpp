#include "store/base/logbook.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "store/base/clock.h"
#include "store/base/codepage.h"
#include "store/base/file_io.h"
#include "store/base/file_names.h"

namespace zrv {
namespace {

// Every line of the file ends in CR LF, also the lines inside a text that holds line breaks.
std::string withCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

// The logbook names appointments: only its owner may read it, whatever the umask, also when
// an older program made it readable for others.
UniqueFile startPrivateFile(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  (void)::fchmod(fd, 0600);
  UniqueFile f(::fdopen(fd, "wb"));
  if (!f) ::close(fd);
  return f;
}

}  // namespace

std::filesystem::path logbookFile(const std::filesystem::path& programDir) {
  return findFile(programDir, "Zorvane.Log");
}

Logbook::Logbook(std::filesystem::path file, std::string release, const Clock& clock)
    : file_(std::move(file)), release_(std::move(release)), clock_(clock) {}

bool Logbook::log(std::string_view place, std::string_view text) {
  if (!enabled_) {
    std::error_code ec;
    std::filesystem::remove(file_, ec);
    return true;
  }
  if (text.empty()) startFile();
  appendLine(clock_.timeText() + " (" + std::string(place) + ") " + withCrLf(text) + "\r\n");
  return true;
}

void Logbook::startFile() const {
  UniqueFile f = startPrivateFile(file_);
  if (!f) return;
  const Moment now = clock_.now();
  const std::string header = "Logbuch für " + release_ + " erzeugt am " + now.date.toDisplay() +
                             " um " + formatTimeOfDay(now.secondsOfDay) + "\r\n" +
                             std::string(80, '=') + "\r\n";
  const std::string bytes = utf8ToCp1252(header);
  std::fwrite(bytes.data(), 1, bytes.size(), f.get());
}

void Logbook::appendLine(const std::string& line) const {
  // "r+b" fails when the file is missing: then nothing is written, as when logging was
  // switched on during the run and no new logbook has been started yet.
  UniqueFile f = openFile(file_, "r+b");
  if (!f) return;
  const std::string bytes = utf8ToCp1252(line);
  if (std::fseek(f.get(), 0, SEEK_END) == 0) std::fwrite(bytes.data(), 1, bytes.size(), f.get());
}

}  // namespace zrv
