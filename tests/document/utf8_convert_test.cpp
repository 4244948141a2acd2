// The UTF-8 reader and writer on their own: forms, problems, cut sequences,
// and round trips through buffers of every small size.
#include "document/utf8_convert.h"

#include <gtest/gtest.h>

#include <random>

#include "document/qzed_doc.h"
#include "document/unwritable.h"
#include "document/kanji_convert.h"
#include "file_test_util.h"
#include "kanji_test_util.h"

namespace qz::test {
namespace {

std::string U8(char32_t u) {
    char buf[4];
    return std::string(buf, EncodeUtf8(u, buf));
}

std::string Read(const std::string& utf8, Utf8Reader& r) { return DecodeUtf8ToSjis(utf8, r); }

// Reads the way the loader does, in pieces of `piece` bytes with the cut
// sequence handed in again.
std::string ReadInPieces(const std::string& utf8, size_t piece, Utf8Reader& r) {
    std::string out, carry;
    size_t pos = 0;
    while (pos < utf8.size() || !carry.empty()) {
        const size_t take = std::min(piece, utf8.size() - pos);
        std::string in = carry + utf8.substr(pos, take);
        pos += take;
        const bool atEnd = pos == utf8.size();
        std::string buf(2 * in.size() + 1, '\0');
        size_t used = 0;
        buf.resize(r.Convert(in.data(), in.size(), buf.data(), atEnd, &used));
        out += buf;
        carry = in.substr(used);
        EXPECT_LE(carry.size(), 3u);
        if (atEnd) {
            EXPECT_TRUE(carry.empty() || r.NotUtf8());
            break;
        }
    }
    return out;
}

// Writes the way the saver does: pieces of text (at least 2 bytes, the
// longest character), a lead byte left over taken again with the next.
std::string WriteInPieces(const std::string& sjis, size_t piece, const Utf8Forms& forms) {
    piece = std::max<size_t>(piece, 2);
    std::string out;
    size_t pos = 0;
    while (pos < sjis.size()) {
        const size_t n = std::min(piece, sjis.size() - pos);
        const bool atEnd = pos + n == sjis.size();
        std::string buf(kMaxUtf8Growth * n, '\0');
        size_t count = n;
        const int left = SjisToUtf8(sjis.data() + pos, buf.data(), count, forms, atEnd);
        EXPECT_LE(count, buf.size());
        out.append(buf, 0, count);
        pos += n - size_t(left);
    }
    return out;
}

TEST(Utf8Convert, JapaneseRoundTripsThroughEveryPieceSize) {
    const std::string utf8 = "int x; // " + U8(U'日') + U8(U'本') + U8(U'語') + U8(0xFF76) + U8(0x2460) +
                             U8(0x7E8A) + "\r\n" + U8(0x301C) + U8(0xFF0D) + "\n";
    for (size_t piece = 1; piece <= 8; ++piece) {
        Utf8Reader r(true, false);
        const std::string sjis = ReadInPieces(utf8, piece, r);
        EXPECT_FALSE(r.NotUtf8());
        EXPECT_EQ(r.Problem().kind, Utf8Problem::kNone);
        EXPECT_EQ(WriteInPieces(sjis, piece, r.Forms()), utf8) << piece;
    }
}

TEST(Utf8Convert, RandomTextsOfEveryCharacterRoundTrip) {
    // Every Unicode value with a Shift-JIS form, in random order and pieces.
    std::vector<char32_t> all;
    for (char32_t u = 1; u < 0x10000; ++u)
        if (UnicodeToSjisChar(u) && TwoFormIndexOfUnicode(u) < 0) all.push_back(u);
    const unsigned seed = std::random_device{}();
    std::mt19937 rng(seed);
    std::shuffle(all.begin(), all.end(), rng);
    std::string utf8;
    for (char32_t u : all) utf8 += U8(u);
    Utf8Reader r(true, false);
    const size_t piece = 1 + rng() % 700;
    const std::string sjis = ReadInPieces(utf8, piece, r);
    ASSERT_EQ(r.Problem().kind, Utf8Problem::kNone) << "seed " << seed;
    EXPECT_TRUE(WriteInPieces(sjis, piece, r.Forms()) == utf8) << "seed " << seed << " piece " << piece;
}

TEST(Utf8Convert, ShiftJisAndEucTextsAreNeverTakenForUtf8) {
    const unsigned seed = std::random_device{}();
    std::mt19937 rng(seed);
    for (int i = 0; i < 2000; ++i) {
        const std::string sjis = RandomSjisText(rng, 200, true);
        ASSERT_FALSE(LooksLikeUtf8(sjis, true)) << "seed " << seed << " text " << i;
        ASSERT_FALSE(LooksLikeUtf8(EncodeFromSjis(kCodeEuc, sjis), true)) << "seed " << seed << " text " << i;
    }
}

TEST(Utf8Convert, EachTwoFormCodeComesBackInTheFormItWasRead) {
    for (int i = 0; i < kTwoFormCount; ++i) {
        for (bool other : {false, true}) {
            const char32_t u = other ? kTwoForms[i].other : kTwoForms[i].usual;
            const std::string utf8 = "a" + U8(u) + "b" + U8(u);
            Utf8Reader r(true, false);
            const std::string sjis = Read(utf8, r);
            EXPECT_EQ(r.Problem().kind, Utf8Problem::kNone);
            EXPECT_EQ(r.Forms().Of(i), other ? Utf8Forms::kOther : Utf8Forms::kUsual);
            EXPECT_EQ(EncodeSjisToUtf8(sjis, r.Forms()), utf8) << i << other;
        }
    }
    // A code the file never used is written in the usual form.
    EXPECT_EQ(EncodeSjisToUtf8("\x81\x60", Utf8Forms()), U8(0xFF5E));
}

TEST(Utf8Convert, BothFormsOfOneCodeAreAProblemNamingTheSecond) {
    Utf8Reader r(true, false);
    const std::string sjis = Read("x\n" + U8(0x2212) + "\ny " + U8(0xFF0D) + U8(0x2212), r);
    EXPECT_EQ(sjis, "x\n\x81\x7C\ny \x81\x7C\x81\x7C");
    const Utf8Problem& p = r.Problem();
    EXPECT_EQ(p.kind, Utf8Problem::kBothForms);
    EXPECT_EQ(p.ch, 0xFF0Du);
    EXPECT_EQ(p.earlier, 0x2212u);
    EXPECT_EQ(p.line, 3u);
    EXPECT_EQ(Utf8ProblemMessage(p),
              "3行目の「－」(U+FF0D)は、このファイルで先に使われている「−」(U+2212)とシフトJISでは同じ文字になります\n"
              "保存で失われないよう、このファイルは読み取り専用で開きます");
}

TEST(Utf8Convert, CharactersWithoutAFormReadAsGetaAndTheFirstIsNamed) {
    Utf8Reader r(true, false);
    const std::string sjis = Read("a\r\nb" + U8(0x1F600) + U8(0xE9) + "\n", r);
    EXPECT_EQ(sjis, "a\r\nb\x81\xAC\x81\xAC\n");
    EXPECT_EQ(r.Problem().kind, Utf8Problem::kNoForm);
    EXPECT_EQ(r.Problem().ch, 0x1F600u);
    EXPECT_EQ(r.Problem().line, 2u);
    EXPECT_EQ(Utf8ProblemMessage(r.Problem()),
              "2行目の「😀」(U+1F600)はシフトJISで表せない文字です\n"
              "保存で失われないよう、このファイルは読み取り専用で開きます");
    // A byte order mark inside the text is a character like any other.
    Utf8Reader inner(true, false);
    Read("a" + U8(0xFEFF), inner);
    EXPECT_FALSE(inner.Bom());
    EXPECT_EQ(Utf8ProblemMessage(inner.Problem()),
              "1行目の(U+FEFF)はシフトJISで表せない文字です\n"
              "保存で失われないよう、このファイルは読み取り専用で開きます");
}

TEST(Utf8Convert, BytesThatAreNotUtf8StopAGuessOrReadAsProblems) {
    const std::string bad = U8(U'漢') + "\n\x82\xA0" + U8(U'字');
    Utf8Reader guess(true, false);
    Read(bad, guess);
    EXPECT_TRUE(guess.NotUtf8());

    Utf8Reader chosen(false, false);
    EXPECT_EQ(Read(bad, chosen), "\x8A\xBF\n\x81\xAC\x81\xAC\x8E\x9A");
    EXPECT_FALSE(chosen.NotUtf8());
    EXPECT_EQ(chosen.Problem().kind, Utf8Problem::kNotUtf8);
    EXPECT_EQ(chosen.Problem().byte, 0x82u);
    EXPECT_EQ(chosen.Problem().line, 2u);

    // A sequence cut by the end of the file is not UTF-8 either.
    Utf8Reader cut(true, false);
    Read(U8(U'漢') + "\xE5\xAD", cut);
    EXPECT_TRUE(cut.NotUtf8());
}

TEST(Utf8Convert, ByteOrderMarkOnlyAtTheStartAndAnEofByteEndsTheText) {
    Utf8Reader r(true, false);
    EXPECT_EQ(ReadInPieces(std::string(kUtf8Bom) + "ab", 1, r), "ab");
    EXPECT_TRUE(r.Bom());
    // With "ReadEND" 0 nothing after 0x1A is looked at, problems included.
    Utf8Reader eof(true, true);
    EXPECT_EQ(Read("ab\x1A" + U8(0x1F600) + "\xFF", eof), "ab\x1A");
    EXPECT_EQ(eof.Problem().kind, Utf8Problem::kNone);
    EXPECT_FALSE(eof.NotUtf8());
}

TEST(Utf8Convert, WriterLeavesOutWhatHasNoUnicodeFormAsFindUnwritableNamesIt) {
    const std::string sjis = "a\xA0" "b\x80\x40" "c\x85\x40" "d\xFF\n\x81";
    EXPECT_EQ(EncodeSjisToUtf8(sjis, Utf8Forms()), "abcd\n");
    CQzedDoc doc;
    ReplaceText(doc, sjis);
    const UnwritableChar u = FindUnwritable(doc, kCodeUtf8);
    EXPECT_EQ(u.count, 5u);
    EXPECT_EQ(u.bytes, "\xA0");
    EXPECT_EQ(UnwritableQuestion(u, kCodeUtf8),
              "1行目の(A0)など、UTF-8で書き込めない文字が5個あります\nこれらの文字を書き込まずに保存しますか？");
    // A lead byte at the end of a piece is taken again with the next.
    size_t count = 3;
    char out[16];
    EXPECT_EQ(SjisToUtf8("a\x8A\xBF", out, count, Utf8Forms(), false), 0);
    count = 2;
    EXPECT_EQ(SjisToUtf8("a\x8A", out, count, Utf8Forms(), false), 1);
    EXPECT_EQ(count, 1u);
}

TEST(Utf8Convert, TypedTextKeepsOneFormPerCodeInAUtf8Document) {
    CQzedDoc doc;
    doc.File().kanjiCode = kCodeUtf8;
    Utf8Forms wave, tilde;
    wave.Set(1, Utf8Forms::kOther);  // 〜 U+301C
    tilde.Set(1, Utf8Forms::kUsual);  // ～ U+FF5E
    EXPECT_EQ(AdmitForms(doc, wave), -1);
    EXPECT_EQ(doc.File().utf8Forms.Of(1), Utf8Forms::kOther);
    // The other form is refused while the text holds the character ...
    ReplaceText(doc, "x\x81\x60");
    EXPECT_EQ(AdmitForms(doc, tilde), 1);
    EXPECT_EQ(FormConflictMessage(1, tilde),
              "「～」(U+FF5E)は、このファイルでは「〜」(U+301C)と書かれる文字のため入力できません");
    EXPECT_EQ(doc.File().utf8Forms.Of(1), Utf8Forms::kOther);
    // ... and taken once it holds none (a trail byte 0x60 of another pair
    // is not the character).
    ReplaceText(doc, "\x81\x81\x60");
    EXPECT_FALSE(HoldsSjisChar(doc, 0x8160));
    EXPECT_EQ(AdmitForms(doc, tilde), -1);
    EXPECT_EQ(doc.File().utf8Forms.Of(1), Utf8Forms::kUsual);

    // A Shift-JIS document takes forms it does not know, and refuses nothing.
    CQzedDoc sjis;
    ReplaceText(sjis, "\x81\x60");
    EXPECT_EQ(AdmitForms(sjis, wave), -1);
    EXPECT_EQ(AdmitForms(sjis, tilde), -1);
    EXPECT_EQ(sjis.File().utf8Forms.Of(1), Utf8Forms::kOther);
}

}  // namespace
}  // namespace qz::test
