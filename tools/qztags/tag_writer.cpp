// Buffered writing of the tags file.
#include "qztags/tag_writer.h"

namespace qztags {

TagWriter::TagWriter(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}

TagWriter::~TagWriter() {
    if (file_) Close();
}

void TagWriter::Definition(std::string_view file, long line, std::string_view marked) {
    buf_ += file;
    buf_ += ' ';
    buf_ += std::to_string(line);
    buf_ += ": ";
    buf_ += marked;
    buf_ += "\r\n";
    if (buf_.size() >= 65536) Flush();
}

void TagWriter::EmptyLine() {
    buf_ += "\r\n";
    if (buf_.size() >= 65536) Flush();
}

void TagWriter::Flush() {
    if (!file_ || buf_.empty()) return;
    if (std::fwrite(buf_.data(), 1, buf_.size(), file_) != buf_.size()) failed_ = true;
    buf_.clear();
}

bool TagWriter::Close() {
    if (!file_) return false;
    Flush();
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

}  // namespace qztags
