// The tray icon under a real notification area (Debian's trayer on the test display): it
// appears, a left click hides and shows the main window, the tray menu follows the window, a
// hidden start shows the window at the first click; without a notification area hiding leaves
// the window reachable.
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <regex>

#include "app/context.h"
#include "reminder/reminder_env.h"
#include "support/process.h"
#include "support/reminder_rig.h"
#include "ui/appointment_grid.h"
#include "ui/main_frame.h"
#include "ui/resident_tray.h"
#include "ui/tray_icon.h"
#include "ui_test_util.h"

namespace zrv {
namespace {

// trayer's panel on the screen; it grows from 2 pixels wide once an icon is embedded.
std::optional<wxRect> trayPanel() {
  const auto tree = test::run({"xwininfo", "-root", "-tree"}).output;
  const std::regex panel(
      R"re("panel": \("panel" "trayer"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))re");
  std::smatch m;
  if (!std::regex_search(tree, m, panel)) return std::nullopt;
  return wxRect(std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[1]), std::stoi(m[2]));
}

class TrayTest : public ::testing::Test {
 protected:
  ~TrayTest() override {
    if (tray) tray->end();
    if (frame) frame->Destroy();
    test::pump(50);
    tray.reset();
    env.reset();
  }

  // The tray icon appears at the window's first display.
  struct Parts : NoMainWindowParts {
    explicit Parts(TrayTest& t) : test(t) {}
    TrayTest& test;
    void createTray() override { test.tray->create(); }
  } parts{*this};

  void startHost() {
    host = std::make_unique<test::Process>(std::vector<std::string>{
        "trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "32",
        "--SetDockType", "false", "--transparent", "false"});
    ASSERT_TRUE(test::pumpUntil([] { return trayPanel().has_value(); }, 10000));
  }

  // The window as start-up makes it, with its tray; `hidden`: the hidden start.
  void open(bool hidden) {
    rig.ctx.run.LS_WNDHIDDEN = hidden;
    rig.ctx.run.LS_WNDSHOWN = !hidden;
    rig.ctx.run.NS_WNDSTATE = hidden ? 3 : 2;
    frame = new MainFrame(rig.ctx, WindowRect{100, 40, 499, 639}, parts);
    env =
        std::make_unique<ReminderEnv>(rig.ctx, *rig.table,
                                      ReminderPorts{rig.timer, *frame, rig.alert, rig.sound,
                                                    rig.launcher, rig.mail, rig.wakeUp, rig.wait});
    frame->attach(env.get());
    if (!hidden) frame->Show();
    tray = std::make_unique<ResidentTray>(*frame, rig.ctx, TrayMenuActions{});
    frame->initialise();
    test::pump();
  }

  // The icon once it is embedded in the panel.
  wxRect icon() {
    std::optional<wxRect> r;
    EXPECT_TRUE(test::pumpUntil(
        [&] {
          r = trayPanel();
          return r && r->width >= 16;
        },
        10000));
    return r.value_or(wxRect());
  }

  void click(const wxRect& r, int button = wxMOUSE_BTN_LEFT) {
    wxUIActionSimulator sim;
    sim.MouseMove(r.x + r.width / 2, r.y + r.height / 2);
    test::pump(100);
    sim.MouseClick(button);
    test::pump(400);
  }

