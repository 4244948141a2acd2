// The dictionary search of the guidance window: the comparison rule, small
// hand-made files for the layout's corners, and a 200,000-entry dictionary
// written by the real lexpak.
#include "lang/guidance_file.h"
#include "lang/guidance_window.h"
#include "platform/cp932.h"
#include "tools/tool_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace qz {
namespace {

namespace fs = std::filesystem;
using tooltest::ScratchDir;

std::string S(const char* utf8) { return Utf8ToSjis(utf8); }

int Cmp(const std::string& text, const std::string& key) {
    return CompareGuidanceKey(reinterpret_cast<const uint8_t*>(text.data()), text.size(), key);
}

TEST(GuidanceCompare, LettersFoldDoubleByteCharactersDoNot) {
    EXPECT_EQ(GuidanceSearchKey("apPle"), "\n.APPLE");
    EXPECT_EQ(Cmp("\n.apple pie", "\n.APPLE"), 0);  // a prefix match
    EXPECT_EQ(Cmp("\n.Apricot", "\n.APPLE"), 'R' - 'P');
    EXPECT_LT(Cmp("\n.app\r\n", "\n.APPLE"), 0);
    // Full-width letters are compared as they stand, in the key too.
    EXPECT_EQ(GuidanceSearchKey(S("ａｂ")), "\n." + S("ａｂ"));
    EXPECT_NE(Cmp("\n." + S("ａｂ"), "\n." + S("ＡＢ")), 0);
    EXPECT_EQ(Cmp("\n." + S("関数"), GuidanceSearchKey(S("関"))), 0);
    // A trail byte in the range of a-z is no letter: 0x82 0x61 is not 0x82 0x41.
    EXPECT_EQ(GuidanceSearchKey("\x82\x61x"), "\n.\x82\x61X");
    EXPECT_GT(Cmp("\n.\x82\x61", "\n.\x82\x41"), 0);
    // Text that ends before the key counts as a zero byte.
    EXPECT_LT(Cmp("\n.AP", "\n.APPLE"), 0);
    EXPECT_EQ(Cmp("", ""), 0);
}

class SmallDictionary : public ::testing::Test {
protected:
    void Write(const std::string& bytes) { tooltest::WriteFile(dir.path() / "d.dic", bytes); }
    GuidanceFile& Opened(const std::string& bytes) {
        Write(bytes);
        EXPECT_TRUE(file.Open(dir / "d.dic"));
        return file;
    }
    ScratchDir dir;
    GuidanceFile file;
};

TEST_F(SmallDictionary, EntriesHeadwordsBodiesAndOffsets) {
    const std::string text = ".apple\r\n" + S("りんご") + "\r\n.banana\r\n.cherry\r\nA\r\nB\r\n";
    GuidanceFile& f = Opened(text);
    GuidanceEntry e = f.Find("APP");
    ASSERT_EQ(e.status, GuidanceEntry::kFound);
    EXPECT_EQ(e.headword, "apple");
    EXPECT_EQ(e.body, S("りんご") + "\r\n");
    EXPECT_EQ(e.start, 0);
    EXPECT_EQ(e.end, static_cast<int64_t>(text.find(".banana")));
    // An entry with no body ends where the next begins.
    e = f.Find("banana");
    EXPECT_EQ(e.headword, "banana");
    EXPECT_EQ(e.body, "");
    EXPECT_EQ(e.start, static_cast<int64_t>(text.find(".banana")));
    EXPECT_EQ(e.end, static_cast<int64_t>(text.find(".cherry")));
    // The last runs to the end of the file.
    e = f.Find("c");
    EXPECT_EQ(e.body, "A\r\nB\r\n");
    EXPECT_EQ(e.end, static_cast<int64_t>(text.size()));
    EXPECT_EQ(f.Find("cherryx").status, GuidanceEntry::kNotFound);
    EXPECT_EQ(f.Find("0").status, GuidanceEntry::kNotFound);  // before every headword
    // A line in the body that begins with a blank and a dot is no entry.
    e = Opened(".a\r\n .b\r\n.c\r\n").Find("a");
    EXPECT_EQ(e.body, " .b\r\n");
}

TEST_F(SmallDictionary, LineFeedOnlyFilesEndTheHeadwordAtTheLineFeed) {
    GuidanceFile& f = Opened(".apple\n" + S("りんご") + "\n.pear\n" + S("なし"));
    GuidanceEntry e = f.Find("apple");
    EXPECT_EQ(e.headword, "apple");
    EXPECT_EQ(e.body, S("りんご") + "\n");
    e = f.Find("pear");
    EXPECT_EQ(e.headword, "pear");
    EXPECT_EQ(e.body, S("なし"));
}

TEST_F(SmallDictionary, BodiesLongerThanABlockAndEntriesOnBlockEdges) {
    // The second entry's "." falls exactly on the first block's last byte,
    // then on the byte after it.
    for (size_t pad : {kGuidanceBlockBytes - 8, kGuidanceBlockBytes - 7}) {
        std::string text = ".a\r\n" + std::string(pad, 'x') + "\r\n.b\r\nB\r\n";
        text.replace(4 + pad / 2, 2, "\r\n");  // no line may outgrow a block
        GuidanceFile& f = Opened(text);
        GuidanceEntry a = f.Find("a");
        EXPECT_EQ(a.body.size(), pad + 2) << pad;
        EXPECT_EQ(a.end, static_cast<int64_t>(text.find(".b")));
        GuidanceEntry b = f.Find("b");
        EXPECT_EQ(b.headword, "b");
        EXPECT_EQ(b.body, "B\r\n");
        GuidanceEntry next = f.Forward(a.end, "\n.");
        EXPECT_EQ(next.start, b.start);
        GuidanceEntry prev = f.Backward(b.start, "\n.");
        EXPECT_EQ(prev.start, 0);
        EXPECT_EQ(prev.body, a.body);
    }
    // A body of 2.5 blocks, found whole.
    std::string longBody;
    for (int i = 0; longBody.size() < kGuidanceBlockBytes * 5 / 2; ++i) longBody += "line " + std::to_string(i) + "\r\n";
    GuidanceEntry e = Opened(".long\r\n" + longBody + ".z\r\n").Find("long");
    EXPECT_EQ(e.body, longBody);
}

TEST_F(SmallDictionary, ALineLongerThanABlockBackwardsCannotBeProcessed) {
    const std::string text = ".a\r\n" + std::string(kGuidanceBlockBytes + 5000, 'x') + "\r\n.b\r\n";
    GuidanceFile& f = Opened(text);
    const GuidanceEntry b = f.Find("b");
    ASSERT_EQ(b.status, GuidanceEntry::kFound);
    EXPECT_EQ(f.Backward(b.start, "\n.").status, GuidanceEntry::kCannotProcess);
    // Forwards the long line is stepped over.
    EXPECT_EQ(f.Forward(0, "\n.B").start, b.start);
}

TEST_F(SmallDictionary, AShortReadBackwardsCannotBeProcessed) {
    GuidanceFile& f = Opened(".a\r\n.b\r\n");
    EXPECT_EQ(f.Backward(1000, "\n.").start, 4);  // past the end: from the end
    // The file shrank under the open window.
    tooltest::WriteFile(dir.path() / "d.dic", ".a");
    EXPECT_EQ(f.Backward(8, "\n.").status, GuidanceEntry::kCannotProcess);
}

// ---------------------------------------------------------------- lexpak's dictionaries

constexpr int kWords = 200000;

// Distinct words of letters (distinct in any case), some of them prefixes
// of others, in mixed case.
std::vector<std::string> MakeWords(std::mt19937& rng) {
    std::set<std::string> seen;
    std::vector<std::string> words;
    std::uniform_int_distribution<int> len(1, 12), letter(0, 25), coin(0, 3);
    while (static_cast<int>(words.size()) < kWords) {
        std::string w;
        if (!words.empty() && coin(rng) == 0) {
            // A longer form of an earlier word.
            w = words[std::uniform_int_distribution<size_t>(0, words.size() - 1)(rng)];
            w += static_cast<char>('a' + letter(rng));
        } else {
            for (int i = len(rng); i > 0; --i) w += static_cast<char>('a' + letter(rng));
        }
        for (char& c : w)
            if (coin(rng) == 0) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        std::string upper = w;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (seen.insert(upper).second) words.push_back(w);
    }
    return words;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string BodyOf(size_t index) { return S("訳語") + std::to_string(index) + "\r\n"; }

class LexpakDictionary : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new ScratchDir;
        std::mt19937 rng(20261208);
        words = new std::vector<std::string>(MakeWords(rng));
        // The source in lexpak's tab layout, shuffled.
        std::vector<size_t> order(words->size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), rng);
        std::string source;
        for (size_t i : order) source += (*words)[i] + "\t" + BodyOf(i);
        tooltest::WriteFile(dir->path() / "words.txt", source);
        fs::create_directory(dir->path() / "tmp");
        const tooltest::RunResult r = tooltest::Run(LEXPAK_PROGRAM, {"-d3", "-fwords.txt", "-owords.dic"},
                                                    dir->path(), "", {"TMPDIR=" + (dir->path() / "tmp").string()});
        ASSERT_EQ(r.status, 0) << r.out;
        // The headwords in the file's order, upper-cased, for the expectations.
        sorted = new std::vector<std::pair<std::string, size_t>>;
        for (size_t i = 0; i < words->size(); ++i) sorted->emplace_back(Upper((*words)[i]), i);
        std::sort(sorted->begin(), sorted->end());
    }
    static void TearDownTestSuite() {
        delete sorted;
        delete words;
        delete dir;
    }
    void SetUp() override { ASSERT_TRUE(file.Open(Path())); }
    static std::string Path() { return (dir->path() / "words.dic").string(); }

    static ScratchDir* dir;
    static std::vector<std::string>* words;
    static std::vector<std::pair<std::string, size_t>>* sorted;
    GuidanceFile file;
};
ScratchDir* LexpakDictionary::dir;
std::vector<std::string>* LexpakDictionary::words;
std::vector<std::pair<std::string, size_t>>* LexpakDictionary::sorted;

