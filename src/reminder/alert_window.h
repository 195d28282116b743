// The alert window: shows a due appointment and offers its actions ("&Gelesen"/"&Löschen",
// "Aut&o", "&Verlegen", "&Ablegen") and the help. An action that returns true closes the window;
// Escape and the close box close it without an action.
#pragma once

#include <string>

#include "ports/alert_port.h"
#include "widgets/box_dialog.h"
#include "widgets/dialog_look.h"
#include "widgets/plain_window_services.h"

class wxButton;
class wxStaticBitmap;
class wxStaticText;
class wxTextCtrl;

namespace zrv {

struct AlertWindowOptions {
  EntryColours colours = defaultEntryColours();
};

class AlertWindow : public BoxDialog {
 public:
  // `actions` and `services` (the help book) must outlive the window. The window is centred on
  // `parent` (on the screen without one) and stays above other windows.
  AlertWindow(wxWindow* parent, const AlertContent& content, AlertActions& actions,
              AlertWindowOptions options = {}, WindowServices& services = plainWindowServices());

  // True once an action has succeeded and closed the window.
  bool actionDone() const { return actionDone_; }

  wxButton* killButton() const { return kill_; }
  wxButton* autoButton() const { return auto_; }
  wxButton* moveButton() const { return move_; }
  wxButton* fileButton() const { return file_; }
  wxButton* helpButton() const { return help_; }
  wxTextCtrl* textBox() const { return text_; }
  wxStaticBitmap* kindBitmap() const { return kindBitmap_; }

 private:
  void buildLabels(const AlertContent& content);
  void buildButtons(const AlertContent& content);
  wxStaticText* addLabel(int row, int column, int width, const wxString& text, bool value);
  wxButton* addButton(int column, const wxString& caption, const wxString& tip);
  void runAction(AlertAction action);

  AlertActions& actions_;
  AlertWindowOptions options_;
  WindowServices& services_;
  wxButton* kill_ = nullptr;
  wxButton* auto_ = nullptr;
  wxButton* move_ = nullptr;
  wxButton* file_ = nullptr;
  wxButton* help_ = nullptr;
  wxTextCtrl* text_ = nullptr;
  wxStaticBitmap* kindBitmap_ = nullptr;
  bool running_ = false;
  bool actionDone_ = false;
  bool raisedOnShow_ = false;
};

}  // namespace zrv
