// The installed program started hidden ("AsIcon") on a desktop with a notification area
// (openbox and trayer): after the splash only the tray icon is there, the window is really
// hidden (not iconified), and a click on the icon shows it, as the logbook tells. The tray
// menu's "Über Zorvane" shows the about box and "&Zorvane beenden" ends the program normally.
#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "support/installed_program.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::kTitle;

// trayer's panel on the display; it grows from 2 pixels wide once an icon is embedded.
std::optional<std::array<int, 4>> trayPanel(const test::EnvChanges& env) {
  const auto tree = test::run({"xwininfo", "-root", "-tree"}, env, 5s).output;
  const std::regex panel(
      R"re("panel": \("panel" "trayer"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))re");
  std::smatch m;
  if (!std::regex_search(tree, m, panel)) return std::nullopt;
  return std::array<int, 4>{std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[1]), std::stoi(m[2])};
}

TEST(TrayEndToEnd, AHiddenStartShowsOnlyTheIconUntilItIsClicked) {
  test::InstalledProgram p("[SYSTEM]\r\nAsIcon=Yes\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  auto& env = p.env;
  auto& watch = p.watch;
  test::Process host({"trayer", "--edge", "top", "--align", "right", "--widthtype", "request",
                      "--height", "32", "--SetDockType", "false", "--transparent", "false"},
                     env);
  ASSERT_TRUE(test::waitUntil([&] { return trayPanel(env).has_value(); }, 20s));

  p.start();
  std::optional<std::array<int, 4>> icon;
  ASSERT_TRUE(test::waitUntil(
      [&] {
        icon = trayPanel(env);
        return icon && (*icon)[2] >= 16;
      },
      60s))
      << "no tray icon";
  const auto log = [&] { return p.log(); };
  ASSERT_TRUE(
      test::waitUntil([&] { return log().find("DlgAfterActivate") != std::string::npos; }, 30s));
  EXPECT_EQ(watch.wmState(watch.find(kTitle)), 0) << "the window is on screen or iconified";

  const std::string x = std::to_string((*icon)[0] + (*icon)[2] / 2);
  const std::string y = std::to_string((*icon)[1] + (*icon)[3] / 2);
  ASSERT_EQ(test::run({"xdotool", "mousemove", x, y, "click", "1"}, env, 10s).status, 0);
  EXPECT_NE(watch.waitShown(kTitle, 30s), 0u);
  EXPECT_TRUE(test::waitUntil(
      [&] {
        return log().find(
                   "(WinInit) \xD6"
                   "ffnen") != std::string::npos;
      },
      10s))
      << log();

  // The about box carries the program's title too: two windows of that title while it is up.
  const auto titled = [&] {
    const std::string list = test::run({"wmctrl", "-l"}, env, 5s).output;
    int n = 0;
    for (auto at = list.find(kTitle); at != std::string::npos; at = list.find(kTitle, at + 1))
      ++n;
    return n;
  };
  // A right click on the icon, then `key` picks the menu's first or last entry.
  const auto fromTrayMenu = [&](const std::string& key) {
    EXPECT_EQ(test::run({"xdotool", "mousemove", x, y, "click", "3"}, env, 10s).status, 0);
    std::this_thread::sleep_for(800ms);
    EXPECT_EQ(test::run({"xdotool", "key", "--delay", "150", key, "Return"}, env, 10s).status, 0);
  };
  fromTrayMenu("Down");
  ASSERT_TRUE(test::waitUntil([&] { return titled() == 2; }, 20s)) << "no about box";
  const std::string about = test::run({"xdotool", "getactivewindow"}, env, 5s).output;
  const std::string aboutId = about.substr(0, about.find('\n'));
  ASSERT_EQ(
      test::run({"xdotool", "mousemove", "--window", aboutId, "60", "60", "click", "1"}, env, 10s)
          .status,
      0);
  EXPECT_TRUE(test::waitUntil([&] { return titled() == 1; }, 20s)) << "the about box stayed";
  EXPECT_TRUE(
      test::waitUntil([&] { return log().find("call von: MenuTray") != std::string::npos; }, 10s))
      << log();

  fromTrayMenu("Up");
  const auto status = p.program->waitFor(60s);
  ASSERT_TRUE(status.has_value()) << "\"&Zorvane beenden\" did not end the program";
  EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace zrv
