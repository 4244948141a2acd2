// "SAVE.DAT" byte for byte: the stamp, the twelve marks rewritten at every
// append, the entries; a run starting the file afresh; damaged files.
#include "document/save_dat.h"
#include "file_test_util.h"

namespace qz::test {
namespace {

std::string Int(uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}

class SaveDatTest : public FileTest {
protected:
    std::string File() { return Path("SAVE.DAT"); }
    SavedMarks marks_;
};

TEST_F(SaveDatTest, TheFirstAppendWritesStampMarksAndEntry) {
    marks_[0] = {1, "/src/a.c", 0x1234, 40};
    marks_[11] = {1, "/src/z.c", 0, 7};
    SaveDatWriter w(File());
    EXPECT_FALSE(w.Created());
    ASSERT_TRUE(w.Append(marks_, {2, 15, "/src/b.c"}));
    EXPECT_TRUE(w.Created());

    std::string want = "V01/L03 2000/02/01";
    for (size_t i = 0; i < kSavedMarkCount; ++i) {
        const SavedMark& m = marks_[i];
        want += Int(uint32_t(m.used)) + m.path + std::string(256 - m.path.size(), '\0') + Int(m.window) +
                Int(uint32_t(m.line));
    }
    ASSERT_EQ(want.size(), 3234u);
    want += Int(16 + 8 + 1) + Int(2) + Int(15) + "        " + "/src/b.c" + '\0';
    EXPECT_EQ(ReadWholeFile(File()), want);
}

TEST_F(SaveDatTest, LaterAppendsRewriteTheMarksAndAddAtTheEnd) {
    SaveDatWriter w(File());
    ASSERT_TRUE(w.Append(marks_, {1, 1, "/a"}));
    marks_[3] = {1, "/m", 0, 9};
    ASSERT_TRUE(w.Append(marks_, {1, 2, "/a"}));
    ASSERT_TRUE(w.Append(marks_, {3, 3, "/b"}));

    SavedMarks marks;
    std::vector<ReopenEntry> entries;
    ASSERT_EQ(ReadSaveDat(File(), marks, entries), SaveDatRead::Ok);
    EXPECT_EQ(marks, marks_);
    EXPECT_EQ(entries, (std::vector<ReopenEntry>{{1, 1, "/a"}, {1, 2, "/a"}, {3, 3, "/b"}}));

    // The next run's first append starts afresh.
    SaveDatWriter next(File());
    ASSERT_TRUE(next.Append(SavedMarks{}, {1, 5, "/c"}));
    ASSERT_EQ(ReadSaveDat(File(), marks, entries), SaveDatRead::Ok);
    EXPECT_EQ(marks, SavedMarks{});
    EXPECT_EQ(entries, (std::vector<ReopenEntry>{{1, 5, "/c"}}));
}

TEST_F(SaveDatTest, NoFileIsNotDamage) {
    SavedMarks marks;
    std::vector<ReopenEntry> entries;
    EXPECT_EQ(ReadSaveDat(File(), marks, entries), SaveDatRead::Missing);
}

TEST_F(SaveDatTest, AnotherStampOrCutMarksAreDamaged) {
    SaveDatWriter(File()).Append(marks_, {1, 1, "/a"});
    const std::string good = ReadWholeFile(File());
    SavedMarks marks;
    std::vector<ReopenEntry> entries;
    for (const std::string& bad : {"V01/L02 1999/12/01" + good.substr(18), good.substr(0, 17), good.substr(0, 3000),
                                   std::string()}) {
        WriteWholeFile(File(), bad);
        EXPECT_EQ(ReadSaveDat(File(), marks, entries), SaveDatRead::Damaged) << bad.size();
        EXPECT_TRUE(entries.empty());
    }
}

TEST_F(SaveDatTest, ReadingStopsAtAShortOrImpossibleEntry) {
    SaveDatWriter w(File());
    w.Append(marks_, {1, 1, "/a"});
    w.Append(marks_, {1, 2, "/b"});
    const std::string two = ReadWholeFile(File());
    SavedMarks marks;
    std::vector<ReopenEntry> entries;
    // Cut inside the second entry.
    WriteWholeFile(File(), two.substr(0, two.size() - 2));
    ASSERT_EQ(ReadSaveDat(File(), marks, entries), SaveDatRead::Ok);
    EXPECT_EQ(entries, (std::vector<ReopenEntry>{{1, 1, "/a"}}));
    // An L that cannot be (no path, or larger than any name) ends the list.
    for (uint32_t length : {0u, 16u, 0x7FFFFFF0u}) {
        WriteWholeFile(File(), two + Int(length) + std::string(40, 'x'));
        ASSERT_EQ(ReadSaveDat(File(), marks, entries), SaveDatRead::Ok);
        EXPECT_EQ(entries.size(), 2u) << length;
    }
    // A path without its NUL stops at the entry's end.
    WriteWholeFile(File(), two + Int(16 + 3) + Int(1) + Int(4) + "        " + "/cd");
    ASSERT_EQ(ReadSaveDat(File(), marks, entries), SaveDatRead::Ok);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2], (ReopenEntry{1, 4, "/cd"}));
}

TEST_F(SaveDatTest, AMarkWhosePathDoesNotFitIsWrittenUnused) {
    marks_[0] = {1, "/" + std::string(254, 'p'), 0, 3};  // 255 bytes and the NUL: fits
    marks_[1] = {1, "/" + std::string(255, 'q'), 0, 4};  // 256: would lose its NUL
    const std::string bytes = EncodeMarks(marks_);
    ASSERT_EQ(bytes.size(), 12u * 268u);
    SaveDatWriter(File()).Append(marks_, {1, 1, "/a"});
    SavedMarks marks;
    std::vector<ReopenEntry> entries;
    ASSERT_EQ(ReadSaveDat(File(), marks, entries), SaveDatRead::Ok);
    EXPECT_EQ(marks[0], marks_[0]);
    EXPECT_EQ(marks[1].used, 0);
    EXPECT_EQ(marks[1].path, "");
}

}  // namespace
}  // namespace qz::test
