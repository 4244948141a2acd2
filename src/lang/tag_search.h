// The definition search: the word at the caret looked up in a file type's
// tag files, two passes per file, at most 16 candidates.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

constexpr int kMaxDefinitionCandidates = 16;
constexpr size_t kTagLineBytes = 255;
constexpr size_t kSearchKeyBytes = 128;

struct DefinitionCandidate {
    std::string fileName;  // full path, native
    int32_t line = 1;
    int tagFile = 1;       // 1 to 3
    bool operator==(const DefinitionCandidate&) const = default;
};

struct DefinitionSearch {
    enum Status { kFound, kNoTagFile, kNoData };
    Status status = kNoTagFile;
    std::vector<DefinitionCandidate> candidates;  // kFound: 1 to 16
    std::string message;  // UTF-8, set for kNoTagFile and kNoData
};

// The search key: the stream selection's first 128 bytes when one is given,
// else the run of 0-9, A-Z, a-z, '_' and '#' around the 0-based column of
// the line (Shift-JIS), else "<null>".
std::string DefinitionSearchKey(std::string_view lineText, int column, std::string_view selection);

// Searches the tag files (empty names skipped) for a key (Shift-JIS).
// documentPath locates relative tag file names (empty: the current directory).
DefinitionSearch SearchDefinitions(std::string_view key, const std::array<std::string, 3>& tagFiles,
                                   const std::string& documentPath);

// Texts of the jump list dialog.
std::string JumpListRow(const DefinitionCandidate& c);  // "%d-%6ld : %s"
std::string JumpListCountLabel(int count);               // "総数: %02d"
std::string JumpListNote(int count);                     // limit or "関数はありません"
// The row an OK of the jump list takes: the selected row, or -1 (the dialog
// stays open) when none is selected.
int JumpListChoice(int selectedRow, int count);

}  // namespace qz
