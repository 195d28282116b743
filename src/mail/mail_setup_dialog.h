// The window "EMail-Einstellungen": asks for the sender's name and address before an error
// report goes out without one. Its rules (what counts as plausible, saving) are mailSetup's.
#pragma once

#include <wx/dialog.h>

#include "mail/mail_env.h"
#include "widgets/dialog_look.h"

class wxTextCtrl;
class wxWindow;

namespace zrv {

class TBmpGet;

class MailSetupDialog : public wxDialog {
 public:
  MailSetupDialog(wxWindow* parent, const std::string& header, const SenderEntry& entry,
                  const EntryColours& colours);
  SenderEntry entry() const;
  wxTextCtrl* nameField() const;
  wxTextCtrl* addressField() const;
  // The entry fields as the dialog places them (the program's field, ten layout units high).
  TBmpGet* nameBox() const { return name_; }
  TBmpGet* addressBox() const { return address_; }

 private:
  TBmpGet* name_ = nullptr;
  TBmpGet* address_ = nullptr;
};

// The program's sender dialog: a modal MailSetupDialog over `parent`.
class WxSenderDialog : public SenderDialog {
 public:
  WxSenderDialog(wxWindow* parent, EntryColours colours) : parent_(parent), colours_(colours) {}
  std::optional<SenderEntry> ask(const std::string& header, const SenderEntry& entry) override;

 private:
  wxWindow* parent_;
  EntryColours colours_;
};

}  // namespace zrv
