// The radix display's number around the caret and the code display's forms.
#include <gtest/gtest.h>

#include "calc/code_text.h"
#include "platform/cp932.h"

namespace qz {
namespace {

constexpr const char* kNotANumber = "１０進数又は１６進数ではありません";

std::string Radix(const std::string& row, size_t caret) {
    std::string text;
    const bool ok = RadixDisplayText(row, caret, &text);
    return (ok ? "" : "error: ") + text;
}

TEST(Radix, HexadecimalAndDecimalRuns) {
    EXPECT_EQ(Radix("x = 0x1F;", 6), "10進数:[31] 16進数:[1F] 2進数:[0001 1111]");
    EXPECT_EQ(Radix("x = 0x1F;", 4), "10進数:[31] 16進数:[1F] 2進数:[0001 1111]");
    EXPECT_EQ(Radix("x = 0X1F;", 7), "10進数:[31] 16進数:[1F] 2進数:[0001 1111]");
    EXPECT_EQ(Radix("$ff", 1), "10進数:[255] 16進数:[FF] 2進数:[1111 1111]");
    EXPECT_EQ(Radix("\\100", 0), "10進数:[256] 16進数:[100] 2進数:[00000001 00000000]");
    EXPECT_EQ(Radix("a 65535 b", 4), "10進数:[65535] 16進数:[FFFF] 2進数:[11111111 11111111]");
    EXPECT_EQ(Radix("65536", 0),
              "10進数:[65536] 16進数:[10000] 2進数:[00000000 00000001 00000000 00000000]");
    EXPECT_EQ(Radix("0", 0), "10進数:[0] 16進数:[0] 2進数:[0000 0000]");
    EXPECT_EQ(Radix("2147483647", 9),
              "10進数:[2147483647] 16進数:[7FFFFFFF] 2進数:[01111111 11111111 11111111 11111111]");
    // Above 7FFFFFFF the decimal form is the signed reading of the 32 bits.
    EXPECT_EQ(Radix("0xFFFFFFFF", 2),
              "10進数:[-1] 16進数:[FFFFFFFF] 2進数:[11111111 11111111 11111111 11111111]");
    EXPECT_EQ(Radix("0x000000001F", 2), "10進数:[31] 16進数:[1F] 2進数:[0001 1111]");
}

TEST(Radix, WhatIsNotANumber) {
    EXPECT_EQ(Radix("x = 12;", 0), std::string("error: ") + kNotANumber);  // caret on "x" is in the set
    EXPECT_EQ(Radix("a = 12;", 2), std::string("error: ") + kNotANumber);  // on the "="
    EXPECT_EQ(Radix("12", 2), std::string("error: ") + kNotANumber);       // past the end
    EXPECT_EQ(Radix("", 0), std::string("error: ") + kNotANumber);
    EXPECT_EQ(Radix("1A", 0), std::string("error: ") + kNotANumber);       // hex digit in a decimal
    EXPECT_EQ(Radix("0x", 0), std::string("error: ") + kNotANumber);
    EXPECT_EQ(Radix("$", 0), std::string("error: ") + kNotANumber);
    EXPECT_EQ(Radix("0x1$2", 0), std::string("error: ") + kNotANumber);
    EXPECT_EQ(Radix("12x", 0), std::string("error: ") + kNotANumber);
}

TEST(Radix, KanjiTrailBytesAreNotDigits) {
    // "ア" is 0x83 0x41: its trail byte is an "A".
    const std::string row = Utf8ToSjis("ア12");
    EXPECT_EQ(Radix(row, 2), "10進数:[12] 16進数:[C] 2進数:[0000 1100]");
    EXPECT_EQ(Radix(row, 0), std::string("error: ") + kNotANumber);
    const std::string after = Utf8ToSjis("12ア");
    EXPECT_EQ(Radix(after, 0), "10進数:[12] 16進数:[C] 2進数:[0000 1100]");
}

TEST(Radix, NumbersBeyondThirtyTwoBitsAreRefusedNotClamped) {
    const std::string tooLarge = "error: ３２ビットを超える数は変換できません";
    EXPECT_EQ(Radix("2147483648", 0), tooLarge);
    EXPECT_EQ(Radix("99999999999999999999999", 0), tooLarge);
    EXPECT_EQ(Radix("0x100000000", 3), tooLarge);
}

TEST(CodeDisplay, SingleBytes) {
    EXPECT_EQ(CodeDisplayText("A"), "コードは 16進[41], 10進[65]");
    EXPECT_EQ(CodeDisplayText("\nx"), "コードは 16進[A], 10進[10]");
    EXPECT_EQ(CodeDisplayText("\xB1"), "コードは 16進[B1], 10進[177]");  // half-width kana
    EXPECT_EQ(CodeDisplayText(""), "");
    // A lead byte without its trail byte stands alone.
    EXPECT_EQ(CodeDisplayText("\x82"), "コードは 16進[82], 10進[130]");
    EXPECT_EQ(CodeDisplayText("\x82\n"), "コードは 16進[82], 10進[130]");
}

TEST(CodeDisplay, DoubleByteCharactersInTheTable) {
    EXPECT_EQ(CodeDisplayText(Utf8ToSjis("あ")), "コードは SJIS=[82A0] JIS=[2422] EUC=[A4A2]");
    EXPECT_EQ(CodeDisplayText(Utf8ToSjis("　")), "コードは SJIS=[8140] JIS=[2121] EUC=[A1A1]");
    EXPECT_EQ(CodeDisplayText(Utf8ToSjis("亜")), "コードは SJIS=[889F] JIS=[3021] EUC=[B0A1]");
    EXPECT_EQ(CodeDisplayText(Utf8ToSjis("ソ")), "コードは SJIS=[835C] JIS=[253D] EUC=[A5BD]");
    EXPECT_EQ(CodeDisplayText(Utf8ToSjis("熙")), "コードは SJIS=[EAA4] JIS=[7426] EUC=[F4A6]");
}

TEST(CodeDisplay, CharactersOutsideTheTableByTheSameArithmetic) {
    // User-defined rows from 0xF040: row 0x7F and up.
    EXPECT_EQ(CodeDisplayText("\xF0\x40"), "コードは SJIS=[F040] JIS=[7F21] EUC=[FFA1]");
    EXPECT_EQ(CodeDisplayText("\xF0\x9F"), "コードは SJIS=[F09F] JIS=[8021] EUC=[100A1]");
    // NEC selected IBM extensions (0xED) and IBM extensions (0xFA).
    EXPECT_EQ(CodeDisplayText("\xED\x40"), "コードは SJIS=[ED40] JIS=[7921] EUC=[F9A1]");
    EXPECT_EQ(CodeDisplayText("\xFA\x40"), "コードは SJIS=[FA40] JIS=[9321] EUC=[113A1]");
    EXPECT_EQ(CodeDisplayText("\xFF\xFC"), "コードは SJIS=[FFFC] JIS=[9E7E] EUC=[11EFE]");
    // A byte that is no trail byte goes through the arithmetic as well.
    EXPECT_EQ(CodeDisplayText("\x81\x30"), "コードは SJIS=[8130] JIS=[2111] EUC=[A191]");
}

}  // namespace
}  // namespace qz
