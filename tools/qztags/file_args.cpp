// Expands file arguments into the source files to scan, in a stable order.
#include "qztags/file_args.h"

#include "platform/paths.h"
#include "qztags/source_scan.h"
#include "qztags/text_reader.h"

#include <algorithm>
#include <sys/stat.h>

namespace qztags {
namespace {

bool HasWildcard(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

std::vector<std::string> ListDirectory(const std::string& dir) {
    std::vector<std::string> names;
    qz::ListFolder(dir, names);
    return names;
}

// A file is anything that is not a directory once links are followed; a
// dangling link counts as a file (and then fails to open, which is reported).
bool IsFileEntry(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) return !S_ISDIR(st.st_mode);
    return lstat(path.c_str(), &st) == 0;
}

// Only real directories are descended into: a link to a directory could lead
// back up the tree and never end.
bool IsRealDirectory(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

void ArgumentProcessor::CannotOpen(const std::string& name) {
    std::fprintf(msg_, "%s: Can't be opened. '%s'\n", program_.c_str(), name.c_str());
}

void ArgumentProcessor::CommandLineWord(const std::string& word) {
    if (word.empty() || word[0] != '@') {
        FileArgument(word);
        return;
    }
    const std::string list = word.substr(1);
    int fd = TextReader::Open(list);
    if (fd < 0) {
        CannotOpen(list);
        return;
    }
    TextReader reader(fd);
    std::string line;
    while (reader.ReadPiece(line, kPieceBytes)) {
        if (!line.empty() && line.back() == '\n') line.pop_back();
        if (size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
        if (!line.empty()) FileArgument(line);
    }
}

void ArgumentProcessor::FileArgument(const std::string& arg) {
    size_t slash = arg.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : arg.substr(0, slash + 1);
    const std::string pattern = arg.substr(dir.size());

    std::vector<std::string> found;
    if (HasWildcard(pattern)) {
        for (const std::string& name : ListDirectory(dir))
            if (qz::MatchWildcard(pattern, name) && IsFileEntry(dir + name)) found.push_back(name);
    } else if (!pattern.empty() && IsFileEntry(arg)) {
        found.push_back(pattern);
    }
    for (const std::string& name : found) {
        std::string path = dir + name;
        if (opt_.full_path) path = qz::FullPath(qz::CurrentDirectory(), path);
        if (!ScanSource(path, path, out_, opt_.echo ? msg_ : nullptr)) CannotOpen(path);
    }

    if (!opt_.recurse) return;
    for (const std::string& name : ListDirectory(dir)) {
        if (!IsRealDirectory(dir + name)) continue;
        std::string sub = dir + name;
        if (opt_.full_path) sub = qz::FullPath(qz::CurrentDirectory(), sub);
        FileArgument(sub + '/' + pattern);
    }
}

}  // namespace qztags
