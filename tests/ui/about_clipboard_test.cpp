// The about box as splash screen and from the menus, and the clipboard commands against the
// desktop's real clipboard, read and written from outside with xclip.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "app/context.h"
#include "reminder/clipboard.h"
#include "support/outside_clipboard.h"
#include "support/process.h"
#include "support/reminder_rig.h"
#include "ui/about_box.h"
#include "ui/wx_clipboard.h"
#include "ui_test_util.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(AboutBox, SplashClosesByItselfAfterThreeSecondsPlayingItsSoundOnce) {
  int sounds = 0;
  AboutBox box(nullptr, kRelease, true, [&] { ++sounds; });
  // Paints while it is open must neither replay the sound nor restart the timer.
  wxTimer repaint;
  repaint.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    box.Refresh();
    box.Update();
  });
  repaint.Start(400);
  const auto start = Clock::now();
  box.ShowModal();
  repaint.Stop();
  EXPECT_GE(secondsSince(start), 2.9);
  EXPECT_LT(secondsSince(start), 6.0);
  EXPECT_EQ(sounds, 1);
  EXPECT_FALSE(box.timerRunning());
}

TEST(AboutBox, AClickClosesItAtOnceAndTheMenuFormIsSilent) {
  for (bool splash : {true, false}) {
    int sounds = 0;
    AboutBox box(nullptr, kRelease, splash, [&] { ++sounds; });
    EXPECT_EQ(box.GetClientSize(), wxSize(320, 200));
    box.CallAfter([&] {
      test::pump(300);
      test::screenshot(&box, splash ? "about_splash" : "about_box");
      test::clickWithMouse(&box);
    });
    const auto start = Clock::now();
    box.ShowModal();
    EXPECT_LT(secondsSince(start), 2.5) << splash;
    EXPECT_EQ(sounds, splash ? 1 : 0);
  }
}

// The clipboard as another program reads it (xclip): while this process owns the clipboard,
// its event loop must run to answer.
std::string readClipboardWithXclip(const fs::path& dir) {
  const fs::path out = dir / "clip.txt";
  const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  test::Process xclip({"xclip", "-o", "-selection", "clipboard"}, {}, fd);
  ::close(fd);
  EXPECT_TRUE(test::pumpUntil([&] { return !xclip.running(); }, 10000));
  std::ifstream in(out, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Clipboard, CopyPutsEveryLineOnTheClipboardAndPasteOpensTheEditorWithIt) {
  test::ReminderRig rig;
  const std::uint32_t recno = rig.add(test::makeAppointment("12.06.2024", "09:00",
                                                            "Zahnarzt Dr. Weiß\r\nBonusheft\r\n"
                                                            "Überweisung mitnehmen"));
  ASSERT_TRUE(rig.table->goTo(recno));
  WxClipboard clipboard;
  putClipboard(*rig.env, clipboard);
  EXPECT_EQ(readClipboardWithXclip(rig.dir.path()),
            "Zahnarzt Dr. Weiß\nBonusheft\nÜberweisung mitnehmen");
  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_NE(rig.ui.messages[0].find("Der Termin: \n\n'Zahnarzt Dr. Weiß\nBonusheft\n"
                                    "Überweisung mitnehmen'\n\nwurde in die Zwischenablage"),
            std::string::npos);

  // A long text goes to the clipboard whole; the confirmation quotes ten lines of it, a line
  // wider than the message counting as the lines it wraps into.
  std::string manyLines;
  for (int i = 1; i <= 40; ++i)
    manyLines += "Zeile " + std::to_string(i) + "\r\n";
  ASSERT_TRUE(rig.table->goTo(rig.add(test::makeAppointment("12.06.2024", "09:00", manyLines))));
  putClipboard(*rig.env, clipboard);
  EXPECT_EQ(readClipboardWithXclip(rig.dir.path()), clipboardTextOf(manyLines));
  ASSERT_EQ(rig.ui.messages.size(), 2u);
  EXPECT_NE(rig.ui.messages[1].find("'Zeile 1\n"), std::string::npos) << rig.ui.messages[1];
  EXPECT_NE(rig.ui.messages[1].find("\nZeile 10…'"), std::string::npos) << rig.ui.messages[1];
  EXPECT_EQ(rig.ui.messages[1].find("Zeile 11"), std::string::npos);
  const std::string oneLine(2000, 'x');
  const std::string quoted = quotedForConfirmation(oneLine);
  EXPECT_EQ(quoted.size(), 600u + std::string("…").size());

  // Another program takes the clipboard, and the paste follows at once, before this program's
  // event loop has taken in the loss of the clipboard: it takes exactly the other's text.
  const std::string pasted = "Rückruf Frau Öztürk\n  0711 123456  \n";
  test::OutsideClipboard outside(rig.dir.path(), pasted);
  ASSERT_TRUE(outside.owned());
  std::vector<std::string> opened;
  getClipboard(*rig.env, clipboard, [&](const std::string& text) { opened.push_back(text); });
  EXPECT_EQ(opened, std::vector<std::string>{pasted});
}

TEST(Clipboard, EmptyTextCopiesNothingAndAnEmptyClipboardSaysSo) {
  test::ReminderRig rig;
  rig.add(test::makeAppointment("12.06.2024", "09:00", "   "));
  ASSERT_TRUE(rig.table->goTop());
  WxClipboard clipboard;
  ASSERT_TRUE(clipboard.putText(""));
  putClipboard(*rig.env, clipboard);
  EXPECT_TRUE(rig.ui.messages.empty());

  bool opened = false;
  getClipboard(*rig.env, clipboard, [&](const std::string&) { opened = true; });
  EXPECT_FALSE(opened);
  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_NE(rig.ui.messages[0].find("Die Zwischenablage ist leer"), std::string::npos);
}

}  // namespace
}  // namespace zrv
