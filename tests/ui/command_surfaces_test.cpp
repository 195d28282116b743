// The main window's menu bar, button bar, drop-down menus and context menu, used like a user
// with keys and clicks: the commands they reach, the pop-up's choice running once after it has
// closed, the week overview giving way, the editor from every surface and from the clipboard,
// and screenshots of the window and its open menus.
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>

#include "app/context.h"
#include "editor/editor_window.h"
#include "reminder/reminder_env.h"
#include "support/outside_clipboard.h"
#include "support/reminder_rig.h"
#include "support/window_services_fake.h"
#include "ui/appointment_grid.h"
#include "ui/button_bar.h"
#include "ui/command_surfaces.h"
#include "ui/main_frame.h"
#include "ui/main_status_bar.h"
#include "ui/tmenu.h"
#include "ui_test_util.h"

namespace zrv {
namespace {

// What the screen shows in `r`, kept as test-artifacts/<name>.png.
void screenshotOf(const wxRect& r, const std::string& name) {
  const auto file = test::artifactDir() / (name + ".png");
  const std::string command = "import -window root -crop " + std::to_string(r.GetWidth()) + "x" +
                              std::to_string(r.GetHeight()) + "+" + std::to_string(r.GetLeft()) +
                              "+" + std::to_string(r.GetTop()) + " +repage '" + file.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

// Presses keys once the event loop runs on: inside a pop-up's own loop, say. With a `shot`
// name the screen around the mouse is kept first, the open menu in it.
void keysLater(std::vector<int> keys, int delayMs = 400, std::string shot = "") {
  auto* timer = new wxTimer;
  timer->Bind(wxEVT_TIMER, [timer, keys, shot](wxTimerEvent&) {
    if (!shot.empty()) {
      const wxPoint m = wxGetMousePosition();
      screenshotOf(wxRect(std::max(0, m.x - 200), std::max(0, m.y - 60), 520, 380), shot);
    }
    wxUIActionSimulator sim;
    for (int key : keys) {
      sim.Char(key);
      wxMilliSleep(60);
    }
    timer->CallAfter([timer] { delete timer; });
  });
  timer->StartOnce(delayMs);
}

// Watches for the modal editor while a command runs: keeps the text its text box shows (a
// screenshot of the first prefilled one), and cancels it.
class EditorCatcher {
 public:
  EditorCatcher() {
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
      for (wxWindow* w : wxTopLevelWindows) {
        auto* editor = dynamic_cast<EditorWindow*>(w);
        if (!editor || !editor->IsShown()) continue;
        texts.push_back(editor->textBox()->GetValue().utf8_string());
        if (!shot_ && !texts.back().empty()) {
          shot_ = true;
          test::screenshot(editor, "editor_from_clipboard");
        }
        editor->cancel();
        return;
      }
    });
    timer_.Start(200);
  }
  std::vector<std::string> texts;

 private:
  wxTimer timer_;
  bool shot_ = false;
};

class CommandSurfacesTest : public ::testing::Test {
 protected:
  test::ReminderRig rig{"10.06.2024", "08:00:00"};
  test::FakeWindowServices services;
  CommandSurfaces surfaces{rig.ctx, services};
  MainFrame* frame = nullptr;
  std::unique_ptr<ReminderEnv> env;

  ~CommandSurfacesTest() override {
    if (frame) frame->Destroy();
    test::pump(50);
    env.reset();
  }

  void open() {
    rig.ctx.run.CN_WEEK = "24";
    frame = new MainFrame(rig.ctx, WindowRect{60, 40, 620, 900}, surfaces);
    surfaces.setFrame(frame);
    env =
        std::make_unique<ReminderEnv>(rig.ctx, *rig.table,
                                      ReminderPorts{rig.timer, *frame, rig.alert, rig.sound,
                                                    rig.launcher, rig.mail, rig.wakeUp, rig.wait});
    frame->attach(env.get());
    frame->Show();
    frame->initialise();
    test::pump(300);
  }

