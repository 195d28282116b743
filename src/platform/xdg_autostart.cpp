#include "platform/xdg_autostart.h"

#include <cstdlib>
#include <system_error>

#include "store/base/file_io.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

// UTF-8 without control characters: what a desktop entry's value can hold.
bool entryText(const std::string& s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x20 || c == 0x7F) return false;
    std::size_t more = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      more = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      more = 2;
    } else if (c >= 0xF0 && c <= 0xF4) {
      more = 3;
    } else if (c >= 0x80) {
      return false;
    }
    if (s.size() - i - 1 < more) return false;
    for (; more > 0; --more) {
      if ((static_cast<unsigned char>(s[++i]) & 0xC0) != 0x80) return false;
    }
  }
  return true;
}

// A string value: a backslash is written doubled.
std::string stringValue(const std::string& s) {
  std::string out;
  for (const char c : s) {
    if (c == '\\') out += '\\';
    out += c;
  }
  return out;
}

fs::path defaultConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return xdg;
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".config";
}

}  // namespace

std::optional<std::string> execLine(const fs::path& program) {
  const std::string path = program.string();
  if (path.empty() || !entryText(path)) return std::nullopt;
  // Inside the quotes '"', '`', '$' and '\' take a backslash, and the whole value then follows
  // the rule of string values, which doubles every backslash; '%' would start a field code.
  std::string quoted = "\"";
  for (const char c : path) {
    if (c == '"' || c == '`' || c == '$') {
      quoted += "\\\\";
    } else if (c == '\\') {
      quoted += "\\\\\\";
    } else if (c == '%') {
      quoted += '%';
    }
    quoted += c;
  }
  quoted += '"';
  // GLib's launchers look for the program before they replace "%%" by "%", and so would miss a
  // program whose path holds a "%": such a path goes to the shell as an argument, which it runs.
  if (path.find('%') == std::string::npos) return quoted;
  return R"(/bin/sh -c "exec \\"\\$0\\"" )" + quoted;
}

std::optional<std::string> autostartEntry(const fs::path& program) {
  const std::optional<std::string> exec = execLine(program);
  const std::string dir = program.parent_path().string();
  if (!exec || !entryText(dir)) return std::nullopt;
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.0\n"
         "Name=Zorvane\n"
         "GenericName=Appointment reminder\n"
         "GenericName[de]=Terminerinnerung\n"
         "Comment=Reminds you of your appointments\n"
         "Comment[de]=Erinnert Sie an Ihre Termine\n"
         "Exec=" +
         *exec + "\nPath=" + stringValue(dir) +
         "\n"
         "Icon=zorvane\n"
         "Terminal=false\n"
         "Categories=Office;Calendar;\n"
         "Keywords=appointment;reminder;calendar;Termin;Erinnerung;Kalender;\n"
         "StartupNotify=true\n"
         "StartupWMClass=zorvane\n";
}

XdgAutostart::XdgAutostart(fs::path configHome)
    : configHome_(configHome.empty() ? defaultConfigHome() : std::move(configHome)) {}

fs::path XdgAutostart::file() const {
  return configHome_ / "autostart" / kAutostartFile;
}

bool XdgAutostart::write(const fs::path& program) {
  const std::optional<std::string> entry = autostartEntry(program);
  if (!entry) return false;
  std::error_code ec;
  fs::create_directories(file().parent_path(), ec);
  if (ec) return false;
  return replaceFileAtomically(file(), *entry, 0644);
}

bool XdgAutostart::remove() {
  std::error_code ec;
  fs::remove(file(), ec);
  return !ec;
}

}  // namespace zrv
