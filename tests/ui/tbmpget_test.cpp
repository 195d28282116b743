#include "widgets/tbmpget_ctrl.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include "ui_test_util.h"
#include "widgets/dialog_look.h"

namespace zrv {
namespace {

class TBmpGetTest : public testing::Test {
 protected:
  void SetUp() override {
    frame_ = new wxFrame(nullptr, wxID_ANY, "TBmpGet", wxPoint(40, 40), wxSize(300, 120));
    panel_ = new wxPanel(frame_);  // the frame stretches its only child, the panel
    panel_->SetFont(smallFont());
  }
  void TearDown() override {
    frame_->Destroy();
    test::pump(50);
  }
  TBmpGet* field(const wxString& value, const std::string& bitmap, TBmpGet::Action action,
                 long style = 0) {
    return new TBmpGet(panel_, wxID_ANY, value, wxPoint(10, 10 + 30 * count_++), wxSize(90, 20),
                       bitmap, std::move(action), style);
  }
  void show() {
    frame_->Show();
    test::pump(250);
  }
  // Sends a key press to the text part; true when a handler took it.
  static bool pressKey(TBmpGet* f, int key) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = key;
    event.SetEventObject(f->text());
    return f->text()->GetEventHandler()->ProcessEvent(event);
  }

  wxFrame* frame_ = nullptr;
  wxPanel* panel_ = nullptr;
  int count_ = 0;
  int runs_ = 0;
};

TEST_F(TBmpGetTest, WithoutAnActionThereIsNoBitmapAndF2IsLeftToTheField) {
  TBmpGet* plain = field("01.02.2025", "KALENDSM", {});
  TBmpGet* noName = field("x", "", [this](TBmpGet&) { ++runs_; });
  show();
  EXPECT_FALSE(plain->hasButton());
  EXPECT_FALSE(noName->hasButton());
  EXPECT_FALSE(pressKey(plain, WXK_F2));
  EXPECT_GT(plain->text()->GetSize().x, 80) << "the text part takes the whole field";
  EXPECT_EQ(runs_, 0);
}

TEST_F(TBmpGetTest, BitmapSitsInsideTheRightEdgeAndF2RunsTheAction) {
  TBmpGet* f = field("01.02.2025", "KALENDSM", [this](TBmpGet& got) {
    ++runs_;
    got.SetValue("24.12.2025");
  });
  show();
  ASSERT_TRUE(f->hasButton());
  const wxRect button = f->button()->GetRect();
  const wxRect text = f->text()->GetRect();
  const wxSize client = f->GetClientSize();
  EXPECT_EQ(button.GetSize(), f->FromDIP(wxSize(12, 12)));
  EXPECT_EQ(button.GetLeft(), 1 + (client.x - 2) - button.GetWidth() - 2) << "a small bitmap";
  EXPECT_GE(button.GetTop(), 1);
  EXPECT_LE(button.GetBottom(), client.y - 2);
  EXPECT_LT(text.GetRight(), button.GetLeft()) << "text never runs under the bitmap";
  EXPECT_GE(text.GetWidth(), f->text()->GetTextExtent("28.08.2025").x)
      << "a date fits beside the bitmap";

  EXPECT_TRUE(pressKey(f, WXK_F2));
  EXPECT_EQ(runs_, 1);
  EXPECT_EQ(f->GetValue(), "24.12.2025") << "the action gets the field";
  EXPECT_FALSE(pressKey(f, WXK_F3));
  EXPECT_EQ(runs_, 1);
}

TEST_F(TBmpGetTest, BitmapPlaceFollowsItsSizeAndTheFieldsAlignment) {
  EXPECT_EQ(TBmpGet::bitmapLeft(80, 14, true, false, false), 61);
  EXPECT_EQ(TBmpGet::bitmapLeft(80, 10, false, false, false), 68);
  EXPECT_EQ(TBmpGet::bitmapLeft(80, 10, false, false, true), 65);
  EXPECT_EQ(TBmpGet::bitmapLeft(80, 14, true, true, false), 2);

  TBmpGet* right = field(
      "42", "KALENDSM", [](TBmpGet&) {}, wxTE_RIGHT);
  show();
  EXPECT_EQ(right->button()->GetPosition().x, 1 + 2);
  EXPECT_GT(right->text()->GetPosition().x, right->button()->GetRect().GetRight());
}

TEST_F(TBmpGetTest, AClickOnTheBitmapRunsTheActionOnlyWhenTheFieldCanTakeTheFocus) {
  TBmpGet* enabled = field("a", "KALENDSM", [this](TBmpGet&) { ++runs_; });
  int disabledRuns = 0;
  TBmpGet* disabled = field("b", "KALENDSM", [&](TBmpGet&) { ++disabledRuns; });
  disabled->Enable(false);
  show();

  test::clickWithMouse(enabled->button());
  EXPECT_TRUE(test::pumpUntil([&] { return runs_ == 1; }));
  EXPECT_EQ(wxWindow::FindFocus(), enabled->text());

  test::clickWithMouse(disabled->button());
  disabled->clickButton();
  test::pump(200);
  EXPECT_EQ(disabledRuns, 0);
  EXPECT_EQ(runs_, 1);
}

TEST_F(TBmpGetTest, BitmapCanBeReplacedAndRemoved) {
  TBmpGet* f = field("", "", {});
  show();
  EXPECT_FALSE(f->hasButton());
  f->setBitmap("S_OPEN", [this](TBmpGet&) { ++runs_; });
  EXPECT_TRUE(f->hasButton());
  EXPECT_EQ(f->bitmapName(), "S_OPEN");
  EXPECT_EQ(f->button()->GetSize(), f->FromDIP(wxSize(16, 16)));
  EXPECT_TRUE(f->runAction());
  f->delBitmap();
  EXPECT_FALSE(f->hasButton());
  EXPECT_EQ(f->bitmapName(), "");
  EXPECT_FALSE(pressKey(f, WXK_F2));
  EXPECT_FALSE(f->runAction());
  EXPECT_EQ(runs_, 1);
}

TEST_F(TBmpGetTest, TypingIntoAPatternKeepsItsShape) {
  TBmpGet* time = field("09:45", "", {});
  time->setPattern("99:99");
  int changes = 0;
  time->Bind(wxEVT_TEXT, [&](wxCommandEvent&) { ++changes; });
  show();

  test::clickWithMouse(time->text());
  time->text()->SetInsertionPoint(0);
  wxUIActionSimulator sim;
  sim.Text("1x4:3a0b");
  EXPECT_TRUE(test::pumpUntil([&] { return time->GetValue() == "14:30"; })) << time->GetValue();
  EXPECT_GT(changes, 0);

  time->text()->SetInsertionPoint(1);
  time->text()->WriteText(wxString::FromUTF8("ä"));  // the simulator cannot type umlauts
  EXPECT_EQ(time->GetValue(), "14:30");
  time->text()->SetInsertionPoint(5);
  sim.Char(WXK_BACK);
  EXPECT_TRUE(test::pumpUntil([&] { return time->GetValue() == "14:3 "; })) << time->GetValue();
  sim.Char(WXK_HOME);
  sim.Char(WXK_DELETE);
  EXPECT_TRUE(test::pumpUntil([&] { return time->GetValue() == " 4:3 "; })) << time->GetValue();
}

TEST_F(TBmpGetTest, DigitsTypedAtSpeedStepOverTheFixedCharacters) {
  TBmpGet* date = field("07.12.2026", "", {});
  date->setPattern("99.99.9999");
  show();
  test::clickWithMouse(date->text());
  date->text()->SetInsertionPoint(0);
  wxUIActionSimulator sim;
  for (char c : std::string("08122026"))
    sim.Char(c);  // no pause between the keys
  EXPECT_TRUE(test::pumpUntil([&] { return date->GetValue() == "08.12.2026"; }))
      << date->GetValue();
  EXPECT_EQ(date->text()->GetInsertionPoint(), 10);
}

// Entering the field by a click puts the cursor at its start; select-all and typing replace
// the whole text, a colon typed after the hours leads them with a zero.
TEST_F(TBmpGetTest, AFixedShapeIsFilledFromTheStartAndReplacedWhenSelected) {
  TBmpGet* time = field("17:04", "", {});
  time->setPattern("99:99");
  TBmpGet* other = field("", "", {});
  show();
  other->SetFocus();
  test::pump(100);
  test::clickWithMouse(time->text());
  wxUIActionSimulator sim;
  sim.Text("1710");
  EXPECT_TRUE(test::pumpUntil([&] { return time->GetValue() == "17:10"; })) << time->GetValue();
  sim.Char('a', wxMOD_CONTROL);
  sim.Text("17:08");
  EXPECT_TRUE(test::pumpUntil([&] { return time->GetValue() == "17:08"; })) << time->GetValue();
  sim.Char('a', wxMOD_CONTROL);
  sim.Text("9:30");
  EXPECT_TRUE(test::pumpUntil([&] { return time->GetValue() == "09:30"; })) << time->GetValue();
}

TEST_F(TBmpGetTest, StartValuesFitThePatternAndSendNoTextEvent) {
  TBmpGet* date = field("1.2.2025", "", {});
  int changes = 0;
  date->Bind(wxEVT_TEXT, [&](wxCommandEvent&) { ++changes; });
  date->setPattern("99.99.9999");
  EXPECT_EQ(date->GetValue(), "1 . 2.25  ") << "taken place by place, not parsed";
  date->ChangeValue("17.03.2025");
  EXPECT_EQ(changes, 0);
  date->SetValue("24.12.2025");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(date->GetValue(), "24.12.2025");
  date->SetValue("Mist");
  EXPECT_EQ(date->GetValue(), "  .  .    ");
  date->setPattern("");
  date->SetValue("frei");
  EXPECT_EQ(date->GetValue(), "frei");
}

TEST_F(TBmpGetTest, ColoursGoToTheTextAndTheFrame) {
  TBmpGet* f = field("x", "KALENDSM", [](TBmpGet&) {});
  f->setColours(wxColour(1, 0, 0), wxColour(255, 255, 208));
  EXPECT_EQ(f->text()->GetBackgroundColour(), wxColour(255, 255, 208));
  EXPECT_EQ(f->text()->GetForegroundColour(), wxColour(1, 0, 0));
  EXPECT_EQ(f->GetBackgroundColour(), wxColour(255, 255, 208));
}

}  // namespace
}  // namespace zrv
