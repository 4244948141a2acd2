// The internal-error path: each code reachable by a damaged chain, its info
// texts, the CORE.QZ dump and the message.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "document/text_store.h"
#include "platform/paths.h"

namespace qz {
namespace {

struct Ended {
    bool hadMessage;
    std::string message;
};

struct ThrowingEnd : FatalHandler {
    void ShowAndEnd(const std::string* m) override { throw Ended{m != nullptr, m ? *m : std::string()}; }
};

struct Outcome {
    int code = 0;
    std::string i1, i2, i3, message;
};

Outcome Trigger(TextStore& st, const std::function<void()>& f) {
    ThrowingEnd end;
    st.SetFatalHandler(&end);
    Outcome o;
    try {
        f();
    } catch (const Ended& e) {
        o.code = st.ErrorCode();
        o.i1 = st.ErrorInfo(0), o.i2 = st.ErrorInfo(1), o.i3 = st.ErrorInfo(2);
        o.message = e.message;
    }
    return o;
}

void Load(TextStore& st, const std::string& s) {
    st.LoadBegin(static_cast<uint32_t>(s.size()));
    st.LoadAppend(s.data(), static_cast<uint32_t>(s.size()));
    st.LoadEnd();
}

void CursorToHead(TextStore& st) {
    st.MutableCursorForTest() = StoreCursor{0, st.Head(), 0, 0, 0};
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(StoreErrors, DumpAndMessageExactly) {
    TextStore st;
    st.SetLayout(4, 80, 3);
    st.InsertText(1, "ab\ncd", 5, 0);
    st.SetTotalsForTest(100, 1, 1);
    char buf[4];
    Outcome o = Trigger(st, [&] { st.ReadText(50, buf, 1); });
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.i1, "No :1");
    EXPECT_EQ(o.i2, "Ofs:44");
    EXPECT_EQ(o.i3, "");
    EXPECT_EQ(o.message,
              "バグ発生(2)\n\n＜情報＞\n\nNo :1\nOfs:44\n\n\n"
              "上記情報と本ソフト格納ディレクトリ内に作成される\n"
              "                    CORE.QZ\n"
              "を添えて作者に連絡して下さい");
    const std::string stars(63, '*');
    EXPECT_EQ(ReadFile(StateFolder() + "/CORE.QZ"),
              "MAKE:2 FATNO:1 SIZE:0 CR:0 DCR:0\r\n" + stars + "\r\n" +
                  "* SIZE:  5 CR:  1 DCR:  0 COM:1 [ TOP:0 COL:  2 KAN:0 CHR:64 ] *\r\n"
                  "* NOW:     1 NEXT:     0 BEFORE:     0                        *\r\n" +
                  stars + "\r\nab\r\ncd<END>\r\n");
}

TEST(StoreErrors, DumpListsRecordsByNumberNotChainOrder) {
    TextStore st;
    Load(st, std::string(128, 'a') + "b\n");
    st.InsertText(129, "Z", 1, 0);  // record 4 linked between 1 and 2
    std::string d = st.DumpText();
    size_t r2 = d.find("NOW:     2"), r4 = d.find("NOW:     4");
    ASSERT_NE(r2, std::string::npos);
    ASSERT_NE(r4, std::string::npos);
    EXPECT_LT(r2, r4);
    EXPECT_NE(d.find("* NOW:     4 NEXT:     2 BEFORE:     1"), std::string::npos);
    EXPECT_NE(d.find("\r\nb\r\n<END>\r\n"), std::string::npos);  // text ending in a line feed
    EXPECT_EQ(d.find("\n\n"), std::string::npos);
}

TEST(StoreErrors, NoDumpFileEndsWithoutMessage) {
    const char* old = std::getenv("QZED_HOME");
    std::string saved = old ? old : "";
    setenv("QZED_HOME", "/dev/null/qz-no-such-folder", 1);  // no folder can be made there
    TextStore st;
    st.SetTotalsForTest(10, 0, 0);
    ThrowingEnd end;
    st.SetFatalHandler(&end);
    bool message = true;
    try {
        char c;
        st.ReadText(5, &c, 1);
    } catch (const Ended& e) {
        message = e.hadMessage;
    }
    if (old) setenv("QZED_HOME", saved.c_str(), 1);
    else unsetenv("QZED_HOME");
    EXPECT_FALSE(message);
    EXPECT_EQ(st.ErrorCode(), 2);
}

TEST(StoreErrors, GrowthBeyondTheChunkTable) {
    TextStore st;
    Outcome o = Trigger(st, [&] { st.GrowForTest(kChunkTable * kChunkBytes); });
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.i1 + o.i2 + o.i3, "");
    // Growth that ends exactly in the last entry succeeds; one more fails.
    TextStore big;
    Outcome ok = Trigger(big, [&] { big.GrowForTest((kChunkTable - 1) * kChunkBytes); });
    EXPECT_EQ(ok.code, 0);
    EXPECT_EQ(big.ChunksAllocated(), kChunkTable);
    EXPECT_EQ(Trigger(big, [&] { big.GrowForTest(1); }).code, 1);
}

// Each walk runs off the chain when the totals claim more than the records
// hold: forward from the head or cursor, backward from the tail.
TEST(StoreErrors, WalksRunningOffTheChain) {
    char buf[kRowTextMax];
    struct Case {
        int fwd, back;
        std::function<void(TextStore&, uint32_t)> op;  // the target is near the given end
    };
    const Case cases[] = {
        {2, 3, [&](TextStore& st, uint32_t p) { st.ReadText(p, buf, 1); }},
        {14, 15, [&](TextStore& st, uint32_t p) { st.OffsetToRow(p); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fwd);
        TextStore st;
        Load(st, std::string(300, 'a'));
        st.SetTotalsForTest(1000, 0, 0);
        CursorToHead(st);
        Outcome o = Trigger(st, [&] { c.op(st, 400); });
        EXPECT_EQ(o.code, c.fwd);
        EXPECT_EQ(o.i1, "No :1");  // from the cursor, forward
        EXPECT_EQ(o.i2, "Ofs:99");
        // Backward: the tail is nearest but its link back is cut.
        Load(st, std::string(300, 'a'));
        st.MutableRecordForTest(st.Tail()).BEFORE = 0;
        CursorToHead(st);
        o = Trigger(st, [&] { c.op(st, 290); });
        EXPECT_EQ(o.code, c.back);
        EXPECT_EQ(o.i1, "No :4");
    }
    // Insert and delete first take the row of the change, whose walk fails
    // first on the same damage; only a delete at the very end gets further.
    {
        TextStore st;
        Load(st, std::string(300, 'a'));
        st.SetTotalsForTest(1000, 0, 0);
        CursorToHead(st);
        Outcome o = Trigger(st, [&] { st.DeleteText(301, 1); });
        EXPECT_EQ(o.code, 7);
        EXPECT_EQ(o.i1, "No :1");
        EXPECT_EQ(o.i2, "Ofs:0");
    }
    const Case rowCases[] = {
        {9, 10, [&](TextStore& st, uint32_t r) { st.GetRowText(r, buf); }},
        {11, 12, [&](TextStore& st, uint32_t r) { st.RowToOffset(r); }},
        {21, 22, [&](TextStore& st, uint32_t r) { st.RowToLine(r); }},
        {25, 26, [&](TextStore& st, uint32_t r) { st.RowColumnToLineOffset(r, 0); }},
        {31, 32, [&](TextStore& st, uint32_t r) { st.RowStartState(r, nullptr, nullptr); }},
        {17, 18, [&](TextStore& st, uint32_t l) { st.LineToRow(l); }},
    };
    for (const Case& c : rowCases) {
        SCOPED_TRACE(c.fwd);
        std::string lines;
        for (int i = 0; i < 60; ++i) lines += "line\n";
        TextStore st;
        Load(st, lines);
        st.SetTotalsForTest(300, 200, 200);
        CursorToHead(st);
        Outcome o = Trigger(st, [&] { c.op(st, 100); });
        EXPECT_EQ(o.code, c.fwd);
        EXPECT_EQ(o.i2, c.fwd == 25 ? "OriLine:39" : "Line:39");
        EXPECT_EQ(o.i1, c.fwd == 25 ? "No     :1" : "No  :1");
        Load(st, lines);
        st.MutableRecordForTest(st.Tail()).BEFORE = 0;
        CursorToHead(st);
        o = Trigger(st, [&] { c.op(st, 58); });
        EXPECT_EQ(o.code, c.back);
    }
}

// The starting point shows in the first info text: 0 head, 1 cursor
// forward, 2 cursor backward, 3 one record before the cursor, 4 tail.
TEST(StoreErrors, StartingPointChoice) {
    char c;
    auto run = [&c](uint32_t cut, bool cutBack, StoreCursor cur, uint32_t p) {
        TextStore st;
        Load(st, std::string(300, 'a'));  // records of 128, 128, 44 and the empty tail
        st.MutableRecordForTest(cut).NEXT = 0;
        if (cutBack) st.MutableRecordForTest(cut + 1).BEFORE = 0;
        st.MutableCursorForTest() = cur;
        return Trigger(st, [&] { st.ReadText(p, &c, 1); });
    };
    // Head nearer than cursor and tail.
    Outcome o = run(1, false, StoreCursor{0, 4, 300, 0, 0}, 131);
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.i1, "No :0");
    // Cursor and tail equally near: the cursor wins, walking back.
    o = run(2, true, StoreCursor{0, 4, 300, 0, 0}, 201);
    EXPECT_EQ(o.code, 3);
    EXPECT_EQ(o.i1, "No :2");
    // Target exactly at the cursor: the walk starts one record earlier.
    o = run(2, false, StoreCursor{0, 3, 256, 0, 0}, 257);
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.i1, "No :3");
    // Cursor and head equally near: the cursor wins.
    o = run(1, false, StoreCursor{0, 1, 0, 0, 0}, 131);
    EXPECT_EQ(o.i1, "No :1");
}

