// Owner of the per-type keyword and template tables.
#include "lang/language_data.h"

#include <array>
#include <stdexcept>

#include "lang/text_lines.h"
#include "settings/settings.h"

namespace qz {

namespace {

struct LanguageData {
    std::array<KeywordTable, kFileTypes> keywords;
    std::array<TemplateTable, kFileTypes> templates;
};

LanguageData& Data() {
    static LanguageData data;
    return data;
}

int Index(int fileType) {
    if (fileType < 1 || fileType > kFileTypes) throw std::out_of_range("file type");
    return fileType - 1;
}

}  // namespace

KeywordTable& TheKeywordTable(int fileType) { return Data().keywords[Index(fileType)]; }
TemplateTable& TheTemplateTable(int fileType) { return Data().templates[Index(fileType)]; }

void LoadKeywordTable(int fileType, MessageBox& box) {
    KeywordTable& table = TheKeywordTable(fileType);
    table.Clear();
    const std::string& name = TheSettings().Type(fileType).Yoyakugo;
    if (name.empty()) return;
    LoadKeywordFile(LanguageFilePath(name), table, box);
}

void LoadTemplates(int fileType, MessageBox& box) {
    TemplateTable& table = TheTemplateTable(fileType);
    table.Clear();
    const std::string& name = TheSettings().Type(fileType).Template;
    if (name.empty()) return;
    LoadTemplateFile(LanguageFilePath(name), table, box);
}

const char kMsgCannotOpenKeywordFile[] = "予約語ファイルが開けません";
const char kCaptionOpenKeywordFile[] = "予約語ファイルを開く";
const char kMsgCannotOpenTemplateFile[] = "テンプレートファイルが開けません";
const char kCaptionOpenTemplateFile[] = "テンプレートファイルを開く";

std::string KeywordFileToOpen(int fileType) {
    const std::string& name = TheSettings().Type(fileType).Yoyakugo;
    return name.empty() ? std::string() : EditableLanguageFilePath(name);
}

std::string TemplateFileToOpen(int fileType) {
    const std::string& name = TheSettings().Type(fileType).Template;
    return name.empty() ? std::string() : EditableLanguageFilePath(name);
}

void LoadLanguageData(MessageBox& box) {
    for (int type = 1; type <= kFileTypes; ++type) {
        LoadKeywordTable(type, box);
        LoadTemplates(type, box);
    }
}

}  // namespace qz
