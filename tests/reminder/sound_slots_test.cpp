// Playing sound slots and files, the default sounds with their fall-backs, the temporary index,
// and the sound table the build generates.
#include "reminder/sound_slots.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "reminder/sound_table.h"
#include "store/xbase/table.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::ReminderRig;

bool indexLeft(const ReminderRig& rig) {
  return std::filesystem::exists(rig.dir / kSoundIndexFile);
}

TEST(QlPlaySound, AreaNinetyNineOnlyStops) {
  ReminderRig rig;
  std::filesystem::remove(rig.dir / kSoundTableFile);
  rig.clearLog();
  EXPECT_TRUE(qlPlaySound(rig.ctx, rig.sound, kSoundStop, 0));
  EXPECT_EQ(rig.sound.stops, 1);
  EXPECT_TRUE(rig.sound.played.empty());
  EXPECT_TRUE(rig.logLines().empty());  // the missing table was not even looked for
  EXPECT_FALSE(indexLeft(rig));
}

TEST(QlPlaySound, AreaZeroPlaysTheTrimmedFile) {
  ReminderRig rig;
  std::filesystem::create_directories(rig.dir / "sounds");
  rig.dir.write("sounds/Termin.wav", "RIFF");
  qlPlaySound(rig.ctx, rig.sound, kSoundFile, 0, "  .\\SOUNDS\\termin.wav  ");
  qlPlaySound(rig.ctx, rig.sound, kSoundFile, 0, "/home/anna/Meine Töne/Gong 2.wav ");
  ASSERT_EQ(rig.sound.played.size(), 2u);
  EXPECT_EQ(rig.sound.played[0], rig.dir / "sounds/Termin.wav");
  EXPECT_EQ(rig.sound.played[1], std::filesystem::path("/home/anna/Meine Töne/Gong 2.wav"));
  EXPECT_FALSE(indexLeft(rig));
}

TEST(QlPlaySound, SlotPlaysOnlyWhenMarkedAndActive) {
  ReminderRig rig;
  qlPlaySound(rig.ctx, rig.sound, 3, 2);
  ASSERT_EQ(rig.sound.played.size(), 1u);
  EXPECT_EQ(rig.sound.played[0], rig.dir / "sounds/Viertel1.wav");
  EXPECT_FALSE(indexLeft(rig));

  rig.setSlot(3, 2, false);
  qlPlaySound(rig.ctx, rig.sound, 3, 2);
  qlPlaySound(rig.ctx, rig.sound, 3, 9);  // no such slot
  EXPECT_EQ(rig.sound.played.size(), 1u);
  EXPECT_FALSE(indexLeft(rig));
}

TEST(QlPlaySound, TwoDigitNumbersFindTheirSlot) {
  ReminderRig rig;
  rig.setSlot(8, 10, true);
  qlPlaySound(rig.ctx, rig.sound, 8, 10);
  qlPlaySound(rig.ctx, rig.sound, 8, 1);
  EXPECT_EQ(rig.sound.names(), (std::vector<std::string>{"Wichtig.wav", "Termin.wav"}));
}

TEST(QlPlaySound, MissingOrDamagedTablePlaysNothingAndSaysSo) {
  ReminderRig rig;
  std::filesystem::remove(rig.dir / kSoundTableFile);
  rig.clearLog();
  EXPECT_TRUE(qlPlaySound(rig.ctx, rig.sound, 1, 2));
  rig.dir.write(kSoundTableFile, "kein dBASE");
  EXPECT_TRUE(qlPlaySound(rig.ctx, rig.sound, 1, 2));
  EXPECT_EQ(qlGetPSound(rig.ctx, 8, 1), "");
  EXPECT_TRUE(rig.sound.played.empty());
  EXPECT_EQ(rig.logLines().size(), 3u);
  EXPECT_FALSE(indexLeft(rig));
}

