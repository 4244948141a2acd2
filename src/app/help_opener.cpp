// The help opener's choices, kept apart from the process start so that tests
// can see them.
#include "app/help_opener.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"

namespace qz {

namespace {

bool IsFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsProgram(const std::string& path) { return IsFile(path) && ::access(path.c_str(), X_OK) == 0; }

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

}  // namespace

std::string FindProgram(const std::string& name, const char* pathEnv) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return IsProgram(name) ? name : std::string();
    const std::string path = pathEnv ? pathEnv : "";
    for (size_t at = 0; at <= path.size();) {
        size_t end = path.find(':', at);
        if (end == std::string::npos) end = path.size();
        const std::string dir = end > at ? path.substr(at, end - at) : ".";
        if (const std::string full = dir + "/" + name; IsProgram(full)) return full;
        at = end + 1;
    }
    return {};
}

std::string FileUrl(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

HelpLaunch PrepareHelpPage(const std::string& dataFolder, const std::string& page, const std::string& anchor,
                           const char* pathEnv, const char* browserEnv) {
    HelpLaunch h;
    h.page = FullPath(FullPath(dataFolder, "help"), page);
    h.target = FileUrl(h.page) + (anchor.empty() ? "" : "#" + anchor);
    if (!IsFile(h.page)) {
        h.error = std::string(kMsgCannotOpenHelp) + "\n" + h.page;
        return h;
    }
    // $BROWSER is a list of programs, the first one present wins.
    const std::string browsers = browserEnv ? browserEnv : "";
    for (size_t at = 0; at < browsers.size() && h.program.empty();) {
        size_t end = browsers.find(':', at);
        if (end == std::string::npos) end = browsers.size();
        const std::string entry = Trim(browsers.substr(at, end - at));
        h.program = FindProgram(entry.substr(0, entry.find(' ')), pathEnv);
        at = end + 1;
    }
    if (h.program.empty()) h.program = FindProgram("xdg-open", pathEnv);
    if (h.program.empty()) h.error = HelpStartFailure(h);
    return h;
}

std::string HelpStartFailure(const HelpLaunch& launch) {
    return std::string(kMsgCannotOpenHelp) + "\nブラウザが見つかりません。次のファイルをブラウザで開いてください:\n" +
           launch.page;
}

}  // namespace qz
