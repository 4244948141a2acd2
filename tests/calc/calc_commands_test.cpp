// The view's calculation commands: the rectangle calculation from a box, a
// one-line selection or the two-point prompt, with its clipboard copy; the
// radix and code displays; their log codes.
#include <gtest/gtest.h>

#include "view/fake_clipboard.h"
#include "view/key_log.h"
#include "view/view_script.h"

namespace qz::testing {
namespace {

constexpr const char* kFirstPoint = "表計算範囲指定（どこから？）  <ESC>:中断  <改行>:確定";
constexpr const char* kSecondPoint = "（どこまで？）  <ESC>:中断  <改行>:確定";
constexpr const char* kWrong = "計算式に誤りがあります";

class FailingEmpty : public fakes::FakeClipboard {
public:
    bool Empty() override { return false; }
};

class Calc : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        ClipboardKind() = kClipNone;
    }
    ViewScript& Make(ViewScript& s, Clipboard* c = nullptr) {
        s.view->SetClipboard(c ? c : &clip);
        return s;
    }
    static const fakes::ShownMessage& Last(ViewScript& s) {
        static const fakes::ShownMessage none{"<none>", MessageKind::Info};
        return s.host.LastMessage() ? *s.host.LastMessage() : none;
    }
    fakes::FakeClipboard clip;
};

TEST_F(Calc, ThePromptSumsAColumnOfHalfAndFullWidthNumbers) {
    ViewScript s("‸10\n20\n３０\n");
    Make(s);
    s.view->OnRectCalc();
    EXPECT_EQ(Last(s).text, kFirstPoint);
    EXPECT_EQ(Last(s).kind, MessageKind::Prompt);
    EXPECT_EQ(s.view->BoxPromptMode(), 64);
    s.Run("enter");
    EXPECT_EQ(Last(s).text, kSecondPoint);
    s.Run("down down end enter");
    EXPECT_EQ(Last(s).text, "計算結果： 60 ($3C)");
    EXPECT_EQ(Last(s).kind, MessageKind::Info);
    EXPECT_EQ(s.host.beeps, 0);
    EXPECT_EQ(clip.text, "60");
    EXPECT_EQ(ClipboardKind(), kClipStream);
    EXPECT_EQ(s.view->BoxPromptMode(), 0);
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
    EXPECT_EQ(s.Sjis(), Utf8ToSjis("10\n20\n３０\n"));
}

TEST_F(Calc, ABoxSelectionWithTheFullWidthMultiplicationSign) {
    ViewScript s("x ‸１２×３ y\n");
    Make(s);
    s.Run("box-right box-right box-right box-right");
    s.view->OnRectCalc();
    EXPECT_EQ(Last(s).text, "計算結果： 36 ($24)");
    EXPECT_EQ(clip.text, "36");
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
}

TEST_F(Calc, ABoxOfATableWithRuledLines) {
    ViewScript s("‸┃１．５┃２┃\n┠───╂─┨\n┃　１０┃３┃\n");
    Make(s);
    s.Run("box-down box-down");
    for (int i = 0; i < 6; ++i) s.Run("box-right");
    s.view->OnRectCalc();
    EXPECT_EQ(Last(s).text, "計算結果： 16.5");
    EXPECT_EQ(clip.text, "16.5");
}

TEST_F(Calc, AOneLineStreamSelectionGivesItsColumns) {
    ViewScript s("total 1+2*3 end\n");
    Make(s);
    s.view->SetCaret(1, 7);
    s.Run("sel-right sel-right sel-right sel-right sel-right");
    s.view->OnRectCalc();
    EXPECT_EQ(Last(s).text, "計算結果： 7 ($7)");
    EXPECT_EQ(clip.text, "7");
}

TEST_F(Calc, TheCommandSelectionCountsAsAStreamSelection) {
    ViewScript s("‸-2.5*2\n");
    Make(s);
    s.view->StartCommandSelection();
    s.Run("end");
    s.view->OnRectCalc();
    EXPECT_EQ(Last(s).text, "計算結果： -5 ($FFFFFFFB)");
    EXPECT_FALSE(s.view->CommandSelectionActive());
}

