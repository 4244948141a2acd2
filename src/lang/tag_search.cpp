// Definition search over tag files and the jump list's texts.
#include "lang/tag_search.h"

#include <dirent.h>

#include <cstdio>

#include "lang/file_reference.h"
#include "lang/text_lines.h"
#include "platform/cp932.h"
#include "platform/paths.h"

namespace qz {

namespace {

bool IsKeyByte(uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           c == '#';
}

bool IsWordByte(uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// The bare key where it first occurs, standing as a whole word.
bool FirstOccurrenceIsWord(std::string_view line, std::string_view key) {
    size_t at = line.find(key);
    if (at == std::string_view::npos || key.empty()) return false;
    if (at > 0 && IsWordByte(static_cast<uint8_t>(line[at - 1]))) return false;
    size_t end = at + key.size();
    return end >= line.size() || !IsWordByte(static_cast<uint8_t>(line[end]));
}

// Tag file names were written for a file system that ignores case, and the
// default "TAGS" names the "tags" file the generator writes. When the exact
// name is missing, a file of the same folder whose name differs only in
// ASCII case stands in (the first in name order, for a stable choice).
FileReadStatus ReadTagFile(const std::string& path, std::string& bytes) {
    FileReadStatus status = ReadWholeFile(path, bytes);
    if (status != FileReadStatus::Missing) return status;
    const std::string folder = FolderOf(path), name = FileNameOf(path);
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return status;
    auto fold = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        return s;
    };
    const std::string want = fold(name);
    std::string best;
    while (dirent* e = readdir(dir)) {
        std::string entry = e->d_name;
        if (fold(entry) == want && (best.empty() || entry < best)) best = entry;
    }
    closedir(dir);
    if (best.empty()) return status;
    return ReadWholeFile(FullPath(folder, best), bytes);
}

}  // namespace

std::string DefinitionSearchKey(std::string_view lineText, int column, std::string_view selection) {
    if (!selection.empty()) return std::string(SjisPrefix(selection, kSearchKeyBytes));
    const size_t n = lineText.size();
    std::vector<char> word(n, 0);
    for (size_t i = 0; i < n; ++i) {
        uint8_t c = static_cast<uint8_t>(lineText[i]);
        if (IsSjisLead(c)) {
            ++i;
            continue;
        }
        word[i] = IsKeyByte(c);
    }
    if (column < 0 || static_cast<size_t>(column) >= n || !word[column]) return "<null>";
    size_t b = static_cast<size_t>(column), e = b;
    while (b > 0 && word[b - 1]) --b;
    while (e < n && word[e]) ++e;
    return std::string(lineText.substr(b, e - b));
}

DefinitionSearch SearchDefinitions(std::string_view key, const std::array<std::string, 3>& tagFiles,
                                   const std::string& documentPath) {
    DefinitionSearch result;
    std::string quoted;
    quoted.reserve(key.size() + 2);
    quoted.push_back('\'');
    quoted.append(key);
    quoted.push_back('\'');
    bool opened = false;
    for (int f = 0; f < 3 && result.candidates.size() < kMaxDefinitionCandidates; ++f) {
        if (tagFiles[f].empty()) continue;
        const std::string tagPath = ResolveJumpName(tagFiles[f], documentPath);
        std::string bytes;
        if (ReadTagFile(tagPath, bytes) != FileReadStatus::Ok) continue;
        opened = true;
        const std::string tagFolder = FolderOf(tagPath);
        size_t foundHere = 0;
        for (int pass = 1; pass <= 2; ++pass) {
            if (pass == 2 && foundHere > 0) break;
            TextModeLines lines(bytes, kTagLineBytes);
            std::string line;
            while (result.candidates.size() < kMaxDefinitionCandidates && lines.Next(line)) {
                if (!line.empty() && line.back() == '\n') line.pop_back();
                bool hit = pass == 1 ? line.find(quoted) != std::string::npos
                                     : FirstOccurrenceIsWord(line, key);
                if (!hit) continue;
                DefinitionCandidate c;
                std::string name;
                // Tag files name their sources in native bytes, relative to
                // the tag file's own folder.
                ParseFileReference(line, 0, name, c.line, ReferenceEncoding::kUtf8);
                if (name.empty()) continue;
                c.fileName = FullPath(tagFolder, name);
                c.tagFile = f + 1;
                result.candidates.push_back(std::move(c));
                ++foundHere;
            }
        }
    }
    if (!opened) {
        result.status = DefinitionSearch::kNoTagFile;
        result.message = "ＴＡＧＳファイルが開けません";
    } else if (result.candidates.empty()) {
        result.status = DefinitionSearch::kNoData;
        result.message = SjisToUtf8(quoted) + "のＴＡＧＳデータがありません";
    } else {
        result.status = DefinitionSearch::kFound;
    }
    return result;
}

std::string JumpListRow(const DefinitionCandidate& c) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d-%6ld : ", c.tagFile, static_cast<long>(c.line));
    return buf + FileNameOf(c.fileName);
}

std::string JumpListCountLabel(int count) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "総数: %02d", count);
    return buf;
}

std::string JumpListNote(int count) {
    if (count >= kMaxDefinitionCandidates) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%d個以上は処理出来ません", kMaxDefinitionCandidates);
        return buf;
    }
    if (count == 0) return "関数はありません";
    return {};
}

int JumpListChoice(int selectedRow, int count) {
    return selectedRow >= 0 && selectedRow < count ? selectedRow : -1;
}

}  // namespace qz
