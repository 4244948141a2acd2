// Stream converters: round trips over every JIS X 0208 character at every
// buffer split, the left-over results at buffer ends, and the exact bytes of
// escapes, kana widening and bytes that are not valid in their code.
#include "document/kanji_code.h"
#include "document/kanji_convert.h"
#include "kanji_test_util.h"
#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using namespace qz;
using namespace qz::test;

namespace {
std::string AllCharsText(bool kana) {
    // Every JIS X 0208 character once, in order, with ASCII and (optionally)
    // kana between them so that every mode change occurs often.
    std::mt19937 rng(7);
    std::string s;
    for (const std::string& c : JisX0208Chars()) {
        s += c;
        switch (rng() % 5) {
        case 0: s += char(0x21 + rng() % 0x5E); break;
        case 1: s += '\n'; break;
        case 2:
            if (kana) s += char(0xA1 + rng() % 63);
            break;
        default: break;
        }
    }
    return s;
}

struct Conv {
    int code;
    const char* name;
};
const Conv kCodes[] = {{kCodeEuc, "EUC"}, {kCodeJis, "JIS"}};
}  // namespace

TEST(KanjiConvert, EveryCharacterRoundTripsInLoaderAndSaverPieces) {
    for (bool kana : {false, true}) {
        const std::string text = AllCharsText(kana);
        for (const Conv& c : kCodes) {
            const std::string want = c.code == kCodeJis ? Widened(text) : text;
            const std::string whole = EncodeFromSjis(c.code, text);
            for (size_t piece : {3, 4, 5, 7, 8, 9, 13, 512, 4096}) {
                SCOPED_TRACE(::testing::Message() << c.name << " piece " << piece << " kana " << kana);
                EXPECT_EQ(WriteLikeSaver(c.code, text, piece), whole);
                EXPECT_EQ(ReadLikeLoader(c.code, whole, piece), want);
            }
        }
    }
}

TEST(KanjiConvert, EverySplitPointOfRandomTextsChangesNothing) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    for (int round = 0; round < 60; ++round) {
        const std::string text = RandomSjisText(rng, 40 + rng() % 80, true);
        for (const Conv& c : kCodes) {
            const std::string want = c.code == kCodeJis ? Widened(text) : text;
            const std::string file = EncodeFromSjis(c.code, text);
            ASSERT_EQ(DecodeToSjis(c.code, file), want) << c.name;
            for (size_t k = 0; k <= text.size(); ++k)
                ASSERT_EQ(EncodeSplit(c.code, text, k), file) << c.name << " split " << k;
            for (size_t k = 0; k <= file.size(); ++k)
                ASSERT_EQ(DecodeSplit(c.code, file, k), want) << c.name << " split " << k;
        }
    }
}

TEST(KanjiConvert, LeftOverAtTheBufferEnd) {
    char out[32];
    size_t n = 3;
    EXPECT_EQ(EucToSjis("a\xB0\xA1", out, n), 0);
    n = 2;
    EXPECT_EQ(EucToSjis("a\xB0", out, n), 1);
    EXPECT_EQ(std::string(out, n), "a");
    n = 2;
    EXPECT_EQ(EucToSjis("a\x8E", out, n), 1);
    n = 2;
    EXPECT_EQ(SjisToEuc("a\x88", out, n), 1);
    EXPECT_EQ(std::string(out, n), "a");
    n = 2;  // a half-width kana is whole in itself
    EXPECT_EQ(SjisToEuc("a\xB1", out, n), 0);
    EXPECT_EQ(std::string(out, n), "a\x8E\xB1");

    int mode = kJisKanji;
    n = 2;
    EXPECT_EQ(SjisToJis("a\x88", out, n, mode), 1);
    EXPECT_EQ(std::string(out, n), "\x1B(Ba");
    EXPECT_EQ(mode, kJisAscii);

    // JIS: escapes cut after one or two bytes, and the first byte of a pair.
    const struct {
        const char* in;
        int mode;
        int left;
        const char* out;
    } jis[] = {
        {"ab\x1B", kJisAscii, 1, "ab"},
        {"ab\x1B$", kJisAscii, 2, "ab"},
        {"ab\x1B(", kJisAscii, 2, "ab"},
        {"ab\x1Bx", kJisAscii, 0, "abx"},  // cannot become an escape we know
        {"\x30\x21\x30", kJisKanji, 1, "\x88\x9F"},
        {"\x30\x21\x1B", kJisKanji, 1, "\x88\x9F"},
        {"\x31", kJisKana, 0, "\xB1"},
    };
    for (const auto& t : jis) {
        int m = t.mode;
        n = strlen(t.in);
        EXPECT_EQ(JisToSjis(t.in, out, n, m), t.left) << t.in;
        EXPECT_EQ(std::string(out, n), t.out) << t.in;
        EXPECT_EQ(m, t.mode) << t.in;
    }
}