TEST_F(Calc, AStreamSelectionOverSeveralLinesIsRefused) {
    ViewScript s("‸1\n2\n");
    Make(s);
    s.Run("sel-down");
    s.view->OnRectCalc();
    EXPECT_EQ(Last(s).text, "複数行の計算は矩形選択で行って下さい");
    EXPECT_EQ(Last(s).kind, MessageKind::Error);
    EXPECT_EQ(s.host.beeps, 1);
    EXPECT_FALSE(clip.hasText);
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
}

TEST_F(Calc, AWrongPieceStopsWithTheExpressionError) {
    ViewScript s("‸10\n30\n1 2\n");
    Make(s);
    clip.Foreign("kept");
    s.view->OnRectCalc();
    s.Run("enter down down right right right enter");
    EXPECT_EQ(Last(s).text, kWrong);
    EXPECT_EQ(Last(s).kind, MessageKind::Error);
    EXPECT_EQ(s.host.beeps, 1);
    EXPECT_EQ(clip.text, "kept");
    EXPECT_EQ(s.view->BoxPromptMode(), 0);
}

TEST_F(Calc, DivisionByZeroIsTheExpressionError) {
    ViewScript s("‸1/0\n");
    Make(s);
    s.Run("box-right box-right box-right");
    s.view->OnRectCalc();
    EXPECT_EQ(Last(s).text, kWrong);
    EXPECT_FALSE(clip.hasText);
}

TEST_F(Calc, ASecondPointLeftOfOrAboveTheFirstCalculatesNothing) {
    ViewScript s("12\n34\n");
    Make(s);
    s.view->SetCaret(2, 3);
    s.view->OnRectCalc();
    s.Run("enter up enter");
    EXPECT_EQ(Last(s).text, "");
    EXPECT_FALSE(clip.hasText);
    EXPECT_EQ(s.view->BoxPromptMode(), 0);
    s.view->OnRectCalc();
    s.Run("enter left enter");
    EXPECT_FALSE(clip.hasText);
    EXPECT_EQ(s.host.beeps, 0);
}

TEST_F(Calc, EmptyAndBlankRowsOfTheBoxCountNothing) {
    ViewScript s("‸5\n\n   \n\t7\n");
    Make(s);
    s.Run("box-down box-down box-down box-right box-right");
    s.view->OnRectCalc();
    EXPECT_EQ(Last(s).text, "計算結果： 12 ($C)");
}

