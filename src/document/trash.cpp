// The home trash as the freedesktop.org desktops keep it: the info file is
// made first, exclusively, so that it reserves the name in files/.
#include "document/trash.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"

namespace qz {

namespace {

std::string DefaultTrashDir() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') return std::string(data) + "/Trash";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share/Trash";
    return {};
}

// Path= holds the path as a URL path: bytes outside the unreserved set and '/'
// are written %XX.
std::string EscapePath(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

bool MakeDir(const std::string& dir) {
    return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

FreedesktopTrash::FreedesktopTrash(std::string trashDir)
    : dir_(trashDir.empty() ? DefaultTrashDir() : std::move(trashDir)) {}

bool FreedesktopTrash::MoveToTrash(const std::string& path) {
    if (dir_.empty() || path.empty() || path[0] != '/') return false;
    const std::string files = dir_ + "/files", info = dir_ + "/info";
    const std::string parent = FolderOf(dir_);
    if (!parent.empty() && parent != "/" && ::access(parent.c_str(), F_OK) != 0) {
        // ~/.local/share itself may be missing on a fresh account.
        const std::string grand = FolderOf(parent);
        if (!grand.empty()) MakeDir(grand);
        MakeDir(parent);
    }
    if (!MakeDir(dir_) || !MakeDir(files) || !MakeDir(info)) return false;

    char date[32];
    const std::time_t now = std::time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    const std::string body = "[Trash Info]\nPath=" + EscapePath(path) + "\nDeletionDate=" + date + "\n";

    const std::string base = FileNameOf(path);
    for (int n = 1; n < 10000; ++n) {
        const std::string name = n == 1 ? base : base + "." + std::to_string(n);
        const std::string infoPath = info + "/" + name + ".trashinfo";
        const int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        const bool written = ::write(fd, body.data(), body.size()) == ssize_t(body.size());
        ::close(fd);
        const std::string target = files + "/" + name;
        if (written && ::access(target.c_str(), F_OK) != 0 && ::rename(path.c_str(), target.c_str()) == 0)
            return true;
        const int err = errno;
        ::unlink(infoPath.c_str());
        if (written && ::access(target.c_str(), F_OK) == 0) continue;  // a stray file without info
        errno = err;
        return false;
    }
    return false;
}

Trash& DesktopTrash() {
    static FreedesktopTrash trash;
    return trash;
}

}  // namespace qz