TEST(KanjiConvert, AtTheEndOfTheStreamNothingIsLeftOver) {
    char out[32];
    size_t n = 2;
    EXPECT_EQ(EucToSjis("a\xB0", out, n, true), 0);
    EXPECT_EQ(std::string(out, n), "a");
    n = 2;
    EXPECT_EQ(SjisToEuc("a\x88", out, n, true), 0);
    EXPECT_EQ(std::string(out, n), "a");
    int mode = kJisAscii;
    n = 3;  // the escape byte goes; what follows it stands
    EXPECT_EQ(JisToSjis("a\x1B$", out, n, mode, true), 0);
    EXPECT_EQ(std::string(out, n), "a$");
    mode = kJisKanji;
    n = 3;
    EXPECT_EQ(JisToSjis("\x30\x21\x30", out, n, mode, true), 0);
    EXPECT_EQ(std::string(out, n), "\x88\x9F");
}

TEST(KanjiConvert, JisEscapesAndModes) {
    // ESC $ @ and ESC ( J are read like ESC $ B and ESC ( B; ESC ( I reads
    // half-width kana; an unknown escape loses only its escape byte.
    EXPECT_EQ(DecodeToSjis(kCodeJis, "\x1B$@\x30\x21\x1B(Ja\x1B(I\x31\x5F\x1B(Bb"),
              "\x88\x9F" "a\xB1\xDF" "b");
    EXPECT_EQ(DecodeToSjis(kCodeJis, "x\x1B$Ay\x1B" "(Zz"), "x$Ay(Zz");
    // The writer switches only when needed and never closes kanji at the end.
    EXPECT_EQ(EncodeFromSjis(kCodeJis, "a\x88\x9F\x88\x9F" "b\n\x88\x9F"),
              "a\x1B$B\x30\x21\x30\x21\x1B(Bb\n\x1B$B\x30\x21");
    // A carried mode is honoured: a buffer that starts in kanji mode needs no
    // escape before its first pair.
    int mode = kJisKanji;
    char out[16];
    size_t n = 3;
    EXPECT_EQ(SjisToJis("\x88\x9Fz", out, n, mode), 0);
    EXPECT_EQ(std::string(out, n), "\x30\x21\x1B(Bz");
    mode = kJisKanji;
    n = 5;
    EXPECT_EQ(JisToSjis("\x30\x21\x1B(B", out, n, mode), 0);
    EXPECT_EQ(mode, kJisAscii);
}

TEST(KanjiConvert, HalfWidthKanaBecomeFullWidthInJis) {
    // The katakana, punctuation and voiced-sound marks of 0xA1-0xDF in order.
    const std::string wide =
        "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
        "マミムメモヤユヨラリルレロワン゛゜";
    std::string half;
    for (int c = 0xA1; c <= 0xDF; ++c) half += char(c);
    std::string wideSjis;
    ASSERT_TRUE(Utf8ToCp932(wide, wideSjis));
    ASSERT_EQ(wideSjis.size(), 2u * half.size());
    EXPECT_EQ(DecodeToSjis(kCodeJis, EncodeFromSjis(kCodeJis, half)), wideSjis);
    // "ｶﾞ" stays two characters: カ and ゛.
    EXPECT_EQ(EncodeFromSjis(kCodeJis, "\xB6\xDE"), "\x1B$B\x25\x2B\x21\x2B");
    // EUC keeps them half-width.
    EXPECT_EQ(DecodeToSjis(kCodeEuc, EncodeFromSjis(kCodeEuc, half)), half);
}

TEST(KanjiConvert, BytesThatAreNotValidInTheirCode) {
    // Shift-JIS writers: a lead byte without a trail byte is dropped and the
    // next byte stands alone (the line feed survives); a pair outside JIS
    // X 0208 (user-defined and vendor rows) has no place and is dropped;
    // 0xA0 has no full-width form.
    EXPECT_EQ(EncodeFromSjis(kCodeEuc, "a\x88\nb"), "a\nb");
    EXPECT_EQ(EncodeFromSjis(kCodeEuc, "\x88\x7F"), "\x7F");
    EXPECT_EQ(EncodeFromSjis(kCodeEuc, "a\xF0\x40\xFA\x40\x80\x40" "b"), "ab");
    EXPECT_EQ(EncodeFromSjis(kCodeEuc, "\xA0"), "\x8E\xA0");
    EXPECT_EQ(EncodeFromSjis(kCodeJis, "a\xA0" "b"), "ab");
    EXPECT_EQ(EncodeFromSjis(kCodeJis, "\xF0\x40\x88\x9F"), "\x1B$B\x30\x21");
    // EUC reader: a high byte before an ASCII byte is dropped; 0x8E takes
    // the next byte as it is; other pairs go through the arithmetic.
    EXPECT_EQ(DecodeToSjis(kCodeEuc, "a\xB0\nb"), "a\nb");
    EXPECT_EQ(DecodeToSjis(kCodeEuc, "\x8E" "a"), "a");
    EXPECT_EQ(DecodeToSjis(kCodeEuc, "\x8F\xB0\xA1"), "\x78\x4F") << "three-byte forms are not known";
    // JIS reader in kanji mode: control bytes and blanks stand for themselves,
    // a first byte before one is dropped; in kana mode too they stay.
    EXPECT_EQ(DecodeToSjis(kCodeJis, "\x1B$B\x30\x21\n\x30\x21 \x30\n"),
              "\x88\x9F\n\x88\x9F \n");
    EXPECT_EQ(DecodeToSjis(kCodeJis, "\x1B(I\x31\n\x32"), "\xB1\n\xB2");
    // Reading never produces a byte below 0x1F from a pair.
    for (int a = 0x80; a <= 0xFF; ++a) {
        for (int b = 0x80; b <= 0xFF; ++b) {
            if (a == 0x8E) continue;
            const std::string s = DecodeToSjis(kCodeEuc, std::string{char(a), char(b)});
            ASSERT_EQ(s.size(), 2u);
            ASSERT_GE(static_cast<unsigned char>(s[0]), 0x1F);
            ASSERT_GE(static_cast<unsigned char>(s[1]), 0x1F);
        }
    }
}

