// File references: separators, quoted spans, the name around the caret and
// its line number; name resolution for the tag jump.
#include "lang/file_reference.h"

#include <sys/stat.h>

#include <vector>

#include "platform/cp932.h"
#include "platform/paths.h"

namespace qz {

const char kMsgCannotJumpToLine[] = "ＴＡＧＳ指定行にジャンプできません";

namespace {

bool IsSeparatorByte(uint8_t c) {
    switch (c) {
        case ' ': case '\t': case '\'': case '(': case ')': case '<': case '>': case '[':
        case ']': case '+': case '=': case ';': case ',': case '|': case '\r': case '\n':
            return true;
        default:
            return false;
    }
}

}  // namespace

void ParseFileReference(std::string_view line, int column, std::string& fileName,
                        int32_t& lineNumber, ReferenceEncoding encoding) {
    // UTF-8 never puts an ASCII byte inside a character, so only Shift-JIS
    // needs its trail bytes (which include '[', ']' and '|') stepped over.
    const bool sjis = encoding == ReferenceEncoding::kShiftJis;
    fileName.clear();
    lineNumber = 1;
    const size_t n = line.size();
    std::vector<char> sep(n, 0);
    bool quoted = false;
    for (size_t i = 0; i < n; ++i) {
        uint8_t c = static_cast<uint8_t>(line[i]);
        if (sjis && IsSjisLead(c)) {
            ++i;  // both bytes belong to the token
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
            sep[i] = 1;
        } else if (!quoted && IsSeparatorByte(c)) {
            sep[i] = 1;
        }
        // There are no drive letters here, so every colon separates, which
        // splits "name:12:" compiler and grep output.
        if (c == ':') sep[i] = 1;
    }
    // A caret after the end of the line stands on its last character, so a
    // name typed at the end of a line is found.
    size_t i = column < 0 ? 0 : static_cast<size_t>(column);
    if (n > 0 && i >= n) i = n - 1;
    if (i < n && !sep[i]) {
        while (i > 0 && !sep[i - 1]) --i;
    }
    while (i < n && sep[i]) ++i;
    size_t b = i;
    while (i < n && !sep[i]) ++i;
    fileName.assign(line.substr(b, i - b));
    // The line number: the first later token that begins with a digit.
    while (i < n) {
        while (i < n && sep[i]) ++i;
        if (i >= n) break;
        if (line[i] >= '0' && line[i] <= '9') {
            int64_t v = 0;
            while (i < n && line[i] >= '0' && line[i] <= '9') {
                v = v * 10 + (line[i] - '0');
                if (v > INT32_MAX) v = INT32_MAX;
                ++i;
            }
            lineNumber = static_cast<int32_t>(v);
            return;
        }
        while (i < n && !sep[i]) ++i;
    }
}

std::string ResolveJumpName(const std::string& name, const std::string& documentPath) {
    std::string base = documentPath.empty() ? CurrentDirectory() : FolderOf(documentPath);
    return FullPath(base, name);
}

std::string JumpTargetError(const std::string& path, const std::string& shownName) {
    struct stat st;
    if (!path.empty() && stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) return {};
    return "'" + (shownName.empty() ? std::string("<null>") : shownName) + "'が開けません";
}

TagJumpTarget PrepareTagJump(std::string_view lineText, int column, std::string_view selection,
                             const std::string& documentPath) {
    TagJumpTarget t;
    std::string name;
    ParseFileReference(lineText, column, name, t.line);
    if (!selection.empty()) name.assign(SjisPrefix(selection, 255));
    // Names in document text are Shift-JIS; paths are native.
    std::string native = SjisToUtf8(name);
    if (native.empty()) {
        t.message = JumpTargetError({}, {});
        return t;
    }
    t.path = ResolveJumpName(native, documentPath);
    t.message = JumpTargetError(t.path, native);
    return t;
}

}  // namespace qz
