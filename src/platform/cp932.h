// The one converter between document text (Shift-JIS, code page 932) and
// native strings (UTF-8), plus the Shift-JIS character rules every layer shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

// Lead bytes of double-byte characters: 0x81-0x9F, 0xE0-0xFC and 0xFF.
constexpr bool IsSjisLead(uint8_t c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC) || c == 0xFF;
}

// Converts Shift-JIS to UTF-8. Returns false at the first byte sequence that
// has no Unicode form and leaves its offset in *bad (when given); with lossy
// set, such a byte becomes U+FFFD and the conversion goes on.
bool Cp932ToUtf8(std::string_view sjis, std::string& utf8, size_t* bad = nullptr,
                 bool lossy = false);

// Converts UTF-8 to Shift-JIS with the strict mapping of sjis_unicode.h. A
// character with no Shift-JIS form (or invalid UTF-8) is never dropped or
// replaced by a look-alike: the call returns false with its byte offset in *bad.
bool Utf8ToCp932(std::string_view utf8, std::string& sjis, size_t* bad = nullptr);

// Convenience forms for texts known to convert (UI texts, file names);
// anything unconvertible becomes U+FFFD or '?'.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);

// The longest prefix of Shift-JIS text s of at most max_bytes that does not
// split a double-byte character.
std::string_view SjisPrefix(std::string_view s, size_t max_bytes);

// The same for UTF-8 text measured in its Shift-JIS bytes: the longest prefix
// whose Shift-JIS form fits in max_bytes (unconvertible characters count 2).
std::string Utf8PrefixBySjisBytes(std::string_view utf8, size_t max_bytes);

}  // namespace qz
