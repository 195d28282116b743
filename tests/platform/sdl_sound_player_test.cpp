// The SDL sound player for real: samples reach SDL's disk output, a new sound replaces the
// playing one, and without a sound device the player stays silent and says so once.
#include "platform/sdl_sound_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "support/process.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

fs::path sound(const char* name) {
  return fs::path(ZRV_BINARY_DIR) / "sounds" / name;
}

class SoundPlayerTest : public ::testing::Test {
 protected:
  void useDiskOutput() {
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", (dir / "out.raw").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("SDL_AUDIODRIVER");
    ::unsetenv("SDL_DISKAUDIOFILE");
  }
  SdlSoundPlayer::Report recorder() {
    return [this](const std::string& line) { reports.push_back(line); };
  }
  bool outputHasSound() const {
    const std::string raw = dir.read("out.raw");
    return raw.find_first_not_of('\0') != std::string::npos;
  }

  test::TestDir dir;
  std::vector<std::string> reports;
};

TEST_F(SoundPlayerTest, SamplesOfAWaveFileReachTheOutput) {
  useDiskOutput();
  SdlSoundPlayer player(recorder());
  ASSERT_TRUE(player.play(sound("Wichtig.wav")));
  EXPECT_TRUE(test::waitUntil([&] { return outputHasSound(); }, std::chrono::seconds(30)));
  EXPECT_TRUE(reports.empty());
}

TEST_F(SoundPlayerTest, NewSoundReplacesThePlayingOneAndStopSilences) {
  useDiskOutput();
  SdlSoundPlayer player(recorder());
  ASSERT_TRUE(player.play(sound("Viertel4.wav")));  // about ten seconds
  const std::uint32_t chime = player.queuedBytes();
  ASSERT_TRUE(player.play(sound("Gelesen.wav")));  // half a second
  const std::uint32_t click = player.queuedBytes();
  EXPECT_GT(click, 0u);
  EXPECT_LT(click, chime / 4);
  player.stop();
  EXPECT_EQ(player.queuedBytes(), 0u);
}

TEST_F(SoundPlayerTest, UnreadableFileIsReportedAndPlaysNothing) {
  useDiskOutput();
  dir.write("kaputt.wav", "RIFF....WAVEnot really");
  SdlSoundPlayer player(recorder());
  EXPECT_FALSE(player.play(dir / "fehlt.wav"));
  EXPECT_FALSE(player.play(dir / "kaputt.wav"));
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].rfind("Sounddatei nicht abspielbar: " + (dir / "fehlt.wav").string(), 0),
            0u);
  EXPECT_EQ(player.queuedBytes(), 0u);
}

TEST_F(SoundPlayerTest, AnEmptyNameSilencesWithoutAReport) {
  useDiskOutput();
  SdlSoundPlayer player(recorder());
  ASSERT_TRUE(player.play(sound("Viertel4.wav")));
  EXPECT_TRUE(player.play(fs::path()));
  EXPECT_EQ(player.queuedBytes(), 0u);
  EXPECT_TRUE(reports.empty());
}

TEST_F(SoundPlayerTest, WithoutASoundDeviceItCarriesOnSilently) {
  ::setenv("SDL_AUDIODRIVER", "kein-geraet", 1);
  SdlSoundPlayer player(recorder());
  EXPECT_FALSE(player.play(sound("Wichtig.wav")));
  EXPECT_FALSE(player.play(sound("Wichtig.wav")));
  player.stop();
  ASSERT_EQ(reports.size(), 1u);  // said once, not at every sound
  EXPECT_EQ(reports[0].rfind("Keine Tonausgabe möglich: ", 0), 0u);
}

}  // namespace
}  // namespace zrv
