// The process-wide keyword and template tables of the six file types, and
// their loading from the files named in the settings record.
#pragma once

#include <string>

#include "lang/keyword_table.h"
#include "lang/template_table.h"

namespace qz {

class MessageBox;

// The tables of file type 1 to 6 (out-of-range types throw std::out_of_range).
KeywordTable& TheKeywordTable(int fileType);
TemplateTable& TheTemplateTable(int fileType);

// Loads the keyword table of a type from its "Yoyakugo" file (the user's copy
// or the data folder's, LanguageFilePath; an absolute name stands as it is).
// An empty name leaves the table empty without a message.
void LoadKeywordTable(int fileType, MessageBox& box);
// The same for the templates of a type ("Template").
void LoadTemplates(int fileType, MessageBox& box);
// Both, for every type in order: what the frame does at start and after the
// settings sheet closes with OK.
void LoadLanguageData(MessageBox& box);

// The files the two "open for editing" commands open: the path (an installed
// file copied to the user's folder first), or empty when the type names no
// file (the command then does nothing). When opening fails the command shows
// the message with its caption.
std::string KeywordFileToOpen(int fileType);
std::string TemplateFileToOpen(int fileType);
extern const char kMsgCannotOpenKeywordFile[];      // "予約語ファイルが開けません"
extern const char kCaptionOpenKeywordFile[];        // "予約語ファイルを開く"
extern const char kMsgCannotOpenTemplateFile[];     // "テンプレートファイルが開けません"
extern const char kCaptionOpenTemplateFile[];       // "テンプレートファイルを開く"

}  // namespace qz
