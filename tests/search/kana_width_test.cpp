// The width and kana mappings shared by fuzzy search and block conversions.
#include <gtest/gtest.h>

#include "search/kana_width.h"

namespace qz {
namespace {

TEST(KanaWidth, VoicedAndSemiVoicedKatakanaSplitIntoBaseAndMark) {
    uint8_t half[2];
    ASSERT_EQ(ToHalfWidth(0x834B, half), 2);  // GA
    EXPECT_EQ(half[0], 0xB6);
    EXPECT_EQ(half[1], 0xDE);
    ASSERT_EQ(ToHalfWidth(0x8370, half), 2);  // PA
    EXPECT_EQ(half[0], 0xCA);
    EXPECT_EQ(half[1], 0xDF);
    ASSERT_EQ(ToHalfWidth(0x8394, half), 2);  // VU
    EXPECT_EQ(half[0], 0xB3);
    EXPECT_EQ(half[1], 0xDE);
    ASSERT_EQ(ToHalfWidth(0x8368, half), 2);  // DO, the last voiced of the KA-TO row
    EXPECT_EQ(half[0], 0xC4);
}

TEST(KanaWidth, HalfWidthFormsOfLettersSignsAndKana) {
    uint8_t half[2];
    ASSERT_EQ(ToHalfWidth(0x8260, half), 1);  // full-width A
    EXPECT_EQ(half[0], 'A');
    ASSERT_EQ(ToHalfWidth(0x8140, half), 1);  // ideographic space
    EXPECT_EQ(half[0], ' ');
    ASSERT_EQ(ToHalfWidth(0x818F, half), 1);  // yen sign is the backslash byte
    EXPECT_EQ(half[0], '\\');
    ASSERT_EQ(ToHalfWidth(0x8392, half), 1);  // WO
    EXPECT_EQ(half[0], 0xA6);
    ASSERT_EQ(ToHalfWidth(0x815B, half), 1);  // long vowel mark
    EXPECT_EQ(half[0], 0xB0);
}

TEST(KanaWidth, HiraganaKanjiAndKanaWithoutHalfFormStay) {
    uint8_t half[2];
    EXPECT_EQ(ToHalfWidth(0x82AA, half), 0);  // hiragana GA
    EXPECT_EQ(ToHalfWidth(0x8ABF, half), 0);  // a kanji
    EXPECT_EQ(ToHalfWidth(0x838E, half), 0);  // small WA
    EXPECT_EQ(ToHalfWidth(0x8395, half), 0);  // small KA
    EXPECT_EQ(ToHalfWidth(0x837F, half), 0);  // the hole in the katakana codes
}

TEST(KanaWidth, FullWidthJoinsTheMarks) {
    int used;
    EXPECT_EQ(ToFullWidth(0xB6, 0xDE, &used), 0x834B);
    EXPECT_EQ(used, 2);
    EXPECT_EQ(ToFullWidth(0xCA, 0xDF, &used), 0x8370);
    EXPECT_EQ(used, 2);
    EXPECT_EQ(ToFullWidth(0xB3, 0xDE, &used), 0x8394);
    EXPECT_EQ(used, 2);
    // A mark that cannot join stays a character of its own.
    EXPECT_EQ(ToFullWidth(0xB6, 0xDF, &used), 0x834A);
    EXPECT_EQ(used, 1);
    EXPECT_EQ(ToFullWidth(0xB1, 0xDE, &used), 0x8341);
    EXPECT_EQ(used, 1);
    EXPECT_EQ(ToFullWidth(0x7E, -1, &used), 0x8150);
    EXPECT_EQ(ToFullWidth(0x09, -1, &used), 0);
    EXPECT_EQ(ToFullWidth(0xA0, -1, &used), 0);
}

TEST(KanaWidth, EverySingleByteRoundTrips) {
    for (int b = 0x20; b <= 0xDF; ++b) {
        if (b > 0x7E && b < 0xA1) continue;
        int used;
        uint16_t full = ToFullWidth(static_cast<uint8_t>(b), -1, &used);
        ASSERT_NE(full, 0) << b;
        uint8_t half[2];
        ASSERT_EQ(ToHalfWidth(full, half), 1) << b;
        EXPECT_EQ(half[0], b);
    }
}

TEST(KanaWidth, HiraganaKatakanaSkipTheHole) {
    EXPECT_EQ(HiraganaToKatakana(0x82DE), 0x8380);  // MU
    EXPECT_EQ(HiraganaToKatakana(0x82DD), 0x837E);  // MI
    EXPECT_EQ(HiraganaToKatakana(0x829F), 0x8340);
    EXPECT_EQ(HiraganaToKatakana(0x82F1), 0x8393);
    EXPECT_EQ(HiraganaToKatakana(0x82F2), 0x82F2);
    EXPECT_EQ(KatakanaToHiragana(0x8380), 0x82DE);
    EXPECT_EQ(KatakanaToHiragana(0x8394), 0x8394);
    for (uint16_t h = 0x829F; h <= 0x82F1; ++h) EXPECT_EQ(KatakanaToHiragana(HiraganaToKatakana(h)), h);
}

TEST(KanaWidth, FullWidthLetterCase) {
    EXPECT_EQ(FullWidthToLower(0x8260), 0x8281);
    EXPECT_EQ(FullWidthToLower(0x8279), 0x829A);
    EXPECT_EQ(FullWidthToLower(0x827A), 0x827A);
    EXPECT_EQ(FullWidthToUpper(0x829A), 0x8279);
    EXPECT_EQ(FullWidthToUpper(0x8280), 0x8280);
}

}  // namespace
}  // namespace qz
