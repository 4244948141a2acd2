// The search engine on any pattern and text: the first byte picks the option
// bits, the second where the pattern ends; every reported match lies inside
// the text and starts and ends on character boundaries, and replace-all ends.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_util.h"
#include "platform/cp932.h"
#include "search/search_engine.h"

namespace {

class FuzzText : public qz::TextAccess {
public:
    explicit FuzzText(std::string s) : s(std::move(s)) {}
    uint32_t GetTextLength() override { return static_cast<uint32_t>(s.size()); }
    uint32_t ReadText(uint32_t p, char* buf, uint32_t n) override {
        if (p == 0 || p - 1 >= s.size()) return 0;
        size_t k = std::min<size_t>(n, s.size() - (p - 1));
        s.copy(buf, k, p - 1);
        return static_cast<uint32_t>(k);
    }
    uint32_t InsertText(uint32_t p, const char* b, uint32_t n, uint32_t) override {
        if (p == 0 || p - 1 > s.size()) return 0;
        s.insert(p - 1, b, n);
        return n;
    }
    uint32_t DeleteText(uint32_t p, uint32_t n) override {
        if (p == 0 || p - 1 >= s.size()) return 0;
        size_t k = std::min<size_t>(n, s.size() - (p - 1));
        s.erase(p - 1, k);
        return static_cast<uint32_t>(k);
    }
    std::string s;
};

std::vector<bool> Boundaries(const std::string& t) {
    std::vector<bool> b(t.size() + 1, false);
    for (size_t i = 0; i < t.size();) {
        b[i] = true;
        i += (qz::IsSjisLead(static_cast<uint8_t>(t[i])) && i + 1 < t.size()) ? 2 : 1;
    }
    b[t.size()] = true;
    return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const unsigned options = data[0];
    const size_t split = std::min<size_t>(size - 2, data[1]);
    const std::string pattern(reinterpret_cast<const char*>(data + 2), split);
    const std::string text(reinterpret_cast<const char*>(data + 2 + split), size - 2 - split);

    qz::SearchPattern p;
    if (qz::SearchPattern::Compile(options, pattern, &p) != qz::CompileStatus::kOk) {
        FUZZ_CHECK(p.empty());
        return 0;
    }
    if (p.is_regex()) FUZZ_CHECK(p.element_count() <= qz::kRegexMaxElements);
    const std::vector<bool> bound = Boundaries(text);
    int budget = 0;
    qz::InterruptCheck stop = [&budget] { return ++budget > 1000; };

    FuzzText t(text);
    const uint32_t total = static_cast<uint32_t>(text.size());
    auto check = [&](const qz::FindResult& r) {
        if (r.status != qz::FindStatus::kFound) return;
        FUZZ_CHECK(r.pos >= 1 && r.pos - 1 + uint64_t{r.length} <= total);
        FUZZ_CHECK(bound[r.pos - 1]);
        FUZZ_CHECK(bound[r.pos - 1 + r.length]);
    };
    uint32_t start = 1;
    for (int k = 0; k < 64 && start <= total + 1; ++k) {
        qz::FindResult r = qz::Find(t, p, qz::SearchDirection::kForward, start, std::nullopt, stop);
        check(r);
        if (r.status != qz::FindStatus::kFound) break;
        FUZZ_CHECK(r.pos >= start);
        start = r.pos + 1;
    }
    uint32_t below = total + 2;
    for (int k = 0; k < 64 && below > 1; ++k) {
        qz::FindResult r = qz::Find(t, p, qz::SearchDirection::kBackward, below, std::nullopt, stop);
        check(r);
        if (r.status != qz::FindStatus::kFound) break;
        FUZZ_CHECK(r.pos < below);
        below = r.pos;
    }
    qz::ReplaceAllResult rr = qz::ReplaceAll(t, p, "\x82\xA0", 1, std::nullopt, {}, stop);
    FUZZ_CHECK(rr.count <= static_cast<long>(total) + 1);
    FUZZ_CHECK(rr.status != qz::ReplaceStatus::kStoreError);
    return 0;
}
