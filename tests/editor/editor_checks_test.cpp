// The editor's checks before saving, with their German messages, and the stored form of the
// files its choosers return.
#include "editor/editor_checks.h"

#include <gtest/gtest.h>

#include "editor/editor_values.h"
#include "editor/file_choice.h"

namespace zrv {
namespace {

EditorValues sound() {
  EditorValues v;
  v.date = Date::fromDisplay("10.06.2024");
  v.time = "14:00";
  v.leadTime = "15 ";
  v.notAfter = "10  ";
  return v;
}

TEST(EditorChecks, ImpossibleDatesTimesAndMinutesAreRefusedWithTheirField) {
  EXPECT_FALSE(checkEditorValues(sound()));
  EXPECT_FALSE(typedDate("31.02.2026"));
  EXPECT_FALSE(typedDate("  .  .    "));
  EXPECT_EQ(typedDate(" 1. 3.2026"), Date::fromDisplay("01.03.2026"));
  EXPECT_FALSE(typedTime("25:99"));
  EXPECT_FALSE(typedTime("12:60"));
  EXPECT_EQ(typedTime(" 9: 5"), "09:05");

  EditorValues v = sound();
  v.date = Date();
  EXPECT_EQ(checkEditorValues(v)->field, EditorField::Date);
  v = sound();
  v.time = "25:99";
  EXPECT_EQ(checkEditorValues(v)->field, EditorField::Time);
  EXPECT_EQ(checkEditorValues(v)->message, "Bitte eine gültige Uhrzeit eingeben (hh:mm) !");
  v = sound();
  v.notAfter = "1000";
  EXPECT_EQ(checkEditorValues(v)->field, EditorField::NotAfter);
  v.notAfter = "999 ";
  EXPECT_FALSE(checkEditorValues(v));
  v.notAfter = "    ";
  EXPECT_FALSE(checkEditorValues(v));

  // Neither the trigger nor a repeating kind's default end date may leave the calendar.
  v = sound();
  v.date = Date::fromDisplay("31.12.9999");
  v.recurrence = 2;  // hourly: ten days on
  EXPECT_EQ(checkEditorValues(v)->message,
            "Das Enddatum der Wiedervorlage läge nach dem 31.12.9999. Bitte ein früheres Datum "
            "eingeben !");
  v.recurrence = 1;
  EXPECT_FALSE(checkEditorValues(v));
  v.date = Date::fromDisplay("01.01.0001");
  v.time = "00:10";
  EXPECT_EQ(checkEditorValues(v)->field, EditorField::Date);
  v.leadTime = "10";
  EXPECT_FALSE(checkEditorValues(v));

  // Umlauts count as one character each, as the table stores them.
  EXPECT_TRUE(fitsField(std::string(48, 'a') + "äö", kEmailWidth));
  EXPECT_FALSE(fitsField(std::string(50, 'a') + "ä", kEmailWidth));
}

TEST(FileChoice, FilesInsideTheProgramDirectoryAreStoredRelative) {
  EXPECT_EQ(storedPath("/opt/Zorvane/sounds/gong.wav", "/opt/Zorvane"), ".\\sounds\\gong.wav");
  EXPECT_EQ(storedPath("/opt/zorvane/SOUNDS/gong.wav", "/opt/Zorvane/"), ".\\SOUNDS\\gong.wav");
  EXPECT_EQ(storedPath("/home/anna/gong.wav", "/opt/Zorvane"), "/home/anna/gong.wav");
  EXPECT_EQ(storedPath("/opt/ZorvaneAlt/gong.wav", "/opt/Zorvane"), "/opt/ZorvaneAlt/gong.wav");

  EXPECT_EQ(programStartFolder("", "/opt/Zorvane"), "/opt/Zorvane");
  EXPECT_EQ(programStartFolder("/usr/bin/true", "/opt/Zorvane"), "/usr/bin");
  EXPECT_EQ(programStartFolder("c:\\windows\\notepad.exe", "/opt/Zorvane"), "/opt/Zorvane");
}

}  // namespace
}  // namespace zrv
