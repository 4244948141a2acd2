// The layout-1 state machine and the line-by-line layouts 2 to 4.
#include "lexpak/dict_convert.h"

#include "platform/cp932.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace lexpak {
namespace {

// Reads ahead in large chunks while handing out the 4,096-byte blocks and
// 4,095-byte pieces the layouts are defined by.
class Reader {
public:
    explicit Reader(ByteSource& src) : src_(src) {}

    // At least want bytes after the current position unless the input ends.
    void Ensure(size_t want) {
        if (buf_.size() - pos_ >= want || eof_) return;
        buf_.erase(0, pos_);
        pos_ = 0;
        while (buf_.size() < want && !eof_) {
            size_t old = buf_.size();
            size_t chunk = std::max<size_t>(want, 1 << 20);
            buf_.resize(old + chunk);
            size_t got = src_.Read(buf_.data() + old, chunk);
            buf_.resize(old + got);
            if (got == 0) eof_ = true;
        }
    }
    size_t avail() const { return buf_.size() - pos_; }
    const uint8_t* data() const { return reinterpret_cast<const uint8_t*>(buf_.data()) + pos_; }
    void Advance(size_t n) {
        pos_ += n;
        consumed_ += n;
    }
    uint64_t consumed() const { return consumed_; }
    bool error() const { return src_.error(); }

    // The next line piece: up to kPieceBytes, ending after a line feed.
    bool NextPiece(const uint8_t*& p, size_t& n) {
        Ensure(kPieceBytes);
        n = std::min(kPieceBytes, avail());
        if (n == 0) return false;
        p = data();
        if (const void* lf = std::memchr(p, '\n', n))
            n = static_cast<const uint8_t*>(lf) - p + 1;
        Advance(n);
        return true;
    }

private:
    ByteSource& src_;
    std::string buf_;
    size_t pos_ = 0;
    uint64_t consumed_ = 0;
    bool eof_ = false;
};

// Collects output and hands it to the sink in large writes.
class Writer {
public:
    explicit Writer(ByteSink& sink) : sink_(sink) {}
    void Put(const void* p, size_t n) { buf_.append(static_cast<const char*>(p), n); }
    void Put(std::string_view s) { buf_ += s; }
    void Put(char c) { buf_ += c; }
    bool Flush(bool force = false) {
        if (buf_.empty() || (!force && buf_.size() < (1 << 16))) return ok_;
        if (ok_ && !sink_.Write(buf_.data(), buf_.size())) ok_ = false;
        buf_.clear();
        return ok_;
    }

private:
    ByteSink& sink_;
    std::string buf_;
    bool ok_ = true;
};

constexpr std::string_view kCrLf = "\r\n";
// "【訳語】" (translation) in Shift-JIS: the dictionary's own encoding.
constexpr std::string_view kYakugo = "\x81\x79\x96\xF3\x8C\xEA\x81\x7A";

// Layout 1: one 4,096-byte block at a time, marks carried between blocks.
class EijiroConverter {
public:
    explicit EijiroConverter(Writer& w) : w_(w) {}

    void Block(const uint8_t* b, size_t n) {
        size_t i = 0;
        auto at = [&](size_t k, uint8_t c) { return i + k < n && b[i + k] == c; };
        auto drop_blanks = [&] {
            while (i < n && b[i] == ' ') ++i;
        };
        while (i < n) {
            const uint8_t c = b[i];
            if (trail_pending_) {
                w_.Put(static_cast<char>(c));
                trail_pending_ = line_start_ = indent_next_ = false;
                ++i;
            } else if (line_start_ && at(0, 0x81) && at(1, 0xA1)) {  // ■ starts an entry
                w_.Put('.');
                i += 2;
                drop_blanks();
                line_start_ = false;
            } else if (at(0, ' ') && at(1, ':') && at(2, ' ')) {
                w_.Put(kCrLf);
                w_.Put(kYakugo);
                w_.Put(kCrLf);
                i += 3;
                drop_blanks();
                Indent();
            } else if (at(0, ' ') && at(1, '/') && at(2, ' ')) {
                w_.Put(kCrLf);
                i += 3;
                drop_blanks();
                Indent();
            } else if (at(0, 0x81) && at(1, 0x9F)) {  // ◆
                w_.Put(kCrLf);
                i += 2;
                drop_blanks();
                Indent();
            } else if (at(0, 0x81) && at(1, 0x79)) {  // 【
                if (!indent_next_) w_.Put(kCrLf);
                w_.Put("\x81\x79");
                i += 2;
                line_start_ = indent_next_ = false;
            } else if (at(0, 0x81) && at(1, 0x7A)) {  // 】
                w_.Put("\x81\x7A");
                w_.Put(kCrLf);
                i += 2;
                drop_blanks();
                Indent();
            } else {
                if (indent_next_) w_.Put("  ");
                indent_next_ = false;
                w_.Put(static_cast<char>(c));
                line_start_ = c == '\n';
                trail_pending_ = qz::IsSjisLead(c);
                ++i;
            }
        }
    }

private:
    void Indent() {
        indent_next_ = true;
        line_start_ = false;
    }