  bool logged(const std::string& line) const {
    const auto lines = rig.logLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  // A command of the menu bar as choosing it sends it.
  void choose(CommandId id) {
    wxCommandEvent event(wxEVT_MENU, static_cast<int>(id));
    frame->GetEventHandler()->ProcessEvent(event);
  }
};

TEST_F(CommandSurfacesTest, TheBarSitsOverTheListInItsColourAndEachMenuOpensWithItsKey) {
  rig.add(test::makeAppointment("10.06.2024", "10:30", "Zahnarzt"));
  rig.add(test::makeAppointment("11.06.2024", "09:00", "Rückruf"));
  open();
  ButtonBar* bar = surfaces.buttonBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->GetSize().y, kBarHeight);
  EXPECT_EQ(frame->grid()->GetParent()->GetPosition().y, kBarHeight);
  const wxImage shot = test::screenImage(bar);
  ASSERT_TRUE(shot.IsOk());
  const int x = shot.GetWidth() - 3;  // right of the last button
  EXPECT_EQ(wxColour(shot.GetRed(x, 5), shot.GetGreen(x, 5), shot.GetBlue(x, 5)),
            wxColour(165, 192, 170));
  test::screenshot(frame, "main_window_with_bar");

  // Alt and the menu's letter open it; Escape closes it again.
  const std::vector<std::pair<int, std::string>> menus{
      {'D', "datei"},   {'T', "termine"},       {'G', "gehe_zu"}, {'A', "anzeige"},
      {'R', "drucken"}, {'E', "einstellungen"}, {'H', "hilfe"}};
  for (const auto& [key, name] : menus) {
    test::keyOn(frame, key, wxMOD_ALT);
    test::pump(300);
    wxRect area = frame->GetScreenRect();
    area.SetHeight(440);
    screenshotOf(area, "menu_" + name);
    // The highlighted first entry's status text is in the message bar.
    if (key == 'D') {
      EXPECT_EQ(frame->messageBar()->GetStatusText(0), wxS("Neue Termindatei anlegen"));
    }
    wxUIActionSimulator().Char(WXK_ESCAPE);
    test::pump(200);
  }
  // The user/file button of a single-user installation opens tables.
  EXPECT_NE(bar->button(CommandId::BarUserOrFile), nullptr);
}

TEST_F(CommandSurfacesTest, APopUpRunsItsChoiceOnceAfterItHasClosed) {
  open();
  TMenu popup(true);
  int runs = 0;
  bool shownWhileRunning = true;
  TMenu::Item off;
  off.id = 7001;
  off.prompt = "&Gesperrt";
  off.enabled = [] { return false; };
  off.action = [&] { ++runs; };
  popup.add(std::move(off));
  TMenu::Item on;
  on.id = 7002;
  on.prompt = "&Erlaubt";
  on.action = [&] {
    ++runs;
    shownWhileRunning = popup.isShown();
  };
  popup.add(std::move(on));
  ASSERT_EQ(TMenu::popups().back(), &popup);

  keysLater({WXK_DOWN, WXK_RETURN});
  popup.activate(40, 40, frame, false);
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(shownWhileRunning);
  EXPECT_FALSE(popup.menu()->IsEnabled(7001));
  // A disabled entry's command does nothing even when it arrives.
  popup.command(7001);
  EXPECT_EQ(runs, 1);
  popup.end();
  EXPECT_TRUE(std::find(TMenu::popups().begin(), TMenu::popups().end(), &popup) ==
              TMenu::popups().end());
}

TEST(TMenuSave, ItemsAndSubMenusComeBackWithoutDefaults) {
  EXPECT_EQ(TMenu(true).save(), std::string("O\x09\x00\x05\x00TMENU\x00\x00", 12));
  TMenu menu(true);
  menu.varName = "oMenu";
  menu.add(TMenu::Item{101, "&Neu", "Neue Termindatei anlegen", "NEW", {}, [] {}, {}, false});
  menu.addSeparator();
  auto sub = std::make_unique<TMenu>();
  sub->add(TMenu::Item{401, "Nur &aktuelle Termine", "", "", {}, {}, {}, false});
  menu.addSubmenu("&Anzeige", std::move(sub));
  const auto back = TMenu::load(menu.save());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->varName, "oMenu");
  ASSERT_EQ(back->items().size(), 3u);
  EXPECT_EQ(back->items()[0].prompt, "&Neu");
  EXPECT_EQ(back->items()[0].message, "Neue Termindatei anlegen");
  EXPECT_EQ(back->items()[0].bitmap, "NEW");
  EXPECT_TRUE(back->items()[1].separator);
  ASSERT_TRUE(back->items()[2].submenu);
  EXPECT_EQ(back->item(401)->prompt, "Nur &aktuelle Termine");
  EXPECT_EQ(back->save(), menu.save());
  EXPECT_FALSE(TMenu::load("O\x01"));
}

