// The editor window and the details windows on a real table: start values, the controls that
// follow the kind and the mail settings, refused entries that keep their field, reactivating,
// and the details windows' start values, saves and cancels. Screenshots of every variant go to
// test-artifacts/.
#include "editor/editor_window.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

#include "editor/details_window.h"
#include "reminder/recurrence.h"
#include "reminder/sound_slots.h"
#include "support/reminder_rig.h"
#include "support/window_services_fake.h"
#include "ui_test_util.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {

using test::makeAppointment;
using test::ReminderRig;

wxString tip(wxWindow* w) {
  return w->GetToolTip() ? w->GetToolTip()->GetTip() : wxString();
}

class EditorWindowTest : public testing::Test {
 protected:
  void TearDown() override {
    if (window_) window_->Destroy();
    test::pump(50);
  }
  EditorWindow& open(std::uint32_t recno, bool isNew, bool mailOk = false) {
    session_ = EditorSession::open(*rig_.env, recno, isNew, "");
    window_ = new EditorWindow(nullptr, *session_, rig_.ctx, rig_.sound, mailOk, services_);
    window_->Show();
    test::pump(300);
    return *window_;
  }
  ReminderRig rig_{"10.06.2024", "09:30:00"};
  std::optional<EditorSession> session_;
  EditorWindow* window_ = nullptr;
  test::FakeWindowServices services_;
  std::vector<std::string>& complaints_ = services_.messages;
};

TEST_F(EditorWindowTest, ANewAppointmentShowsItsStartValuesAndEveryKindVariant) {
  EditorWindow& w = open(0, true);
  EXPECT_EQ(w.GetTitle(), "Termin-Verwaltung");
  EXPECT_EQ(w.dateField()->GetValue(), "10.06.2024");
  EXPECT_EQ(w.timeField()->GetValue(), "09:30");
  EXPECT_EQ(w.kindList()->GetStringSelection(), "Keine Zuordnung");
  EXPECT_EQ(w.recurrenceList()->GetStringSelection(), "einmal");
  EXPECT_FALSE(w.detailsButton()->IsEnabled());
  EXPECT_FALSE(w.emailField()->IsEnabled());
  EXPECT_EQ(w.emailLabel()->GetForegroundColour(), wxColour(128, 128, 128));
  EXPECT_FALSE(w.reactivateButton()->IsEnabled());
  EXPECT_TRUE(w.fileButton()->IsEnabled());
  EXPECT_EQ(tip(w.dateField()), wxString::FromUTF8("Datum eingeben / Kalender anzeigen"));
  EXPECT_EQ(tip(w.cancelButton()), "Ohne Speichern beenden");
  EXPECT_EQ(w.dateField()->bitmapName(), "KALENDSM");
  EXPECT_EQ(w.textMode(), TextMode::Plain);
  EXPECT_FALSE(w.programField()->IsShown());
  EXPECT_FALSE(w.fileField()->IsShown());
  test::screenshot(&w, "editor_plain");

  w.recurrenceList()->SetSelection(kDaily - 1);
  wxCommandEvent pick(wxEVT_CHOICE, w.recurrenceList()->GetId());
  w.recurrenceList()->GetEventHandler()->ProcessEvent(pick);
  EXPECT_TRUE(w.detailsButton()->IsEnabled());
  EXPECT_EQ(w.repetitionText()->GetLabel(),
            wxString::FromUTF8("jeden Tag bis Dienstag, 10. Juni 2025"));

  auto chooseKind = [&](int position) {
    w.kindList()->SetSelection(position - 1);
    wxCommandEvent e(wxEVT_CHOICE, w.kindList()->GetId());
    w.kindList()->GetEventHandler()->ProcessEvent(e);
    test::pump(150);
  };
  chooseKind(13);
  EXPECT_EQ(w.textMode(), TextMode::Program);
  EXPECT_TRUE(w.programField()->IsShown());
  EXPECT_TRUE(w.paramsField()->IsShown());
  EXPECT_FALSE(w.fileField()->IsShown());
  EXPECT_EQ(w.textBox()->GetValue(), "Programmstart");
  test::screenshot(&w, "editor_program");
  chooseKind(14);
  EXPECT_EQ(w.textMode(), TextMode::File);
  EXPECT_TRUE(w.fileField()->IsShown());
  EXPECT_FALSE(w.programField()->IsShown());
  test::screenshot(&w, "editor_file");
  // "Geburtstag": the kind's default sound replaces the alarm sound.
  chooseKind(6);
  EXPECT_EQ(w.alarmValue()->GetLabel(), wxString::FromUTF8(qlGetPSound(rig_.ctx, 8, 6)));
  EXPECT_EQ(w.textMode(), TextMode::Plain);
}

TEST_F(EditorWindowTest, MailSetUpEnablesTheRecipient) {
  EditorWindow& w = open(0, true, true);
  EXPECT_TRUE(w.emailField()->IsEnabled());
  EXPECT_EQ(w.emailLabel()->GetForegroundColour(), *wxBLACK);
}

