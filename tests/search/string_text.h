// A std::string standing in for the text store in the search tests.
#pragma once

#include <string>

#include "document/text_access.h"

namespace qz::test {

class StringText : public TextAccess {
public:
    explicit StringText(std::string s = {}) : s_(std::move(s)) {}
    uint32_t GetTextLength() override { return static_cast<uint32_t>(s_.size()); }
    uint32_t ReadText(uint32_t p, char* buf, uint32_t n) override {
        ++reads;
        if (p == 0 || p - 1 >= s_.size()) return 0;
        size_t k = std::min<size_t>(n, s_.size() - (p - 1));
        s_.copy(buf, k, p - 1);
        return static_cast<uint32_t>(k);
    }
    uint32_t InsertText(uint32_t p, const char* bytes, uint32_t n, uint32_t) override {
        if (refuse_insert || p == 0 || p - 1 > s_.size()) return 0;
        s_.insert(p - 1, bytes, n);
        return n;
    }
    uint32_t DeleteText(uint32_t p, uint32_t n) override {
        if (p == 0 || p - 1 >= s_.size()) return 0;
        size_t k = std::min<size_t>(n, s_.size() - (p - 1));
        s_.erase(p - 1, k);
        return static_cast<uint32_t>(k);
    }
    const std::string& str() const { return s_; }

    bool refuse_insert = false;
    long reads = 0;

private:
    std::string s_;
};

}  // namespace qz::test