TEST_F(CommandSurfacesTest, ViewsFromTheMenuTheBarAndTheContextMenuChangeTheListAndLogTheirTag) {
  rig.add(test::makeAppointment("10.06.2024", "10:30", "heute"));
  rig.add(test::makeAppointment("12.06.2024", "10:30", "später"));
  open();
  ASSERT_EQ(frame->grid()->GetNumberRows(), 2);

  choose(CommandId::ViewToday);
  EXPECT_EQ(rig.ctx.settings.NS_TODAY, 2);
  EXPECT_EQ(frame->grid()->GetNumberRows(), 1);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: MHeuTer"));

  // The views button's arrow: its drop-down under the button, the first entry.
  keysLater({WXK_DOWN, WXK_RETURN}, 400, "dropdown_views");
  wxUIActionSimulator().MouseMove(
      surfaces.buttonBar()->button(CommandId::BarViews)->GetScreenRect().GetBottomLeft());
  surfaces.buttonBar()->press(CommandId::BarViews, true);
  EXPECT_EQ(rig.ctx.settings.NS_TODAY, 1);
  EXPECT_EQ(frame->grid()->GetNumberRows(), 2);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: PopUp1"));

  // A right click on the list: the context menu's last entry.
  rig.timer.start();
  test::pumpUntil([&] { return frame->grid()->IsShownOnScreen(); }, 2000);
  const wxRect cell = frame->grid()->CellToRect(0, 5);
  wxUIActionSimulator sim;
  const wxPoint at =
      frame->grid()->GetGridWindow()->ClientToScreen(cell.GetPosition()) + wxPoint(5, 5);
  sim.MouseMove(at);
  test::pump(100);
  keysLater({WXK_UP, WXK_RETURN}, 600, "context_menu");
  sim.MouseClick(wxMOUSE_BTN_RIGHT);
  EXPECT_TRUE(test::pumpUntil(
      [&] { return logged("(ChkNext) Nächsten Termin suchen - call von: BuildRMenu"); }, 5000));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: RMenNext"));
  EXPECT_TRUE(rig.timer.on);
}

