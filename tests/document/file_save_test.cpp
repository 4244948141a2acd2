// Saving: the questions, backup generations and folders, the refusal of a
// backup name, the trash, the end-of-file byte, line ends, codes byte for
// byte, and what a save leaves behind.
#include "file_test_util.h"

#include <sys/stat.h>
#include <unistd.h>

#include "document/kanji_convert.h"
#include "document/trash.h"

namespace qz::test {
namespace {

class SaveTest : public FileTest {
protected:
    // Loads path, replaces its text with `text` and saves it.
    int Edit(const std::string& path, const std::string& text) {
        CQzedDoc doc;
        if (io_.Load(doc, path) != 0) return -1;
        ReplaceText(doc, text);
        return io_.Save(doc, path);
    }
};

TEST_F(SaveTest, NewFileIsWrittenWithoutQuestionOrBackup) {
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("x.c")), 0);
    ReplaceText(doc, "int main;\n");
    ASSERT_TRUE(doc.IsModified());
    ASSERT_EQ(io_.Save(doc, Path("x.c")), 1);
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "int main;\r\n");
    EXPECT_TRUE(box_.shown.empty());
    EXPECT_EQ(ListFolder(dir_), std::vector<std::string>{"x.c"});
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Undo().Count(), 0u);
    EXPECT_EQ(TheSettings().recentFiles[0], "1 " + Path("x.c"));
    EXPECT_NE(doc.File().fileTime, 0);
    EXPECT_EQ(host_.waitDepth, 0);
}

TEST_F(SaveTest, ReadOnlyDocumentAsksFirstAndOnlyYesSaves) {
    for (MbResult answer : {MbResult::No, MbResult::Cancel, MbResult::Yes}) {
        CQzedDoc doc;
        ASSERT_EQ(io_.Load(doc, Path("r.txt")), 0);
        ReplaceText(doc, "a");
        doc.SetReadOnly(true);
        box_.shown.clear();
        box_.answers = {answer};
        const int result = io_.Save(doc, Path("r.txt"));
        ASSERT_EQ(box_.shown.size(), 1u);
        EXPECT_EQ(box_.shown[0].text, "書込禁止モードですが保存しますか？");
        EXPECT_EQ(box_.shown[0].icon, MbIcon::Question);
        EXPECT_EQ(box_.shown[0].buttons, MbButtons::YesNoCancel);
        EXPECT_EQ(box_.shown[0].caption, Path("r.txt"));
        EXPECT_EQ(result, answer == MbResult::Yes ? 1 : 0);
        EXPECT_EQ(FileExists(Path("r.txt")), answer == MbResult::Yes);
        EXPECT_EQ(doc.IsModified(), answer != MbResult::Yes);
    }
}

TEST_F(SaveTest, ReadOnlyAttributeIsClearedOnlyOnYes) {
    WriteWholeFile(Path("a.txt"), "old");
    ASSERT_EQ(::chmod(Path("a.txt").c_str(), 0444), 0);
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("a.txt")), 0);
    doc.SetReadOnly(false);
    ReplaceText(doc, "new");
    box_.answers = {MbResult::No};
    EXPECT_EQ(io_.Save(doc, Path("a.txt")), 0);
    EXPECT_EQ(box_.shown.back().text, "ファイル属性が書込禁止ですが保存しますか？");
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "old");
    EXPECT_EQ(ModeOf(Path("a.txt")), 0444u);

    box_.answers = {MbResult::Yes};
    EXPECT_EQ(io_.Save(doc, Path("a.txt")), 1);
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "new");
    EXPECT_EQ(ModeOf(Path("a.txt")), 0644u);
    EXPECT_EQ(ReadWholeFile(Path("a.BAK")), "old");
}

TEST_F(SaveTest, PermissionBitsAreKept) {
    WriteWholeFile(Path("s.sh"), "echo\n");
    ASSERT_EQ(::chmod(Path("s.sh").c_str(), 0751), 0);
    ASSERT_EQ(Edit(Path("s.sh"), "echo hi\n"), 1);
    EXPECT_EQ(ModeOf(Path("s.sh")), 0751u);
}

TEST_F(SaveTest, OneGenerationKeepsThePreviousVersionAsBak) {
    WriteWholeFile(Path("x.c"), "v1");
    ASSERT_EQ(Edit(Path("x.c"), "v2"), 1);
    ASSERT_EQ(Edit(Path("x.c"), "v3"), 1);
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "v3");
    EXPECT_EQ(ReadWholeFile(Path("x.BAK")), "v2");
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"x.BAK", "x.c"}));
}

TEST_F(SaveTest, ThreeGenerationsRotateNewestInBak) {
    Env().BackupCount = 3;
    WriteWholeFile(Path("x.c"), "v1");
    for (const char* v : {"v2", "v3", "v4", "v5"}) ASSERT_EQ(Edit(Path("x.c"), v), 1);
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "v5");
    EXPECT_EQ(ReadWholeFile(Path("x.BAK")), "v4");
    EXPECT_EQ(ReadWholeFile(Path("x.bk2")), "v3");
    EXPECT_EQ(ReadWholeFile(Path("x.bk3")), "v2");
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"x.BAK", "x.bk2", "x.bk3", "x.c"}));
}

