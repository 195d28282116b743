// A dialog whose controls sit on one framed gradient box (TVBox) that fills the window, placed
// in layout units (row, column, width × height) of the window. Escape and the close box end it
// without a result (a window may ask first); it works modally and, for tests, shown modelessly.
#pragma once

#include <wx/dialog.h>

#include "widgets/tvbox_ctrl.h"

namespace zrv {

class BoxDialog : public wxDialog {
 public:
  // `clientSize` in pixels; the box's top left corner at (boxTopRow, boxLeftColumn) in layout
  // units, its other corner at the window's bottom right. `style` adds e.g. wxSTAY_ON_TOP.
  BoxDialog(wxWindow* parent, const wxString& title, const wxSize& clientSize, int boxTopRow,
            int boxLeftColumn, const TVBoxStyle& boxStyle, long style = 0);

  TVBox* box() const { return box_; }
  // A control's rectangle on the box, from its place in the window's layout units.
  wxRect place(int row, int column, int width, int height) const;
  // Ends the dialog: EndModal when modal, otherwise hides it keeping `code` as return code.
  void finish(int code);
  // What Escape and the close box do: end without a result. A window with unsaved entries asks
  // first.
  virtual void closeRequested() { finish(wxID_CANCEL); }

 protected:
  // Centres the window on its parent, or on the screen without a parent or when it is hidden.
  void centre();

 private:
  void placeBox();

  TVBox* box_ = nullptr;
  wxPoint boxOrigin_;
};

}  // namespace zrv
