#include "frame/menus.h"

#include "app/key_code.h"
#include "frame/commands.h"
#include "platform/cp932.h"

namespace qz {

namespace {

namespace c = cmdid;

MenuItem Sep() { return {}; }
// An entry with the command's own label.
MenuItem Cmd(int id) {
    const CommandInfo* info = FindCommand(id);
    return {info ? info->label : "", id, 0, {}};
}
// An entry of the function-key popups: its letter, then the command.
MenuItem Kom(char letter, int id) {
    const CommandInfo* info = FindCommand(id);
    std::string label = info ? info->label : "";
    // The popups show the letter first; the command's own mnemonic goes.
    if (const size_t at = label.find("(&"); at != std::string::npos && label.find(')', at) != std::string::npos)
        label.erase(at, label.find(')', at) - at + 1);
    return {std::string("&") + letter + " " + label, id, 0, {}};
}
MenuItem Popup(const std::string& label, std::vector<MenuItem> items) { return {label, 0, 0, std::move(items)}; }
MenuItem Recent() { return {"最新のファイル", c::kRecentFirst, 0, {}}; }

std::vector<MenuItem> BlockConversions() {
    return {Cmd(c::kLowerCase), Cmd(c::kUpperCase), Cmd(c::kToFullWidth), Cmd(c::kToHalfWidth),
            Cmd(c::kToKatakana), Cmd(c::kToHiragana), Sep(), Cmd(c::kIndent), Cmd(c::kUnindent),
            Cmd(c::kTabsToSpaces), Cmd(c::kSpacesToTabs)};
}

std::vector<MenuItem> DisplayItems() {
    return {Cmd(c::kToggleToolBars), Cmd(c::kTogglePfKeyBar), Cmd(c::kToggleDialogBar), Cmd(c::kToggleStatusBar),
            Sep(), Cmd(c::kTabMarks), Cmd(c::kRightWrap), Cmd(c::kLineNumbers), Sep(), Cmd(c::kRepaintAll)};
}

// The function-key popups of the KOM-like schemes.
std::vector<MenuItem> FileItems() {
    return {Kom('L', c::kReopenLast), Kom('N', c::kNew), Kom('O', c::kOpen), Kom('C', c::kClose), Sep(),
            Kom('S', c::kSave), Kom('A', c::kSaveAs), Kom('R', c::kRename), Kom('E', c::kReEdit),
            Kom('I', c::kInsertFile), Sep(), Kom('W', c::kWriteOne), Kom('X', c::kWriteChanged),
            Kom('V', c::kSaveClose), Kom('Y', c::kSaveCloseAll), Kom('Q', c::kQuit), Kom('U', c::kCloseUnchanged),
            Kom('Z', c::kQuitAll), Sep(), Recent(), Sep(), Kom('P', c::kPrint), Kom('B', c::kPreview), Kom('T', c::kPrintLayout), Sep(),
            Kom('K', c::kAppExit)};
}

std::vector<MenuItem> EditItems() {
    return {Kom('U', c::kUndo), Kom('R', c::kRedo), Sep(), Kom('T', c::kCut), Kom('C', c::kCopy),
            Kom('P', c::kPaste), Kom('A', c::kSelectAll), Kom('B', c::kStartSelection), Sep(),
            Kom('X', c::kBoxCut), Kom('Y', c::kBoxYank), Kom('V', c::kBoxPaste), Kom('I', c::kBoxInsert), Sep(),
            Kom('D', c::kDuplicateRow), Kom('G', c::kDeleteRow), Kom('F', c::kUndeleteRow), Sep(),
            Kom('K', c::kLogRecord), Kom('E', c::kLogReplay), Kom('L', c::kLogRepeat), Sep(),
            Popup("&H ブロック変換", BlockConversions()), Kom('M', c::kTemplateDialog), Sep(),
            Kom('O', c::kToggleInsert), Kom('J', c::kToggleCase), Kom('W', c::kToggleWidth),
            Kom('Z', c::kEditProhibit)};
}

std::vector<MenuItem> SearchItems() {
    return {Kom('F', c::kSearch), Kom('N', c::kSearchNext), Kom('P', c::kSearchPrevious), Kom('R', c::kReplace),
            Kom('A', c::kReplaceAll), Kom('W', c::kSearchWord), Kom('G', c::kGrep), Sep(),
            Kom('J', c::kJumpToLine), Kom('T', c::kFileTop), Kom('E', c::kFileEnd), Kom('L', c::kLastEdit),
            Kom('K', c::kBracketJump), Kom('M', c::kRememberLine), Kom('B', c::kReturnToLine)};
}

std::vector<MenuItem> JumpItems() {
    return {Kom('I', c::kFunctionList), Kom('N', c::kNextFunction), Kom('P', c::kPreviousFunction), Sep(),
            Kom('S', c::kTagJump), Kom('D', c::kDefinitionJump), Kom('Z', c::kJumpBack),
            Kom('C', c::kOpenAtCaret), Kom('A', c::kOpenAssociated), Sep(), Kom('O', c::kOnePointMark), Kom('Q', c::kOnePointJump),
            Kom('X', c::kMarkJump)};
}

std::vector<MenuItem> WindowItems() {
    return {Kom('N', c::kNewWindow), Kom('C', c::kCascade), Kom('T', c::kTile), Kom('H', c::kSplitRows),
            Kom('V', c::kSplitColumns), Kom('L', c::kWindowList), Kom('S', c::kWindowSelection),
            Kom('X', c::kNextWindow), Kom('P', c::kPreviousWindow), Sep(),
            Popup("&D 表示", DisplayItems())};
}

std::vector<MenuItem> ToolItems() {
    return {Kom('A', c::kAsciiTable), Kom('K', c::kKanjiTable), Sep(), Kom('Q', c::kQztags),
            Kom('O', c::kUserTool), Kom('C', c::kCalculator), Kom('B', c::kBrowser1), Kom('N', c::kBrowser2),
            Kom('S', c::kShell), Kom('D', c::kOsWindow), Sep(), Kom('R', c::kBoxCalculation),
            Kom('X', c::kRadix), Kom('@', c::kCodeDisplay)};
}

std::vector<MenuItem> SettingItems() {
    return {Kom('E', c::kSettings), Kom('Y', c::kOpenKeywordFile), Kom('M', c::kOpenTemplateFile), Sep(),
            Kom('G', c::kGuidance), Kom('H', c::kHelpIndex), Kom('A', c::kAbout)};
}

template <class... Lists> std::vector<MenuItem> Join(Lists... lists) {
    std::vector<MenuItem> out;
    bool first = true;
    for (auto& l : {lists...}) {
        if (!first) out.push_back(Sep());
        first = false;
        out.insert(out.end(), l.begin(), l.end());
    }
    return out;
}

// The row of a modifier state: one item per non-blank function-key label,
// each sending its key with the modifier.
std::vector<MenuItem> KeyRow(int scheme, ModifierState state, int from = 0) {
    std::vector<MenuItem> row;
    const PfLabels& labels = PfKeyLabels(scheme, state);
    const int mod = state == ModifierState::Shift ? kKeyShift : state == ModifierState::Ctrl ? kKeyCtrl : 0;
    for (int i = from; i < kPfKeys; ++i) {
        if (std::string(labels[i]).find_first_not_of(' ') == std::string::npos) continue;
        row.push_back({FunctionKeyItemLabel(i, labels[i]), 0, KeyF(i + 1) | mod, {}});
    }
    return row;
}

std::vector<MenuItem> SearchItemsConventional() {
    return {Cmd(c::kSearch), Cmd(c::kSearchNext), Cmd(c::kSearchPrevious), Cmd(c::kReplace), Cmd(c::kReplaceAll),
            Cmd(c::kSearchWord), Cmd(c::kGrep), Sep(), Cmd(c::kJumpToLine), Cmd(c::kFileTop), Cmd(c::kFileEnd),
            Cmd(c::kLastEdit), Cmd(c::kBracketJump), Cmd(c::kRememberLine), Cmd(c::kReturnToLine)};
}

std::vector<MenuItem> JumpItemsConventional() {
    return {Cmd(c::kFunctionList), Cmd(c::kNextFunction), Cmd(c::kPreviousFunction), Sep(), Cmd(c::kTagJump),
            Cmd(c::kDefinitionJump), Cmd(c::kJumpBack), Cmd(c::kOpenAtCaret), Cmd(c::kOpenAssociated), Sep(),
            Cmd(c::kOnePointMark), Cmd(c::kOnePointJump), Cmd(c::kMarkJump)};
}

// The conventional menu of the SLATE-like scheme.
std::vector<MenuItem> ConventionalMenu() {
    return {
        Popup("ファイル(&F)", {Cmd(c::kNew), Cmd(c::kOpen), Cmd(c::kReopenLast), Cmd(c::kClose), Sep(), Cmd(c::kSave),
                              Cmd(c::kSaveAs), Cmd(c::kRename), Cmd(c::kReEdit), Cmd(c::kInsertFile), Sep(),
                              Cmd(c::kWriteOne), Cmd(c::kWriteChanged), Cmd(c::kSaveClose), Cmd(c::kSaveCloseAll),
                              Cmd(c::kQuit), Cmd(c::kCloseUnchanged), Cmd(c::kQuitAll), Sep(), Cmd(c::kPrint),
                              Cmd(c::kPreview), Cmd(c::kPrintLayout), Sep(), Recent(), Sep(), Cmd(c::kAppExit)}),
        Popup("編集(&E)", {Cmd(c::kUndo), Cmd(c::kRedo), Sep(), Cmd(c::kCut), Cmd(c::kCopy), Cmd(c::kPaste),
                          Cmd(c::kSelectAll), Cmd(c::kStartSelection), Sep(), Cmd(c::kBoxCut), Cmd(c::kBoxYank),
                          Cmd(c::kBoxPaste), Cmd(c::kBoxInsert), Sep(), Cmd(c::kDuplicateRow), Cmd(c::kDeleteRow),
                          Cmd(c::kUndeleteRow), Sep(), Popup("ブロック変換(&H)", BlockConversions()),
                          Cmd(c::kTemplateDialog), Sep(), Cmd(c::kLogRecord), Cmd(c::kLogReplay),
                          Cmd(c::kLogRepeat), Sep(),
                          Cmd(c::kToggleInsert), Cmd(c::kToggleCase), Cmd(c::kToggleWidth), Cmd(c::kEditProhibit)}),
        Popup("検索(&S)", Join(SearchItemsConventional(), JumpItemsConventional())),
        Popup("表示(&V)", DisplayItems()),
        Popup("ツール", {Cmd(c::kAsciiTable), Cmd(c::kKanjiTable), Sep(), Cmd(c::kQztags), Cmd(c::kUserTool),
                        Cmd(c::kCalculator), Cmd(c::kBrowser1), Cmd(c::kBrowser2), Cmd(c::kShell), Cmd(c::kOsWindow),
                        Sep(), Cmd(c::kBoxCalculation), Cmd(c::kRadix), Cmd(c::kCodeDisplay), Sep(),
                        Cmd(c::kOpenKeywordFile), Cmd(c::kOpenTemplateFile), Cmd(c::kSettings)}),
        Popup("ウィンドウ(&W)", {Cmd(c::kNewWindow), Cmd(c::kCascade), Cmd(c::kTile), Cmd(c::kSplitRows),
                                Cmd(c::kSplitColumns), Sep(), Cmd(c::kWindowList), Cmd(c::kWindowSelection),
                                Cmd(c::kNextWindow), Cmd(c::kPreviousWindow)}),
        Popup("ヘルプ(&H)", {Cmd(c::kGuidance), Cmd(c::kHelpIndex), Sep(), Cmd(c::kAbout)}),
    };
}

}  // namespace

bool SwapsMenus(int scheme) { return scheme != 2; }

std::string FunctionKeyItemLabel(int index, const char* label) {
    std::string out = "F" + std::to_string(index == 9 ? 0 : index + 1) + ":" + label;
    // Padded to nine cells, as the rows were laid out for a fixed-pitch menu.
    const int cells = static_cast<int>(Utf8ToSjis(label).size());  // one cell per byte
    for (int i = cells; i < 9; ++i) out += ' ';
    return out;
}

std::vector<MenuItem> SchemeMenu(int scheme, ModifierState state) {
    if (scheme == 2) return ConventionalMenu();
    if (scheme == 3) {
        if (state == ModifierState::Shift) {
            std::vector<MenuItem> bar = {Popup("F1:MENU4 ", Join(WindowItems())), Popup("F2:MENU5 ", ToolItems()),
                                         Popup("F3:MENU6 ", SettingItems())};
            for (MenuItem& m : KeyRow(3, state, 3)) bar.push_back(std::move(m));
            return bar;
        }
        if (state == ModifierState::Ctrl) return KeyRow(3, state);
        return {Popup("F1:MENU1 ", FileItems()), Popup("F2:MENU2 ", EditItems()),
                Popup("F3:MENU3 ", Join(SearchItems(), JumpItems()))};
    }
    if (state != ModifierState::None) return KeyRow(scheme, state);
    return {Popup("F1:MENU1 ", FileItems()), Popup("F2:MENU2 ", EditItems()),
            Popup("F3:MENU3 ", Join(SearchItems(), JumpItems())),
            Popup("F4:MENU4 ", Join(WindowItems(), ToolItems(), SettingItems()))};
}

std::vector<MenuItem> ContextMenu() {
    return {{"前回編集したファイルを開く", c::kReopenLast, 0, {}},
            {"新規作成", c::kNew, 0, {}},
            {"開く", c::kOpen, 0, {}},
            {"閉じる", c::kClose, 0, {}},
            {"上書き保存", c::kSave, 0, {}},
            {"名前を付けて保存", c::kSaveAs, 0, {}},
            Sep(),
            Recent(),
            Sep(),
            {"アプリケーション終了", c::kAppExit, 0, {}}};
}

std::vector<MenuItem> ViewContextMenu() {
    std::vector<MenuItem> menu = ContextMenu();
    menu.push_back(Sep());
    menu.push_back(Popup("変換", BlockConversions()));
    return menu;
}

std::vector<MenuItem> TrayMenu() {
    return {{"前回編集したファイルを開く", c::kReopenLast, 0, {}},
            {"新規作成", c::kNew, 0, {}},
            {"開く", c::kOpen, 0, {}},
            Sep(),
            Recent(),
            Sep(),
            {"常駐を終了", c::kEndResidence, 0, {}}};
}

std::string MenuText(const MenuItem& item, int scheme) {
    if (item.id == 0) return item.label;
    const std::string hint = KeyHint(item.id, scheme);
    return hint.empty() ? item.label : item.label + "\t" + hint;
}

}  // namespace qz
