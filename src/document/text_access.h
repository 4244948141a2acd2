// The narrow view of a document's text that language data, the search engine
// and other readers need, so they can be written and tested without a whole
// document. The document's text store implements it. Positions are 1-based.
#pragma once

#include <cstdint>

namespace qz {

class TextAccess {
public:
    virtual ~TextAccess() = default;
    // Total bytes of the text.
    virtual uint32_t GetTextLength() = 0;
    // Copies up to n bytes starting at position p into buf and returns the
    // count copied; 0 when p - 1 >= the total. Writes no terminator.
    virtual uint32_t ReadText(uint32_t p, char* buf, uint32_t n) = 0;
    // Inserts n bytes before position p (p may be total + 1); returns n, or 0
    // when nothing was inserted. h is a hint of further bytes to come.
    virtual uint32_t InsertText(uint32_t p, const char* bytes, uint32_t n, uint32_t h) = 0;
    // Deletes up to n bytes starting at p; returns the count deleted.
    virtual uint32_t DeleteText(uint32_t p, uint32_t n) = 0;
};

}  // namespace qz
