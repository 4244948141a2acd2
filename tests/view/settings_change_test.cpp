// A view after the settings changed under an open document: the layout
// follows the new values and the caret stays on its character.
#include <gtest/gtest.h>

#include "view/view_script.h"

namespace qz::testing {
namespace {

class SettingsChange : public ::testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
    static TypeSettings& Type() { return TheSettings().Type(1); }
    // What the sheet's OK does to one document shown in one view.
    static void Apply(ViewScript& s) {
        s.doc->ApplyLayoutSettings();
        s.view->OnSettingsChanged(1);
    }
    static char CaretChar(ViewScript& s) { return s.doc->Store().GetCharAt(s.view->AbsoluteOffset()); }
};

TEST_F(SettingsChange, TabWidthMovesTheCaretWithItsCharacter) {
    std::string text;
    for (int i = 0; i < 30; ++i) text += "\tline\n";
    ViewScript s(text + "\tab\tc‸d\n");
    const uint32_t row = s.view->CaretRow(), top = s.view->TopRow();
    ASSERT_EQ(s.view->CaretColumn(), 4 + 2 + 2 + 1 + 1);
    Type().Tabs = 8;
    Apply(s);
    EXPECT_EQ(CaretChar(s), 'd');
    EXPECT_EQ(s.view->CaretColumn(), 8 + 2 + 6 + 1 + 1);
    EXPECT_EQ(s.view->CaretRow(), row);
    EXPECT_EQ(s.view->TopRow(), top);
    EXPECT_EQ(s.doc->GetTabWidth(), 8);
    EXPECT_GT(s.host.invalidations, 0);
}

TEST_F(SettingsChange, RightTurnOnAndOffFollowsTheSetting) {
    ViewScript s(std::string(100, 'a') + "‸b\n");
    ASSERT_FALSE(s.doc->GetWrapMode() & kWrapWindow);
    Type().RightTurn = 1;
    Apply(s);
    EXPECT_TRUE(s.doc->GetWrapMode() & kWrapWindow);
    EXPECT_EQ(s.doc->GetWrapWidth(), 79);
    EXPECT_EQ(s.view->CaretRow(), 2u);
    EXPECT_EQ(CaretChar(s), 'b');
    // Turned off, the line is one row again: the window's column goes.
    Type().RightTurn = 0;
    Apply(s);
    EXPECT_FALSE(s.doc->GetWrapMode() & kWrapWindow);
    EXPECT_EQ(s.doc->GetWrapWidth(), 240);
    EXPECT_EQ(s.view->CaretRow(), 1u);
    EXPECT_EQ(CaretChar(s), 'b');
}

TEST_F(SettingsChange, AWiderFontAndNumbersNarrowTheWindowWrap) {
    Type().RightTurn = 1;
    ViewScript s(std::string(100, 'a') + "‸b\n");
    ASSERT_EQ(s.doc->GetWrapWidth(), 79);
    s.host.charWidth = 10;
    Type().LineDisp = 1;
    Type().WidthColumn = 6;
    Apply(s);
    EXPECT_EQ(s.view->CellWidth(), 16);
    EXPECT_EQ(s.view->VisibleColumns(), 640 / 16 - 8);
    EXPECT_EQ(s.doc->GetWrapWidth(), 31);
    EXPECT_EQ(CaretChar(s), 'b');
    EXPECT_EQ(s.view->CaretRow(), 4u);
}

TEST_F(SettingsChange, SplitDocumentsStayUnwrapped) {
    Type().RightTurn = 1;
    ViewScript s(std::string(100, 'a') + "‸b\n");
    ASSERT_TRUE(s.doc->GetWrapMode() & kWrapWindow);
    s.doc->ApplyLayoutSettings();
    s.view->OnSettingsChanged(2);
    EXPECT_FALSE(s.doc->GetWrapMode() & kWrapWindow);
    EXPECT_EQ(s.view->CaretRow(), 1u);
}

TEST_F(SettingsChange, CommentSyntaxChangesTheColouring) {
    ViewScript s("x // note\n‸");
    const int commentColour = Type().Com_Col;
    auto runsOfRow = [&] {
        s.view->PaintRows(1, 1, 1);
        bool comment = false;
        for (const PaintRun& r : s.host.runs[1]) comment |= r.fore == commentColour && r.text.find("note") != std::string::npos;
        return comment;
    };
    ASSERT_TRUE(runsOfRow());
    Type().Comment = 0;
    Apply(s);
    EXPECT_FALSE(runsOfRow());
}

}  // namespace
}  // namespace qz::testing
