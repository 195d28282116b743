#include "reminder/clipboard.h"

#include "app/context.h"
#include "ports/user_interface.h"
#include "reminder/next_appointment.h"
#include "reminder/reminder_env.h"
#include "store/appointments/appointment_table.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

std::string trimRight(std::string s) {
  const auto end = s.find_last_not_of(" \t\r\n");
  s.erase(end == std::string::npos ? 0 : end + 1);
  return s;
}

// The confirmation's size: a long text would make a message higher than the screen.
constexpr std::size_t kQuotedLines = 10;
constexpr std::size_t kQuotedWidth = 60;  // characters; longer lines wrap

bool startsCharacter(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

}  // namespace

std::string quotedForConfirmation(const std::string& text) {
  std::string out;
  std::size_t rows = 1, column = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool wraps = c != '\n' && startsCharacter(c) && column == kQuotedWidth;
    if (c == '\n' || wraps) {
      if (rows == kQuotedLines) return trimRight(out) + "…";
      ++rows;
      column = 0;
    }
    out += c;
    if (c != '\n' && startsCharacter(c)) ++column;
  }
  return out;
}

// Memos keep CR LF as written on Windows; the desktop's clipboard wants plain line feeds.
std::string clipboardTextOf(const std::string& memo) {
  std::string out;
  out.reserve(memo.size());
  for (std::size_t i = 0; i < memo.size(); ++i) {
    if (memo[i] == '\r' && i + 1 < memo.size() && memo[i + 1] == '\n') continue;
    out += memo[i];
  }
  return out;
}

bool putClipboard(ReminderEnv& env, ClipboardPort& clipboard) {
  if (env.DTER.eof() || env.DTER.isDeleted()) return true;
  Result<Appointment> read = env.DTER.read();
  if (!read) {
    env.ctx.log.log("PutClipBoard", read.status().message());
    return true;
  }
  const std::string text = clipboardTextOf(read->TEXT);
  if (trimRight(text).empty()) return true;
  if (!clipboard.putText(text)) {
    env.ctx.log.log("PutClipBoard", "Zwischenablage nicht verfügbar");
    return true;
  }
  env.ctx.ui.message("Kopieren", "Der Termin: \n\n'" + quotedForConfirmation(trimRight(text)) +
                                     "'\n\nwurde in die Zwischenablage kopiert");
  return true;
}

bool getClipboard(ReminderEnv& env, ClipboardPort& clipboard,
                  const std::function<void(const std::string& text)>& openEditorWithText) {
  const std::optional<std::string> text = clipboard.text();
  if (!text || text->empty()) {
    env.ctx.ui.message("Einfügen", "Die Zwischenablage ist leer");
    return true;
  }
  if (openEditorWithText) openEditorWithText(*text);
  chkNext(env, "GetClipBoard");
  return true;
}

}  // namespace zrv