    Writer& w_;
    bool line_start_ = true;
    bool indent_next_ = false;
    bool trail_pending_ = false;
};

ConvertResult ConvertEijiro(Reader& in, Writer& w, const Progress& progress) {
    EijiroConverter conv(w);
    while (true) {
        in.Ensure(kBlockBytes);
        size_t n = std::min(kBlockBytes, in.avail());
        if (n == 0) break;
        const uint8_t* b = in.data();
        if (n == kBlockBytes) {  // a full block is cut back to its last line end
            const uint8_t* last = nullptr;
            for (const uint8_t* p = b + n; p > b; --p)
                if (p[-1] == '\n') {
                    last = p;
                    break;
                }
            if (!last) return ConvertResult::kLineTooLong;
            n = static_cast<size_t>(last - b);
        }
        conv.Block(b, n);
        in.Advance(n);
        if (!w.Flush()) return ConvertResult::kWriteFailed;
        if (progress) progress(in.consumed());
    }
    return ConvertResult::kOk;
}

bool EndsLine(const uint8_t* p, size_t n) { return n > 0 && p[n - 1] == '\n'; }

// Copies the rest of a line whose first piece did not end it.
void CopyContinuation(Reader& in, Writer& w, const uint8_t* p, size_t n, const Progress& progress) {
    while (!EndsLine(p, n) && in.NextPiece(p, n)) {
        w.Put(p, n);
        if (progress) progress(in.consumed());
    }
}

ConvertResult ConvertTwoLine(Reader& in, Writer& w, const Progress& progress) {
    const uint8_t* p;
    size_t n;
    while (in.NextPiece(p, n)) {
        w.Put('.');
        w.Put(p, n);
        if (progress) progress(in.consumed());
        CopyContinuation(in, w, p, n, progress);
        if (!in.NextPiece(p, n)) break;
        w.Put(p, n);
        if (progress) progress(in.consumed());
        CopyContinuation(in, w, p, n, progress);
        if (!w.Flush()) return ConvertResult::kWriteFailed;
    }
    return ConvertResult::kOk;
}

ConvertResult ConvertSeparated(Reader& in, Writer& w, uint8_t sep, const Progress& progress) {
    const uint8_t* p;
    size_t n;
    while (in.NextPiece(p, n)) {
        const void* s = std::memchr(p, sep, n);
        if (!s) return ConvertResult::kHeadwordTooLong;
        size_t head = static_cast<const uint8_t*>(s) - p;
        w.Put('.');
        w.Put(p, head);
        w.Put(kCrLf);
        w.Put(p + head + 1, n - head - 1);
        if (progress) progress(in.consumed());
        CopyContinuation(in, w, p, n, progress);
        if (!w.Flush()) return ConvertResult::kWriteFailed;
    }
    return ConvertResult::kOk;
}

}  // namespace

ConvertResult Convert(Layout layout, ByteSource& src, ByteSink& sink, const Progress& progress) {
    Reader in(src);
    Writer w(sink);
    ConvertResult r;
    switch (layout) {
    case Layout::kEijiro: r = ConvertEijiro(in, w, progress); break;
    case Layout::kTwoLine: r = ConvertTwoLine(in, w, progress); break;
    case Layout::kTab: r = ConvertSeparated(in, w, '\t', progress); break;
    case Layout::kSpace: r = ConvertSeparated(in, w, ' ', progress); break;
    default: r = ConvertResult::kOk; break;
    }
    if (in.error()) return ConvertResult::kReadFailed;
    if (r != ConvertResult::kOk) return r;
    if (!w.Flush(true)) return ConvertResult::kWriteFailed;
    return ConvertResult::kOk;
}

}  // namespace lexpak
