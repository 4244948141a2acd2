// Parsing typed lines of the OS command window and converting command output.
#include "external/os_window_text.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/cp932.h"
#include "platform/paths.h"

namespace qz {
namespace {

bool ValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size() || (n == 2 && c < 0xC2) || (n == 4 && c > 0xF4)) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        if (n == 3) {
            const auto d = static_cast<unsigned char>(s[i + 1]);
            if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0)) return false;
        }
        if (n == 4) {
            const auto d = static_cast<unsigned char>(s[i + 1]);
            if ((c == 0xF0 && d < 0x90) || (c == 0xF4 && d >= 0x90)) return false;
        }
        i += n;
    }
    return true;
}

bool SjisTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Bytes of a line kept as they are, but never a lead byte without a trail.
void AppendKept(std::string& out, std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (!IsSjisLead(c)) {
            out += line[i];
        } else if (i + 1 < line.size() && SjisTrail(static_cast<unsigned char>(line[i + 1]))) {
            out.append(line.substr(i, 2));
            ++i;
        } else {
            out += '?';
        }
    }
}

}  // namespace

OsWindowLine ParseOsWindowLine(std::string_view text) {
    OsWindowLine r;
    std::string line(text.substr(0, text.find('\n')));
    for (char& c : line)
        if (c == '\t') c = ' ';
    line.erase(0, line.find_first_not_of(' ') == std::string::npos ? line.size() : line.find_first_not_of(' '));
    if (line.empty()) return r;
    const size_t end = line.find(' ');
    std::string word = line.substr(0, end);
    for (char& c : word)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    r.line = line;
    if (word == "EXIT") {
        r.kind = OsWindowLine::kExit;
    } else if (word == "CD") {
        r.kind = OsWindowLine::kCd;
        if (end != std::string::npos) {
            const size_t from = line.find_first_not_of(' ', end);
            if (from != std::string::npos) r.rest = line.substr(from);
        }
        while (!r.rest.empty() && r.rest.back() == ' ') r.rest.pop_back();
    } else if (word.size() == 2 && word[0] >= 'A' && word[0] <= 'Z' && word[1] == ':') {
        r.kind = OsWindowLine::kDrive;
    } else {
        r.kind = OsWindowLine::kRun;
    }
    return r;
}

std::string ChangeDirectory(const std::string& workDir, const std::string& rest) {
    std::string name = rest;
    if (name.size() >= 2 && (name[0] == '"' || name[0] == '\'') && name.back() == name[0])
        name = name.substr(1, name.size() - 2);
    if (name.empty()) return workDir;
    if (name == "~" || name.rfind("~/", 0) == 0) {
        const char* home = std::getenv("HOME");
        if (!home || !*home) return workDir;
        name = std::string(home) + name.substr(1);
    }
    const std::string target = FullPath(workDir, name);
    struct stat st;
    if (stat(target.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || access(target.c_str(), X_OK) != 0)
        return workDir;
    return target;
}

std::string ShellOutputToSjis(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::string line, sjis;
    for (size_t at = 0; at < bytes.size();) {
        size_t lf = bytes.find('\n', at);
        const size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
        line.clear();
        for (char c : bytes.substr(at, end - at))
            if (c != '\r' && c != '\0') line += c;
        at = end;
        const bool hasLf = !line.empty() && line.back() == '\n';
        if (hasLf) line.pop_back();
        if (ValidUtf8(line)) {
            // Strict first; a character Shift-JIS lacks becomes "?".
            if (!Utf8ToCp932(line, sjis)) sjis = Utf8ToSjis(line);
            AppendKept(out, sjis);
        } else {
            AppendKept(out, line);
        }
        if (hasLf) out += '\n';
    }
    return out;
}

}  // namespace qz