TEST_F(LexpakDictionary, EveryHeadwordIsFoundWithItsBody) {
    int wrong = 0;
    for (size_t i = 0; i < words->size() && wrong < 10; ++i) {
        const GuidanceEntry e = file.Find(Upper((*words)[i]));
        if (e.status != GuidanceEntry::kFound || e.headword != (*words)[i] || e.body != BodyOf(i)) {
            ADD_FAILURE() << "word " << i << " '" << (*words)[i] << "' found as '" << e.headword << "'";
            ++wrong;
        }
    }
}

TEST_F(LexpakDictionary, PrefixesInAnyCaseFindTheFirstHeadwordThatBeginsWithThem) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<size_t> pick(0, words->size() - 1);
    for (int n = 0; n < 3000; ++n) {
        std::string prefix = (*words)[pick(rng)].substr(0, 1 + n % 4);
        for (char& c : prefix) c = (rng() & 1) ? static_cast<char>(std::tolower(c)) : static_cast<char>(std::toupper(c));
        const auto first = std::lower_bound(sorted->begin(), sorted->end(), std::make_pair(Upper(prefix), size_t{0}));
        ASSERT_NE(first, sorted->end());
        const GuidanceEntry e = file.Find(prefix);
        ASSERT_EQ(e.status, GuidanceEntry::kFound) << prefix;
        EXPECT_EQ(e.headword, (*words)[first->second]) << prefix;
    }
}

