// The segment index of the store: a store that looks far targets up in the
// index answers every question exactly as one that only walks the chain,
// cursor included, through splits, emptied segments and a growing table.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "document/text_store.h"

namespace qz {
namespace {

constexpr uint32_t kNeverIndex = 0xFFFFFFFFu;

void Load(TextStore& st, const std::string& s) {
    st.LoadBegin(static_cast<uint32_t>(s.size()));
    st.LoadAppend(s.data(), static_cast<uint32_t>(s.size()));
    st.LoadEnd();
}

std::string Text(TextStore& st) {
    std::string s(st.GetTextLength(), '\0');
    st.ReadText(1, s.data(), static_cast<uint32_t>(s.size()));
    return s;
}

void SameCursor(const TextStore& a, const TextStore& b, const char* what, uint32_t arg) {
    const StoreCursor &x = a.Cursor(), &y = b.Cursor();
    ASSERT_EQ(x.MAKE, y.MAKE) << what << " " << arg;
    ASSERT_EQ(x.FATNO, y.FATNO) << what << " " << arg;
    ASSERT_EQ(x.SIZE, y.SIZE) << what << " " << arg;
    ASSERT_EQ(x.CR, y.CR) << what << " " << arg;
    ASSERT_EQ(x.DCR, y.DCR) << what << " " << arg;
}

// Lines of varied length with kanji, tabs and comment tokens.
std::string Piece(std::mt19937& rng) {
    static const char* bits[] = {"/* ", " */", "// ", "\t", "\x82\xA0", "\x88\x9F", "abc", "\n", "x", ";"};
    std::string s;
    const uint32_t n = rng() % 4 == 0 ? 200 + rng() % 3000 : 1 + rng() % 40;
    while (s.size() < n) s += bits[rng() % 10];
    return s;
}

TEST(StoreIndex, FarLookupsAgreeWithWalksAfterRandomEdits) {
    for (uint32_t seed : {11u, 12u, 13u}) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        TextStore indexed, walking;
        for (TextStore* st : {&indexed, &walking}) st->SetLayout(4, 20 + seed, 0x3);
        std::string start;
        while (start.size() < 60000) start += Piece(rng);
        Load(indexed, start);
        Load(walking, start);
        indexed.SetIndexTuningForTest(4, 0);
        walking.SetIndexTuningForTest(64, kNeverIndex);
        char a[kRowTextMax], b[kRowTextMax];
        for (int step = 0; step < 400; ++step) {
            const uint32_t len = indexed.GetTextLength();
            const uint32_t p = 1 + rng() % (len + 1);
            if (rng() % 3) {
                const std::string s = Piece(rng);
                ASSERT_EQ(indexed.InsertText(p, s.data(), uint32_t(s.size()), 0),
                          walking.InsertText(p, s.data(), uint32_t(s.size()), 0));
            } else {
                const uint32_t n = rng() % 8 == 0 ? rng() % 20000 : rng() % 300;
                ASSERT_EQ(indexed.DeleteText(p, n), walking.DeleteText(p, n));
            }
            SameCursor(indexed, walking, "edit at", p);
            ASSERT_EQ(indexed.Check(), "") << "step " << step;
            for (int q = 0; q < 20; ++q) {
                const uint32_t rows = indexed.GetRowCount() + 1, lines = indexed.GetLineEndCount() + 1;
                const uint32_t r = 1 + rng() % (rows + 1), l = 1 + rng() % (lines + 1);
                const uint32_t o = 1 + rng() % (indexed.GetTextLength() + 2);
                ASSERT_EQ(indexed.RowToOffset(r), walking.RowToOffset(r)) << "row " << r;
                SameCursor(indexed, walking, "RowToOffset", r);
                ASSERT_EQ(indexed.OffsetToRow(o), walking.OffsetToRow(o)) << "offset " << o;
                SameCursor(indexed, walking, "OffsetToRow", o);
                ASSERT_EQ(indexed.LineToRow(l), walking.LineToRow(l)) << "line " << l;
                ASSERT_EQ(indexed.RowToLine(r), walking.RowToLine(r)) << "row " << r;
                ASSERT_EQ(indexed.RowColumnToLineOffset(r, 2), walking.RowColumnToLineOffset(r, 2)) << "row " << r;
                const uint32_t n = indexed.GetRowText(r, a);
                ASSERT_EQ(std::string(a, n), std::string(b, walking.GetRowText(r, b))) << "row " << r;
                SameCursor(indexed, walking, "GetRowText", r);
                ASSERT_EQ(indexed.GetCharAt(o), walking.GetCharAt(o)) << "offset " << o;
                SameCursor(indexed, walking, "GetCharAt", o);
            }
        }
        ASSERT_EQ(Text(indexed), Text(walking));
        ASSERT_TRUE(indexed.IndexOn());
    }
}

TEST(StoreIndex, SegmentsSplitAndVanish) {
    TextStore st;
    st.SetLayout(4, 80, 0);
    Load(st, std::string(128 * 40, 'a'));
    st.SetIndexTuningForTest(8, 0);
    EXPECT_EQ(st.IndexSegments(), 11u);  // 41 records in fours
    // A large insert lands in one segment, which is cut up at once.
    const std::string big(128 * 100, 'b');
    st.InsertText(300, big.data(), uint32_t(big.size()), 0);
    EXPECT_EQ(st.Check(), "");
    EXPECT_GT(st.IndexSegments(), 30u);
    // Deleting across many segments drops the emptied ones.
    EXPECT_EQ(st.DeleteText(200, 128 * 120), 128u * 120);
    EXPECT_EQ(st.Check(), "");
    EXPECT_LT(st.IndexSegments(), 10u);
    // Down to the head alone and back.
    st.DeleteText(1, st.GetTextLength());
    EXPECT_EQ(st.Check(), "");
    EXPECT_EQ(st.IndexSegments(), 1u);
    EXPECT_EQ(st.InsertText(1, "x\ny", 3, 0), 3u);
    EXPECT_EQ(st.RowToOffset(2), 3u);
    EXPECT_EQ(st.Check(), "");
}

TEST(StoreIndex, DeletingTheHeadRecordMovesTheSegmentHead) {
    TextStore st;
    st.SetLayout(4, 80, 0);
    Load(st, std::string(128 * 6, 'a') + "\nend");
    st.SetIndexTuningForTest(4, 0);
    st.DeleteText(1, 128);  // the head record empties: its successor heads chain and segment
    EXPECT_EQ(st.Check(), "");
    st.DeleteText(129, 128);  // a record inside a segment
    EXPECT_EQ(st.Check(), "");
    st.DeleteText(1, 300);
    EXPECT_EQ(st.Check(), "");
    EXPECT_EQ(st.LineToRow(2), 4u);  // 212 letters wrap at 80 into three rows
    EXPECT_EQ(Text(st).substr(Text(st).size() - 4), "\nend");
}

// The table is no longer a fixed 2048 entries: records beyond them are as
// good as any, and the limit still ends in internal error 1.
TEST(StoreIndex, ChunkTableGrowsPastTheOldLimit) {
    TextStore st;
    st.GrowForTest(2048u * kChunkBytes);
    EXPECT_EQ(st.ChunksAllocated(), 2049u);
    st.MutableRecordForTest(2048u * kChunkRecords + 5).COL = 7;
    EXPECT_EQ(st.Record(2048u * kChunkRecords + 5).COL, 7);
}

TEST(StoreIndex, SmallChunkLimitRefusesTheLoad) {
    TextStore st;
    st.SetChunkLimitForTest(3);
    const std::string s(3 * kChunkBytes, 'q');
    st.LoadBegin(uint32_t(s.size()));
    EXPECT_FALSE(st.LoadAppend(s.data(), uint32_t(s.size())));
    EXPECT_EQ(st.ChunksAllocated(), 3u);
}

}  // namespace
}  // namespace qz
