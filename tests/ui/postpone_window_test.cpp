#include "reminder/postpone_window.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

#include "reminder/alert_port_wx.h"
#include "support/window_services_fake.h"
#include "ui_test_util.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {

Date ymd(int y, int m, int d) {
  return *Date::fromYmd(y, m, d);
}

TEST(CheckedTime, AcceptsTwoDigitPartsWithBlanksAndRefusesTheRest) {
  EXPECT_EQ(checkedTime("14:30"), "14:30");
  EXPECT_EQ(checkedTime(" 9:05"), "09:05");
  EXPECT_EQ(checkedTime("9 :5 "), "09:05");
  EXPECT_EQ(checkedTime("00:00"), "00:00");
  EXPECT_EQ(checkedTime("23:59"), "23:59");
  EXPECT_FALSE(checkedTime("24:00"));
  EXPECT_FALSE(checkedTime("12:60"));
  EXPECT_FALSE(checkedTime("ab:cd"));
  EXPECT_FALSE(checkedTime("  :30"));
  EXPECT_FALSE(checkedTime("12:  "));
  EXPECT_FALSE(checkedTime("1230"));
  EXPECT_FALSE(checkedTime(""));
}

class PostponeWindowTest : public testing::Test {
 protected:
  void TearDown() override {
    if (window_) window_->Destroy();
    test::pump(50);
  }
  PostponeWindow& open() {
    window_ = new PostponeWindow(nullptr, ymd(2025, 3, 17), "09:45", {}, services_);
    window_->Show();
    test::pump(200);
    return *window_;
  }
  static wxString tip(wxWindow* w) {
    return w->GetToolTip() ? w->GetToolTip()->GetTip() : wxString();
  }
  // The messages as the window's texts.
  std::vector<wxString> complaints() const {
    std::vector<wxString> out;
    for (const std::string& m : services_.messages)
      out.push_back(wxString::FromUTF8(m));
    return out;
  }
  PostponeWindow* window_ = nullptr;
  test::FakeWindowServices services_;
};

TEST_F(PostponeWindowTest, StartsWithTheGivenValuesAndSavingOff) {
  PostponeWindow& w = open();
  EXPECT_EQ(w.GetTitle(), "Termin verlegen");
  EXPECT_EQ(w.GetClientSize(), w.FromDIP(wxSize(240, 73)));
  EXPECT_EQ(w.dateField()->GetValue(), "17.03.2025");
  EXPECT_EQ(w.timeField()->GetValue(), "09:45");
  EXPECT_TRUE(w.dateField()->hasButton());
  EXPECT_EQ(w.dateField()->bitmapName(), "KALENDSM");
  EXPECT_FALSE(w.timeField()->hasButton());
  EXPECT_EQ(w.dateField()->text()->GetBackgroundColour(), wxColour(255, 255, 208));
  EXPECT_EQ(w.timeField()->text()->GetBackgroundColour(), wxColour(255, 255, 208));

  EXPECT_EQ(w.saveButton()->GetLabel(), "&Speichern");
  EXPECT_EQ(tip(w.saveButton()), "Verlegung speichern");
  EXPECT_FALSE(w.saveButton()->IsEnabled());
  EXPECT_EQ(w.GetDefaultItem(), w.saveButton());
  EXPECT_EQ(w.cancelButton()->GetLabel(), "&Abbrechen");
  EXPECT_EQ(tip(w.cancelButton()), "Ohne Speichern beenden");
  EXPECT_TRUE(w.cancelButton()->IsEnabled());
  EXPECT_FALSE(w.save()) << "nothing changed yet";
  EXPECT_TRUE(w.IsShown());
}

TEST_F(PostponeWindowTest, TypingATimeEnablesSavingAndReturnsIt) {
  PostponeWindow& w = open();
  test::clickWithMouse(w.timeField()->text());
  w.timeField()->text()->SetInsertionPoint(0);
  wxUIActionSimulator().Text("1615");
  EXPECT_TRUE(test::pumpUntil([&] { return w.timeField()->GetValue() == "16:15"; }))
      << w.timeField()->GetValue();
  EXPECT_TRUE(w.saveButton()->IsEnabled());

  test::clickWithMouse(w.saveButton());
  EXPECT_TRUE(test::pumpUntil([&] { return !w.IsShown(); }));
  ASSERT_TRUE(w.result());
  EXPECT_EQ(w.result()->date, ymd(2025, 3, 17));
  EXPECT_EQ(w.result()->time, "16:15");
  EXPECT_TRUE(complaints().empty());
}

