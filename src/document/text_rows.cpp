// Text store: the row and line questions the views ask (row text, row and
// offset conversions, line numbers, comment state at a row start).
#include <cstdio>
#include <cstring>

#include "document/text_store.h"
#include "platform/cp932.h"

namespace qz {

namespace {

std::string F(const char* fmt, long long v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, static_cast<int>(v));
    return buf;
}

}  // namespace

uint32_t TextStore::GetRowText(uint32_t r, char* buf) {
    buf[0] = 0;
    if (r == 0 || r - 1 > totalCR_) return 0;
    Found f;
    uint32_t off, lfBefore;
    if (rowCacheValid_ && rowCacheRow_ == r) {
        f = rowCache_.f;
        off = rowCache_.off;
        lfBefore = rowCache_.lfBefore;
        SetCursor(f, kMakeRowText);
    } else {
        RowPos rp = FindRow(r, 9, 10, 9, kMakeRowText);
        f = rp.f;
        off = rp.off;
        lfBefore = rp.lfBefore;
    }
    // The walk starts in column 0 and ends by the same rules as the layout,
    // so a row holds at most wrap width + 3 bytes whatever the records say.
    uint32_t n = 0;
    int col = 0;
    bool kan = false, done = false, lf = false;
    const int w = wrap_;
    for (;;) {
        const StoreRecord& rec = Rec(f.rec);
        const uint8_t* p = rec.text;
        const uint32_t size = rec.SIZE;
        while (off < size) {
            if (!kan) {
                // Plain single-byte characters up to the wrap column go in one copy.
                uint32_t lim = size - off;
                const uint32_t room = col >= w ? 1u : static_cast<uint32_t>(w - col);
                if (lim > room) lim = room;
                const uint32_t j = PlainRun(p + off, lim);
                if (j) {
                    std::memcpy(buf + n, p + off, j);
                    n += j;
                    off += j;
                    col += static_cast<int>(j);
                    if (col >= w) {
                        done = true;
                        break;
                    }
                    if (off >= size) break;
                }
            }
            const uint8_t b = p[off++];
            buf[n++] = static_cast<char>(b);
            if (kan) {
                kan = false;
                if (++col >= w) {
                    done = true;
                    break;
                }
                continue;
            }
            const uint8_t c = rowCls_[b];
            if (c == 1) {  // lead byte: no wrap before its trail byte
                ++col;
                kan = true;
            } else if (c == 2) {
                done = lf = true;
                break;
            } else if (c == 3) {
                const int before = col;
                col = NextTab(col);
                if (before >= w) {
                    done = true;
                    break;
                }
            } else if (++col >= w) {  // half-width kana left by the word skip
                done = true;
                break;
            }
        }
        if (done || !rec.NEXT) break;
        f = Found{rec.NEXT, f.sSize + rec.SIZE, f.sCr + rec.CR, f.sDcr + rec.DCR, SegAfter(f.seg, rec.NEXT)};
        off = 0;
    }
    buf[n] = 0;
    if (done) {
        rowCache_.f = f;
        rowCache_.off = off;
        rowCache_.lfBefore = lfBefore + (lf ? 1u : 0u);
        rowCacheRow_ = r + 1;
        rowCacheValid_ = true;
    } else {
        rowCacheValid_ = false;
    }
    return n;
}

uint32_t TextStore::RowToOffset(uint32_t r) {
    if (r == 0 || r - 1 > totalCR_) return 0;
    RowPos rp = FindRow(r, 11, 12, 13, kMakeRowToOffset);
    return rp.f.sSize + rp.off + 1;
}

