// The text store of one document: a doubly linked chain of 128-byte records,
// allocated 400 at a time, each caching the layout (rows, wraps, column,
// comment state) at its end so that row questions need only short walks.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "document/load_pipe.h"
#include "document/store_index.h"
#include "document/text_access.h"

namespace qz {

class MessageBox;

constexpr uint32_t kRecordText = 128;
constexpr uint32_t kChunkRecords = 400;
// The chunk table grows as the text does, up to 1 GiB of full records.
constexpr uint32_t kChunkTable = 20972;
constexpr uint32_t kChunkBytes = kChunkRecords * kRecordText;  // 51,200
constexpr uint32_t kMaxRecords = kChunkRecords * kChunkTable;  // 8,388,800
constexpr uint32_t kRowTextMax = 256;                          // GetRowText buffer, NUL included
constexpr uint32_t kInfoTextMax = 127;

// One record. The field order is fixed: the dump and every tool that reads
// it follow it.
struct StoreRecord {
    int32_t used;     // 1 while linked into the chain
    uint32_t SIZE;    // text bytes held
    uint32_t CR;      // row breaks: line feeds plus wraps
    uint32_t DCR;     // wraps
    int32_t COM;      // comment state at the end
    int32_t TOP;      // the next byte starts a logical line
    int32_t COL;      // display column at the end
    int32_t KAN;      // last byte is a lead byte
    uint8_t CHR;      // pending single-byte character for two-byte comment tokens
    uint32_t NOW;     // own number
    uint32_t NEXT;    // following record, 0 for the tail
    uint32_t BEFORE;  // preceding record, 0 for the head
    uint8_t text[kRecordText];
};
static_assert(sizeof(StoreRecord) == 176, "record layout");

struct ChunkEntry {
    int32_t allocated = 0;
    void* handle = nullptr;
    StoreRecord* records = nullptr;
};

// What placed the store cursor last.
enum StoreMake { kMakeReset = 0, kMakeRead, kMakeInsert, kMakeDelete, kMakeRowText,
                 kMakeRowToOffset, kMakeOffsetToRow };

struct StoreCursor {
    int32_t MAKE = 0;
    uint32_t FATNO = 1;
    uint32_t SIZE = 0, CR = 0, DCR = 0;  // sums over the records before FATNO
};

// Comment states as the records hold them.
enum CommentState { kComNormal0 = 0, kComNormal = 1, kComBlock = 2, kComLine = 3, kComMarkup = 4 };

// The document side of an edit: modified flag, views, undo recorder.
class StoreHost {
public:
    virtual ~StoreHost() = default;
    virtual void SetModifiedFlag(bool modified) = 0;
    virtual void NotifyLinesChanged(uint32_t row, int32_t delta) = 0;
    // kind 1 inserted, 2 deleted.
    virtual int RecordUndo(int kind, uint32_t pos, const char* bytes, uint32_t n) = 0;
};

// The last step of the internal-error path. message is null when the dump
// could not be written (the process then ends without a message). The
// handler must not return normally: the default shows the box and aborts;
// tests throw.
class FatalHandler {
public:
    virtual ~FatalHandler() = default;
    virtual void ShowAndEnd(const std::string* messageUtf8) = 0;
};

class TextStore : public TextAccess {
public:
    TextStore();
    ~TextStore() override;
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    // --- wiring ---
    void SetHost(StoreHost* host) { host_ = host; }
    void SetMessageBox(MessageBox* box) { box_ = box; }
    void SetFatalHandler(FatalHandler* handler) { fatal_ = handler; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool IsReadOnly() const { return readOnly_; }
    // Layout inputs; call RelayoutAll afterwards.
    void SetLayout(int tabWidth, int wrapWidth, int commentBits);

    // --- lifecycle ---
    // Releases everything and starts again with one empty record.
    void Reset();
    // Whether a text of this many bytes fits the store at all.
    static bool CanHold(uint64_t bytes);
    // Filling as the loader does: chunks for fileLength + 128 bytes first, then
    // records 1, 2, 3 ... filled in order and laid out behind the filling (the
    // rest by LoadEnd). LoadAppend returns false when the store's capacity is
    // exhausted.
    void LoadBegin(uint32_t fileLength);
    // The memory LoadBegin mapped, which the records of the text fill in
    // order; a reader may fault it in ahead of LoadAppend.
    PrefaultArea LoadArea() const;
    bool LoadAppend(const char* bytes, uint32_t n);
    // Lays out up to `records` more of the records filled so far; false when
    // none was waiting. The loader calls it while its reader is busy.
    bool LoadLayoutSome(uint32_t records);
    void LoadEnd();

    // --- the operations ---
    uint32_t GetTextLength() override { return totalBytes_; }
    uint32_t ReadText(uint32_t p, char* buf, uint32_t n) override;
    uint8_t GetCharAt(uint32_t p);
    uint32_t InsertText(uint32_t p, const char* bytes, uint32_t n, uint32_t h) override;
    int InsertChar(uint32_t p, uint8_t c);
    uint32_t DeleteText(uint32_t p, uint32_t n) override;
    // buf must hold kRowTextMax bytes.
    uint32_t GetRowText(uint32_t r, char* buf);
    uint32_t RowToOffset(uint32_t r);
    uint32_t OffsetToRow(uint32_t p);
    uint32_t LineToRow(uint32_t l);
    uint32_t RowToLine(uint32_t r);
    uint32_t RowColumnToLineOffset(uint32_t r, uint32_t k);
    int RowStartState(uint32_t r, int* top, uint8_t* chr);
    uint32_t GetRowCount() const { return totalCR_; }
    uint32_t GetLineEndCount() const { return totalLF_; }
    void RelayoutAll();
    uint32_t GetLastEditPos() const { return lastEditPos_; }
    int GetWrapWidth() const { return wrap_; }
    int GetTabWidth() const { return tab_; }
    int GetCommentBits() const { return comment_; }
    uint64_t GetChangedBytes() const { return changedBytes_; }
    // After load, save, reload or re-edit.
    void ResetEditCounters() { lastEditPos_ = 0; changedBytes_ = 0; }

    // --- inspection ---
    const StoreCursor& Cursor() const { return cursor_; }
    uint32_t Head() const { return head_; }
    uint32_t Tail() const { return tail_; }
    uint32_t AllocHint() const { return hint_; }
    uint32_t RecordsInUse() const { return inUse_; }
    // Whether lookups far from the cursor go through the segment index (off
    // once a test has reached into the records or totals).
    bool IndexOn() const { return indexOn_; }
    uint32_t IndexSegments() const { return index_.Size(); }
    uint32_t ChunksAllocated() const { return chunkCount_; }
    const StoreRecord& Record(uint32_t n) const { return Rec(n); }
    int ErrorCode() const { return errorCode_; }
    const std::string& ErrorInfo(int i) const { return errorInfo_.at(i); }
    // Verifies every invariant; returns an empty string when all hold, else
    // what is wrong.
    std::string Check() const;
    // Bytes of memory the chunks and the table occupy.
    uint64_t MemoryUsed() const;

    // For tests that corrupt the chain on purpose or exercise growth directly;
    // the index no longer matches what they do, so it goes off.
    StoreRecord& MutableRecordForTest(uint32_t n) { indexOn_ = false; return Rec(n); }
    StoreCursor& MutableCursorForTest() { indexOn_ = false; return cursor_; }
    void SetTotalsForTest(uint32_t bytes, uint32_t cr, uint32_t lf) {
        indexOn_ = false;
        totalBytes_ = bytes; totalCR_ = cr; totalLF_ = lf;
    }
    // Segments of at most segMax records (split in halves when they grow
    // past it), and walks from the cursor, head or tail for targets about
    // walkMax records away or nearer; small values make tests use the index.
    void SetIndexTuningForTest(uint32_t segMax, uint32_t walkMax);
    // Fewer chunk table entries than kChunkTable, for tests of the limit.
    void SetChunkLimitForTest(uint32_t chunks) { chunkLimit_ = chunks; }
    void GrowForTest(uint32_t bytes) { Grow(bytes); }
    uint32_t AllocateForTest(uint32_t h) { return Allocate(h); }

    // The message of internal error `code` with the given info texts.
    static std::string InternalErrorMessage(int code, const std::string& i1, const std::string& i2,
                                            const std::string& i3);
    // The dump written before the message, CR LF line ends included.
    std::string DumpText() const;

private:
    struct ScanState {
        int com, top, col, kan;
        uint8_t chr;
    };
    enum class Rule { Within, After };  // s <= t < s+m, or s < t <= s+m
    enum class Measure { Bytes, Rows, Lines };
    struct Found {
        uint32_t rec;
        uint32_t sSize, sCr, sDcr;  // sums before rec
        uint32_t seg;               // index segment of rec (meaningless with the index off)
    };
    // A row start found inside a record.
    struct RowPos {
        Found f;
        uint32_t off;       // offset of the row's first byte in f.rec (may equal SIZE)
        uint32_t lfBefore;  // line feeds before the row start
    };

    StoreRecord& Rec(uint32_t n) const {
        return chunks_[(n - 1) / kChunkRecords].records[(n - 1) % kChunkRecords];
    }
    // Records of a loaded text lie in number order, so long walks fetch the
    // records a few numbers ahead before they are needed.
    static constexpr uint32_t kPrefetchAhead = 8;
    void Prefetch(uint32_t n) const {
        if (n - 1 < chunkCount_ * kChunkRecords) __builtin_prefetch(&Rec(n));
    }
    static uint32_t M(const StoreRecord& r, Measure m) {
        return m == Measure::Bytes ? r.SIZE : m == Measure::Rows ? r.CR : r.CR - r.DCR;
    }

    void ReleaseAll();
    uint32_t Allocate(uint32_t h);
    void Grow(uint32_t bytes);
    void FreeRecord(uint32_t n);

    ScanState StartState(const StoreRecord& r) const;
    bool Scan(StoreRecord& r) const { return ScanFrom(r, StartState(r)); }  // returns "stable"
    bool ScanFrom(StoreRecord& r, ScanState st) const;
    // Below this many records a second thread costs more than it saves.
    static constexpr uint32_t kParallelRecords = 4096;
    // Lays out records linked in this order, each after the one before it.
    void ScanRun(const std::vector<uint32_t>& run);
    void Propagate(uint32_t from, uint32_t seg);
    // Records (or sums of records of one segment) leaving or joining the totals and the index.
    void Remove(const ChainSums& s, uint32_t seg) {
        totalBytes_ -= s.size; totalCR_ -= s.cr; totalLF_ -= s.cr - s.dcr;
        if (indexOn_) index_.Sub(seg, s);
    }
    void Add(const ChainSums& s, uint32_t seg) {
        totalBytes_ += s.size; totalCR_ += s.cr; totalLF_ += s.cr - s.dcr;
        if (indexOn_) index_.Add(seg, s);
    }
    static ChainSums SumsOf(const StoreRecord& r) { return ChainSums{r.SIZE, r.CR, r.DCR}; }
    void Remove(const StoreRecord& r, uint32_t seg) { Remove(SumsOf(r), seg); }
    void Add(const StoreRecord& r, uint32_t seg) { Add(SumsOf(r), seg); }
    // The segment of the record after rec, which lies in segment seg.
    uint32_t SegAfter(uint32_t seg, uint32_t next) const { return seg + (index_.IsHead(next) ? 1 : 0); }
    // One byte of the layout machine (the slow, exact path). Returns 0, or
    // 1 after a wrap, 2 after a line feed.
    int Step(ScanState& st, uint8_t b) const;
    // The walks that only count rows and lines: the column and the lead-byte
    // flag decide the breaks, the comment machine does not.
    struct BreakWalk {
        int col;
        bool kan;
        uint32_t i = 0, breaks = 0, lfs = 0;
    };
    BreakWalk StartWalk(const StoreRecord& r) const {
        const ScanState st = StartState(r);
        return BreakWalk{st.col, st.kan != 0};
    }
    // Takes r's bytes from w.i up to end; stops early after the byte that
    // makes w.breaks reach stopBreaks or w.lfs reach stopLfs.
    void WalkBreaks(const StoreRecord& r, BreakWalk& w, uint32_t end, uint32_t stopBreaks = ~0u,
                    uint32_t stopLfs = ~0u) const;

    Found Locate(Measure m, Rule rule, uint32_t t, int errFwd, int errBack, const char* fmtNo,
                 const char* fmtRem);
    void SetCursor(const Found& f, int make);
    // The index: rebuilt from the chain, a segment split when it has grown,
    // the segments emptied by a delete dropped, and its consistency.
    void IndexRebuild();
    void LoadIndexRecord(const StoreRecord& r);
    void LoadLayoutRest(uint32_t from, uint32_t to);
    // Records per segment as loading and rebuilding cut them: room to grow
    // before a split.
    uint32_t SegLoad() const { return segMax_ > 1 ? segMax_ / 2 : 1; }
    void IndexSplit(uint32_t seg);
    void IndexDropEmpty();
    std::string IndexCheck() const;
    // Estimated records between a walk start and a target d units away.
    uint64_t WalkRecords(uint64_t d, uint32_t total) const {
        return total ? d * inUse_ / total : 0;
    }
    // Finds the start of row r (1-based, r - 1 <= total row breaks).
    RowPos FindRow(uint32_t r, int errFwd, int errBack, int errInside, int make);
    bool RowCacheHit(uint32_t r) const;
    void Refuse();

    [[noreturn]] void InternalError(int code, const std::string& i1 = "", const std::string& i2 = "",
                                    const std::string& i3 = "");

    // layout inputs
    int tab_ = 8, wrap_ = 80, comment_ = 0;
    bool layoutTables_ = false;  // the tables below are built for the three above
    uint8_t rowCls_[256];   // byte classes for row walks (no comment tokens)
    // Next tab stop for each column below 512: a division per tab is the
    // largest single cost of laying out C source.
    int32_t tabNext_[512];
    // Per comment state 0 to 4: the token characters it reacts to; the
    // layout scan looks at those, line ends, tabs and bytes from 0x80 up one
    // by one and steps over the rest.
    uint8_t allSpecials_[16];
    int allSpecialCount_ = 0;
    uint32_t stateUses_[5];  // bit k: state reacts to allSpecials_[k] wherever it stands
    struct TokenPair {
        int first, second;  // in allSpecials_
    };
    TokenPair statePairs_[5][3];
    int statePairCount_[5];
    void EventMasks(const uint8_t* text, uint32_t n, uint64_t base[2], uint64_t spec[][2]) const;
    // Length of the run of plain bytes at p (at most n) for the row walks,
    // eight at a time where the bytes allow it.
    uint32_t PlainRun(const uint8_t* p, uint32_t n) const {
        constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
        uint32_t j = 0;
        // A word is skipped when it holds no control byte below 0x0B and no
        // byte with the high bit (lead bytes; half-width kana go singly).
        while (j + 8 <= n) {
            uint64_t x;
            std::memcpy(&x, p + j, 8);
            if ((((x - kOnes * 0x0B) & ~x) | x) & kHighs) break;
            j += 8;
        }
        while (j < n && rowCls_[p[j]] == 0) ++j;
        return j;
    }
    int NextTab(int col) const { return col < 512 ? tabNext_[col] : (col / tab_ + 1) * tab_; }

    std::vector<ChunkEntry> chunks_;
    std::vector<uint16_t> chunkUsed_;  // records in use per chunk
    uint32_t chunkCount_ = 0;
    uint32_t chunkLimit_ = kChunkTable;
    // Each growth maps one block for all its chunks.
    struct Block {
        void* base;
        size_t bytes;
    };
    std::vector<Block> blocks_;
    uint32_t inUse_ = 0;
    uint32_t head_ = 1, tail_ = 1, hint_ = 1;
    StoreCursor cursor_;
    uint32_t totalBytes_ = 0, totalCR_ = 0, totalLF_ = 0;
    uint32_t lastEditPos_ = 0;
    uint64_t changedBytes_ = 0;
    int errorCode_ = 0;
    std::array<std::string, 3> errorInfo_;
    uint32_t loadRec_ = 0;  // record being filled by the loader
    uint32_t loadScanned_ = 0;  // records 1 to this are laid out
    ChainSums loadSeg_;     // sums of the index segment the loader is filling

    mutable StoreIndex index_;
    bool indexOn_ = true;
    uint32_t segMax_ = 64, walkMax_ = 64;
    // The cursor record's segment, while known.
    uint32_t cursorSeg_ = 0;
    bool cursorSegKnown_ = false;

    // Where the row after the last GetRowText starts, so that reading rows in
    // order needs no walk from a record's beginning. Dropped by every change.
    bool rowCacheValid_ = false;
    uint32_t rowCacheRow_ = 0;
    RowPos rowCache_{};

    std::vector<uint8_t> hold_;
    std::vector<uint32_t> filled_, filledSeg_;  // records an insertion filled, and their segments
    bool readOnly_ = false;
    StoreHost* host_ = nullptr;
    MessageBox* box_ = nullptr;
    FatalHandler* fatal_ = nullptr;
};

}  // namespace qz
