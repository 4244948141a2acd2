// Entry scan, key order and ordered copy of the dictionary sort.
#include "lexpak/dict_sort.h"

#include "lexpak/dict_convert.h"
#include "lexpak/sjis_upper.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <numeric>

namespace lexpak {
namespace {

constexpr size_t kScanChunk = 1 << 20;

// Walks the input in large chunks; equivalent to the 4,096-byte blocks cut
// back to a line end: those fail exactly when a line holds 4,096 bytes or
// more before its line feed (or before the end of the input).
template <typename OnEntry>
SortResult Scan(RandomInput& in, OnEntry on_entry) {
    const uint64_t size = in.Size();
    std::string chunk(kScanChunk, '\0');
    uint64_t line_len = 0;
    bool after_lf = true;
    for (uint64_t base = 0; base < size; base += kScanChunk) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(kScanChunk, size - base));
        if (!in.ReadAt(base, chunk.data(), n)) return SortResult::kReadError;
        const char* p = chunk.data();
        size_t i = 0;
        while (i < n) {
            if (after_lf && p[i] == '.') {
                if (!on_entry(base + i)) return SortResult::kNoMemory;
            }
            const void* lf = std::memchr(p + i, '\n', n - i);
            size_t end = lf ? static_cast<size_t>(static_cast<const char*>(lf) - p) : n;
            line_len += end - i;
            if (line_len >= kBlockBytes) return SortResult::kLineTooLong;
            if (lf) {
                line_len = 0;
                after_lf = true;
                i = end + 1;
            } else {
                after_lf = false;
                i = n;
            }
        }
    }
    return SortResult::kOk;
}

// Upper-cased first line of an entry, up to 256 bytes, cut at its line end.
bool TieLine(RandomInput& in, const SortRecord& r, std::string& line) {
    size_t n = std::min<size_t>(kTieLineBytes, r.length);
    line.resize(n);
    if (!in.ReadAt(r.offset(), line.data(), n)) return false;
    size_t end = line.find_first_of("\r\n");
    if (end != std::string::npos) line.resize(end);
    UpperSjis(reinterpret_cast<const uint8_t*>(line.data()), line.size(),
              reinterpret_cast<uint8_t*>(line.data()));
    return true;
}

bool KeyLess(const SortRecord& a, const SortRecord& b) {
    return std::memcmp(a.key, b.key, sizeof a.key) < 0;
}

}  // namespace

SortResult ScanEntries(RandomInput& in, std::vector<SortRecord>& records) {
    records.clear();
    uint64_t count = 0;
    SortResult r = Scan(in, [&](uint64_t) {
        ++count;
        return true;
    });
    if (r != SortResult::kOk) return r;
    try {
        records.reserve(count);
    } catch (const std::exception&) {
        return SortResult::kNoMemory;
    }
    const uint64_t size = in.Size();
    r = Scan(in, [&](uint64_t off) {
        if (records.size() == count) return false;  // the input grew between scans
        if (!records.empty()) {
            uint64_t len = off - records.back().offset();
            if (len > UINT32_MAX) return false;
            records.back().length = static_cast<uint32_t>(len);
        }
        SortRecord rec{};
        rec.offset_low = static_cast<uint32_t>(off);
        rec.offset_high = static_cast<uint32_t>(off >> 32);
        uint8_t raw[sizeof rec.key] = {};
        size_t n = static_cast<size_t>(std::min<uint64_t>(sizeof raw, size - off - 1));
        if (n > 0 && !in.ReadAt(off + 1, reinterpret_cast<char*>(raw), n)) n = 0;
        size_t k = 0;
        while (k < n && raw[k] != '\r' && raw[k] != '\n') ++k;
        UpperSjis(raw, k, rec.key);
        records.push_back(rec);
        return true;
    });
    if (r != SortResult::kOk) return r;
    if (!records.empty()) {
        uint64_t len = size - records.back().offset();
        if (len > UINT32_MAX) return SortResult::kNoMemory;
        records.back().length = static_cast<uint32_t>(len);
    }
    return SortResult::kOk;
}

SortResult SortEntries(RandomInput& in, std::vector<SortRecord>& records) {
    std::sort(records.begin(), records.end(), KeyLess);
    // Equal keys are rare; their first lines are read once each and the run
    // is ordered by them, which gives the same order as comparing keys and
    // then lines in one comparison.
    std::vector<std::pair<std::string, SortRecord>> run;
    for (size_t i = 0; i < records.size();) {
        size_t j = i + 1;
        while (j < records.size() && !KeyLess(records[i], records[j])) ++j;
        if (j - i > 1) {
            run.resize(j - i);
            for (size_t k = i; k < j; ++k) {
                run[k - i].second = records[k];
                if (!TieLine(in, records[k], run[k - i].first)) return SortResult::kReadError;
            }
            std::sort(run.begin(), run.end(),
                      [](const auto& a, const auto& b) { return a.first < b.first; });
            for (size_t k = i; k < j; ++k) records[k] = run[k - i].second;
        }
        i = j;
    }
    return SortResult::kOk;
}

SortResult WriteEntries(RandomInput& in, const std::vector<SortRecord>& records, ByteSink& out) {
    const uint64_t size = in.Size();
    char piece[kCopyBytes];
    for (const SortRecord& r : records) {
        uint64_t off = r.offset();
        uint32_t left = r.length;
        char last = '\n';
        while (left > 0) {
            size_t n = std::min<size_t>(kCopyBytes, left);
            if (!in.ReadAt(off, piece, n)) return SortResult::kReadError;
            if (!out.Write(piece, n)) return SortResult::kWriteError;
            last = piece[n - 1];
            off += n;
            left -= static_cast<uint32_t>(n);
        }
        if (last != '\n' && r.offset() + r.length == size && !out.Write("\r\n", 2))
            return SortResult::kWriteError;
    }
    return SortResult::kOk;
}

}  // namespace lexpak
