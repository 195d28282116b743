// The network settings "Zorvane - Netzwerk-Einstellungen" (SETUPLAN): what happens when another
// user has changed the appointment file (NS_LANACTUAL, radio buttons "NS_LANACTUAL1" to "3",
// enabled only in network mode), "&Speichern", "&Hilfe", "&Abbrechen".
#pragma once

#include <wx/dialog.h>

namespace zrv {

struct Context;
class WindowServices;

inline constexpr int kLanSaveId = 911;
inline constexpr int kLanHelpId = 912;
inline constexpr int kLanCancelId = 913;

class SetupLanDialog : public wxDialog {
 public:
  SetupLanDialog(wxWindow* parent, Context& ctx, WindowServices& services);
  bool saved() const { return saved_; }

 private:
  void finish(bool save);
  bool saved_ = false;
};

// SETUPLAN as a whole: help topic "Netzwerk Einstellungen" while it is open (then
// "Hauptauswahl"), SETUP LANACTUAL written after "&Speichern".
void setupLan(wxWindow* parent, Context& ctx, WindowServices& services);

}  // namespace zrv
