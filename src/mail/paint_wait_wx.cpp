#include "mail/paint_wait_wx.h"

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>

#include <memory>

namespace zrv {

void WxPaintWait::whileWaiting() {
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
    loop->YieldFor(wxEVT_CATEGORY_UI);
    return;
  }
  // Outside any event loop (a test, or before the main loop runs) a loop of its own does it.
  if (!wxTheApp || !wxTheApp->GetTraits()) return;
  std::unique_ptr<wxEventLoopBase> own(wxTheApp->GetTraits()->CreateEventLoop());
  if (own) own->YieldFor(wxEVT_CATEGORY_UI);
}

}  // namespace zrv