TEST_F(SaveTest, RelativeBackupFolderIsCreatedAndHoldsTheOwnName) {
    Env().BackupCount = 2;
    Env().BackupDir = "  bak ";
    WriteWholeFile(Path("x.c"), "v1");
    ASSERT_EQ(Edit(Path("x.c"), "v2"), 1);
    ASSERT_EQ(Edit(Path("x.c"), "v3"), 1);
    EXPECT_EQ(ReadWholeFile(Path("bak/x.c")), "v2");
    EXPECT_EQ(ReadWholeFile(Path("bak/x.bk2")), "v1");
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"bak", "x.c"}));
}

TEST_F(SaveTest, AbsoluteBackupFolderWithDoubledSlashes) {
    ASSERT_EQ(::mkdir(Path("elsewhere").c_str(), 0755), 0);
    Env().BackupDir = "/" + dir_ + "//elsewhere//";
    WriteWholeFile(Path("x.c"), "v1");
    ASSERT_EQ(Edit(Path("x.c"), "v2"), 1);
    EXPECT_EQ(ReadWholeFile(Path("elsewhere/x.BAK")), "v1");
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"elsewhere", "x.c"}));
}

TEST_F(SaveTest, BackupFolderIsMadeOneLevelOnly) {
    Env().BackupDir = "a/b";
    WriteWholeFile(Path("x.c"), "v1");
    EXPECT_EQ(Edit(Path("x.c"), "v2"), 0);
    EXPECT_EQ(box_.shown.back().text, "バックアップファイルを作成できません");
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "v1");
}

TEST_F(SaveTest, SavingABackupFileIsRefused) {
    WriteWholeFile(Path("x.BAK"), "old");
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("x.BAK")), 0);
    ReplaceText(doc, "new");
    EXPECT_EQ(io_.Save(doc, Path("x.BAK")), 0);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text, "バックアップファイルを作成できません");
    EXPECT_EQ(box_.shown[0].caption, Path("x.BAK"));
    EXPECT_EQ(box_.shown[0].icon, MbIcon::Stop);
    EXPECT_EQ(ReadWholeFile(Path("x.BAK")), "old");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ListFolder(dir_), std::vector<std::string>{"x.BAK"});

    // Every generation name counts with several generations.
    Env().BackupCount = 3;
    WriteWholeFile(Path("x.bk3"), "old");
    EXPECT_EQ(Edit(Path("x.bk3"), "new"), 0);
    EXPECT_EQ(ReadWholeFile(Path("x.bk3")), "old");
    Env().BackupCount = 2;
    EXPECT_EQ(Edit(Path("x.bk3"), "new"), 1);  // not a name of two generations
}

TEST_F(SaveTest, NoBackupModeReplacesWithoutTrace) {
    Env().BackupMode = 0;
    WriteWholeFile(Path("x.BAK"), "an older backup stays");
    WriteWholeFile(Path("x.c"), "v1");
    ASSERT_EQ(Edit(Path("x.c"), "v2"), 1);
    EXPECT_EQ(ReadWholeFile(Path("x.c")), "v2");
    EXPECT_EQ(ReadWholeFile(Path("x.BAK")), "an older backup stays");
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"x.BAK", "x.c"}));
}

TEST_F(SaveTest, RecycledModeMovesThePreviousVersionToTheTrash) {
    Env().BackupMode = 0;
    Env().RecycledMode = 1;
    FreedesktopTrash trash(Path("Trash"));
    io_.SetTrash(&trash);
    WriteWholeFile(Path("x.c"), "v1");
    ASSERT_EQ(Edit(Path("x.c"), "v2"), 1);
    EXPECT_EQ(ListFolder(dir_), (std::vector<std::string>{"Trash", "x.c"}));
    EXPECT_EQ(ReadWholeFile(Path("Trash/files/x.BAK")), "v1");
    const std::string info = ReadWholeFile(Path("Trash/info/x.BAK.trashinfo"));
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + Path("x.BAK") + "\nDeletionDate=", 0), 0u) << info;
    ASSERT_EQ(Edit(Path("x.c"), "v3"), 1);
    EXPECT_EQ(ReadWholeFile(Path("Trash/files/x.BAK.2")), "v2");
}

class RefusingTrash : public Trash {
public:
    int asked = 0;
    bool MoveToTrash(const std::string&) override { return ++asked, false; }
};

TEST_F(SaveTest, WithoutATrashThePreviousVersionIsDeletedOrKeptAsBackup) {
    Env().RecycledMode = 1;
    RefusingTrash trash;
    io_.SetTrash(&trash);
    WriteWholeFile(Path("x.c"), "v1");
    Env().BackupMode = 1;
    ASSERT_EQ(Edit(Path("x.c"), "v2"), 1);
    EXPECT_EQ(ReadWholeFile(Path("x.BAK")), "v1");
    Env().BackupMode = 0;
    ASSERT_EQ(Edit(Path("x.c"), "v3"), 1);
    EXPECT_EQ(ListFolder(dir_), std::vector<std::string>{"x.c"});
    EXPECT_EQ(trash.asked, 2);
}

