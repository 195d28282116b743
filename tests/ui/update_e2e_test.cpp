// The installed program looks for an update on a local server as a user does it with keys:
// Alt+H, Z opens the update dialog, Alt+S starts it, and the question whether the computer is
// online is answered. No update, a bad answer of the server, no server at all, a silent one, a
// backup that cannot be made, and finally the new installer: backed up, started with its
// arguments, and the program ends. Screenshots of the dialog are kept in test-artifacts/.
#include <gtest/gtest.h>

#include "app/ini_file.h"
#include "support/installed_program.h"
#include "support/local_http.h"
#include "ui_test_util.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kDialog = "Internet-Update";
constexpr const char* kQuestion = "Zorvane-Update";

// A version file as the maker publishes it, past 1024 bytes.
std::string versionFile(const std::string& version) {
  return "<?xml version=\"1.0\"?>\r\n<Zorvane>\r\n<Program_Version>" + version +
         "</Program_Version>\r\n" + std::string(1100, ' ') + "\r\n</Zorvane>\r\n";
}

class UpdateEndToEnd : public ::testing::Test {
 protected:
  explicit UpdateEndToEnd(test::LocalHttpOptions options = {}, const std::string& settings = "")
      : server(options),
        desk("[SYSTEM]\r\nUpdateServer=" + server.address() + "\r\n" + settings +
             "[SETUP]\r\nLOGBUCH=1\r\n") {}

  // Alt+H, Z: the update dialog, with the keyboard.
  unsigned long openDialog() {
    return desk.openThroughMenu(desk.mainWindow, "alt+h", "z", kDialog);
  }

  // "&Start" and the answer to the question whether the computer is online.
  void start(unsigned long dialog, bool online) {
    ASSERT_TRUE(test::activate(desk.env, dialog));
    desk.keys({"alt+s"});
    const unsigned long question = desk.watch.waitShown(kQuestion, 30s);
    ASSERT_NE(question, 0u) << "no question";
    ASSERT_TRUE(test::activate(desk.env, question));
    desk.keys(online ? std::vector<std::string>{"alt+j"} : std::vector<std::string>{"Return"});
    ASSERT_TRUE(desk.closed(kQuestion));
  }

  // The `n`th logbook line that tells how a check ended, waited for 30 s at most; "" when none.
  std::string ending(std::size_t n, std::chrono::milliseconds wait = 30s) {
    std::string line;
    test::waitUntil(
        [&] {
          const std::string log = desk.log();
          std::size_t at = 0;
          for (std::size_t i = 0; i < n; ++i) {
            at = log.find("(Update) Verbinden mit:", at);
            if (at == std::string::npos) return false;
            ++at;
          }
          line = log.substr(at - 1, log.find("\r\n", at) - at + 1);
          return true;
        },
        wait);
    return line;
  }

  // "&Ende": the dialog closes.
  void end(unsigned long dialog) {
    ASSERT_TRUE(test::activate(desk.env, dialog));
    desk.keys({"alt+e"});
    ASSERT_TRUE(desk.closed(kDialog));
  }

  bool nothingLeft() const {
    return !fs::exists(desk.dir / "Zorvane.xml") && !fs::exists(desk.dir / "ZrvUpdate.exe");
  }

  test::LocalHttp server;
  test::InstalledProgram desk;
};

