// The help pages' key tables and menus, made from the dispatcher's tables
// and the scheme menus so that the pages say what the keys really do.
#include "frame/help_keys.h"

#include <algorithm>
#include <map>
#include <set>

#include "app/key_code.h"
#include "app/key_dispatch.h"
#include "frame/commands.h"
#include "frame/menus.h"

namespace qz {

namespace {

// A menu or command label as prose: without its mnemonic and dots.
std::string Plain(std::string label) {
    if (const size_t at = label.find("(&"); at != std::string::npos) {
        const size_t close = label.find(')', at);
        label.erase(at, close == std::string::npos ? std::string::npos : close - at + 1);
    }
    if (const size_t tab = label.find('\t'); tab != std::string::npos) label.erase(tab);
    // A mnemonic written in front ("&L 前回...") keeps its letter.
    for (size_t i = 0; i < label.size(); ++i)
        if (label[i] == '&') label.erase(i, 1);
    while (!label.empty() && (label.back() == '.' || label.back() == ' ')) label.pop_back();
    return label;
}

std::string CommandName(int id) {
    const CommandInfo* info = id ? FindCommand(id) : nullptr;
    return info ? Plain(info->label) : std::string();
}

// What the editing and motion keys do; they have no menu entry to name them.
const char* ViewActionName(ViewAction a) {
    using A = ViewAction;
    switch (a) {
    case A::Backspace: return "カーソルの前の文字を削除";
    case A::Cancel: return "取り消し（選択・モードの解除）";
    case A::Delete: return "カーソル位置の文字を削除";
    case A::DeleteToLineEnd: return "行末まで削除";
    case A::DeleteToRowStart: return "行頭まで削除";
    case A::DeleteWord: return "単語の削除";
    case A::RowEnd: return "行末へ移動";
    case A::HalfPageDown: return "半ページ下へスクロール";
    case A::HalfPageUp: return "半ページ上へスクロール";
    case A::CharLeft: return "１文字左へ";
    case A::CharRight: return "１文字右へ";
    case A::OpenLineAbove: return "上に空行を挿入";
    case A::OpenLineBelow: return "下に空行を挿入";
    case A::PageDown: return "次のページ";
    case A::PageUp: return "前のページ";
    case A::RowsDown: return "１行下へスクロール";
    case A::RowsUp: return "１行上へスクロール";
    case A::RowStart: return "行頭へ移動";
    case A::SelPageDown: return "選択しながら次のページ";
    case A::SelPageUp: return "選択しながら前のページ";
    case A::SelFileEnd: return "選択しながらファイルの最後へ";
    case A::SelFileTop: return "選択しながらファイルの先頭へ";
    case A::SelRowEnd: return "選択しながら行末へ";
    case A::SelRowStart: return "選択しながら行頭へ";
    case A::SelWordLeft: return "選択しながら前の単語へ";
    case A::SelWordRight: return "選択しながら次の単語へ";
    case A::TypeLineFeed: return "改行";
    case A::TypeTab: return "タブ";
    case A::UndeleteChar: return "削除した文字の復活";
    case A::WordLeft: return "前の単語へ";
    case A::WordLeftSkipping: return "前の単語へ（記号・空白を飛ばす）";
    case A::WordRight: return "次の単語へ";
    case A::WordRightSkipping: return "次の単語へ（記号・空白を飛ばす）";
    case A::SetPrefix: return "２ストロークキーの始まり";
    case A::ShellLineFeed: return "ＯＳウインドウでコマンド実行（他では下に空行を挿入）";
    case A::HelpEntry: return "登録されたヘルプで関数ガイダンス";
    case A::InsertTemplateKey: return "テンプレートの挿入（キー指定）";
    case A::RuleLine: return "罫線";
    case A::BracketJump: case A::CharCodeDisplay: case A::Copy: case A::Cut: case A::RadixConversion:
    case A::DeleteRow: case A::DrTagJump: case A::DuplicateRow: case A::FileEnd: case A::FunctionGuidance:
    case A::FunctionList: case A::JumpToLine: case A::LogRecord: case A::LogReplay: case A::MarkJumpDialog:
    case A::NextFunction: case A::NextWindow: case A::OnePointMark: case A::OpenFileAtCaret:
    case A::OpenAssociated: case A::Paste: case A::PreviousFunction: case A::PreviousWindow: case A::Print:
    case A::BoxCalculation: case A::RememberLine: case A::Replace: case A::ReturnToRememberedLine:
    case A::SearchDialog: case A::SearchNext: case A::SearchPrevious: case A::SearchWordAtCaret:
    case A::SelectAll: case A::StartSelection: case A::TemplateDialog: case A::ToggleCase:
    case A::ToggleInsert: case A::ToggleWidth: case A::FileTop: case A::UndeleteRow: case A::Undo:
    case A::WindowSelection: case A::AsciiTable:
        break;  // named by their command
    }
    return "";
}

std::string ViewFunction(ViewAction a, int argument) {
    const std::string name = CommandName(CommandOfViewAction(a, argument));
    return name.empty() ? ViewActionName(a) : name;
}

std::string TopMenuLabel(int scheme, ModifierState state, int index) {
    const std::vector<MenuItem> bar = SchemeMenu(scheme, state);
    return index >= 1 && index <= static_cast<int>(bar.size()) ? Plain(bar[index - 1].label) : std::string();
}

std::string FrameFunction(int scheme, FrameAction a, int argument) {
    using F = FrameAction;
    switch (a) {
    case F::MenuPopup: return "メニュー「" + TopMenuLabel(scheme, ModifierState::None, argument) + "」を開く";
    case F::ShiftMenuPopup: return "メニュー「" + TopMenuLabel(scheme, ModifierState::Shift, argument) + "」を開く";
    case F::MenuMnemonic: {
        const std::string mark = std::string("(&") + static_cast<char>(argument) + ")";
        for (const MenuItem& m : SchemeMenu(scheme, ModifierState::None))
            if (m.label.find(mark) != std::string::npos) return "メニュー「" + Plain(m.label) + "」を開く";
        return "";
    }
    case F::ScrollAllViews: return argument < 0 ? "全ウインドウを１行上へスクロール" : "全ウインドウを１行下へスクロール";
    case F::CycleTabMarks: return CommandName(cmdid::kTabMarks);
    default: return CommandName(CommandOfFrameAction(a, argument));
    }
}

// Key order of the tables: function keys first, then the named keys, the
// letters and digits; within a key plain, Shift, Ctrl, Ctrl+Shift, Alt.
int SortKey(int code) {
    const int n = code & kKeyNumberMask;
    const int group = n >= kKeyF1 && n <= KeyF(12) ? 0 : n >= kKeyUp ? 1 : n >= kKeyLetterA ? 2 : 3;
    const int mods = (code & kKeyAlt) ? 4 : ((code & kKeyCtrl) ? 2 : 0) + ((code & kKeyShift) ? 1 : 0);
    return (group << 20) | (n << 4) | mods;
}

std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

void MenuList(const std::vector<MenuItem>& items, int scheme, std::string& out) {
    out += "<ul>\n";
    for (const MenuItem& m : items) {
        if (m.IsSeparator()) continue;
        if (m.id == cmdid::kRecentFirst) {
            out += "<li>（最近使ったファイル）</li>\n";
            continue;
        }
        std::string text = Plain(m.label);
        const size_t tab = m.label.find('\t');
        const std::string key = m.IsPopup() ? "" : MenuText(m, scheme);
        if (const size_t t = key.find('\t'); t != std::string::npos) text += "　[" + key.substr(t + 1) + "]";
        else if (tab != std::string::npos) text += "　[" + m.label.substr(tab + 1) + "]";
        out += "<li>" + Escape(text);
        if (m.IsPopup()) MenuList(m.items, scheme, out);
        out += "</li>\n";
    }
    out += "</ul>\n";
}

}  // namespace

std::vector<KeyTableRow> SchemeKeyRows(int scheme) {
    std::vector<KeyTableRow> rows;
    if (scheme < 1 || scheme > kKeySchemes) return rows;
    // The frame sees a key before the view: its rows win.
    std::map<int, std::string> byKey;
    size_t n = 0;
    const FrameKeyRow* frame = FrameKeyTable(&n);
    for (size_t i = 0; i < n; ++i)
        for (uint16_t k : frame[i].keys[scheme - 1])
            if (k) byKey.emplace(k, FrameFunction(scheme, frame[i].action, frame[i].argument));
    const ViewKeyRow* view = ViewKeyTable(&n);
    for (size_t i = 0; i < n; ++i)
        for (uint16_t k : view[i].keys[scheme - 1])
            if (k) byKey.emplace(k, ViewFunction(view[i].action, view[i].argument));
    std::vector<std::pair<int, std::string>> sorted(byKey.begin(), byKey.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return SortKey(a.first) < SortKey(b.first); });
    for (const auto& [code, function] : sorted) rows.push_back({KeyName(code), function});
    // The ranges the dispatcher decides itself, the same in every scheme.
    rows.push_back({"Ctrl+1～Ctrl+9", ViewActionName(ViewAction::HelpEntry) + std::string("（１～９）")});
    rows.push_back({"Alt+0～Alt+9, Alt+A～Alt+Z", ViewActionName(ViewAction::InsertTemplateKey)});
    return rows;
}

