// Byte sources and sinks of the dictionary converter: files for the program,
// memory for tests and fuzzing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace lexpak {

// Sequential input.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to n bytes into buf; 0 at the end. A read error sets error().
    virtual size_t Read(char* buf, size_t n) = 0;
    virtual bool error() const { return false; }
};

// Input read at given offsets (the sort reads entries in sorted order).
class RandomInput {
public:
    virtual ~RandomInput() = default;
    virtual uint64_t Size() const = 0;
    // Exactly n bytes at offset; false on a short read.
    virtual bool ReadAt(uint64_t offset, char* buf, size_t n) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // false when the bytes could not all be written.
    virtual bool Write(const char* data, size_t n) = 0;
    bool Write(std::string_view s) { return Write(s.data(), s.size()); }
};

class MemorySource : public ByteSource, public RandomInput {
public:
    explicit MemorySource(std::string_view data) : data_(data) {}
    size_t Read(char* buf, size_t n) override;
    uint64_t Size() const override { return data_.size(); }
    bool ReadAt(uint64_t offset, char* buf, size_t n) override;

private:
    std::string_view data_;
    size_t pos_ = 0;
};

class StringSink : public ByteSink {
public:
    bool Write(const char* data, size_t n) override {
        out.append(data, n);
        return true;
    }
    std::string out;
};

// A file descriptor read sequentially or at offsets; owns the descriptor.
class FileInput : public ByteSource, public RandomInput {
public:
    explicit FileInput(int fd);
    ~FileInput() override;
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;
    // Opens path for reading: -1 when it cannot be opened or is a directory.
    static int Open(const std::string& path);

    size_t Read(char* buf, size_t n) override;
    bool error() const override { return error_; }
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, char* buf, size_t n) override;

private:
    int fd_;
    uint64_t size_ = 0;
    bool error_ = false;
};

// A buffered stdio stream; owns it. Close() reports late write failures.
class FileSink : public ByteSink {
public:
    explicit FileSink(FILE* f);
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;
    bool Write(const char* data, size_t n) override;
    bool Close();

private:
    FILE* f_;
    bool failed_ = false;
};

}  // namespace lexpak
