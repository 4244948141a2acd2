// What the open and save file dialogs offer and how their answers read: the
// filter list, the kanji-code lists and which dialog the "FileDlgType" asks for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

// One entry of a file dialog's filter list. pattern is the ';'-separated
// list the entry stands for ("*.c;*.h"); empty when the entry matches
// nothing in particular.
struct FileFilter {
    std::string display;
    std::string pattern;
};

// The open dialogs' filter list, in order, with the user's "WildCard" first.
std::vector<FileFilter> OpenFilterList(std::string_view wildCard);
// The save-type dialog's single entry.
FileFilter SaveFilter();

// A ';'-separated pattern list as Qt's dialogs take it: blank-separated, with
// "*.*" widened to "*" (on POSIX "*.*" would skip names without a dot) and an
// empty list meaning every file.
std::string QtPatterns(std::string_view pattern);
// "display (patterns)". The dialogs hide the bracketed part, so the user sees
// the display text as it stands while the patterns do the filtering.
std::string QtNameFilter(const FileFilter& filter);
std::vector<std::string> QtNameFilters(const std::vector<FileFilter>& filters);

// "Current"/"FilterIndex" is 1-based; anything outside the list falls back to
// the first entry.
int ClampFilterIndex(int index, int count);

// The kanji-code lists of the open and the save variant.
const std::vector<std::string>& OpenCodeChoices();
const std::vector<std::string>& SaveCodeChoices();

// The explicit code an open-list index stands for (0 = detect).
int OpenCodeFromChoice(int index);

// Kanji code (1 Shift-JIS, 2 EUC, 3 JIS, 4 UTF-8) and line-end mode (0 CR/LF, 1 LF).
struct CodeAndLineEnd {
    int code;
    int lineEnd;
    bool operator==(const CodeAndLineEnd&) const = default;
};
// The save-list index applied to a document's present code and line end:
// 1..8 choose both, 0 ("自動識別") and anything unknown keep them.
CodeAndLineEnd ApplySaveCodeChoice(int index, CodeAndLineEnd current);

// Which open dialog a "FileDlgType" value asks for.
enum class OpenDialogKind { PathHistory, ExtCode };
OpenDialogKind OpenDialogKindFor(int fileDlgType);
// Whether that dialog runs in the explorer style (value 1 for the path-history
// dialog, 2 for the code dialog).
bool OpenDialogExplorerStyle(int fileDlgType);

}  // namespace qz
