// Edge cases of the text store: record boundaries, allocation and growth,
// layout rules at the wrap column, comment states, refusals and calls out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/qzed_doc.h"
#include "platform/message_box.h"

namespace qz {
namespace {

struct FakeBox : MessageBox {
    std::vector<std::string> texts, captions;
    std::vector<MbIcon> icons;
    MbResult Show(const std::string& t, const std::string& c, MbIcon i, MbButtons) override {
        texts.push_back(t), captions.push_back(c), icons.push_back(i);
        return MbResult::Ok;
    }
};

struct Host : StoreHost {
    std::vector<std::string> calls;
    void SetModifiedFlag(bool m) override { calls.push_back(m ? "modified" : "clean"); }
    void NotifyLinesChanged(uint32_t r, int32_t d) override {
        calls.push_back("notify " + std::to_string(r) + " " + std::to_string(d));
    }
    int RecordUndo(int kind, uint32_t pos, const char* b, uint32_t n) override {
        calls.push_back("undo " + std::to_string(kind) + " " + std::to_string(pos) + " " + std::string(b, n));
        return 0;
    }
};

std::string Text(TextStore& st) {
    std::string s(st.GetTextLength(), '\0');
    st.ReadText(1, s.data(), static_cast<uint32_t>(s.size()));
    return s;
}

std::vector<uint32_t> Sizes(const TextStore& st) {
    std::vector<uint32_t> v;
    for (uint32_t x = st.Head(); x; x = st.Record(x).NEXT) v.push_back(st.Record(x).SIZE);
    return v;
}

void Load(TextStore& st, const std::string& s) {
    st.LoadBegin(static_cast<uint32_t>(s.size()));
    ASSERT_TRUE(st.LoadAppend(s.data(), static_cast<uint32_t>(s.size())));
    st.LoadEnd();
}

std::string Row(TextStore& st, uint32_t r) {
    char buf[kRowTextMax];
    uint32_t n = st.GetRowText(r, buf);
    return std::string(buf, n);
}

TEST(StoreEdges, EmptyDocumentIsOneEmptyRecord) {
    TextStore st;
    const StoreRecord& r = st.Record(1);
    EXPECT_EQ(r.used, 1);
    EXPECT_EQ(r.NOW, 1u);
    EXPECT_EQ(r.SIZE + r.CR + r.DCR + r.NEXT + r.BEFORE, 0u);
    EXPECT_EQ(r.COM + r.TOP + r.COL + r.KAN + r.CHR, 0);
    EXPECT_EQ(st.Head(), 1u);
    EXPECT_EQ(st.Tail(), 1u);
    EXPECT_EQ(st.AllocHint(), 1u);
    EXPECT_EQ(st.Cursor().MAKE, 0);
    EXPECT_EQ(st.Cursor().FATNO, 1u);
    EXPECT_EQ(st.GetRowCount(), 0u);
    EXPECT_EQ(Row(st, 1), "");
    EXPECT_EQ(st.RowToOffset(1), 1u);
    EXPECT_EQ(st.OffsetToRow(1), 1u);
    EXPECT_EQ(st.LineToRow(1), 1u);
    EXPECT_EQ(st.GetCharAt(1), 0);
    EXPECT_EQ(st.InsertText(2, "x", 1, 0), 0u);
    EXPECT_EQ(st.InsertText(1, "x", 0, 0), 0u);
    EXPECT_EQ(st.DeleteText(1, 1), 0u);
    EXPECT_EQ(st.InsertText(1, "x", 1, 0), 1u);
    EXPECT_EQ(Text(st), "x");
    EXPECT_EQ(st.InsertChar(3, 'y'), -1);
    EXPECT_EQ(st.InsertChar(2, 'y'), 0);
    EXPECT_EQ(Text(st), "xy");
    EXPECT_EQ(st.Check(), "");
}

TEST(StoreEdges, BoundaryInsertAppendsToEarlierRecord) {
    TextStore st;
    std::string a(100, 'a');
    st.InsertText(1, a.data(), 100, 0);
    std::string b(30, 'b');
    st.InsertText(101, b.data(), 30, 0);
    EXPECT_EQ(Sizes(st), (std::vector<uint32_t>{128, 2}));
    st.DeleteText(128, 1);
    EXPECT_EQ(Sizes(st), (std::vector<uint32_t>{127, 2}));
    // Position 128 is both the end of record 1 and the start of record 2.
    st.InsertText(128, "X", 1, 0);
    EXPECT_EQ(Sizes(st), (std::vector<uint32_t>{128, 2}));
    EXPECT_EQ(st.Record(st.Head()).text[127], 'X');
    // Reading and deleting at that boundary take the later record.
    EXPECT_EQ(st.GetCharAt(129), 'b');
    EXPECT_EQ(st.Cursor().FATNO, st.Record(st.Head()).NEXT);
    EXPECT_EQ(st.Cursor().SIZE, 128u);
    EXPECT_EQ(st.Check(), "");
}

TEST(StoreEdges, InsertAtEndOfFullRecordAllocatesAfterIt) {
    TextStore st;
    Load(st, std::string(128, 'a') + "bb");
    EXPECT_EQ(Sizes(st), (std::vector<uint32_t>{128, 2, 0}));
    st.InsertText(129, "X", 1, 0);
    EXPECT_EQ(Sizes(st), (std::vector<uint32_t>{128, 1, 2, 0}));
    EXPECT_EQ(st.Record(1).NEXT, 4u);  // the first free record after the loaded ones
    EXPECT_EQ(st.Record(4).BEFORE, 1u);
    EXPECT_EQ(st.Record(2).BEFORE, 4u);
    EXPECT_EQ(Text(st), std::string(128, 'a') + "Xbb");
    EXPECT_EQ(st.Check(), "");
}

TEST(StoreEdges, LongInsertIntoFullRecordThenDeleteAll) {
    TextStore st;
    std::string a(128, 'a');
    st.InsertText(1, a.data(), 128, 0);
    std::string b(300, 'b');
    st.InsertText(65, b.data(), 300, 0);
    EXPECT_EQ(Sizes(st), (std::vector<uint32_t>{128, 128, 128, 44}));
    EXPECT_EQ(Text(st), std::string(64, 'a') + b + std::string(64, 'a'));
    EXPECT_EQ(st.Check(), "");
    EXPECT_EQ(st.DeleteText(1, 10000), 428u);
    EXPECT_EQ(Sizes(st), (std::vector<uint32_t>{0}));
    EXPECT_EQ(st.RecordsInUse(), 1u);
    EXPECT_EQ(st.GetRowCount(), 0u);
    EXPECT_EQ(st.Check(), "");
}

TEST(StoreEdges, LoadFillsRecordsInOrderAndEndsWithEmptyTail) {
    TextStore st;
    std::string s(300, 'q');
    s[10] = '\n';
    Load(st, s);
    EXPECT_EQ(Sizes(st), (std::vector<uint32_t>{128, 128, 44, 0}));
    for (uint32_t n = 1; n <= 4; ++n) {
        EXPECT_EQ(st.Record(n).NEXT, n < 4 ? n + 1 : 0);
        EXPECT_EQ(st.Record(n).BEFORE, n - 1);
    }
    EXPECT_EQ(st.Tail(), 4u);
    EXPECT_EQ(st.AllocHint(), 4u);
    EXPECT_EQ(st.GetLastEditPos(), 0u);
    EXPECT_EQ(st.Check(), "");
    Load(st, "");
    EXPECT_EQ(Sizes(st), (std::vector<uint32_t>{0}));
    Load(st, std::string(128, 'z'));
    EXPECT_EQ(Sizes(st), (std::vector<uint32_t>{128, 0}));
    EXPECT_EQ(st.Check(), "");
    // Outside a load the fill calls change nothing.
    EXPECT_FALSE(st.LoadAppend("x", 1));
    st.LoadEnd();
    EXPECT_EQ(st.GetTextLength(), 128u);
    EXPECT_EQ(st.Check(), "");
}

TEST(StoreEdges, CapacityIsCheckedNotFatal) {
    const uint64_t most = uint64_t(kMaxRecords - 1) * kRecordText;  // every record full, one left for the tail
    EXPECT_GE(most, uint64_t(1) << 30);
    EXPECT_TRUE(TextStore::CanHold(most));
    EXPECT_FALSE(TextStore::CanHold(most + 1));
    EXPECT_FALSE(TextStore::CanHold(uint64_t(kMaxRecords) * kRecordText));
    TextStore st;
    char x = 'x';
    // Refused before a byte is read: nothing of the pointer is touched.
    EXPECT_EQ(st.InsertText(1, &x, 2000000000u, 0), 0u);
    EXPECT_EQ(st.GetTextLength(), 0u);
    CQzedDoc doc;
    EXPECT_FALSE(doc.LoadBegin(most + 1));
}

TEST(StoreEdges, AllocationSearchWrapsThenGrowsByHint) {
    TextStore st;
    // 399 full records and the empty tail fill exactly one chunk.
    Load(st, std::string(399 * 128, 'a'));
    ASSERT_EQ(st.ChunksAllocated(), 1u);
    ASSERT_EQ(st.Tail(), 400u);
    st.DeleteText(129, 128);  // record 2 empties and is freed
    EXPECT_EQ(st.Record(2).used, 0);
    EXPECT_EQ(st.Record(1).NEXT, 3u);
    // The search from the hint (the tail) finds nothing after it and comes
    // round to record 2.
    st.InsertText(4 * 128 + 1, "X", 1, 0);
    EXPECT_EQ(st.AllocHint(), 2u);
    EXPECT_EQ(st.Record(2).used, 1);
    // Nothing is free now: growth by hint + 128 bytes takes two chunks.
    st.InsertText(128 + 1, "Y", 1, 60000);
    EXPECT_EQ(st.ChunksAllocated(), 3u);
    EXPECT_EQ(st.AllocHint(), 401u);
    EXPECT_EQ(st.Check(), "");
}

TEST(StoreEdges, LeadByteAtRecordEnd) {
    TextStore st;
    st.SetLayout(4, 240, 0);
    std::string s(127, 'a');
    s += "\x82\xA0z";
    Load(st, s);
    EXPECT_EQ(st.Record(1).KAN, 1);
    EXPECT_EQ(st.Record(1).COL, 128);
    EXPECT_EQ(st.Record(2).KAN, 0);
    EXPECT_EQ(st.Record(2).COL, 130);  // the trail byte, then 'z'
    EXPECT_EQ(st.Check(), "");
}

TEST(StoreEdges, WrapAtColumnLimit) {
    TextStore st;
    st.SetLayout(4, 240, 0);
    Load(st, std::string(241, 'w'));
    EXPECT_EQ(st.GetRowCount(), 1u);
    EXPECT_EQ(st.GetLineEndCount(), 0u);
    EXPECT_EQ(st.Record(1).DCR + st.Record(2).DCR, 1u);
    EXPECT_EQ(st.RowToLine(2), 1u);
    EXPECT_EQ(Row(st, 1).size(), 240u);
    EXPECT_EQ(Row(st, 2), "w");
    EXPECT_EQ(st.RowColumnToLineOffset(2, 0), 240u);

    // A double-byte character starting in column 239 ends in column 240.
    Load(st, std::string(239, 'w') + "\x88\x9F" + "v");
    EXPECT_EQ(Row(st, 1), std::string(239, 'w') + "\x88\x9F");
    EXPECT_EQ(Row(st, 2), "v");
    // Clamping of the wrap width.
    st.SetLayout(4, 5, 0);
    EXPECT_EQ(st.GetWrapWidth(), 20);
    st.SetLayout(0, 999, 0);
    EXPECT_EQ(st.GetWrapWidth(), 240);
    EXPECT_EQ(st.GetTabWidth(), 1);
}

TEST(StoreEdges, TabsAdvanceToNextStop) {
    TextStore st;
    st.SetLayout(4, 80, 0);
    Load(st, "abcde\t");
    EXPECT_EQ(st.Record(1).COL, 8);
    // A tab may pass the wrap column; the following character wraps.
    st.SetLayout(8, 20, 0);
    st.RelayoutAll();
    Load(st, std::string(18, 'x') + "\tyz");
    EXPECT_EQ(Row(st, 1), std::string(18, 'x') + "\ty");
    EXPECT_EQ(Row(st, 2), "z");
}

TEST(StoreEdges, RunOfTabsNeverOverflowsARow) {
    TextStore st;
    st.SetLayout(8, 20, 0);
    Load(st, std::string(1000, '\t'));
    char buf[kRowTextMax];
    for (uint32_t r = 1; r <= st.GetRowCount() + 1; ++r) EXPECT_LE(st.GetRowText(r, buf), 4u);
    EXPECT_EQ(Row(st, 1), "\t\t\t\t");  // 8, 16, 24, then 32 from past the edge
    EXPECT_EQ(st.Check(), "");
}

TEST(StoreEdges, BlockCommentAcrossLines) {
    TextStore st;
    st.SetLayout(4, 80, 3);
    Load(st, "a /* one\n two */ b\nc\n");
    int top = 0;
    uint8_t chr = 0;
    EXPECT_EQ(st.RowStartState(1, &top, &chr), 1);
    EXPECT_EQ(top, 1);
    EXPECT_EQ(st.RowStartState(2, &top, &chr), 2);
    EXPECT_EQ(chr, 0);
    EXPECT_EQ(st.RowStartState(3, &top, &chr), 1);
    // Line comments end at the line feed.
    Load(st, "x // c\ny");
    EXPECT_EQ(st.RowStartState(2, nullptr, nullptr), 1);
    EXPECT_EQ(st.Record(1).COM, 1);
    Load(st, "x // c");
    EXPECT_EQ(st.Record(1).COM, 3);
    // The pending character carries over a row start.
    st.SetLayout(4, 20, 3);
    Load(st, std::string(19, 'x') + "//z");
    EXPECT_EQ(st.RowStartState(2, &top, &chr), 1);
    EXPECT_EQ(chr, '/');
    EXPECT_EQ(top, 0);
}

TEST(StoreEdges, LineStartCommentOnlyAtLogicalLineStart) {
    TextStore st;
    st.SetLayout(4, 20, 0x100);
    Load(st, "* note\n" + std::string(20, 'y') + "*z\nq*\n");
    EXPECT_EQ(st.RowStartState(2, nullptr, nullptr), 1);  // the line feed ends it
    // Row 3 starts with "*" after a wrap: not a comment.
    EXPECT_EQ(Row(st, 3), "*z\n");
    EXPECT_EQ(st.Record(1).COM, 1);
    Load(st, "* note");
    EXPECT_EQ(st.Record(1).COM, 3);
    Load(st, std::string(20, 'y') + "*z");
    EXPECT_EQ(st.Record(1).COM, 1);
    Load(st, "q*");
    EXPECT_EQ(st.Record(1).COM, 1);
    // Markup comments.
    st.SetLayout(4, 80, 8);
    Load(st, "<!-- x\ny -->z");
    EXPECT_EQ(st.RowStartState(2, nullptr, nullptr), 4);
    EXPECT_EQ(st.Record(1).COM, 1);
}

TEST(StoreEdges, PropagationStopsAtStableRecord) {
    TextStore st;
    std::string line = "int x = 1; /* c */\n";
    std::string s;
    while (s.size() < 128 * 50) s += line;
    Load(st, s);
    // An edit inside a line changes nothing downstream; a comment opener
    // changes everything after it.
    st.InsertText(5, "y", 1, 0);
    EXPECT_EQ(st.Check(), "");
    st.InsertText(1, "/*", 2, 0);
    EXPECT_EQ(st.Check(), "");
    EXPECT_EQ(st.Record(30).COM, 1);  // "*/" on every line closes it again
    st.SetLayout(4, 80, 1);
    st.RelayoutAll();
    st.InsertText(1, "/*", 2, 0);
    EXPECT_EQ(st.Check(), "");
}

// In one long logical line a relayout ends where the columns meet again (at a
// tab, or at a double-byte character that wraps either way), not only at a
// line feed; a line of single-byte characters alone is laid out to its end.
// Either way every row must come out as a fresh load lays it out.
TEST(StoreEdges, LongLineRelayoutEqualsAFreshLoad) {
    std::string tabbed, plain;
    while (tabbed.size() < 128 * 200) tabbed += "\tint a = b; /* \x8a\xbf\x8e\x9a */ ";
    while (plain.size() < 128 * 200) plain += "a=b+c;";
    for (const std::string& line : {tabbed, plain}) {
        TextStore st;
        Load(st, line + "\nend\n");
        const uint32_t places[] = {1, 2, 129, 5000, 12345, 128 * 150};
        for (uint32_t at : places) {
            SCOPED_TRACE(at);
            ASSERT_EQ(st.InsertText(at, "x", 1, 0), 1u);
            ASSERT_EQ(st.Check(), "");
            ASSERT_EQ(st.InsertText(at + 1, "\x82\xa0", 2, 0), 2u);
            ASSERT_EQ(st.Check(), "");
            ASSERT_EQ(st.DeleteText(at, 3), 3u);
            ASSERT_EQ(st.Check(), "");
            ASSERT_EQ(st.InsertText(at, "\t", 1, 0), 1u);
            ASSERT_EQ(st.Check(), "");
        }
        TextStore fresh;
        Load(fresh, Text(st));
        ASSERT_EQ(st.GetRowCount(), fresh.GetRowCount());
        for (uint32_t r = 1; r <= fresh.GetRowCount(); ++r) ASSERT_EQ(Row(st, r), Row(fresh, r)) << "row " << r;
    }
}

// An insertion of thousands of records is laid out on two cores, the second
// half from a guessed start. Where the guess is wrong (inside a block comment,
// in the middle of one long line, after a lead byte cut from its trail byte)
// the second half must be laid out again until the two agree.
TEST(StoreEdges, BigInsertionEqualsAFreshLoad) {
    std::string base;
    while (base.size() < 4000) base += "int a; /* \x8a\xbf */\n";
    const auto big = [](const std::string& unit) {
        std::string s;
        while (s.size() < 128 * 5000) s += unit;
        return s;
    };
    const std::string inserts[] = {big("x = 1;\t// \x8a\xbf\n"), "/*" + big("in a comment\n"), big("abcdefghij"),
                                   big("\x8a\xbf\x8e\x9a")};
    // 12 falls between the lead and the trail byte of the first kanji.
    const uint32_t places[] = {1, 12, 2000, uint32_t(base.size() + 1)};
    for (const std::string& text : inserts) {
        for (uint32_t at : places) {
            SCOPED_TRACE(::testing::Message() << "insert of " << text.substr(0, 12) << " at " << at);
            TextStore st, fresh;
            st.SetLayout(4, 80, 3);
            fresh.SetLayout(4, 80, 3);
            Load(st, base);
            ASSERT_EQ(st.InsertText(at, text.data(), uint32_t(text.size()), 0), text.size());
            ASSERT_EQ(st.Check(), "");
            Load(fresh, Text(st));
            ASSERT_EQ(st.GetRowCount(), fresh.GetRowCount());
            ASSERT_EQ(st.GetLineEndCount(), fresh.GetLineEndCount());
            for (uint32_t r = 1; r <= fresh.GetRowCount(); r += 97) ASSERT_EQ(Row(st, r), Row(fresh, r)) << "row " << r;
        }
    }
}

TEST(StoreEdges, ReadOnlyRefusesWithMessage) {
    CQzedDoc doc;
    FakeBox box;
    doc.SetMessageBox(&box);
    doc.InsertText(1, "abc", 3, 0);
    doc.SetReadOnly(true);
    EXPECT_EQ(doc.InsertText(1, "x", 1, 0), 0u);
    EXPECT_EQ(doc.DeleteText(1, 1), 0u);
    EXPECT_EQ(doc.Store().InsertChar(1, 'x'), -1);
    ASSERT_EQ(box.texts.size(), 3u);
    EXPECT_EQ(box.texts[0], "書き込み禁止中に書き込みを行おうとしました\nバグです作者に連絡して下さい");
    EXPECT_EQ(box.captions[0], "システムエラー");
    EXPECT_EQ(box.icons[0], MbIcon::Stop);
    EXPECT_EQ(Text(doc.Store()), "abc");
}

TEST(StoreEdges, CallsOutInOrder) {
    TextStore st;
    Host host;
    st.SetHost(&host);
    st.SetLayout(4, 20, 0);
    st.InsertText(1, "ab\ncd", 5, 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"modified", "notify 1 1", "undo 1 1 ab\ncd"}));
    EXPECT_EQ(st.GetLastEditPos(), 5u);
    host.calls.clear();
    st.DeleteText(2, 2);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"undo 2 2 b\n", "modified", "notify 1 -1"}));
    EXPECT_EQ(st.GetLastEditPos(), 2u);
    EXPECT_EQ(st.GetChangedBytes(), 7u);
    // A delete across records reports each record's piece at the same place.
    Load(st, std::string(128, 'a') + std::string(10, 'b'));
    host.calls.clear();
    st.DeleteText(127, 4);
    ASSERT_EQ(host.calls.size(), 4u);
    EXPECT_EQ(host.calls[0], "undo 2 127 aa");
    EXPECT_EQ(host.calls[1], "undo 2 127 bb");
    // The row given to the views is taken before the change.
    Load(st, "1\n2\n3\n4\n");
    host.calls.clear();
    st.DeleteText(3, 4);
    EXPECT_EQ(host.calls[2], "notify 2 -2");
}

