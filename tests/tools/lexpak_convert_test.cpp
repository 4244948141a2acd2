// The dictionary conversions, the key upper-casing and the sort order.
#include "lexpak/dict_convert.h"
#include "lexpak/dict_sort.h"
#include "lexpak/sjis_upper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lexpak;

namespace {

struct Converted {
    ConvertResult result;
    std::string out;
};

Converted Conv(Layout layout, const std::string& src) {
    MemorySource in(src);
    StringSink out;
    ConvertResult r = Convert(layout, in, out, nullptr);
    return {r, out.out};
}

std::string Upper(const std::string& s) {
    std::string out(s.size(), '\0');
    UpperSjis(reinterpret_cast<const uint8_t*>(s.data()), s.size(),
              reinterpret_cast<uint8_t*>(out.data()));
    return out;
}

// Scans, sorts and writes like the program does.
std::string Sorted(const std::string& dict, SortResult* result = nullptr) {
    MemorySource in(dict);
    std::vector<SortRecord> recs;
    StringSink out;
    SortResult r = ScanEntries(in, recs);
    if (r == SortResult::kOk) r = SortEntries(in, recs);
    if (r == SortResult::kOk) r = WriteEntries(in, recs, out);
    if (result) *result = r;
    return out.out;
}

class FailingSink : public ByteSink {
public:
    bool Write(const char*, size_t) override { return false; }
};

const std::string kMark = "\x81\xA1";      // ■
const std::string kDiamond = "\x81\x9F";   // ◆
const std::string kOpen = "\x81\x79";      // 【
const std::string kClose = "\x81\x7A";     // 】
const std::string kRingo = "\x82\xE8\x82\xF1\x82\xB2";  // りんご
const std::string kRinkin = "\x97\xD1\x8C\xE7";         // 林檎
const std::string kYakugo = "\x81\x79\x96\xF3\x8C\xEA\x81\x7A";  // 【訳語】

}  // namespace

TEST(LexpakLayout1, EntryWithTranslationParts) {
    Converted c = Conv(Layout::kEijiro, kMark + "apple : " + kRingo + " / " + kRinkin + "\r\n");
    EXPECT_EQ(c.result, ConvertResult::kOk);
    EXPECT_EQ(c.out, ".apple\r\n" + kYakugo + "\r\n  " + kRingo + "\r\n  " + kRinkin + "\r\n");
}

TEST(LexpakLayout1, LabelsDiamondsAndBlanks) {
    // 【 right after an inserted break takes no indent; 】 breaks the line;
    // ◆ breaks it too; blanks after every break are dropped.
    Converted c = Conv(Layout::kEijiro,
                       kMark + "  go : " + kOpen + "v" + kClose + "   run" + kDiamond + "  note x" +
                           kOpen + "L" + kClose + "\n" + "plain line\n");
    EXPECT_EQ(c.out, ".go\r\n" + kYakugo + "\r\n" + kOpen + "v" + kClose + "\r\n  run\r\n  note x\r\n" +
                         kOpen + "L" + kClose + "\r\n  \nplain line\n");
}

TEST(LexpakLayout1, MarksOnlyCountAtLineStartAndOnCharacterBoundaries) {
    // ■ in the middle of a line is text; a second byte equal to 0x81 is not a
    // mark's first byte ("\x88\x81" then "\xA1").
    Converted c = Conv(Layout::kEijiro, "x" + kMark + "\n" + kMark + "a\x88\x81\xA1 \n");
    EXPECT_EQ(c.out, "x" + kMark + "\n.a\x88\x81\xA1 \n");
    // No final line end: the last line is still converted.
    EXPECT_EQ(Conv(Layout::kEijiro, kMark + "z").out, ".z");
}

TEST(LexpakLayout1, LinesMustFitIn4KBlocks) {
    std::string ok = kMark + std::string(4095 - kMark.size(), 'a') + "\n";  // 4,096 with its LF
    EXPECT_EQ(Conv(Layout::kEijiro, ok + ok).result, ConvertResult::kOk);
    std::string last = std::string(4095, 'b');  // unterminated, shorter than a block
    EXPECT_EQ(Conv(Layout::kEijiro, ok + last).result, ConvertResult::kOk);
    EXPECT_EQ(Conv(Layout::kEijiro, ok + std::string(4096, 'c')).result,
              ConvertResult::kLineTooLong);
    EXPECT_EQ(Conv(Layout::kEijiro, "a\n" + std::string(5000, 'd') + "\n").result,
              ConvertResult::kLineTooLong);
}

