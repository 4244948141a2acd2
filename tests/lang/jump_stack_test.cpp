// The jump-back stack, the numbered marks and the mark dialog's rules.
#include <gtest/gtest.h>

#include "lang/jump_stack.h"
#include "lang/mark_dialog.h"

namespace qz {
namespace {

JumpPlace Place(int line) { return JumpPlace{1, "/f" + std::to_string(line), nullptr, line}; }

TEST(JumpBackStackTest, SeventeenthPushDropsTheOldest) {
    JumpBackStack s;
    JumpPlace p;
    EXPECT_FALSE(s.Pop(p));
    for (int i = 1; i <= 17; ++i) s.Push(Place(i));
    EXPECT_EQ(s.Size(), 16);
    EXPECT_EQ(s.At(0).line, 2);
    for (int want = 17; want >= 2; --want) {
        ASSERT_TRUE(s.Pop(p));
        EXPECT_EQ(p.line, want);
        EXPECT_EQ(p.fileName, "/f" + std::to_string(want));
    }
    EXPECT_EQ(s.Size(), 0);
    EXPECT_FALSE(s.Pop(p));
    // A pushed place is always in use, whatever its flag said.
    JumpPlace unused = Place(3);
    unused.used = 0;
    s.Push(unused);
    EXPECT_EQ(s.Size(), 1);
}

TEST(NumberedMarksTest, ThirteenthMarkIsRefusedAndPersistenceRoundTrips) {
    NumberedMarks m;
    int view = 0;
    for (int i = 0; i < 12; ++i) EXPECT_EQ(m.MarkNext("/a", &view, i + 1), i);
    EXPECT_EQ(m.MarkNext("/a", &view, 13), -1);
    EXPECT_EQ(std::string(kMsgMarksFull), "マークできません（既に最大数マークされています）");
    EXPECT_EQ(MarkedMessage(3), "3番にマークしました");
    // A gap is filled first.
    m.marks[4].used = 0;
    EXPECT_EQ(m.MarkNext("/b", &view, 99), 4);

    m.marks[7].used = 0;
    std::array<MarkEntry, kMarks> saved;
    m.Store(saved);
    EXPECT_EQ(saved[4].FileName, "/b");
    EXPECT_EQ(saved[4].LineNumber, 99);
    EXPECT_EQ(saved[7].EfectFlag, 0);
    EXPECT_EQ(saved[7].FileName, "");
    EXPECT_EQ(saved[7].LineNumber, 1);
    NumberedMarks back;
    back.Restore(saved);
    EXPECT_EQ(back.marks[4].fileName, "/b");
    EXPECT_EQ(back.marks[4].viewWindow, nullptr);
    EXPECT_EQ(back.marks[7].used, 0);
    EXPECT_EQ(back.marks[0].used, 1);
}

TEST(MarkDialog, ClearThenCancelStillClears) {
    NumberedMarks m;
    m.MarkNext("/a", nullptr, 5);
    m.MarkNext("/b", nullptr, 6);
    MarkDialogModel d(m, 1);
    EXPECT_EQ(d.selected, -1);
    EXPECT_EQ(d.Jump(), MarkDialogModel::kStay);  // no row selected
    d.selected = 0;
    EXPECT_EQ(d.RowText(0).number, "01");
    EXPECT_EQ(d.RowText(0).line, "5");
    EXPECT_EQ(d.RowText(0).fileName, "/a");
    EXPECT_EQ(d.RowText(11).line, "");
    d.Clear();
    EXPECT_EQ(d.RowText(0).line, "");
    d.markRestore = 2;
    int restore = 0;
    JumpPlace target;
    EXPECT_EQ(d.Finish(false, m, restore, "/doc", nullptr, 9, target), MarkDialogModel::kNothing);
    EXPECT_EQ(m.marks[0].used, 0);
    EXPECT_EQ(m.marks[1].used, 1);
    EXPECT_EQ(restore, 2);
    EXPECT_EQ(m.remembered, -1);
}

TEST(MarkDialog, MarkJumpAndKeys) {
    NumberedMarks m;
    m.MarkNext("/a", nullptr, 5);
    int view = 0;
    JumpPlace target;
    int restore = 0;
    {
        MarkDialogModel d(m, 0);
        d.selected = 0;
        // MARK on a used row clears it and marks it afresh with the caret.
        EXPECT_EQ(d.Key('m'), MarkDialogModel::kCloseOk);
        EXPECT_EQ(d.Finish(true, m, restore, "/doc", &view, 42, target), MarkDialogModel::kMarked);
        EXPECT_EQ(m.marks[0], (JumpPlace{1, "/doc", &view, 42}));
        EXPECT_EQ(m.remembered, 0);
    }
    {
        MarkDialogModel d(m, 0);
        EXPECT_EQ(d.selected, 0);  // the remembered row
        EXPECT_EQ(d.Key('J'), MarkDialogModel::kCloseOk);
        EXPECT_EQ(d.Finish(true, m, restore, "/other", nullptr, 1, target), MarkDialogModel::kJump);
        EXPECT_EQ(target.fileName, "/doc");
        EXPECT_EQ(target.line, 42);
    }
    {
        MarkDialogModel d(m, 0);
        d.selected = 3;
        EXPECT_EQ(d.Jump(), MarkDialogModel::kStay);  // unused row
        EXPECT_EQ(d.Key('x'), MarkDialogModel::kStay);
        EXPECT_EQ(d.Key('a'), MarkDialogModel::kStay);
        EXPECT_EQ(d.Default(), MarkDialogModel::kCloseOk);
        EXPECT_EQ(d.Finish(true, m, restore, "/n", nullptr, 7, target), MarkDialogModel::kMarked);
        EXPECT_EQ(m.marks[0].used, 0);  // ALL-CLEAR
        EXPECT_EQ(m.marks[3].line, 7);
        EXPECT_EQ(m.remembered, 3);
    }
}

}  // namespace
}  // namespace qz