TEST(StoreEdges, DocumentNotifiesEveryViewInOrder) {
    struct V : LinesObserver {
        std::vector<int>* log;
        int id;
        void NotifyLinesChanged(uint32_t, int32_t) override { log->push_back(id); }
    };
    std::vector<int> log;
    V a, b;
    a.log = b.log = &log;
    a.id = 1, b.id = 2;
    CQzedDoc doc;
    doc.AddView(&a);
    doc.AddView(&b);
    doc.InsertText(1, "x", 1, 0);
    EXPECT_EQ(log, (std::vector<int>{1, 2}));
    EXPECT_TRUE(doc.IsModified());
    doc.RemoveView(&a);
    doc.DeleteText(1, 1);
    EXPECT_EQ(log, (std::vector<int>{1, 2, 2}));
}

TEST(StoreEdges, DocumentWrapWidthFromModeAndSettings) {
    CQzedDoc doc(1);
    EXPECT_EQ(doc.GetWrapWidth(), 240);  // "Columns" of type 1
    doc.SetWrapColumn(60);
    EXPECT_EQ(doc.GetWrapWidth(), 240);
    doc.SetWrapMode(kWrapWindow);
    EXPECT_EQ(doc.GetWrapWidth(), 60);
    doc.SetPrintColumns(10);
    doc.SetWrapMode(kWrapWindow | kWrapPrint);
    EXPECT_EQ(doc.GetWrapWidth(), 20);
    EXPECT_EQ(doc.GetFileType(), 1);
}