// Layout fields that promise more breaks than the bytes hold.
TEST(StoreErrors, RowOrLineNotInsideRecord) {
    char buf[kRowTextMax];
    struct Case {
        int code;
        std::function<void(TextStore&)> op;
        const char* info;
    };
    const Case cases[] = {
        {13, [](TextStore& st) { st.RowToOffset(4); }, "Line:1"},
        {23, [](TextStore& st) { st.RowToLine(4); }, "Line:1"},
        {33, [](TextStore& st) { st.RowStartState(4, nullptr, nullptr); }, "Line:1"},
        {27, [](TextStore& st) { st.RowColumnToLineOffset(4, 0); }, "OriLine:4"},
        {9, [&](TextStore& st) { st.GetRowText(4, buf); }, "Line:1"},
        {19, [](TextStore& st) { st.LineToRow(4); }, "Line:1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        TextStore st;
        st.SetLayout(4, 80, 0);
        Load(st, "a\nb\nc");  // record 1 holds two line feeds
        StoreRecord& r = st.MutableRecordForTest(1);
        r.CR = 3;  // claims three
        st.SetTotalsForTest(5, 3, 3);
        CursorToHead(st);
        Outcome o = Trigger(st, [&] { c.op(st); });
        EXPECT_EQ(o.code, c.code);
        EXPECT_EQ(o.i1, c.info);
    }
}

TEST(StoreErrors, InconsistentSumsBetweenRowsAndLines) {
    // Line ends counted before a record exceed its rows: row below line.
    {
        TextStore st;
        st.SetLayout(4, 80, 0);
        Load(st, std::string(128, 'a') + "\n\n\n\n");
        StoreRecord& r = st.MutableRecordForTest(1);
        r.CR = 0;
        r.DCR = static_cast<uint32_t>(-3);  // three line ends that are not there
        st.SetTotalsForTest(132, 4, 7);
        CursorToHead(st);
        Outcome o = Trigger(st, [&] { st.LineToRow(5); });
        EXPECT_EQ(o.code, 20);
        EXPECT_EQ(o.i1, "OriLine:5");
        EXPECT_EQ(o.i2, "Cr     :2");
        EXPECT_EQ(o.i3, "No     :2");
    }
    {
        TextStore st;
        st.SetLayout(4, 80, 0);
        Load(st, std::string(127, 'a') + "\nx\n");
        StoreRecord& r = st.MutableRecordForTest(1);
        r.DCR = static_cast<uint32_t>(-5);
        st.SetTotalsForTest(130, 2, 7);
        CursorToHead(st);
        Outcome o = Trigger(st, [&] { st.RowToLine(3); });
        EXPECT_EQ(o.code, 24);
        EXPECT_EQ(o.i1, "OriLine:3");
        EXPECT_EQ(o.i2, "Cr     :8");
    }
}

TEST(StoreErrors, LineOffsetWalkFindsDamage) {
    // Record 1 holds two line feeds but claims one line end and one wrap, so
    // the line start found lies before a line feed.
    {
        TextStore st;
        st.SetLayout(4, 20, 0);
        Load(st, "a\nb\nc" + std::string(123, 'w') + std::string(30, 'x'));
        StoreRecord& r1 = st.MutableRecordForTest(1);
        uint32_t cr = r1.CR;
        r1.DCR = cr - 1;
        st.SetTotalsForTest(st.GetTextLength(), st.GetRowCount(), 1);
        CursorToHead(st);
        Outcome o = Trigger(st, [&] { st.RowColumnToLineOffset(cr + 2, 0); });
        EXPECT_EQ(o.code, 29);
        EXPECT_EQ(o.i1, "SrcLine:2");
    }
    // A forward link cut inside a long line: rows found backward from the
    // tail, the walk over the line runs off the chain.
    {
        TextStore st;
        st.SetLayout(4, 20, 0);
        Load(st, "a\n" + std::string(300, 'x'));
        st.MutableRecordForTest(2).NEXT = 0;
        CursorToHead(st);
        Outcome o = Trigger(st, [&] { st.RowColumnToLineOffset(16, 0); });
        EXPECT_EQ(o.code, 30);
    }
    // The line's first row after the row asked for.
    {
        TextStore st;
        st.SetLayout(4, 240, 0);
        Load(st, std::string(126, 'a') + "\n\n" + "b\nc\n");
        StoreRecord& r1 = st.MutableRecordForTest(1);
        r1.DCR = 1;  // one of its two line feeds counted as a wrap
        st.SetTotalsForTest(132, 4, 3);
        CursorToHead(st);
        Outcome o = Trigger(st, [&] { st.RowColumnToLineOffset(3, 0); });
        EXPECT_EQ(o.code, 28);
        EXPECT_EQ(o.i1, "Line:3");
        EXPECT_EQ(o.i2, "Cr  :4");
    }
}

}  // namespace
}  // namespace qz
