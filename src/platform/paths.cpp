// POSIX path helpers and the program folder.
#include "platform/paths.h"

#include <dirent.h>

#include <algorithm>

#include <climits>
#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qz {

PathParts SplitPath(std::string_view path) {
    PathParts p;
    size_t slash = path.rfind('/');
    std::string_view name = path;
    if (slash != std::string_view::npos) {
        p.dir = std::string(path.substr(0, slash + 1));
        name = path.substr(slash + 1);
    }
    size_t dot = name.rfind('.');
    // A leading dot names a hidden file, not an extension.
    if (dot == std::string_view::npos || dot == 0) {
        p.stem = std::string(name);
    } else {
        p.stem = std::string(name.substr(0, dot));
        p.ext = std::string(name.substr(dot));
    }
    return p;
}

std::string FolderOf(std::string_view path) {
    size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string FileNameOf(std::string_view path) {
    size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string NormalizePath(std::string_view path) {
    bool absolute = !path.empty() && path[0] == '/';
    std::vector<std::string_view> parts;
    size_t i = 0;
    while (i < path.size()) {
        size_t j = path.find('/', i);
        if (j == std::string_view::npos) j = path.size();
        std::string_view part = path.substr(i, j - i);
        if (part.empty() || part == ".") {
        } else if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else if (!absolute) {
                parts.push_back(part);
            }
        } else {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out;
    for (std::string_view part : parts) {
        if (absolute || !out.empty()) out.push_back('/');
        out.append(part.data(), part.size());
    }
    if (absolute && out.empty()) out.assign(1, '/');
    if (out.empty()) out.assign(1, '.');
    return out;
}

std::string FullPath(std::string_view base, std::string_view name) {
    if (!name.empty() && name[0] == '/') return NormalizePath(name);
    std::string joined(base);
    joined += '/';
    joined += name;
    return NormalizePath(joined);
}

std::string CanonicalPath(std::string_view path) {
    std::string full = FullPath(CurrentDirectory(), path);
    // Resolve the longest existing prefix, keep the rest as written.
    std::string head = full, tail;
    while (true) {
        char buf[PATH_MAX];
        if (realpath(head.c_str(), buf)) {
            std::string out = buf;
            if (!tail.empty()) out = FullPath(out, tail);
            return out;
        }
        if (head == "/" || head.empty()) return full;
        std::string name = FileNameOf(head);
        tail = tail.empty() ? name : name + "/" + tail;
        head = FolderOf(head);
    }
}

bool SamePath(std::string_view a, std::string_view b) {
    return CanonicalPath(a) == CanonicalPath(b);
}

namespace {
size_t Utf8Length(std::string_view s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    size_t j = 1;
    while (j < len && i + j < s.size() && (static_cast<unsigned char>(s[i + j]) & 0xC0) == 0x80) ++j;
    return j;
}
}  // namespace

bool MatchWildcard(std::string_view p, std::string_view s) {
    size_t pi = 0, si = 0;
    size_t star = std::string_view::npos, resume = 0;
    while (si < s.size()) {
        if (pi < p.size() && p[pi] == '*') {
            star = ++pi;
            resume = si;
        } else if (pi < p.size() && p[pi] == '?') {
            ++pi;
            si += Utf8Length(s, si);
        } else if (pi < p.size() && p[pi] == s[si]) {
            ++pi;
            ++si;
        } else if (star != std::string_view::npos) {
            pi = star;
            resume += Utf8Length(s, resume);
            si = resume;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

std::string CurrentDirectory() {
    char buf[PATH_MAX];
    if (getcwd(buf, sizeof buf)) return buf;
    return "/";
}

bool SetCurrentDirectory(const std::string& dir) { return chdir(dir.c_str()) == 0; }

namespace {

std::string EnvFolder(const char* name) {
    const char* v = std::getenv(name);
    // Relative values are invalid by the base directory rules; they are ignored.
    return v && v[0] == '/' ? NormalizePath(v) : std::string();
}

std::string ExecutableFolder() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return CurrentDirectory();
    buf[n] = 0;
    return FolderOf(buf);
}

std::string HomeFolder() {
    if (std::string home = EnvFolder("HOME"); !home.empty()) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

// $XDG_<name>_HOME/qzed32, or ~/<fallback>/qzed32.
std::string XdgFolder(const std::string& xdg, const std::string& home, const char* fallback) {
    return FullPath(xdg.empty() ? FullPath(home, fallback) : xdg, "qzed32");
}

}  // namespace

FolderFacts FolderFacts::OfThisProcess() {
    FolderFacts f;
    if (const char* home = std::getenv("QZED_HOME"); home && *home) f.qzedHome = NormalizePath(home);
    f.exeFolder = ExecutableFolder();
    f.home = HomeFolder();
    f.xdgStateHome = EnvFolder("XDG_STATE_HOME");
    f.xdgDataHome = EnvFolder("XDG_DATA_HOME");
    // The first keyword file the settings name by default marks the data.
    f.exeHoldsData = access((f.exeFolder + "/yoyaku_c.tbl").c_str(), R_OK) == 0;
    f.exeWritable = access(f.exeFolder.c_str(), W_OK) == 0;
    return f;
}

ProgramFolders ChooseFolders(const FolderFacts& f) {
    if (!f.qzedHome.empty()) return {f.qzedHome, f.qzedHome, f.qzedHome};
    ProgramFolders out;
    out.data = f.exeHoldsData ? f.exeFolder : FullPath(f.exeFolder, "../share/qzed32");
    // An installed program's folder is no place for a user's files, even for
    // a user who may write there.
    out.state = f.exeHoldsData && f.exeWritable ? f.exeFolder : XdgFolder(f.xdgStateHome, f.home, ".local/state");
    out.userData = XdgFolder(f.xdgDataHome, f.home, ".local/share");
    return out;
}

std::string ProgramFolder() {
    const FolderFacts f = FolderFacts::OfThisProcess();
    return f.qzedHome.empty() ? f.exeFolder : f.qzedHome;
}

std::string DataFolder() { return ChooseFolders(FolderFacts::OfThisProcess()).data; }
std::string StateFolder() { return ChooseFolders(FolderFacts::OfThisProcess()).state; }
std::string UserDataFolder() { return ChooseFolders(FolderFacts::OfThisProcess()).userData; }

bool MakeFolders(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const std::string parent = FolderOf(path);
    if (!parent.empty() && parent != path && !MakeFolders(parent)) return false;
    return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}



bool ListFolder(const std::string& dir, std::vector<std::string>& names) {
    names.clear();
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return false;
    while (dirent* e = readdir(d)) {
        const std::string_view n = e->d_name;
        if (n == "." || n == "..") continue;
        names.emplace_back(n);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return true;
}

}  // namespace qz
