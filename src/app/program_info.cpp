// The version and help texts of the editor's command line.
#include "app/program_info.h"

#include "app/app_title.h"

namespace qz {

InfoRequest InfoRequested(const std::vector<std::string>& args) {
    for (const std::string& w : args) {
        if (w == "--version") return InfoRequest::Version;
        if (w == "--help") return InfoRequest::Help;
        if (w.empty() || w[0] != '-' || w == "--") break;
    }
    return InfoRequest::None;
}

std::string VersionInfo() { return std::string("qzed32 (") + kAppTitle + ") " + VersionText() + "\n"; }

std::string HelpInfo(const std::string& settingsFile, const ProgramFolders& folders) {
    return "Format: qzed32 <Option> <File> <File> ...\n"
           "\n"
           "<Option> : -q ... 前回編集したファイルを開く\n"
           "           -v ... ファイルを読み取り専用で開く\n"
           "           -c ... 作業フォルダを起動したフォルダのままにする\n"
           "           -<行番号> ... 各ファイルのその行にカーソルを置く\n"
           "           --version ... 版数を表示する\n"
           "           --help ... この説明を表示する\n"
           "<File>   : 開くファイル。起動中のエディタがあればそのエディタで開きます。\n"
           "\n"
           "設定     : " + settingsFile + "\n" +
           "データ   : " + folders.data + "\n" +
           "個人用   : " + folders.userData + "\n" +
           "状態     : " + folders.state + "\n";
}

}  // namespace qz
