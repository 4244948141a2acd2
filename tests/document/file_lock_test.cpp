// The exclusive modes seen from a second process (fork): what it may read,
// lock, load and save while the editor holds its lock, and the lock dropped
// and taken again around a save.
#include "file_test_util.h"

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "document/file_lock.h"

namespace qz::test {
namespace {

class LockTest : public FileTest {
protected:
    // Runs body in a child process and returns its exit status; the child
    // never returns into the test framework.
    int InChild(const std::function<int()>& body) {
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) ::_exit(body());
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
    }
    // A child's own file steps with their own message box; it reports the
    // load result, read-only flag and message as one code.
    int ChildLoad(const std::string& path, const char* expectText, int expectResult, bool expectReadOnly) {
        return InChild([&] {
            fakes::FakeMessageBox box;
            FileIo io(box);
            CQzedDoc doc;
            const int r = io.Load(doc, path);
            if (r != expectResult) return 1;
            if (expectText && (box.shown.size() != 1 || box.shown[0].text != expectText ||
                               box.shown[0].caption != path || box.shown[0].icon != MbIcon::Stop))
                return 2;
            if (!expectText && !box.shown.empty()) return 3;
            if (r == 0 && doc.IsReadOnly() != expectReadOnly) return 4;
            return 0;
        });
    }
};

TEST_F(LockTest, ModeOneLetsOthersReadButNotLockForWriting) {
    Env().ExclusiveMode = 1;
    WriteWholeFile(Path("x.c"), "text");
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("x.c")), 0);
    ASSERT_TRUE(doc.File().lock.Held());

    EXPECT_EQ(InChild([&] {
        if (ReadWholeFile(Path("x.c")) != "text") return 1;
        if (ProbeLocks(Path("x.c")) != LockProbe::DenyWriting) return 2;
        FileLock shared, exclusive;
        if (!shared.Take(Path("x.c"), 1)) return 3;   // another reader may lock too
        if (exclusive.Take(Path("x.c"), 2)) return 4;
        return 0;
    }), 0);
    EXPECT_EQ(ChildLoad(Path("x.c"), "このファイルは他のプログラムによって現在書き込みが禁止されています", 0, true), 0);
}

TEST_F(LockTest, ModeTwoDeniesReadingAndWriting) {
    Env().ExclusiveMode = 2;
    WriteWholeFile(Path("x.c"), "text");
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("x.c")), 0);
    EXPECT_EQ(InChild([&] {
        if (ProbeLocks(Path("x.c")) != LockProbe::DenyAll) return 1;
        FileLock shared;
        return shared.Take(Path("x.c"), 1) ? 2 : 0;
    }), 0);
    EXPECT_EQ(ChildLoad(Path("x.c"), "このファイルは他のプログラムが使用中等の理由により開けません", -1, false), 0);
}

TEST_F(LockTest, NoLockInModeZero) {
    WriteWholeFile(Path("x.c"), "text");
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("x.c")), 0);
    EXPECT_FALSE(doc.File().lock.Held());
    EXPECT_EQ(ChildLoad(Path("x.c"), nullptr, 0, false), 0);
}

TEST_F(LockTest, SaveOfALockedFileFromAnotherProcessFails) {
    Env().ExclusiveMode = 1;
    WriteWholeFile(Path("x.c"), "text");
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("x.c")), 0);
    EXPECT_EQ(InChild([&] {
        TheSettings().env.ExclusiveMode = 0;
        fakes::FakeMessageBox box;
        FileIo io(box);
        CQzedDoc other;
        if (io.Load(other, Path("x.c")) != 0) return 1;
        other.SetReadOnly(false);
        ReplaceText(other, "theirs");
        if (io.Save(other, Path("x.c")) != 0) return 2;
        if (box.shown.size() != 2 ||
            box.shown[1].text != "ファイルが更新又は新規作成できませんでした\n"
                                 "他のプログラムで書き込み禁止でオープンしている可能性があります\n")
            return 3;
        return ReadWholeFile(Path("x.c")) == "text" ? 0 : 4;
    }), 0);
}

TEST_F(LockTest, LockIsDroppedAndTakenAgainOnTheNewFileAroundASave) {
    Env().ExclusiveMode = 2;
    WriteWholeFile(Path("x.c"), "v1");
    CQzedDoc doc;
    ASSERT_EQ(io_.Load(doc, Path("x.c")), 0);
    ReplaceText(doc, "v2");
    ASSERT_EQ(io_.Save(doc, Path("x.c")), 1);
    EXPECT_TRUE(doc.File().lock.Held());
    EXPECT_TRUE(doc.File().lock.StillOnPath());  // on the file now at the path, not the backup
    EXPECT_EQ(InChild([&] { return ProbeLocks(Path("x.c")) == LockProbe::DenyAll ? 0 : 1; }), 0);
    EXPECT_EQ(InChild([&] { return ProbeLocks(Path("x.BAK")) == LockProbe::Free ? 0 : 1; }), 0);
}

TEST_F(LockTest, SetLockKeepsReleasesAndReportsOtherHolders) {
    WriteWholeFile(Path("x.c"), "text");
    CQzedDoc doc;
    EXPECT_EQ(io_.SetLock(doc, Path("x.c"), 1), 0);
    EXPECT_EQ(doc.File().lock.Mode(), 1);
    EXPECT_EQ(io_.SetLock(doc, Path("x.c"), 2), 0);
    EXPECT_EQ(doc.File().lock.Mode(), 2);
    EXPECT_EQ(io_.SetLock(doc, Path("x.c"), 0), 0);
    EXPECT_FALSE(doc.File().lock.Held());
    EXPECT_TRUE(box_.shown.empty());

    // Another holder, with a lock description of its own in a child that
    // waits: the message with its warning line, and read-only.
    int ready[2], done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        FileLock holder;
        const char ok = holder.Take(Path("x.c"), 2) ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        char c;
        (void)!::read(done[0], &c, 1);
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');
    EXPECT_EQ(io_.SetLock(doc, Path("x.c"), 1), -1);
    ASSERT_EQ(box_.shown.size(), 1u);
    EXPECT_EQ(box_.shown[0].text,
              "このファイルは他のプログラムが使用中等の理由により開けません\n"
              "このファイルには排他制御出来ませんので書き込みには注意してください");
    EXPECT_TRUE(doc.IsReadOnly());
    EXPECT_FALSE(doc.File().lock.Held());
    (void)!::write(done[1], "x", 1);
    ::waitpid(pid, nullptr, 0);
    for (int fd : {ready[0], ready[1], done[0], done[1]}) ::close(fd);
}

}  // namespace
}  // namespace qz::test
