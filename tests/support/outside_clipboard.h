// Text that another program offers on the desktop's clipboard, as after a copy there: xclip
// holds it for as long as the object lives. xclip stays this process's own child, its output
// goes nowhere, and it is ended and reaped with the object, so that it can neither outlive the
// test nor keep the test runner waiting on its output pipe.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "support/process.h"

namespace zrv::test {

class OutsideClipboard {
 public:
  // Offers `text` (UTF-8, handed over in a file in `dir`) and waits until xclip owns the
  // clipboard. The caller's event loop does not run meanwhile: a window that owned the
  // clipboard learns of its loss only when it next looks, as after a copy in another program.
  OutsideClipboard(const std::filesystem::path& dir, const std::string& text);
  OutsideClipboard(const OutsideClipboard&) = delete;
  OutsideClipboard& operator=(const OutsideClipboard&) = delete;

  // Whether xclip took the clipboard.
  bool owned() const { return owned_; }

 private:
  std::optional<Process> xclip_;
  bool owned_ = false;
};

}  // namespace zrv::test
