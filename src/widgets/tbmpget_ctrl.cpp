#include "widgets/tbmpget_ctrl.h"

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include "widgets/bitmaps.h"
#include "widgets/call_after.h"
#include "widgets/input_pattern.h"

namespace zrv {
namespace {

constexpr int kLargeBitmapWidth = 13;  // from this width on a bitmap counts as large
constexpr int kFrame = 1;              // the field's own frame, in pixels

// The bitmap inside the field: paints itself and reports clicks.
class BitmapSpot : public wxWindow {
 public:
  BitmapSpot(wxWindow* parent, const wxBitmap& bitmap, std::function<void()> onClick)
      : wxWindow(parent, wxID_ANY, wxDefaultPosition, bitmap.GetSize(), wxBORDER_NONE),
        bitmap_(bitmap),
        onClick_(std::move(onClick)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
      wxPaintDC dc(this);
      dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
      dc.Clear();
      dc.DrawBitmap(bitmap_, 0, 0, true);
    });
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { onClick_(); });
  }
  bool AcceptsFocus() const override { return false; }

 private:
  wxBitmap bitmap_;
  std::function<void()> onClick_;
};

// The text part. The field draws its own frame, so the theme's entry frame and most of its
// padding go: a date must fit into a field of forty layout units beside the bitmap.
class FieldText : public wxTextCtrl {
 public:
  FieldText(wxWindow* parent, wxWindowID id, const wxString& value, long style)
      : wxTextCtrl(parent, id, value, wxDefaultPosition, wxDefaultSize, style) {
#ifdef __WXGTK3__
    GTKApplyCssStyle(
        "entry { padding: 0 1px; min-height: 0; border: none; box-shadow: none; "
        "border-radius: 0; }");
#endif
  }
};

}  // namespace

TBmpGet::TBmpGet(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos,
                 const wxSize& size, const std::string& bitmapName, Action action, long style)
    : wxPanel(parent, id, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      bitmapName_(bitmapName),
      action_(std::move(action)),
      rightAligned_((style & wxTE_RIGHT) != 0) {
  text_ = new FieldText(this, id, value, wxBORDER_NONE | (style & (wxTE_RIGHT | wxTE_READONLY)));
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &TBmpGet::onPaint, this);
  Bind(wxEVT_SIZE, [this](wxSizeEvent&) { layoutParts(); });
  text_->Bind(wxEVT_KEY_DOWN, &TBmpGet::onKeyDown, this);
  text_->Bind(wxEVT_CHAR, &TBmpGet::onChar, this);
  text_->Bind(wxEVT_TEXT, &TBmpGet::onText, this);
  text_->Bind(wxEVT_SET_FOCUS, &TBmpGet::onFocus, this);
  text_->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
    Refresh();
    e.Skip();
  });
  makeButton();
  layoutParts();
}

TBmpGet::~TBmpGet() = default;

wxString TBmpGet::GetValue() const {
  return text_->GetValue();
}

void TBmpGet::SetValue(const wxString& value) {
  if (!pattern_) return text_->SetValue(value);
  shaped_ = pattern_->fit(value.utf8_string());
  text_->SetValue(wxString::FromUTF8(shaped_));
}

void TBmpGet::ChangeValue(const wxString& value) {
  if (!pattern_) return text_->ChangeValue(value);
  shaped_ = pattern_->fit(value.utf8_string());
  text_->ChangeValue(wxString::FromUTF8(shaped_));
}

void TBmpGet::setPattern(const std::string& pattern) {
  if (pattern.empty()) {
    pattern_.reset();
    return;
  }
  pattern_ = std::make_unique<InputPattern>(pattern);
  ChangeValue(text_->GetValue());
}

void TBmpGet::setColours(const wxColour& text, const wxColour& background) {
  SetBackgroundColour(background);
  text_->SetForegroundColour(text);
  text_->SetBackgroundColour(background);
  if (button_) button_->Refresh();
  Refresh();
}

void TBmpGet::setBitmap(const std::string& bitmapName, Action action, const wxCursor& cursor) {
  bitmapName_ = bitmapName;
  action_ = std::move(action);
  cursor_ = cursor;
  firstWidth_ = -1;
  makeButton();
  layoutParts();
  Refresh();
}

