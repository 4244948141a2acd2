// The command table, tool tips and menus: every entry reaches what it names,
// and tips and menu hints name keys that really reach their commands.
#include <gtest/gtest.h>

#include <set>

#include "app/key_code.h"
#include "frame/commands.h"
#include "frame/menus.h"
#include "frame/pfkey_labels.h"
#include "frame/tool_bars.h"
#include "settings/settings.h"

namespace qz {
namespace {

namespace c = cmdid;

// The tool-tip rows of the first scheme as the frame's string table has
// them. Three rows named a key that does not reach their command (the next
// and previous function hints were crossed, and the template dialog is on
// Alt+Enter, not Shift+Enter): those name the real keys.
const std::vector<std::pair<int, std::string>> kSchemeOneTips = {
    {32872, "前回編集したファイルを開く"}, {57600, "新規ファイル作成"}, {57601, "ファイルを開く"},
    {32862, "ファイルを閉じる"}, {33293, "上書き保存"}, {33294, "名前を付けて保存"}, {32989, "切り取り(F7)"},
    {32990, "コピー(F8)"}, {32991, "張り付け(F9)"}, {57643, "ＵＮＤＯ(Shift+ESC)"}, {57644, "ＲＥＤＯ"},
    {33201, "テンプレートの挿入(Alt+RTN)"}, {33042, "検索"}, {33107, "下へ検索(Ctrl+N)"},
    {33109, "上へ検索(Ctrl+P)"}, {32779, "置き換え"}, {32780, "一括置き換え"}, {33032, "グローバルＧＲＥＰ"},
    {32772, "指定行へジャンプ"}, {33165, "先頭行へジャンプ(Ctrl+R)"}, {33163, "最終行へジャンプ(Ctrl+C)"},
    {33164, "最終変更位置へジャンプ"}, {33098, "前の関数へジャンプ(Ctrl+Shift+P)"},
    {33097, "次の関数へジャンプ(Ctrl+Shift+N)"}, {32987, "DrTagジャンプ(Shift+F10)"}, {32830, "DrTag戻る"},
    {57650, "画面を重ねて表示"}, {32838, "画面を２分割（上下）"}, {32839, "画面を２分割（左右）"},
    {33039, "ＱＺＴＡＧＳ起動"}, {33027, "外部プログラム起動(F11)"}, {32996, "電卓起動(Shift+F7)"},
    {33248, "Internet Explorer起動(Ctrl+F5)"}, {33249, "Netscape起動(Ctrl+F6)"}, {32833, "シェル起動"},
    {32986, "マーク／ジャンプ(Shift+F5)"}, {32984, "ファイルリスト(Shift+F9)"}, {32851, "関数リスト"},
    {32847, "アスキーリスト"}, {32848, "漢字リスト"}, {33037, "プレビュー"}, {33036, "印刷（プレビュー）"},
    {32905, "タブ切り換え"}, {33038, "右端で折り返す"}, {33065, "編集禁止"}, {32858, "環境設定(F5)"},
    {57664, "版数／ユーザ登録"}, {33190, "(Ctrl+0～9)"}, {33251, "(Ctrl+1)"}, {33255, "(Ctrl+5)"},
};

TEST(Commands, ToolTipsOfTheFirstSchemeAndTheTellingRowsOfTheOthers) {
    for (const auto& [id, tip] : kSchemeOneTips) EXPECT_EQ(ToolTip(id, 1), tip) << id;
    EXPECT_EQ(ToolTip(32989, 2), "切り取り(Ctrl+X)");
    EXPECT_EQ(ToolTip(32989, 4), "切り取り(Ctrl+X)");
    EXPECT_EQ(ToolTip(33107, 2), "下へ検索(F3)");
    EXPECT_EQ(ToolTip(32772, 2), "指定行へジャンプ(Ctrl+G)");
    EXPECT_EQ(ToolTip(32772, 3), "指定行へジャンプ(Ctrl+Q・0～9)");
    EXPECT_EQ(ToolTip(33165, 3), "先頭行へジャンプ(Ctrl+Q・R)");
    EXPECT_EQ(ToolTip(33042, 3), "検索(F5)");
    EXPECT_EQ(ToolTip(32986, 3), "マーク／ジャンプ(Ctrl+J)");
    EXPECT_EQ(ToolTip(32858, 2), "環境設定");
    EXPECT_EQ(ToolTip(32858, 3), "環境設定");
    EXPECT_EQ(ToolTip(33252, 1, "MSDN"), "MSDN(Ctrl+2)");
}

// Parses a hint back into a key code ("Ctrl+Shift+N", "Shift+ESC").
int ParseKey(std::string hint) {
    int code = 0;
    for (auto [prefix, bit] : {std::pair{"Ctrl+", kKeyCtrl}, {"Shift+", kKeyShift}, {"Alt+", kKeyAlt}})
        if (hint.rfind(prefix, 0) == 0) code |= bit, hint.erase(0, std::string(prefix).size());
    for (int k = 0; k <= 0x412; ++k)
        if (KeyName(k) == hint) return code | k;
    return -1;
}

TEST(Commands, EveryKeyHintReachesItsCommand) {
    TheSettings() = Settings();
    for (int scheme = 1; scheme <= 4; ++scheme) {
        for (const CommandInfo& info : CommandTable()) {
            const std::string hint = KeyHint(info.id, scheme);
            if (hint.empty() || hint.find("・") != std::string::npos || hint.find("～") != std::string::npos)
                continue;
            const int code = ParseKey(hint);
            ASSERT_GE(code, 0) << hint;
            // Keys the view runs itself reach no host: their command is the
            // view action's own; the rest must arrive at the frame.
            size_t n = 0;
            const ViewKeyRow* rows = ViewKeyTable(&n);
            bool found = false;
            for (size_t i = 0; i < n && !found; ++i)
                for (uint16_t k : rows[i].keys[scheme - 1])
                    if (k == code && CommandOfViewAction(rows[i].action, rows[i].argument) == info.id) found = true;
            const FrameKeyRow* frows = FrameKeyTable(&n);
            for (size_t i = 0; i < n && !found; ++i)
                for (uint16_t k : frows[i].keys[scheme - 1])
                    if (k == code && CommandOfFrameAction(frows[i].action, frows[i].argument) == info.id) found = true;
            // The help entries are a range the dispatcher decides (Ctrl+1-9).
            if (info.id >= c::kHelpButton1 && info.id < c::kHelpButton1 + 5) found = true;
            EXPECT_TRUE(found) << "scheme " << scheme << ": " << hint << " for " << info.id;
        }
    }
}

void CollectIds(const std::vector<MenuItem>& items, std::set<int>& ids) {
    for (const MenuItem& m : items) {
        if (m.IsPopup()) CollectIds(m.items, ids);
        else if (m.id) ids.insert(m.id);
    }
}

TEST(Commands, MenusReachOnlyKnownCommandsAndEveryCommandIsInAMenu) {
    for (int scheme = 1; scheme <= 4; ++scheme) {
        std::set<int> ids;
        for (ModifierState st : {ModifierState::None, ModifierState::Shift, ModifierState::Ctrl})
            CollectIds(SchemeMenu(scheme, st), ids);
        for (int id : ids)
            EXPECT_TRUE(FindCommand(id) || id == c::kRecentFirst) << "scheme " << scheme << " id " << id;
        // Whatever the table has is reachable from the menus; the help
        // buttons, the bar's own close, the tray's end, and the keys-only
        // maximise and upward search dialog are reached elsewhere.
        const std::set<int> elsewhere = {c::kHelpButton1, c::kHelpButton1 + 1, c::kHelpButton1 + 2,
                                         c::kHelpButton1 + 3, c::kHelpButton1 + 4, c::kCloseWindow,
                                         c::kEndResidence, c::kMaximizeRestore, c::kSearchUpDialog};
        for (const CommandInfo& info : CommandTable())
            if (!elsewhere.count(info.id)) EXPECT_TRUE(ids.count(info.id)) << "scheme " << scheme << " misses " << info.id;
    }
}

TEST(Commands, ModifierRowsSendTheirFunctionKeys) {
    const std::vector<MenuItem> shift = SchemeMenu(1, ModifierState::Shift);
    std::vector<std::string> labels;
    for (const MenuItem& m : shift) labels.push_back(m.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"F1:記憶     ", "F2:再現     ", "F4:複製     ", "F5:マーク   ",
                                                "F7:電卓     ", "F8:コード   ", "F9:リスト   ", "F0:DrTAG    "}));
    EXPECT_EQ(shift[7].key, Shift(KeyF(10)));
    // Scheme 3 keeps three popups under Shift.
    const std::vector<MenuItem> talve = SchemeMenu(3, ModifierState::Shift);
    EXPECT_EQ(talve[0].label, "F1:MENU4 ");
    EXPECT_EQ(talve[2].label, "F3:MENU6 ");
    EXPECT_TRUE(talve[0].IsPopup());
    EXPECT_FALSE(SwapsMenus(2));
}

