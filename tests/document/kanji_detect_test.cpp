// Kanji code detection and the order in which the code of an opened file is
// decided, on byte samples and on files in a temporary folder.
#include "document/kanji_code.h"
#include "document/kanji_convert.h"
#include "document/kanji_detect.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace qz;

namespace {
const std::string kEscKanji = "\x1B$B", kEscAscii = "\x1B(B";
// 日本語 in EUC: 日 is C6 FC, whose second byte of 0xE0 or more can only be EUC.
const std::string kEucNihongo = "\xC6\xFC\xCB\xDC\xB8\xEC";

std::string Ascii(size_t n) {
    std::string s;
    while (s.size() < n) s += "int main(void) { return 0; }\n";
    s.resize(n);
    return s;
}
}  // namespace

TEST(KanjiDetect, JisNeedsAKnownEscapeAndNoEightBitByte) {
    EXPECT_EQ(DetectJis(""), 0);
    EXPECT_EQ(DetectJis(Ascii(1000)), 0);
    EXPECT_EQ(DetectJis("a" + kEscKanji + "\x30\x21" + kEscAscii + "\n"), 1);
    for (const char* esc : {"\x1B(B", "\x1B(J", "\x1B(I", "\x1B$B"})
        EXPECT_EQ(DetectJis(std::string("abc") + esc + "def"), 1) << esc + 1;
    // ESC $ @ reads fine but does not count as evidence.
    EXPECT_EQ(DetectJis("\x1B$@\x30\x21"), 0);
    EXPECT_EQ(DetectJis("\x1B$@\x30\x21\x1B(J"), 1);
    EXPECT_EQ(DetectJis("\x1B$"), 0);
    // One byte with bit 7 anywhere in the sample rules JIS out.
    EXPECT_EQ(DetectJis(kEscKanji + "\x30\x21" + Ascii(9000) + "\xA0"), 0);
}

TEST(KanjiDetect, JisLooksAtWholeBlocksOfTheFirst64K) {
    // An escape cut by a block boundary does not count ...
    std::string s = Ascii(kDetectBlockSize - 1) + kEscKanji + Ascii(100);
    EXPECT_EQ(DetectJis(s), 0);
    s = Ascii(kDetectBlockSize - 2) + kEscKanji + Ascii(100);
    EXPECT_EQ(DetectJis(s), 0);
    s = Ascii(kDetectBlockSize - 3) + kEscKanji + Ascii(100);
    EXPECT_EQ(DetectJis(s), 1);
    // ... an escape in the last of the 16 blocks does, one after them does not.
    s = Ascii(kDetectSampleSize - 3) + kEscKanji;
    EXPECT_EQ(DetectJis(s), 1);
    s = Ascii(kDetectSampleSize) + kEscKanji;
    EXPECT_EQ(DetectJis(s), 0);
    // An 8-bit byte beyond 64 KB is never seen.
    s = kEscKanji + Ascii(kDetectSampleSize) + "\xFF";
    EXPECT_EQ(DetectJis(s), 1);
}

TEST(KanjiDetect, EucStateMachine) {
    EXPECT_EQ(DetectEuc(Ascii(100)), 0) << "no evidence";
    EXPECT_EQ(DetectEuc("// " + kEucNihongo + "\n"), 1);
    // Kanji whose second byte stays below 0xE0 look like Shift-JIS kana.
    EXPECT_EQ(DetectEuc("\xA4\xA2\xA4\xA4"), 0);  // あい
    // Double-byte characters that all begin with 0xE0 or more: Shift-JIS.
    EXPECT_EQ(DetectEuc("\xE4\xB8\xF1\xA1\xFE\xFE"), 0);
    // EUC half-width kana are skipped over.
    EXPECT_EQ(DetectEuc("\x8E\xB1\x8E\x05" + kEucNihongo), 1);
    // Bytes that cannot be EUC answer 0 at once, even after evidence.
    EXPECT_EQ(DetectEuc(kEucNihongo + "\x82\xA0"), 0);   // a Shift-JIS lead
    EXPECT_EQ(DetectEuc(kEucNihongo + "\xA0"), 0);
    EXPECT_EQ(DetectEuc(kEucNihongo + "\xC6" "a"), 0);   // state 1, below 0xA1
    EXPECT_EQ(DetectEuc(kEucNihongo + "\xE0\xA0"), 0);   // state 3, below 0xA1
    // A pair cut by the end of the sample is not held against it.
    EXPECT_EQ(DetectEuc(kEucNihongo + "\xC6"), 1);
    // The state carries across blocks; data past 64 KB is ignored.
    EXPECT_EQ(DetectEuc(Ascii(kDetectBlockSize - 1) + kEucNihongo), 1);
    EXPECT_EQ(DetectEuc(Ascii(kDetectSampleSize - 1) + kEucNihongo), 0);
    EXPECT_EQ(DetectEuc(kEucNihongo + Ascii(kDetectSampleSize) + "\x81"), 1);
}

TEST(KanjiDetect, RealTextsOfEachCode) {
    const std::string sjis = "/* \x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x52\x83\x81\x83\x93\x83\x67 */\n"
                             "printf(\"\xB6\xC5\");\n";
    EXPECT_EQ(DetectJis(sjis), 0);
    EXPECT_EQ(DetectEuc(sjis), 0);
    const std::string euc = EncodeFromSjis(kCodeEuc, sjis);
    EXPECT_EQ(DetectJis(euc), 0);
    EXPECT_EQ(DetectEuc(euc), 1);
    const std::string jis = EncodeFromSjis(kCodeJis, sjis);
    EXPECT_EQ(DetectJis(jis), 1);
    EXPECT_EQ(DetectEuc(jis), 0);
}

