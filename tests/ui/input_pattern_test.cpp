#include "widgets/input_pattern.h"

#include <gtest/gtest.h>

namespace zrv {
namespace {

const InputPattern kTime("99:99");
const InputPattern kDate("99.99.9999");

TEST(InputPattern, FitsTextPlaceByPlace) {
  EXPECT_EQ(kTime.blank(), "  :  ");
  EXPECT_EQ(kTime.fit("14:30"), "14:30");
  EXPECT_EQ(kTime.fit("1430"), "14:0 ");  // place by place: the third character is fixed
  EXPECT_EQ(kTime.fit("ab:cd"), "  :  ");
  EXPECT_EQ(kTime.fit("9"), "9 :  ");
  EXPECT_EQ(kTime.fit("14:30:00"), "14:30");
  EXPECT_EQ(kDate.fit("17.03.2025"), "17.03.2025");
}

TEST(InputPattern, TypingOverwritesAndStepsOverFixedCharacters) {
  auto edit = kTime.type("  :  ", 0, '1');
  ASSERT_TRUE(edit);
  EXPECT_EQ(edit->text, "1 :  ");
  EXPECT_EQ(edit->cursor, 1u);
  edit = kTime.type(edit->text, edit->cursor, '4');
  EXPECT_EQ(edit->text, "14:  ");
  EXPECT_EQ(edit->cursor, 3u);  // past the colon
  edit = kTime.type(edit->text, edit->cursor, '3');
  edit = kTime.type(edit->text, edit->cursor, '0');
  EXPECT_EQ(edit->text, "14:30");
  EXPECT_EQ(edit->cursor, 5u);
  EXPECT_FALSE(kTime.type(edit->text, edit->cursor, '1')) << "the field is full";

  // Overwriting in the middle, and a digit typed on the colon lands behind it.
  EXPECT_EQ(kTime.type("14:30", 1, '9')->text, "19:30");
  EXPECT_EQ(kTime.type("14:30", 2, '5')->text, "14:50");
  // Typing the fixed character itself just steps over it.
  edit = kTime.type("14:30", 2, ':');
  EXPECT_EQ(edit->text, "14:30");
  EXPECT_EQ(edit->cursor, 3u);
}

// Types `keys` from `cursor` on, as the field does; refused keys change nothing.
std::string typeInto(const InputPattern& p, std::string text, size_t cursor, const char* keys) {
  for (const char* k = keys; *k; ++k) {
    if (auto e = p.type(text, cursor, *k)) {
      text = e->text;
      cursor = e->cursor;
    }
  }
  return text;
}

TEST(InputPattern, AFixedCharacterEndsItsGroupWithLeadingZeros) {
  EXPECT_EQ(typeInto(kTime, "  :  ", 0, "9:30"), "09:30");
  EXPECT_EQ(typeInto(kTime, "17:04", 0, "9:30"), "09:30");
  EXPECT_EQ(typeInto(kTime, "  :  ", 0, "17:08"), "17:08");  // the colon after a full group
  EXPECT_EQ(typeInto(kDate, "  .  .    ", 0, "1.3.2025"), "01.03.2025");
}

TEST(InputPattern, RefusesEverythingButDigits) {
  for (char c : {'a', 'Z', ' ', '-', '.', '/'}) {
    EXPECT_FALSE(kTime.type("14:30", 0, c)) << c;
  }
  EXPECT_FALSE(kDate.type("17.03.2025", 0, ':'));
}

TEST(InputPattern, DeletingBlanksPlacesWithoutShifting) {
  auto edit = kTime.backspace("14:30", 3);  // behind the colon: the 4 goes
  EXPECT_EQ(edit.text, "1 :30");
  EXPECT_EQ(edit.cursor, 1u);
  edit = kTime.backspace("14:30", 5);
  EXPECT_EQ(edit.text, "14:3 ");
  EXPECT_EQ(edit.cursor, 4u);
  edit = kTime.backspace("14:30", 0);
  EXPECT_EQ(edit.text, "14:30");

  edit = kDate.erase("17.03.2025", 0, 10);
  EXPECT_EQ(edit.text, "  .  .    ");
  EXPECT_EQ(edit.cursor, 0u);
  EXPECT_EQ(kDate.erase("17.03.2025", 3, 5).text, "17.  .2025");
}

TEST(InputPattern, PasteTakesOnlyTheDigits) {
  EXPECT_EQ(kTime.paste("  :  ", 0, "09:45").text, "09:45");
  EXPECT_EQ(kTime.paste("  :  ", 0, "0945 Uhr").text, "09:45");
  EXPECT_EQ(kDate.paste("  .  .    ", 0, "24.12.2025").text, "24.12.2025");
  const auto edit = kTime.paste("14:30", 3, "123456");
  EXPECT_EQ(edit.text, "14:12");
  EXPECT_EQ(edit.cursor, 5u);
  EXPECT_EQ(kTime.paste("14:30", 0, "ab").text, "14:30");
}

TEST(InputPattern, AbsorbsWhatTheToolkitTyped) {
  // A digit typed at the start overwrites instead of pushing the rest along.
  auto r = kTime.absorb("09:45", "109:45", 0);
  EXPECT_EQ(r.edit.text, "19:45");
  EXPECT_EQ(r.edit.cursor, 1u);
  EXPECT_FALSE(r.refused);
  // The cursor decides where the digit went even where the text alone is ambiguous.
  r = kTime.absorb("11:11", "111:11", 0);
  EXPECT_EQ(r.edit.text, "11:11");
  EXPECT_EQ(r.edit.cursor, 1u);
  r = kTime.absorb("11:11", "11:111", 4);
  EXPECT_EQ(r.edit.cursor, 5u);
  // Typed in front of the colon, the digit goes behind it.
  r = kTime.absorb("14:30", "145:30", 2);
  EXPECT_EQ(r.edit.text, "14:50");
  EXPECT_EQ(r.edit.cursor, 4u);
  // Letters are refused and leave the text as it was.
  r = kTime.absorb("14:30", "1x4:30", 1);
  EXPECT_EQ(r.edit.text, "14:30");
  EXPECT_TRUE(r.refused);
  r = kTime.absorb("14:30",
                   "1"
                   "\xC3\xA4"
                   "4:30",
                   1);  // an umlaut, two bytes in UTF-8
  EXPECT_EQ(r.edit.text, "14:30");
  EXPECT_TRUE(r.refused);
}

TEST(InputPattern, AbsorbsPastesCutsAndReplacedSelections) {
  auto r = kTime.absorb("14:30", "09:4514:30", 0);  // a pasted time
  EXPECT_EQ(r.edit.text, "09:45");
  EXPECT_FALSE(r.refused);
  r = kTime.absorb("14:30", "", 0);  // everything cut
  EXPECT_EQ(r.edit.text, "  :  ");
  EXPECT_EQ(r.edit.cursor, 0u);
  r = kTime.absorb("14:30", "1430", 2);  // the colon deleted by the toolkit
  EXPECT_EQ(r.edit.text, "14:30");
  r = kDate.absorb("17.03.2025", "17.0", 4);  // the end deleted
  EXPECT_EQ(r.edit.text, "17.0 .    ");
  r = kDate.absorb("17.03.2025", "17.13.2025", 3);  // one place replaced
  EXPECT_EQ(r.edit.text, "17.13.2025");
  r = kDate.absorb("  .  .    ", "24.12.2025  .  .    ", 0);
  EXPECT_EQ(r.edit.text, "24.12.2025");
}

}  // namespace
}  // namespace zrv
