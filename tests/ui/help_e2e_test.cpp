// The installed program's help book: F1 in the main window opens the help module that lies beside
// the program, its window shows the main window's page, and the program still ends cleanly.
#include <gtest/gtest.h>

#include "support/installed_program.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;

TEST(HelpEndToEnd, F1OpensThePageThroughTheInstalledModule) {
  test::InstalledProgram p;
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_TRUE(std::filesystem::exists(p.dir / "zorvane_help.so"));
  const unsigned long main = p.startShown();
  ASSERT_NE(main, 0u) << "no window titled " << test::kTitle;
  ASSERT_TRUE(test::activate(p.env, main));
  ASSERT_EQ(test::run({"xdotool", "key", "F1"}, p.env, 10s).status, 0);
  // The title is the page's own <title>: the module has started the HTML library in full.
  EXPECT_NE(p.watch.waitShown("Zorvane-Hilfe: Das Hauptfenster", 30s), 0u);
  // Ending with the help window open: wx ends the modules the help module started as its own.
  p.closeMainWindow();
}

}  // namespace
}  // namespace zrv
