// The drive box of the grep and tag dialogs.
#include "external/folder_roots.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace qz {
namespace {

// Mount tables write a blank, a tab, a line feed and a backslash as \ooo.
std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        auto octal = [&](size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '7'; };
        if (s[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool Under(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

}  // namespace

std::vector<std::string> FolderRoots(const std::string& mountsText, const std::string& home) {
    std::vector<std::string> roots{"/"};
    auto add = [&roots](const std::string& p) {
        if (!p.empty() && std::find(roots.begin(), roots.end(), p) == roots.end()) roots.push_back(p);
    };
    add(home);
    std::istringstream in(mountsText);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string device, dir, type;
        if (!(fields >> device >> dir >> type)) continue;
        dir = Unescape(dir);
        const bool network = type == "nfs" || type == "nfs4" || type == "cifs" || type == "smb3" ||
                             type == "sshfs" || type == "fuse.sshfs";
        if (network || Under(dir, "/media") || Under(dir, "/mnt") || Under(dir, "/run/media")) add(dir);
    }
    return roots;
}

std::vector<std::string> FolderRootsNow() {
    std::ifstream in("/proc/self/mounts");
    std::stringstream text;
    text << in.rdbuf();
    const char* home = std::getenv("HOME");
    return FolderRoots(text.str(), home ? home : "");
}

}  // namespace qz
