// Characters EUC and JIS cannot hold: found with the converters' own byte
// rules, named in the save's question, and nothing written on No.
#include "file_test_util.h"

#include <algorithm>
#include <random>

#include "document/kanji_code.h"
#include "document/kanji_convert.h"
#include "document/unwritable.h"
#include "platform/cp932.h"

namespace qz::test {
namespace {

class StringText : public TextAccess {
public:
    explicit StringText(std::string s) : s_(std::move(s)) {}
    uint32_t GetTextLength() override { return uint32_t(s_.size()); }
    uint32_t ReadText(uint32_t p, char* buf, uint32_t n) override {
        if (p == 0 || p - 1 >= s_.size()) return 0;
        return uint32_t(s_.copy(buf, n, p - 1));
    }
    uint32_t InsertText(uint32_t, const char*, uint32_t, uint32_t) override { return 0; }
    uint32_t DeleteText(uint32_t, uint32_t) override { return 0; }

private:
    std::string s_;
};

UnwritableChar Find(const std::string& sjis, int code) {
    StringText t(sjis);
    return FindUnwritable(t, code);
}

TEST(Unwritable, WhatEachCodeLeavesOut) {
    struct Case {
        std::string text;
        int code;
        uint32_t count, pos, line;
        std::string bytes;
    };
    const Case cases[] = {
        // IBM extension kanji and user-defined characters lie beyond row 94.
        {"ab\ncd\nx\xfb\xfcy\n", kCodeEuc, 1, 8, 3, "\xfb\xfc"},
        {"\xf0\x40\xf9\xfc\n", kCodeJis, 2, 1, 1, "\xf0\x40"},
        // NEC row 13 and the NEC-selected IBM rows still have a place.
        {"\x87\x40\xed\x40\xee\xfc", kCodeEuc, 0, 0, 0, ""},
        // 0xA0 widens to nothing in JIS; EUC writes it as a kana byte.
        {"a\xa0", kCodeJis, 1, 2, 1, "\xa0"},
        {"a\xa0", kCodeEuc, 0, 0, 0, ""},
        // The converter takes 0x80 as a lead byte: it goes with the byte after it.
        {"\n\x80" "A\n", kCodeEuc, 1, 2, 2, "\x80" "A"},
        // A lead byte before a line feed or at the very end stands alone.
        {"\x88\n\x88", kCodeJis, 2, 1, 1, "\x88"},
        // Shift-JIS writes every byte as it is.
        {"\xfb\xfc\x80\xa0", kCodeSjis, 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        const UnwritableChar u = Find(c.text, c.code);
        SCOPED_TRACE(::testing::PrintToString(c.text));
        EXPECT_EQ(u.count, c.count);
        EXPECT_EQ(u.pos, c.pos);
        EXPECT_EQ(u.line, c.line);
        EXPECT_EQ(u.bytes, c.bytes);
    }
}

TEST(Unwritable, CharacterAcrossTheReadPieces) {
    // The lead byte is the last byte of the first 64 KB piece.
    std::string text(65535, 'a');
    text[100] = '\n';
    text += "\xfb\xfc\n";
    const UnwritableChar u = Find(text, kCodeEuc);
    EXPECT_EQ(u.count, 1u);
    EXPECT_EQ(u.pos, 65536u);
    EXPECT_EQ(u.line, 2u);
    EXPECT_EQ(u.bytes, "\xfb\xfc");
}

// A text that JIS writes whole, as it reads back: half-width kana widened.
std::string Widened(const std::string& sjis) {
    std::string out;
    for (size_t i = 0; i < sjis.size(); ++i) {
        const uint8_t c = uint8_t(sjis[i]);
        if (IsHalfKana(c)) {
            out += char(WidenHalfKana(c) >> 8);
            out += char(WidenHalfKana(c) & 0xFF);
        } else {
            out += sjis.substr(i, c < 0x80 ? 1 : 2);
            i += c < 0x80 ? 0 : 1;
        }
    }
    return out;
}

// Whatever the text, the reported characters are exactly what the converter
// drops: without them it writes the same bytes, and the rest reads back whole.
TEST(Unwritable, ExactlyWhatTheConverterDrops) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const uint8_t interesting[] = {'a', '\n', 0x80, 0x81, 0x88, 0x9f, 0xa0, 0xa1, 0xdf, 0xe0, 0xea, 0xed,
                                   0xef, 0xf0, 0xfa, 0xfb, 0xfc, 0xfd, 0xff, 0x40, 0x7f, 0x9e, 0xfc};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int len = int(rng() % 40);
        for (int i = 0; i < len; ++i)
            text += char(rng() % 3 ? interesting[rng() % sizeof interesting] : uint8_t(rng()));
        // An escape byte is written as it is, but a JIS reader takes it for
        // the start of an escape sequence.
        std::replace(text.begin(), text.end(), '\x1b', 'e');
        for (int code : {kCodeEuc, kCodeJis}) {
            std::string kept = text;
            UnwritableChar u = Find(kept, code);
            while (u.count) {
                ASSERT_EQ(kept.compare(u.pos - 1, u.bytes.size(), u.bytes), 0);
                kept.erase(u.pos - 1, u.bytes.size());
                const uint32_t before = u.count;
                u = Find(kept, code);
                ASSERT_EQ(u.count, before - 1);
            }
            ASSERT_EQ(EncodeFromSjis(code, kept), EncodeFromSjis(code, text));
            ASSERT_EQ(DecodeToSjis(code, EncodeFromSjis(code, kept)), code == kCodeJis ? Widened(kept) : kept);
        }
    }
}

TEST(Unwritable, QuestionNamesTheCharacterItsCodeAndLine) {
    UnwritableChar one = Find("ab\n\xfb\xfc\n", kCodeEuc);
    EXPECT_EQ(UnwritableQuestion(one, kCodeEuc),
              "2行目の「髙」(FBFC)はEUCで書き込めない文字です\nこの文字を書き込まずに保存しますか？");
    // Without a Unicode form only the code is shown.
    UnwritableChar many = Find("\x80" "A\n\xf0\x40\xa0", kCodeJis);
    EXPECT_EQ(UnwritableQuestion(many, kCodeJis),
              "1行目の(8041)など、JISで書き込めない文字が3個あります\nこれらの文字を書き込まずに保存しますか？");
    // A user-defined character has only a private-use form, which shows nothing.
    EXPECT_EQ(UnwritableQuestion(Find("\xf0\x40", kCodeEuc), kCodeEuc),
              "1行目の(F040)はEUCで書き込めない文字です\nこの文字を書き込まずに保存しますか？");
}

// ------------------------------------------------------------------ the save

class UnwritableSave : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        WriteWholeFile(Path("x.txt"), "old\n");
        ASSERT_EQ(io_.Load(doc_, Path("x.txt")), 0);
        ReplaceText(doc_, Utf8ToSjis("一\n髙橋\n"));
    }
    CQzedDoc doc_;
};