TEST_F(Calc, ClipboardFailuresShowTheirBoxesAndKeepTheResult) {
    struct Case {
        const char* what;
        std::function<void(fakes::FakeClipboard&)> arrange;
        bool failEmpty;
        const char* box;
    };
    const Case cases[] = {
        {"open", [](fakes::FakeClipboard& c) { c.failOpen = true; }, false,
         "クリップボードが別アプリケーションで使用されています"},
        {"empty", [](fakes::FakeClipboard&) {}, true, "クリップボード内容が破棄できません"},
        {"set", [](fakes::FakeClipboard& c) { c.failSet = true; }, false,
         "クリップボードに削除データを登録できませんでした"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        FailingEmpty failing;
        fakes::FakeClipboard plain;
        fakes::FakeClipboard& c = k.failEmpty ? failing : plain;
        k.arrange(c);
        ViewScript s("‸42\n");
        Make(s, &c);
        s.Run("box-right box-right");
        s.view->OnRectCalc();
        EXPECT_EQ(Last(s).text, "計算結果： 42 ($2A)");
        ASSERT_EQ(s.host.boxes.shown.size(), 1u);
        EXPECT_EQ(s.host.boxes.shown[0].text, k.box);
        EXPECT_EQ(s.host.boxes.shown[0].caption, "表計算");
        EXPECT_EQ(s.host.boxes.shown[0].icon, MbIcon::Stop);
        EXPECT_EQ(c.opens, c.closes);
        EXPECT_FALSE(c.hasText);
    }
}

TEST_F(Calc, AResultAfterABoxYankIsPastedAsText) {
    TheSettings().env.PasteMode = 1;
    ViewScript s("‸12\nab\n");
    Make(s);
    s.Run("box-right box-right box-down");
    s.view->Copy();
    EXPECT_EQ(ClipboardKind(), kClipBox);
    s.Run("top box-right box-right");
    s.view->OnRectCalc();
    EXPECT_EQ(clip.text, "12");
    EXPECT_EQ(ClipboardKind(), kClipStream);
    // A box insert would leave the caret where it was.
    s.Run("bottom");
    s.view->Paste();
    EXPECT_EQ(s.Text(), "12\nab\n12‸");
}

TEST_F(Calc, RadixDisplayOfTheNumberAtTheCaret) {
    ViewScript s("x = 0x‸1F;\n");
    s.view->OnRadixDisplay();
    EXPECT_EQ(Last(s).text, "10進数:[31] 16進数:[1F] 2進数:[0001 1111]");
    EXPECT_EQ(Last(s).kind, MessageKind::Info);
    EXPECT_EQ(s.host.beeps, 0);
    s.Run("end");
    s.view->OnRadixDisplay();
    EXPECT_EQ(Last(s).text, "１０進数又は１６進数ではありません");
    EXPECT_EQ(Last(s).kind, MessageKind::Error);
}

TEST_F(Calc, RadixAndCodeDisplaysCancelTheSelection) {
    ViewScript s("‸255 あ\n");
    s.Run("sel-right");
    s.view->OnRadixDisplay();
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
    EXPECT_EQ(Last(s).text, "10進数:[255] 16進数:[FF] 2進数:[1111 1111]");
    s.Run("right right sel-right");
    s.view->OnCodeDisplay();
    EXPECT_EQ(s.view->KeySelection(), kSelNone);
    EXPECT_EQ(Last(s).text, "コードは SJIS=[82A0] JIS=[2422] EUC=[A4A2]");
    EXPECT_EQ(Last(s).kind, MessageKind::Info);
}

TEST_F(Calc, CodeDisplayAtTheLineEndAndAtTheEndOfTheText) {
    ViewScript s("a‸\n");
    s.view->OnCodeDisplay();
    EXPECT_EQ(Last(s).text, "コードは 16進[A], 10進[10]");
    s.Run("bottom");
    const size_t before = s.host.messages.size();
    s.view->OnCodeDisplay();
    EXPECT_EQ(s.host.messages.size(), before);
    EXPECT_EQ(s.host.beeps, 1);
}

TEST_F(Calc, TheCommandsAreLoggedAndReplayed) {
    ViewScript s("‸7\n");
    Make(s);
    s.view->OnRadixDisplay();
    s.view->OnCodeDisplay();
    s.view->OnRectCalc();
    s.view->CancelCommand();
    ASSERT_EQ(s.log.entries.size(), 4u);
    EXPECT_EQ(s.log.entries[0], (LogEntry{kLogCommand, 7, 0}));
    EXPECT_EQ(s.log.entries[1], (LogEntry{kLogCommand, 49, 0}));
    EXPECT_EQ(s.log.entries[2], (LogEntry{kLogCommand, 43, 0}));
    ASSERT_TRUE(RunLogCommand(*s.view, 49, 0));
    EXPECT_EQ(Last(s).text, "コードは 16進[37], 10進[55]");
    ASSERT_TRUE(RunLogCommand(*s.view, 7, 0));
    EXPECT_EQ(Last(s).text, "10進数:[7] 16進数:[7] 2進数:[0000 0111]");
    ASSERT_TRUE(RunLogCommand(*s.view, 43, 0));
    EXPECT_EQ(s.view->BoxPromptMode(), 64);
}

}  // namespace
}  // namespace qz::testing
