// The temporary save: the view timer's state machine tick by tick, and the
// copy written exactly as a save writes, without touching the document and
// without ever leaving a half copy in place of the last good one.
#include <sys/stat.h>

#include <cerrno>

#include "document/file_ops.h"
#include "document/kanji_code.h"
#include "document/temp_register.h"
#include "document/temp_save.h"
#include "platform/paths.h"
#include "file_test_util.h"

namespace qz::test {
namespace {

EnvironSettings AutoBk(int mode, int minutes = 10, int len = 1000) {
    EnvironSettings e = Settings().env;
    e.Autobk_Mode = mode;
    e.Autobk_Time = minutes;
    e.Autobk_Len = len;
    return e;
}

// Ticks until one is due; the number of ticks it took, or -1 within limit.
int TicksUntilDue(TempSaveTimer& t, int64_t counter, const EnvironSettings& env, int limit = 1000) {
    for (int i = 1; i <= limit; ++i)
        if (t.Tick(counter, env)) return i;
    return -1;
}

TEST(TempSaveTimer, ByTimeSavesAtTheFirstQuietTickAfterTheInterval) {
    const EnvironSettings env = AutoBk(1, 10);
    TempSaveTimer t;
    // Ten minutes of typing: 60 ticks, each with a changed counter.
    int64_t counter = 0;
    for (int i = 1; i <= 60; ++i) EXPECT_FALSE(t.Tick(counter += 5, env)) << i;
    EXPECT_TRUE(t.Armed());
    // Still typing past the interval: armed again each tick, never due.
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(t.Tick(counter += 5, env));
    EXPECT_EQ(t.Ticks(), 65);
    // The first tick without a change saves.
    EXPECT_TRUE(t.Tick(counter, env));
    EXPECT_FALSE(t.Armed());
    EXPECT_EQ(t.Ticks(), 0);
    EXPECT_EQ(t.LastSave(), counter);
    // Nothing changed since: the next interval passes without a save.
    EXPECT_EQ(TicksUntilDue(t, counter, env, 200), -1);
    // A change, then quiet: due after the interval and one quiet tick.
    TempSaveTimer u;
    EXPECT_EQ(TicksUntilDue(u, 1, env), 61);
}

TEST(TempSaveTimer, ADocumentNeverChangedIsNeverSaved) {
    for (int mode : {0, 1, 2, 3}) {
        TempSaveTimer t;
        EXPECT_EQ(TicksUntilDue(t, 0, AutoBk(mode, 1, 1)), -1) << mode;
    }
}

TEST(TempSaveTimer, ByAmountSavesAfterLenBytesAndAQuietTick) {
    const EnvironSettings env = AutoBk(2, 10, 1000);
    TempSaveTimer t;
    EXPECT_FALSE(t.Tick(999, env));
    EXPECT_FALSE(t.Armed());
    EXPECT_FALSE(t.Tick(1000, env));  // enough: armed
    EXPECT_TRUE(t.Armed());
    EXPECT_FALSE(t.Tick(1003, env));  // typed on: armed again at 1003
    EXPECT_TRUE(t.Tick(1003, env));   // a quiet tick: due
    EXPECT_EQ(t.LastSave(), 1003);
    EXPECT_FALSE(t.Tick(1500, env));  // 497 since the copy: not enough, disarmed
    EXPECT_FALSE(t.Armed());
    EXPECT_FALSE(t.Tick(2003, env));
    EXPECT_TRUE(t.Tick(2003, env));
}

TEST(TempSaveTimer, TheDifferenceIsSignedAfterARealSave) {
    const EnvironSettings env = AutoBk(2, 10, 1000);
    TempSaveTimer t;
    EXPECT_EQ(TicksUntilDue(t, 5000, env), 2);
    // The file is saved: the document's counter starts again at 0, the
    // view's value of the last copy stays 5000.
    for (int64_t c : {0, 1000, 5999}) {
        EXPECT_FALSE(t.Tick(c, env)) << c;
        EXPECT_FALSE(t.Tick(c, env)) << c;
    }
    EXPECT_FALSE(t.Tick(6000, env));
    EXPECT_TRUE(t.Tick(6000, env));
}

TEST(TempSaveTimer, BelowTheIntervalTheAmountDecides) {
    const EnvironSettings env = AutoBk(3, 10, 100);
    TempSaveTimer t;
    EXPECT_FALSE(t.Tick(100, env));
    EXPECT_TRUE(t.Tick(100, env));
    EXPECT_EQ(t.Ticks(), 0);  // the amount's save restarts the interval too
    // At the interval the time rule alone decides, even with the amount met.
    TempSaveTimer u;
    for (int i = 1; i < 60; ++i) ASSERT_FALSE(u.Tick(i, env)) << i;
    EXPECT_FALSE(u.Tick(5000, env));  // tick 60: arms by time
    EXPECT_TRUE(u.Tick(5000, env));
}

TEST(TempSaveTimer, NeitherRuleDisarms) {
    const EnvironSettings env = AutoBk(2, 10, 100);
    TempSaveTimer t;
    EXPECT_FALSE(t.Tick(100, env));
    EXPECT_TRUE(t.Armed());
    EXPECT_FALSE(t.Tick(100, AutoBk(0)));
    EXPECT_FALSE(t.Armed());
    // Disarmed, so the same counter arms again instead of saving.
    EXPECT_FALSE(t.Tick(100, env));
    EXPECT_TRUE(t.Tick(100, env));
}

TEST(TempSaveTimer, AnotherPaneStandsReadyToTestAtOnce) {
    const EnvironSettings env = AutoBk(1, 10);
    TempSaveTimer t;
    EXPECT_FALSE(t.Tick(7, env));
    t.OtherPane(env);
    EXPECT_FALSE(t.Armed());
    EXPECT_EQ(t.LastSave(), 0);
    EXPECT_EQ(t.Ticks(), 60);
    // Made the first pane: the first tick arms, the next quiet one saves.
    EXPECT_FALSE(t.Tick(7, env));
    EXPECT_TRUE(t.Armed());
    EXPECT_TRUE(t.Tick(7, env));
}

// ------------------------------------------------------------------ the copy

class TempSaveTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        reg_ = std::make_unique<TempRegister>(dir_ + "/state");
        ASSERT_EQ(::mkdir((dir_ + "/state").c_str(), 0700), 0);
    }
    // An empty document of path, as the open step leaves it.
    void Open(CQzedDoc& doc, const std::string& path) {
        ASSERT_EQ(io_.Load(doc, path), 0);
        doc.SetPathString(path);
    }
    std::string CopyOf(const std::string& path) {
        std::vector<RegisterEntry> entries;
        reg_->ReadAll(entries);
        for (const RegisterEntry& e : entries)
            if (e.used && e.docPath == path) return e.tempPath;
        return {};
    }
    std::unique_ptr<TempRegister> reg_;
};