void TBmpGet::delBitmap() {
  bitmapName_.clear();
  action_ = nullptr;
  cursor_ = wxNullCursor;
  makeButton();
  layoutParts();
  Refresh();
}

void TBmpGet::makeButton() {
  if (button_) {
    button_->Destroy();
    button_ = nullptr;
  }
  if (!action_ || bitmapName_.empty()) return;
  const wxSize size = FromDIP(naturalBitmapSize(bitmapName_));
  button_ = new BitmapSpot(this, bitmapByName(bitmapName_, size), [this] { clickButton(); });
  if (cursor_.IsOk()) button_->SetCursor(cursor_);
}

int TBmpGet::bitmapLeft(int fieldWidth, int bitmapWidth, bool large, bool rightAligned,
                        bool resized) {
  if (rightAligned) return 2;
  if (resized) return fieldWidth - bitmapWidth - 5;
  return fieldWidth - bitmapWidth - (large ? 5 : 2);
}

void TBmpGet::layoutParts() {
  const wxSize client = GetClientSize();
  const int frame = FromDIP(kFrame);
  const wxRect inner(frame, frame, client.x - 2 * frame, client.y - 2 * frame);
  int textLeft = inner.x + FromDIP(2);
  int textRight = inner.GetRight();
  if (button_) {
    const wxSize natural = naturalBitmapSize(bitmapName_);
    const bool large = natural.x >= kLargeBitmapWidth;
    const wxSize size = button_->GetSize();
    if (firstWidth_ < 0) firstWidth_ = inner.width;
    const bool resized = inner.width != firstWidth_;
    const int left =
        inner.x + FromDIP(bitmapLeft(ToDIP(inner.width), natural.x, large, rightAligned_, resized));
    const int top = inner.y + std::max(0, (inner.height - size.y) / 2);
    button_->SetPosition(wxPoint(left, top));
    if (rightAligned_) {
      textLeft = left + size.x + FromDIP(2);
    } else {
      textRight = left - FromDIP(1);
    }
  }
  const int height = std::min(text_->GetBestSize().y, inner.height);
  text_->SetSize(textLeft, inner.y + (inner.height - height) / 2,
                 std::max(0, textRight - textLeft + 1), height);
}

