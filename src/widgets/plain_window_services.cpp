#include "widgets/plain_window_services.h"

#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "widgets/german_locale.h"
#include "widgets/modal_windows.h"

namespace zrv {

long severityIcon(Severity severity) {
  switch (severity) {
    case Severity::Question:
      return wxICON_QUESTION;
    case Severity::Problem:
      return wxICON_EXCLAMATION;
    case Severity::Error:
      return wxICON_ERROR;
    case Severity::Information:
      break;
  }
  return wxICON_INFORMATION;
}

// The chooser starts in `startDir`; the current directory stays as it is.
std::string PlainWindowServices::chooseFile(wxWindow* owner, const std::string& title,
                                            const std::filesystem::path& startDir,
                                            const std::string& filter) {
  loadToolkitTexts();
  wxFileDialog dialog(dialogOwner(owner), wxString::FromUTF8(title),
                      wxString::FromUTF8(startDir.string()), "", wxString::FromUTF8(filter),
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return "";
  return dialog.GetPath().utf8_string();
}

void PlainWindowServices::tell(wxWindow* owner, Severity severity, const std::string& title,
                               const std::string& text) {
  wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(title), wxOK | severityIcon(severity),
               dialogOwner(owner));
}

bool PlainWindowServices::ask(wxWindow* owner, const std::string& title, const std::string& text,
                              bool defaultYes) {
  wxMessageDialog dialog(dialogOwner(owner), wxString::FromUTF8(text), wxString::FromUTF8(title),
                         wxYES_NO | wxICON_QUESTION | (defaultYes ? wxYES_DEFAULT : wxNO_DEFAULT));
  return dialog.ShowModal() == wxID_YES;
}

WindowServices& plainWindowServices() {
  static PlainWindowServices plain;
  return plain;
}

}  // namespace zrv
