// Look-up in a guidance file: bisection over 1 KB probes, then linear
// searches over 100 KB blocks, forward or backward.
#include "lang/guidance_file.h"

#include <algorithm>
#include <cstring>

namespace qz {

namespace {

// Lead bytes as the dictionary's comparison knows them (no 0xFF).
constexpr bool IsLead(uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
constexpr uint8_t Upper(uint8_t c) { return c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - 'a' + 'A') : c; }

// Index of the last line feed in b[from, to), or npos.
size_t LastLineFeed(const uint8_t* b, size_t from, size_t to) {
    for (size_t i = to; i > from; --i)
        if (b[i - 1] == '\n') return i - 1;
    return std::string::npos;
}

}  // namespace

int CompareGuidanceKey(const uint8_t* text, size_t avail, std::string_view key) {
    const auto* k = reinterpret_cast<const uint8_t*>(key.data());
    auto at = [&](size_t i) -> uint8_t { return i < avail ? text[i] : 0; };
    for (size_t i = 0; i < key.size();) {
        const uint8_t a = at(i);
        if (IsLead(a)) {
            if (a != k[i]) return a - k[i];
            if (i + 1 < key.size() && at(i + 1) != k[i + 1]) return at(i + 1) - k[i + 1];
            i += 2;
            continue;
        }
        if (Upper(a) != k[i]) return Upper(a) - k[i];
        ++i;
    }
    return 0;
}

std::string GuidanceSearchKey(std::string_view keywordSjis) {
    std::string key = "\n.";
    for (size_t i = 0; i < keywordSjis.size(); ++i) {
        const auto c = static_cast<uint8_t>(keywordSjis[i]);
        if (IsLead(c) && i + 1 < keywordSjis.size()) {
            key += keywordSjis.substr(i, 2);
            ++i;
        } else {
            key += static_cast<char>(Upper(c));
        }
    }
    return key;
}

GuidanceFile::~GuidanceFile() { Close(); }

bool GuidanceFile::Open(const std::string& pathUtf8) {
    Close();
    fp_ = std::fopen(pathUtf8.c_str(), "rb");
    if (!fp_) return false;
    if (std::fseek(fp_, 0, SEEK_END) != 0 || (length_ = std::ftell(fp_)) < 0) {
        Close();
        return false;
    }
    return true;
}

void GuidanceFile::Close() {
    if (fp_) std::fclose(fp_);
    fp_ = nullptr;
    length_ = 0;
}

size_t GuidanceFile::ReadAt(int64_t offset, uint8_t* out, size_t n) {
    if (!fp_ || n == 0 || offset < 0 || std::fseek(fp_, static_cast<long>(offset), SEEK_SET) != 0) return 0;
    return std::fread(out, 1, n, fp_);
}

int64_t GuidanceFile::Bisect(std::string_view key) {
    int64_t low = 0, high = length_;
    uint8_t probe[kGuidanceProbeBytes];
    for (int depth = kGuidanceBisectDepth; depth >= 1; --depth) {
        const int64_t middle = low + (high - low) / 2;
        const size_t got = ReadAt(middle, probe, sizeof probe);
        if (got == 0) break;
        const size_t lf = LastLineFeed(probe, 0, got);
        const size_t n = lf == std::string::npos ? 0 : lf + 1;
        size_t at = 0;
        while (at + 1 < n && !(probe[at] == '\n' && probe[at + 1] == '.')) ++at;
        if (at + 1 >= n) break;
        // A probe too short to hold the whole key proves nothing: moving high
        // down only costs a longer linear search, moving low up could skip
        // the entry.
        if (n - at < key.size() || CompareGuidanceKey(probe + at, n - at, key) >= 0) high = middle;
        else low = middle + static_cast<int64_t>(at) + 1;
    }
    return low;
}

GuidanceEntry GuidanceFile::Forward(int64_t p, std::string_view key) {
    // Index 0 is a line feed of our own, so that an entry beginning exactly
    // at p counts; index i stands for file offset p - 1 + i.
    std::vector<uint8_t> buf(kGuidanceBlockBytes + 1);
    const size_t k = key.size();
    for (;;) {
        buf[0] = '\n';
        const size_t got = ReadAt(p, buf.data() + 1, kGuidanceBlockBytes);
        if (got == 0) return {};
        size_t used = got + 1;
        if (got == kGuidanceBlockBytes && buf[used - 1] != '\n') {
            // A line longer than the block is kept whole: cutting it away
            // would leave nothing to step over.
            const size_t lf = LastLineFeed(buf.data(), 1, used);
            if (lf != std::string::npos) used = lf + 1;
        }
        for (const uint8_t* q = buf.data(); (q = static_cast<const uint8_t*>(
                                                 std::memchr(q, '\n', used - (q - buf.data())))) != nullptr;
             ++q) {
            const size_t i = static_cast<size_t>(q - buf.data());
            if (i + 1 < used && buf[i + 1] == '.' && CompareGuidanceKey(q, used - i, key) == 0)
                return EntryAt(buf, used, i + 1, p - 1);
        }
        // The file is sorted: once the block's last entry sorts after the
        // key, no later entry can match.
        if (used > k) {
            for (size_t j = used - k + 1; j-- > 0;) {
                if (buf[j] != '\n' || buf[j + 1] != '.') continue;
                if (CompareGuidanceKey(&buf[j], used - j, key) > 0) return {};
                break;
            }
        }
        p += static_cast<int64_t>(used - 1);
    }
}

GuidanceEntry GuidanceFile::EntryAt(const std::vector<uint8_t>& block, size_t used, size_t dot, int64_t base) {
    GuidanceEntry e;
    e.status = GuidanceEntry::kFound;
    e.start = base + static_cast<int64_t>(dot);
    // The headword ends at a carriage return or, for files with bare line
    // feeds, at a line feed.
    size_t h = dot + 1;
    while (h < used && block[h] != '\r' && block[h] != '\n') ++h;
    e.headword.assign(reinterpret_cast<const char*>(block.data()) + dot + 1, h - dot - 1);
    if (h < used && block[h] == '\r') ++h;
    if (h < used && block[h] == '\n') ++h;
    // A body that starts a line may itself be the next entry's "." line.
    const bool lineStart = block[h - 1] == '\n';

    // The body: from after the headword's line to the next line that begins
    // with ".", across further blocks when it is long.
    const int64_t bodyStart = base + static_cast<int64_t>(h);
    auto nextEntry = [](const char* text, size_t from, size_t n, bool lineStart) -> size_t {
        if (from == 0 && n > 0 && lineStart && text[0] == '.') return 0;
        for (const char* q = text + from; (q = static_cast<const char*>(std::memchr(q, '\n', n - (q - text))));) {
            ++q;
            if (q < text + n && *q == '.') return static_cast<size_t>(q - text);
        }
        return std::string::npos;
    };
    const char* rest = reinterpret_cast<const char*>(block.data()) + h;
    std::string& body = e.body;
    size_t q = nextEntry(rest, 0, used - h, lineStart);
    body.assign(rest, q == std::string::npos ? used - h : q);
    int64_t next = base + static_cast<int64_t>(used);
    std::vector<char> more(q == std::string::npos ? kGuidanceBlockBytes : 0);
    while (q == std::string::npos) {
        const size_t got = ReadAt(next, reinterpret_cast<uint8_t*>(more.data()), more.size());
        if (got == 0) break;
        // One byte back, so that a line feed at the end of what we have counts.
        const size_t from = body.empty() ? 0 : body.size() - 1;
        body.append(more.data(), got);
        next += static_cast<int64_t>(got);
        q = nextEntry(body.data(), from, body.size(), lineStart);
        if (q != std::string::npos) body.resize(q);
    }
    e.end = bodyStart + static_cast<int64_t>(body.size());
    return e;
}

GuidanceEntry GuidanceFile::Backward(int64_t before, std::string_view key) {
    GuidanceEntry cannot;
    cannot.status = GuidanceEntry::kCannotProcess;
    std::vector<uint8_t> buf(kGuidanceBlockBytes + 1);
    int64_t blockEnd = std::min(before, length_);
    for (;;) {
        const size_t ask = static_cast<size_t>(std::min<int64_t>(blockEnd, kGuidanceBlockBytes));
        const int64_t blockStart = blockEnd - static_cast<int64_t>(ask);
        // At the file's start the first entry has no line feed before it:
        // give it one, as the forward search does.
        const size_t lead = blockStart == 0 ? 1 : 0;
        buf[0] = '\n';
        const size_t got = ReadAt(blockStart, buf.data() + lead, ask);
        if (got < ask) return cannot;
        const size_t used = lead + got;
        const auto* first = static_cast<const uint8_t*>(std::memchr(buf.data(), '\n', used));
        if (!first) return cannot;
        const size_t f = static_cast<size_t>(first - buf.data());
        size_t firstEntry = std::string::npos;
        for (size_t i = used; i-- > f;) {
            if (buf[i] != '\n' || i + 1 >= used || buf[i + 1] != '.') continue;
            firstEntry = i;
            if (CompareGuidanceKey(&buf[i], used - i, key) == 0)
                return Forward(blockStart + static_cast<int64_t>(i + 1 - lead), "\n.");
        }
        if (blockStart == 0) return {};
        if (firstEntry != std::string::npos && CompareGuidanceKey(&buf[firstEntry], used - firstEntry, key) < 0)
            return {};
        blockEnd = blockStart + static_cast<int64_t>(f);
    }
}

GuidanceEntry GuidanceFile::Find(std::string_view keywordSjis) {
    const std::string key = GuidanceSearchKey(keywordSjis);
    return Forward(Bisect(key), key);
}

}  // namespace qz
