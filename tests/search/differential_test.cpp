// Plain search against a naive model over a std::string with the same
// folding rules, on random Shift-JIS texts, both directions, with ranges.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "search/kana_width.h"
#include "search_helpers.h"

namespace qz::test {
namespace {

struct ModelChar {
    uint32_t pos, len;
    uint16_t code;
    bool dbcs;
};

std::vector<ModelChar> Decode(const std::string& t) {
    std::vector<ModelChar> out;
    for (uint32_t i = 0; i < t.size();) {
        uint8_t b = static_cast<uint8_t>(t[i]);
        if (IsSjisLead(b) && i + 1 < t.size()) {
            out.push_back({i, 2, static_cast<uint16_t>(b << 8 | static_cast<uint8_t>(t[i + 1])), true});
            i += 2;
        } else {
            out.push_back({i, 1, b, false});
            ++i;
        }
    }
    return out;
}

// Units of one character: the rules written out again, independently.
std::vector<int> ModelUnits(const ModelChar& c, unsigned opts) {
    std::vector<int> u{c.code};
    if (c.dbcs && (opts & kSearchFuzzy)) {
        uint16_t k = HiraganaToKatakana(c.code);
        uint8_t h[2];
        int n = ToHalfWidth(k, h);
        if (n == 2) return {h[0], h[1]};
        u[0] = n == 1 ? h[0] : k;
    }
    if (!(opts & kSearchMatchCase) && u[0] >= 'A' && u[0] <= 'Z') u[0] += 32;
    return u;
}

bool WordChar(const ModelChar& c) { return !c.dbcs && IsAsciiWordByte(static_cast<uint8_t>(c.code)); }

// Pattern units, -1 for the wildcard.
std::vector<int> ModelPattern(const std::string& pat, unsigned opts) {
    std::vector<int> out;
    for (const ModelChar& c : Decode(pat)) {
        if (!c.dbcs && c.code == '?' && (opts & kSearchWildcard)) {
            out.push_back(-1);
            continue;
        }
        for (int u : ModelUnits(c, opts)) out.push_back(u);
    }
    return out;
}

// Length of the match at character ci, or -1.
int ModelMatchAt(const std::vector<ModelChar>& chars, size_t ci, const std::vector<int>& pat, unsigned opts,
                 uint32_t limit) {
    if (opts & kSearchWholeWord) {
        if (ci >= chars.size() || !WordChar(chars[ci]) || (ci > 0 && WordChar(chars[ci - 1]))) return -1;
    }
    size_t j = ci, idx = 0;
    std::vector<int> cur;
    for (int p : pat) {
        if (idx == cur.size()) {
            if (j >= chars.size() || chars[j].pos + chars[j].len > limit) return -1;
            cur = ModelUnits(chars[j++], opts);
            idx = 0;
        }
        if (p == -1) {
            idx = cur.size();
        } else {
            if (cur[idx] != p) return -1;
            ++idx;
        }
    }
    if (idx < cur.size()) return -1;
    if ((opts & kSearchWholeWord) && j < chars.size() && WordChar(chars[j])) return -1;
    return static_cast<int>(chars[j - 1].pos + chars[j - 1].len - chars[ci].pos);
}

Hit ModelFind(const std::string& text, const std::string& pat, unsigned opts, SearchDirection dir, uint32_t start,
              std::optional<uint32_t> end) {
    std::vector<ModelChar> chars = Decode(text);
    std::vector<int> p = ModelPattern(pat, opts);
    const uint32_t total = static_cast<uint32_t>(text.size());
    if (dir == SearchDirection::kForward) {
        uint32_t from = start - 1, limit = end ? std::min(*end - 1, total) : total;
        for (size_t ci = 0; ci < chars.size(); ++ci) {
            if (chars[ci].pos < from || chars[ci].pos > limit) continue;
            int len = ModelMatchAt(chars, ci, p, opts, limit);
            if (len >= 0) return {chars[ci].pos + 1, static_cast<uint32_t>(len)};
        }
        return {};
    }
    uint32_t lowest = end ? *end - 1 : 0;
    for (size_t ci = chars.size(); ci-- > 0;) {
        if (chars[ci].pos + 1 >= start || chars[ci].pos < lowest) continue;
        int len = ModelMatchAt(chars, ci, p, opts, total);
        if (len >= 0) return {chars[ci].pos + 1, static_cast<uint32_t>(len)};
    }
    return {};
}

// Pieces chosen to meet each other under folding: letters in both cases and
// widths, kana in both widths with and without marks, kanji whose trail
// bytes are letters or a backslash, and runs of lead-range bytes.
const char* const kPieces[] = {
    "a", "b", "A", "B", "_", " ", "\n", "?", "\xB6", "\xDE", "\xCA", "\xDF", "\xB3", "\xB1",
    "\x83\x4B", "\x83\x4A", "\x82\xAA", "\x82\xA9", "\x83\x70", "\x82\xCF", "\x82\x81", "\x82\x60",
    "\x83\x41", "\x83\x61", "\x95\x5C", "\x81\x81", "\x83\x94", "\x81\x40", "\x82\xA0", "\xFF\x41",
    "\x81", "\xE0",
};

std::string RandomText(std::mt19937& rng, size_t pieces) {
    std::string t;
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    for (size_t i = 0; i < pieces; ++i) t += kPieces[pick(rng)];
    return t;
}

std::string RandomPattern(std::mt19937& rng, const std::string& text) {
    std::uniform_int_distribution<int> coin(0, 3);
    std::string p;
    std::vector<ModelChar> chars = Decode(text);
    if (!chars.empty() && coin(rng) != 0) {
        // Mostly a piece of the text itself, so that matches are common.
        size_t a = std::uniform_int_distribution<size_t>(0, chars.size() - 1)(rng);
        size_t n = std::uniform_int_distribution<size_t>(1, 5)(rng);
        for (size_t k = a; k < chars.size() && k < a + n; ++k) p += text.substr(chars[k].pos, chars[k].len);
    } else {
        p = RandomText(rng, std::uniform_int_distribution<size_t>(1, 3)(rng));
    }
    // A lone lead byte at the end of the pattern would swallow nothing.
    return p;
}

void RunRandom(SearchDirection dir, int rounds) {
    uint32_t seed = std::random_device{}();
    if (const char* s = std::getenv("QZ_SEARCH_SEED")) seed = static_cast<uint32_t>(std::strtoul(s, nullptr, 10));
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set QZ_SEARCH_SEED to repeat)");
    std::mt19937 rng(seed);
    const unsigned kOpts[] = {kSearchMatchCase, kSearchFuzzy, kSearchWholeWord, kSearchWildcard};
    for (int round = 0; round < rounds; ++round) {
        size_t pieces = round % 10 == 0 ? 1500 : std::uniform_int_distribution<size_t>(0, 200)(rng);
        std::string text = RandomText(rng, pieces);
        std::string pat = RandomPattern(rng, text);
        unsigned opts = 0;
        for (unsigned o : kOpts)
            if (rng() & 1) opts |= o;
        const uint32_t total = static_cast<uint32_t>(text.size());
        uint32_t start = dir == SearchDirection::kForward
                             ? std::uniform_int_distribution<uint32_t>(1, total + 1)(rng)
                             : std::uniform_int_distribution<uint32_t>(1, total + 2)(rng);
        if (rng() % 3 == 0) start = dir == SearchDirection::kForward ? 1 : total + 1;
        std::optional<uint32_t> end;
        if (rng() % 3 == 0) end = std::uniform_int_distribution<uint32_t>(1, total + 1)(rng);

        SearchPattern p;
        ASSERT_EQ(SearchPattern::Compile(opts, pat, &p), CompileStatus::kOk);
        StringText t(text);
        FindResult r = Find(t, p, dir, start, end);
        Hit got = r.status == FindStatus::kFound ? Hit{r.pos, r.length} : Hit{};
        Hit want = ModelFind(text, pat, opts, dir, start, end);
        ASSERT_EQ(got, want) << "round " << round << " options " << opts << " start " << start << " end "
                             << (end ? std::to_string(*end) : "-") << " text size " << total;
    }
}

TEST(SearchDifferential, ForwardMatchesTheModel) { RunRandom(SearchDirection::kForward, 3000); }
TEST(SearchDifferential, BackwardMatchesTheModel) { RunRandom(SearchDirection::kBackward, 3000); }

}  // namespace
}  // namespace qz::test