TEST_F(UnwritableSave, NoWritesNothingYesWritesWithoutTheCharacter) {
    doc_.File().kanjiCode = kCodeEuc;
    box_.answers = {MbResult::No};
    EXPECT_EQ(io_.Save(doc_, Path("x.txt")), 0);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text,
              "2行目の「髙」(FBFC)はEUCで書き込めない文字です\nこの文字を書き込まずに保存しますか？");
    EXPECT_EQ(box_.shown[0].caption, Path("x.txt"));
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Question);
    EXPECT_EQ(box_.shown[0].buttons, MbButtons::YesNoCancel);
    EXPECT_EQ(ReadWholeFile(Path("x.txt")), "old\n");
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"x.txt"}));
    EXPECT_TRUE(doc_.IsModified());

    box_.answers = {MbResult::Cancel};
    EXPECT_EQ(io_.Save(doc_, Path("x.txt")), 0);
    EXPECT_EQ(ReadWholeFile(Path("x.txt")), "old\n");

    box_.answers = {MbResult::Yes};
    EXPECT_EQ(io_.Save(doc_, Path("x.txt")), 1);
    EXPECT_EQ(ReadWholeFile(Path("x.txt")), EncodeFromSjis(kCodeEuc, Utf8ToSjis("一\n橋\n")));
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(UnwritableSave, OnlyEucAndJisAsk) {
    doc_.File().kanjiCode = kCodeSjis;
    EXPECT_EQ(io_.Save(doc_, Path("x.txt")), 1);
    EXPECT_TRUE(box_.shown.empty());
    doc_.File().kanjiCode = kCodeJis;
    ReplaceText(doc_, Utf8ToSjis("一\n"));
    EXPECT_EQ(io_.Save(doc_, Path("x.txt")), 1);
    EXPECT_TRUE(box_.shown.empty());
    ReplaceText(doc_, "\xf0\x40");
    box_.answers = {MbResult::No};
    EXPECT_EQ(io_.Save(doc_, Path("x.txt")), 0);
    EXPECT_EQ(box_.shown.size(), 1u);
}

}  // namespace
}  // namespace qz::test
