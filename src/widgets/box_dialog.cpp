#include "widgets/box_dialog.h"

#include "widgets/dialog_look.h"
#include "widgets/modal_windows.h"

namespace zrv {

BoxDialog::BoxDialog(wxWindow* parent, const wxString& title, const wxSize& clientSize,
                     int boxTopRow, int boxLeftColumn, const TVBoxStyle& boxStyle, long style)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU | style) {
  SetFont(smallFont());
  SetClientSize(pixelSize(this, clientSize.x, clientSize.y));
  boxOrigin_ = wxPoint(unitsToPx(this, boxLeftColumn), unitsToPx(this, boxTopRow));
  box_ = new TVBox(this, wxRect(boxOrigin_, wxSize(1, 1)), boxStyle);
  placeBox();
  // Keeps the box where it belongs (a dialog would stretch its only child over the client).
  Bind(wxEVT_SIZE, [this](wxSizeEvent&) { placeBox(); });

  SetEscapeId(wxID_NONE);  // Escape is handled here, like the close box
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
    if (e.GetKeyCode() == WXK_ESCAPE && !e.HasAnyModifiers()) {
      closeRequested();
    } else {
      e.Skip();
    }
  });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
    if (e.CanVeto()) {
      closeRequested();
    } else {
      finish(wxID_CANCEL);
    }
  });
}

void BoxDialog::placeBox() {
  const wxSize client = GetClientSize();
  box_->SetSize(boxOrigin_.x, boxOrigin_.y, client.x - boxOrigin_.x, client.y - boxOrigin_.y);
}

wxRect BoxDialog::place(int row, int column, int width, int height) const {
  wxRect r = unitRect(this, row, column, width, height);
  r.Offset(-boxOrigin_);
  return r;
}

void BoxDialog::finish(int code) {
  endDialog(*this, code);
}

void BoxDialog::centre() {
  // A main window hidden in the tray is no place to centre on.
  if (GetParent() && GetParent()->IsShownOnScreen()) {
    CentreOnParent();
  } else {
    CentreOnScreen();
  }
}

}  // namespace zrv
