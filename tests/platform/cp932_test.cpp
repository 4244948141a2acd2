#include "platform/cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>

using namespace qz;

namespace {
// Whether plain Shift_JIS (JIS X 0208 only, no vendor rows) defines the pair.
bool IsJisX0208(unsigned char a, unsigned char b) {
    static iconv_t cd = iconv_open("UTF-8", "SHIFT_JIS");
    char in[2] = {char(a), char(b)}, out[8];
    char* src = in;
    char* dst = out;
    size_t il = 2, ol = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return iconv(cd, &src, &il, &dst, &ol) != size_t(-1) && il == 0;
}
}  // namespace

TEST(Cp932, EveryJisX0208CharacterRoundTrips) {
    int count = 0;
    for (int a = 0x81; a <= 0xFC; ++a) {
        if (!IsSjisLead(uint8_t(a))) continue;
        for (int b = 0x40; b <= 0xFC; ++b) {
            if (b == 0x7F || !IsJisX0208(uint8_t(a), uint8_t(b))) continue;
            ++count;
            const std::string sjis{char(a), char(b)};
            std::string utf8, back;
            ASSERT_TRUE(Cp932ToUtf8(sjis, utf8)) << std::hex << a << b;
            ASSERT_TRUE(Utf8ToCp932(utf8, back)) << std::hex << a << b;
            EXPECT_EQ(back, sjis) << std::hex << a << " " << b;
        }
    }
    EXPECT_EQ(count, 6879);  // the size of JIS X 0208
}

TEST(Cp932, AsciiAndHalfWidthKana) {
    std::string utf8;
    ASSERT_TRUE(Cp932ToUtf8("abc\xB1\xDE", utf8));
    EXPECT_EQ(utf8, "abc\xEF\xBD\xB1\xEF\xBE\x9E");  // ｱﾞ
    std::string sjis;
    ASSERT_TRUE(Utf8ToCp932("漢字", sjis));
    EXPECT_EQ(sjis, "\x8A\xBF\x8E\x9A");
}

TEST(Cp932, NoLookAlikes) {
    // glibc's own table writes these as ASCII, which would not come back.
    std::string sjis;
    ASSERT_TRUE(Utf8ToCp932("¥‾\\~", sjis));
    EXPECT_EQ(sjis, "\x81\x8F\x81\x50\\~");
}

TEST(Cp932, CharacterWithoutShiftJisFormIsReported) {
    std::string sjis;
    size_t bad = 99;
    EXPECT_FALSE(Utf8ToCp932("ab\xE2\x82\xAC" "cd", sjis, &bad));  // euro sign
    EXPECT_EQ(bad, 2u);
    EXPECT_FALSE(Utf8ToCp932("\xF0\x9F\x98\x80", sjis, &bad));  // emoji
    EXPECT_EQ(bad, 0u);
    EXPECT_FALSE(Utf8ToCp932("x\xFF", sjis, &bad));  // not UTF-8 at all
    EXPECT_EQ(bad, 1u);
    EXPECT_EQ(Utf8ToSjis("a\xE2\x82\xAC" "b"), "a?b");
}

TEST(Cp932, InvalidShiftJisIsReportedOrReplaced) {
    std::string utf8;
    size_t bad = 99;
    EXPECT_FALSE(Cp932ToUtf8("ok\x81", utf8, &bad));  // lead byte at the end
    EXPECT_EQ(bad, 2u);
    EXPECT_TRUE(Cp932ToUtf8("ok", utf8));
    EXPECT_EQ(SjisToUtf8("a\x85\x40z"), "a\xEF\xBF\xBDz");  // unassigned row, one replacement
}

TEST(Cp932, PrefixesNeverSplitACharacter) {
    const std::string s = "a\x8A\xBF\x8E\x9A";  // a漢字
    EXPECT_EQ(SjisPrefix(s, 2), "a");
    EXPECT_EQ(SjisPrefix(s, 3), "a\x8A\xBF");
    EXPECT_EQ(SjisPrefix(s, 4), "a\x8A\xBF");
    EXPECT_EQ(SjisPrefix(s, 10), s);
    EXPECT_EQ(Utf8PrefixBySjisBytes("a漢字", 4), "a漢");
    EXPECT_EQ(Utf8PrefixBySjisBytes("a漢字", 5), "a漢字");
}
