// Splitting filtered lines into words at a set of separator bytes.
#pragma once

#include <string_view>
#include <vector>

namespace qztags {

// The non-empty runs of s between bytes of seps.
inline std::vector<std::string_view> SplitWords(std::string_view s, std::string_view seps) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < s.size()) {
        size_t start = s.find_first_not_of(seps, i);
        if (start == std::string_view::npos) break;
        size_t end = s.find_first_of(seps, start);
        if (end == std::string_view::npos) end = s.size();
        words.push_back(s.substr(start, end - start));
        i = end;
    }
    return words;
}

}  // namespace qztags
