#include "widgets/modal_windows.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <algorithm>
#include <vector>

namespace zrv {
namespace {

class ModalWindows : public wxModalDialogHook {
 public:
  int open() const { return static_cast<int>(open_.size()); }
  wxDialog* innermost() const { return open_.empty() ? nullptr : open_.back(); }

 protected:
  int Enter(wxDialog* dialog) override {
    open_.push_back(dialog);
    return wxID_NONE;
  }
  // A window that opened before the counting began was not counted and is not taken off.
  void Exit(wxDialog* dialog) override {
    const auto it = std::find(open_.rbegin(), open_.rend(), dialog);
    if (it != open_.rend()) open_.erase(std::next(it).base());
  }

 private:
  std::vector<wxDialog*> open_;  // in the order they opened
};

ModalWindows& modalWindows() {
  static ModalWindows* windows = [] {
    auto* w = new ModalWindows;  // lives for the run: the hook list keeps a pointer to it
    w->Register();
    return w;
  }();
  return *windows;
}

}  // namespace

int openModalWindows() {
  return modalWindows().open();
}

wxDialog* innermostModalWindow() {
  return modalWindows().innermost();
}

wxWindow* dialogOwner(wxWindow* requested, wxWindow* fallback) {
  if (requested) return requested;
  if (wxDialog* modal = innermostModalWindow(); modal && !modal->IsBeingDeleted()) return modal;
  return fallback;
}

void endDialog(wxDialog& dialog, int code) {
  if (dialog.IsModal()) {
    dialog.EndModal(code);
  } else {
    dialog.SetReturnCode(code);
    dialog.Hide();
  }
}

}  // namespace zrv