TEST(StoreEdges, CursorKindsAndWhoMovesIt) {
    TextStore st;
    Load(st, std::string(300, 'a') + "\n" + std::string(300, 'b'));
    st.ReadText(200, nullptr, 0);
    char c;
    st.ReadText(200, &c, 1);
    EXPECT_EQ(st.Cursor().MAKE, 1);
    EXPECT_EQ(st.Cursor().FATNO, 2u);
    EXPECT_EQ(st.Cursor().SIZE, 128u);
    st.RowToOffset(2);
    EXPECT_EQ(st.Cursor().MAKE, 5);
    StoreCursor before = st.Cursor();
    st.LineToRow(2);
    st.RowToLine(3);
    st.RowStartState(3, nullptr, nullptr);
    st.RowColumnToLineOffset(3, 1);
    EXPECT_EQ(st.Cursor().MAKE, before.MAKE);
    EXPECT_EQ(st.Cursor().FATNO, before.FATNO);
    st.OffsetToRow(500);
    EXPECT_EQ(st.Cursor().MAKE, 6);
    st.GetRowText(1, std::vector<char>(kRowTextMax).data());
    EXPECT_EQ(st.Cursor().MAKE, 4);
    EXPECT_EQ(st.Cursor().FATNO, 1u);
    st.RelayoutAll();
    EXPECT_EQ(st.Cursor().MAKE, 0);
    // Emptying the head moves head and cursor to its successor.
    st.DeleteText(1, 128);
    EXPECT_EQ(st.Head(), 2u);
    EXPECT_EQ(st.Cursor().FATNO, 2u);
    EXPECT_EQ(st.Cursor().SIZE, 0u);
    EXPECT_EQ(st.Record(1).used, 0);
    EXPECT_EQ(st.Check(), "");
}

}  // namespace
}  // namespace qz
