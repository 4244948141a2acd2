// Keystroke log: recording states and the pane, the 512-entry limit, replay
// once and repeated as one undo step, Esc between passes.
#include <gtest/gtest.h>

#include "view/fake_clipboard.h"
#include "view/key_log.h"
#include "view/search_state.h"
#include "view/view_script.h"

namespace qz::testing {
namespace {

struct FakePane : LogPane {
    std::string text;
    LogPaneLook look = LogPaneLook::Empty;
    void SetLogPane(const std::string& t, LogPaneLook l) override { text = t, look = l; }
};

class KeyLog : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        TheKeyLog() = KeyLogData();
    }
    FakePane pane;
};

TEST_F(KeyLog, TypedBytesAreRecordedAndReplayedAtTheCaret) {
    ViewScript s("‸x\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    s.view->SetRecorder(&log);
    log.ToggleRecording();
    EXPECT_EQ(pane.text, "LOG/ON    0");
    EXPECT_EQ(pane.look, LogPaneLook::Recording);
    EXPECT_FALSE(log.CanReplay());
    s.Run("type:ab enter");
    EXPECT_EQ(TheKeyLog().count, 3);
    EXPECT_EQ(TheKeyLog().entries[2].kind, kLogTyped);
    EXPECT_EQ(TheKeyLog().entries[2].code, 10);
    EXPECT_EQ(pane.text, "LOG/ON    3");
    EXPECT_FALSE(log.CanReplay());
    log.ToggleRecording();
    EXPECT_EQ(pane.text, "LOG/OFF   3");
    EXPECT_EQ(pane.look, LogPaneLook::Off);
    log.ReplayOnce();
    EXPECT_EQ(s.Text(), "ab\nab\n‸x\n");
    EXPECT_FALSE(s.view->NoScreenUpdate());
    EXPECT_EQ(TheKeyLog().count, 3);  // replaying records nothing
}

TEST_F(KeyLog, RuledLinesReplayInTheStyleTheyWereRecordedIn) {
    ViewScript s("‸\n\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    s.view->SetRecorder(&log);
    TheSettings().env.RuleLineMode = 2;  // thick
    log.ToggleRecording();
    s.Run("draw-right");
    log.ToggleRecording();
    TheSettings().env.RuleLineMode = 1;  // thin now; the log keeps thick
    log.ReplayOnce();
    EXPECT_EQ(s.Text(), "━━‸\n\n");
    TheSettings().env.RuleLineMode = 0;  // off: a recorded stroke is drawn all the same
    log.ReplayOnce();
    EXPECT_EQ(s.Text(), "━━━‸\n\n");
}

TEST_F(KeyLog, ADoubleByteCharacterIsTwoEntriesAndOneCharacterAgain) {
    ViewScript s("‸\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    s.view->SetRecorder(&log);
    log.ToggleRecording();
    s.Type("漢");
    log.ToggleRecording();
    ASSERT_EQ(TheKeyLog().count, 2);
    log.ReplayOnce();
    EXPECT_EQ(s.Text(), "漢漢‸\n");
}

TEST_F(KeyLog, The513thEntryEndsRecording) {
    ViewScript s("‸\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    s.view->SetRecorder(&log);
    log.ToggleRecording();
    for (int i = 0; i < 512; ++i) s.view->CharRight();
    EXPECT_EQ(log.State(), kLogRecording);
    EXPECT_TRUE(s.host.boxes.shown.empty());
    s.view->CharRight();
    ASSERT_EQ(s.host.boxes.shown.size(), 1u);
    EXPECT_EQ(s.host.boxes.shown[0].text, "これ以上は記憶できません。\n記憶を中断します。");
    EXPECT_EQ(s.host.boxes.shown[0].caption, "記憶");
    EXPECT_EQ(log.State(), kLogOff);
    EXPECT_EQ(pane.text, "LOG/OFF 512");
    EXPECT_EQ(TheKeyLog().count, 512);
    EXPECT_TRUE(log.CanReplay());
}

TEST_F(KeyLog, ANewRecordingReplacesTheLogAtItsFirstEntry) {
    ViewScript s("‸\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    s.view->SetRecorder(&log);
    log.ToggleRecording();
    s.Type("ab");
    log.ToggleRecording();
    log.ToggleRecording();
    EXPECT_EQ(TheKeyLog().count, 2);  // armed: the old log still stands
    s.Type("c");
    EXPECT_EQ(TheKeyLog().count, 1);
}

TEST_F(KeyLog, ASelectionWithItsCharacterSearchReplaysAgainstTheNewCaret) {
    ViewScript s("‸ab;cd;\nxyz;w\n");
    fakes::FakeClipboard clip;
    s.view->SetClipboard(&clip);
    ViewKeyLog log(*s.view, s.host, &pane);
    s.view->SetRecorder(&log);
    log.ToggleRecording();
    s.view->StartCommandSelection();
    s.Type(";");
    s.view->Copy();
    log.ToggleRecording();
    EXPECT_EQ(clip.text, "ab");
    EXPECT_EQ(TheKeyLog().count, 3);
    s.view->SetCaret(2, 1);
    log.ReplayOnce();
    EXPECT_EQ(clip.text, "xyz");
    EXPECT_FALSE(s.view->CommandSelectionActive());
}

class Repeat : public KeyLog {
protected:
    // Records "down, delete row" on a seven-row text and returns to row 1.
    void RecordDownDelete(ViewScript& s, ViewKeyLog& log) {
        s.view->SetRecorder(&log);
        log.ToggleRecording();
        s.Run("down delrow");
        log.ToggleRecording();
        s.doc->Undo().Clear();
        s.view->SetCaret(1, 1);
    }
};

TEST_F(Repeat, ThreePassesDeleteThreeRowsAsOneUndoStep) {
    ViewScript s("1\n2\n3\n4\n5\n6\n7\n8\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    RecordDownDelete(s, log);
    EXPECT_EQ(s.Sjis(), "1\n3\n4\n5\n6\n7\n8\n");
    log.Repeat(3, false);
    EXPECT_EQ(s.Sjis(), "1\n4\n6\n8\n");  // rows 3, 5 and 7 of the start
    ASSERT_NE(s.host.LastMessage(), nullptr);
    EXPECT_EQ(s.host.LastMessage()->text, "繰り返し終了:[3/3]");
    bool progressShown = false;
    for (const auto& m : s.host.messages)
        if (m.text == "繰り返し処理中:[2/3]  <ESC>:中断  <SPC>:高速") progressShown = true;
    EXPECT_TRUE(progressShown);
    s.view->UndoCommand();
    EXPECT_EQ(s.Sjis(), "1\n3\n4\n5\n6\n7\n8\n");
}

TEST_F(Repeat, EscapeStopsBeforeTheNextPass) {
    ViewScript s("1\n2\n3\n4\n5\n6\n7\n8\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    RecordDownDelete(s, log);
    s.host.escDown = true;
    log.Repeat(3, true);
    EXPECT_EQ(s.host.LastMessage()->text, "繰り返しを中断しました:[0/3]");
    EXPECT_EQ(s.Sjis(), "1\n3\n4\n5\n6\n7\n8\n");
    EXPECT_FALSE(s.view->NoScreenUpdate());
}

TEST_F(Repeat, RefusedWhileRecordingOrWithoutALog) {
    ViewScript s("‸\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    s.view->SetRecorder(&log);
    log.ReplayOnce();
    log.Repeat(2, false);
    EXPECT_TRUE(s.host.messages.empty());
    log.ToggleRecording();
    s.Type("a");
    log.Repeat(2, false);
    EXPECT_EQ(s.Sjis(), "a\n");
}

// Replays that meet a failure, and replays into the interactive modes.
class ReplayModes : public KeyLog {
protected:
    void SetUp() override {
        KeyLog::SetUp();
        TheSearchState() = SearchState();
    }
};

TEST_F(ReplayModes, ASearchThatFindsNothingEndsTheRepeat) {
    ViewScript s("‸1ab 2ab 3ab\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    s.view->SetRecorder(&log);
    GiveSearchString("ab");
    log.ToggleRecording();
    s.view->SearchNext();  // skips the character at the caret: the first "ab" after it
    s.view->DeleteChar();
    log.ToggleRecording();
    EXPECT_EQ(s.Sjis(), "1b 2ab 3ab\n");
    s.view->SetCaret(1, 1);
    s.doc->Undo().Clear();
    log.Repeat(5, false);
    // Two passes find "ab"; the third finds none and its delete never runs.
    EXPECT_EQ(s.Sjis(), "1b 2b 3b\n");
    EXPECT_EQ(s.host.LastMessage()->text, "繰り返し終了:[2/5]");
    log.ReplayOnce();  // the same within one pass
    EXPECT_EQ(s.Sjis(), "1b 2b 3b\n");
}

TEST_F(ReplayModes, RecordedSearchKeysDriveTheSearchModeAgain) {
    ViewScript s("‸ab ab ab ab\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    s.view->SetRecorder(&log);
    s.view->SearchFor("ab", false, 0);
    log.ToggleRecording();
    s.view->OnArrowKey(4, false, false, false, false, 4);
    s.Type("zz");
    s.Run("enter");
    s.view->OnArrowKey(2, false, false, false, false, 4);
    s.view->CancelCommand();
    log.ToggleRecording();
    EXPECT_EQ(TheKeyLog().count, 6);
    EXPECT_EQ(s.Text(), "ab ab ‸ab ab\n");
    EXPECT_EQ(s.view->SearchMode(), 0);
    s.view->SetCaret(1, 1);
    s.view->SearchFor("ab", false, 0);
    log.ReplayOnce();
    EXPECT_EQ(s.Text(), "ab ab ‸ab ab\n");  // down, down, up; the letters typed nothing
    EXPECT_EQ(s.view->SearchMode(), 0);
}

TEST_F(ReplayModes, TypedKeysReplayIntoInteractiveReplace) {
    ViewScript s("‸ab ab ab ab ab ab\n");
    ViewKeyLog log(*s.view, s.host, &pane);
    s.view->SetRecorder(&log);
    ASSERT_TRUE(s.view->StartReplace("ab", "c", 0, false));
    log.ToggleRecording();
    s.Type("rsr");
    log.ToggleRecording();
    EXPECT_EQ(s.Sjis(), "c ab c ab ab ab\n");
    s.view->CancelCommand();
    s.view->SetCaret(1, 1);
    ASSERT_TRUE(s.view->StartReplace("ab", "x", 0, false));
    log.ReplayOnce();
    EXPECT_EQ(s.Sjis(), "c x c ab x ab\n");
    EXPECT_EQ(s.view->ReplaceMode(), 2);
    // The skip runs out of matches: the mode ends and the replay with it,
    // so the last "r" is not typed into the text.
    s.view->CancelCommand();
    s.view->SetCaret(1, 1);
    ASSERT_TRUE(s.view->StartReplace("x", "y", 0, false));
    log.ReplayOnce();
    EXPECT_EQ(s.Sjis(), "c y c ab x ab\n");
    EXPECT_EQ(s.view->ReplaceMode(), 0);
}

TEST(Progress, PointsThinOutByDecade) {
    std::vector<long> shown;
    for (long n = 0; n <= 1500; ++n)
        if (ProgressPoint(n)) shown.push_back(n);
    const std::vector<long> expected = {0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  20,
                                        30,  40,  50,  60,  70,  80,  90,  100, 200, 300, 400, 500,
                                        600, 700, 800, 900, 1000};
    EXPECT_EQ(shown, expected);
}

TEST(LogTable, EveryRecordedCodeRunsItsCommand) {
    ResetSettings();
    ViewScript s("ab\ncd\n");
    s.Run("down right sel-right box-down all del");
    const std::vector<LogEntry> recorded = s.log.entries;  // running them records again
    for (const LogEntry& e : recorded) EXPECT_TRUE(RunLogCommand(*s.view, e.code, e.arg)) << e.code;
    EXPECT_FALSE(RunLogCommand(*s.view, 999, 0));
}

}  // namespace
}  // namespace qz::testing
