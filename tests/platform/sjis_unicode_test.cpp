// The strict Shift-JIS <-> Unicode mapping and the UTF-8 byte rules.
#include "platform/sjis_unicode.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"

using namespace qz;

namespace {
std::string U8(char32_t u) {
    char buf[4];
    return std::string(buf, EncodeUtf8(u, buf));
}
}  // namespace

TEST(SjisUnicode, EveryCharacterWithAUnicodeFormComesBackToTheSameUnicode) {
    int pairs = 0;
    for (unsigned code = 1; code < 0x10000; ++code) {
        const char32_t u = SjisCharToUnicode(code);
        if (!u) continue;
        if (code > 0xFF) ++pairs;
        const unsigned back = UnicodeToSjisChar(u);
        ASSERT_NE(back, 0u) << std::hex << code;
        // Duplicates (NEC and IBM rows) may come back under their other code,
        // but always as the same character.
        EXPECT_EQ(SjisCharToUnicode(back), u) << std::hex << code;
    }
    // JIS X 0208, NEC row 13, the IBM rows and the user-defined area.
    EXPECT_GT(pairs, 9000);
}

TEST(SjisUnicode, DuplicatesAreWrittenAsWindowsWritesThem) {
    EXPECT_EQ(UnicodeToSjisChar(0x2252), 0x81E0u);  // ≒: JIS X 0208, not NEC row 13
    EXPECT_EQ(UnicodeToSjisChar(0x2235), 0x81E6u);  // ∵
    EXPECT_EQ(UnicodeToSjisChar(0x2160), 0x8754u);  // Ⅰ: NEC row 13
    EXPECT_EQ(UnicodeToSjisChar(0x2170), 0xFA40u);  // ⅰ: IBM row, not the NEC copy 0xEEEF
    EXPECT_EQ(UnicodeToSjisChar(0x7E8A), 0xFA5Cu);  // 纊
    EXPECT_EQ(UnicodeToSjisChar(0xE000), 0xF040u);  // user-defined area
    EXPECT_EQ(UnicodeToSjisChar(0xFF61), 0xA1u);    // ｡ half-width
    EXPECT_EQ(UnicodeToSjisChar(U'漢'), 0x8ABFu);
}

TEST(SjisUnicode, LookAlikesHaveNoForm) {
    // The native-string converter maps some of these to ASCII; files must not.
    for (char32_t u : {char32_t(0x00E9), char32_t(0x20AC), char32_t(0x1F600), char32_t(0x20B9F),
                       char32_t(0xFEFF), char32_t(0x00A0), char32_t(0x0000)})
        EXPECT_EQ(UnicodeToSjisChar(u), 0u) << std::hex << unsigned(u);
    for (unsigned code : {0x80u, 0xA0u, 0xFDu, 0xFEu, 0xFFu, 0x8540u, 0x81ADu})
        EXPECT_EQ(SjisCharToUnicode(code), 0u) << std::hex << code;
}

TEST(SjisUnicode, TwoFormCodesTakeBothFormsAndGiveTheUsualOne) {
    for (int i = 0; i < kTwoFormCount; ++i) {
        const TwoForms& f = kTwoForms[i];
        EXPECT_EQ(SjisCharToUnicode(f.sjis), f.usual) << i;
        EXPECT_EQ(UnicodeToSjisChar(f.usual), f.sjis) << i;
        EXPECT_EQ(UnicodeToSjisChar(f.other), f.sjis) << i;
        EXPECT_EQ(TwoFormIndexOfSjis(f.sjis), i);
        bool other = true;
        EXPECT_EQ(TwoFormIndexOfUnicode(f.usual, &other), i);
        EXPECT_FALSE(other);
        EXPECT_EQ(TwoFormIndexOfUnicode(f.other, &other), i);
        EXPECT_TRUE(other);
        // No two-form code is also reached through a third Unicode value.
        int reached = 0;
        for (char32_t u = 1; u < 0x10000; ++u) reached += UnicodeToSjisChar(u) == f.sjis;
        EXPECT_EQ(reached, 2) << i;
    }
    EXPECT_EQ(TwoFormIndexOfSjis(0x8140), -1);
    EXPECT_EQ(TwoFormIndexOfUnicode(U'漢'), -1);
}

TEST(SjisUnicode, DecodeRefusesWhatIsNotUtf8) {
    auto decode = [](const std::string& s, char32_t* u) {
        return DecodeUtf8(reinterpret_cast<const unsigned char*>(s.data()), s.size(), u);
    };
    char32_t u = 0;
    EXPECT_EQ(decode("A", &u), 1);
    EXPECT_EQ(u, U'A');
    EXPECT_EQ(decode(U8(U'漢'), &u), 3);
    EXPECT_EQ(u, U'漢');
    EXPECT_EQ(decode(U8(0x1F600), &u), 4);
    EXPECT_EQ(u, 0x1F600u);
    EXPECT_EQ(decode(U8(0x10FFFF), &u), 4);
    EXPECT_EQ(decode("\xC0\xAF", &u), 0);          // overlong '/'
    EXPECT_EQ(decode("\xE0\x80\xAF", &u), 0);      // overlong
    EXPECT_EQ(decode("\xF0\x80\x80\xAF", &u), 0);  // overlong
    EXPECT_EQ(decode("\xED\xA0\x80", &u), 0);      // a surrogate
    EXPECT_EQ(decode("\xF4\x90\x80\x80", &u), 0);  // past U+10FFFF
    EXPECT_EQ(decode("\xF5\x80\x80\x80", &u), 0);
    EXPECT_EQ(decode("\x80", &u), 0);              // a continuation byte alone
    EXPECT_EQ(decode("\xE6\xBC", &u), -1);         // cut
    EXPECT_EQ(decode("\xE6\x41", &u), 0);          // not cut: broken
    EXPECT_EQ(decode("\xF0", &u), -1);
}

TEST(SjisUnicode, LooksLikeUtf8NeedsAMultiByteSequence) {
    EXPECT_FALSE(LooksLikeUtf8("", false));
    EXPECT_FALSE(LooksLikeUtf8("plain ASCII text\n", false));
    EXPECT_TRUE(LooksLikeUtf8("caf\xC3\xA9", false));
    EXPECT_TRUE(LooksLikeUtf8("\xEF\xBB\xBF", false));  // a byte order mark alone
    const std::string kanji = U8(U'日') + U8(U'本');
    EXPECT_TRUE(LooksLikeUtf8(std::string(100, 'a') + kanji, false));
    // Cut at the end: valid only where more of the file follows.
    EXPECT_FALSE(LooksLikeUtf8(kanji + "\xE8\xAA", false));
    EXPECT_TRUE(LooksLikeUtf8(kanji + "\xE8\xAA", true));
    EXPECT_FALSE(LooksLikeUtf8(kanji + "\xE8\x41", true));
    // Shift-JIS and EUC Japanese.
    std::string sjis, euc = "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8";
    ASSERT_TRUE(Utf8ToCp932("日本語のテキスト、ｶﾀｶﾅ", sjis));
    EXPECT_FALSE(LooksLikeUtf8(sjis, true));
    EXPECT_FALSE(LooksLikeUtf8(euc, true));
}

TEST(SjisUnicode, ReadOnlyToolsGetPlaceholders) {
    EXPECT_EQ(Utf8TextToSjis("a\n" + U8(U'漢') + U8(0x1F600) + "\xFF" + U8(0x301C)),
              "a\n\x8A\xBF\x81\xAC?\x81\x60");
}
