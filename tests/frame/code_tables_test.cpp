// The code tables' grids: cells, cursor moves, code fields and what Enter types.
#include <gtest/gtest.h>

#include <set>

#include "frame/code_tables.h"

namespace qz::test {
namespace {

TEST(AsciiTableTest, ColumnIsTheHighNibbleAndEveryByteHasOneCell) {
    std::set<int> seen;
    for (int c = 0; c < AsciiTable::kColumns; ++c)
        for (int r = 0; r < AsciiTable::kRows; ++r) seen.insert(AsciiTable::CodeAt(c, r));
    EXPECT_EQ(seen.size(), 256u);
    EXPECT_EQ(AsciiTable::CodeAt(4, 1), 0x41);
    EXPECT_EQ(AsciiTable::CodeAt(15, 15), 0xFF);
    EXPECT_EQ(AsciiTable::ColumnHeader(4), "40");
    EXPECT_EQ(AsciiTable::ColumnHeader(15), "F0");
    EXPECT_EQ(AsciiTable::RowHeader(10), "0A");
    AsciiTable t(0x7A);
    EXPECT_EQ(t.Column(), 7);
    EXPECT_EQ(t.Row(), 10);
}

TEST(AsciiTableTest, NulAndLeadBytesCannotBeInsertedEverythingElseCan) {
    for (int b = 0; b < 256; ++b) {
        const bool refused = b == 0 || (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) || b == 0xFF;
        EXPECT_EQ(AsciiTable::Insertable(static_cast<uint8_t>(b)), !refused) << b;
        EXPECT_EQ(AsciiTable(static_cast<uint8_t>(b)).Send(),
                  refused ? std::string() : std::string(1, static_cast<char>(b)))
            << b;
    }
}

TEST(AsciiTableTest, ArrowsWrapToTheOppositeEdgeOfTheSameRowOrColumn) {
    AsciiTable t(0x05);  // column 0, row 5
    t.Move(GridMove::Left);
    EXPECT_EQ(t.Code(), 0xF5);
    t.Move(GridMove::Right);
    EXPECT_EQ(t.Code(), 0x05);
    t.Move(GridMove::Right);
    EXPECT_EQ(t.Code(), 0x15);

    AsciiTable u(0x30);  // row 0
    u.Move(GridMove::Up);
    EXPECT_EQ(u.Code(), 0x3F);
    u.Move(GridMove::Down);
    EXPECT_EQ(u.Code(), 0x30);
    u.Move(GridMove::Down);
    EXPECT_EQ(u.Code(), 0x31);
}

TEST(AsciiTableTest, AClickOutsideTheGridChangesNothing) {
    AsciiTable t(0x41);
    EXPECT_FALSE(t.Select(16, 0));
    EXPECT_FALSE(t.Select(0, -1));
    EXPECT_EQ(t.Code(), 0x41);
    EXPECT_TRUE(t.Select(6, 2));
    EXPECT_EQ(t.Code(), 0x62);
}

TEST(KanjiTableTest, PagesStartAtEachLeadByteAndRunDownTheColumns) {
    EXPECT_EQ(KanjiTable::PageStart(1), 0x8140);
    EXPECT_EQ(KanjiTable::PageStart(31), 0x9F40);
    EXPECT_EQ(KanjiTable::PageStart(32), 0xE040);
    EXPECT_EQ(KanjiTable::PageStart(60), 0xFC40);
    EXPECT_EQ(KanjiTable::CodeAt(1, 0, 1), 0x8141);
    EXPECT_EQ(KanjiTable::CodeAt(1, 1, 0), 0x8150);
    EXPECT_EQ(KanjiTable::CodeAt(32, 11, 15), 0xE0FF);
    EXPECT_EQ(KanjiTable::ColumnHeader(0), "40");
    EXPECT_EQ(KanjiTable::ColumnHeader(11), "F0");
    EXPECT_EQ(KanjiTable::RowHeader(15), "0F");

    // Every lead byte's 192 trail bytes, each on exactly one page and cell.
    std::set<int> seen;
    for (int p = 1; p <= KanjiTable::kPages; ++p)
        for (int c = 0; c < KanjiTable::kColumns; ++c)
            for (int r = 0; r < KanjiTable::kRows; ++r) seen.insert(KanjiTable::CodeAt(p, c, r));
    EXPECT_EQ(seen.size(), 60u * 192u);
    EXPECT_EQ(*seen.begin(), 0x8140);
    EXPECT_EQ(*seen.rbegin(), 0xFCFF);
}

TEST(KanjiTableTest, PageText) {
    KanjiTable t;
    EXPECT_EQ(t.PageText(), "PAGE: 01/60");
    EXPECT_EQ(KanjiTable(0xFC40).PageText(), "PAGE: 60/60");
    EXPECT_EQ(KanjiTable(0xE040).PageText(), "PAGE: 32/60");
}

TEST(KanjiTableTest, FieldsFollowTheShiftJisToJisArithmetic) {
    struct Case {
        uint16_t sjis;
        const char *jis, *euc;
    } cases[] = {
        {0x8140, "2121", "A1A1"},  // ideographic space
        {0x817E, "215F", "A1DF"},  // last before the 0x7F gap
        {0x8180, "2160", "A1E0"},  // first after it
        {0x819E, "217E", "A1FE"},  // the odd row's last cell
        {0x819F, "2221", "A2A1"},  // trail 0x9F: the even row begins
        {0x82A0, "2422", "A4A2"},  // あ
        {0x889F, "3021", "B0A1"},  // 亜
        {0x9FFC, "5E7E", "DEFE"},
        {0xE040, "5F21", "DFA1"},
        {0xEAA4, "7426", "F4A6"},  // 熙, the last kanji of the set
        {0xEFFC, "7E7E", "FEFE"},  // the last cell inside 94 x 94
    };
    for (const Case& c : cases) {
        KanjiTable t(c.sjis);
        EXPECT_EQ(t.Code(), c.sjis);
        char sjis[8];
        std::snprintf(sjis, sizeof sjis, "%04X", c.sjis);
        EXPECT_EQ(t.SjisField(), sjis);
        EXPECT_EQ(t.JisField(), c.jis) << sjis;
        EXPECT_EQ(t.EucField(), c.euc) << sjis;
    }
}

TEST(KanjiTableTest, TrailBytesThatAreNoCharacterLeaveTheFieldsEmptyAndSendNothing) {
    for (uint16_t code : {0x817F, 0x81FD, 0x81FE, 0x81FF, 0xFC7F, 0xFCFF}) {
        KanjiTable t(code);
        EXPECT_EQ(t.Code(), code);
        EXPECT_EQ(t.SjisField(), "") << code;
        EXPECT_EQ(t.JisField(), "") << code;
        EXPECT_EQ(t.EucField(), "") << code;
        EXPECT_EQ(t.Send(), "") << code;
    }
    KanjiTable ok(0x81FC);
    EXPECT_EQ(ok.SjisField(), "81FC");
    EXPECT_EQ(ok.Send(), "\x81\xFC");
}

TEST(KanjiTableTest, UserDefinedLeadBytesHaveNoJisOrEucCode) {
    // The arithmetic runs past row 94 there: EUC would need more than four digits.
    for (uint16_t code : {0xF040, 0xF9FC, 0xFCFC}) {
        KanjiTable t(code);
        EXPECT_EQ(t.SjisField().size(), 4u);
        EXPECT_EQ(t.JisField(), "");
        EXPECT_EQ(t.EucField(), "");
        EXPECT_EQ(t.Send().size(), 2u);
    }
}

TEST(KanjiTableTest, ArrowsStopAtTheEdgesAndPagesKeepTheCell) {
    KanjiTable t;
    t.Move(GridMove::Left);
    t.Move(GridMove::Up);
    EXPECT_EQ(t.Code(), 0x8140);
    for (int i = 0; i < 20; ++i) t.Move(GridMove::Right);
    for (int i = 0; i < 20; ++i) t.Move(GridMove::Down);
    EXPECT_EQ(t.Code(), 0x81FF);
    t.Move(GridMove::Up);
    t.Move(GridMove::Left);
    EXPECT_EQ(t.Code(), 0x81EE);

    EXPECT_FALSE(t.PageUp());
    EXPECT_EQ(t.Page(), 1);
    for (int p = 2; p <= 31; ++p) EXPECT_TRUE(t.PageDown());
    EXPECT_EQ(t.Code(), 0x9FEE);
    EXPECT_TRUE(t.PageDown());
    EXPECT_EQ(t.Code(), 0xE0EE);
    while (t.PageDown()) {
    }
    EXPECT_EQ(t.Page(), 60);
    EXPECT_EQ(t.Code(), 0xFCEE);
    EXPECT_TRUE(t.PageUp());
    EXPECT_EQ(t.Code(), 0xFBEE);
}

TEST(KanjiTableTest, ACodeOutsideTheTableStartsAtTheFirstCell) {
    for (uint16_t code : {0x0041, 0x8040, 0xA0A0, 0xFD40, 0x813F}) {
        KanjiTable t(code);
        EXPECT_EQ(t.Code(), 0x8140) << code;
    }
    KanjiTable t(0x889F);
    EXPECT_FALSE(t.Select(12, 0));
    EXPECT_EQ(t.Code(), 0x889F);
    EXPECT_TRUE(t.Select(0, 0));
    EXPECT_EQ(t.Code(), 0x8840);
}

}  // namespace
}  // namespace qz::test
