// Starting programs and opening documents for real: a script started in its own directory with
// its arguments, never left behind as a zombie; documents and addresses go to the opener.
#include "platform/posix_program_launcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

#include "support/process.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

fs::path writeScript(const test::TestDir& dir, const std::string& name, const std::string& body) {
  const fs::path p = dir.write(name, "#!/bin/sh\n" + body);
  fs::permissions(p, fs::perms::owner_all);
  return p;
}

// Waits (on a slow machine up to 30 s) for the file to hold a last line that ends with "end".
std::string waitForOutput(const test::TestDir& dir, const std::string& name) {
  std::string text;
  test::waitUntil(
      [&] {
        text = dir.read(name);
        return text.ends_with("end\n");
      },
      std::chrono::seconds(30));
  return text;
}

bool processGone(long pid) {
  return test::waitUntil([&] { return !fs::exists("/proc/" + std::to_string(pid)); },
                         std::chrono::seconds(30));
}

TEST(ProgramLauncher, StartsTheProgramInItsDirectoryWithSplitArguments) {
  test::TestDir dir;
  fs::create_directory(dir / "bin");
  const fs::path script =
      writeScript(dir, "bin/job.sh", "pwd > out.txt\nprintf '%s\\n' \"$@\" end >> out.txt\n");
  PosixProgramLauncher launcher;
  const LaunchResult r =
      launcher.launch({script.string(), "eins \"zwei drei\" C:\\Temp\\x.txt", dir / "bin"});
  ASSERT_TRUE(r.started) << r.problem;
  EXPECT_EQ(waitForOutput(dir, "bin/out.txt"),
            (dir / "bin").string() + "\neins\nzwei drei\nC:\\Temp\\x.txt\nend\n");
  // The launcher does not wait, yet the finished child does not stay behind as a zombie.
  EXPECT_TRUE(processGone(r.pid));
}

TEST(ProgramLauncher, RelativeProgramPathIsNotLookedUpInPath) {
  test::TestDir dir;
  writeScript(dir, "ls", "echo mine end > out.txt\n");
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  PosixProgramLauncher launcher;
  const LaunchResult r = launcher.launch({"ls", "", dir.path()});
  fs::current_path(before);
  ASSERT_TRUE(r.started) << r.problem;
  EXPECT_EQ(waitForOutput(dir, "out.txt"), "mine end\n");
}

TEST(ProgramLauncher, BareNameIsLookedUpInTheSearchPath) {
  test::TestDir dir;
  fs::create_directory(dir / "bin");
  fs::create_directory(dir / "work");
  writeScript(dir, "bin/zrvprobe", "echo \"$1\" end >> out.txt\n");
  const std::string before = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", ("/nonexistent:" + (dir / "bin").string() + ":" + before).c_str(), 1);
  PosixProgramLauncher launcher;
  const LaunchResult bare = launcher.launch({"zrvprobe", "eins", dir / "work"});
  const LaunchResult windowsName = launcher.launch({"zrvprobe.exe", "zwei", dir / "work"});
  const LaunchResult missing = launcher.launch({"zrvfehlt", "", dir / "work"});
  ::setenv("PATH", before.c_str(), 1);
  ASSERT_TRUE(bare.started) << bare.problem;
  ASSERT_TRUE(windowsName.started) << windowsName.problem;
  EXPECT_FALSE(missing.started);
  std::string text;
  test::waitUntil(
      [&] {
        text = dir.read("work/out.txt");
        return text.find("eins end\n") != std::string::npos &&
               text.find("zwei end\n") != std::string::npos;
      },
      std::chrono::seconds(30));
  EXPECT_NE(text.find("eins end\n"), std::string::npos);
  EXPECT_NE(text.find("zwei end\n"), std::string::npos);
}

TEST(ProgramLauncher, DocumentsAndAddressesGoToTheOpener) {
  test::TestDir dir;
  const fs::path opener =
      writeScript(dir, "opener.sh", "printf '%s\\n' \"$@\" end >> opened.txt\n");
  dir.write("Brief.txt", "Hallo");
  PosixProgramLauncher launcher(opener.string());
  ASSERT_TRUE(launcher.launch({(dir / "Brief.txt").string(), "-ignored", dir.path()}).started);
  EXPECT_EQ(waitForOutput(dir, "opened.txt"), (dir / "Brief.txt").string() + "\nend\n");
  fs::remove(dir / "opened.txt");
  ASSERT_TRUE(launcher.launch({"https://example.org/a b", "", dir.path()}).started);
  EXPECT_EQ(waitForOutput(dir, "opened.txt"), "https://example.org/a b\nend\n");
}

TEST(ProgramLauncher, MissingProgramOrOpenerIsReportedNotStarted) {
  test::TestDir dir;
  PosixProgramLauncher launcher((dir / "no-opener").string());
  LaunchResult r = launcher.launch({(dir / "fehlt.exe").string(), "", dir.path()});
  EXPECT_FALSE(r.started);
  EXPECT_EQ(r.problem, "Programm nicht gefunden: " + (dir / "fehlt.exe").string());
  r = launcher.launch({"mailto:anna@example.org", "", dir.path()});
  EXPECT_FALSE(r.started);
  EXPECT_NE(r.problem.find("konnte nicht gestartet werden"), std::string::npos);
}

TEST(ProgramLauncher, AddressesAreToldFromWindowsPaths) {
  EXPECT_TRUE(isAddress("http://example.org"));
  EXPECT_TRUE(isAddress("mailto:a@b.de"));
  EXPECT_FALSE(isAddress("C:\\Programme\\x.exe"));
  EXPECT_FALSE(isAddress("c://x"));
  EXPECT_FALSE(isAddress("/usr/bin/x"));
}

}  // namespace
}  // namespace zrv
