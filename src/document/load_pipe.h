// The reading side of a file load: reads the file in large blocks, converts
// EUC and JIS to Shift-JIS and applies the byte rules of the text (NUL and
// CR dropped, 0x1A dropped or the end), on a second thread when the file is
// large enough to gain from it, while the caller fills and lays out records.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace qz {

// Memory the store's records will be written to, in record order; the
// reader faults it in ahead of the writer.
struct PrefaultArea {
    char* base = nullptr;
    size_t bytes = 0;
    size_t recordBytes = 0;  // a record holds 128 text bytes
};

class LoadPipe {
public:
    enum class Status { Done, Error };

    // code: kCodeSjis, kCodeEuc or kCodeJis. block: bytes asked of the
    // system at once. The file must be positioned at its start.
    LoadPipe(int fd, int code, bool stopAtEof, size_t block, uint64_t fileLength, PrefaultArea area);
    ~LoadPipe();
    LoadPipe(const LoadPipe&) = delete;
    LoadPipe& operator=(const LoadPipe&) = delete;

    // The next bytes to store, valid until the next call; n = 0 when the text
    // has ended.
    const char* Next(size_t* n);
    // Whether Next would return without waiting for the reader.
    bool Ready();
    // Faults in one more piece of the record memory ahead of the reader;
    // for the writer to do while it would otherwise wait. False when all of
    // it that the file needs is in.
    bool HelpPrefault();
    // No more bytes are wanted (the store is full).
    void Stop();
    // Stops the reader and waits for it; the results below are final then.
    void Finish();

    Status Result() const { return status_; }
    bool SawLf() const { return sawLf_; }
    bool SawCr() const { return sawCr_; }

private:
    struct Buffer {
        std::vector<char> bytes;
        size_t n = 0;
        bool last = false;  // the reading ended with this buffer
    };
    // Fills b with the kept bytes of the next block; b.last at the end.
    void Produce(Buffer& b);
    size_t Filter(const char* in, size_t n, char* out);
    void Prefault(uint64_t keptBytes);
    bool PrefaultPiece(size_t upTo);
    void Run();

    int fd_, code_;
    bool stopAtEof_;
    size_t block_;
    uint64_t fileLength_;
    PrefaultArea area_;
    // Both threads fault in pieces in turn: the start of the next unclaimed one.
    std::atomic<size_t> claimed_{0};
    uint64_t kept_ = 0;
    // File bytes read and text bytes kept so far, for the writer's estimate
    // of the whole text.
    std::atomic<uint64_t> read_{0}, keptShared_{0};
    // Converter input carried from one block to the next: a cut character
    // or escape sequence.
    std::vector<char> in_;
    std::vector<char> converted_;  // EUC or JIS in Shift-JIS, before the byte rules
    size_t carry_ = 0;
    int jisMode_ = 0;
    bool eof_ = false, ended_ = false;
    bool sawLf_ = false, sawCr_ = false;
    Status status_ = Status::Done;

    // Threaded: the reader fills ring_ in turn. produced_ counts the buffers
    // filled, consumed_ those the writer is done with; it holds the next one
    // while holding_.
    std::vector<Buffer> ring_;
    std::thread thread_;
    std::mutex mu_;
    std::condition_variable cv_;
    uint64_t produced_ = 0, consumed_ = 0;
    bool holding_ = false, stop_ = false, threaded_ = false, finished_ = false;
};

}  // namespace qz
