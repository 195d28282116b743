// The page tabs of the general settings: a row of captions with mnemonics ("&Programm"), drawn
// black on the tabs' own colour, the chosen one raised into its page. A click or, with the
// focus, the arrow keys choose a page; the dialog adds Ctrl+PgDn / Ctrl+PgUp and Alt with a
// caption's underlined letter.
#pragma once

#include <functional>
#include <vector>

#include <wx/control.h>

namespace zrv {

class SetupTabs : public wxControl {
 public:
  struct Look {
    wxColour text;
    wxColour tab;
    wxColour strip;  // behind the tabs
  };

  SetupTabs(wxWindow* parent, const wxPoint& pos, const std::vector<wxString>& captions,
            const Look& look);

  int selection() const { return selection_; }
  // Chooses `page` (ignored outside the captions) and tells the listener when it changed.
  void select(int page);
  // Called with the new page after every change.
  void onChange(std::function<void(int)> listener) { listener_ = std::move(listener); }
  // The page whose caption has `letter` as its mnemonic (any case); -1 for none.
  int pageOfMnemonic(wxChar letter) const;
  std::size_t pageCount() const { return captions_.size(); }
  // The caption as shown (without "&").
  wxString caption(int page) const;
  // Where the tab of `page` lies, in the control's pixels.
  wxRect tabRect(int page) const;

  bool AcceptsFocus() const override { return true; }
  bool AcceptsFocusFromKeyboard() const override { return true; }

 protected:
  wxSize DoGetBestSize() const override;

 private:
  void onPaint(wxPaintEvent& event);
  void onClick(wxMouseEvent& event);
  void onKey(wxKeyEvent& event);
  void layoutTabs();

  std::vector<wxString> captions_;
  std::vector<wxRect> tabs_;
  Look look_;
  int selection_ = 0;
  std::function<void(int)> listener_;
};

// The letter after the "&" of a label (lower case); 0 when it has none.
wxChar mnemonicOf(const wxString& label);

}  // namespace zrv
