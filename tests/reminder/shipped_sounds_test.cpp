// The sound slots and the wave files the build synthesizes for them.
#include "reminder/shipped_sounds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <utility>

namespace zrv {
namespace {

std::filesystem::path soundDir() {
  return std::filesystem::path(ZRV_BINARY_DIR) / kSoundDir;
}

TEST(ShippedSounds, EverySlotTheProgramPlaysHasAFile) {
  std::set<std::pair<int, int>> slots;
  for (const SoundSlot& s : shippedSoundSlots()) {
    slots.insert({s.area, s.number});
    EXPECT_EQ(s.number == 0, std::string(s.file).empty()) << s.area << "/" << s.number;
  }
  for (auto slot :
       {std::pair{1, 1}, {1, 2}, {1, 3}, {1, 7}, {3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 6}}) {
    EXPECT_TRUE(slots.count(slot)) << slot.first << "/" << slot.second;
  }
  for (int kind = 1; kind <= 14; ++kind)
    EXPECT_TRUE(slots.count({8, kind})) << kind;
}

TEST(ShippedSounds, SlotsAreInKeyOrder) {
  const auto slots = shippedSoundSlots();
  for (std::size_t i = 1; i < slots.size(); ++i) {
    EXPECT_LT(std::pair(slots[i - 1].area, slots[i - 1].number),
              std::pair(slots[i].area, slots[i].number));
  }
}

TEST(ShippedSounds, EveryFileIsAPcmWaveBuiltByTheGenerator) {
  std::set<std::string> files(shippedSoundFiles().begin(), shippedSoundFiles().end());
  for (const SoundSlot& s : shippedSoundSlots()) {
    if (*s.file) {
      EXPECT_TRUE(files.count(s.file)) << s.file;
    }
  }
  for (const std::string& name : files) {
    std::ifstream in(soundDir() / name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    char header[12] = {};
    in.read(header, sizeof header);
    EXPECT_EQ(std::string(header, 4), "RIFF") << name;
    EXPECT_EQ(std::string(header + 8, 4), "WAVE") << name;
    EXPECT_GT(std::filesystem::file_size(soundDir() / name), 10000u) << name;
  }
  EXPECT_EQ(storedSoundPath("CARHORN.WAV"), ".\\sounds\\CARHORN.WAV");
}

}  // namespace
}  // namespace zrv
