#include "ui/about_box.h"

#include <wx/arrstr.h>
#include <wx/dcbuffer.h>
#include <wx/panel.h>

#include "widgets/bitmaps.h"
#include "widgets/call_after.h"
#include "widgets/dialog_look.h"

namespace zrv {
namespace {

constexpr int kWidth = 320, kHeight = 200;
constexpr int kUnit = 2;  // layout units of the box, in pixels

// Banner and notice lines painted on one panel, which (unlike native labels) also receives the
// clicks that close the box.
class AboutPanel : public wxPanel {
 public:
  AboutPanel(wxWindow* parent, const AboutLines& lines)
      : wxPanel(parent, wxID_ANY, wxPoint(0, 0), wxSize(kWidth, kHeight)), lines_(lines) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) { paint(); });
  }

 private:
  // The text centred in its block, its words wrapped to the block's width.
  void block(wxDC& dc, int row, int height, const std::string& text, const wxFont& font) {
    dc.SetFont(font);
    const wxRect r = wxRect(0, row * kUnit, 160 * kUnit, height * kUnit).Deflate(8, 0);
    dc.DrawLabel(wrapped(dc, wxString::FromUTF8(text), r.width), r, wxALIGN_CENTRE);
  }

  static wxString wrapped(wxDC& dc, const wxString& text, int width) {
    wxString out, line;
    for (const wxString& paragraph : wxSplit(text, '\n', '\0')) {
      line.clear();
      for (const wxString& word : wxSplit(paragraph, ' ', '\0')) {
        const wxString longer = line.empty() ? word : line + ' ' + word;
        if (!line.empty() && dc.GetTextExtent(longer).x > width) {
          out += line + '\n';
          line = word;
        } else {
          line = longer;
        }
      }
      out += line + '\n';
    }
    return out.RemoveLast();
  }

  void paint() {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.DrawBitmap(bitmapByName("About", wxSize(160 * kUnit, 55 * kUnit)), 0, 0, true);
    dc.SetTextForeground(*wxBLACK);
    block(dc, 55, 20, lines_.product, smallFont());
    block(dc, 75, 15, lines_.purpose, smallFont());
    block(dc, 92, 8, lines_.notice, smallBoldFont());
  }

  AboutLines lines_;
};

}  // namespace

AboutLines aboutLines(const std::string& release) {
  return {release + "\nTerminerinnerung mit Alarm und Kalender",
          "Ihre Termine bleiben mit der Windows-Fassung austauschbar.", "Zum Schließen klicken"};
}

AboutBox::AboutBox(wxWindow* parent, const std::string& release, bool splash,
                   std::function<void()> startSound)
    // The splash is a borderless picture without a title, so that nothing takes it for the
    // main window that follows it; from the menus the box carries the product title.
    : wxDialog(parent, wxID_ANY, splash ? wxString() : wxString::FromUTF8(release),
               wxDefaultPosition, wxDefaultSize,
               splash ? wxBORDER_SIMPLE | wxSTAY_ON_TOP : wxCAPTION | wxCLOSE_BOX),
      splash_(splash),
      startSound_(std::move(startSound)),
      timer_(this) {
  SetClientSize(kWidth, kHeight);
  SetBackgroundColour(*wxWHITE);
  bindClick(new AboutPanel(this, aboutLines(release)));
  bindClick(this);
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { close(); });
  Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
    event.Skip();
    if (event.IsShown() && !shownOnce_) {
      shownOnce_ = true;
      onFirstShown();
    }
  });
  if (parent && parent->IsShown()) {
    CentreOnParent();
  } else {
    CentreOnScreen();
  }
}

void AboutBox::bindClick(wxWindow* w) {
  w->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { callAfter(*this, [this] { close(); }); });
}

// The splash starts its timer and plays its sound once, however often it is painted; the timer
// first, so that looking up the sound does not lengthen the splash.
void AboutBox::onFirstShown() {
  if (!splash_) return;
  timer_.StartOnce(kSplashMs);
  if (startSound_) startSound_();
}

void AboutBox::close() {
  timer_.Stop();
  if (IsModal()) {
    EndModal(wxID_OK);
  } else {
    Hide();
  }
}

bool aboutInfo(wxWindow* parent, const std::string& release, bool splash,
               std::function<void()> startSound) {
  AboutBox box(parent, release, splash, std::move(startSound));
  box.ShowModal();
  return true;
}

}  // namespace zrv
