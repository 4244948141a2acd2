// Text that names a file and a line (grep hits, tag file lines, compiler
// messages), and turning such a name into the file a tag jump opens.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

// Messages of the jumps (UTF-8).
extern const char kMsgCannotJumpToLine[];  // "ＴＡＧＳ指定行にジャンプできません"

// How a line that names a file is encoded: document text is Shift-JIS; tag
// files name their sources in native (UTF-8) bytes.
enum class ReferenceEncoding { kShiftJis, kUtf8 };

// Finds the file name in a line of text around a 0-based byte column, and the
// first later number as its line (1 when there is none).
void ParseFileReference(std::string_view line, int column, std::string& fileName,
                        int32_t& lineNumber,
                        ReferenceEncoding encoding = ReferenceEncoding::kShiftJis);

// Resolves a name (UTF-8) the way the tag jump does: an absolute name stands,
// any other lies in the document's folder (the current directory for an
// untitled document, documentPath empty). The result is a full path.
std::string ResolveJumpName(const std::string& name, const std::string& documentPath);

// The refusal for a jump target that does not exist or is a folder:
// "'%s'が開けません" with the name shown ("<null>" when empty); empty when the
// file can be opened.
std::string JumpTargetError(const std::string& path, const std::string& shownName);

// Where a tag jump goes: the reference at the caret, or the stream selection
// (its first 255 bytes) as the name when one is given.
struct TagJumpTarget {
    std::string path;     // full path, UTF-8
    int32_t line = 1;
    std::string message;  // non-empty when the jump is refused
};
TagJumpTarget PrepareTagJump(std::string_view lineText, int column, std::string_view selection,
                             const std::string& documentPath);

}  // namespace qz