TEST_F(UpdateEndToEnd, WithoutANewerVersionNothingIsFetchedAndTheProgramRunsOn) {
  ASSERT_TRUE(server.ready()) << server.whyNotReady();
  ASSERT_TRUE(desk.ready()) << desk.whyNotReady();
  ASSERT_NE(desk.startShown(), 0u) << "no main window";
  server.put("Downloads/Zorvane.xml", versionFile("2.00.65"));

  // Not online: nothing is asked of the server.
  unsigned long dialog = openDialog();
  ASSERT_NE(dialog, 0u) << "no update dialog";
  test::keepScreenshot(desk.env, desk.watch, dialog, "e2e_update_dialog");
  ASSERT_NO_FATAL_FAILURE(start(dialog, false));
  ASSERT_NO_FATAL_FAILURE(end(dialog));
  EXPECT_TRUE(server.requests().empty());

  // The own version: no update, only the version file was fetched, and it is gone again.
  dialog = openDialog();
  ASSERT_NE(dialog, 0u);
  ASSERT_NO_FATAL_FAILURE(start(dialog, true));
  EXPECT_EQ(ending(1), "(Update) Verbinden mit: " + server.address() +
                           "; Status: <verbunden>; Dateistatus: Kein Zorvane-Update vorhanden.; "
                           "Download: Kein Download");
  test::pump(300);
  test::keepScreenshot(desk.env, desk.watch, dialog, "e2e_update_no_update");
  ASSERT_NO_FATAL_FAILURE(end(dialog));
  EXPECT_EQ(server.requests(), std::vector<std::string>{"GET /Downloads/Zorvane.xml HTTP/1.0"});
  EXPECT_TRUE(nothingLeft());

  // A version file under 1024 bytes; an error page of 2 KB for it; an error page for the
  // installer after a newer version: nothing is kept, nothing runs.
  server.put("Downloads/Zorvane.xml", "<Program_Version>2.01.00</Program_Version>");
  dialog = openDialog();
  ASSERT_NO_FATAL_FAILURE(start(dialog, true));
  EXPECT_NE(ending(2).find("Dateistatus: Zorvane-Update NICHT gefunden !; Download: Kein "
                           "Download !"),
            std::string::npos)
      << desk.log();
  ASSERT_NO_FATAL_FAILURE(end(dialog));
  server.remove("Downloads/Zorvane.xml");
  dialog = openDialog();
  ASSERT_NO_FATAL_FAILURE(start(dialog, true));
  EXPECT_NE(ending(3).find("Status: HTTP/1.0 404 Not Found; Dateistatus: Zorvane-Update wurde "
                           "gefunden.; Download: Kein Download !"),
            std::string::npos)
      << desk.log();
  ASSERT_NO_FATAL_FAILURE(end(dialog));
  server.put("Downloads/Zorvane.xml", versionFile("2.01.00"));
  dialog = openDialog();
  ASSERT_NO_FATAL_FAILURE(start(dialog, true));
  EXPECT_NE(ending(4).find("Status: HTTP/1.0 404 Not Found; Dateistatus: Zorvane-Update wurde "
                           "gefunden.; Download: Kein Download !"),
            std::string::npos)
      << desk.log();
  ASSERT_NO_FATAL_FAILURE(end(dialog));
  EXPECT_EQ(server.requests().back(), "GET /Downloads/Zorvane.exe HTTP/1.0");
  EXPECT_TRUE(nothingLeft());
  EXPECT_FALSE(fs::exists(desk.dir / "Backup"));

  ASSERT_TRUE(desk.program->running());
  ASSERT_NO_FATAL_FAILURE(desk.closeMainWindow());
  test::keepArtifact("e2e_update_no_update.log", desk.log());
}

// The pixels in which the top `rows` of two screenshots kept as artifacts differ; -1 when they
// could not be compared.
long differingPixels(const std::string& a, const std::string& b, int rows) {
  const auto shot = [&](const std::string& name) {
    return (test::artifactDir() / (name + ".png")).string() + "[10000x" + std::to_string(rows) +
           "+0+0]";
  };
  const auto r = test::run({"compare", "-metric", "AE", shot(a), shot(b), "null:"}, {}, 30s);
  if (r.status != 0 && r.status != 1) return -1;
  return std::atol(r.output.c_str());
}

// A port on which nothing listens, and a server that takes the connection and says nothing:
// each fails within about five seconds, and the dialog is painted meanwhile.
TEST_F(UpdateEndToEnd, AServerThatIsDownOrSilentFailsWithinSecondsWhileTheDialogRepaints) {
  test::LocalHttp silent({.silent = true});
  ASSERT_TRUE(silent.ready()) << silent.whyNotReady();
  ASSERT_TRUE(desk.ready()) << desk.whyNotReady();
  ASSERT_NE(desk.startShown(), 0u) << "no main window";
  const auto useServer = [&](const std::string& address) {
    IniFile(desk.dir / "ZORVANE.INI", 0600).write("SYSTEM", "UpdateServer", address);
  };

  useServer("http://127.0.0.1:1");
  unsigned long dialog = openDialog();
  ASSERT_NE(dialog, 0u);
  ASSERT_NO_FATAL_FAILURE(start(dialog, true));
  auto began = std::chrono::steady_clock::now();
  EXPECT_EQ(ending(1),
            "(Update) Verbinden mit: http://127.0.0.1:1; Status: URL wurde nicht "
            "gefunden !; Dateistatus: ; Download: Kein Download");
  EXPECT_LT(std::chrono::steady_clock::now() - began, 5s);
  test::keepScreenshot(desk.env, desk.watch, dialog, "e2e_update_server_down");
  ASSERT_NO_FATAL_FAILURE(end(dialog));

  useServer(silent.address());
  dialog = openDialog();
  ASSERT_NE(dialog, 0u);
  test::keepScreenshot(desk.env, desk.watch, dialog, "e2e_update_silent_before");
  ASSERT_NO_FATAL_FAILURE(start(dialog, true));
  began = std::chrono::steady_clock::now();
  // While the transfer waits, the window (uncovered by the question) is painted anew and shows
  // the server and the connection: its upper part already looks as it will at the end.
  std::this_thread::sleep_for(1500ms);
  ASSERT_EQ(ending(2, 0ms), "") << "the transfer ended too soon";
  test::keepScreenshot(desk.env, desk.watch, dialog, "e2e_update_silent_waiting");
  EXPECT_EQ(ending(2), "(Update) Verbinden mit: " + silent.address() +
                           "; Status: <verbunden>; Dateistatus: Zorvane-Update wurde gefunden.; "
                           "Download: Kein Download !");
  const auto took = std::chrono::steady_clock::now() - began;
  EXPECT_GT(took, 3500ms);
  EXPECT_LT(took, 9s);
  test::pump(300);
  test::keepScreenshot(desk.env, desk.watch, dialog, "e2e_update_silent");
  const int height = desk.watch.frameRect(dialog).height;
  EXPECT_EQ(differingPixels("e2e_update_silent_waiting", "e2e_update_silent", height * 45 / 100),
            0);
  EXPECT_GT(differingPixels("e2e_update_silent_before", "e2e_update_silent", height * 45 / 100), 0);
  ASSERT_NO_FATAL_FAILURE(end(dialog));
  ASSERT_NO_FATAL_FAILURE(desk.closeMainWindow());
  test::keepArtifact("e2e_update_unreachable.log", desk.log());
}

