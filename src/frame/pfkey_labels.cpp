#include "frame/pfkey_labels.h"

namespace qz {

namespace {

constexpr const char* B = "      ";  // a blank label

constexpr PfLabels k1None = {"MENU1", "MENU2", "MENU3", "MENU4", "設定", "選択", "削除", "取込", "複写", "TAGS", "ツール", "最大"};
constexpr PfLabels k1Shift = {"記憶", "再現", B, "複製", "マーク", B, "電卓", "コード", "リスト", "DrTAG", B, B};
constexpr PfLabels k1Ctrl = {B, B, B, B, "ＩＥ", "ＮＳ", "計算", "10/16", "TagList", "開く", B, B};
constexpr PfLabels k2None = {"ヘルプ", B, "検索↓", B, B, "次画面", B, B, B, "TAGS", "ツール", "最大"};
constexpr PfLabels k2Shift = {"記憶", "再現", "検索↑", "複製", "マーク", "前画面", "電卓", "コード", "リスト", "DrTAG", B, B};
constexpr PfLabels k3None = {"MENU1", "MENU2", "MENU3", "分割", "検索↓", "選択", "削除", "取込", "複写", "TAGSJP", "記憶", "再現"};
constexpr PfLabels k3Shift = {"MENU4", "MENU5", "MENU6", B, "検索↑", "選択", B, B, "複写", "全二重", B, B};
constexpr PfLabels k4None = {"MENU1", "MENU2", "MENU3", "MENU4", "設定", "選択", "削除", "取込", "複写", "TAGS", "ツール", "画面"};
constexpr PfLabels k4Shift = {"記憶", "再現", B, "複製", "マーク", B, "電卓", "コード", "リスト", "DrTAG", B, "次画面"};
constexpr PfLabels k4Ctrl = {B, B, B, B, "ＩＥ", "ＮＳ", "計算", "10/16", "TagList", "開く", B, "前画面"};

}  // namespace

const PfLabels& PfKeyLabels(int scheme, ModifierState state) {
    switch (scheme) {
    case 2:
        return state == ModifierState::None ? k2None : state == ModifierState::Shift ? k2Shift : k1Ctrl;
    case 3:
        return state == ModifierState::None ? k3None : state == ModifierState::Shift ? k3Shift : k1Ctrl;
    case 4:
        return state == ModifierState::None ? k4None : state == ModifierState::Shift ? k4Shift : k4Ctrl;
    default:
        return state == ModifierState::None ? k1None : state == ModifierState::Shift ? k1Shift : k1Ctrl;
    }
}

}  // namespace qz