TEST_F(PostponeWindowTest, CalendarButtonPicksTheDate) {
  services_.datePicked = ymd(2025, 4, 1);
  const std::vector<Date>& asked = services_.datesAsked;
  PostponeWindow& w = open();
  w.dateField()->clickButton();
  EXPECT_TRUE(test::pumpUntil([&] { return !asked.empty(); }));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], ymd(2025, 3, 17));
  EXPECT_EQ(services_.dateOwner, &w);
  EXPECT_EQ(w.dateField()->GetValue(), "01.04.2025");
  EXPECT_TRUE(w.saveButton()->IsEnabled());
  EXPECT_TRUE(w.save());
  EXPECT_EQ(w.result()->date, ymd(2025, 4, 1));
  EXPECT_EQ(w.result()->time, "09:45");
}

TEST_F(PostponeWindowTest, CalendarClosedWithoutAChoiceChangesNothing) {
  PostponeWindow& w = open();
  EXPECT_TRUE(w.dateField()->runAction());
  EXPECT_EQ(w.dateField()->GetValue(), "17.03.2025");
  EXPECT_FALSE(w.saveButton()->IsEnabled());
}

TEST_F(PostponeWindowTest, WithoutACalendarTheButtonDoesNothing) {
  PostponeWindow& w = open();
  EXPECT_TRUE(w.dateField()->runAction());
  EXPECT_EQ(w.dateField()->GetValue(), "17.03.2025");
  EXPECT_FALSE(w.saveButton()->IsEnabled());
}

TEST_F(PostponeWindowTest, ATimeWithABlankHourIsWrittenWithTwoDigits) {
  PostponeWindow& w = open();
  w.timeField()->SetValue(" 9:05");
  EXPECT_TRUE(w.save());
  EXPECT_EQ(w.result()->time, "09:05");
}

TEST_F(PostponeWindowTest, WrongEntriesAreReportedAndTheWindowStays) {
  PostponeWindow& w = open();
  w.timeField()->SetValue("25:00");
  EXPECT_FALSE(w.save());
  ASSERT_EQ(complaints().size(), 1u);
  EXPECT_EQ(complaints()[0],
            wxString::FromUTF8("Problem: Bitte eine gültige Uhrzeit eingeben (hh:mm) !"));
  EXPECT_TRUE(w.IsShown());
  EXPECT_FALSE(w.result());

  w.timeField()->SetValue("10:00");
  w.dateField()->SetValue("31.02.2025");
  EXPECT_FALSE(w.save());
  ASSERT_EQ(complaints().size(), 2u);
  EXPECT_EQ(complaints()[1],
            wxString::FromUTF8("Problem: Bitte ein gültiges Datum eingeben (TT.MM.JJJJ) !"));
  w.dateField()->SetValue("  .  .    ");
  EXPECT_FALSE(w.save());
  w.dateField()->SetValue("01.03.25  ");
  EXPECT_FALSE(w.save()) << "a year needs four digits";
  EXPECT_EQ(complaints().size(), 4u);
  EXPECT_TRUE(w.IsShown());

  w.dateField()->SetValue(" 1.03.2026");
  EXPECT_TRUE(w.save());
  EXPECT_EQ(w.result()->date, ymd(2026, 3, 1));
}

TEST_F(PostponeWindowTest, CancelEscapeAndCloseBoxGiveNoResult) {
  PostponeWindow& w = open();
  w.timeField()->SetValue("16:00");
  test::press(w.cancelButton());
  EXPECT_FALSE(w.IsShown());
  EXPECT_FALSE(w.result());
  EXPECT_EQ(w.GetReturnCode(), wxID_CANCEL);

  w.Show();
  test::pump(100);
  test::keyOn(&w, WXK_ESCAPE);
  EXPECT_TRUE(test::pumpUntil([&] { return !w.IsShown(); }));
  EXPECT_FALSE(w.result());

  w.Show();
  test::pump(100);
  w.Close();
  EXPECT_FALSE(w.IsShown());
  EXPECT_FALSE(w.result());
}

TEST(WxAlertPortPostponement, ModalWindowAnswersOrCancels) {
  WxAlertPort port(nullptr);
  {
    test::WhenModal<PostponeWindow> user([](PostponeWindow& w) {
      w.dateField()->SetValue("02.01.2026");
      test::press(w.saveButton());
    });
    const auto answer = port.askPostponement(ymd(2025, 12, 31), "23:55");
    EXPECT_TRUE(user.ran());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->date, ymd(2026, 1, 2));
    EXPECT_EQ(answer->time, "23:55");
  }
  {
    test::WhenModal<PostponeWindow> user([](PostponeWindow& w) {
      w.timeField()->SetValue("08:00");
      test::press(w.cancelButton());
    });
    EXPECT_FALSE(port.askPostponement(ymd(2025, 12, 31), "23:55"));
    EXPECT_TRUE(user.ran());
  }
}

}  // namespace
}  // namespace zrv
