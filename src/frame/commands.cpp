#include "frame/commands.h"

#include <algorithm>
#include <unordered_map>

#include "app/key_code.h"

namespace qz {

namespace {

using N = Needs;
namespace c = cmdid;

const std::vector<CommandInfo> kCommands = {
    // Files
    {c::kReopenLast, "前回編集したファイルを開く(&L)", "前回編集していたファイルを開く", "前回編集したファイルを開く", N::Nothing},
    {c::kNew, "新規作成(&N)", "新しいファイルを作成する", "新規ファイル作成", N::Nothing},
    {c::kOpen, "開く(&O)..", "既存のファイルを開く", "ファイルを開く", N::Nothing},
    {c::kClose, "閉じる(&C)", "作業中のファイルを閉じる", "ファイルを閉じる", N::Window},
    {c::kCloseWindow, "閉じる(&C)", "作業中のファイルを閉じる", "ファイルを閉じる", N::Window},
    {c::kSave, "上書き保存(&S)", "作業中のファイルを上書きして保存する", "上書き保存", N::Window},
    {c::kSaveAs, "名前を付けて保存(&A)...", "作業中のファイルに名前を付けて保存する", "名前を付けて保存", N::Window},
    {c::kRename, "ファイル名の変更(現行窓)", "作業中のファイルの名前と漢字コードを変更する", "ファイル名の変更", N::Window},
    {c::kReEdit, "再編集(現行ファイルのみ)", "作業中のファイルを読み直す", "再編集", N::Window},
    {c::kInsertFile, "別ファイルの読み込み", "カーソル位置に別のファイルを読み込む", "別ファイルの読み込み", N::Window},
    {c::kWriteOne, "書き込み(１ファイル)", "作業中のファイルを書き込む", "書き込み", N::Window},
    {c::kWriteChanged, "書き込み(全変更ファイル)", "変更のある全てのファイルを書き込む", "全変更ファイル書き込み", N::Window},
    {c::kSaveClose, "セーブ(現行ファイル)", "作業中のファイルを保存して閉じる", "セーブ", N::Window},
    {c::kSaveCloseAll, "セーブ(全変更ファイル)", "全てのファイルを保存して閉じる", "全ファイルセーブ", N::Window},
    {c::kQuit, "終了(現行ファイル)", "作業中のファイルを保存せずに閉じる", "終了", N::Nothing},
    {c::kCloseUnchanged, "終了(非変更ファイルのみ)", "変更のないファイルを全て閉じる", "非変更ファイル終了", N::Window},
    {c::kQuitAll, "終了(全ファイル)", "全てのファイルの編集を中止する", "全ファイル中止", N::Window},
    {c::kAppExit, "アプリケーション終了(&X)", "エディタを終了する", "アプリケーション終了", N::Nothing},
    {c::kEndResidence, "常駐を終了", "常駐をやめてエディタを終了する", "常駐を終了", N::Nothing},
    // Editing
    {c::kUndo, "元に戻す(&U)", "直前の操作を元に戻す", "ＵＮＤＯ", N::Window},
    {c::kRedo, "やり直し(&R)", "元に戻した操作をやり直す", "ＲＥＤＯ", N::Window},
    {c::kCut, "切り取り(&T)", "選択範囲を切り取ってクリップボードに移す", "切り取り", N::Window},
    {c::kCopy, "コピー(&C)", "選択範囲をクリップボードにコピーする", "コピー", N::Window},
    {c::kPaste, "貼り付け(&P)", "クリップボードの内容を挿入する", "張り付け", N::Window},
    {c::kSelectAll, "全て選択(&A)", "ファイル全体を選択する", "全て選択", N::Window},
    {c::kStartSelection, "範囲指定開始(&B)", "範囲指定を開始する", "範囲指定", N::Window},
    {c::kBoxCut, "矩形切り取り(&X)", "矩形範囲を切り取る", "矩形Ｃｕｔ", N::Window},
    {c::kBoxYank, "矩形複写(&Y)", "矩形範囲をコピーする", "矩形Ｙａｎｋ", N::Window},
    {c::kBoxPaste, "矩形貼り付け(&V)", "矩形を上書きで貼り付ける", "矩形貼り付け", N::Window},
    {c::kBoxInsert, "矩形挿入(&I)", "矩形を挿入する", "矩形挿入", N::Window},
    {c::kDuplicateRow, "行の複製(&D)", "カーソル行を複製する", "行複製", N::Window},
    {c::kDeleteRow, "行の削除", "カーソル行を削除する", "行削除", N::Window},
    {c::kUndeleteRow, "削除行の復活", "削除した行を元に戻す", "行復活", N::Window},
    {c::kToggleInsert, "挿入／上書き切り換え", "挿入モードと上書きモードを切り換える", "挿入／上書き", N::Window},
    {c::kToggleCase, "大文字／小文字切り換え", "カーソル位置の英字の大文字と小文字を切り換える", "大文字／小文字", N::Window},
    {c::kToggleWidth, "全角／半角切り換え", "カーソル位置の文字の全角と半角を切り換える", "全角／半角", N::Window},
    {c::kLowerCase, "大文字->小文字", "範囲内の英大文字を小文字にする", "大文字->小文字", N::Window},
    {c::kUpperCase, "小文字->大文字", "範囲内の英小文字を大文字にする", "小文字->大文字", N::Window},
    {c::kToFullWidth, "半角->全角", "範囲内の半角文字を全角にする", "半角->全角", N::Window},
    {c::kToHalfWidth, "全角->半角", "範囲内の全角文字を半角にする", "全角->半角", N::Window},
    {c::kToKatakana, "ひらがな->カタカナ", "範囲内のひらがなをカタカナにする", "ひらがな->カタカナ", N::Window},
    {c::kToHiragana, "カタカナ->ひらがな", "範囲内のカタカナをひらがなにする", "カタカナ->ひらがな", N::Window},
    {c::kIndent, "インデント", "範囲内の行をインデントする", "インデント", N::Window},
    {c::kUnindent, "逆インデント", "範囲内の行のインデントを戻す", "逆インデント", N::Window},
    {c::kTabsToSpaces, "タブ->空白", "範囲内のタブを空白にする", "タブ->空白", N::Window},
    {c::kSpacesToTabs, "空白->タブ", "範囲内の空白をタブにする", "空白->タブ", N::Window},
    {c::kTemplateDialog, "テンプレートの挿入(&M)...", "現在のカーソル位置にテンプレートを挿入します", "テンプレートの挿入", N::Window},
    {c::kOpenKeywordFile, "予約語ファイルを開く", "関連付けられている予約語ファイルを開く", "予約語ファイル", N::Window},
    {c::kOpenTemplateFile, "テンプレートファイルを開く", "関連付けられているテンプレートファイルを開く", "テンプレートファイル", N::Window},
    {c::kLogRecord, "ログの開始／終了(&K)", "キー操作の記憶を開始／終了する", "ログ記憶", N::Window},
    {c::kLogReplay, "ログの再現(&E)", "記憶したキー操作を再現する", "ログ再現", N::Window},
    {c::kLogRepeat, "ログの繰り返し実行(&G)...", "記憶したキー操作を繰り返し再現する", "ログの繰り返し実行", N::Window},
    // Search and jumps
    {c::kSearch, "検索(&F)...", "文字列を検索する", "検索", N::Window},
    {c::kSearchUpDialog, "上へ検索(&U)...", "文字列を上へ検索する", "上へ検索", N::Window},
    {c::kSearchNext, "下へ検索(&N)", "次の文字列を検索する", "下へ検索", N::Window},
    {c::kSearchPrevious, "上へ検索(&P)", "前の文字列を検索する", "上へ検索", N::Window},
    {c::kReplace, "置き換え(&R)...", "文字列を確認しながら置き換える", "置き換え", N::Window},
    {c::kReplaceAll, "一括置き換え(&A)...", "文字列を一括して置き換える", "一括置き換え", N::Window},
    {c::kSearchWord, "カーソル位置の単語を検索文字列に(&W)", "カーソル位置の単語を検索文字列にする", "単語検索", N::Window},
    {c::kGrep, "グローバルＧＲＥＰ(&G)...", "複数ファイルからの検索", "グローバルＧＲＥＰ", N::Nothing},
    {c::kJumpToLine, "指定行へジャンプ(&J)...", "指定した行へカーソルを移動する", "指定行へジャンプ", N::Window},
    {c::kFileTop, "先頭行へジャンプ(&T)", "ファイルの先頭へカーソルを移動する", "先頭行へジャンプ", N::Window},
    {c::kFileEnd, "最終行へジャンプ(&E)", "ファイルの最後へカーソルを移動する", "最終行へジャンプ", N::Window},
    {c::kLastEdit, "最終変更位置へジャンプ(&L)", "最後に変更した位置へカーソルを移動する", "最終変更位置へジャンプ", N::Window},
    {c::kBracketJump, "対応する括弧へジャンプ(&K)", "対応する括弧へカーソルを移動する", "括弧ジャンプ", N::Window},
    {c::kRememberLine, "行を記憶(&M)", "カーソル行を記憶する", "行記憶", N::Window},
    {c::kReturnToLine, "記憶した行へ戻る(&B)", "記憶した行へカーソルを移動する", "記憶行へ戻る", N::Window},
    {c::kNextFunction, "次の関数へジャンプ", "次の関数の先頭にカーソルを移動する", "次の関数へジャンプ", N::Window},
    {c::kPreviousFunction, "前の関数へジャンプ", "前の関数の先頭にカーソルを移動する", "前の関数へジャンプ", N::Window},
    {c::kFunctionList, "関数リスト(&I)...", "編集中のファイルに定義されている関数の一覧表を表示する", "関数リスト", N::Window},
    {c::kTagJump, "ＴＡＧＳジャンプ", "現在のカーソル位置に記述されたファイルを開く", "ＴＡＧＳ", N::Window},
    {c::kDefinitionJump, "DrTagジャンプ", "ＤｒＴａｇジャンプ", "DrTagジャンプ", N::Window},
    {c::kJumpBack, "DrTag戻る", "ＤｒＴａｇジャンプを一つ戻す", "DrTag戻る", N::Nothing},
    {c::kOnePointMark, "ワンポイントマーク", "現在カーソル行をマークします", "ワンポイントマーク", N::Window},
    {c::kOnePointJump, "ワンポイントマークジャンプ", "マークした場所に戻る", "ワンポイントマークジャンプ", N::Window},
    {c::kMarkJump, "マーク／ジャンプ(&Z)...", "現在カーソル位置のマーク／ジャンプ", "マーク／ジャンプ", N::Window},
    {c::kOpenAtCaret, "カーソル位置のファイルを開く", "カーソル位置に書かれたファイルを開く", "ファイルを開く", N::Window},
    {c::kOpenAssociated, "関連付けて開く", "関連付けられたアプリケーションから開く", "関連付けて開く", N::Window},
    // Windows
    {c::kNewWindow, "新しいウィンドウを開く(&N)", "作業中のファイルを別のウィンドウにも表示する", "新しいウィンドウ", N::Window},
    {c::kCascade, "重ねて表示(&C)", "ウィンドウを重ねて表示する", "画面を重ねて表示", N::Window},
    {c::kTile, "並べて表示(&T)", "ウィンドウを並べて表示する", "画面を並べて表示", N::Window},
    {c::kSplitRows, "画面を２分割（上下）(&H)", "作業中のウィンドウを上下に分割する", "画面を２分割（上下）", N::Window},
    {c::kSplitColumns, "画面を２分割（左右）(&V)", "作業中のウィンドウを左右に分割する", "画面を２分割（左右）", N::Window},
    {c::kWindowList, "ファイルリスト(&L)...", "編集中のWindow一覧を表示する", "ファイルリスト", N::Nothing},
    {c::kWindowSelection, "ウィンドウ選択(&S)", "ウィンドウを選択する", "ウィンドウ選択", N::Window},
    {c::kNextWindow, "次のウィンドウ", "次のウィンドウへ切り換える", "次のウィンドウ", N::Window},
    {c::kPreviousWindow, "前のウィンドウ", "前のウィンドウへ切り換える", "前のウィンドウ", N::Window},
    {c::kMaximizeRestore, "最大化／元のサイズ", "ウィンドウを最大化する／元に戻す", "最大化", N::Nothing},
    {c::kRepaintAll, "再表示(&D)", "全てのウィンドウを描き直す", "再表示", N::Nothing},
    {c::kToggleToolBars, "ツールバー(&B)", "ツールバーの表示／非表示", "ツールバー", N::Nothing},
    {c::kToggleStatusBar, "ステータスバー(&U)", "ステータスバーの表示／非表示", "ステータスバー", N::Nothing},
    {c::kToggleDialogBar, "ウィンドウタブ(&W)", "ウィンドウタブの表示／非表示", "ウィンドウタブ", N::Nothing},
    {c::kTogglePfKeyBar, "ファンクションキー(&P)", "ファンクションキーバーの表示／非表示", "ファンクションキー", N::Nothing},
    // Display toggles
    {c::kTabMarks, "タブ・改行マーク切り換え", "タブと改行のマークの表示を切り換える", "タブ切り換え", N::Window},
    {c::kRightWrap, "右端で折り返す", "ウィンドウの右端で折り返す／折り返さない", "右端で折り返す", N::Window},
    {c::kEditProhibit, "編集禁止", "作業中のファイルの編集禁止を切り換える", "編集禁止", N::Window},
    {c::kLineNumbers, "行番号表示", "行番号の表示を切り換える", "行番号表示", N::Window},
    // Tools
    {c::kAsciiTable, "アスキーコード表(&A)...", "ＡＳＣＩＩコード表を表示する", "アスキーリスト", N::Nothing},
    {c::kKanjiTable, "漢字コード表(&K)...", "ＳＨＩＦＴ－ＪＩＳ漢字コード表を表示する", "漢字リスト", N::Nothing},
    {c::kQztags, "ＱＺＴＡＧＳ起動(&Q)...", "ＴＡＧＳファイルの生成", "ＱＺＴＡＧＳ起動", N::Nothing},
    {c::kUserTool, "外部プログラム起動(&O)...", "外部プログラムの起動", "外部プログラム起動", N::Nothing},
    {c::kCalculator, "電卓起動(&C)", "電卓ソフトを起動します", "電卓起動", N::Nothing},
    {c::kBrowser1, "ブラウザ１起動", "ブラウザ１で作業中のファイルを開く", "Internet Explorer起動", N::Nothing},
    {c::kBrowser2, "ブラウザ２起動", "ブラウザ２で作業中のファイルを開く", "Netscape起動", N::Nothing},
    {c::kShell, "シェル起動(&S)", "シェルを起動する", "シェル起動", N::Nothing},
    {c::kOsWindow, "ＤＯＳ窓(&D)", "ＤＯＳコマンド実行可能なウィンドウを開く", "ＤＯＳ窓", N::Nothing},
    {c::kBoxCalculation, "矩形計算", "指定された矩形範囲を計算する", "計算", N::Window},
    {c::kRadix, "１０／１６進変換", "１０進／１６進数の変換", "１０／１６進変換", N::Window},
    {c::kCodeDisplay, "文字コード表示", "カーソル位置の文字のコードを表示します", "文字コード", N::Window},
    {c::kPrint, "印刷(&P)...", "作業中の文書を印刷又はプレビュー", "印刷（プレビュー）", N::Window},
    {c::kPreview, "プレビュー(&V)", "ﾍﾟｰｼﾞ全体を表示して印刷前に確認", "プレビュー", N::Window},
    {c::kPrintLayout, "レイアウト設定...", "印刷／プレビュー時のレイアウト設定", "レイアウト", N::Nothing},
    {c::kSettings, "環境設定(&E)...", "エディタの環境を設定する", "環境設定", N::Nothing},
    {c::kGuidance, "関数ガイダンス(&G)", "指定された関数のガイダンスを開く", "", N::Window},
    {c::kHelpButton1 + 0, "ヘルプ１", "登録されたヘルプ１を開く", "", N::Window},
    {c::kHelpButton1 + 1, "ヘルプ２", "登録されたヘルプ２を開く", "", N::Window},
    {c::kHelpButton1 + 2, "ヘルプ３", "登録されたヘルプ３を開く", "", N::Window},
    {c::kHelpButton1 + 3, "ヘルプ４", "登録されたヘルプ４を開く", "", N::Window},
    {c::kHelpButton1 + 4, "ヘルプ５", "登録されたヘルプ５を開く", "", N::Window},
    {c::kHelpIndex, "目次(&H)", "ヘルプの目次を開く", "ヘルプ", N::Nothing},
    {c::kAbout, "版数／ユーザ登録(&A)...", "プログラムの版数を表示する", "版数／ユーザ登録", N::Nothing},
};

}  // namespace

const std::vector<CommandInfo>& CommandTable() { return kCommands; }

const CommandInfo* FindCommand(int id) {
    static const std::unordered_map<int, const CommandInfo*> index = [] {
        std::unordered_map<int, const CommandInfo*> m;
        for (const CommandInfo& c : kCommands) m.emplace(c.id, &c);
        return m;
    }();
    const auto it = index.find(id);
    return it == index.end() ? nullptr : it->second;
}

int CommandOfViewAction(ViewAction action, int argument) {
    using A = ViewAction;
    switch (action) {
    case A::BracketJump: return c::kBracketJump;
    case A::CharCodeDisplay: return c::kCodeDisplay;
    case A::Copy: return c::kCopy;
    case A::Cut: return c::kCut;
    case A::RadixConversion: return c::kRadix;
    case A::DeleteRow: return c::kDeleteRow;
    case A::DrTagJump: return c::kDefinitionJump;
    case A::DuplicateRow: return c::kDuplicateRow;
    case A::FileEnd: return c::kFileEnd;
    case A::FunctionGuidance: return c::kGuidance;
    case A::FunctionList: return c::kFunctionList;
    case A::HelpEntry: return argument >= 1 && argument <= 5 ? c::kHelpButton1 + argument - 1 : 0;
    case A::JumpToLine: return c::kJumpToLine;
    case A::LogRecord: return c::kLogRecord;
    case A::LogReplay: return c::kLogReplay;
    case A::MarkJumpDialog: return c::kMarkJump;
    case A::NextFunction: return c::kNextFunction;
    case A::NextWindow: return c::kNextWindow;
    case A::OnePointMark: return c::kOnePointMark;
    case A::OpenFileAtCaret: return c::kOpenAtCaret;
    case A::OpenAssociated: return c::kOpenAssociated;
    case A::Paste: return c::kPaste;
    case A::PreviousFunction: return c::kPreviousFunction;
    case A::PreviousWindow: return c::kPreviousWindow;
    case A::Print: return c::kPrint;
    case A::BoxCalculation: return c::kBoxCalculation;
    case A::RememberLine: return c::kRememberLine;
    case A::Replace: return c::kReplace;
    case A::ReturnToRememberedLine: return c::kReturnToLine;
    case A::SearchDialog: return c::kSearch;
    case A::SearchNext: return c::kSearchNext;
    case A::SearchPrevious: return c::kSearchPrevious;
    case A::SearchWordAtCaret: return c::kSearchWord;
    case A::SelectAll: return c::kSelectAll;
    case A::StartSelection: return c::kStartSelection;
    case A::TemplateDialog: return c::kTemplateDialog;
    case A::ToggleCase: return c::kToggleCase;
    case A::ToggleInsert: return c::kToggleInsert;
    case A::ToggleWidth: return c::kToggleWidth;
    case A::FileTop: return c::kFileTop;
    case A::UndeleteRow: return c::kUndeleteRow;
    case A::Undo: return c::kUndo;
    case A::WindowSelection: return c::kWindowSelection;
    case A::AsciiTable: return c::kAsciiTable;
    default: return 0;
    }
}

int CommandOfFrameAction(FrameAction action, int argument) {
    using F = FrameAction;
    switch (action) {
    case F::SettingsSheet: return c::kSettings;
    case F::UserTool: return c::kUserTool;
    case F::MaximizeRestore: return c::kMaximizeRestore;
    case F::NewWindow: return c::kNewWindow;
    case F::StartCalculator: return c::kCalculator;
    case F::WindowList: return c::kWindowList;
    case F::CycleTabMarks: return c::kTabMarks;
    case F::Browser: return argument == 2 ? c::kBrowser2 : c::kBrowser1;
    case F::SplitRows: return c::kSplitRows;
    case F::HelpIndex: return c::kHelpIndex;
    case F::FileNew: return c::kNew;
    case F::FileOpen: return c::kOpen;
    case F::FileSave: return c::kSave;
    case F::ToggleLineNumbers: return c::kLineNumbers;
    default: return 0;  // menu popups, mnemonics and scrolling have no command
    }
}

std::string KeyName(int code) {
    std::string out;
    if (code & kKeyCtrl) out += "Ctrl+";
    if (code & kKeyShift) out += "Shift+";
    if (code & kKeyAlt) out += "Alt+";
    const int n = code & kKeyNumberMask;
    if (n <= KeyDigit(9)) return out + char('0' + n);
    if (n >= kKeyLetterA && n <= KeyLetter('Z')) return out + char('A' + n - kKeyLetterA);
    if (n >= kKeyF1 && n <= KeyF(12)) return out + "F" + std::to_string(n - kKeyF1 + 1);
    switch (n) {
    case kKeyUp: return out + "↑";
    case kKeyDown: return out + "↓";
    case kKeyLeft: return out + "←";
    case kKeyRight: return out + "→";
    case kKeyBackspace: return out + "BS";
    case kKeyDelete: return out + "DEL";
    case kKeyEsc: return out + "ESC";
    case kKeyInsert: return out + "INS";
    case kKeyEnd: return out + "END";
    case kKeyHome: return out + "HOME";
    case kKeyPageDown: return out + "PgDn";
    case kKeyPageUp: return out + "PgUp";
    case kKeyEnter: return out + "RTN";
    case kKeyPause: return out + "PAUSE";
    case kKeySpace: return out + "SPACE";
    default: return out + "?";
    }
}

namespace {

// Scheme 3's Ctrl+Q pairs that reach commands with a menu entry.
struct PrefixHint {
    int id;
    const char* second;
};
constexpr PrefixHint kPrefixHints[] = {
    {c::kFileTop, "R"},        {c::kFileEnd, "C"},       {c::kLastEdit, "J"}, {c::kSearch, "F"},
    {c::kSearchUpDialog, "B"}, {c::kUndo, "U"},          {c::kBracketJump, "["},
    {c::kJumpToLine, "0～9"},  {c::kAsciiTable, "."},    {c::kCodeDisplay, "@"},
};

std::string TableKey(int id, int scheme) {
    size_t n = 0;
    const FrameKeyRow* frame = FrameKeyTable(&n);
    for (size_t i = 0; i < n; ++i)
        if (uint16_t k = frame[i].keys[scheme - 1][0]; k && CommandOfFrameAction(frame[i].action, frame[i].argument) == id)
            return KeyName(k);
    const ViewKeyRow* view = ViewKeyTable(&n);
    for (size_t i = 0; i < n; ++i)
        if (uint16_t k = view[i].keys[scheme - 1][0]; k && CommandOfViewAction(view[i].action, view[i].argument) == id)
            return KeyName(k);
    return {};
}

}  // namespace

std::string KeyHint(int id, int scheme) {
    if (scheme < 1 || scheme > kKeySchemes) return {};
    // The ranges the dispatcher decides: help entries on Ctrl+1-9.
    if (id >= c::kHelpButton1 && id < c::kHelpButton1 + 5) return "Ctrl+" + std::to_string(id - c::kHelpButton1 + 1);
    if (id == c::kGuidance && scheme != 2) return "Ctrl+0～9";
    std::string key = TableKey(id, scheme);
    if (!key.empty()) return key;
    if (scheme == 3)
        for (const PrefixHint& p : kPrefixHints)
            if (p.id == id) return std::string("Ctrl+Q・") + p.second;
    return {};
}

namespace {

// Tips whose hint is not simply the first key of the tables: the tab-mark
// and function-list buttons carry no hint, cut names its Ctrl chord in the
// combined scheme, and scheme 3's search button names its F5.
struct TipHint {
    int id;
    int scheme;  // 0: every scheme
    const char* hint;
};
constexpr TipHint kTipHints[] = {
    {c::kFunctionList, 0, ""}, {c::kTabMarks, 0, ""}, {c::kCut, 4, "Ctrl+X"}, {c::kSearch, 3, "F5"},
};

}  // namespace

std::string ToolTip(int id, int scheme, const std::string& helpTitle) {
    const CommandInfo* info = FindCommand(id);
    if (!info) return {};
    std::string hint = KeyHint(id, scheme);
    for (const TipHint& t : kTipHints)
        if (t.id == id && (t.scheme == 0 || t.scheme == scheme)) hint = t.hint;
    std::string tip = helpTitle + info->tip;
    return hint.empty() ? tip : tip + "(" + hint + ")";
}

}  // namespace qz