  bool logged(const std::string& line) {
    const auto lines = rig.logLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  bool enabled(wxMenu& menu, int id) { return menu.IsEnabled(id); }

  test::ReminderRig rig{"10.06.2024", "08:00:00"};
  std::unique_ptr<test::Process> host;
  MainFrame* frame = nullptr;
  std::unique_ptr<ReminderEnv> env;
  std::unique_ptr<ResidentTray> tray;
};

TEST_F(TrayTest, TheIconTogglesTheWindowAndTheMenuFollowsIt) {
  startHost();
  open(false);
  ASSERT_TRUE(TTrayIcon::hostAvailable());
  const wxRect r = icon();
  EXPECT_TRUE(tray->icon()->shown());

  std::unique_ptr<wxMenu> menu(tray->buildMenu());
  EXPECT_FALSE(enabled(*menu, kTrayOpen));
  EXPECT_TRUE(enabled(*menu, kTrayHide));

  click(r);
  EXPECT_FALSE(frame->IsShown());
  EXPECT_TRUE(rig.ctx.run.LS_WNDHIDDEN);
  menu.reset(tray->buildMenu());
  EXPECT_TRUE(enabled(*menu, kTrayOpen));
  EXPECT_FALSE(enabled(*menu, kTrayHide));

  click(r);
  EXPECT_TRUE(test::pumpUntil([&] { return frame->IsShown(); }, 3000));
  EXPECT_FALSE(rig.ctx.run.LS_WNDHIDDEN);

  // "verstecken" from the menu, then one click shows the window again.
  wxCommandEvent hide(wxEVT_MENU, kTrayHide);
  tray->icon()->ProcessEvent(hide);
  EXPECT_FALSE(frame->IsShown());
  EXPECT_TRUE(logged("(MenuTray) Zorvane verstecken"));
  click(r);
  EXPECT_TRUE(test::pumpUntil([&] { return frame->IsShown(); }, 3000));

  // A new tooltip keeps the icon in the area.
  tray->setText("Nächster Termin: 11.06.2024 09:00");
  test::pump(300);
  EXPECT_TRUE(tray->icon()->shown());
  EXPECT_GE(trayPanel()->width, 16);

  // The menu of a right click, for the user guide; it runs its own loop until it is closed.
  const auto shot = test::artifactDir() / "tray_menu.png";
  std::string captured;
  wxTimer later;
  later.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    const int x = std::max(0, r.GetRight() - 260);
    captured = test::run({"import", "-window", "root", "-crop",
                          "280x190+" + std::to_string(x) + "+0", "+repage", shot.string()})
                   .output;
    wxUIActionSimulator().Char(WXK_ESCAPE);
  });
  later.StartOnce(800);
  click(r, wxMOUSE_BTN_RIGHT);
  EXPECT_TRUE(test::pumpUntil([&] { return !later.IsRunning(); }, 5000));
  test::pump(300);
  EXPECT_TRUE(std::filesystem::exists(shot));
}

TEST_F(TrayTest, AHiddenStartShowsTheWindowAndItsListAtTheFirstClick) {
  rig.add(test::makeAppointment("11.06.2024", "09:00", "Besprechung"));
  startHost();
  open(true);
  const wxRect r = icon();
  EXPECT_FALSE(frame->IsShown());
  EXPECT_EQ(frame->grid(), nullptr);

  click(r);
  ASSERT_TRUE(test::pumpUntil([&] { return frame->IsShown() && frame->grid(); }, 3000));
  EXPECT_TRUE(logged("(WinInit) Öffnen"));
  EXPECT_FALSE(rig.ctx.run.LS_WNDHIDDEN);
  EXPECT_TRUE(rig.ctx.run.LS_WNDSHOWN);
  EXPECT_EQ(frame->grid()->GetNumberRows(), 1);

  click(r);
  EXPECT_FALSE(frame->IsShown());
  EXPECT_TRUE(logged("(WinInit) Schließen"));
}

TEST_F(TrayTest, WithoutANotificationAreaHidingLeavesTheWindowReachable) {
  ASSERT_FALSE(TTrayIcon::hostAvailable());
  rig.ctx.settings.LS_INTRAY = true;
  open(false);
  tray->hideToTray();
  test::pump();
  EXPECT_TRUE(frame->IsShown());  // minimised, not hidden
  tray->hideToTray();
  EXPECT_TRUE(logged("(TrayIcon) Kein Infobereich vorhanden: das Fenster wird minimiert"));
  const auto lines = rig.logLines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find("(TrayIcon)") == 0; }),
            1);
}

}  // namespace
}  // namespace zrv
