// The settings sheet's controls as data: one row per control with its page,
// number, setting, kind and limits, in the order the pages lay them out.
#include "settings/env_sheet_model.h"

namespace qz {

namespace {

Binding Check(int page, int id, const char* setting, const char* label, const char* group = "") {
    return {page, id, setting, Bind::Check, 0, 0, label, group};
}
Binding Radio(int page, int id, const char* setting, int value, const char* label, const char* group) {
    return {page, id, setting, Bind::Radio, value, 0, label, group};
}
Binding Number(int page, int id, const char* setting, int least, int most, const char* label,
               const char* group = "") {
    return {page, id, setting, Bind::Number, least, most, label, group};
}
Binding Text(int page, int id, const char* setting, const char* label, const char* group = "") {
    return {page, id, setting, Bind::Text, 0, 0, label, group};
}
Binding Colour(int id, const char* setting, const char* label, const char* group) {
    return {kPageDisplay, id, setting, Bind::Colour, 0, 0, label, group};
}
Binding CommentBit(int id, int bit, const char* label) {
    return {kPageDisplay, id, "Comment", Bind::Bit, bit, 0, label, "コメントコード"};
}

constexpr int E = kPageEdit, F = kPageFile, O1 = kPageOther1, O2 = kPageOther2;

// Limits the dialogs do not print are this sheet's own: spacing up to 32
// dots, a page of up to 9999 rows, a temporary save at most once a day or
// after up to 999999 changes.
std::vector<Binding> MakeBindings() {
    return {
        // ---- page 1 "編集機能"
        Check(E, kEfectControl, "Efect", "この環境を有効にする"),
        Text(E, 107, "FileExt", "拡張子（ｶﾝﾏ区切り）", "ファイル"),
        {E, 334, "Yoyakugo", Bind::FileList, 0, 0, "予約語テーブル名", "ファイル", "*.TBL"},
        {E, 335, "Template", Bind::FileList, 0, 0, "テンプレートテーブル名", "ファイル", "*.KEY"},
        Text(E, 438, "TagsFile1", "TAGS1 ファイル名", "ファイル"),
        Text(E, 439, "TagsFile2", "TAGS2 ファイル名", "ファイル"),
        Text(E, 440, "TagsFile3", "TAGS3 ファイル名", "ファイル"),
        Number(E, 121, "Columns", 20, 240, "テキスト表示幅（20-240）", "テキスト"),
        Check(E, 318, "RightTurn", "右端で折り返す", "テキスト"),
        Number(E, 145, "Undo", 1, 1024, "ＵＮＤＯバッファ（1-1024）Kbyte", "テキスト"),
        Number(E, 146, "WidthLine", 0, 32, "行間隔（ドット）", "テキスト"),
        Number(E, 147, "WidthColumn", 0, 32, "文字間隔（ドット）", "テキスト"),
        Number(E, 148, "Tabs", 1, 16, "タブ数（1-16）", "テキスト"),
        Check(E, 321, "TabSp", "タブ入力を空白に置き換える", "テキスト"),
        Radio(E, 267, "LineType", 1, "エディタ風", "行番号の数え方"),
        Radio(E, 268, "LineType", 2, "ワープロ風", "行番号の数え方"),
        Radio(E, 269, "LineType", 3, "ページ管理", "行番号の数え方"),
        Number(E, 270, "PageCount", 1, 9999, "１ページの行数", "行番号の数え方"),
        Radio(E, 447, "HLineType", 0, "無し", "カーソル行の横線"),
        Radio(E, 442, "HLineType", 1, "点線", "カーソル行の横線"),
        Radio(E, 443, "HLineType", 2, "実線", "カーソル行の横線"),
        Radio(E, 450, "VLineType", 0, "無し", "カーソル桁の縦線"),
        Radio(E, 448, "VLineType", 1, "点線", "カーソル桁の縦線"),
        Radio(E, 449, "VLineType", 2, "実線", "カーソル桁の縦線"),
        Radio(E, 315, "ScrollCount", 2, "２行づつ", "スクロール"),
        Radio(E, 316, "ScrollCount", 3, "３行づつ", "スクロール"),
        Radio(E, 317, "ScrollCount", 4, "４行づつ", "スクロール"),
        Radio(E, 106, "Indent", 1, "オートインデント有り", "インデント"),
        Radio(E, 105, "Indent", 0, "オートインデント無し", "インデント"),
        Radio(E, 122, "TabCr", 0, "タブ／改行表示無し", "タブ／改行"),
        Radio(E, 123, "TabCr", 1, "改行表示有り", "タブ／改行"),
        Radio(E, 124, "TabCr", 2, "タブ／改行表示有り", "タブ／改行"),
        Radio(E, 272, "SpaceDisp", 1, "全角スペース表示有り", "全角スペース"),
        Radio(E, 273, "SpaceDisp", 0, "全角スペース表示無し", "全角スペース"),
        Radio(E, 265, "LineDisp", 1, "行番号表示有り", "行番号"),
        Radio(E, 266, "LineDisp", 0, "行番号表示無し", "行番号"),
        Radio(E, 271, "ClickableURL", 1, "クリッカブルＵＲＬ有効", "ＵＲＬ"),
        Radio(E, 274, "ClickableURL", 0, "クリッカブルＵＲＬ無効", "ＵＲＬ"),
        {E, 301, "FileTitle", Bind::Title, 0, 0, "ﾀｲﾄﾙ編集"},

        // ---- page 2 "画面表示": the colour lists carry no number in the
        // dialog; 501 on are the sheet's own.
        Colour(501, "Text_Col", "テキスト色", "通常時"),
        Colour(502, "Back_Col", "背景色", "通常時"),
        Colour(503, "SelTxt_Col", "テキスト色", "選択時"),
        Colour(504, "SelBak_Col", "背景色", "選択時"),
        Colour(505, "Csr_Col", "カーソル行 表示色", "表示色"),
        Colour(506, "CsrLine_Col", "カーソルライン色", "表示色"),
        Colour(507, "Cr_Col", "ＣＲ表示色", "表示色"),
        Colour(508, "Tab_Col", "ＴＡＢ表示色", "表示色"),
        Colour(509, "Com_Col", "コメント表示色", "表示色"),
        Colour(510, "UsrFunc_Col1", "予約語表示色(COL-0)", "表示色"),
        Colour(511, "UsrFunc_Col2", "予約語表示色(COL-1)", "表示色"),
        Colour(512, "UsrFunc_Col3", "予約語表示色(COL-2)", "表示色"),
        Colour(513, "UsrFunc_Col4", "予約語表示色(COL-3)", "表示色"),
        Colour(514, "URL_Col", "ホームページURL", "表示色"),
        Colour(515, "EMail_Col", "E-MAILアドレス", "表示色"),
        Colour(516, "FSpace_Col", "全角スペース表示色", "表示色"),
        Colour(517, "VLine_Col", "行番号区切り線色", "表示色"),
        Colour(518, "LineNo_Col", "行番号表示色", "表示色"),
        {kPageDisplay, 139, "Display_Font", Bind::Font, 0, 0, "テキスト表示フォント選択", "フォント"},
        CommentBit(271, 1, "／＊＊／"),
        CommentBit(274, 2, "／／"),
        CommentBit(275, 4, "；"),
        CommentBit(282, 8, "＜！....＞"),
        CommentBit(276, 16, "＊"),
        CommentBit(278, 32, "’"),
        CommentBit(277, 64, "＃"),
        CommentBit(284, 128, "￥"),
        CommentBit(279, 256, "＊（行頭）"),
        CommentBit(281, 512, "’（行頭）"),
        CommentBit(280, 1024, "＃（行頭）"),
        CommentBit(283, 2048, "；（行頭）"),
        CommentBit(285, 4096, "￥（行頭）"),

        // ---- page 3 "ファイル"
        Radio(F, 137, "WriteEOF", 1, "ＥＯＦを書く", "書き込み"),
        Radio(F, 138, "WriteEOF", 0, "ＥＯＦを書かない", "書き込み"),
        Radio(F, 142, "ReadEND", 1, "EOFを無視して読む", "読み込み"),
        Radio(F, 141, "ReadEND", 0, "EOFまで読む", "読み込み"),
        Check(F, 441, "CharCheck", "ＥＵＣコードとＪＩＳコードを自動認識する", "読み込み"),
        Text(F, 440, "EucDrive", "ＥＵＣドライブ(空白区切り)", "読み込み"),
        Radio(F, 143, "ExclusiveMode", 0, "排他制御なし", "排他制御"),
        Radio(F, 144, "ExclusiveMode", 1, "書き込み禁止", "排他制御"),
        Radio(F, 145, "ExclusiveMode", 2, "読み書き禁止", "排他制御"),
        Radio(F, 131, "BackupMode", 1, "有り", "バックアップファイル(.BAK)の作成"),
        Radio(F, 132, "BackupMode", 0, "無し", "バックアップファイル(.BAK)の作成"),
        Text(F, 351, "BackupDir", "バックアップディレクトリ", "バックアップファイル(.BAK)の作成"),
        Number(F, 352, "BackupCount", 1, 9, "バックアップファイル数", "バックアップファイル(.BAK)の作成"),
        Check(F, 325, "RecycledMode", "．ＢＡＫをごみ箱へ", "バックアップファイル(.BAK)の作成"),
        {F, 331, "Autobk_Mode", Bind::Bit, 1, 0, "一定時間ごと", "定期バックアップ"},
        Number(F, 146, "Autobk_Time", 1, 1440, "分", "定期バックアップ"),
        {F, 332, "Autobk_Mode", Bind::Bit, 2, 0, "一定量の編集ごと", "定期バックアップ"},
        Number(F, 147, "Autobk_Len", 1, 999999, "バイト", "定期バックアップ"),
        Number(F, 353, "MRUCount", 0, 32, "メニュー内のファイルヒストリの個数"),

        // ---- page 5 "その他１"
        Radio(O1, 141, "AsinMode", 4, "オリジナル（ＫＯＭ風＋ＳＬＡＴＥ風）", "☆ ＫＥＹ操作(要再起動)"),
        Radio(O1, 138, "AsinMode", 1, "けっこう　ＫＯＭ風", "☆ ＫＥＹ操作(要再起動)"),
        Radio(O1, 139, "AsinMode", 2, "かしこい　ＳＬＡＴＥ風", "☆ ＫＥＹ操作(要再起動)"),
        Radio(O1, kOldSchemeRadio, "AsinMode", 3, "", "☆ ＫＥＹ操作(要再起動)"),
        Check(O1, 426, "Asin4Type", "Window切り換えはHOMEｷｰで行う", "☆ ＫＥＹ操作(要再起動)"),
        {O1, 421, "Mouse", Bind::NotOne, 0, 0, "編集ｳｲﾝﾄﾞｳで左右ﾎﾞﾀﾝを使用しない", "マウス"},
        Check(O1, 422, "MouseLSkip", "編集ｳｲﾝﾄﾞｳを切り換えるための左ﾎﾞﾀﾝｸﾘｯｸでｶｰｿﾙは移動させない", "マウス"),
        Number(O1, 414, "MouseWheel", 1, 99, "ホイールの回転でスクロールする行数(1-99)", "マウス"),
        Number(O1, 242, "ChildWnd_X", 10, 100, "横", "編集画面の縦横幅比率 (10-100%)"),
        Number(O1, 243, "ChildWnd_Y", 10, 100, "縦", "編集画面の縦横幅比率 (10-100%)"),
        Check(O1, 254, "ChildWnd_Max", "MAX", "編集画面の縦横幅比率 (10-100%)"),
        Radio(O1, 136, "Resident", 1, "常駐する", "タスクトレイに常駐"),
        Radio(O1, 137, "Resident", 0, "常駐しない", "タスクトレイに常駐"),
        Radio(O1, 133, "FepMode", 1, "ＯＮ", "開く時のカナ漢字変換"),
        Radio(O1, 135, "FepMode", 2, "ＯＦＦ", "開く時のカナ漢字変換"),
        Radio(O1, 134, "FepMode", 0, "何も制御しない", "開く時のカナ漢字変換"),
        Radio(O1, 360, "FileDlgType", 1, "Windows 95(拡張)", "「開く」のダイアログ"),
        Radio(O1, 361, "FileDlgType", 2, "Windows 95(標準)", "「開く」のダイアログ"),
        Radio(O1, 362, "FileDlgType", 3, "Windows 3.1(拡張)", "「開く」のダイアログ"),
        Radio(O1, 363, "FileDlgType", 4, "Windows 3.1(標準)", "「開く」のダイアログ"),
        Text(O1, 106, "WildCard", "ユーザー指定(ｾﾐｺﾛﾝ区切り)", "「開く」のダイアログ"),
        Radio(O1, 415, "PasteMode", 1, "通常／箱型を自動判断", "複写（貼り付け）の処理"),
        Radio(O1, 416, "PasteMode", 2, "箱型でも普通に複写", "複写（貼り付け）の処理"),
        Radio(O1, 142, "DialogBar", 1, "上端に配置", "☆ ダイアログバーの配置(要再起動)"),
        Radio(O1, 143, "DialogBar", 2, "下端に配置", "☆ ダイアログバーの配置(要再起動)"),
        Radio(O1, 146, "DialogBarStyle", 1, "ボタン型で表示", "ウィンドウタブ"),
        Radio(O1, 147, "DialogBarStyle", 2, "タブ型で表示", "ウィンドウタブ"),
        Radio(O1, 144, "PfkeyBar", 1, "上端に配置", "ＰＦ－ＫＥＹバー"),
        Radio(O1, 145, "PfkeyBar", 2, "下端に配置", "ＰＦ－ＫＥＹバー"),
        Radio(O1, 417, "BkgndMode", 1, "通常", "メインフレームの背景"),
        Radio(O1, 418, "BkgndMode", 2, "透明(壁紙が見える)", "メインフレームの背景"),
        Radio(O1, 419, "BkgndMode", 3, "ビットマップ", "メインフレームの背景"),
        Text(O1, 107, "BkgndFname", "", "メインフレームの背景"),

        // ---- page 6 "その他２"
        Text(O2, 412, "CalcPrg", "電卓", "外部プログラム"),
        Text(O2, 105, "ExplorerPrg", "インターネットエクスプローラ", "外部プログラム"),
        Text(O2, 106, "NetscapePrg", "ネットスケープ", "外部プログラム"),
        Radio(O2, 406, "Explorer_Update", 0, "しない", "起動時にターゲットファイルを更新"),
        Radio(O2, 407, "Explorer_Update", 1, "する", "起動時にターゲットファイルを更新"),
        Radio(O2, 408, "Explorer_Update", 2, "確認する", "起動時にターゲットファイルを更新"),
        Radio(O2, 409, "Netscape_Update", 0, "しない", "起動時にターゲットファイルを更新"),
        Radio(O2, 410, "Netscape_Update", 1, "する", "起動時にターゲットファイルを更新"),
        Radio(O2, 411, "Netscape_Update", 2, "確認する", "起動時にターゲットファイルを更新"),
        Radio(O2, 166, "EndMode", 1, "自動で判断", "プログラム終了方法"),
        Radio(O2, 167, "EndMode", 2, "編集ファイルが無くなったら", "プログラム終了方法"),
        Radio(O2, 168, "EndMode", 3, "手動で判断", "プログラム終了方法"),
        Radio(O2, 250, "Current_Mode", 1, "前回のディレクトリ", "引数指定なしの時のカレントディレクトリ"),
        Radio(O2, 251, "Current_Mode", 2, "下に設定したディレクトリ", "引数指定なしの時のカレントディレクトリ"),
        Text(O2, 107, "Current_Dir", "", "引数指定なしの時のカレントディレクトリ"),
    };
}

constexpr const char* kExecutables = "実行可能ﾌｧｲﾙ(*.exe)|*.exe|全てのﾌｧｲﾙ(*.*)|*.*||";

}  // namespace

const std::vector<Binding>& EnvBindings() {
    static const std::vector<Binding> rows = MakeBindings();
    return rows;
}

const std::vector<BrowseButton>& EnvBrowseButtons() {
    static const std::vector<BrowseButton> rows = {
        {kPageOther1, 420, 107, "ビットマップの指定", "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp|全てのﾌｧｲﾙ(*.*)|*.*||"},
        {kPageOther2, 413, 412, "電卓プログラムの指定", kExecutables},
        {kPageOther2, 394, 105, "インターネットエクスプローラの指定", kExecutables},
        {kPageOther2, 395, 106, "ネットスケープの指定", kExecutables},
    };
    return rows;
}

}  // namespace qz