TEST_F(EditorWindowTest, WrongEntriesAreRefusedAndKeepTheirField) {
  EditorWindow& w = open(0, true);
  w.timeField()->ChangeValue("25:99");
  EXPECT_FALSE(w.save(SaveMode::Save));
  EXPECT_EQ(complaints_,
            std::vector<std::string>{"Problem: Bitte eine gültige Uhrzeit eingeben (hh:mm) !"});
  EXPECT_TRUE(w.IsShown());
  w.timeField()->ChangeValue("14:00");
  w.dateField()->ChangeValue("31.02.2026");
  EXPECT_FALSE(w.save(SaveMode::Save));
  w.dateField()->ChangeValue("10.06.2024");
  w.notAfterField()->ChangeValue("1000");
  EXPECT_FALSE(w.save(SaveMode::Save));
  ASSERT_EQ(complaints_.size(), 3u);
  EXPECT_NE(complaints_[2].find("999"), std::string::npos);
  test::pump(100);
  EXPECT_TRUE(w.notAfterField()->text()->HasFocus());
  ASSERT_TRUE(rig_.table->goTop());
  EXPECT_TRUE(rig_.table->eof()) << "nothing may be written";
}

TEST_F(EditorWindowTest, AFiledAppointmentCanBeReactivated) {
  Appointment filed = makeAppointment("12.06.2024", "10:00", "Abgelegt");
  filed.QUIT = true;
  const auto rec = rig_.add(filed);
  EditorWindow& w = open(rec, false);
  EXPECT_TRUE(w.reactivateButton()->IsEnabled());
  EXPECT_FALSE(w.fileButton()->IsEnabled());
  EXPECT_TRUE(w.save(SaveMode::Reactivate));
  EXPECT_FALSE(w.IsShown());
  EXPECT_FALSE(rig_.at(rec).QUIT);
  EXPECT_EQ(rig_.ctx.settings.NS_TODAY, 1);
}

EditorValues valuesFor(const char* date, int kind) {
  EditorValues v;
  v.date = Date::fromDisplay(date);
  v.recurrence = kind;
  resetRepetition(v);
  rebuildRepetitionText(v);
  return v;
}

template <class W>
void keep(W& w, const std::string& name) {
  w.Show();
  test::pump(300);
  test::screenshot(&w, name);
}

TEST(DetailsWindows, StartSaveAndCancel) {
  // Daily on Monday 10.06.2024 with Wednesday and Friday: the date moves to Wednesday.
  EditorValues daily = valuesFor("10.06.2024", kDaily);
  {
    DayDetailsWindow w(nullptr, daily, Date::fromDisplay("07.06.2024"));
    keep(w, "details_daily");
    EXPECT_EQ(w.GetTitle(), wxString::FromUTF8("Details täglicher Termin"));
    for (auto* box : w.weekdayBoxes())
      box->SetValue(false);
    wxCommandEvent e(wxEVT_CHECKBOX);
    w.weekdayBoxes()[0]->GetEventHandler()->ProcessEvent(e);
    EXPECT_FALSE(w.saveButton()->IsEnabled());
    w.weekdayBoxes()[3]->SetValue(true);
    w.weekdayBoxes()[5]->SetValue(true);
    w.weekdayBoxes()[0]->GetEventHandler()->ProcessEvent(e);
    EXPECT_TRUE(w.saveButton()->IsEnabled());
    EXPECT_TRUE(w.save());
    EXPECT_EQ(w.result()->date, Date::fromDisplay("12.06.2024"));
    EXPECT_EQ(w.result()->rep.weekdays, "---X-X-");
  }
  {
    WeekDetailsWindow w(nullptr, valuesFor("10.06.2024", kWeekly));
    keep(w, "details_weekly");
    w.intervalField()->SetValue("0 ");
    EXPECT_FALSE(w.saveButton()->IsEnabled());
    w.intervalField()->SetValue("2 ");
    EXPECT_TRUE(w.save());
    EXPECT_EQ(w.result()->repetitionText.substr(0, 16), "jede 2. Woche bi");
  }
  {
    MonthDetailsWindow w(nullptr, valuesFor("10.04.2025", kMonthly),
                         Date::fromDisplay("01.04.2025"));
    keep(w, "details_monthly");
    EXPECT_EQ(w.dayField()->GetValue(), "10");
    w.dayField()->SetValue("99");
    EXPECT_TRUE(w.save());
    EXPECT_EQ(w.result()->date, Date::fromDisplay("30.04.2025"));
    EXPECT_EQ(w.result()->repetitionText.substr(0, 16), "jeden Ultimo bis");
  }
  {
    const EditorValues yearly = valuesFor("10.06.2024", kYearly);
    YearDetailsWindow w(nullptr, yearly);
    keep(w, "details_yearly");
    EXPECT_EQ(w.endField()->GetValue(), "10.06.2044");
    w.endField()->SetValue("  .  .    ");
    EXPECT_FALSE(w.saveButton()->IsEnabled());
    w.endField()->SetValue("09.06.2024");  // before the date: the series would end at once
    EXPECT_FALSE(w.saveButton()->IsEnabled());
    test::press(w.cancelButton());
    EXPECT_FALSE(w.result());
  }
}

}  // namespace
}  // namespace zrv
