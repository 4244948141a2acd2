// Helpers of the kanji converter tests: the JIS X 0208 character set, random
// texts over it, and stream passes that hand left-over bytes back exactly as
// the file loader and saver do.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace qz::test {

// Every Shift-JIS pair of JIS X 0208 (6879 of them), as plain Shift_JIS
// defines it (glibc iconv "SHIFT_JIS", independent of our arithmetic).
const std::vector<std::string>& JisX0208Chars();

// A random text of n characters: JIS X 0208 pairs, ASCII (tabs and line feeds
// included, no ESC) and, when kana is set, half-width kana 0xA1-0xDF.
std::string RandomSjisText(std::mt19937& rng, size_t n, bool kana);

// Converts `bytes` (kanji code 2 or 3) to Shift-JIS the way the loader reads
// a file: pieces of `piece` bytes from a file position that moves back by
// the converter's left-over count.
std::string ReadLikeLoader(int code, const std::string& bytes, size_t piece);
// Converts Shift-JIS to code 2 or 3 the way the saver writes: pieces of
// `piece` bytes of text, a left-over lead byte taken again with the next.
std::string WriteLikeSaver(int code, const std::string& sjis, size_t piece);

// Two pieces only: [0, split) and then the left-over plus the rest, the
// second marked as the end of the stream.
std::string DecodeSplit(int code, const std::string& bytes, size_t split);
std::string EncodeSplit(int code, const std::string& sjis, size_t split);

// sjis with every half-width kana byte widened, as a JIS round trip returns it.
std::string Widened(const std::string& sjis);

}  // namespace qz::test
