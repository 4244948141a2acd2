#include "document/doc_naming.h"

#include <sys/stat.h>

#include <cctype>

#include "document/kanji_code.h"
#include "platform/paths.h"

namespace qz {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool ListHas(std::string_view list, std::string_view ext) {
    size_t i = 0;
    while (true) {
        size_t j = list.find(',', i);
        std::string_view item = list.substr(i, j == std::string_view::npos ? j : j - i);
        if (EqualNoCase(item, ext)) return true;
        if (j == std::string_view::npos) return false;
        i = j + 1;
    }
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

int ChooseFileType(const Settings& s, const std::string& path) {
    std::string ext = SplitPath(path).ext;
    if (!ext.empty()) ext.erase(0, 1);
    for (int t = 1; t <= 5; ++t) {
        const TypeSettings& ts = s.Type(t);
        if (ts.Efect != 0 && ListHas(ts.FileExt, ext)) return t;
    }
    return 6;
}

std::string NewDocumentName(const std::string& dir,
                            const std::function<bool(const std::string&)>& isOpen) {
    const std::string base = (!dir.empty() && dir.back() == '/') ? dir : dir + "/";
    for (int n = 1;; ++n) {
        std::string name = base + "Text" + std::to_string(n) + ".txt";
        if (!FileExists(name) && !(isOpen && isOpen(name))) return name;
    }
}

std::string DocumentTitle(const TitleInputs& in) {
    const std::string name = FileNameOf(in.path);
    if (in.special) return name + "(" + in.specialDirectory + ")";
    if (in.minimized) return name;
    return in.path + std::string(KanjiLabel(in.kanjiCode, in.lineEnd));
}

}  // namespace qz
