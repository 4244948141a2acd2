// Shared helpers of the file load and save tests.
#include "file_test_util.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace qz::test {

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? unsigned(st.st_mode & 07777) : 0;
}

void SetFileTime(const std::string& path, long sec) {
    struct timespec t[2] = {{sec, 0}, {sec, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), t, 0), 0);
}

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(d)) {
            const std::string n = e->d_name;
            if (n != "." && n != "..") names.push_back(n);
        }
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string TextOf(CQzedDoc& doc) {
    std::string s(doc.GetTextLength(), '\0');
    if (!s.empty()) s.resize(doc.ReadText(1, s.data(), uint32_t(s.size())));
    return s;
}

void ReplaceText(CQzedDoc& doc, const std::string& sjis) {
    doc.BeginUndoGroup();
    if (doc.GetTextLength()) doc.DeleteText(1, doc.GetTextLength());
    doc.InsertText(1, sjis.data(), uint32_t(sjis.size()), 0);
}

namespace {
void RemoveTree(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return;
    if (S_ISDIR(st.st_mode)) {
        ::chmod(path.c_str(), 0700);
        for (const std::string& n : ListFolder(path)) RemoveTree(path + "/" + n);
        ::rmdir(path.c_str());
    } else {
        ::unlink(path.c_str());
    }
}
}  // namespace

void FileTest::SetUp() {
    saved_ = TheSettings();
    TheSettings() = Settings();
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qzfile-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    host_.io = &io_;
}

void FileTest::TearDown() {
    RemoveTree(dir_);
    TheSettings() = saved_;
}

}  // namespace qz::test
