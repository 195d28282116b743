// Desktop integration: an installed program directory holds the help book, the icon in every
// size and a desktop entry for itself, and scripts/install-desktop.sh puts entry and icon into
// the user's application menu.
#include <gtest/gtest.h>
#include <wx/image.h>

#include <fstream>
#include <sstream>

#include "support/process.h"
#include "support/test_dir.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(DesktopIntegration, InstallDesktopPutsTheInstalledProgramIntoTheMenu) {
  test::TestDir tmp;
  const fs::path dir = tmp.path() / "Mein Zorvane";  // a blank in the path must survive
  const auto installed = test::run({"cmake", "--install", ZRV_BINARY_DIR, "--prefix", dir});
  ASSERT_EQ(installed.status, 0) << installed.output;
  EXPECT_TRUE(fs::exists(dir / "help" / "zorvane.hhp"));
  EXPECT_TRUE(fs::exists(dir / "help" / "wochenuebersicht.html"));

  const fs::path data = tmp.path() / "share";
  const auto menu =
      test::run({"bash", fs::path(ZRV_SOURCE_DIR) / "scripts" / "install-desktop.sh", dir.string()},
                {{"XDG_DATA_HOME", data.string()}});
  ASSERT_EQ(menu.status, 0) << menu.output;

  const std::string entry = readFile(data / "applications" / "zorvane.desktop");
  EXPECT_NE(entry.find("\nExec=\"" + (dir / "zorvane").string() + "\"\n"), std::string::npos)
      << entry;
  EXPECT_NE(entry.find("\nPath=" + dir.string() + "\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nIcon=zorvane\n"), std::string::npos);
  EXPECT_NE(entry.find("\nStartupWMClass=zorvane\n"), std::string::npos);

  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string s = std::to_string(size);
    wxImage icon((data / "icons/hicolor" / (s + "x" + s) / "apps/zorvane.png").string(),
                 wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(icon.IsOk()) << size;
    EXPECT_EQ(icon.GetSize(), wxSize(size, size));
    EXPECT_TRUE(icon.HasAlpha());
    // Opaque in the middle (the clock's face), transparent in a corner.
    EXPECT_EQ(icon.GetAlpha(size / 2, size / 2), 255);
    EXPECT_LT(icon.GetAlpha(0, 0), 128) << size;
  }
}

}  // namespace
}  // namespace zrv
