// The window "Termin-Verwaltung": every field of one appointment on a framed gradient box,
// with the kind-specific fields switched by the kind, the recurrence details, the sound
// chooser, and the buttons that save, reactivate, file or cancel through the editor session.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "editor/editor_checks.h"
#include "editor/editor_session.h"
#include "widgets/box_dialog.h"
#include "widgets/dialog_look.h"

class wxButton;
class wxChoice;
class wxStaticBitmap;
class wxStaticText;
class wxTextCtrl;

namespace zrv {

struct Context;
class SoundPlayer;
class TBmpGet;
class WindowServices;

class EditorWindow : public BoxDialog {
 public:
  // `session`, `sound` and `services` must outlive the window. `mailOk`: mail is set up
  // (ZRVSMTPOK). The services give the calendar, the help book, the file chooser and the
  // message boxes.
  EditorWindow(wxWindow* parent, EditorSession& session, Context& ctx, SoundPlayer& sound,
               bool mailOk, WindowServices& services);

  // What the buttons do; false when a field was refused, a time in the past was not confirmed
  // (the window stays open) or the button is disabled. A save that reached the table, or was
  // refused there, closes the window.
  bool save(SaveMode mode);
  void cancel() { finish(wxID_CANCEL); }
  void showDetails();
  // Escape and the close box: entries typed since the window opened (or the text a new
  // appointment came with) are thrown away only when the user says so.
  void closeRequested() override;
  bool hasEntries();

  TextMode textMode() const { return mode_; }
  TBmpGet* dateField() const { return date_; }
  TBmpGet* timeField() const { return time_; }
  TBmpGet* leadField() const { return lead_; }
  wxChoice* kindList() const { return kind_; }
  wxChoice* recurrenceList() const { return recurrence_; }
  wxButton* detailsButton() const { return details_; }
  wxStaticText* repetitionText() const { return repetition_; }
  wxStaticText* emailLabel() const { return emailLabel_; }
  TBmpGet* emailField() const { return email_; }
  wxTextCtrl* textBox() const { return text_; }
  TBmpGet* programField() const { return program_; }
  TBmpGet* paramsField() const { return params_; }
  TBmpGet* fileField() const { return file_; }
  TBmpGet* notAfterField() const { return notAfter_; }
  wxStaticText* alarmValue() const { return alarm_; }
  wxButton* playButton() const { return play_; }
  wxButton* saveButton() const { return buttons_[0]; }
  wxButton* reactivateButton() const { return buttons_[1]; }
  wxButton* fileButton() const { return buttons_[2]; }
  wxButton* helpButton() const { return buttons_[3]; }
  wxButton* cancelButton() const { return buttons_[4]; }

 private:
  void buildTop();
  void buildKindFields();
  void buildBottom();
  void buildButtons();
  wxStaticText* label(int row, int column, int width, const wxString& text);
  TBmpGet* field(int row, int column, int width, int height, const std::string& value,
                 const std::string& pattern = {});
  wxButton* pictureButton(int row, int column, const char* bitmap, const wxString& tip);
  void replaceOnFirstKey(TBmpGet* field);
  void checkOnLeaving(TBmpGet* field, EditorField which);

  void pickDate();
  bool inThePast();
  bool takeDate(bool complainIfWrong);
  void changeKind();
  void changeRecurrence();
  void applyMode();
  void showValues();
  void collect();
  void chooseProgram();
  void chooseFile(TBmpGet* field);
  void chooseSound();
  void complain(const std::string& text, wxWindow* focus);
  std::string chooseFileWith(const std::string& title, const std::filesystem::path& start,
                             const std::string& filter);

  EditorSession& session_;
  Context& ctx_;
  SoundPlayer& sound_;
  WindowServices& services_;
  EntryColours colours_;
  TextMode mode_ = TextMode::Plain;
  bool complaining_ = false;
  bool picking_ = false;  // the calendar is open over the date field
  EditorValues opened_;   // the values as the window showed them first
  wxString openedDate_;   // and the date field's text

  TBmpGet* date_ = nullptr;
  TBmpGet* time_ = nullptr;
  TBmpGet* lead_ = nullptr;
  wxChoice* kind_ = nullptr;
  wxStaticBitmap* kindBitmap_ = nullptr;
  wxChoice* recurrence_ = nullptr;
  wxButton* details_ = nullptr;
  wxStaticText* repetition_ = nullptr;
  wxStaticText* emailLabel_ = nullptr;
  TBmpGet* email_ = nullptr;
  wxTextCtrl* text_ = nullptr;
  wxStaticText* programLabel_ = nullptr;
  TBmpGet* program_ = nullptr;
  wxButton* programButton_ = nullptr;
  wxStaticText* paramsLabel_ = nullptr;
  TBmpGet* params_ = nullptr;
  wxButton* paramsButton_ = nullptr;
  wxStaticText* fileLabel_ = nullptr;
  TBmpGet* file_ = nullptr;
  wxButton* fileChooser_ = nullptr;
  TBmpGet* notAfter_ = nullptr;
  wxStaticText* alarm_ = nullptr;
  wxButton* soundButton_ = nullptr;
  wxButton* play_ = nullptr;
  std::array<wxButton*, 5> buttons_{};
};

}  // namespace zrv
