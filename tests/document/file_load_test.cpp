// Loading files: the byte rules, line-end detection, codes and their piece
// boundaries, the missing, unreadable, read-only and oversized cases.
#include "file_test_util.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "document/kanji_convert.h"
#include "document/text_store.h"

namespace qz::test {
namespace {

using LoadTest = FileTest;

TEST_F(LoadTest, MissingFileGivesAnEmptyShiftJisDocumentWithoutLockOrMessage) {
    Env().ExclusiveMode = 2;
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("new.txt")), 0);
    EXPECT_EQ(doc.GetTextLength(), 0u);
    EXPECT_EQ(doc.File().kanjiCode, kCodeSjis);
    EXPECT_EQ(doc.File().lineEnd, kLineCrLf);
    EXPECT_TRUE(doc.File().loaded);
    EXPECT_FALSE(doc.File().lock.Held());
    EXPECT_EQ(doc.File().fileTime, 0);
    EXPECT_FALSE(doc.IsReadOnly());
    EXPECT_TRUE(box_.shown.empty());
    EXPECT_FALSE(FileExists(Path("new.txt")));
    EXPECT_EQ(host_.waitBegins, 1);
    EXPECT_EQ(host_.waitDepth, 0);
}

TEST_F(LoadTest, EofByteEndsTheTextOnlyWhenReadEndIsZero) {
    WriteWholeFile(Path("a.txt"), std::string("abc\x1A" "def", 7));
    Env().ReadEND = 0;
    CQzedDoc first;
    ASSERT_EQ(io_.Load(first, Path("a.txt")), 0);
    EXPECT_EQ(TextOf(first), "abc");

    Env().ReadEND = 1;
    CQzedDoc second;
    ASSERT_EQ(io_.Load(second, Path("a.txt")), 0);
    EXPECT_EQ(TextOf(second), "abcdef");
}

TEST_F(LoadTest, EofByteWithReadEndZeroAlsoHidesTheLineEndsAfterIt) {
    // Line ends past the end of the text are never seen.
    WriteWholeFile(Path("a.txt"), std::string("a\nb\x1A\r\nc", 7));
    Env().ReadEND = 0;
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("a.txt")), 0);
    EXPECT_EQ(TextOf(doc), "a\nb");
    EXPECT_EQ(doc.File().lineEnd, kLineLf);

    WriteWholeFile(Path("b.txt"), std::string("ab\x1A\ncd\n", 8));
    CQzedDoc other;
    ASSERT_EQ(io_.Load(other, Path("b.txt")), 0);
    EXPECT_EQ(TextOf(other), "ab");
    EXPECT_EQ(other.File().lineEnd, kLineCrLf);  // no line feed in the text
}

TEST_F(LoadTest, NulAndCarriageReturnsAreDroppedEverywhere) {
    WriteWholeFile(Path("a.txt"), std::string("a\0b\r\nc\rd\0\0\r\n", 12));
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("a.txt")), 0);
    EXPECT_EQ(TextOf(doc), "ab\ncd\n");
    EXPECT_EQ(doc.File().lineEnd, kLineCrLf);
}

TEST_F(LoadTest, LineEndModeIsLfOnlyWithLineFeedsAndNoCarriageReturn) {
    struct Case {
        std::string bytes;
        int mode;
    } cases[] = {
        {"one\ntwo\n", kLineLf},
        {"one\r\ntwo\r\n", kLineCrLf},
        {"no line end at all", kLineCrLf},
        {"", kLineCrLf},
        {"a\nb\nc\rd\ne\n", kLineCrLf},  // one stray carriage return
    };
    for (const Case& c : cases) {
        WriteWholeFile(Path("m.txt"), c.bytes);
        CQzedDoc doc;
        ASSERT_EQ(io_.Load(doc, Path("m.txt")), 0);
        EXPECT_EQ(doc.File().lineEnd, c.mode) << c.bytes;
    }
}

TEST_F(LoadTest, SpecialBytesFoundAcrossWordAndBlockBoundaries) {
    // Every position modulo the 8-byte skip and around the 256 KB read block.
    std::string bytes;
    std::string expect;
    for (size_t i = 0; i < 300 * 1024; ++i) {
        const char c = i % 97 == 0 ? '\r' : i % 89 == 0 ? '\0' : char('a' + i % 26);
        bytes += c;
        if (c != '\r' && c != '\0') expect += c;
    }
    WriteWholeFile(Path("big.txt"), bytes);
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("big.txt")), 0);
    EXPECT_EQ(TextOf(doc), expect);
    EXPECT_TRUE(doc.Store().Check().empty()) << doc.Store().Check();
}

TEST_F(LoadTest, FolderAndUnreadableStatusFailWithoutMessage) {
    CQzedDoc doc;
    EXPECT_EQ(io_.Load(doc, dir_), -1);
    WriteWholeFile(Path("file.txt"), "x");
    EXPECT_EQ(io_.Load(doc, Path("file.txt/inside")), -1);
    EXPECT_TRUE(box_.shown.empty());
}

TEST_F(LoadTest, ReadOnlyAttributeMakesTheDocumentReadOnlyWithoutLockOrMessage) {
    Env().ExclusiveMode = 1;
    WriteWholeFile(Path("ro.txt"), "text\n");
    ASSERT_EQ(::chmod(Path("ro.txt").c_str(), 0444), 0);
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("ro.txt")), 0);
    EXPECT_TRUE(doc.IsReadOnly());
    EXPECT_EQ(doc.File().exclusiveMode, 0);
    EXPECT_FALSE(doc.File().lock.Held());
    EXPECT_TRUE(box_.shown.empty());
    EXPECT_EQ(TextOf(doc), "text\n");
}

