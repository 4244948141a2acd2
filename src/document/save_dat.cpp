// The bytes of "SAVE.DAT": 32-bit little-endian integers, paths as native
// strings with their NUL.
#include "document/save_dat.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "document/file_ops.h"

namespace qz {

namespace {

constexpr size_t kMarkPathSize = 256;
constexpr size_t kEntryFixed = 16;  // code, line, eight blanks
// Longer than any path: an L beyond it is a damaged file, not a name.
constexpr uint32_t kEntryMax = 64 * 1024;

void PutInt(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

uint32_t GetInt(const char* p) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(p[i]);
    return v;
}

}  // namespace

std::string EncodeMarks(const SavedMarks& marks) {
    std::string out;
    out.reserve(kSavedMarkSize * kSavedMarkCount);
    for (const SavedMark& m : marks) {
        const bool fits = m.path.size() < kMarkPathSize;
        PutInt(out, fits ? uint32_t(m.used) : 0);
        std::string path(kMarkPathSize, '\0');
        if (fits) path.replace(0, m.path.size(), m.path);
        out += path;
        PutInt(out, m.window);
        PutInt(out, uint32_t(m.line));
    }
    return out;
}

std::string EncodeEntry(const ReopenEntry& e) {
    std::string out;
    PutInt(out, uint32_t(kEntryFixed + e.path.size() + 1));
    PutInt(out, uint32_t(e.code));
    PutInt(out, uint32_t(e.line));
    out.append(8, ' ');
    out += e.path;
    out.push_back('\0');
    return out;
}

SaveDatRead ReadSaveDat(const std::string& file, SavedMarks& marks, std::vector<ReopenEntry>& entries) {
    entries.clear();
    marks = {};
    const int fd = PosixFileOps().Open(file, O_RDONLY, 0);
    if (fd < 0) return SaveDatRead::Missing;
    std::string bytes;
    char buf[8192];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;  // what was read stands: later entries are short
        bytes.append(buf, size_t(n));
    }
    ::close(fd);
    if (bytes.size() < kSaveDatHeaderSize || bytes.compare(0, kSaveDatStampSize, kSaveDatStamp) != 0)
        return SaveDatRead::Damaged;
    for (size_t i = 0; i < kSavedMarkCount; ++i) {
        const char* m = bytes.data() + kSaveDatStampSize + i * kSavedMarkSize;
        SavedMark& out = marks[i];
        out.used = int32_t(GetInt(m));
        out.path.assign(m + 4, ::strnlen(m + 4, kMarkPathSize));
        out.window = GetInt(m + 4 + kMarkPathSize);
        out.line = int32_t(GetInt(m + 8 + kMarkPathSize));
    }
    for (size_t at = kSaveDatHeaderSize; at + 4 <= bytes.size();) {
        const uint32_t length = GetInt(bytes.data() + at);
        if (length <= kEntryFixed || length > kEntryMax || at + 4 + length > bytes.size()) break;
        const char* e = bytes.data() + at + 4;
        ReopenEntry entry;
        entry.code = int32_t(GetInt(e));
        entry.line = int32_t(GetInt(e + 4));
        entry.path.assign(e + kEntryFixed, ::strnlen(e + kEntryFixed, length - kEntryFixed));
        entries.push_back(std::move(entry));
        at += 4 + length;
    }
    return SaveDatRead::Ok;
}

bool SaveDatWriter::Append(const SavedMarks& marks, const ReopenEntry& e) {
    FileOps& ops = PosixFileOps();
    const int fd = created_ ? ops.Open(file_, O_RDWR, 0) : ops.Open(file_, O_RDWR | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) return false;
    std::string head = created_ ? std::string() : std::string(kSaveDatStamp, kSaveDatStampSize);
    head += EncodeMarks(marks);
    bool ok = ::lseek(fd, created_ ? off_t(kSaveDatStampSize) : 0, SEEK_SET) >= 0 &&
              WriteAll(ops, fd, head.data(), head.size());
    if (ok) created_ = true;
    const std::string entry = EncodeEntry(e);
    ok = ok && ::lseek(fd, 0, SEEK_END) >= 0 && WriteAll(ops, fd, entry.data(), entry.size());
    if (ops.Close(fd) != 0) ok = false;
    return ok;
}

}  // namespace qz
