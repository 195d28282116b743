// A small painted cell of the month calendar: a bitmap with a caption over it (the day buttons
// and the navigation buttons) or a coloured text (the title, headings and week numbers). A cell
// with an action reacts to a click of the left mouse button like a flat button.
#pragma once

#include <functional>
#include <string>

#include <wx/window.h>

namespace zrv {

class CalendarCellCtrl : public wxWindow {
 public:
  using Action = std::function<void()>;

  CalendarCellCtrl(wxWindow* parent, const wxRect& rect, const wxColour& fore,
                   const wxColour& back);

  // A bitmap resource name ("" for none); it fills the cell, keeping its proportions.
  void setBitmap(const std::string& name);
  void setCaption(const wxString& caption);
  // wxALIGN_CENTRE_HORIZONTAL (the default) or wxALIGN_LEFT.
  void setAlignment(int alignment);
  void setAction(Action action);
  // The day the keyboard stands on wears a frame.
  void setMarked(bool marked);
  bool marked() const { return marked_; }

  const std::string& bitmapName() const { return bitmap_; }
  const wxString& caption() const { return caption_; }
  // Runs the action, as a click does.
  void click();

 private:
  void paint();
  wxColour captionColour() const;

  std::string bitmap_;
  wxString caption_;
  int alignment_ = wxALIGN_CENTRE_HORIZONTAL;
  Action action_;
  bool pressed_ = false;
  bool marked_ = false;
};

}  // namespace zrv