TEST_F(LexpakDictionary, KeywordsOutsideTheHeadwordsAreNotFound) {
    for (const char* key : {"~", "zzzzzzzzzzzzzz", "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ", "0", "@", "\x88\x9f"})
        EXPECT_EQ(file.Find(key).status, GuidanceEntry::kNotFound) << key;
}

TEST_F(LexpakDictionary, NextAndPreviousWalkTheEntriesAndStopAtBothEnds) {
    GuidanceWindow w((*words)[sorted->front().second], Path());
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.FirstSearch());
    EXPECT_EQ(w.EntryStart(), 0);
    w.Previous();
    EXPECT_EQ(w.Headword(), "");
    EXPECT_EQ(w.Body(), S("見つかりません"));
    w.Next();  // from the start again
    EXPECT_EQ(w.Headword(), (*words)[sorted->front().second]);
    for (size_t k = 1; k < 50; ++k) {
        w.Next();
        ASSERT_EQ(w.Headword(), (*words)[(*sorted)[k].second]) << k;
    }
    for (size_t k = 49; k-- > 0;) {
        w.Previous();
        ASSERT_EQ(w.Headword(), (*words)[(*sorted)[k].second]) << k;
    }

    // The last entry: no next one; previous from there steps back.
    GuidanceWindow end((*words)[sorted->back().second], Path());
    ASSERT_TRUE(end.Open());
    ASSERT_TRUE(end.FirstSearch());
    EXPECT_EQ(end.EntryEnd(), static_cast<int64_t>(fs::file_size(Path())));
    end.Next();
    EXPECT_EQ(end.Headword(), "");
    EXPECT_EQ(end.Body(), S("見つかりません"));
    end.Previous();
    EXPECT_EQ(end.Headword(), (*words)[sorted->back().second]);
    end.Previous();
    EXPECT_EQ(end.Headword(), (*words)[(*sorted)[sorted->size() - 2].second]);
}

