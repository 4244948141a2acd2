// The hit line's text conversion and the loader's dropped bytes, checked
// against the project's own converters over every byte value.
#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"
#include "qzgrep/file_search.h"

TEST(HitFormat, AsciiShortcutAgreesWithTheConverter) {
    std::string ascii;
    for (int c = 1; c < 0x80; ++c)
        if (c != '\n') ascii += static_cast<char>(c);
    std::string out;
    qzgrep::AppendHit(out, "a.c", false, 7, ascii);
    std::string utf8;
    ASSERT_TRUE(qz::Cp932ToUtf8(ascii, utf8));
    EXPECT_EQ(out, "a.c 7: " + utf8 + "\n");
}

TEST(HitFormat, UnconvertibleBytesBecomeReplacementCharacters) {
    std::string out;
    qzgrep::AppendHit(out, "n", true, 1234567, std::string("x\xA0y\x82\xA0", 5));
    std::string expected;
    qz::Cp932ToUtf8(std::string("x\xA0y\x82\xA0", 5), expected, nullptr, true);
    EXPECT_EQ(out, "\"n\" 1234567: " + expected + "\n");
    EXPECT_NE(expected.find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(LoaderBytes, CarriageReturnsNulAndEofGoEverythingElseStays) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    std::string kept;
    for (int c = 0; c < 256; ++c)
        if (c != '\r' && c != 0 && c != 0x1A) kept += static_cast<char>(c);
    // Bytes 0x80-0x8D cannot be EUC, so the text stays Shift-JIS.
    EXPECT_EQ(qzgrep::BytesToSjisText(all), kept);
    EXPECT_EQ(qzgrep::BytesToSjisText(std::string(1000, '\r')), "");
}