TEST(LexpakLayout2, PairsOfLines) {
    EXPECT_EQ(Conv(Layout::kTwoLine, "b\r\nB\r\na\r\nA1 A2\r\nlone\r\n").out,
              ".b\r\nB\r\n.a\r\nA1 A2\r\n.lone\r\n");
    // A headword longer than one piece is kept whole.
    std::string head(5000, 'h');
    EXPECT_EQ(Conv(Layout::kTwoLine, head + "\n" + "t\n").out, "." + head + "\n" + "t\n");
}

TEST(LexpakLayout3And4, HeadwordThenTheRestOfTheLine) {
    EXPECT_EQ(Conv(Layout::kTab, "b\tB\r\na\tA\tmore\r\n").out, ".b\r\nB\r\n.a\r\nA\tmore\r\n");
    EXPECT_EQ(Conv(Layout::kTab, "b\tB\na\tA").out, ".b\r\nB\n.a\r\nA");
    EXPECT_EQ(Conv(Layout::kSpace, "cat " + kRingo + " x\r\n").out, ".cat\r\n" + kRingo + " x\r\n");
    std::string rest(5000, 'r');
    EXPECT_EQ(Conv(Layout::kTab, "w\t" + rest + "\r\nv\tV\r\n").out,
              ".w\r\n" + rest + "\r\n.v\r\nV\r\n");
}

TEST(LexpakLayout3And4, SeparatorMustBeInTheFirstPiece) {
    EXPECT_EQ(Conv(Layout::kTab, "a\tA\r\nno tab\r\n").result, ConvertResult::kHeadwordTooLong);
    EXPECT_EQ(Conv(Layout::kSpace, "a A\r\n\r\n").result, ConvertResult::kHeadwordTooLong);
    EXPECT_EQ(Conv(Layout::kTab, std::string(4094, 'h') + "\tT\n").result, ConvertResult::kOk);
    EXPECT_EQ(Conv(Layout::kTab, std::string(4095, 'h') + "\tT\n").result,
              ConvertResult::kHeadwordTooLong);
}

TEST(LexpakConvert, WriteFailureAndEmptySource) {
    for (Layout l : {Layout::kEijiro, Layout::kTwoLine, Layout::kTab, Layout::kSpace}) {
        MemorySource in("a\tb c\r\n");
        FailingSink out;
        EXPECT_EQ(Convert(l, in, out, nullptr), ConvertResult::kWriteFailed);
        EXPECT_EQ(Conv(l, "").out, "");
    }
}

TEST(LexpakConvert, ProgressReportsBytesReadInOrder) {
    std::string src;
    for (int i = 0; i < 100; ++i) src += "w" + std::to_string(i) + "\tt\r\n";
    MemorySource in(src);
    StringSink out;
    std::vector<uint64_t> seen;
    Convert(Layout::kTab, in, out, [&](uint64_t n) { seen.push_back(n); });
    ASSERT_EQ(seen.size(), 100u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), src.size());
}

TEST(LexpakUpper, LettersOnlyAndNeverSecondBytes) {
    EXPECT_EQ(Upper("abz{AZ09@"), "ABZ{AZ09@");
    EXPECT_EQ(Upper("\x82\x81\x82\x9A"), "\x82\x60\x82\x79");          // ａｚ -> ＡＺ
    EXPECT_EQ(Upper("\x83\xBF\x83\xD6"), "\x83\x9F\x83\xB6");          // αω -> ΑΩ
    EXPECT_EQ(Upper("\x84\x70\x84\x7E\x84\x80\x84\x91"), "\x84\x40\x84\x4E\x84\x4F\x84\x60");
    EXPECT_EQ(Upper("\x83\x61\x83\x7A"), "\x83\x61\x83\x7A");          // second bytes 'a', 'z'
    EXPECT_EQ(Upper("\xB1\xDF"), "\xB1\xDF");                          // half-width kana
    EXPECT_EQ(Upper("a\x82"), "A\x82");                                // lead byte at the end
}