TEST(QlPlaySound, TableHeldOpenBySoundSettingsStaysOpenWithItsIndex) {
  ReminderRig rig;
  auto t = Table::open(rig.dir / kSoundTableFile, rig.clock, {OpenMode::kExclusive, "DSND", {}});
  ASSERT_TRUE(t.isOk());
  ASSERT_TRUE((*t)->createIndex(rig.dir / kSoundIndexFile, {kSoundIndexKey, "", false, {}}).isOk());
  qlPlaySound(rig.ctx, rig.sound, 1, 3, {}, t->get());
  EXPECT_EQ(rig.sound.names(), std::vector<std::string>{"Geloescht.wav"});
  EXPECT_TRUE(indexLeft(rig));
  EXPECT_TRUE((*t)->seek(soundSlotKey(3, 5)).isOk());  // still usable
  ASSERT_TRUE((*t)->close().isOk());
}

TEST(QlGetPSound, FallsBackToTheSoundOfSlotEightOne) {
  ReminderRig rig;
  const std::string fallback = ".\\sounds\\Termin.wav";
  EXPECT_EQ(qlGetPSound(rig.ctx, 8, 2), ".\\sounds\\Privat.wav");
  rig.setSlotSound(8, 5, "");
  EXPECT_EQ(qlGetPSound(rig.ctx, 8, 5), fallback);  // empty kind sound
  EXPECT_EQ(qlGetPSound(rig.ctx, 3, 9), fallback);  // missing slot
  rig.setSlotSound(3, 2, "");
  EXPECT_EQ(qlGetPSound(rig.ctx, 3, 2), "");  // existing slot outside area 8 stays empty
  rig.setSlot(8, 12, false);
  EXPECT_EQ(qlGetPSound(rig.ctx, 8, 12), ".\\sounds\\HBIRTHD1.wav");  // switches don't matter
  rig.removeSlot(8, 1);
  EXPECT_EQ(qlGetPSound(rig.ctx, 3, 9), "");
  EXPECT_EQ(qlGetPSound(rig.ctx, 8, 5), "");
  EXPECT_FALSE(indexLeft(rig));
}

TEST(SoundTable, SlotKeysFollowTheIndexExpression) {
  EXPECT_EQ(soundSlotKey(8, 1), "8 1");
  EXPECT_EQ(soundSlotKey(3, 10), "310");
  EXPECT_EQ(soundSlotKey(0, 0), "0 0");
}

// The generated file, read by an independent dBASE reader.
TEST(SoundTable, GeneratedTableReadsInAnotherDbaseReader) {
  const std::filesystem::path file =
      std::filesystem::path(ZRV_BINARY_DIR) / "data" / kSoundTableFile;
  ASSERT_TRUE(std::filesystem::exists(file)) << "build the target zrv_sound_table";
  const std::string script =
      "/usr/bin/python3 -c \"import sys, dbfread\n"
      "t = dbfread.DBF(sys.argv[1], encoding='cp1252')\n"
      "print(' '.join(f.name + f.type + str(f.length) for f in t.fields))\n"
      "for r in t: print('%d/%d|%s|%s|%d%d%d' % (r['BEREICH'], r['NUMMER'], r['OPTION'], "
      "r['SOUND'], r['AKTIV'], r['MARKED'], r['SWITCH']))\" " +
      file.string();
  FILE* p = ::popen(script.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string out;
  char buf[512];
  while (std::fgets(buf, sizeof buf, p))
    out += buf;
  ASSERT_EQ(::pclose(p), 0) << out;
  EXPECT_EQ(out.substr(0, out.find('\n')),
            "BEREICHN1 NUMMERN2 OPTIONC30 SOUNDC254 AKTIVL1 MARKEDL1 SWITCHL1");
  for (const char* row :
       {"0/0|Alle Sounds||001", "1/1|Programmstart|.\\sounds\\Start.wav|011",
        "1/2|Termin bearbeitet|.\\sounds\\Gelesen.wav|011", "1/3|Termin gelöscht|",
        "1/7|Netzwerk-Änderung|", "3/0|Zeitsignale||011", "3/2|Viertelstunde|", "3/5|Volle Stunde|",
        "3/6|Neuer Tag|", "8/1|Keine Zuordnung|.\\sounds\\Termin.wav|010", "8/13|Programmstart|",
        "8/14|Dateiversand|"}) {
    EXPECT_NE(out.find(std::string("\n") + row), std::string::npos) << row;
  }
}

}  // namespace
}  // namespace zrv