TEST_F(LoadTest, LoadedFileHasItsTimeAndLockAndNoEditHistory) {
    Env().ExclusiveMode = 1;
    WriteWholeFile(Path("t.txt"), "abc");
    SetFileTime(Path("t.txt"), 1000000000);
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("t.txt")), 0);
    EXPECT_EQ(doc.File().fileTime, 1000000000LL * 1000000000LL);
    EXPECT_TRUE(doc.File().lock.Held());
    EXPECT_EQ(doc.File().lock.Mode(), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Store().GetChangedBytes(), 0u);
    EXPECT_EQ(doc.Store().GetLastEditPos(), 0u);
    EXPECT_EQ(doc.Undo().Count(), 0u);
}

TEST_F(LoadTest, SpecialDocumentKeepsItsFileTime) {
    WriteWholeFile(Path("t.txt"), "abc");
    CQzedDoc doc;
    doc.File().special = true;
    doc.File().fileTime = 7;
    ASSERT_EQ(io_.Load(doc, Path("t.txt")), 0);
    EXPECT_EQ(doc.File().fileTime, 7);
}

// A file that is too large is refused up front, with a message and nothing
// loaded, instead of failing inside the store. A sparse file costs no disk.
TEST_F(LoadTest, FileLargerThanTheStoreIsRefusedWithAMessage) {
    const uint64_t tooLarge = uint64_t(kMaxRecords) * kRecordText;
    ASSERT_FALSE(TextStore::CanHold(tooLarge));
    const int fd = ::open(Path("huge.txt").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t(tooLarge)), 0);
    ::close(fd);
    CQzedDoc doc;
    ReplaceText(doc, "kept");
    EXPECT_EQ(io_.Load(doc, Path("huge.txt")), -1);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "ファイルが大きすぎるため読み込めません");
    EXPECT_EQ(box_.shown[0].caption, Path("huge.txt"));
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Stop);
    EXPECT_FALSE(doc.File().loaded);
}

// ---------------------------------------------------------------- codes

// Text with kanji, half-width kana and line ends, long enough that characters
// and escapes fall across many 512-byte pieces.
std::string MixedText() {
    std::string s;
    for (int i = 0; i < 400; ++i) {
        s += "line ";
        s += std::to_string(i);
        s += " \x93\xfa\x96\x7b\x8c\xea";  // 日本語
        if (i % 3 == 0) s += "\xb1\xb2\xb3";  // half-width kana
        s += i % 7 == 0 ? "\x82\xa0" : "x";
        s += "\n";
    }
    return s;
}

TEST_F(LoadTest, EucAndJisFilesReadAcrossEveryPieceBoundary) {
    const std::string text = MixedText();
    for (int code : {kCodeEuc, kCodeJis}) {
        // Shifting the content by 0 to 5 bytes moves every character and
        // escape sequence across the piece ends.
        for (int shift = 0; shift < 6; ++shift) {
            const std::string prefix(size_t(shift), 'p');
            const std::string file = EncodeFromSjis(code, prefix + text);
            WriteWholeFile(Path("c.txt"), file);
            CQzedDoc doc;
            ASSERT_EQ(io_.Load(doc, Path("c.txt"), code), 0);
            EXPECT_EQ(TextOf(doc), DecodeToSjis(code, file)) << code << " " << shift;
            EXPECT_EQ(doc.File().kanjiCode, code);
            EXPECT_EQ(doc.File().lineEnd, kLineLf);
        }
    }
}

TEST_F(LoadTest, CodeDecisionOrderOnLoad) {
    const std::string text = MixedText();
    WriteWholeFile(Path("euc.txt"), EncodeFromSjis(kCodeEuc, text));
    WriteWholeFile(Path("jis.txt"), EncodeFromSjis(kCodeJis, text));

    // Detection only with "CharCheck" 1.
    Env().CharCheck = 0;
    CQzedDoc plain;
    ASSERT_EQ(io_.Load(plain, Path("jis.txt")), 0);
    EXPECT_EQ(plain.File().kanjiCode, kCodeSjis);

    Env().CharCheck = 1;
    CQzedDoc jis, euc;
    ASSERT_EQ(io_.Load(jis, Path("jis.txt")), 0);
    EXPECT_EQ(jis.File().kanjiCode, kCodeJis);
    EXPECT_EQ(TextOf(jis), DecodeToSjis(kCodeJis, EncodeFromSjis(kCodeJis, text)));
    ASSERT_EQ(io_.Load(euc, Path("euc.txt")), 0);
    EXPECT_EQ(euc.File().kanjiCode, kCodeEuc);

    // An explicit code wins over detection; a document's own code over both.
    CQzedDoc forced;
    ASSERT_EQ(io_.Load(forced, Path("euc.txt"), kCodeSjis), 0);
    EXPECT_EQ(forced.File().kanjiCode, kCodeSjis);
    ASSERT_EQ(io_.Load(forced, Path("euc.txt"), kCodeJis), 0);  // reload keeps Shift-JIS
    EXPECT_EQ(forced.File().kanjiCode, kCodeSjis);

    // "EucDrive" naming the folder reads every file in it as EUC.
    Env().CharCheck = 0;
    Env().EucDrive = dir_;
    CQzedDoc byFolder;
    ASSERT_EQ(io_.Load(byFolder, Path("jis.txt")), 0);
    EXPECT_EQ(byFolder.File().kanjiCode, kCodeEuc);
}

}  // namespace
}  // namespace qz::test
