#include "ui/wx_clipboard.h"

#include <wx/clipbrd.h>
#include <wx/msgdlg.h>

namespace zrv {

bool WxClipboard::putText(const std::string& text) {
  wxClipboardLocker lock;
  if (!lock) return false;
  wxTheClipboard->UsePrimarySelection(false);
  return wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
}

std::optional<std::string> WxClipboard::text() {
  wxClipboardLocker lock;
  if (!lock) return std::nullopt;
  wxTheClipboard->UsePrimarySelection(false);
  if (!wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && !wxTheClipboard->IsSupported(wxDF_TEXT))
    return std::nullopt;
  wxTextDataObject data;
  if (!wxTheClipboard->GetData(data)) return std::nullopt;
  return data.GetText().utf8_string();
}

}  // namespace zrv