TEST(LexpakSort, KeyOrderIgnoresCaseAndBreaksTiesOnTheWholeLine) {
    std::string dict =
        ".b\r\nB\r\n"
        ".abcdefghijklmnopZ\r\nz\r\n"
        ".\x82\x81\r\nfull-width a\r\n"   // ａ sorts with Ａ (0x82 0x60)
        ".ABCDEFGHIJKLMNOPa\r\na\r\n"     // ties on 16 bytes; "...A" < "...Z"
        ".a\r\nA\r\n"
        ".ab\r\nAB\r\n"
        ".a\tx\r\ntab\r\n"                // a key ends at the line end, not at a tab
        ".\x82\x60\x82\x61\r\nAB\r\n";
    EXPECT_EQ(Sorted(dict),
              ".a\r\nA\r\n"
              ".a\tx\r\ntab\r\n"
              ".ab\r\nAB\r\n"
              ".ABCDEFGHIJKLMNOPa\r\na\r\n"
              ".abcdefghijklmnopZ\r\nz\r\n"
              ".b\r\nB\r\n"
              ".\x82\x81\r\nfull-width a\r\n"
              ".\x82\x60\x82\x61\r\nAB\r\n");
}

TEST(LexpakSort, EqualKeysKeepBothEntries) {
    std::string out = Sorted(".Apple\r\n1\r\n.apple\r\n2\r\n.a\r\n0\r\n");
    EXPECT_EQ(out.substr(0, 7), ".a\r\n0\r\n");
    EXPECT_TRUE(out == ".a\r\n0\r\n.Apple\r\n1\r\n.apple\r\n2\r\n" ||
                out == ".a\r\n0\r\n.apple\r\n2\r\n.Apple\r\n1\r\n")
        << out;
}

TEST(LexpakSort, EntriesStartOnlyAtLineStarts) {
    // Bytes before the first entry are dropped; a '.' inside a line is text;
    // an entry may hold many lines and pieces of more than 1,024 bytes.
    std::string body(3000, 'x');
    EXPECT_EQ(Sorted("header\r\n.z\r\nz.z\r\n" + body + "\r\n.y\r\n"),
              ".y\r\n.z\r\nz.z\r\n" + body + "\r\n");
    EXPECT_EQ(Sorted(""), "");
    EXPECT_EQ(Sorted("no entries\r\n"), "");
}

TEST(LexpakSort, LastEntryWithoutLineEndCannotRunIntoTheNext) {
    EXPECT_EQ(Sorted(".b\r\nB\r\n.a\r\nA"), ".a\r\nA\r\n.b\r\nB\r\n");
    EXPECT_EQ(Sorted(".b\r\nB\r\n.c"), ".b\r\nB\r\n.c\r\n");
}

TEST(LexpakSort, LinesOf4KOrMoreFail) {
    SortResult r;
    Sorted(".a\r\n" + std::string(4095, 'x') + "\n.b\n", &r);
    EXPECT_EQ(r, SortResult::kOk);
    Sorted(".a\r\n" + std::string(4096, 'x') + "\n.b\n", &r);
    EXPECT_EQ(r, SortResult::kLineTooLong);
    Sorted(".a\r\n" + std::string(4096, 'x'), &r);
    EXPECT_EQ(r, SortResult::kLineTooLong);
}

TEST(LexpakSort, RecordsHoldOffsetsLengthsAndKeys) {
    std::string dict = "junk\n.hello world, long headword\r\nbody\r\n.x\r\n";
    MemorySource in(dict);
    std::vector<SortRecord> recs;
    ASSERT_EQ(ScanEntries(in, recs), SortResult::kOk);
    ASSERT_EQ(recs.size(), 2u);
    EXPECT_EQ(recs[0].offset(), 5u);
    EXPECT_EQ(recs[0].length, dict.find(".x") - 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(recs[0].key), 16), "HELLO WORLD, LON");
    EXPECT_EQ(recs[1].length, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(recs[1].key), 16), std::string("X") + std::string(15, '\0'));
}