uint32_t TextStore::OffsetToRow(uint32_t p) {
    if (p == 0 || p - 1 > totalBytes_) return 0;
    const uint32_t t = p - 1;
    Found f = Locate(Measure::Bytes, Rule::After, t, 14, 15, "No :%d", "Ofs:%d");
    SetCursor(f, kMakeOffsetToRow);
    const StoreRecord& rec = Rec(f.rec);
    const uint32_t k = t - f.sSize;
    if (k > rec.SIZE) InternalError(16, F("Ofs :%d", k), F("Size:%d", rec.SIZE));
    // Only breaks matter here, so the walk skips the comment machine.
    BreakWalk w = StartWalk(rec);
    WalkBreaks(rec, w, k);
    return f.sCr + w.breaks + 1;
}

uint32_t TextStore::LineToRow(uint32_t l) {
    if (l == 0 || l - 1 > totalLF_) return 0;
    const uint32_t t = l - 1;
    if (t == 0) return 1;
    Found f = Locate(Measure::Lines, Rule::After, t, 17, 18, "No  :%d", "Line:%d");
    const StoreRecord& rec = Rec(f.rec);
    const uint32_t want = t - (f.sCr - f.sDcr);
    BreakWalk w = StartWalk(rec);
    WalkBreaks(rec, w, rec.SIZE, ~0u, want);
    if (w.lfs < want) InternalError(19, F("Line:%d", want - w.lfs));
    const uint32_t row = f.sCr + w.breaks + 1;
    if (row < l) InternalError(20, F("OriLine:%d", l), F("Cr     :%d", row), F("No     :%d", f.rec));
    return row;
}

uint32_t TextStore::RowToLine(uint32_t r) {
    if (r == 0 || r - 1 > totalCR_) return 0;
    RowPos rp = FindRow(r, 21, 22, 23, -1);
    const uint32_t line = rp.lfBefore + 1;
    if (line > r) InternalError(24, F("OriLine:%d", r), F("Cr     :%d", line), F("No     :%d", rp.f.rec));
    return line;
}

uint32_t TextStore::RowColumnToLineOffset(uint32_t r, uint32_t k) {
    if (r == 0 || r - 1 > totalCR_) return 0;
    RowPos rp = FindRow(r, 25, 26, 27, -1);
    const uint32_t rowStart = rp.f.sSize + rp.off;
    const uint32_t line = rp.lfBefore + 1;
    uint32_t lineStart = 0, firstRow = 1, rec = head_, off = 0;
    if (line > 1) {
        Found f = Locate(Measure::Lines, Rule::After, line - 1, 25, 26, "No     :%d", "OriLine:%d");
        const StoreRecord& lr = Rec(f.rec);
        const uint32_t want = line - 1 - (f.sCr - f.sDcr);
        BreakWalk w = StartWalk(lr);
        WalkBreaks(lr, w, lr.SIZE, ~0u, want);
        if (w.lfs < want) InternalError(27, F("OriLine:%d", r));
        lineStart = f.sSize + w.i;
        firstRow = f.sCr + w.breaks + 1;
        rec = f.rec;
        off = w.i;
    }
    if (firstRow > r || lineStart > rowStart) InternalError(28, F("Line:%d", line), F("Cr  :%d", firstRow));
    // The rows between the line's start and row r must hold no line feed.
    uint32_t left = rowStart - lineStart;
    bool kan = false;
    while (left) {
        const StoreRecord& lr = Rec(rec);
        if (off >= lr.SIZE) {
            if (!lr.NEXT) InternalError(30);
            rec = lr.NEXT;
            off = 0;
            continue;
        }
        const uint8_t b = lr.text[off++];
        --left;
        if (kan) kan = false;
        else if (IsSjisLead(b)) kan = true;
        else if (b == '\n') InternalError(29, F("SrcLine:%d", line));
    }
    return rowStart - lineStart + k;
}

int TextStore::RowStartState(uint32_t r, int* top, uint8_t* chr) {
    if (r == 0 || r - 1 > totalCR_) {
        if (top) *top = 1;
        if (chr) *chr = 0;
        return kComNormal;
    }
    // The comment machine runs from the record's start to the row's.
    const RowPos rp = FindRow(r, 31, 32, 33, -1);
    const StoreRecord& rec = Rec(rp.f.rec);
    ScanState st = StartState(rec);
    for (uint32_t i = 0; i < rp.off; ++i) Step(st, rec.text[i]);
    if (top) *top = st.top;
    if (chr) *chr = st.chr;
    return st.com;
}

