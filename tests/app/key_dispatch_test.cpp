// The key tables and their dispatcher: chords of the accelerator table, keys
// that depend on the moment, and a sample of keys reaching their commands.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "app/key_code.h"
#include "app/key_dispatch.h"
#include "view/fake_clipboard.h"
#include "view/view_script.h"

namespace qz {
namespace {

using testing::ViewScript;

struct RecordingHost : KeyActionHost {
    std::vector<std::pair<ViewAction, int>> view;
    std::vector<std::pair<FrameAction, int>> frame;
    void RunViewAction(ViewAction a, int arg) override { view.emplace_back(a, arg); }
    void RunFrameAction(FrameAction a, int arg) override { frame.emplace_back(a, arg); }
};

class KeyDispatchTest : public ::testing::Test {
protected:
    void SetUp() override { testing::ResetSettings(); }
    bool Key(ViewScript& s, int code, int scheme = 4, int asin4 = 0) {
        return DispatchKey(scheme, asin4, code, s.view.get(), host);
    }
    RecordingHost host;
};

TEST_F(KeyDispatchTest, AcceleratorChordsAreTheTablesOwn) {
    EXPECT_FALSE(IsAcceleratorChord(Ctrl(KeyDigit(0))));
    EXPECT_TRUE(IsAcceleratorChord(Ctrl(KeyDigit(1))));
    EXPECT_TRUE(IsAcceleratorChord(Ctrl(Shift(KeyLetter('B')))));
    EXPECT_FALSE(IsAcceleratorChord(Ctrl(Shift(KeyLetter('A')))));
    EXPECT_FALSE(IsAcceleratorChord(kKeyEnter));
    EXPECT_TRUE(IsAcceleratorChord(Shift(kKeyEnter)));
    EXPECT_TRUE(IsAcceleratorChord(Alt(KeyLetter('Z'))));
    EXPECT_FALSE(IsAcceleratorChord(KeyLetter('Z')));
    EXPECT_FALSE(IsAcceleratorChord(kKeyUp));  // the view's own key-down
    EXPECT_TRUE(IsAcceleratorChord(Ctrl(kKeyUp)));
    EXPECT_FALSE(IsAcceleratorChord(Shift(kKeyUp)));
    EXPECT_TRUE(IsAcceleratorChord(kKeyEsc));
    EXPECT_TRUE(IsAcceleratorChord(Shift(kKeyEsc)));
    EXPECT_FALSE(IsAcceleratorChord(Ctrl(kKeyEsc)));
    EXPECT_EQ(PfKeyBarCode(6, true, false, false), Shift(KeyF(7)));
}

TEST_F(KeyDispatchTest, NoKeyMeansTwoThingsInOneScheme) {
    size_t nv = 0, nf = 0;
    const ViewKeyRow* view = ViewKeyTable(&nv);
    const FrameKeyRow* frame = FrameKeyTable(&nf);
    for (int scheme = 0; scheme < kKeySchemes; ++scheme) {
        std::map<int, size_t> seen;
        for (size_t i = 0; i < nf; ++i)
            for (uint16_t k : frame[i].keys[scheme])
                if (k) {
                    EXPECT_TRUE(seen.emplace(k, 1000 + i).second) << "scheme " << scheme + 1 << " frame key " << k;
                }
        for (size_t i = 0; i < nv; ++i)
            for (uint16_t k : view[i].keys[scheme]) {
                if (!k) break;
                EXPECT_TRUE(IsAcceleratorChord(k) || (k & kKeyNumberMask) >= kKeyUp)
                    << "scheme " << scheme + 1 << " key " << k << " can never arrive";
                EXPECT_TRUE(seen.emplace(k, i).second) << "scheme " << scheme + 1 << " key " << k << " twice";
            }
    }
}

TEST_F(KeyDispatchTest, CtrlCCopiesASelectionElseGoesToTheEnd) {
    fakes::FakeClipboard clip;
    ViewScript s("‸abc\ndef\n");
    s.view->SetClipboard(&clip);
    EXPECT_TRUE(Key(s, Ctrl(KeyLetter('C'))));
    EXPECT_EQ(s.Text(), "abc\ndef\n‸");
    EXPECT_FALSE(clip.hasText);

    ViewScript t("‸abc\ndef\n");
    t.view->SetClipboard(&clip);
    Key(t, KeyF(6));          // start selection
    Key(t, Ctrl(kKeyDown));   // one row down
    EXPECT_TRUE(Key(t, Ctrl(KeyLetter('C'))));
    EXPECT_EQ(clip.text, "abc\r\n");
    EXPECT_EQ(t.Text(), "abc\n‸def\n");
    // In scheme 1 Ctrl+C is always the end of the file.
    Key(t, KeyF(6), 1);
    Key(t, Ctrl(KeyLetter('C')), 1);
    EXPECT_EQ(t.Text(), "abc\ndef\n‸");
}

TEST_F(KeyDispatchTest, Asin4TypeOneGivesHomeToTheWindows) {
    ViewScript s("ab‸c\n");
    Key(s, kKeyHome, 4, 1);
    Key(s, Shift(kKeyHome), 4, 1);
    EXPECT_FALSE(Key(s, Ctrl(Shift(kKeyHome)), 4, 1));
    ASSERT_EQ(host.view.size(), 2u);
    EXPECT_EQ(host.view[0].first, ViewAction::WindowSelection);
    EXPECT_EQ(host.view[1].first, ViewAction::PreviousWindow);
    EXPECT_EQ(s.Text(), "ab‸c\n");
    Key(s, kKeyHome, 4, 0);
    EXPECT_EQ(s.Text(), "‸abc\n");
}

TEST_F(KeyDispatchTest, LineDrawingTakesTheCtrlArrows) {
    ViewScript s("ab\n‸cd\n");
    Key(s, Ctrl(kKeyUp));
    EXPECT_EQ(s.Text(), "‸ab\ncd\n");  // rows up with line drawing off
    TheSettings().env.RuleLineMode = 1;
    Key(s, Ctrl(kKeyDown));
    EXPECT_NE(s.Sjis(), "ab\ncd\n");    // a line was drawn instead of moving
    ASSERT_FALSE(s.log.entries.empty());
    EXPECT_EQ(s.log.entries.back().code, 44);
}

TEST_F(KeyDispatchTest, SchemeFourEditingKeys) {
    ViewScript s("‸one\ntwo\nthree\n");
    Key(s, Ctrl(KeyLetter('Y')));                // delete row
    EXPECT_EQ(s.Text(), "‸two\nthree\n");
    Key(s, Ctrl(Shift(KeyLetter('Y'))));         // undelete row
    EXPECT_EQ(s.Text(), "‸one\ntwo\nthree\n");
    Key(s, Ctrl(KeyLetter('W')));                // row end
    Key(s, Ctrl(KeyLetter('M')));                // a typed line feed
    EXPECT_EQ(s.Text(), "one\n‸\ntwo\nthree\n");
    Key(s, Shift(kKeyEsc));                      // undo
    EXPECT_EQ(s.Sjis(), "one\ntwo\nthree\n");
    Key(s, Ctrl(KeyLetter('R')));                // top of file
    Key(s, Ctrl(KeyLetter('T')));                // delete to end of line
    EXPECT_EQ(s.Text(), "‸\ntwo\nthree\n");
    Key(s, Ctrl(KeyLetter('I')));                // a typed tab
    EXPECT_EQ(s.Text(), "\t‸\ntwo\nthree\n");
    Key(s, Ctrl(KeyLetter('Q')));                // row start
    Key(s, Ctrl(KeyLetter('B')));                // duplicate row
    EXPECT_EQ(s.Sjis(), "\t\n\t\ntwo\nthree\n");
    EXPECT_TRUE(host.view.empty());
}

TEST_F(KeyDispatchTest, RangesGoToTheFrameWithTheirNumber) {
    ViewScript s("x\n");
    Key(s, Alt(KeyLetter('Z')));
    Key(s, Alt(KeyDigit(0)));
    Key(s, Ctrl(KeyDigit(5)));
    Key(s, Shift(KeyF(5)));
    const std::vector<std::pair<ViewAction, int>> want = {{ViewAction::InsertTemplateKey, 25},
                                                          {ViewAction::InsertTemplateKey, 26},
                                                          {ViewAction::HelpEntry, 5},
                                                          {ViewAction::MarkJumpDialog, 0}};
    EXPECT_EQ(host.view, want);
}

TEST_F(KeyDispatchTest, FrameKeysComeFirst) {
    ViewScript s("x\n");
    Key(s, Shift(KeyF(4)));
    Key(s, Alt(kKeyUp));
    Key(s, KeyF(2));
    int& marks = TheSettings().Type(s.doc->GetFileType()).TabCr;
    marks = 1;
    Key(s, Ctrl(KeyLetter('O')));
    EXPECT_EQ(marks, 2);
    Key(s, Ctrl(KeyLetter('O')));
    EXPECT_EQ(marks, 0);
    const std::vector<std::pair<FrameAction, int>> want = {{FrameAction::NewWindow, 0},
                                                           {FrameAction::ScrollAllViews, -1},
                                                           {FrameAction::MenuPopup, 2},
                                                           {FrameAction::CycleTabMarks, 0},
                                                           {FrameAction::CycleTabMarks, 0}};
    EXPECT_EQ(host.frame, want);
    // Scheme 2 has no popups on F2; a scheme outside 1-4 does nothing.
    host.frame.clear();
    Key(s, KeyF(2), 2);
    EXPECT_FALSE(Key(s, Shift(KeyF(4)), 7));
    EXPECT_TRUE(host.frame.empty());
}

TEST_F(KeyDispatchTest, PrefixKeysTakeTheNextKey) {
    ViewScript s("‸a\nb\n");
    Key(s, Ctrl(KeyLetter('Q')), 3);  // scheme 3 prefix
    Key(s, Ctrl(KeyLetter('Y')), 3);  // only clears it
    EXPECT_EQ(s.Sjis(), "a\nb\n");
    Key(s, Ctrl(KeyLetter('Y')), 3);
    EXPECT_EQ(s.Sjis(), "b\n");
    // Esc with nothing going on is the prefix in scheme 3, a cancel elsewhere.
    Key(s, kKeyEsc, 3);
    EXPECT_TRUE(s.view->PrefixPending());
    Key(s, kKeyEsc, 3);
    EXPECT_FALSE(s.view->PrefixPending());
    // The scheme that set the prefix reads the next character, whatever the
    // settings now name: Ctrl+Q then R is the top of the file in scheme 3.
    s.view->SetCaret(2, 1);
    TheSettings().env.AsinMode = 4;
    Key(s, Ctrl(KeyLetter('Q')), 3);
    s.view->OnChar('r');
    EXPECT_EQ(s.view->CaretRow(), 1u);
    TheSettings().env.AsinMode = 3;
    Key(s, Ctrl(KeyLetter('Z')), 1);
    s.view->OnChar('a');  // scheme 1: the character only clears the prefix
    EXPECT_EQ(s.Sjis(), "b\n");
    EXPECT_FALSE(s.view->PrefixPending());
    // Scheme 1: Ctrl+Z twice toggles the line numbers.
    Key(s, Ctrl(KeyLetter('Z')), 1);
    Key(s, Ctrl(KeyLetter('Z')), 1);
    ASSERT_EQ(host.frame.size(), 1u);
    EXPECT_EQ(host.frame[0].first, FrameAction::ToggleLineNumbers);
}

}  // namespace
}  // namespace qz
