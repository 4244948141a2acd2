// Text-mode line pieces and whole-file reads for the language files.
#include "lang/text_lines.h"

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/paths.h"

namespace qz {

TextModeLines::TextModeLines(std::string_view bytes, size_t max_bytes)
    : bytes_(bytes), max_(max_bytes ? max_bytes : 1) {
    // The runtime's text mode treated 0x1A as the end of the file.
    size_t eof = bytes_.find('\x1a');
    if (eof != std::string_view::npos) bytes_ = bytes_.substr(0, eof);
}

bool TextModeLines::Next(std::string& piece) {
    piece.clear();
    if (pos_ >= bytes_.size()) return false;
    while (pos_ < bytes_.size() && piece.size() < max_) {
        char c = bytes_[pos_];
        if (c == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') {
            ++pos_;
            continue;
        }
        piece.push_back(c);
        ++pos_;
        if (c == '\n') break;
    }
    return true;
}

FileReadStatus ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                                                   : FileReadStatus::Unreadable;
    }
    if (S_ISDIR(st.st_mode)) return FileReadStatus::Unreadable;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Unreadable;
    char buf[65536];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            bytes.clear();
            return FileReadStatus::Unreadable;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    close(fd);
    return FileReadStatus::Ok;
}

std::string LanguageFilePath(const std::string& name, const ProgramFolders& folders) {
    if (!name.empty() && name[0] == '/') return NormalizePath(name);
    const std::string mine = FullPath(folders.userData, name);
    return access(mine.c_str(), F_OK) == 0 ? mine : FullPath(folders.data, name);
}

std::string LanguageFilePath(const std::string& name) {
    return LanguageFilePath(name, ChooseFolders(FolderFacts::OfThisProcess()));
}

std::string EditableLanguageFilePath(const std::string& name) {
    return EditableLanguageFilePath(name, ChooseFolders(FolderFacts::OfThisProcess()));
}

std::string EditableLanguageFilePath(const std::string& name, const ProgramFolders& folders) {
    const std::string path = LanguageFilePath(name, folders);
    if (!name.empty() && name[0] == '/') return path;
    const std::string mine = FullPath(folders.userData, name);
    if (path == mine) return mine;
    std::error_code ec;
    if (!MakeFolders(FolderOf(mine)) ||
        !std::filesystem::copy_file(path, mine, std::filesystem::copy_options::skip_existing, ec))
        return path;
    return mine;
}

}  // namespace qz
