#include "ui/wx_clipboard.h"

#include <wx/clipbrd.h>
#include <wx/evtloop.h>

namespace zrv {
namespace {

// When another program takes the clipboard, X tells the previous owner at once, but this
// program takes the news in only when its event loop next runs. wx waits for the clipboard's
// answer by running that loop for clipboard events alone, and takes the news of a lost
// clipboard for the end of its wait: the answer then arrives later, unexpected (wx asserts),
// and the text comes back empty. So the news that has already arrived is taken in first.
void takeInClipboardEvents() {
  wxEventLoopGuarantor loop;
  wxEventLoopBase::GetActive()->YieldFor(wxEVT_CATEGORY_CLIPBOARD);
}

}  // namespace

bool WxClipboard::putText(const std::string& text) {
  takeInClipboardEvents();
  wxClipboardLocker lock;
  if (!lock) return false;
  wxTheClipboard->UsePrimarySelection(false);
  return wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
}

std::optional<std::string> WxClipboard::text() {
  takeInClipboardEvents();
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
