#include "support/outside_clipboard.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <memory>

namespace zrv::test {
namespace {

Window clipboardOwner(Display* display) {
  return XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False));
}

}  // namespace

OutsideClipboard::OutsideClipboard(const std::filesystem::path& dir, const std::string& text) {
  const std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  if (!display) return;
  const Window before = clipboardOwner(display.get());
  const std::filesystem::path file = dir / "outside-clipboard.txt";
  std::ofstream(file, std::ios::binary) << text;
  // -quiet keeps xclip in the foreground; by default it would leave a copy of itself behind
  // that is nobody's child.
  const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  xclip_.emplace(
      std::vector<std::string>{"xclip", "-i", "-quiet", "-selection", "clipboard", file.string()},
      EnvChanges{}, devNull);
  if (devNull >= 0) ::close(devNull);
  const auto taken = [&] {
    const Window now = clipboardOwner(display.get());
    return now != None && now != before;
  };
  owned_ = xclip_->started() && waitUntil(taken, std::chrono::seconds(10));
}

}  // namespace zrv::test
