// Look-up in a guidance file: a dictionary in lexpak's layout (entries that
// begin with a line ".headword", sorted by the upper-cased headword), read
// from disk again for every search.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// Bytes read per step of the linear searches and of an entry's body.
constexpr size_t kGuidanceBlockBytes = 102400;
// Bytes read at each step of the bisection.
constexpr size_t kGuidanceProbeBytes = 1024;
constexpr int kGuidanceBisectDepth = 8;

// Compares file text with a search key over key.size() bytes: single-byte
// letters of the text are upper-cased, a double-byte character compares as
// it stands. The difference of the first differing pair (file byte minus key
// byte, unsigned), 0 when the key matches. Text shorter than the key counts
// as a zero byte where it ends.
int CompareGuidanceKey(const uint8_t* text, size_t avail, std::string_view key);

// "\n." and the keyword (Shift-JIS) upper-cased: what an entry's line start
// is compared with. An empty keyword gives "\n.", which every entry matches.
std::string GuidanceSearchKey(std::string_view keywordSjis);

struct GuidanceEntry {
    enum Status { kFound, kNotFound, kCannotProcess };
    Status status = kNotFound;
    std::string headword;   // Shift-JIS, without its line end
    std::string body;       // Shift-JIS, CR LF as in the file
    int64_t start = 0;      // offset of the entry's "."
    int64_t end = 0;        // offset where its body ends (the next ".")
};

class GuidanceFile {
public:
    GuidanceFile() = default;
    ~GuidanceFile();
    GuidanceFile(const GuidanceFile&) = delete;
    GuidanceFile& operator=(const GuidanceFile&) = delete;

    // Opens the file for reading; false when it cannot be opened.
    bool Open(const std::string& pathUtf8);
    void Close();
    bool IsOpen() const { return fp_ != nullptr; }
    int64_t Length() const { return length_; }

    // Narrows where the linear search starts: an entry's offset that sorts
    // before the key, or 0.
    int64_t Bisect(std::string_view key);
    // The first entry at or after p that matches the key; it stops early at
    // a block whose last entry sorts after the key.
    GuidanceEntry Forward(int64_t p, std::string_view key);
    // The last entry before offset `before` that matches the key.
    GuidanceEntry Backward(int64_t before, std::string_view key);
    // The whole look-up of a keyword: bisection, then the forward search.
    GuidanceEntry Find(std::string_view keywordSjis);

private:
    // Reads up to n bytes at offset into out; the count read.
    size_t ReadAt(int64_t offset, uint8_t* out, size_t n);
    // Fills an entry whose "." is at buffer index dot of a block read from
    // file offset base (buffer index 0 is file offset base).
    GuidanceEntry EntryAt(const std::vector<uint8_t>& block, size_t used, size_t dot, int64_t base);

    std::FILE* fp_ = nullptr;
    int64_t length_ = 0;
};

}  // namespace qz
