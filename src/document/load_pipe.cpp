// Reading, converting and filtering a file for the loader, one block ahead
// of the records on a second core.
#include "document/load_pipe.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "document/kanji_code.h"
#include "document/kanji_convert.h"

namespace qz {

namespace {

constexpr size_t kRingBuffers = 4;
// What one thread faults in at a time: a large page.
constexpr size_t kPrefaultPiece = size_t(2) << 20;

inline bool IsSpecial(char c) { return c == 0 || c == 0x0D || c == 0x1A; }

ssize_t ReadSome(int fd, char* buf, size_t n) {
    ssize_t r;
    do r = ::read(fd, buf, n);
    while (r < 0 && errno == EINTR);
    return r;
}

}  // namespace

LoadPipe::LoadPipe(int fd, int code, bool stopAtEof, size_t block, uint64_t fileLength, PrefaultArea area)
    : fd_(fd), code_(code), stopAtEof_(stopAtEof), block_(std::max<size_t>(block, 4)), fileLength_(fileLength),
      area_(area) {
    in_.resize(block_ + 8);
    if (code_ != kCodeSjis) converted_.resize(block_ + 8);
    // A second thread pays only for a file of several blocks.
    const size_t buffers = fileLength > 4 * block_ ? kRingBuffers : 1;
    ring_.resize(buffers);
    for (Buffer& b : ring_) b.bytes.resize(block_ + 8);
    if (buffers > 1) {
        threaded_ = true;  // before the reader starts: it asks too
        try {
            thread_ = std::thread([this] { Run(); });
        } catch (const std::system_error&) {
            threaded_ = false;  // no thread to be had: read in turn with the writer
            ring_.resize(1);
        }
    }
}

LoadPipe::~LoadPipe() { Finish(); }

void LoadPipe::Stop() {
    std::lock_guard<std::mutex> lock(mu_);
    stop_ = true;
    cv_.notify_all();
}

void LoadPipe::Run() {
    for (;;) {
        std::unique_lock<std::mutex> lock(mu_);
        // Buffers not yet consumed, the one the writer holds included, are
        // not to be overwritten.
        cv_.wait(lock, [this] { return stop_ || produced_ - consumed_ < ring_.size(); });
        if (stop_) return;
        Buffer& b = ring_[produced_ % ring_.size()];
        lock.unlock();
        Produce(b);
        lock.lock();
        ++produced_;
        cv_.notify_all();
        if (b.last) return;
    }
}

const char* LoadPipe::Next(size_t* n) {
    *n = 0;
    if (finished_) return nullptr;
    if (!threaded_) {
        Buffer& b = ring_[0];
        do Produce(b);
        while (b.n == 0 && !b.last);
        finished_ = b.last;
        *n = b.n;
        return b.bytes.data();
    }
    std::unique_lock<std::mutex> lock(mu_);
    for (;;) {
        if (holding_) {  // the writer is done with the buffer it had
            ++consumed_;
            holding_ = false;
            cv_.notify_all();
        }
        cv_.wait(lock, [this] { return produced_ > consumed_; });
        const Buffer& b = ring_[consumed_ % ring_.size()];
        holding_ = true;
        finished_ = b.last;
        if (b.n || finished_) {
            *n = b.n;
            return b.bytes.data();
        }
    }
}

bool LoadPipe::Ready() {
    if (!threaded_ || finished_) return true;
    std::lock_guard<std::mutex> lock(mu_);
    return produced_ > consumed_ + (holding_ ? 1 : 0);
}

void LoadPipe::Finish() {
    Stop();
    if (thread_.joinable()) thread_.join();
}

void LoadPipe::Produce(Buffer& b) {
    b.n = 0;
    b.last = false;
    if (ended_ || eof_ || status_ == Status::Error) {
        b.last = true;
        return;
    }
    // A block, topped up to its size unless the file ends.
    char* in = in_.data();
    size_t have = carry_;
    while (have < block_) {
        const ssize_t r = ReadSome(fd_, in + have, block_ - have);
        if (r < 0) {
            status_ = Status::Error;
            b.last = true;
            return;
        }
        if (r == 0) {
            eof_ = true;
            break;
        }
        have += size_t(r);
    }
    size_t count = have;
    const char* text = in;
    if (code_ != kCodeSjis) {
        // Conversion equals that of 512-byte pieces with the same carry-over:
        // what a cut leaves over starts the next block.
        const int left = code_ == kCodeEuc ? EucToSjis(in, converted_.data(), count, eof_)
                                           : JisToSjis(in, converted_.data(), count, jisMode_, eof_);
        carry_ = size_t(left);
        std::memmove(in_.data(), in + have - carry_, carry_);
        text = converted_.data();
    }
    b.n = Filter(text, count, b.bytes.data());
    b.last = ended_ || eof_;
    kept_ += b.n;
    read_.store(read_.load(std::memory_order_relaxed) + have - carry_, std::memory_order_relaxed);
    keptShared_.store(kept_, std::memory_order_relaxed);
    Prefault(kept_);
}

// The byte rules: NUL and CR dropped (CR noted), LF noted, 0x1A dropped or
// the end of the text. The kept bytes go to out, which has room for n.
size_t LoadPipe::Filter(const char* in, size_t n, char* out) {
    size_t i = 0, o = 0;
    auto special = [this](char c) {  // false at the end of the text
        if (c == 0x0D) {
            sawCr_ = true;
        } else if (c == 0x1A && stopAtEof_) {
            ended_ = true;
            return false;
        }
        return true;
    };
    bool end = false;
#if defined(__SSE2__)
    const __m128i nul = _mm_setzero_si128(), cr = _mm_set1_epi8(0x0D), eof = _mm_set1_epi8(0x1A);
    while (n - i >= 16) {
        // All 16 bytes are stored; only those before the first special one
        // count. o <= i, so the store stays inside the room out has.
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + o), v);
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, nul), _mm_cmpeq_epi8(v, cr)),
                                         _mm_cmpeq_epi8(v, eof));
        const unsigned mask = unsigned(_mm_movemask_epi8(hit));
        if (!mask) {
            i += 16, o += 16;
            continue;
        }
        const size_t k = size_t(__builtin_ctz(mask));
        o += k, i += k;
        if (!special(in[i++])) {
            end = true;
            break;
        }
    }
