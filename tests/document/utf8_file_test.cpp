// UTF-8 files through load and save: byte-for-byte round trips, detection,
// the read-only cases with their message, and typed text saved as UTF-8.
#include "file_test_util.h"

#include "document/kanji_convert.h"
#include "document/utf8_convert.h"
#include "platform/cp932.h"

namespace qz::test {
namespace {

std::string U8(char32_t u) {
    char buf[4];
    return std::string(buf, EncodeUtf8(u, buf));
}

std::string Sjis(const std::string& utf8) {
    std::string s;
    EXPECT_TRUE(Utf8ToCp932(utf8, s));
    return s;
}

const std::string kJapanese = "// 日本語のコメント ｶﾀｶﾅ ①\nint main(void) { return 0; }\n";

class Utf8FileTest : public FileTest {
protected:
    // Loads the bytes from a file, saves the document unchanged over it and
    // returns what the file holds afterwards.
    std::string RoundTrip(const std::string& bytes, CQzedDoc& doc, int explicitCode = 0) {
        WriteWholeFile(Path("f.txt"), bytes);
        EXPECT_EQ(io_.Load(doc, Path("f.txt"), explicitCode), 0);
        EXPECT_EQ(io_.Save(doc, Path("f.txt")), 1);
        return ReadWholeFile(Path("f.txt"));
    }
    void Crlf(std::string& s) {
        std::string out;
        for (char c : s) {
            if (c == '\n') out += '\r';
            out += c;
        }
        s = out;
    }
};

TEST_F(Utf8FileTest, JapaneseFilesComeBackByteForByte) {
    for (bool bom : {false, true}) {
        for (bool crlf : {false, true}) {
            std::string bytes = (bom ? std::string(kUtf8Bom) : "") + kJapanese;
            if (crlf) Crlf(bytes);
            CQzedDoc doc;
            EXPECT_EQ(RoundTrip(bytes, doc), bytes) << bom << crlf;
            EXPECT_EQ(doc.File().kanjiCode, kCodeUtf8);
            EXPECT_EQ(doc.File().utf8Bom, bom);
            EXPECT_EQ(doc.File().lineEnd, crlf ? kLineCrLf : kLineLf);
            EXPECT_EQ(TextOf(doc), Sjis(kJapanese));
            EXPECT_FALSE(doc.IsReadOnly());
            EXPECT_TRUE(box_.shown.empty());
            EXPECT_EQ(TheSettings().recentFiles[0], "4 " + Path("f.txt"));
        }
    }
}

TEST_F(Utf8FileTest, EachTwoFormCharacterComesBackInEitherForm) {
    for (int i = 0; i < kTwoFormCount; ++i) {
        for (bool other : {false, true}) {
            const char32_t u = other ? kTwoForms[i].other : kTwoForms[i].usual;
            const std::string bytes = "漢字 " + U8(u) + "\n" + U8(u) + "\n";
            CQzedDoc doc;
            EXPECT_EQ(RoundTrip(bytes, doc), bytes) << std::hex << unsigned(u);
            EXPECT_FALSE(doc.IsReadOnly());
        }
    }
}

TEST_F(Utf8FileTest, CharacterWithoutShiftJisFormOpensReadOnlyAndIsNeverSavedOverItsFile) {
    const std::string bytes = "first\nsecond " + U8(0x1F363) + " and " + U8(0x20B9F) + "\n";
    WriteWholeFile(Path("emoji.txt"), bytes);
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("emoji.txt")), 0);
    EXPECT_EQ(doc.File().kanjiCode, kCodeUtf8);
    EXPECT_TRUE(doc.IsReadOnly());
    EXPECT_EQ(TextOf(doc), "first\nsecond \x81\xAC and \x81\xAC\n");
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text,
              "2行目の「🍣」(U+1F363)はシフトJISで表せない文字です\n"
              "保存で失われないよう、このファイルは読み取り専用で開きます");
    EXPECT_EQ(box_.shown[0].caption, Path("emoji.txt"));
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Exclamation);

    // Even past the read-only question the file keeps its characters; another
    // name takes the text as it reads.
    box_.shown.clear();
    EXPECT_EQ(io_.Save(doc, Path("emoji.txt")), 0);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text,
              "このファイルには読み込めなかった文字があるため、上書き保存できません\n別の名前で保存してください");
    EXPECT_EQ(ReadWholeFile(Path("emoji.txt")), bytes);
    box_.answers = {MbResult::Yes};  // the read-only question
    EXPECT_EQ(io_.Save(doc, Path("copy.txt")), 1);
    EXPECT_EQ(ReadWholeFile(Path("copy.txt")), "first\nsecond 〓 and 〓\n");

    // Reading the file again after it was fixed clears the guard.
    WriteWholeFile(Path("emoji.txt"), "fixed\n" + U8(U'寿'));
    CQzedDoc again;
    ASSERT_EQ(io_.Load(again, Path("emoji.txt")), 0);
    EXPECT_FALSE(again.IsReadOnly());
    EXPECT_TRUE(again.File().lossyFrom.empty());
}