TEST(KanjiDetect, EucDriveTokens) {
    // Drive letters never begin a POSIX path, whatever the separators.
    EXPECT_FALSE(IsEucPath("d, e", "/d/x.c"));
    EXPECT_FALSE(IsEucPath("d;e:f", "/home/e/x.c"));
    // One-character tokens still compare with the path's first character, so
    // a lone "/" takes every absolute path.
    EXPECT_TRUE(IsEucPath("/", "/home/x.c"));
    EXPECT_TRUE(IsEucPath("d", "D:x.c"));
    // Folder tokens hold at any depth, only at a component boundary.
    const std::string list = "d, /srv/euc;/mnt/old//src/ :  /opt";
    EXPECT_TRUE(IsEucPath(list, "/srv/euc/a.c"));
    EXPECT_TRUE(IsEucPath(list, "/srv/euc/sub/dir/b.h"));
    EXPECT_TRUE(IsEucPath(list, "/mnt/old/src/c.c"));
    EXPECT_TRUE(IsEucPath(list, "/opt/x"));
    EXPECT_FALSE(IsEucPath(list, "/srv/eucx/a.c"));
    EXPECT_FALSE(IsEucPath(list, "/srv/euc"));
    EXPECT_FALSE(IsEucPath(list, "/srv/EUC/a.c")) << "paths compare with case";
    EXPECT_FALSE(IsEucPath(list, "/home/a.c"));
    EXPECT_FALSE(IsEucPath("", "/srv/euc/a.c"));
    EXPECT_FALSE(IsEucPath("srv/euc", "/srv/euc/a.c")) << "other tokens are ignored";
}

TEST(KanjiDetect, DecisionOrder) {
    const std::string jis = "\x1B$B\x30\x21\x1B(B\n";
    int reads = 0;
    auto sample = [&] {
        ++reads;
        return jis;
    };
    // The document's own code, then an explicit code, win over everything.
    EXPECT_EQ(DecideKanjiCode(kCodeEuc, kCodeJis, 1, "/", "/a", sample), kCodeEuc);
    EXPECT_EQ(DecideKanjiCode(0, kCodeSjis, 1, "/", "/a", sample), kCodeSjis);
    EXPECT_EQ(DecideKanjiCode(0, kCodeJis, 0, "", "/a", sample), kCodeJis);
    EXPECT_EQ(reads, 0);
    // "EucDrive" holds with and without detection, and before it.
    EXPECT_EQ(DecideKanjiCode(0, 0, 0, "/srv", "/srv/a", sample), kCodeEuc);
    EXPECT_EQ(DecideKanjiCode(0, 0, 1, "/srv", "/srv/a", sample), kCodeEuc);
    EXPECT_EQ(reads, 0);
    // Detection only when "CharCheck" is exactly 1.
    EXPECT_EQ(DecideKanjiCode(0, 0, 0, "", "/a", sample), kCodeSjis);
    EXPECT_EQ(DecideKanjiCode(0, 0, 2, "", "/a", sample), kCodeSjis);
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(DecideKanjiCode(0, 0, 1, "", "/a", sample), kCodeJis);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(DecideKanjiCode(0, 0, 1, "", "/a", [&] { return kEucNihongo; }), kCodeEuc);
    EXPECT_EQ(DecideKanjiCode(0, 0, 1, "", "/a", [] { return std::string("abc\n"); }), kCodeSjis);
    // Out-of-range codes count as none.
    EXPECT_EQ(DecideKanjiCode(4, -1, 0, "", "/a", sample), kCodeSjis);
}

class KanjiDetectFile : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/qz-kanji-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string dir_;
};

TEST_F(KanjiDetectFile, SampleIsTheFirst64KAndTheFileIsRewound) {
    const std::string big = Ascii(kDetectSampleSize) + "tail";
    const int fd = open(Write("big.c", big).c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    char c;
    ASSERT_EQ(read(fd, &c, 1), 1);
    EXPECT_EQ(ReadKanjiSample(fd), big.substr(0, kDetectSampleSize));
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), 0);
    close(fd);

    const int empty = open(Write("empty.c", "").c_str(), O_RDONLY);
    EXPECT_EQ(ReadKanjiSample(empty), "");
    close(empty);
}

TEST_F(KanjiDetectFile, OpenFilesOfEachCode) {
    const std::string sjis = "// \x93\xFA\x96\x7B\x8C\xEA\n";
    const struct {
        const char* name;
        std::string bytes;
        int code;
    } files[] = {
        {"s.c", sjis, kCodeSjis},
        {"e.c", EncodeFromSjis(kCodeEuc, sjis), kCodeEuc},
        {"j.c", EncodeFromSjis(kCodeJis, sjis), kCodeJis},
        {"a.c", "abc\n", kCodeSjis},
    };
    for (const auto& f : files) {
        const std::string path = Write(f.name, f.bytes);
        const int fd = open(path.c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(DecideKanjiCode(0, 0, 1, "", path, fd), f.code) << f.name;
        EXPECT_EQ(lseek(fd, 0, SEEK_CUR), 0) << f.name;
        EXPECT_EQ(DecideKanjiCode(0, 0, 0, "", path, fd), kCodeSjis) << f.name;
        EXPECT_EQ(DecideKanjiCode(0, 0, 0, dir_, path, fd), kCodeEuc) << f.name;
        close(fd);
    }
}

TEST_F(KanjiDetectFile, EucFolderReachedThroughALink) {
    std::filesystem::create_directory(dir_ + "/real");
    std::filesystem::create_directory_symlink(dir_ + "/real", dir_ + "/link");
    const std::string path = std::filesystem::canonical(Write("real/x.c", "x")).string();
    EXPECT_TRUE(IsEucPath(dir_ + "/link", path));
}