// Fails every write once armed.
class FullDisk : public FileOps {
public:
    bool full = false;
    ssize_t Write(int fd, const void* b, size_t n) override {
        if (!full) return FileOps::Write(fd, b, n);
        errno = ENOSPC;
        return -1;
    }
};

TEST_F(TempSaveTest, TheCopyHoldsWhatASaveWouldWriteAndTheDocumentIsLeftAlone) {
    Env().WriteEOF = 1;
    const std::string text = "\x8a\xbf\x8e\x9a abc\n\x82\xa0\n";  // 漢字 abc / あ
    for (int code : {kCodeSjis, kCodeEuc, kCodeJis}) {
        for (int lineEnd : {kLineCrLf, kLineLf}) {
            const std::string path = Path("doc" + std::to_string(code) + std::to_string(lineEnd) + ".txt");
            CQzedDoc doc;
            Open(doc, path);
            doc.File().kanjiCode = code;
            doc.File().lineEnd = lineEnd;
            ReplaceText(doc, text);
            const uint64_t changed = doc.Store().GetChangedBytes();
            const uint32_t undo = doc.Undo().Count();
            ASSERT_EQ(TemporarySave(doc, *reg_), 1);
            EXPECT_TRUE(doc.IsModified());
            EXPECT_EQ(doc.Store().GetChangedBytes(), changed);
            EXPECT_EQ(doc.Undo().Count(), undo);
            const std::string copy = CopyOf(path);
            ASSERT_FALSE(copy.empty());
            EXPECT_FALSE(FileExists(path));  // the file itself is not written
            ASSERT_EQ(io_.Save(doc, path), 1);
            EXPECT_EQ(ReadWholeFile(copy), ReadWholeFile(path)) << code << " " << lineEnd;
        }
    }
}

TEST_F(TempSaveTest, ATextTheCodeCannotHoldIsCopiedWhole) {
    // An IBM extension kanji has no place in EUC: the copy keeps it, in
    // Shift-JIS, with the document's line ends.
    CQzedDoc doc;
    Open(doc, Path("e.txt"));
    doc.File().kanjiCode = kCodeEuc;
    ReplaceText(doc, "a\xfa\x40\n");
    ASSERT_EQ(TemporarySave(doc, *reg_), 1);
    EXPECT_EQ(ReadWholeFile(CopyOf(Path("e.txt"))), "a\xfa\x40\r\n");
    EXPECT_TRUE(box_.shown.empty());
}

TEST_F(TempSaveTest, EachSaveReplacesTheSameCopy) {
    CQzedDoc doc;
    Open(doc, Path("a.txt"));
    ReplaceText(doc, "one\n");
    ASSERT_EQ(TemporarySave(doc, *reg_), 1);
    const std::string copy = CopyOf(Path("a.txt"));
    ReplaceText(doc, "two\n");
    ASSERT_EQ(TemporarySave(doc, *reg_), 1);
    EXPECT_EQ(CopyOf(Path("a.txt")), copy);
    EXPECT_EQ(ReadWholeFile(copy), "two\r\n");
    EXPECT_EQ(ListFolder(reg_->TempDir()), std::vector<std::string>{FileNameOf(copy)});
    EXPECT_EQ(ReadWholeFile(reg_->File()).size(), 512u);
}

TEST_F(TempSaveTest, AFailedWriteKeepsTheLastGoodCopy) {
    FullDisk disk;
    CQzedDoc doc;
    Open(doc, Path("a.txt"));
    ReplaceText(doc, "good\n");
    ASSERT_EQ(TemporarySave(doc, *reg_, &disk), 1);
    const std::string copy = CopyOf(Path("a.txt"));
    ReplaceText(doc, "newer\n");
    disk.full = true;
    EXPECT_EQ(TemporarySave(doc, *reg_, &disk), 0);
    EXPECT_EQ(ReadWholeFile(copy), "good\r\n");
    EXPECT_EQ(ListFolder(reg_->TempDir()), std::vector<std::string>{FileNameOf(copy)});
    EXPECT_TRUE(box_.shown.empty());
}

TEST_F(TempSaveTest, AFirstCopyThatFailsLeavesNoEmptyCopyRegistered) {
    FullDisk disk;
    disk.full = true;
    CQzedDoc doc;
    Open(doc, Path("a.txt"));
    ReplaceText(doc, "text\n");
    EXPECT_EQ(TemporarySave(doc, *reg_, &disk), 0);
    EXPECT_EQ(CopyOf(Path("a.txt")), "");
    EXPECT_TRUE(ListFolder(reg_->TempDir()).empty());
}

}  // namespace
}  // namespace qz::test