TEST_F(Utf8FileTest, BothFormsOfOneCodeOpenReadOnlyNamingTheFirstClash) {
    const std::string bytes = "a" + U8(0x301C) + "\nb\nc" + U8(0xFF5E) + U8(0x301C) + "\n";
    WriteWholeFile(Path("mixed.txt"), bytes);
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("mixed.txt")), 0);
    EXPECT_TRUE(doc.IsReadOnly());
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text,
              "3行目の「～」(U+FF5E)は、このファイルで先に使われている「〜」(U+301C)とシフトJISでは同じ文字になります\n"
              "保存で失われないよう、このファイルは読み取り専用で開きます");
    EXPECT_EQ(io_.Save(doc, Path("mixed.txt")), 0);
    EXPECT_EQ(ReadWholeFile(Path("mixed.txt")), bytes);
}

TEST_F(Utf8FileTest, TypedKanjiIsSavedAsUtf8InTheFormsOfTheFile) {
    const std::string bytes = "name: " + U8(0x301C) + "\n";
    WriteWholeFile(Path("t.txt"), bytes);
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("t.txt")), 0);
    doc.BeginUndoGroup();
    const std::string typed = Sjis("漢字") + "\x81\x60";  // 漢字〜 as the view inserts it
    doc.Store().InsertText(doc.GetTextLength() + 1, typed.data(), uint32_t(typed.size()), 0);
    ASSERT_EQ(io_.Save(doc, Path("t.txt")), 1);
    EXPECT_EQ(ReadWholeFile(Path("t.txt")), bytes + "漢字" + U8(0x301C));
    // No Shift-JIS byte ever lands in the file.
    EXPECT_EQ(ReadWholeFile(Path("t.txt")).find(Sjis("漢")), std::string::npos);
}

TEST_F(Utf8FileTest, SavingAsUtf8WritesEveryCharacterOrAsksFirst) {
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("new.txt")), 0);
    ReplaceText(doc, Sjis(kJapanese));
    doc.File().kanjiCode = kCodeUtf8;
    doc.File().lineEnd = kLineLf;
    ASSERT_EQ(io_.Save(doc, Path("new.txt")), 1);
    EXPECT_EQ(ReadWholeFile(Path("new.txt")), kJapanese);
    EXPECT_TRUE(box_.shown.empty());

    // A byte with no Unicode form is named before anything is written.
    ReplaceText(doc, "a\x85\x40");
    box_.answers = {MbResult::No};
    EXPECT_EQ(io_.Save(doc, Path("new.txt")), 0);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text,
              "1行目の(8540)はUTF-8で書き込めない文字です\nこの文字を書き込まずに保存しますか？");
    EXPECT_EQ(ReadWholeFile(Path("new.txt")), kJapanese);
}

