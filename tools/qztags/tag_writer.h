// The tags file: lines written with CR LF line ends, failures remembered.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace qztags {

class TagWriter {
public:
    // Creates (truncates) path; ok() tells whether that worked.
    explicit TagWriter(const std::string& path);
    ~TagWriter();
    TagWriter(const TagWriter&) = delete;
    TagWriter& operator=(const TagWriter&) = delete;

    bool ok() const { return file_ != nullptr; }
    // Writes "<file> <line>: <marked>" and a line end.
    void Definition(std::string_view file, long line, std::string_view marked);
    void EmptyLine();
    // Flushes and closes; false when any write failed.
    bool Close();

private:
    void Flush();

    FILE* file_;
    std::string buf_;
    bool failed_ = false;
};

}  // namespace qztags
