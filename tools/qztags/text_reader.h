// Reads a file the way a text-mode C stream of the original runtime did:
// CR LF becomes LF, 0x1A ends the file, and lines come in fgets-sized pieces.
#pragma once

#include <cstddef>
#include <string>

namespace qztags {

class TextReader {
public:
    // Takes ownership of fd (closed by the destructor).
    explicit TextReader(int fd) : fd_(fd) {}
    // Reads bytes already in memory.
    explicit TextReader(std::string bytes) : fd_(-1), memory_(std::move(bytes)), fromMemory_(true) {}
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // Opens path for reading; nullptr-like (fd -1) readers report ok() false.
    static int Open(const std::string& path);
    // Reads a whole source file into bytes, false when it cannot be read. A
    // UTF-8 one (valid to its end, with a multi-byte sequence) comes as
    // Shift-JIS, as the editor reads it, so that no UTF-8 byte is taken for
    // a lead byte that swallows a quote or a comment's end.
    static bool ReadSource(const std::string& path, std::string& bytes);

    // The next piece: up to max_bytes bytes, ending after a line feed when
    // one comes first. Returns false at the end of the file.
    bool ReadPiece(std::string& piece, size_t max_bytes);

private:
    bool Fill();

    int fd_;
    std::string memory_;  // the bytes of a reader on memory
    size_t memoryPos_ = 0;
    bool fromMemory_ = false;
    std::string buf_;  // translated bytes not yet handed out
    size_t pos_ = 0;
    bool cr_pending_ = false;  // a CR ended the last raw chunk
    bool eof_ = false;
};

}  // namespace qztags