TEST_F(LexpakDictionary, ATruncatedDictionaryGivesMessagesNotCrashes) {
    const std::string whole = tooltest::ReadFile(Path());
    // Cut inside an entry's body, in the middle of its double-byte text.
    const size_t mid = whole.find(S("訳語"), whole.size() / 2) + 1;
    tooltest::WriteFile(dir->path() / "cut.dic", whole.substr(0, mid));
    const size_t lastKept = whole.rfind("\n.", mid) + 1;
    const std::string lastHeadword = whole.substr(lastKept + 1, whole.find('\r', lastKept) - lastKept - 1);

    GuidanceWindow w(lastHeadword, (dir->path() / "cut.dic").string());
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.FirstSearch());
    EXPECT_EQ(w.Headword(), lastHeadword);
    EXPECT_EQ(w.Body(), whole.substr(whole.find('\n', lastKept + 1) + 1, mid - whole.find('\n', lastKept + 1) - 1));
    w.Next();
    EXPECT_EQ(w.Body(), S("見つかりません"));
    // Words past the cut are not there.
    ASSERT_FALSE(w.WordChanged((*words)[sorted->back().second]));
    EXPECT_FALSE(w.Search());
    EXPECT_EQ(w.Headword(), "");
    EXPECT_EQ(w.Body(), S("見つかりません"));
    // Cut in the middle of a headword: that entry is found by its first part.
    const size_t dot = whole.find("\n.", whole.size() / 3) + 1;
    const std::string head = whole.substr(dot + 1, whole.find('\r', dot) - dot - 1);
    ASSERT_GE(head.size(), 2u);
    tooltest::WriteFile(dir->path() / "cut2.dic", whole.substr(0, dot + 2));
    GuidanceFile cut;
    ASSERT_TRUE(cut.Open((dir->path() / "cut2.dic").string()));
    const GuidanceEntry e = cut.Find(head.substr(0, 1));
    EXPECT_EQ(e.status, GuidanceEntry::kFound);
    const GuidanceEntry last = cut.Backward(cut.Length(), "\n.");
    EXPECT_EQ(last.headword, head.substr(0, 1));
    EXPECT_EQ(last.body, "");
    EXPECT_EQ(cut.Find(head).status, GuidanceEntry::kNotFound);
}

}  // namespace
}  // namespace qz