// ---------------------------------------------------------------- invariants

std::string TextStore::Check() const {
    char buf[160];
    auto bad = [&buf](const char* fmt, long long a = 0, long long b = 0, long long c = 0) {
        std::snprintf(buf, sizeof buf, fmt, a, b, c);
        return std::string(buf);
    };
    if (!chunkCount_) return "no chunk";
    uint64_t sSize = 0, sCr = 0, sDcr = 0;
    bool cursorSeen = false;
    uint32_t count = 0, prev = 0;
    for (uint32_t x = head_; x; x = Rec(x).NEXT) {
        if (x > chunkCount_ * kChunkRecords) return bad("record %lld outside the chunks", x);
        const StoreRecord& r = Rec(x);
        if (++count > inUse_) return bad("chain longer than the %lld records in use", inUse_);
        if (r.used != 1) return bad("record %lld in the chain is not in use", x);
        if (r.NOW != x) return bad("record %lld has NOW %lld", x, r.NOW);
        if (r.BEFORE != prev) return bad("record %lld has BEFORE %lld, expected %lld", x, r.BEFORE, prev);
        if (r.SIZE > kRecordText) return bad("record %lld has SIZE %lld", x, r.SIZE);
        for (uint32_t i = r.SIZE; i < kRecordText; ++i)
            if (r.text[i]) return bad("record %lld has a byte after SIZE at %lld", x, i);
        if (r.SIZE == 0 && r.NEXT) return bad("empty record %lld inside the chain", x);
        if (x == cursor_.FATNO) {
            cursorSeen = true;
            if (sSize != cursor_.SIZE || sCr != cursor_.CR || sDcr != cursor_.DCR)
                return bad("cursor sums %lld/%lld/%lld differ from the chain", cursor_.SIZE, cursor_.CR,
                           cursor_.DCR);
        }
        if (r.SIZE > 0 || r.BEFORE || r.NEXT) {
            StoreRecord copy = r;
            Scan(copy);
            if (copy.CR != r.CR || copy.DCR != r.DCR || copy.COM != r.COM || copy.TOP != r.TOP ||
                copy.COL != r.COL || copy.KAN != r.KAN || copy.CHR != r.CHR)
                return bad("record %lld layout is stale (CR %lld, scan gives %lld)", x, r.CR, copy.CR);
        }
        sSize += r.SIZE;
        sCr += r.CR;
        sDcr += r.DCR;
        prev = x;
    }
    if (prev != tail_) return bad("tail is %lld, chain ends at %lld", tail_, prev);
    if (count != inUse_) return bad("chain has %lld records, %lld in use", count, inUse_);
    if (!cursorSeen) return bad("cursor record %lld not in the chain", cursor_.FATNO);
    if (sSize != totalBytes_ || sCr != totalCR_ || sCr - sDcr != totalLF_)
        return bad("totals %lld/%lld differ from the chain sum %lld", totalBytes_, totalCR_, sSize);
    uint32_t used = 0;
    for (uint32_t c = 0; c < chunkCount_; ++c) {
        uint32_t inChunk = 0;
        for (uint32_t s = 0; s < kChunkRecords; ++s) inChunk += chunks_[c].records[s].used != 0;
        if (inChunk != chunkUsed_[c]) return bad("chunk %lld counts %lld records, holds %lld", c, chunkUsed_[c], inChunk);
        used += inChunk;
    }
    if (used != inUse_) return bad("%lld records flagged in use, %lld counted", used, inUse_);
    if (hint_ == 0 || hint_ > chunkCount_ * kChunkRecords) return bad("allocation hint %lld", hint_);
    return indexOn_ ? IndexCheck() : std::string();
}

}  // namespace qz
