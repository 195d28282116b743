// TBmpGet: an entry field with a small bitmap button inside its right edge. A click on the
// bitmap, or F2 in the field, runs the field's action (a date field's button opens the calendar).
// Without an action the field shows no bitmap and is a plain entry field. An optional input
// pattern ("99:99") gives the field a fixed shape.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <wx/cursor.h>
#include <wx/panel.h>

class wxTextCtrl;

namespace zrv {

class InputPattern;

class TBmpGet : public wxPanel {
 public:
  using Action = std::function<void(TBmpGet& field)>;

  // `style` may hold wxTE_RIGHT (text and bitmap swap sides) and wxTE_READONLY. Text events of
  // the field come with this control's id.
  TBmpGet(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos,
          const wxSize& size, const std::string& bitmapName = {}, Action action = {},
          long style = 0);
  ~TBmpGet() override;

  wxString GetValue() const;
  // Sets the text and sends a text event, as typing would.
  void SetValue(const wxString& value);
  // Sets the text without a text event (for start values).
  void ChangeValue(const wxString& value);

  // Gives the field a fixed shape; "" removes it. The current text is fitted to it.
  void setPattern(const std::string& pattern);
  void setColours(const wxColour& text, const wxColour& background);

  // Replaces bitmap and action and rebuilds the button.
  void setBitmap(const std::string& bitmapName, Action action,
                 const wxCursor& cursor = wxCursor(wxCURSOR_HAND));
  // Removes the bitmap and the action.
  void delBitmap();

  const std::string& bitmapName() const { return bitmapName_; }
  bool hasButton() const { return button_ != nullptr; }
  // The bitmap button and the text part, for layout checks and tests.
  wxWindow* button() const { return button_; }
  wxTextCtrl* text() const { return text_; }

  // What a click on the bitmap does: focus the field, let pending events run, then run the
  // action only if the field holds the focus (a disabled field never does).
  void clickButton();
  // Runs the action at once if there is one; false when there is none.
  bool runAction();

  bool Enable(bool enable = true) override;
  void SetFocus() override;
  bool AcceptsFocus() const override { return false; }  // the text part takes it

  // Where the bitmap goes: its left edge in a field `fieldWidth` wide.
  static int bitmapLeft(int fieldWidth, int bitmapWidth, bool large, bool rightAligned,
                        bool resized);

 private:
  void makeButton();
  void layoutParts();
  void onPaint(wxPaintEvent& event);
  void onFocus(wxFocusEvent& event);
  void onKeyDown(wxKeyEvent& event);
  void onChar(wxKeyEvent& event);
  static int typedCharacter(const wxKeyEvent& event);
  void typeCharacter(char c);
  void onText(wxCommandEvent& event);
  void applyEdit(const std::string& text, size_t cursor);

  wxTextCtrl* text_ = nullptr;
  wxWindow* button_ = nullptr;
  std::string bitmapName_;
  Action action_;
  wxCursor cursor_{wxCURSOR_HAND};
  std::unique_ptr<InputPattern> pattern_;
  std::string shaped_;  // the text in the pattern's shape, as the field last held it
  bool rightAligned_ = false;
  int firstWidth_ = -1;  // the width the bitmap was first placed in; later ones are resizes
};

}  // namespace zrv