void TBmpGet::onPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  const bool focused = wxWindow::FindFocus() == text_;
  const wxColour frame = focused ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)
                                 : wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW);
  dc.SetPen(wxPen(frame, FromDIP(kFrame)));
  dc.SetBrush(wxBrush(IsEnabled() ? GetBackgroundColour()
                                  : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.DrawRectangle(wxPoint(0, 0), GetClientSize());
}

bool TBmpGet::Enable(bool enable) {
  const bool changed = wxPanel::Enable(enable);
  Refresh();
  return changed;
}

void TBmpGet::SetFocus() {
  text_->SetFocus();
}

void TBmpGet::clickButton() {
  if (!action_ || !text_->IsEnabled() || !text_->IsShownOnScreen()) return;
  text_->SetFocus();
  callAfter(*this, [this] {
    if (wxWindow::FindFocus() == text_ && text_->IsEnabled()) runAction();
  });
}

bool TBmpGet::runAction() {
  if (!action_) return false;
  Action action = action_;  // the action may replace the bitmap and with it action_
  action(*this);
  return true;
}

void TBmpGet::onFocus(wxFocusEvent& event) {
  Refresh();
  if (pattern_) {
    // A fixed-shape field is overwritten place by place from its start, whether it was entered
    // with Tab (which selects the whole text) or with a click (which may leave the cursor behind
    // the last place, where nothing can be typed). A click into the field holding the focus
    // already puts the cursor where it points, for a correction.
    callAfter(*this, [this] {
      long from = 0, to = 0;
      text_->GetSelection(&from, &to);
      if (from == to || (from == 0 && to == text_->GetLastPosition())) {
        text_->SetInsertionPoint(0);
      }
    });
  }
  event.Skip();
}

void TBmpGet::onKeyDown(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (key == WXK_F2 && action_ && !event.HasAnyModifiers()) {
    runAction();
    return;
  }
  if (!pattern_ || !text_->IsEditable()) {
    event.Skip();
    return;
  }
  if (key == WXK_BACK || key == WXK_DELETE) {
    long from = 0, to = 0;
    text_->GetSelection(&from, &to);
    const std::string& value = shaped_;
    InputPattern::Edit edit;
    if (from != to) {
      edit = pattern_->erase(value, from, to);
    } else if (key == WXK_BACK) {
      edit = pattern_->backspace(value, from);
    } else {
      const size_t slot = pattern_->slotAtOrAfter(from);
      edit = pattern_->erase(value, slot, slot + 1);
      edit.cursor = from;
    }
    applyEdit(edit.text, edit.cursor);
    return;
  }
  // A character is placed here, before the toolkit and its input method see the key: they would
  // delete a selection first and insert where their own cursor stands.
  const int c = typedCharacter(event);
  if (c == 0 || (event.GetModifiers() & ~wxMOD_SHIFT) != 0) {
    event.Skip();
    return;
  }
  typeCharacter(static_cast<char>(c));
}

// What a key down typed, as far as a fixed-shape field cares: a printable ASCII character from
// the main keys or a digit or point from the keypad; 0 for anything else. The key's own code is
// the unshifted one (';' for ':'), so the character comes from the toolkit's symbol of the key.
int TBmpGet::typedCharacter(const wxKeyEvent& event) {
  const unsigned symbol = event.GetRawKeyCode();
  if (symbol >= ' ' && symbol <= '~') return static_cast<int>(symbol);
  const int key = event.GetKeyCode();
  if (key >= WXK_NUMPAD0 && key <= WXK_NUMPAD9) return '0' + (key - WXK_NUMPAD0);
  if (key == WXK_NUMPAD_DECIMAL) return '.';
  return 0;
}

void TBmpGet::typeCharacter(char c) {
  long from = 0, to = 0;
  text_->GetSelection(&from, &to);
  std::string value = shaped_;
  size_t cursor = static_cast<size_t>(from);
  if (from != to) {
    const InputPattern::Edit erased = pattern_->erase(value, from, to);
    value = erased.text;
    cursor = erased.cursor;
  }
  const auto typed = pattern_->type(value, cursor, c);
  if (!typed) {
    wxBell();
    return;
  }
  applyEdit(typed->text, typed->cursor);
}

// A character that reached the field without a key down of its own (an input method's text):
// placed like a typed one, unless the toolkit changed the text already (the text event puts it
// into shape then).
void TBmpGet::onChar(wxKeyEvent& event) {
  const int key = event.GetUnicodeKey();
  if (!pattern_ || !text_->IsEditable() || key < ' ' || key > '~' || event.HasAnyModifiers() ||
      text_->GetValue().utf8_string() != shaped_) {
    event.Skip();
    return;
  }
  typeCharacter(static_cast<char>(key));
}

void TBmpGet::onText(wxCommandEvent& event) {
  const std::string now = text_->GetValue().utf8_string();
  if (!pattern_ || now == shaped_) {
    event.Skip();  // our own change, or a field without a pattern
    return;
  }
  // The toolkit changed the text by itself (typing, paste, drop): bring it back into shape.
  const auto absorbed = pattern_->absorb(shaped_, now, text_->GetInsertionPoint());
  const bool changed = absorbed.edit.text != shaped_;
  shaped_ = absorbed.edit.text;
  text_->ChangeValue(wxString::FromUTF8(shaped_));
  text_->SetInsertionPoint(static_cast<long>(absorbed.edit.cursor));
  if (absorbed.refused) wxBell();
  if (changed) event.Skip();  // a refused character is no change
}

void TBmpGet::applyEdit(const std::string& text, size_t cursor) {
  const bool changed = text != shaped_;
  shaped_ = text;
  if (text_->GetValue().utf8_string() != shaped_) {
    text_->ChangeValue(wxString::FromUTF8(shaped_));
  }
  if (changed) {
    wxCommandEvent event(wxEVT_TEXT, text_->GetId());
    event.SetEventObject(text_);
    event.SetString(text_->GetValue());
    text_->GetEventHandler()->ProcessEvent(event);
  }
  text_->SetInsertionPoint(static_cast<long>(cursor));
}

}  // namespace zrv
