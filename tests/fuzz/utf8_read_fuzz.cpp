// Fuzz target: reading any bytes as a UTF-8 file, whole and in pieces, guessed
// and chosen; what reads without a problem writes back byte for byte.
#include "document/utf8_convert.h"
#include "fuzz_util.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

struct Read {
    std::string sjis;
    bool notUtf8, bom;
    qz::Utf8Forms forms;
    qz::Utf8Problem problem;
};

// Pieces of `piece` bytes, each call on an exact heap copy with the bound the
// reader documents, the cut sequence handed in again as the loader does.
Read ReadInPieces(std::string_view file, size_t piece, bool strict, bool stopAtEof) {
    qz::Utf8Reader r(strict, stopAtEof);
    Read out{};
    std::string carry;
    size_t pos = 0;
    for (;;) {
        const size_t take = std::min(piece, file.size() - pos);
        const std::string in = carry + std::string(file.substr(pos, take));
        pos += take;
        const bool atEnd = pos == file.size();
        std::unique_ptr<char[]> buf(new char[2 * in.size() + 1]);
        size_t used = 0;
        const size_t n = r.Convert(in.data(), in.size(), buf.get(), atEnd, &used);
        FUZZ_CHECK(n <= 2 * in.size() && used <= in.size());
        out.sjis.append(buf.get(), n);
        carry = in.substr(used);
        if (r.NotUtf8()) break;
        FUZZ_CHECK(carry.size() <= 3);
        if (atEnd) {
            FUZZ_CHECK(carry.empty());
            break;
        }
    }
    out.notUtf8 = r.NotUtf8();
    out.bom = r.Bom();
    out.forms = r.Forms();
    out.problem = r.Problem();
    return out;
}

bool Same(const Read& a, const Read& b) {
    return a.sjis == b.sjis && a.notUtf8 == b.notUtf8 && a.bom == b.bom && a.forms == b.forms &&
           a.problem.kind == b.problem.kind && a.problem.ch == b.problem.ch && a.problem.line == b.problem.line &&
           a.problem.byte == b.problem.byte;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qz;
    if (size == 0) return 0;
    // The first byte picks the piece size and the reading mode; the rest is the file.
    const size_t piece = 1 + data[0] % 37;
    const bool stopAtEof = data[0] & 0x80;
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool valid = IsValidUtf8(file);

    const Read guessed = ReadInPieces(file, file.size() + 1, true, stopAtEof);
    FUZZ_CHECK(Same(guessed, ReadInPieces(file, piece, true, stopAtEof)));
    const Read chosen = ReadInPieces(file, file.size() + 1, false, stopAtEof);
    FUZZ_CHECK(Same(chosen, ReadInPieces(file, piece, false, stopAtEof)));
    FUZZ_CHECK(!chosen.notUtf8);
    if (!stopAtEof) {
        // A guess holds exactly for valid UTF-8, which the chosen reading
        // then reads the same way.
        FUZZ_CHECK(guessed.notUtf8 == !valid);
        if (valid) FUZZ_CHECK(Same(guessed, chosen));
        FUZZ_CHECK(valid || chosen.problem.kind != Utf8Problem::kNone);
    }
    // Lossless or a problem: what reads cleanly is written back unchanged.
    if (!guessed.notUtf8 && guessed.problem.kind == Utf8Problem::kNone) {
        FUZZ_CHECK(guessed.sjis.size() <= file.size());
        std::string back = guessed.bom ? std::string(kUtf8Bom) : std::string();
        back += EncodeSjisToUtf8(guessed.sjis, guessed.forms);
        const size_t eof = stopAtEof ? file.find('\x1A') : std::string_view::npos;
        FUZZ_CHECK(back == file.substr(0, eof == std::string_view::npos ? file.size() : eof + 1));
    }
    // Any Shift-JIS bytes write as valid UTF-8, whole or in pieces.
    const std::string written = EncodeSjisToUtf8(file, chosen.forms);
    FUZZ_CHECK(IsValidUtf8(written));
    FUZZ_CHECK(written.size() <= kMaxUtf8Growth * file.size());
    return 0;
}