TEST_F(SaveTest, EndOfFileByteOnlyWithWriteEof) {
    ASSERT_EQ(Edit(Path("a.txt"), "a\n"), 1);
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "a\r\n");
    Env().WriteEOF = 1;
    ASSERT_EQ(Edit(Path("b.txt"), "b\n"), 1);
    EXPECT_EQ(ReadWholeFile(Path("b.txt")), "b\r\n\x1A");
    // Read back with the default "ReadEND" the byte is dropped again.
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("b.txt")), 0);
    EXPECT_EQ(TextOf(doc), "b\n");
}

TEST_F(SaveTest, StrayCarriageReturnMakesEveryLineEndCrLf) {
    WriteWholeFile(Path("m.txt"), "a\nb\nc\rd\n");
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("m.txt")), 0);
    ASSERT_EQ(io_.Save(doc, Path("m.txt")), 1);
    EXPECT_EQ(ReadWholeFile(Path("m.txt")), "a\r\nb\r\ncd\r\n");

    WriteWholeFile(Path("lf.txt"), "a\nb\n");
    CQzedDoc lf;
    ASSERT_EQ(io_.Load(lf, Path("lf.txt")), 0);
    ASSERT_EQ(io_.Save(lf, Path("lf.txt")), 1);
    EXPECT_EQ(ReadWholeFile(Path("lf.txt")), "a\nb\n");
}

// Files of each code read and written in each code, byte for byte against the
// whole-text converters, with pieces cut inside characters on the way.
TEST_F(SaveTest, EveryCodeSavedInEveryCodeByteForByte) {
    std::string text;
    for (int i = 0; i < 1500; ++i) {
        text += "\x93\xfa\x96\x7b ";  // 日本
        text += std::to_string(i);
        text += i % 5 == 0 ? "\x83\x41\x83\x43" : "abc";  // アイ
        text += "\n";
    }
    const std::string crlf = [&] {
        std::string s;
        for (char c : text) s += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return s;
    }();
    for (int from : {kCodeSjis, kCodeEuc, kCodeJis}) {
        for (int to : {kCodeSjis, kCodeEuc, kCodeJis}) {
            for (int lineEnd : {kLineCrLf, kLineLf}) {
                WriteWholeFile(Path("f.txt"), EncodeFromSjis(from, lineEnd == kLineLf ? text : crlf));
                CQzedDoc doc;
                ASSERT_EQ(io_.Load(doc, Path("f.txt"), from), 0);
                ASSERT_EQ(doc.File().lineEnd, lineEnd);
                ASSERT_EQ(TextOf(doc), text);
                doc.File().kanjiCode = to;
                ASSERT_EQ(io_.Save(doc, Path("f.txt")), 1);
                EXPECT_EQ(ReadWholeFile(Path("f.txt")), EncodeFromSjis(to, lineEnd == kLineLf ? text : crlf))
                    << from << " -> " << to << " line end " << lineEnd;
            }
        }
    }
}

TEST_F(SaveTest, LeadByteAtEveryPieceEndIsNotSplit) {
    // A kanji at every offset around the 4096-byte piece ends.
    for (int code : {kCodeEuc, kCodeJis}) {
        for (int shift = 0; shift < 3; ++shift) {
            std::string text(size_t(shift), 'a');
            while (text.size() < 3 * 4096) text += "\x8a\xbf";  // 漢
            CQzedDoc doc;
            ASSERT_EQ(io_.Load(doc, Path("k.txt")), 0);
            ReplaceText(doc, text);
            doc.File().kanjiCode = code;
            ASSERT_EQ(io_.Save(doc, Path("k.txt")), 1);
            EXPECT_EQ(ReadWholeFile(Path("k.txt")), EncodeFromSjis(code, text)) << code << " " << shift;
            ::unlink(Path("k.txt").c_str());
            ::unlink(Path("k.BAK").c_str());
        }
    }
}

TEST_F(SaveTest, SaveToAFolderPathIsRefused) {
    ASSERT_EQ(::mkdir(Path("d.c").c_str(), 0755), 0);
    CQzedDoc doc;
    ReplaceText(doc, "x");
    EXPECT_EQ(io_.Save(doc, Path("d.c")), 0);
    EXPECT_EQ(ListFolder(dir_), std::vector<std::string>{"d.c"});
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SaveTest, SymbolicLinkStaysALinkToTheSavedFile) {
    WriteWholeFile(Path("real.txt"), "v1");
    ASSERT_EQ(::symlink("real.txt", Path("link.txt").c_str()), 0);
    Env().BackupMode = 0;
    ASSERT_EQ(Edit(Path("link.txt"), "v2"), 1);
    struct stat st {};
    ASSERT_EQ(::lstat(Path("link.txt").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadWholeFile(Path("real.txt")), "v2");
}

}  // namespace
}  // namespace qz::test