#endif
    for (; i < n && !end; ++i) {
        const char c = in[i];
        if (!IsSpecial(c)) out[o++] = c;
        else end = !special(c);
    }
    // Only kept bytes count: a line feed after the end of the text is not seen.
    if (!sawLf_ && std::memchr(out, '\n', o)) sawLf_ = true;
    return o;
}

// Faults in the record memory for the bytes handed over so far, so that the
// writer finds its pages ready instead of stopping for each.
void LoadPipe::Prefault(uint64_t keptBytes) {
    if (!threaded_ || !area_.base) return;
    const uint64_t want = (keptBytes / 128 + 2) * area_.recordBytes;
    while (PrefaultPiece(size_t(std::min<uint64_t>(want, area_.bytes)))) {
    }
}

bool LoadPipe::HelpPrefault() {
    if (!threaded_ || !area_.base || finished_) return false;
    // Up to the records the whole text will need, at the rate of kept bytes
    // so far: a CR LF file keeps fewer bytes than it has, and memory faulted
    // in beyond the text would stay unused.
    const uint64_t read = read_.load(std::memory_order_relaxed);
    if (!read) return false;
    const uint64_t text = fileLength_ * keptShared_.load(std::memory_order_relaxed) / read;
    return PrefaultPiece(size_t(std::min<uint64_t>((text / 128 + 2) * area_.recordBytes, area_.bytes)));
}

// Claims the next piece below upTo (at most a large page) and faults it in;
// false when there is none.
bool LoadPipe::PrefaultPiece(size_t upTo) {
#ifdef MADV_POPULATE_WRITE
    constexpr size_t kPage = 4096;
    upTo = std::min((upTo + kPage - 1) / kPage * kPage, area_.bytes);
    size_t at = claimed_.load(std::memory_order_relaxed), end;
    do {
        if (at >= upTo) return false;
        end = std::min(at + kPrefaultPiece, upTo);
    } while (!claimed_.compare_exchange_weak(at, end, std::memory_order_relaxed));
    ::madvise(area_.base + at, end - at, MADV_POPULATE_WRITE);
    return true;
#else
    (void)upTo;
    return false;
#endif
}

}  // namespace qz