TEST(Commands, MenuTextsCarryTheKeyOfTheScheme) {
    MenuItem save{"上書き保存(&S)", c::kSave, 0, {}};
    EXPECT_EQ(MenuText(save, 1), "上書き保存(&S)");
    EXPECT_EQ(MenuText(save, 2), "上書き保存(&S)\tCtrl+S");
    MenuItem list{"関数リスト(&I)...", c::kFunctionList, 0, {}};
    EXPECT_EQ(MenuText(list, 4), "関数リスト(&I)...\tCtrl+F9");
}

TEST(Commands, PfLabelsPerSchemeAndState) {
    EXPECT_STREQ(PfKeyLabels(1, ModifierState::None)[11], "最大");
    EXPECT_STREQ(PfKeyLabels(4, ModifierState::None)[11], "画面");
    EXPECT_STREQ(PfKeyLabels(4, ModifierState::Shift)[11], "次画面");
    EXPECT_STREQ(PfKeyLabels(4, ModifierState::Ctrl)[11], "前画面");
    EXPECT_STREQ(PfKeyLabels(4, ModifierState::Ctrl)[7], "10/16");
    EXPECT_STREQ(PfKeyLabels(2, ModifierState::Ctrl)[4], "ＩＥ");
    EXPECT_STREQ(PfKeyLabels(3, ModifierState::Shift)[9], "全二重");
    EXPECT_STREQ(PfKeyLabels(3, ModifierState::Ctrl)[9], "開く");
    EXPECT_STREQ(PfKeyLabels(7, ModifierState::None)[0], "MENU1");
    EXPECT_EQ(std::string(PfKeyLabels(1, ModifierState::Shift)[2]).find_first_not_of(' '), std::string::npos);
}

TEST(Commands, ToolBarsInCreationOrderWithKnownButtons) {
    std::vector<std::string> titles;
    for (const ToolBarDef& bar : ToolBars()) {
        titles.push_back(bar.title);
        for (int id : bar.buttons)
            if (id) EXPECT_TRUE(FindCommand(id)) << bar.title << " " << id;
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"ファイル", "編集１", "編集２", "検索", "機能２", "設定", "ガイダンス",
                                                "ジャンプ", "機能１"}));
    EXPECT_FALSE(ToolBars()[1].shownAtFirst);
    EXPECT_FALSE(ToolBars()[6].shownAtFirst);
    EXPECT_EQ(ToolBars()[7].side, DockSide::Right);
}

}  // namespace
}  // namespace qz