TEST(KanjiConvert, SingleCharacterCodes) {
    EXPECT_EQ(SjisCharToJis(0x8140), 0x2121u);   // ideographic space
    EXPECT_EQ(SjisCharToEuc(0x8140), 0xA1A1u);
    EXPECT_EQ(SjisCharToJis(0x889F), 0x3021u);   // 亜
    EXPECT_EQ(SjisCharToJis(0x9FFC), 0x5E7Eu);
    EXPECT_EQ(SjisCharToJis(0xE040), 0x5F21u);
    EXPECT_EQ(SjisCharToJis(0xEAA4), 0x7426u);   // 熙, the last of JIS X 0208
    EXPECT_EQ(SjisCharToEuc(0xEAA4), 0xF4A6u);
    EXPECT_EQ(SjisCharToJis(0x8780), 0x2D60u);   // vendor row 13 has a position
    EXPECT_EQ(SjisCharToJis(0xF040), 0u);        // user-defined: none
    EXPECT_EQ(SjisCharToEuc(0xF040), 0u);
    EXPECT_EQ(SjisCharToJis(0x887F), 0u);        // not a trail byte
    // Agrees with the stream converter for every pair it accepts.
    for (const std::string& c : JisX0208Chars()) {
        const unsigned sjis = static_cast<unsigned char>(c[0]) << 8 | static_cast<unsigned char>(c[1]);
        const std::string euc = EncodeFromSjis(kCodeEuc, c);
        ASSERT_EQ(euc.size(), 2u);
        ASSERT_EQ(SjisCharToEuc(sjis), unsigned(static_cast<unsigned char>(euc[0]) << 8 |
                                                static_cast<unsigned char>(euc[1])));
    }
}

TEST(KanjiConvert, LineEndsAndLabels) {
    char out[32];
    EXPECT_EQ(std::string(out, ExpandLineEnds("a\nb\n\n", 5, out)), "a\r\nb\r\n\r\n");
    EXPECT_EQ(ExpandLineEnds("", 0, out), 0u);
    // Line feeds at every place of the 16-byte steps, in runs and alone, and
    // an output buffer exactly as large as the contract asks.
    std::mt19937 rng(5);
    for (int round = 0; round < 2000; ++round) {
        std::string text(rng() % 70, 'x');
        for (char& c : text) c = rng() % 4 == 0 ? '\n' : char('a' + rng() % 26);
        std::string want;
        for (char c : text) want += c == '\n' ? std::string("\r\n") : std::string(1, c);
        std::vector<char> buf(2 * text.size());
        ASSERT_EQ(std::string(buf.data(), ExpandLineEnds(text.data(), text.size(), buf.data())), want) << text;
    }
    // After JIS conversion the escape comes before the carriage return.
    const std::string jis = EncodeFromSjis(kCodeJis, "\x88\x9F\n");
    EXPECT_EQ(std::string(out, ExpandLineEnds(jis.data(), jis.size(), out)),
              "\x1B$B\x30\x21\x1B(B\r\n");

    EXPECT_EQ(KanjiLabel(kCodeSjis, kLineCrLf), "");
    EXPECT_EQ(KanjiLabel(kCodeSjis, kLineLf), "  [sjis, lf]");
    EXPECT_EQ(KanjiLabel(kCodeEuc, kLineCrLf), "  [euc, cr/lf]");
    EXPECT_EQ(KanjiLabel(kCodeEuc, kLineLf), "  [euc, lf]");
    EXPECT_EQ(KanjiLabel(kCodeJis, kLineCrLf), "  [jis, cr/lf]");
    EXPECT_EQ(KanjiLabel(kCodeJis, kLineLf), "  [jis, lf]");
    EXPECT_EQ(KanjiLabel(kCodeUtf8, kLineCrLf), "  [utf8, crlf]");
    EXPECT_EQ(KanjiLabel(kCodeUtf8, kLineLf), "  [utf8, lf]");
}

TEST(KanjiConvert, TheCharacterSetIsWhole) {
    EXPECT_EQ(JisX0208Chars().size(), 6879u);
}
