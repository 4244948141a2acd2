// The process-wide keyword and template tables of the six file types, and
// their loading from the files named in the settings record.
#pragma once

#include "lang/keyword_table.h"
#include "lang/template_table.h"

namespace qz {

class MessageBox;

// The tables of file type 1 to 6 (out-of-range types throw std::out_of_range).
KeywordTable& TheKeywordTable(int fileType);
TemplateTable& TheTemplateTable(int fileType);

// Loads the keyword table of a type from its "Yoyakugo" file in the program
// folder (an absolute name stands as it is). An empty name leaves the table
// empty without a message.
void LoadKeywordTable(int fileType, MessageBox& box);
// The same for the templates of a type ("Template").
void LoadTemplates(int fileType, MessageBox& box);
// Both, for every type in order: what the frame does at start and after the
// settings sheet closes with OK.
void LoadLanguageData(MessageBox& box);

}  // namespace qz
