// A read-only TextAccess over bytes in memory, for searching text that is not
// a document (a line read by the grep program, a string in a dialog).
#pragma once

#include <algorithm>
#include <cstring>
#include <string_view>

#include "document/text_access.h"

namespace qz {

class BufferText : public TextAccess {
public:
    explicit BufferText(std::string_view bytes) : bytes_(bytes) {}
    uint32_t GetTextLength() override { return static_cast<uint32_t>(bytes_.size()); }
    uint32_t ReadText(uint32_t p, char* buf, uint32_t n) override {
        if (p == 0 || p - 1 >= bytes_.size()) return 0;
        size_t k = std::min<size_t>(n, bytes_.size() - (p - 1));
        std::memcpy(buf, bytes_.data() + (p - 1), k);
        return static_cast<uint32_t>(k);
    }
    // Nothing can be changed: both report that nothing was done.
    uint32_t InsertText(uint32_t, const char*, uint32_t, uint32_t) override { return 0; }
    uint32_t DeleteText(uint32_t, uint32_t) override { return 0; }

private:
    std::string_view bytes_;
};

}  // namespace qz
