// The recurrence details windows "Details täglicher/wöchentlicher/monatlicher/jährlicher
// Termin": each works on a copy of the editor's values and hands it back only on
// "&Speichern"; "&Abbrechen", Escape and the close box change nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor_values.h"
#include "widgets/box_dialog.h"
#include "widgets/dialog_look.h"
#include "widgets/plain_window_services.h"

class wxButton;
class wxCheckBox;

namespace zrv {

class TBmpGet;

struct DetailsOptions {
  EntryColours colours = defaultEntryColours();
};

class DetailsWindow : public BoxDialog {
 public:
  // The values after "&Speichern"; nullopt until then.
  const std::optional<EditorValues>& result() const { return result_; }
  wxButton* saveButton() const { return save_; }
  wxButton* cancelButton() const { return cancel_; }
  // What "&Speichern" does: false while the button is disabled or a date is not a real one.
  bool save();

 protected:
  // `size` in pixels. `services` (the calendar of the date fields, the help book, the message
  // boxes) must outlive the window.
  DetailsWindow(wxWindow* parent, const wxString& title, const wxSize& size,
                const EditorValues& values, DetailsOptions options, WindowServices& services);

  void label(int row, int column, int width, const wxString& text);
  TBmpGet* dateField(int row, int column, const Date& value);
  TBmpGet* numberField(int row, int column, int value, const std::string& pattern);
  wxCheckBox* checkBox(int row, int column, const wxString& text, bool ticked);
  void buttons(int row, int saveColumn, int cancelColumn);
  // Moves each column of controls right as far as the widest control of the column before
  // needs (captions in the system's font may be wider than planned), then widens the window.
  void spreadColumns(const std::vector<std::vector<wxWindow*>>& columns);
  // Widens the window when a control reaches past its right edge.
  void fitWidth();
  // The typed date, or nullopt after telling the user (the field keeps the focus).
  std::optional<Date> dateOf(TBmpGet* field);
  static int numberOf(const TBmpGet* field);
  // Whether the end date typed into `field` lies before the appointment's date: a series saved
  // so would end at its next alert.
  bool endBeforeDate(const TBmpGet* field) const;
  // Enables "&Speichern" as the current entries allow.
  virtual void updateSave() = 0;
  // Stores the entries into the copy of the values; false when an entry was refused.
  virtual bool store(EditorValues& values) = 0;

  EditorValues values_;
  DetailsOptions options_;
  WindowServices& services_;
  wxButton* save_ = nullptr;
  wxButton* cancel_ = nullptr;

 private:
  std::optional<EditorValues> result_;
};

class DayDetailsWindow : public DetailsWindow {
 public:
  DayDetailsWindow(wxWindow* parent, const EditorValues& values, const Date& today,
                   DetailsOptions options = {}, WindowServices& services = plainWindowServices());
  TBmpGet* endField() const { return end_; }
  // Sunday first, like the weekday mask.
  const std::vector<wxCheckBox*>& weekdayBoxes() const { return days_; }

 private:
  void updateSave() override;
  bool store(EditorValues& values) override;
  Date today_;
  TBmpGet* end_ = nullptr;
  std::vector<wxCheckBox*> days_;
};

class WeekDetailsWindow : public DetailsWindow {
 public:
  WeekDetailsWindow(wxWindow* parent, const EditorValues& values, DetailsOptions options = {},
                    WindowServices& services = plainWindowServices());
  TBmpGet* intervalField() const { return interval_; }
  TBmpGet* endField() const { return end_; }

 private:
  void updateSave() override;
  bool store(EditorValues& values) override;
  TBmpGet* interval_ = nullptr;
  TBmpGet* end_ = nullptr;
};

class MonthDetailsWindow : public DetailsWindow {
 public:
  MonthDetailsWindow(wxWindow* parent, const EditorValues& values, const Date& today,
                     DetailsOptions options = {}, WindowServices& services = plainWindowServices());
  TBmpGet* dayField() const { return day_; }
  TBmpGet* endField() const { return end_; }
  const std::vector<wxCheckBox*>& monthBoxes() const { return months_; }

 private:
  void updateSave() override;
  bool store(EditorValues& values) override;
  void fitEndToDay();
  Date today_;
  TBmpGet* day_ = nullptr;
  TBmpGet* end_ = nullptr;
  std::vector<wxCheckBox*> months_;
};

class YearDetailsWindow : public DetailsWindow {
 public:
  YearDetailsWindow(wxWindow* parent, const EditorValues& values, DetailsOptions options = {},
                    WindowServices& services = plainWindowServices());
  TBmpGet* endField() const { return end_; }

 private:
  void updateSave() override;
  bool store(EditorValues& values) override;
  TBmpGet* end_ = nullptr;
};

// DETAILS: the details window of the editor's recurrence kind, modal. For "einmal" the user is
// told "Keine Wiedervorlage"; "stündlich" has none. True when the user saved (`values` then
// holds the result).
bool details(wxWindow* parent, EditorValues& values, const Date& today,
             const DetailsOptions& options, WindowServices& services);

}  // namespace zrv
