#include "platform/native_dialogs.h"

#include <gtk/gtk.h>
#include <wx/dialog.h>

namespace zrv {
namespace {

// The native dialog shown last that still waits for its answer.
GtkDialog* openNativeDialog() {
  GtkDialog* found = nullptr;
  GList* all = gtk_window_list_toplevels();
  for (GList* w = all; w; w = w->next) {
    auto* window = GTK_WINDOW(w->data);
    if (GTK_IS_DIALOG(window) && gtk_widget_get_visible(GTK_WIDGET(window)) &&
        gtk_window_get_modal(window)) {
      found = GTK_DIALOG(window);
    }
  }
  g_list_free(all);
  return found;
}

}  // namespace

bool endModalWithoutAction(wxDialog& dialog) {
  if (dialog.IsModal()) {
    dialog.EndModal(wxID_CANCEL);
    return true;
  }
  // A native dialog: its own widget when wx made it, else the toolkit's dialog on screen (the
  // print dialog is made by GTK itself).
  GtkWidget* widget = dialog.GetHandle();
  GtkDialog* native = widget && GTK_IS_DIALOG(widget) ? GTK_DIALOG(widget) : openNativeDialog();
  if (!native) return false;
  gtk_dialog_response(native, GTK_RESPONSE_DELETE_EVENT);
  return true;
}

}  // namespace zrv