TEST_F(Utf8FileTest, DetectionTakesUtf8OnlyWhenItIsUtf8) {
    Env().CharCheck = 0;  // UTF-8 is taken whatever "CharCheck" says
    struct Case {
        const char* what;
        std::string bytes;
        int code;
    };
    const std::string sjis = Sjis(kJapanese);
    const std::string euc = EncodeFromSjis(kCodeEuc, sjis);
    const std::string big = std::string(200 * 1024, 'a') + "\n";
    const std::vector<Case> cases = {
        {"ASCII", "int main;\n", kCodeSjis},
        {"empty", "", kCodeSjis},
        {"Shift-JIS", sjis, kCodeSjis},
        {"EUC", euc, kCodeSjis},  // EUC stays with "CharCheck"
        {"JIS", EncodeFromSjis(kCodeJis, sjis), kCodeSjis},
        {"UTF-8", kJapanese, kCodeUtf8},
        {"BOM only", kUtf8Bom, kCodeUtf8},
        {"truncated final sequence", kJapanese + "\xE6\xBC", kCodeSjis},
        {"long ASCII head", big + kJapanese, kCodeUtf8},
        {"a sequence across the first 64 KB", std::string(65535, 'a') + kJapanese, kCodeUtf8},
        {"broken past the first 64 KB", kJapanese + big + "\x82\xA0\n", kCodeSjis},
    };
    for (const Case& c : cases) {
        WriteWholeFile(Path("d.txt"), c.bytes);
        CQzedDoc doc;
        ASSERT_EQ(io_.Load(doc, Path("d.txt")), 0) << c.what;
        EXPECT_EQ(doc.File().kanjiCode, c.code) << c.what;
        // Whatever the guess, the text is what its code reads.
        if (c.code == kCodeSjis) {
            EXPECT_EQ(TextOf(doc), c.bytes) << c.what;
        }
        EXPECT_FALSE(doc.IsReadOnly()) << c.what;
        EXPECT_TRUE(box_.shown.empty()) << c.what;
    }
    // With "CharCheck" 1 the EUC file is EUC again, and a UTF-8 file still UTF-8.
    Env().CharCheck = 1;
    WriteWholeFile(Path("e.txt"), euc);
    CQzedDoc e;
    ASSERT_EQ(io_.Load(e, Path("e.txt")), 0);
    EXPECT_EQ(e.File().kanjiCode, kCodeEuc);
    WriteWholeFile(Path("u.txt"), kJapanese);
    Env().EucDrive = dir_;
    CQzedDoc u;
    ASSERT_EQ(io_.Load(u, Path("u.txt")), 0);
    EXPECT_EQ(u.File().kanjiCode, kCodeUtf8);
}

TEST_F(Utf8FileTest, ChosenCodesWinAndAChosenUtf8ReadsBrokenBytesAsProblems) {
    WriteWholeFile(Path("u.txt"), kJapanese);
    CQzedDoc asSjis;
    ASSERT_EQ(io_.Load(asSjis, Path("u.txt"), kCodeSjis), 0);
    EXPECT_EQ(asSjis.File().kanjiCode, kCodeSjis);
    EXPECT_EQ(TextOf(asSjis), kJapanese);

    const std::string sjis = Sjis("漢字\n");
    WriteWholeFile(Path("s.txt"), sjis);
    CQzedDoc forced;
    ASSERT_EQ(io_.Load(forced, Path("s.txt"), kCodeUtf8), 0);
    EXPECT_EQ(forced.File().kanjiCode, kCodeUtf8);
    EXPECT_TRUE(forced.IsReadOnly());
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text,
              "1行目にUTF-8として正しくないバイト(8A)があります\n"
              "保存で失われないよう、このファイルは読み取り専用で開きます");

    // A reload keeps the document's code: a UTF-8 file that went bad is
    // read with problems, not taken for Shift-JIS.
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("u.txt")), 0);
    WriteWholeFile(Path("u.txt"), sjis);
    box_.shown.clear();
    ASSERT_EQ(io_.Load(doc, Path("u.txt")), 0);
    EXPECT_EQ(doc.File().kanjiCode, kCodeUtf8);
    EXPECT_TRUE(doc.IsReadOnly());
    EXPECT_EQ(box_.shown.size(), 1u);
}

TEST_F(Utf8FileTest, EofByteAndNulBytesFollowTheUsualRules) {
    WriteWholeFile(Path("z.txt"), std::string("漢\0字\x1A", 8) + U8(0x1F600));
    Env().ReadEND = 0;
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("z.txt")), 0);
    EXPECT_EQ(doc.File().kanjiCode, kCodeUtf8);
    EXPECT_EQ(TextOf(doc), Sjis("漢字"));
    EXPECT_FALSE(doc.IsReadOnly());  // the emoji lies past the end of the text
}

}  // namespace
}  // namespace qz::test
