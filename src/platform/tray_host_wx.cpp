#include "platform/tray_host.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include <string>

namespace zrv {
namespace {

// The selection that the host of a screen's notification area owns while it runs.
GtkClipboard* traySelection() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display || !gdk_display_supports_selection_notification(display)) return nullptr;
  int screen = 0;
#ifdef GDK_WINDOWING_X11
  if (GDK_IS_X11_DISPLAY(display)) screen = gdk_x11_get_default_screen();
#endif
  const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
  return gtk_clipboard_get_for_display(display, gdk_atom_intern(name.c_str(), FALSE));
}

}  // namespace

TrayHostWatch::TrayHostWatch(std::function<void()> changed) : changed_(std::move(changed)) {
  GtkClipboard* selection = traySelection();
  if (!selection) return;
  selection_ = selection;
  // The toolkit is told of every change of the selection's owner (also when the owner ends).
  handler_ =
      g_signal_connect(selection, "owner-change", G_CALLBACK(&TrayHostWatch::ownerChanged), this);
}

TrayHostWatch::~TrayHostWatch() {
  if (selection_ && handler_) g_signal_handler_disconnect(selection_, handler_);
}

void TrayHostWatch::ownerChanged(void*, void*, void* self) {
  auto* watch = static_cast<TrayHostWatch*>(self);
  if (watch->changed_) watch->changed_();
}

}  // namespace zrv
