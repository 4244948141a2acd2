#include "print/header_footer.h"

#include <sys/stat.h>

#include <cstdio>

namespace qz {

namespace {

std::string Date(const std::tm& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", (t.tm_year + 1900) % 100, t.tm_mon + 1, t.tm_mday);
    return buf;
}

std::string Time(const std::tm& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

// The file's modification time, or false when the file cannot be examined.
bool FileTime(const std::string& path, std::tm& out) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
    return localtime_r(&st.st_mtime, &out) != nullptr;
}

}  // namespace

HeaderFooterTexts ExpandHeaderFooter(const std::string& tmpl, int pageNumber, int pageCount,
                                     const std::string& documentPath, const std::tm& now) {
    HeaderFooterTexts out;
    std::string* section = &out.left;
    const size_t slash = documentPath.rfind('/');
    // The file's status is read at most once per expansion.
    int fileKnown = -1;
    std::tm fileTime{};
    auto haveFileTime = [&] {
        if (fileKnown < 0) fileKnown = FileTime(documentPath, fileTime) ? 1 : 0;
        return fileKnown == 1;
    };
    for (size_t i = 0; i < tmpl.size(); ++i) {
        const char c = tmpl[i];
        if (c != '&') {
            *section += c;
            continue;
        }
        if (++i == tmpl.size()) break;  // a lone '&' at the end has no code
        switch (tmpl[i]) {
        case 'L': section = &out.left; break;
        case 'C': section = &out.centre; break;
        case 'R': section = &out.right; break;
        case 'N':
            if (slash != std::string::npos) *section += documentPath.substr(0, slash);
            break;
        case 'F':
            if (slash != std::string::npos) *section += documentPath.substr(slash + 1);
            break;
        case 'Y': *section += haveFileTime() ? Date(fileTime) : "--/--/--"; break;
        case 'H': *section += haveFileTime() ? Time(fileTime) : "--:--:--"; break;
        case 'D': *section += Date(now); break;
        case 'T': *section += Time(now); break;
        case 'G': *section += std::to_string(pageCount); break;
        case 'P': *section += std::to_string(pageNumber); break;
        default: *section += tmpl[i]; break;  // "&&" and any unknown code
        }
    }
    return out;
}

}  // namespace qz
