#include "reminder/alert_window.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

#include <vector>

#include "reminder/alert_port_wx.h"
#include "support/window_services_fake.h"
#include "ui_test_util.h"
#include "widgets/bitmaps.h"
#include "widgets/tbmpget_ctrl.h"
#include "widgets/tvbox_ctrl.h"

namespace zrv {
namespace {

class ScriptedActions : public AlertActions {
 public:
  bool run(AlertAction action) override {
    calls.push_back(action);
    return onRun ? onRun(action) : answer;
  }
  std::vector<AlertAction> calls;
  bool answer = true;
  std::function<bool(AlertAction)> onRun;
};

AlertContent content(bool repeating, bool autoEnabled = true) {
  AlertContent c;
  c.mode = 2;
  c.title = "Aktueller Termin in 15 Minuten";
  c.date = "24.12.2025";
  c.time = "14:30";
  c.kindText = "privat";
  c.kindCode = "TA7";
  c.repetitionText = repeating ? "wöchentlich" : "einmal";
  c.text = "Geschenke für Jörg abholen";
  c.repeating = repeating;
  c.autoEnabled = autoEnabled;
  return c;
}

std::vector<wxStaticText*> labels(wxWindow* window) {
  std::vector<wxStaticText*> out;
  for (wxWindow* child : window->GetChildren()) {
    if (auto* label = dynamic_cast<wxStaticText*>(child)) out.push_back(label);
    for (auto* inner : labels(child))
      out.push_back(inner);
  }
  return out;
}

wxStaticText* label(wxWindow* window, const wxString& text) {
  for (auto* l : labels(window)) {
    if (l->GetLabel() == text) return l;
  }
  return nullptr;
}

wxString tip(wxWindow* w) {
  return w->GetToolTip() ? w->GetToolTip()->GetTip() : wxString();
}

class AlertWindowTest : public testing::Test {
 protected:
  void TearDown() override {
    if (window_) window_->Destroy();
    test::pump(50);
  }
  AlertWindow& open(const AlertContent& c, WindowServices& services = plainWindowServices()) {
    window_ = new AlertWindow(nullptr, c, actions_, {}, services);
    window_->Show();
    test::pump(200);
    return *window_;
  }
  ScriptedActions actions_;
  AlertWindow* window_ = nullptr;
};

TEST_F(AlertWindowTest, RepeatingAppointmentOffersGelesen) {
  AlertWindow& w = open(content(true));
  EXPECT_EQ(w.killButton()->GetLabel(), wxS("&Gelesen"));
  EXPECT_EQ(tip(w.killButton()), wxS("Diesen Termin bestätigen"));
  EXPECT_EQ(w.autoButton()->GetLabel(), wxS("Aut&o"));
  EXPECT_EQ(tip(w.autoButton()), wxS("Diesen Termin automatisch wieder vorlegen"));
  EXPECT_EQ(w.moveButton()->GetLabel(), wxS("&Verlegen"));
  EXPECT_EQ(tip(w.moveButton()), wxS("Diesen Termin verlegen"));
  EXPECT_EQ(w.fileButton()->GetLabel(), wxS("&Ablegen"));
  EXPECT_EQ(tip(w.fileButton()), wxS("Diesen Termin ablegen, nicht löschen"));
  EXPECT_EQ(w.helpButton()->GetLabel(), wxS("&Hilfe"));
  EXPECT_EQ(tip(w.helpButton()), wxS("Hilfe anzeigen"));
  for (wxButton* b :
       {w.killButton(), w.autoButton(), w.moveButton(), w.fileButton(), w.helpButton()}) {
    EXPECT_TRUE(b->IsEnabled()) << b->GetLabel();
  }
}

TEST_F(AlertWindowTest, OnceOnlyAppointmentOffersLoeschenWithItsUmlaut) {
  AlertWindow& w = open(content(false));
  const wxString caption = w.killButton()->GetLabel();
  EXPECT_EQ(caption, wxString::FromUTF8("&Löschen"));
  EXPECT_EQ(caption.length(), 8u) << "the umlaut must not get lost";
  EXPECT_EQ(tip(w.killButton()), wxString::FromUTF8("Diesen Termin löschen"));
  // The caption really shows: the button is as wide as its text needs.
  EXPECT_GT(w.killButton()->GetTextExtent(wxS("Löschen")).x, 30);
}

TEST_F(AlertWindowTest, AutoIsDisabledWithoutAutomaticMinutes) {
  AlertWindow& w = open(content(true, false));
  EXPECT_FALSE(w.autoButton()->IsEnabled());
  EXPECT_TRUE(w.killButton()->IsEnabled());
  test::clickWithMouse(w.autoButton());
  EXPECT_TRUE(actions_.calls.empty());
  EXPECT_TRUE(w.IsShown());
}

TEST_F(AlertWindowTest, ShowsTheAppointment) {
  AlertWindow& w = open(content(true));
  EXPECT_EQ(w.GetTitle(), "Aktueller Termin in 15 Minuten");
  for (const char* text : {"Datum", "um", "Uhr", "Terminart", "Wiederholung:"}) {
    wxStaticText* l = label(&w, text);
    ASSERT_NE(l, nullptr) << text;
    EXPECT_NE(l->GetForegroundColour(), *wxWHITE) << text;
  }
  for (const char* text : {"24.12.2025", "14:30", "privat", "wöchentlich"}) {
    wxStaticText* value = label(&w, wxString::FromUTF8(text));
    ASSERT_NE(value, nullptr) << text;
    EXPECT_EQ(value->GetForegroundColour(), *wxWHITE) << text;
    EXPECT_EQ(value->GetFont().GetWeight(), wxFONTWEIGHT_BOLD) << text;
    EXPECT_EQ(value->GetFont().GetPointSize(), 8) << text;  // "8 point"
  }
  wxTextCtrl* text = w.textBox();
  EXPECT_EQ(text->GetValue(), wxString::FromUTF8("Geschenke für Jörg abholen"));
  EXPECT_FALSE(text->IsEditable());
  EXPECT_TRUE(text->IsMultiLine());
  EXPECT_EQ(text->GetFont().GetFaceName(), "Liberation Sans");
  EXPECT_EQ(text->GetFont().GetPixelSize().GetHeight(), 25);  // a height, not points
  EXPECT_EQ(text->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
  EXPECT_EQ(text->GetBackgroundColour(), wxColour(255, 255, 208));
  EXPECT_EQ(text->GetForegroundColour(), wxColour(1, 0, 0));

  const wxBitmap kind = w.kindBitmap()->GetBitmap();
  EXPECT_EQ(kind.GetSize(), wxSize(20, 20));
  const wxImage shown = kind.ConvertToImage(),
                expected = bitmapByName("TA7", wxSize(20, 20)).ConvertToImage();
  EXPECT_EQ(0, memcmp(shown.GetData(), expected.GetData(), 20 * 20 * 3));
}

TEST_F(AlertWindowTest, TitleFallsBackOnTheMode) {
  AlertContent missed = content(false);
  missed.mode = 1;
  missed.title.clear();
  missed.kindCode = "TA99";  // not a known bitmap: shown empty
  AlertWindow& w = open(missed);
  EXPECT_EQ(w.GetTitle(), wxString::FromUTF8("Verpaßter Termin"));
  EXPECT_TRUE(w.kindBitmap()->GetBitmap().IsOk());
}

TEST_F(AlertWindowTest, EverythingFitsIntoTheWindow) {
  AlertContent c = content(true);
  c.kindText = "Besuch auswärts";
  c.repetitionText = "wöchentlich bis 31.12.2026";
  AlertWindow& w = open(c);
  const wxSize client = w.GetClientSize();
  EXPECT_EQ(client, w.FromDIP(wxSize(353, 305)));
  EXPECT_TRUE(w.HasFlag(wxSTAY_ON_TOP));
  const wxRect inside(wxPoint(0, 0), client);
  for (wxWindow* child : w.box()->GetChildren()) {
    wxRect r = child->GetRect();
    r.Offset(w.box()->GetPosition());
    EXPECT_TRUE(inside.Contains(r)) << child->GetLabel() << " lies outside the window";
  }
  for (wxStaticText* l : labels(&w)) {
    EXPECT_LE(l->GetTextExtent(l->GetLabel()).x, l->GetSize().x) << "clipped: " << l->GetLabel();
  }
  for (wxButton* b :
       {w.killButton(), w.autoButton(), w.moveButton(), w.fileButton(), w.helpButton()}) {
    wxString caption = b->GetLabel();
    caption.Replace("&", "");
    EXPECT_LE(b->GetTextExtent(caption).x + 8, b->GetSize().x) << "clipped: " << caption;
  }
}

TEST_F(AlertWindowTest, IsCentredOnItsParent) {
  auto* parent = new wxFrame(nullptr, wxID_ANY, "Haupt", wxPoint(100, 80), wxSize(700, 600));
  parent->Show();
  ScriptedActions actions;
  auto* w = new AlertWindow(parent, content(true), actions);
  w->Show();
  test::pump(200);
  const wxPoint a = parent->GetScreenRect().GetPosition() + parent->GetSize() / 2;
  const wxPoint b = w->GetScreenRect().GetPosition() + w->GetSize() / 2;
  EXPECT_NEAR(a.x, b.x, 2);
  EXPECT_NEAR(a.y, b.y, 2);
  w->Destroy();

  // A main window hidden in the tray: the alert comes up in the middle of the screen.
  parent->Hide();
  w = new AlertWindow(parent, content(true), actions);
  w->Show();
  test::pump(200);
  const wxRect screen = wxGetClientDisplayRect();
  const wxPoint c = w->GetScreenRect().GetPosition() + w->GetSize() / 2;
  EXPECT_NEAR(c.x, screen.GetLeft() + screen.GetWidth() / 2, 2);
  EXPECT_NEAR(c.y, screen.GetTop() + screen.GetHeight() / 2, 2);
  w->Destroy();
  parent->Destroy();
}

TEST_F(AlertWindowTest, ButtonsRunTheirActionsAndCloseOnlyOnSuccess) {
  AlertWindow& w = open(content(true));
  actions_.answer = false;  // e.g. the record is locked by another workstation
  test::press(w.killButton());
  test::press(w.autoButton());
  test::press(w.moveButton());
  test::press(w.fileButton());
  EXPECT_EQ(actions_.calls, (std::vector<AlertAction>{AlertAction::Kill, AlertAction::Auto,
                                                      AlertAction::Move, AlertAction::File}));
  EXPECT_TRUE(w.IsShown());
  EXPECT_FALSE(w.actionDone());

  actions_.answer = true;
  test::clickWithMouse(w.fileButton());  // a real click
  EXPECT_TRUE(test::pumpUntil([&] { return !w.IsShown(); }));
  EXPECT_EQ(actions_.calls.back(), AlertAction::File);
  EXPECT_EQ(actions_.calls.size(), 5u);
  EXPECT_FALSE(w.IsShown());
  EXPECT_TRUE(w.actionDone());
  EXPECT_EQ(w.GetReturnCode(), wxID_OK);
}

TEST_F(AlertWindowTest, HelpOpensTheTopicAndKeepsTheWindow) {
  test::FakeWindowServices services;
  const std::vector<std::string>& topics = services.helpTopics;
  AlertWindow& w = open(content(true), services);
  test::press(w.helpButton());
  EXPECT_EQ(topics, std::vector<std::string>{"Terminalarm"});
  EXPECT_TRUE(actions_.calls.empty());
  EXPECT_TRUE(w.IsShown());
}

TEST_F(AlertWindowTest, HelpWithoutAHelpBookDoesNothing) {
  AlertWindow& w = open(content(true));
  test::press(w.helpButton());
  EXPECT_TRUE(w.IsShown());
}

TEST_F(AlertWindowTest, EscapeClosesWithoutAnAction) {
  AlertWindow& w = open(content(true));
  test::keyOn(&w, WXK_ESCAPE);
  EXPECT_TRUE(test::pumpUntil([&] { return !w.IsShown(); }));
  EXPECT_TRUE(actions_.calls.empty());
  EXPECT_FALSE(w.actionDone());
  EXPECT_EQ(w.GetReturnCode(), wxID_CANCEL);
}

TEST_F(AlertWindowTest, CloseBoxClosesWithoutAnAction) {
  AlertWindow& w = open(content(false));
  w.Close();
  test::pump(50);
  EXPECT_FALSE(w.IsShown());
  EXPECT_TRUE(actions_.calls.empty());
}

// The port, modal as the reminder engine uses it.

TEST(WxAlertPort, ShowAlertReturnsOnceAnActionSucceeds) {
  WxAlertPort port(nullptr);
  ScriptedActions actions;
  actions.onRun = [&](AlertAction) { return actions.calls.size() == 2; };
  test::WhenModal<AlertWindow> user([](AlertWindow& w) {
    test::press(w.killButton());  // fails: stays open
    test::press(w.killButton());  // succeeds
  });
  port.showAlert(content(false), actions);
  EXPECT_TRUE(user.ran());
  EXPECT_EQ(actions.calls.size(), 2u);
}

TEST(WxAlertPort, EscapeEndsTheModalAlert) {
  WxAlertPort port(nullptr);
  ScriptedActions actions;
  test::WhenModal<AlertWindow> user([](AlertWindow& w) { test::keyOn(&w, WXK_ESCAPE); });
  port.showAlert(content(true), actions);
  EXPECT_TRUE(user.ran());
  EXPECT_TRUE(actions.calls.empty());
}

TEST(WxAlertPort, PostponementOpensOverTheAlert) {
  WxAlertPort port(nullptr);
  ScriptedActions actions;
  std::optional<Postponement> answer;
  bool overTheAlert = false;
  actions.onRun = [&](AlertAction action) {
    EXPECT_EQ(action, AlertAction::Move);
    answer = port.askPostponement(*Date::fromYmd(2025, 12, 24), "14:30");
    return answer.has_value();
  };
  test::WhenModal<AlertWindow> pressMove([](AlertWindow& w) { test::press(w.moveButton()); });
  test::WhenModal<PostponeWindow> enterTime([&](PostponeWindow& p) {
    overTheAlert = dynamic_cast<AlertWindow*>(p.GetParent()) != nullptr;
    p.timeField()->SetValue("16:15");
    test::press(p.saveButton());
  });
  port.showAlert(content(true), actions);
  EXPECT_TRUE(enterTime.ran());
  EXPECT_TRUE(overTheAlert);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->date, *Date::fromYmd(2025, 12, 24));
  EXPECT_EQ(answer->time, "16:15");
  EXPECT_EQ(actions.calls.size(), 1u);
}

}  // namespace
}  // namespace zrv
