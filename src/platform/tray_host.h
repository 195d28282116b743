// Watches the desktop's notification area: the program that hosts the tray icons (a panel, a
// tray) may end and come back while the program runs (a panel restart, a session change).
#pragma once

#include <functional>

namespace zrv {

class TrayHostWatch {
 public:
  // `changed` is called on the window thread whenever the host of the screen's notification
  // area ends or a new one takes its place; the caller asks then whether one is there.
  explicit TrayHostWatch(std::function<void()> changed);
  ~TrayHostWatch();
  TrayHostWatch(const TrayHostWatch&) = delete;
  TrayHostWatch& operator=(const TrayHostWatch&) = delete;

 private:
  static void ownerChanged(void* clipboard, void* event, void* self);

  std::function<void()> changed_;
  void* selection_ = nullptr;  // the GtkClipboard of the tray's selection
  unsigned long handler_ = 0;
};

}  // namespace zrv
