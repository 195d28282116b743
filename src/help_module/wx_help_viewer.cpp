#include "help_module/wx_help_viewer.h"

#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/image.h>
#include <wx/splitter.h>

#include "widgets/german_locale.h"

namespace zrv {
namespace fs = std::filesystem;

WxHelpViewer::WxHelpViewer(fs::path bookFile, std::function<void(const std::string&)> complain)
    : book_(std::move(bookFile)), complain_(std::move(complain)) {}

WxHelpViewer::~WxHelpViewer() {
  if (controller_) controller_->Quit();
}

// The book is read on the first request, so that a start without help costs nothing.
bool WxHelpViewer::open() {
  if (controller_) return true;
  if (failed_) return false;
  // The pages show PNG screenshots; without the handler each picture would raise a warning.
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  loadToolkitTexts();  // the window's own captions
  auto controller = std::make_unique<wxHtmlHelpController>(
      wxHF_DEFAULT_STYLE | wxHF_FRAME | wxHF_MERGE_BOOKS, nullptr);
  controller->SetTitleFormat(wxS("Zorvane-Hilfe: %s"));
  std::error_code ec;
  if (!fs::exists(book_, ec) || !controller->AddBook(wxString::FromUTF8(book_.string()))) {
    failed_ = true;
    if (complain_) complain_("Die Hilfe ist nicht installiert: " + book_.string());
    return false;
  }
  controller_ = std::move(controller);
  return true;
}

namespace {

// Wide enough for the longest title of the contents ("Infobereich und Zwischenablage").
constexpr int kContentsWidth = 300;

// The contents pane of a help window just made gets the width of its titles.
void widenContents(wxHtmlHelpController& controller) {
  wxHtmlHelpWindow* window = controller.GetHelpWindow();
  wxSplitterWindow* splitter = window ? window->GetSplitterWindow() : nullptr;
  if (splitter && splitter->IsSplit() && splitter->GetSashPosition() < kContentsWidth) {
    splitter->SetSashPosition(kContentsWidth);
  }
}

}  // namespace

void WxHelpViewer::showTopic(const std::string& topic) {
  if (!open()) return;
  if (!controller_->Display(wxString::FromUTF8(topic))) controller_->DisplayContents();
  widenContents(*controller_);
}

void WxHelpViewer::showContents() {
  if (!open()) return;
  controller_->DisplayContents();
  widenContents(*controller_);
}

void WxHelpViewer::showIndex() {
  if (!open()) return;
  controller_->DisplayIndex();
  widenContents(*controller_);
}

wxWindow* WxHelpViewer::window() const {
  return controller_ ? controller_->GetFrame() : nullptr;
}

}  // namespace zrv
