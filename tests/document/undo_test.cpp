// Undo history: groups, merging, making room, overflow and replay through
// the document's store.
#include <gtest/gtest.h>

#include <string>

#include "document/qzed_doc.h"
#include "settings/settings.h"

namespace qz {
namespace {

std::string Text(CQzedDoc& d) {
    std::string s(d.GetTextLength(), '\0');
    d.ReadText(1, s.data(), static_cast<uint32_t>(s.size()));
    return s;
}

struct UndoSize {
    explicit UndoSize(int kb) : saved(TheSettings().Type(1).Undo) { TheSettings().Type(1).Undo = kb; }
    ~UndoSize() { TheSettings().Type(1).Undo = saved; }
    int saved;
};

TEST(Undo, OneStepPerCommand) {
    CQzedDoc d;
    for (char c : std::string("abc")) {
        d.BeginUndoGroup();
        d.Store().InsertChar(d.GetTextLength() + 1, static_cast<uint8_t>(c));
    }
    EXPECT_EQ(d.Undo().Count(), 3u);
    uint32_t pos = 0;
    EXPECT_EQ(d.UndoStep(&pos), 0);
    EXPECT_EQ(Text(d), "ab");
    EXPECT_EQ(pos, 3u);
    EXPECT_EQ(d.UndoStep(&pos), 0);
    EXPECT_EQ(d.UndoStep(&pos), 0);
    EXPECT_EQ(Text(d), "");
    EXPECT_EQ(d.UndoStep(&pos), -1);
    EXPECT_TRUE(d.IsModified());
    EXPECT_EQ(d.RedoStep(&pos), 0);
    EXPECT_EQ(Text(d), "a");
    EXPECT_EQ(pos, 1u);
    EXPECT_EQ(d.RedoStep(&pos), 0);
    EXPECT_EQ(d.RedoStep(&pos), 0);
    EXPECT_EQ(d.RedoStep(&pos), -1);
    EXPECT_EQ(Text(d), "abc");
}

TEST(Undo, RoomOfTheCurrentGroup) {
    UndoSize size(1);
    CQzedDoc d;
    UndoBuffer& u = d.Undo();
    EXPECT_EQ(u.GroupRoomRecords(), kUndoRecords);
    EXPECT_EQ(u.GroupRoomBytes(), 1024u);
    d.BeginUndoGroup();
    d.InsertText(1, "abcdef", 6, 0);
    // Older groups make way, so a new group has the whole history.
    d.BeginUndoGroup();
    EXPECT_EQ(u.GroupRoomRecords(), kUndoRecords);
    EXPECT_EQ(u.GroupRoomBytes(), 1024u);
    d.DeleteText(1, 2);
    d.InsertText(1, "x", 1, 0);
    EXPECT_EQ(u.GroupRoomRecords(), kUndoRecords - 2);
    EXPECT_EQ(u.GroupRoomBytes(), 1024u - 3);
    // A held group goes on filling the same room; an overflow leaves none.
    u.HoldGroup(1);
    d.BeginUndoGroup();
    EXPECT_EQ(u.GroupRoomBytes(), 1024u - 3);
    const std::string big(1100, 'b');
    d.InsertText(1, big.data(), uint32_t(big.size()), 0);
    EXPECT_EQ(u.GroupRoomRecords(), 0u);
    EXPECT_EQ(u.GroupRoomBytes(), 0u);
}

TEST(Undo, GroupIsUndoneWholeAndCaretGoesToItsOldestRecord) {
    CQzedDoc d;
    d.BeginUndoGroup();
    d.InsertText(1, "one two one", 11, 0);
    d.BeginUndoGroup();  // a replace-all: many changes, one command
    d.DeleteText(9, 3);
    d.InsertText(9, "1", 1, 0);
    d.DeleteText(1, 3);
    d.InsertText(1, "1", 1, 0);
    EXPECT_EQ(Text(d), "1 two 1");
    uint32_t pos = 0;
    EXPECT_EQ(d.UndoStep(&pos), 0);
    EXPECT_EQ(Text(d), "one two one");
    EXPECT_EQ(pos, 9u);
    EXPECT_EQ(d.RedoStep(&pos), 0);
    EXPECT_EQ(Text(d), "1 two 1");
    EXPECT_EQ(pos, 1u);  // the newest record replayed
}

TEST(Undo, MergingRules) {
    CQzedDoc d;
    d.BeginUndoGroup();
    d.InsertText(1, "abcdef", 6, 0);
    d.InsertText(7, "gh", 2, 0);  // continues the insertion
    EXPECT_EQ(d.Undo().Count(), 1u);
    EXPECT_EQ(d.Undo().At(1).length, 8u);
    d.BeginUndoGroup();
    d.DeleteText(2, 1);  // the Delete key: one place, one record
    d.DeleteText(2, 1);
    d.DeleteText(2, 1);
    EXPECT_EQ(d.Undo().Count(), 2u);
    EXPECT_EQ(d.Undo().At(2).length, 3u);
    d.BeginUndoGroup();
    d.DeleteText(4, 1);  // backspacing: one record per character
    d.DeleteText(3, 1);
    EXPECT_EQ(d.Undo().Count(), 4u);
    uint32_t pos;
    d.UndoStep(&pos);
    EXPECT_EQ(Text(d), "aefgh");
    EXPECT_EQ(pos, 4u);
    d.UndoStep(&pos);
    EXPECT_EQ(Text(d), "abcdefgh");
}

TEST(Undo, HoldKeepsOneGroup) {
    CQzedDoc d;
    d.BeginUndoGroup();
    d.Undo().HoldGroup(1);
    for (int i = 0; i < 5; ++i) {
        d.BeginUndoGroup();
        d.InsertText(1, "xy", 2, 0);
    }
    d.Undo().HoldGroup(0);
    EXPECT_EQ(d.Undo().Count(), 5u);
    uint32_t pos;
    EXPECT_EQ(d.UndoStep(&pos), 0);
    EXPECT_EQ(Text(d), "");
}

TEST(Undo, EditAfterUndoLosesRedo) {
    CQzedDoc d;
    d.BeginUndoGroup();
    d.InsertText(1, "abc", 3, 0);
    uint32_t pos;
    d.UndoStep(&pos);
    d.BeginUndoGroup();
    d.InsertText(1, "z", 1, 0);
    EXPECT_EQ(d.RedoStep(&pos), -1);
    EXPECT_EQ(d.Undo().RedoLimit(), 1u);
    d.ClearUndo();  // a save
    EXPECT_EQ(d.UndoStep(&pos), -1);
}

TEST(Undo, OverflowLosesHistoryUntilNextCommand) {
    UndoSize size(1);
    CQzedDoc d;
    std::string big(2000, 'b');
    d.BeginUndoGroup();
    d.InsertText(1, "keep", 4, 0);
    // A loaded text starts a fresh history.
    ASSERT_TRUE(d.LoadBegin(2004));
    d.LoadAppend(("keep" + big).data(), 2004);
    d.LoadEnd();
    EXPECT_EQ(d.Undo().Count(), 0u);
    d.BeginUndoGroup();
    EXPECT_EQ(d.DeleteText(5, 2000), 2000u);
    EXPECT_EQ(d.Undo().Overflow(), 1);
    EXPECT_EQ(d.Undo().Count(), 0u);
    uint32_t pos;
    EXPECT_EQ(d.UndoStep(&pos), 1);
    EXPECT_EQ(d.RedoStep(&pos), 1);
    d.BeginUndoGroup();
    d.InsertText(1, "x", 1, 0);
    EXPECT_EQ(d.UndoStep(&pos), 0);
    EXPECT_EQ(Text(d), "keep");
    EXPECT_EQ(d.UndoStep(&pos), -1);
}

TEST(Undo, OldestGroupsMakeRoom) {
    UndoSize size(1);
    CQzedDoc d;
    std::string piece(300, 'p');
    for (int i = 0; i < 10; ++i) {
        d.BeginUndoGroup();
        d.InsertText(1, piece.data(), 300, 0);
        EXPECT_LE(d.Undo().Count(), 3u);
        EXPECT_LT(d.Undo().At(1).start, d.Undo().RingSize());
    }
    EXPECT_EQ(d.Undo().Count(), 3u);
    EXPECT_EQ(d.Undo().At(1).group, 8);
    // The ring wrapped: undo still restores the right bytes.
    d.BeginUndoGroup();
    d.DeleteText(100, 250);
    uint32_t pos;
    d.UndoStep(&pos);
    EXPECT_EQ(Text(d), std::string(3000, 'p'));
    EXPECT_EQ(d.UndoStep(&pos), 0);
    EXPECT_EQ(d.GetTextLength(), 2700u);
}

TEST(Undo, RecordTableFull) {
    CQzedDoc d;
    d.BeginUndoGroup();
    for (uint32_t i = 0; i < kUndoRecords; ++i) d.Store().InsertChar(1, 'a');  // one record each
    EXPECT_EQ(d.Undo().Count(), kUndoRecords);
    EXPECT_EQ(d.Undo().Overflow(), 0);
    d.Store().InsertChar(1, 'a');
    EXPECT_EQ(d.Undo().Overflow(), 1);
    // Small groups instead: the oldest go.
    CQzedDoc e;
    for (uint32_t i = 0; i < kUndoRecords + 10; ++i) {
        e.BeginUndoGroup();
        e.Store().InsertChar(1, 'a');
    }
    EXPECT_EQ(e.Undo().Count(), kUndoRecords);
    EXPECT_EQ(e.Undo().At(1).group, 11);
}

TEST(Undo, LongRecordsReplayInPieces) {
    UndoSize size(16);
    CQzedDoc d;
    std::string s;
    for (int i = 0; i < 5000; ++i) s += static_cast<char>('a' + i % 26);
    d.BeginUndoGroup();
    d.InsertText(1, s.data(), 5000, 0);
    d.BeginUndoGroup();
    d.DeleteText(10, 4500);
    uint32_t pos;
    EXPECT_EQ(d.UndoStep(&pos), 0);
    EXPECT_EQ(Text(d), s);
    EXPECT_EQ(d.Store().Check(), "");
    EXPECT_EQ(d.UndoStep(&pos), 0);
    EXPECT_EQ(Text(d), "");
    EXPECT_EQ(d.RedoStep(&pos), 0);
    EXPECT_EQ(d.RedoStep(&pos), 0);
    EXPECT_EQ(Text(d), s.substr(0, 9) + s.substr(4509));
    EXPECT_EQ(d.Undo().Count(), 2u);  // replays record nothing
}

}  // namespace
}  // namespace qz
