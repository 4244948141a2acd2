// Folder listing and matching for the grep program's file arguments.
#include "qzgrep/file_walk.h"

#include "platform/paths.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace qzgrep {
namespace {

bool HasWildcard(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

bool IsFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Only real folders are descended into: a link to a folder could lead back
// up the tree and never end.
bool IsRealFolder(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

class Walker {
public:
    Walker(bool recurse, const WalkCallbacks& cb) : recurse_(recurse), cb_(cb) {}

    void Folder(const std::string& dir, const std::string& pattern) {
        std::vector<std::string> names;
        const bool listed = qz::ListFolder(dir, names);
        if (HasWildcard(pattern)) {
            if (!listed) {
                cb_.problem("Can't be opened. '" + (dir.empty() ? std::string(".") : dir) + "'");
                return;
            }
            for (const std::string& n : names)
                if (qz::MatchWildcard(pattern, n)) Candidate(dir + n);
        } else if (!pattern.empty() && Exists(dir + pattern)) {
            Candidate(dir + pattern);
        }
        if (!recurse_ || !listed) return;
        for (const std::string& n : names)
            if (IsRealFolder(dir + n)) Folder(dir + n + '/', pattern);
    }

    long count() const { return count_; }

private:
    void Candidate(const std::string& path) {
        if (IsFolder(path)) {
            // With subfolders it is searched as one; otherwise say why it
            // yields nothing.
            if (!recurse_) cb_.problem("'" + path + "' is a folder, skipped");
            return;
        }
        ++count_;
        cb_.file(path);
    }

    bool recurse_;
    const WalkCallbacks& cb_;
    long count_ = 0;
};

}  // namespace

long WalkFileArgument(const std::string& arg, bool recurse, const WalkCallbacks& cb) {
    size_t slash = arg.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : arg.substr(0, slash + 1);
    Walker w(recurse, cb);
    w.Folder(dir, arg.substr(dir.size()));
    return w.count();
}

}  // namespace qzgrep
