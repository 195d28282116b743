#include "store/base/codepage.h"

#include <gtest/gtest.h>

namespace zrv {
namespace {

TEST(Codepage, GermanTextRoundTripsThroughWindows1252) {
  const std::string utf8 = "Größe über Maß: ÄÖÜ äöü ß € „Zitat“ – 5 µs";
  const std::string cp = utf8ToCp1252(utf8);
  EXPECT_EQ(cp.substr(0, 6),
            "Gr\xF6\xDF"
            "e ");
  EXPECT_NE(cp.find('\x80'), std::string::npos);  // the euro sign
  EXPECT_EQ(cp1252ToUtf8(cp), utf8);
}

TEST(Codepage, EveryByteSurvivesTheWayThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all += static_cast<char>(b);
  EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Codepage, WhatWindows1252CannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(utf8ToCp1252("Kanji \xE6\xBC\xA2 Emoji \xF0\x9F\x98\x80 Ende"), "Kanji ? Emoji ? Ende");
  // Broken and over-long sequences, surrogates: one '?' per byte that is not a character.
  EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");
  EXPECT_EQ(utf8ToCp1252("\xC0\xAF"), "??");
  EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), "???");
  EXPECT_EQ(utf8ToCp1252("\xFF"
                         "x"),
            "?x");
}

}  // namespace
}  // namespace zrv