TEST_F(CommandSurfacesTest, TheEditorOpensFromTheMenuTheBarTheContextMenuAndTheClipboard) {
  rig.add(test::makeAppointment("11.06.2024", "09:00", "Zahnarzt"));
  open();
  EditorCatcher catcher;
  choose(CommandId::AppointmentNew);
  surfaces.buttonBar()->press(CommandId::BarNew);
  ASSERT_EQ(catcher.texts, (std::vector<std::string>{"", ""}));

  rig.timer.start();
  test::pumpUntil([&] { return frame->grid()->IsShownOnScreen(); }, 2000);
  const wxRect cell = frame->grid()->CellToRect(0, 5);
  wxUIActionSimulator sim;
  sim.MouseMove(frame->grid()->GetGridWindow()->ClientToScreen(cell.GetPosition()) + wxPoint(5, 5));
  test::pump(100);
  keysLater({'n'}, 600);
  sim.MouseClick(wxMOUSE_BTN_RIGHT);
  EXPECT_TRUE(test::pumpUntil([&] { return catcher.texts.size() == 3; }, 5000));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: RMenNeu"));

  // Another program's text on the clipboard: menu and bar open a new appointment with exactly it.
  const std::string pasted = "Rückruf Frau Öztürk\n  0711 123456";
  test::OutsideClipboard outside(rig.dir.path(), pasted);
  ASSERT_TRUE(outside.owned());
  choose(CommandId::AppointmentFromClipboard);
  surfaces.buttonBar()->press(CommandId::BarFromClipboard);
  EXPECT_EQ(catcher.texts, (std::vector<std::string>{"", "", "", pasted, pasted}));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: GetClipBoard"));
}

TEST_F(CommandSurfacesTest, ACommandFromTheWeekOverviewReturnsToTheListExceptTheListedOnes) {
  open();
  choose(CommandId::ViewWeekOverview);
  ASSERT_EQ(frame->displayMode(), kModeWeek);
  choose(CommandId::HelpSystemInfo);  // stays; says it is not there yet
  EXPECT_EQ(frame->displayMode(), kModeWeek);
  surfaces.buttonBar()->press(CommandId::BarWeekOverview);
  EXPECT_EQ(frame->displayMode(), kModeWeek);
  choose(CommandId::ViewFiled);
  EXPECT_EQ(frame->displayMode(), kModeList);
  EXPECT_EQ(rig.ctx.settings.NS_TODAY, 3);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: MAbgTer"));
}

TEST_F(CommandSurfacesTest, SingleUserModeKeepsTheNetworkEntriesDisabled) {
  open();
  wxMenuEvent opened(wxEVT_MENU_OPEN, 0, frame->GetMenuBar()->GetMenu(0));
  frame->GetEventHandler()->ProcessEvent(opened);
  wxMenuBar* bar = frame->GetMenuBar();
  EXPECT_FALSE(bar->IsEnabled(static_cast<int>(CommandId::FileUser)));
  EXPECT_FALSE(bar->IsEnabled(static_cast<int>(CommandId::FileUninstall)));
  EXPECT_FALSE(bar->IsEnabled(static_cast<int>(CommandId::SettingsNetwork)));
  EXPECT_TRUE(bar->IsEnabled(static_cast<int>(CommandId::FileOpen)));
  // The status text of an entry shows in the message bar while it is highlighted.
  wxMenuEvent lit(wxEVT_MENU_HIGHLIGHT, static_cast<int>(CommandId::FileOpen), bar->GetMenu(0));
  frame->GetEventHandler()->ProcessEvent(lit);
  EXPECT_EQ(frame->messageBar()->GetStatusText(0), wxS("Termindatei öffnen"));
}

TEST_F(CommandSurfacesTest, NetworkModeEnablesItsEntriesAndTheBarOffersTheUserList) {
  rig.ctx.settings.LS_LAN = true;
  open();
  wxMenuEvent opened(wxEVT_MENU_OPEN, 0, frame->GetMenuBar()->GetMenu(0));
  frame->GetEventHandler()->ProcessEvent(opened);
  wxMenuBar* bar = frame->GetMenuBar();
  EXPECT_TRUE(bar->IsEnabled(static_cast<int>(CommandId::FileUser)));
  EXPECT_TRUE(bar->IsEnabled(static_cast<int>(CommandId::FileUninstall)));
  EXPECT_TRUE(bar->IsEnabled(static_cast<int>(CommandId::SettingsNetwork)));
  EXPECT_EQ(surfaces.buttonBar()->button(CommandId::BarUserOrFile)->GetToolTipText(),
            "Benutzer wechseln");
}

}  // namespace
}  // namespace zrv
