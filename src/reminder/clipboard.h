// Copying an appointment's text to the clipboard and making a new appointment from the
// clipboard's text (PUTCLIPBOARD, GETCLIPBOARD). The clipboard itself comes in as a port.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zrv {

struct ReminderEnv;

class ClipboardPort {
 public:
  virtual ~ClipboardPort() = default;
  // Replaces the clipboard's content by `text` (UTF-8). False when the clipboard is not
  // available.
  virtual bool putText(const std::string& text) = 0;
  // The clipboard's text; nullopt when it holds none (or is not available).
  virtual std::optional<std::string> text() = 0;
};

// The text as it goes to the clipboard: the whole memo, its lines ended the platform's way.
std::string clipboardTextOf(const std::string& memo);

// The text as the confirmation quotes it: at most ten lines, a line longer than the message's
// width counting as the lines it wraps into, and "…" where the text was cut.
std::string quotedForConfirmation(const std::string& text);

// PUTCLIPBOARD: the current appointment's whole text to the clipboard and the confirmation
// ("Kopieren"), which quotes it cut to ten lines. An empty text copies and says nothing. True.
bool putClipboard(ReminderEnv& env, ClipboardPort& clipboard);

// GETCLIPBOARD: an empty clipboard says so ("Einfügen"); otherwise `openEditorWithText` opens
// the editor for a new appointment with exactly the clipboard's text, then the next
// appointment is looked for ("GetClipBoard"). True.
bool getClipboard(ReminderEnv& env, ClipboardPort& clipboard,
                  const std::function<void(const std::string& text)>& openEditorWithText);

}  // namespace zrv