// The server sends at 1 KB a second, so that the download can be watched; the last update
// was 2100 bytes.
class UpdateInstallEndToEnd : public UpdateEndToEnd {
 protected:
  UpdateInstallEndToEnd() : UpdateEndToEnd({.rate = 1024}, "LastUpSize=2100\r\n") {}
};

TEST_F(UpdateInstallEndToEnd, TheNewInstallerIsBackedUpStartedWithItsArgumentsAndTheProgramEnds) {
  ASSERT_TRUE(server.ready()) << server.whyNotReady();
  ASSERT_TRUE(desk.ready()) << desk.whyNotReady();
  // A stand-in for the installer: it writes its arguments and its folder down.
  const fs::path ran = desk.dir / "ran.txt";
  std::string installer = "#!/bin/sh\nprintf '%s\\n' \"$@\" \"$(pwd)\" > '" + ran.string() + "'\n";
  installer += std::string(2400 - installer.size(), '#') + "\n";
  server.put("Downloads/Zorvane.xml", versionFile("2.01.00"));
  server.put("Downloads/Zorvane.exe", installer);
  desk.dir.write("Backup", "a file where the folder should be");
  ASSERT_NE(desk.startShown(), 0u) << "no main window";

  // The backup cannot be made: the user is told, nothing runs, the program goes on.
  unsigned long dialog = openDialog();
  ASSERT_NE(dialog, 0u);
  ASSERT_NO_FATAL_FAILURE(start(dialog, true));
  ASSERT_TRUE(desk.closed(kDialog)) << desk.log();
  const unsigned long problem = desk.watch.waitShown("Problem", 60s);
  ASSERT_NE(problem, 0u) << desk.log();
  test::keepScreenshot(desk.env, desk.watch, problem, "e2e_update_backup_failed");
  ASSERT_TRUE(test::activate(desk.env, problem));
  desk.keys({"Return"});
  ASSERT_TRUE(desk.closed("Problem"));
  EXPECT_TRUE(desk.logHas("(Update) Die Sicherung im Ordner Backup ist fehlgeschlagen."));
  EXPECT_FALSE(fs::exists(ran));
  EXPECT_EQ(IniFile(desk.dir / "ZORVANE.INI").read("System", "LastUpSize", ""), "2100");
  ASSERT_TRUE(desk.program->running());

  // With the folder free: downloaded while the dialog shows the progress, backed up, started.
  fs::remove(desk.dir / "Backup");
  dialog = openDialog();
  ASSERT_NE(dialog, 0u);
  ASSERT_NO_FATAL_FAILURE(start(dialog, true));
  ASSERT_TRUE(test::waitUntil([&] { return server.requests().size() == 4; }, 30s));
  std::this_thread::sleep_for(1200ms);
  test::keepScreenshot(desk.env, desk.watch, dialog, "e2e_update_installer");
  const auto status = desk.program->waitFor(60s);
  ASSERT_TRUE(status.has_value()) << "the program did not end: " << desk.log();
  EXPECT_EQ(*status, 0);
  ASSERT_TRUE(test::waitUntil([&] { return fs::exists(ran) && fs::file_size(ran) > 0; }, 30s));
  const std::string program = (desk.dir.path() / "").parent_path().string();
  EXPECT_EQ(desk.dir.read("ran.txt"), "/SILENT\n/DIR=" + program + "\n" + program + "\n");
  EXPECT_EQ(desk.dir.read("Backup/zorvane"), desk.dir.read("zorvane"));
  EXPECT_EQ(desk.dir.read("Backup/zorvane_gui.so"), desk.dir.read("zorvane_gui.so"));
  EXPECT_EQ(desk.dir.read("Backup/ZRVPARAM.DBF"), desk.dir.read("ZRVPARAM.DBF"));
  EXPECT_EQ(IniFile(desk.dir / "ZORVANE.INI").read("System", "LastUpSize", ""),
            std::to_string(installer.size()));
  // The installer may still read its own file: the end of this run left it.
  EXPECT_EQ(desk.dir.read("ZrvUpdate.exe"), installer);
  EXPECT_FALSE(fs::exists(desk.dir / "Zorvane.xml"));
  const std::string log = desk.log();
  test::keepArtifact("e2e_update_install.log", log);
  EXPECT_NE(log.find("(Update) Gestartet: " + (desk.dir / "ZrvUpdate.exe").string() +
                     " /SILENT /DIR=" + program),
            std::string::npos)
      << log;
  EXPECT_TRUE(log.ends_with(" (Zorvane) Beendet\r\n")) << log;
}

}  // namespace
}  // namespace zrv