std::string KeyTableHtml(int scheme) {
    std::string out = "<table class=\"keys\">\n<tr><th>キー</th><th>機能</th></tr>\n";
    for (const KeyTableRow& r : SchemeKeyRows(scheme))
        out += "<tr><td>" + Escape(r.key) + "</td><td>" + Escape(r.function) + "</td></tr>\n";
    return out + "</table>\n";
}

std::string MenuHtml(int scheme) {
    std::string out;
    MenuList(SchemeMenu(scheme, ModifierState::None), scheme, out);
    return out;
}

std::string ExpandHelpPage(const std::string& page) {
    std::string out;
    size_t at = 0;
    for (;;) {
        const size_t open = page.find("<!--@", at);
        const size_t close = open == std::string::npos ? open : page.find("-->", open);
        if (close == std::string::npos) break;
        const std::string marker = page.substr(open + 5, close - open - 5);
        std::string replacement = page.substr(open, close + 3 - open);
        if (marker.size() == 6 && marker.compare(0, 5, "keys ") == 0 && marker[5] >= '1' && marker[5] <= '4')
            replacement = KeyTableHtml(marker[5] - '0');
        else if (marker.size() == 6 && marker.compare(0, 5, "menu ") == 0 && marker[5] >= '1' && marker[5] <= '4')
            replacement = MenuHtml(marker[5] - '0');
        out += page.substr(at, open - at) + replacement;
        at = close + 3;
    }
    return out + page.substr(at);
}

}  // namespace qz
