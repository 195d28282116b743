// The desktop's clipboard for the appointment commands: wx's clipboard, text only. On X11 the
// text stays available to other programs while Zorvane runs.
#pragma once

#include "reminder/clipboard.h"

class wxWindow;

namespace zrv {

class WxClipboard : public ClipboardPort {
 public:
  bool putText(const std::string& text) override;
  std::optional<std::string> text() override;
};

}  // namespace zrv
